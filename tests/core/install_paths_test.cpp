#include "catalogue/install_paths.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

TEST(InstallPathsTest, SuiteFilesLieUnderTheLaunchersDrive) {
  const InstallPaths paths = ResolveInstallPaths("D:\\apps\\menu");
  EXPECT_EQ(paths.appDir, "D:\\apps\\menu\\");
  EXPECT_EQ(paths.driveRoot, "D:\\");
  EXPECT_EQ(paths.menuIniPath, "D:\\VORDELN\\MENU.INI");
  EXPECT_EQ(paths.userMenuIniPath, "D:\\VORDELN\\USERMENU.INI");
  EXPECT_EQ(paths.viewIniPath, "D:\\VORDELN\\dMENU.INI");
  EXPECT_EQ(paths.helpPdfPath, "D:\\VORDELN\\tovrin.pdf");
  EXPECT_EQ(paths.iconDir, "D:\\VORDELN\\icon\\");
  EXPECT_EQ(paths.installDir, "D:\\VORDELN\\");
  EXPECT_EQ(paths.updaterPath, "D:\\apps\\menu\\\\vekup.exe");
}

TEST(InstallPathsTest, NetworkShareFallsBackToDriveC) {
  const InstallPaths paths = ResolveInstallPaths("\\\\server\\share\\menu");
  EXPECT_EQ(paths.appDir, "C:\\VORDELN");
  EXPECT_EQ(paths.driveRoot, "C:\\");
  EXPECT_EQ(paths.menuIniPath, "C:\\VORDELN\\MENU.INI");
  EXPECT_EQ(paths.updaterPath, "C:\\VORDELN\\vekup.exe");
}

TEST(InstallPathsTest, DriveRootKeepsItsOwnSeparator) {
  const InstallPaths paths = ResolveInstallPaths("E:\\");
  EXPECT_EQ(paths.driveRoot, "E:\\");
  EXPECT_EQ(paths.menuIniPath, "E:\\VORDELN\\MENU.INI");
  EXPECT_EQ(paths.updaterPath, "E:\\\\\\vekup.exe");
}

}  // namespace
}  // namespace orva
