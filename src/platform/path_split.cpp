#include "platform/path_split.h"

namespace orva {

std::string PathFolder(std::string_view path) {
  const auto last = path.rfind('\\');
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

std::string PathFileName(std::string_view path) {
  const auto last = path.rfind('\\');
  if (last == std::string_view::npos) return std::string(path);
  return std::string(path.substr(last + 1));
}

}  // namespace orva
