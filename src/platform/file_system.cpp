#include "platform/file_system.h"

#include <algorithm>

namespace orva {

bool FileSystem::IsPlainFile(std::string_view windowsPath) const {
  return PlainFileHostPath(windowsPath).has_value();
}

bool FileSystem::IsSaveTempName(std::string_view name, std::string_view targetName) {
  if (targetName.empty() || !name.starts_with(kSaveTempPrefix)) return false;
  name.remove_prefix(kSaveTempPrefix.size());
  if (name.size() != targetName.size() + 1 + kSaveTempDigits) return false;
  // Windows names are alike whatever their case; the target may have been resolved
  // to another spelling when the litter was made.
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < targetName.size(); ++i) {
    if (lower(name[i]) != lower(targetName[i])) return false;
  }
  name.remove_prefix(targetName.size());
  if (name[0] != '.') return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace orva
