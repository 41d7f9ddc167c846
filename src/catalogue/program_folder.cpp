#include "catalogue/program_folder.h"

#include <system_error>

namespace orva {

namespace fs = std::filesystem;

#ifndef _WIN32
namespace {

bool IsHostRoot(const fs::path& folder) {
  std::error_code ec;
  const fs::path canonical = fs::weakly_canonical(folder, ec);
  return !ec && canonical == canonical.root_path() && canonical.has_root_directory();
}

}  // namespace
#endif

std::string ProgramFolderOf(const DriveTable& drives, const fs::path& executableFolder) {
  std::string windows = drives.ToWindows(executableFolder).value_or("\\\\");
#ifndef _WIN32  // on Windows the drives are the host's own
  if (!windows.starts_with("\\\\")) {
    const std::optional<fs::path> drive = drives.ToHost(windows.substr(0, 3));
    if (drive && IsHostRoot(*drive)) return "C:\\VORDELN";
  }
#endif
  while (windows.size() > 3 && windows.back() == '\\') windows.pop_back();
  if (windows.size() == 2 && windows[1] == ':') windows += '\\';
  return windows;
}

}  // namespace orva
