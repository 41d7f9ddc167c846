#include "catalogue/install_paths.h"

namespace orva {

InstallPaths ResolveInstallPaths(std::string_view programFolder) {
  InstallPaths paths;
  paths.appDir = std::string(programFolder) + "\\";
  // A network share has no drive to hold the suite; it is then expected on C:.
  if (paths.appDir.starts_with("\\\\")) paths.appDir = "C:\\VORDELN";
  paths.driveRoot = paths.appDir.substr(0, 3);
  paths.menuIniPath = paths.driveRoot + "VORDELN\\MENU.INI";
  paths.userMenuIniPath = paths.driveRoot + "VORDELN\\USERMENU.INI";
  paths.viewIniPath = paths.driveRoot + "VORDELN\\dMENU.INI";
  paths.helpPdfPath = paths.driveRoot + "VORDELN\\tovrin.pdf";
  paths.iconDir = paths.driveRoot + "VORDELN\\icon\\";
  paths.installDir = paths.driveRoot + "VORDELN\\";
  // appDir usually ends in "\" already; the doubled separator counts as one.
  paths.updaterPath = paths.appDir + "\\vekup.exe";
  return paths;
}

}  // namespace orva
