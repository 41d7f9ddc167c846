#include "platform/path_split.h"

#include "platform/windows_path.h"

namespace orva {

std::string PathFolder(std::string_view path) { return std::string(WindowsPath::FolderOf(path)); }

std::string PathFileName(std::string_view path) {
  return std::string(WindowsPath::FileNameOf(path));
}

}  // namespace orva
