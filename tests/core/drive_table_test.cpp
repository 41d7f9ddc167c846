#include "platform/drive_table.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

// A Wine prefix with c: -> ../drive_c (relative) and d: -> an absolute folder elsewhere.
class DriveTableTest : public testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "a Wine prefix is read on POSIX hosts only";
#endif
    prefix_ = temp_.Path() / "prefix";
    other_ = temp_.Path() / "other";
    temp_.Write("prefix/drive_c/VORDELN/MENU.INI", "x");
    temp_.Write("prefix/drive_c/Program Files/Tool/tool.exe", "x");
    temp_.Write("other/Data/a.txt", "x");
    fs::create_directories(prefix_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix_ / "dosdevices/c:");
    fs::create_directory_symlink(other_, prefix_ / "dosdevices/d:");
    fs::create_directory_symlink("/", prefix_ / "dosdevices/z:");
    drives_ = DriveTable::FromWinePrefix(prefix_);
  }

  TempDir temp_;
  fs::path prefix_;
  fs::path other_;
  DriveTable drives_;
};

TEST_F(DriveTableTest, MapsDrivesOfThePrefix) {
  EXPECT_EQ(drives_.ToHost("C:\\VORDELN\\MENU.INI"), prefix_ / "drive_c/VORDELN/MENU.INI");
  EXPECT_EQ(drives_.ToHost("d:\\Data\\a.txt"), other_ / "Data/a.txt");
  EXPECT_EQ(drives_.ToHost("Z:\\etc"), fs::path("/etc"));
  EXPECT_EQ(drives_.ToHost("C:\\"), prefix_ / "drive_c");
  EXPECT_FALSE(drives_.ToHost("E:\\x"));  // no such drive
}

TEST_F(DriveTableTest, SeparatorsAndDots) {
  const fs::path menu = prefix_ / "drive_c/VORDELN/MENU.INI";
  EXPECT_EQ(drives_.ToHost("C:/VORDELN/MENU.INI"), menu);
  EXPECT_EQ(drives_.ToHost("C:\\\\VORDELN\\\\/MENU.INI"), menu);
  EXPECT_EQ(drives_.ToHost("C:\\.\\VORDELN\\x\\..\\MENU.INI"), menu);
  EXPECT_EQ(drives_.ToHost("C:\\..\\VORDELN\\MENU.INI"), menu);
}

TEST_F(DriveTableTest, MatchesCaseInsensitivelyWhenExactCaseIsMissing) {
  EXPECT_EQ(drives_.ToHost("c:\\vordeln\\menu.ini"), prefix_ / "drive_c/VORDELN/MENU.INI");
  EXPECT_EQ(drives_.ToHost("C:\\PROGRAM FILES\\tool\\TOOL.EXE"),
            prefix_ / "drive_c/Program Files/Tool/tool.exe");
  // A missing file keeps its spelling (it may be about to be created); its folder is matched.
  EXPECT_EQ(drives_.ToHost("C:\\vordeln\\UserMenu.ini"), prefix_ / "drive_c/VORDELN/UserMenu.ini");
  EXPECT_EQ(drives_.ToHost("C:\\new\\Sub\\f.txt"), prefix_ / "drive_c/new/Sub/f.txt");

  // The exact name wins over another spelling.
  temp_.Write("prefix/drive_c/VORDELN/menu.ini", "y");
  EXPECT_EQ(drives_.ToHost("C:\\VORDELN\\menu.ini"), prefix_ / "drive_c/VORDELN/menu.ini");
}

TEST_F(DriveTableTest, NonAsciiNamesFoldToo) {
  temp_.Write("prefix/drive_c/Ärger/ＡＢ.txt", "x");
  EXPECT_EQ(drives_.ToHost("C:\\ärger\\ａｂ.TXT"), prefix_ / "drive_c/Ärger/ＡＢ.txt");
}

TEST_F(DriveTableTest, RefusesPathsWithoutADrive) {
  EXPECT_FALSE(drives_.ToHost("\\\\server\\share\\a.txt"));
  EXPECT_FALSE(drives_.ToHost("\\VORDELN\\MENU.INI"));
  EXPECT_FALSE(drives_.ToHost("VORDELN\\MENU.INI"));
  EXPECT_FALSE(drives_.ToHost("C:VORDELN"));
  EXPECT_FALSE(drives_.ToHost(""));
  EXPECT_FALSE(drives_.ToHost("C:\\a*b.txt"));
  EXPECT_FALSE(drives_.ToHost("C:\\a\\b:c"));
}

