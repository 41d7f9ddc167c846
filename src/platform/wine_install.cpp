#include "platform/wine_install.h"

#include <system_error>
#include <vector>

namespace orva {
namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

// Where Wine's libraries lie below an installation prefix (/usr, /opt/wine-stable): in
// Debian's multiarch folders or in upstream's lib, lib32 and lib64.
std::vector<fs::path> LibraryFolders(const fs::path& prefix) {
  std::vector<fs::path> folders;
  for (const char* lib : {"lib", "lib32", "lib64", "lib/x86_64-linux-gnu", "lib/i386-linux-gnu"}) {
    folders.push_back(prefix / lib / "wine");
  }
  return folders;
}

}  // namespace

bool WineRuns32BitPrograms(const fs::path& wine) {
  std::error_code ignored;
  const fs::path real = fs::weakly_canonical(wine, ignored);
  bool recognised = false;
  // Both where PATH found it and where its links lead: a wrapper script and a link into
  // an installation each point at their own prefix.
  for (const fs::path& command : {wine, real}) {
    if (command.empty()) continue;
    for (const fs::path& folder : LibraryFolders(command.parent_path().parent_path())) {
      // Debian's wine32 loader, upstream's 32-bit side or a WoW64 build's.
      if (IsFile(folder / "wine") || IsFile(folder / "i386-windows" / "ntdll.dll")) return true;
      recognised = recognised || IsFile(folder / "x86_64-windows" / "ntdll.dll");
    }
  }
  return !recognised;
}

}  // namespace orva
