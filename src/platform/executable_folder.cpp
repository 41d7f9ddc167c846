#include "platform/executable_folder.h"

#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orva {

std::filesystem::path ExecutableFolder() {
#ifdef _WIN32
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);  // cut off: a longer path than MAX_PATH
  }
#else
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : program.parent_path();
#endif
}

}  // namespace orva