TEST_F(DriveTableTest, ToWindowsTakesTheLongestPrefix) {
  EXPECT_EQ(drives_.ToWindows(prefix_ / "drive_c/VORDELN/MENU.INI"), "C:\\VORDELN\\MENU.INI");
  EXPECT_EQ(drives_.ToWindows(prefix_ / "drive_c"), "C:\\");
  EXPECT_EQ(drives_.ToWindows(other_ / "Data"), "D:\\Data");
  EXPECT_EQ(drives_.ToWindows("/usr/bin"), "Z:\\usr\\bin");
  // Through a link: the real folder counts, and ".." climbs from the link's target.
  fs::create_directory_symlink(prefix_ / "drive_c/VORDELN", temp_.Path() / "link");
  EXPECT_EQ(drives_.ToWindows(temp_.Path() / "link/MENU.INI"), "C:\\VORDELN\\MENU.INI");
  EXPECT_EQ(drives_.ToWindows(temp_.Path() / "link/../Program Files"), "C:\\Program Files");
  // A file that does not exist yet still maps.
  EXPECT_EQ(drives_.ToWindows(prefix_ / "drive_c/VORDELN/new.txt"), "C:\\VORDELN\\new.txt");
}

TEST(DriveTableDefaultsTest, MissingPrefixGivesZAsRoot) {
#ifdef _WIN32
  GTEST_SKIP() << "a Wine prefix is read on POSIX hosts only";
#endif
  TempDir temp;
  const DriveTable drives = DriveTable::FromWinePrefix(temp.Path() / "absent");
  EXPECT_EQ(drives.ToHost("Z:\\tmp"), fs::path("/tmp"));
  EXPECT_FALSE(drives.ToHost("C:\\x"));
  EXPECT_EQ(drives.ToWindows("/tmp"), "Z:\\tmp");
}

// Wine adds z: only to a dosdevices folder it creates; without the link, the host's root
// and everything outside the prefix's drives are on no drive.
TEST_F(DriveTableTest, PrefixWithoutZLinkHasNoZDrive) {
  fs::remove(prefix_ / "dosdevices/z:");
  const DriveTable drives = DriveTable::FromWinePrefix(prefix_);
  EXPECT_FALSE(drives.ToHost("Z:\\etc"));
  EXPECT_FALSE(drives.ToWindows("/usr/bin"));
  EXPECT_EQ(drives.ToHost("C:\\VORDELN"), prefix_ / "drive_c/VORDELN");
  EXPECT_EQ(drives.ToWindows(other_ / "Data"), "D:\\Data");
}

TEST(DriveTableDefaultsTest, EnvironmentPrefix) {
#ifdef _WIN32
  GTEST_SKIP() << "a Wine prefix is read on POSIX hosts only";
#else
  TempDir temp;
  fs::create_directories(temp.Path() / "dosdevices");
  fs::create_directory_symlink(temp.Path(), temp.Path() / "dosdevices/c:");
  fs::create_directory_symlink("/", temp.Path() / "dosdevices/z:");
  const char* old = std::getenv("WINEPREFIX");
  const std::string saved = old ? old : "";
  ::setenv("WINEPREFIX", temp.Path().c_str(), 1);
  const DriveTable drives = DriveTable::FromEnvironment();
  if (old) {
    ::setenv("WINEPREFIX", saved.c_str(), 1);
  } else {
    ::unsetenv("WINEPREFIX");
  }
  EXPECT_EQ(drives.ToHost("c:\\dosdevices"), temp.Path() / "dosdevices");
  EXPECT_EQ(drives.ToHost("z:\\"), fs::path("/"));
#endif
}

#ifdef _WIN32
// Drives are the host's own unless mapped, and a mapping wins over the host's drive (so
// tests never reach the real C:). Names go to the system as UTF-16, whatever the code page.
TEST(WindowsDriveTableTest, HostDrivesAndMappings) {
  TempDir temp;
  DriveTable drives;
  EXPECT_EQ(drives.ToHost("c:\\VORDELN\\x\\..\\MENU.INI"), fs::path(L"C:\\VORDELN\\MENU.INI"));
  EXPECT_EQ(drives.ToHost("D:\\積算\\データ"), fs::path(L"D:\\\u7a4d\u7b97\\\u30c7\u30fc\u30bf"));
  EXPECT_EQ(drives.ToWindows(L"E:\\\u7a4d\u7b97\\a.txt"), "E:\\積算\\a.txt");
  EXPECT_FALSE(drives.ToHost("C:\\a*b.txt"));
  EXPECT_FALSE(drives.ToWindows(L"\\\\server\\share\\a.txt"));

  drives.SetDrive('C', temp.Path() / L"drive_c");
  EXPECT_EQ(drives.ToHost("C:\\VORDELN\\積算.INI"),
            temp.Path() / L"drive_c\\VORDELN\\\u7a4d\u7b97.INI");
  EXPECT_EQ(drives.ToWindows(temp.Path() / L"drive_c\\VORDELN\\\u7a4d\u7b97.INI"),
            "C:\\VORDELN\\積算.INI");
  EXPECT_EQ(drives.ToWindows(temp.Path() / L"drive_c"), "C:\\");
}
#endif

}  // namespace
}  // namespace orva
