#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "support/another_user.h"
#include "support/drive_c_at.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUserIni = "C:\\VORDELN\\USERMENU.INI";

// Drive C: is the temporary folder itself.
class FileSaveTest : public testing::Test {
 protected:
  FileSaveTest() : files_(test::DriveCAt(temp_.Path())) {}

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::vector<std::string> Entries(const fs::path& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp_.Path() / relative)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir temp_;
  FileSystem files_;
};

using Names = std::vector<std::string>;

// A rename would split a file from its other names: it is written where it is, shorter than
// before, and every name shows the new bytes.
TEST_F(FileSaveTest, HardLinkedFileIsSavedWhole) {
  const fs::path file = temp_.Write("VORDELN/USERMENU.INI", std::string(5000, 'o'));
  fs::create_directories(temp_.Path() / "backup");
  fs::create_hard_link(file, temp_.Path() / "backup/USERMENU.INI");
  FileSystem::SaveNotes notes;
  ASSERT_EQ(files_.WriteAtomically(kUserIni, "new\r\n", &notes), 0);
  EXPECT_TRUE(notes.inPlace);
#ifndef _WIN32
  // The C runtime's stat counts one link on Windows; the two reads below show it whole there.
  EXPECT_EQ(fs::hard_link_count(file), 2u);
#endif
  EXPECT_EQ(Read(file), "new\r\n");
  EXPECT_EQ(Read(temp_.Path() / "backup/USERMENU.INI"), "new\r\n");
  EXPECT_EQ(Entries("VORDELN"), Names{"USERMENU.INI"});
}

// Two launchers on one folder saving the same file at once: every save lands, as none
// removes the temporary file of another that is still being written.
TEST_F(FileSaveTest, SavesRunningAtOnceAllLand) {
#ifdef _WIN32
  GTEST_SKIP() << "two replacements of one file at the same moment may meet each other's handle";
#endif
  fs::create_directories(temp_.Path() / "VORDELN");
  std::atomic<int> failed = 0;
  const auto saves = [&](char mark) {
    for (int round = 0; round < 60; ++round) {
      if (files_.WriteAtomically(kUserIni, std::string(4096, mark)) != err::kNone) ++failed;
    }
  };
  std::thread other(saves, 'a');
  saves('b');
  other.join();
  EXPECT_EQ(failed, 0);
  const std::string last = Read(temp_.Path() / "VORDELN/USERMENU.INI");
  EXPECT_TRUE(last == std::string(4096, 'a') || last == std::string(4096, 'b'));
  EXPECT_EQ(Entries("VORDELN"), Names{"USERMENU.INI"});
}

#ifndef _WIN32

// A link made by the user is saved through: its target takes the bytes, wherever the link's
// chain leads and also when the target is not there yet, and the link stays. One that leads
// to no file, or that another user made, is replaced and never followed.
TEST_F(FileSaveTest, LinksOfTheUserAreSavedThroughAndStay) {
  const fs::path folder = temp_.Path() / "VORDELN";
  const fs::path shared = temp_.Path() / "shared";
  temp_.Write("shared/USERMENU.INI", "old\r\n");
  fs::create_directories(folder);
  fs::create_symlink("../shared/middle.INI", folder / "USERMENU.INI");
  fs::create_symlink("USERMENU.INI", shared / "middle.INI");
  fs::create_symlink(shared / "dMENU.INI", folder / "dMENU.INI");
  fs::create_symlink("/dev/null", folder / "null.INI");
  const fs::path victim = temp_.Write("shared/victim.INI", "theirs\r\n");
  fs::create_symlink(victim, folder / "planted.INI");
  ASSERT_EQ(::lchown((folder / "planted.INI").c_str(), test::kNobody, test::kNobody), 0);

  for (const char* name : {"USERMENU.INI", "dMENU.INI", "null.INI", "planted.INI"}) {
    EXPECT_EQ(files_.WriteAtomically(std::string("C:\\VORDELN\\") + name, "new\r\n"), 0) << name;
  }
  EXPECT_TRUE(fs::is_symlink(folder / "USERMENU.INI"));
  EXPECT_TRUE(fs::is_symlink(shared / "middle.INI"));
  EXPECT_EQ(Read(shared / "USERMENU.INI"), "new\r\n");
  EXPECT_TRUE(fs::is_symlink(folder / "dMENU.INI"));
  EXPECT_EQ(Read(shared / "dMENU.INI"), "new\r\n");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_FALSE(fs::is_symlink(folder / "null.INI"));
  EXPECT_FALSE(fs::is_symlink(folder / "planted.INI"));
  EXPECT_EQ(Read(victim), "theirs\r\n");
  EXPECT_EQ(Entries("VORDELN"), (Names{"USERMENU.INI", "dMENU.INI", "null.INI", "planted.INI"}));
  EXPECT_EQ(Entries("shared"), (Names{"USERMENU.INI", "dMENU.INI", "middle.INI", "victim.INI"}));
}

// The new file has the old one's mode, group and, for a superuser saving a user's file, its
// owner; a file new to the folder has the mode the umask gives.
TEST_F(FileSaveTest, SavedFileKeepsTheOldModeAndOwner) {
  const fs::path file = temp_.Write("VORDELN/USERMENU.INI", "old\r\n");
  for (const mode_t mode : {0640, 0604}) {
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    ASSERT_EQ(files_.WriteAtomically(kUserIni, "new\r\n"), 0);
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
  }
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(file.c_str(), test::kNobody, test::kNobody), 0);
    ASSERT_EQ(files_.WriteAtomically(kUserIni, "again\r\n"), 0);
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, test::kNobody);
    EXPECT_EQ(st.st_gid, test::kNobody);
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ASSERT_EQ(files_.WriteAtomically("C:\\VORDELN\\dMENU.INI", "1\r\n"), 0);
  struct stat made;
  ASSERT_EQ(::stat((temp_.Path() / "VORDELN/dMENU.INI").c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 07777, 0666 & ~mask);
}

// An administrator's install that grants the user the files but not their folder: the file
// is written in place (shorter than before, its owner and mode kept); a file the folder does
// not hold yet cannot be made there. Needs a superuser to become that user.
TEST_F(FileSaveTest, FolderThatTakesNoNewFileStillHasItsFilesSaved) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a child as another user";
  fs::permissions(temp_.Path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
  const fs::path file = temp_.Write("VORDELN/USERMENU.INI", std::string(3000, 'o'));
  ASSERT_EQ(::chown(file.c_str(), test::kNobody, test::kNobody), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);

  EXPECT_TRUE(test::HoldsForAnotherUser([this] {
    FileSystem::SaveNotes notes;
    const err::Number saved = files_.WriteAtomically(kUserIni, "new\r\n", &notes);
    const err::Number made = files_.WriteAtomically("C:\\VORDELN\\dMENU.INI", "1\r\n");
    return saved == err::kNone && notes.inPlace && made == err::kPermissionDenied;
  }));
  EXPECT_EQ(Read(file), "new\r\n");
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, test::kNobody);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries("VORDELN"), Names{"USERMENU.INI"});
}

#endif

}  // namespace
}  // namespace orva
