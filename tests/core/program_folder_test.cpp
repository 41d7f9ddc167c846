#include "catalogue/program_folder.h"

#include <gtest/gtest.h>

#include "catalogue/install_paths.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

// A prefix with c: -> ../drive_c, d: -> a folder outside it, z: -> the host's root.
class ProgramFolderTest : public testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "a Wine prefix is read on POSIX hosts only";
#endif
    prefix_ = temp_.Path() / "prefix";
    fs::create_directories(prefix_ / "drive_c/VORDELN");
    fs::create_directories(prefix_ / "dosdevices");
    fs::create_directories(temp_.Path() / "d/apps/menu");
    fs::create_directories(temp_.Path() / "usr/bin");
    fs::create_directory_symlink("../drive_c", prefix_ / "dosdevices/c:");
    fs::create_directory_symlink(temp_.Path() / "d", prefix_ / "dosdevices/d:");
    fs::create_directory_symlink("/", prefix_ / "dosdevices/z:");
    drives_ = DriveTable::FromWinePrefix(prefix_);
  }

  TempDir temp_;
  fs::path prefix_;
  DriveTable drives_;
};

TEST_F(ProgramFolderTest, CopyOnADriveOfThePrefixIsItsOwnFolder) {
  EXPECT_EQ(ProgramFolderOf(drives_, prefix_ / "drive_c/VORDELN"), "C:\\VORDELN");
  EXPECT_EQ(ProgramFolderOf(drives_, temp_.Path() / "d/apps/menu"), "D:\\apps\\menu");
  EXPECT_EQ(ProgramFolderOf(drives_, temp_.Path() / "d"), "D:\\");
}

// An installed /usr/bin/orva-menu is Z:\usr\bin; the suite is the prefix's C:\VORDELN,
// whatever the host folder. Without a z: link no drive reaches it, as Wine sees it too: the
// network rule then leads to the same suite.
TEST_F(ProgramFolderTest, FolderReachedOnlyThroughTheHostRootServesThePrefixsSuite) {
  EXPECT_EQ(ProgramFolderOf(drives_, temp_.Path() / "usr/bin"), "C:\\VORDELN");
  EXPECT_EQ(ProgramFolderOf(drives_, "/"), "C:\\VORDELN");
  fs::remove(prefix_ / "dosdevices/z:");
  const DriveTable withoutZ = DriveTable::FromWinePrefix(prefix_);
  EXPECT_EQ(ProgramFolderOf(withoutZ, temp_.Path() / "usr/bin"), "\\\\");
  EXPECT_EQ(ResolveInstallPaths(ProgramFolderOf(withoutZ, temp_.Path() / "usr/bin")).menuIniPath,
            "C:\\VORDELN\\MENU.INI");
}

TEST_F(ProgramFolderTest, FolderNoDriveReachesFallsBackAsANetworkShare) {
  DriveTable onlyC;
  onlyC.SetDrive('c', prefix_ / "drive_c");
  EXPECT_EQ(ProgramFolderOf(onlyC, temp_.Path() / "usr/bin"), "\\\\");
  EXPECT_EQ(ResolveInstallPaths(ProgramFolderOf(onlyC, temp_.Path() / "usr/bin")).menuIniPath,
            "C:\\VORDELN\\MENU.INI");
}

}  // namespace
}  // namespace orva
