#include "platform/child_environment.h"

#include <algorithm>
#include <string_view>

namespace orva {
namespace {

std::string_view NameOf(std::string_view entry) { return entry.substr(0, entry.find('=')); }

}  // namespace

std::vector<std::string> EnvironmentWith(const char* const* current,
                                         const std::vector<std::string>& changes) {
  std::vector<std::string> result;
  for (const char* const* entry = current; entry && *entry; ++entry) {
    const std::string_view name = NameOf(*entry);
    const bool changed = std::any_of(changes.begin(), changes.end(),
                                     [name](const std::string& c) { return NameOf(c) == name; });
    if (!changed) result.emplace_back(*entry);
  }
  for (const std::string& change : changes) {
    if (change.find('=') != std::string::npos) result.push_back(change);
  }
  return result;
}

}  // namespace orva
