#pragma once

#include <string>
#include <string_view>

namespace orva {

// The suite's paths, all in Windows form, derived from the launcher's own folder.
struct InstallPaths {
  std::string appDir;
  std::string driveRoot;
  std::string menuIniPath;
  std::string userMenuIniPath;
  std::string viewIniPath;
  std::string helpPdfPath;
  std::string iconDir;
  std::string installDir;
  std::string updaterPath;
};

// programFolder is the launcher's folder in Windows form as the system reports it:
// "C:\VORDELN", "E:\" for a drive root, "\\server\share\menu" on a network share.
InstallPaths ResolveInstallPaths(std::string_view programFolder);

}  // namespace orva
