#include "platform/file_system.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/error_codes.h"
#include "platform/plain_file_tests.h"
#include "support/another_user.h"
#include "support/drive_c_at.h"
#include "support/hostile_files.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

// Marks a file hidden: by its name on POSIX (nothing to do), by its attribute on Windows.
void MakeHidden([[maybe_unused]] const fs::path& path) {
#ifdef _WIN32
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
}

#ifndef _WIN32
using test::HoldsForAnotherUser;
#endif

// Drive C: is the temporary folder itself.
class FileSystemTest : public testing::Test {
 protected:
  FileSystemTest() : files_(test::DriveCAt(temp_.Path())) {}

  std::string ReadHost(const std::string& relative) const {
    return files_.ReadAll("C:\\" + relative).value();
  }

  std::vector<std::string> FolderEntries(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir temp_;
  FileSystem files_;
};

TEST_F(FileSystemTest, PlainFileTest) {
  temp_.Write("VORDELN/a.exe", "MZ");
  MakeHidden(temp_.Write("VORDELN/.hidden", "x"));
  fs::create_directories(temp_.Path() / "VORDELN/folder");

  EXPECT_TRUE(files_.IsPlainFile("C:\\VORDELN\\a.exe"));
  EXPECT_TRUE(files_.IsPlainFile("c:\\vordeln\\A.EXE"));
#ifdef _WIN32
  // A system file is the system's own, as a hidden one is.
  ::SetFileAttributesW(temp_.Write("VORDELN/system.exe", "MZ").c_str(), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_FALSE(files_.IsPlainFile("C:\\VORDELN\\system.exe"));
#else
  fs::create_symlink(temp_.Path() / "VORDELN/a.exe", temp_.Path() / "VORDELN/link.exe");
  fs::create_symlink(temp_.Path() / "VORDELN/gone", temp_.Path() / "VORDELN/dangling.exe");
  EXPECT_TRUE(files_.IsPlainFile("C:\\VORDELN\\link.exe"));
  EXPECT_FALSE(files_.IsPlainFile("C:\\VORDELN\\dangling.exe"));
#endif
  EXPECT_FALSE(files_.IsPlainFile("C:\\VORDELN\\.hidden"));
  EXPECT_FALSE(files_.IsPlainFile("C:\\VORDELN\\folder"));
  EXPECT_FALSE(files_.IsPlainFile("C:\\VORDELN\\missing.exe"));
  EXPECT_FALSE(files_.IsPlainFile("D:\\VORDELN\\a.exe"));
  EXPECT_FALSE(files_.IsPlainFile(""));
}

// Many tests share two threads; each answer must land at its own path's place, for short
// lists (tested by the caller alone) and long ones alike, and an unread batch must not hang.
TEST_F(FileSystemTest, PlainFileTestsOfManyPathsKeepTheirOrder) {
  fs::create_directories(temp_.Path() / "P/folder");
  std::vector<std::string> paths;
  std::vector<std::uint8_t> expected;
  for (int i = 0; i < 500; ++i) {
    const std::string name = "P\\f" + std::to_string(i);
    if (i % 3 == 0) temp_.Write("P/f" + std::to_string(i), "x");
    paths.push_back("C:\\" + (i % 7 == 0 ? std::string("P\\folder") : name));
    expected.push_back(i % 3 == 0 && i % 7 != 0 ? 1 : 0);
  }
  for (const std::size_t count : {std::size_t{5}, paths.size()}) {
    const std::vector<std::string_view> views(paths.begin(), paths.begin() + count);
    PlainFileTests tests(files_, views);
    const std::vector<std::uint8_t> wanted(expected.begin(), expected.begin() + count);
    EXPECT_EQ(tests.Results(), wanted);
  }
  PlainFileTests unread(files_, std::vector<std::string_view>(paths.begin(), paths.end()));
}

// A folder that holds many of the paths is listed once instead of being asked about each:
// every answer the listing gives must be the path's own test's, and what it cannot tell
// (links, names missing as written, which may be there in another case) is left to that test.
TEST_F(FileSystemTest, FolderListingAnswersAsEachPathsOwnTest) {
  std::vector<std::string> paths;
  // Two folders' paths in turns, one folder's written both ways: each name is answered
  // from its own folder's listing.
  for (int i = 0; i < 40; ++i) {
    const std::string name = "p" + std::to_string(i) + ".exe";
    if (i % 2 == 0) temp_.Write("L/" + name, "MZ");
    paths.push_back("C:\\L\\" + name);
    if (i % 2 == 1) temp_.Write("M/" + name, "MZ");
    paths.push_back((i % 3 == 0 ? "C:/M/" : "C:\\M\\") + name);
  }
  temp_.Write("L/.hidden.exe", "MZ");
  temp_.Write("L/Mixed.exe", "MZ");
  fs::create_directories(temp_.Path() / "L/folder.exe");
  for (const char* name : {".hidden.exe", "mixed.exe", "Mixed.exe", "folder.exe"}) {
    paths.push_back(std::string("C:\\L\\") + name);
  }
#ifndef _WIN32
  test::MakeFifo(temp_.Path() / "L/fifo.exe");
  fs::create_symlink(temp_.Path() / "L/p0.exe", temp_.Path() / "L/link.exe");
  fs::create_symlink(temp_.Path() / "L/folder.exe", temp_.Path() / "L/folderlink.exe");
  fs::create_symlink(temp_.Path() / "L/gone", temp_.Path() / "L/dangling.exe");
  for (const char* name : {"fifo.exe", "link.exe", "folderlink.exe", "dangling.exe"}) {
    paths.push_back(std::string("C:\\L\\") + name);
  }
#endif
  const std::vector<std::string_view> views(paths.begin(), paths.end());
  const std::vector<std::uint8_t> listed = files_.PlainFilesByFolder(views);
  ASSERT_EQ(listed.size(), paths.size());
  int answered = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const bool own = files_.IsPlainFile(paths[i]);
    if (listed[i] == FileSystem::kUntested) continue;
    ++answered;
    EXPECT_EQ(listed[i] == 1, own) << paths[i];
  }
#ifndef _WIN32
  // 20 plain files in each folder, and in L the hidden one, Mixed.exe, the folder, the FIFO
  EXPECT_EQ(answered, 44);
#endif
  std::vector<std::uint8_t> expected;
  for (const std::string& path : paths) expected.push_back(files_.IsPlainFile(path) ? 1 : 0);
  EXPECT_EQ(PlainFileTests(files_, views).Results(), expected);

#ifndef _WIN32
  // A folder far larger than the names asked about is not read through: each path keeps
  // its own test.
  for (int i = 0; i < 4100; ++i) temp_.Write("L/filler" + std::to_string(i), "");
  const std::vector<std::uint8_t> crowded = files_.PlainFilesByFolder(views);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (paths[i].starts_with("C:\\L\\")) {
      EXPECT_EQ(crowded[i], FileSystem::kUntested) << paths[i];
    }
  }
#endif
}

// Plain-file tests take a short way for paths that exist as written; every path must get
// the answer the drive table's full resolution gives.
TEST_F(FileSystemTest, PlainFileTestAgreesWithFullResolution) {
  temp_.Write("VORDELN/Prog/a.exe", "MZ");
  temp_.Write("VORDELN/.dot/b.exe", "MZ");
  fs::create_directories(temp_.Path() / "VORDELN/empty");
  const auto expected = [this](const std::string& path) {
    const auto host = files_.HostPath(path);
    std::error_code ec;
    return host && fs::is_regular_file(*host, ec) && !host->filename().string().starts_with('.');
  };
  for (const std::string path :
       {"C:\\VORDELN\\Prog\\a.exe", "C:/VORDELN/Prog/a.exe", "C:\\\\VORDELN\\\\Prog\\a.exe",
        "C:\\VORDELN\\Prog\\a.exe\\", "C:\\VORDELN\\empty\\..\\Prog\\a.exe",
        "C:\\VORDELN\\.\\Prog\\a.exe", "C:\\VORDELN\\PROG\\a.exe", "c:\\vordeln\\prog\\A.exe",
        "C:\\VORDELN\\.dot\\b.exe", "C:\\VORDELN\\Prog\\a?.exe", "C:\\VORDELN\\Prog", "C:\\",
        "C:VORDELN\\Prog\\a.exe", "C:\\..\\..\\VORDELN\\Prog\\a.exe"}) {
    EXPECT_EQ(files_.IsPlainFile(path), expected(path)) << path;
    // Callers that open the file take the host path from the same test.
    const auto host = files_.PlainFileHostPath(path);
    EXPECT_EQ(host.has_value(), expected(path)) << path;
    if (host) {
      EXPECT_EQ(fs::path(*host), files_.HostPath(path)) << path;
    }
  }
  EXPECT_TRUE(files_.IsPlainFile("C:\\VORDELN\\PROG\\a.exe"));
  EXPECT_TRUE(files_.IsPlainFile("C:\\VORDELN\\.dot\\b.exe"));  // only the name counts
}

TEST_F(FileSystemTest, ReadAllReturnsTheBytes) {
  const std::string bytes("\"1\",\"\x95\xBD\"\r\n\0\xFF", 13);
  temp_.Write("VORDELN/MENU.INI", bytes);
  const Result<std::string> read = files_.ReadAll("C:\\VORDELN\\menu.ini");
  EXPECT_EQ(read.error(), 0);
  EXPECT_EQ(read.value(), bytes);

  temp_.Write("empty.txt", "");
  const Result<std::string> empty = files_.ReadAll("C:\\empty.txt");
  EXPECT_EQ(empty.error(), 0);
  EXPECT_EQ(empty.value(), "");
}

TEST_F(FileSystemTest, ReadAllErrorNumbers) {
  temp_.Write("VORDELN/file.txt", "x");
  fs::create_directories(temp_.Path() / "VORDELN/folder");
  EXPECT_EQ(files_.ReadAll("C:\\VORDELN\\missing.txt").error(), err::kFileNotFound);
  EXPECT_EQ(files_.ReadAll("C:\\NOFOLDER\\missing.txt").error(), err::kPathNotFound);
  EXPECT_EQ(files_.ReadAll("C:\\VORDELN\\file.txt\\x.txt").error(), err::kPathNotFound);
  EXPECT_EQ(files_.ReadAll("C:\\VORDELN\\folder").error(), err::kPathFileAccess);
#ifdef _WIN32  // an unmapped drive is the host's own, here one that is absent
  EXPECT_NE(files_.ReadAll("Q:\\VORDELN\\file.txt").error(), err::kNone);
#else
  EXPECT_EQ(files_.ReadAll("Q:\\VORDELN\\file.txt").error(), err::kBadFileName);
#endif
  EXPECT_EQ(files_.ReadAll("VORDELN\\file.txt").error(), err::kBadFileName);
}

TEST_F(FileSystemTest, WriteAtomicallyCreatesAndReplaces) {
  EXPECT_EQ(files_.WriteAtomically("C:\\VORDELN\\USERMENU.INI", "x"), err::kPathNotFound);
  fs::create_directories(temp_.Path() / "VORDELN");

  EXPECT_EQ(files_.WriteAtomically("C:\\VORDELN\\USERMENU.INI", "first\r\n"), 0);
  EXPECT_EQ(ReadHost("VORDELN/USERMENU.INI"), "first\r\n");
  const std::string second("\"12601\"\r\n\0\x81\x40", 12);
  EXPECT_EQ(files_.WriteAtomically("c:\\vordeln\\usermenu.ini", second), 0);
  EXPECT_EQ(ReadHost("VORDELN/USERMENU.INI"), second);
  EXPECT_EQ(files_.WriteAtomically("C:\\VORDELN\\USERMENU.INI", ""), 0);
  EXPECT_EQ(ReadHost("VORDELN/USERMENU.INI"), "");
  EXPECT_EQ(FolderEntries(temp_.Path() / "VORDELN"), std::vector<std::string>{"USERMENU.INI"});
}

TEST_F(FileSystemTest, WriteAtomicallyRefusals) {
  temp_.Write("file.txt", "x");
  fs::create_directories(temp_.Path() / "dMENU.INI");
  EXPECT_EQ(files_.WriteAtomically("C:\\dMENU.INI", "1"), err::kPathFileAccess);
  EXPECT_EQ(files_.WriteAtomically("C:\\file.txt\\dMENU.INI", "1"), err::kPathNotFound);
#ifdef _WIN32
  EXPECT_NE(files_.WriteAtomically("Q:\\dMENU.INI", "1"), err::kNone);
#else
  EXPECT_EQ(files_.WriteAtomically("Q:\\dMENU.INI", "1"), err::kBadFileName);
#endif
  EXPECT_EQ(FolderEntries(temp_.Path()), (std::vector<std::string>{"dMENU.INI", "file.txt"}));
}

TEST_F(FileSystemTest, FailedWriteKeepsThePreviousFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to stop a write half-way";
#else
  const std::string previous = "\"12601\",\"old\"\r\n";
  temp_.Write("VORDELN/USERMENU.INI", previous);

  // Limit file size so the write stops half-way with EFBIG.
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const err::Number error =
      files_.WriteAtomically("C:\\VORDELN\\USERMENU.INI", std::string(100000, 'n'));
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);

  EXPECT_EQ(error, err::kDiskFull);
  EXPECT_EQ(ReadHost("VORDELN/USERMENU.INI"), previous);
  EXPECT_EQ(FolderEntries(temp_.Path() / "VORDELN"), std::vector<std::string>{"USERMENU.INI"});
#endif
}

TEST_F(FileSystemTest, RemoveFiles) {
  temp_.Write("VORDELN/USERMENU.INI", "x");
  fs::create_directories(temp_.Path() / "VORDELN/folder");
  EXPECT_EQ(files_.Remove("C:\\VORDELN\\usermenu.ini"), 0);
  EXPECT_FALSE(fs::exists(temp_.Path() / "VORDELN/USERMENU.INI"));
  EXPECT_EQ(files_.Remove("C:\\VORDELN\\USERMENU.INI"), 0);
  EXPECT_EQ(files_.Remove("C:\\NOFOLDER\\USERMENU.INI"), 0);
  EXPECT_EQ(files_.Remove("C:\\VORDELN\\folder"), err::kPathFileAccess);
#ifdef _WIN32
  EXPECT_EQ(files_.Remove("Q:\\x"), err::kNone);  // nothing there to remove
#else
  EXPECT_EQ(files_.Remove("Q:\\x"), err::kBadFileName);
#endif
}

// A FIFO (or a device behind a link) at a file's name must neither hang a read nor feed it
// for ever: each read takes it for a missing file.
TEST_F(FileSystemTest, ReadsTakeOnlyRegularFiles) {
#ifdef _WIN32
  // A device name in any folder is the device.
  fs::create_directories(temp_.Path() / "VORDELN");
  for (const char* path : {"C:\\VORDELN\\NUL", "C:\\VORDELN\\nul.txt"}) {
    EXPECT_EQ(files_.ReadAll(path).error(), err::kFileNotFound) << path;
    EXPECT_EQ(files_.ReadFirstLine(path).error(), err::kFileNotFound) << path;
  }
#else
  const fs::path fifo = temp_.Path() / "VORDELN/MENU.INI";
  test::MakeFifo(fifo);
  fs::create_symlink("/dev/zero", temp_.Path() / "VORDELN/dMENU.INI");
  const test::FifoHangGuard guard(fifo);
  for (const char* path : {"C:\\VORDELN\\MENU.INI", "C:\\VORDELN\\dMENU.INI"}) {
    EXPECT_EQ(files_.ReadAll(path).error(), err::kFileNotFound) << path;
    EXPECT_EQ(files_.ReadFirstLine(path).error(), err::kFileNotFound) << path;
    bool consumed = false;
    EXPECT_EQ(files_.ReadChunks(path, 931, 1 << 20, [&](std::string_view) { consumed = true; }),
              err::kFileNotFound)
        << path;
    EXPECT_FALSE(consumed);
  }
#endif
}

// Each read stops at its bound, whether the file says how large it is (a sparse file of
// several gigabytes) or not (/proc), and a file just at the bound is still read.
TEST_F(FileSystemTest, ReadsStopAtTheirBound) {
  test::MakeSparse(temp_.Path() / "big", std::uintmax_t{6} << 30);
  EXPECT_EQ(files_.ReadAll("C:\\big").error(), err::kFileTooLarge);
  const Result<std::string> line = files_.ReadFirstLine("C:\\big");
  EXPECT_EQ(line.error(), 0);
  EXPECT_EQ(line.value().size(), FileSystem::kFirstLineLimit);
  std::size_t chunked = 0;
  EXPECT_EQ(
      files_.ReadChunks("C:\\big", 1000, 10'500, [&](std::string_view c) { chunked += c.size(); }),
      0);
  EXPECT_EQ(chunked, 10'500u);

  temp_.Write("ten", "0123456789");
  EXPECT_EQ(files_.ReadAll("C:\\ten", 10).value(), "0123456789");
  EXPECT_EQ(files_.ReadAll("C:\\ten", 9).error(), err::kFileTooLarge);

#ifndef _WIN32  // a file that reports no size
  fs::create_symlink("/proc/self/status", temp_.Path() / "status");
  EXPECT_EQ(files_.ReadAll("C:\\status", 16).error(), err::kFileTooLarge);
  EXPECT_NE(files_.ReadAll("C:\\status").value().find("Name:"), std::string::npos);
#endif

  temp_.Write("lines", "first,x\r\nsecond\r\n");
  EXPECT_EQ(files_.ReadFirstLine("C:\\lines").value(), "first,x");
  temp_.Write("lines", "\nsecond\r\n");
  EXPECT_EQ(files_.ReadFirstLine("C:\\lines").value(), "");
}

TEST(ErrorDescriptionTest, ReadsAndWritesSayWhichWasRefused) {
  EXPECT_EQ(ErrorDescription(err::kPermissionDenied), "書き込みできません。");
  EXPECT_EQ(ReadErrorDescription(err::kPermissionDenied), "読み込みできません。");
  EXPECT_EQ(ReadErrorDescription(err::kFileNotFound), ErrorDescription(err::kFileNotFound));
  EXPECT_EQ(ErrorDescription(err::kFileTooLarge), "ファイルが大きすぎるため読み込めません。");
}

// A target without write permission stays as it is, also for a superuser, and no
// temporary file is left beside it.
TEST_F(FileSystemTest, WriteProtectedTargetIsNotReplaced) {
  const fs::path target = temp_.Write("VORDELN/USERMENU.INI", "kept\r\n");
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(files_.WriteAtomically("C:\\VORDELN\\USERMENU.INI", "new\r\n"), err::kPermissionDenied);
  EXPECT_EQ(ReadHost("VORDELN/USERMENU.INI"), "kept\r\n");
  EXPECT_EQ(FolderEntries(temp_.Path() / "VORDELN"), std::vector<std::string>{"USERMENU.INI"});
}

// Another user's file in a folder anyone may write to: the rename would succeed, but the
// file could not be opened for writing, so it is not replaced; nor can it be read, and the
// error says so. Needs a superuser to become that other user.
TEST_F(FileSystemTest, AnotherUsersFileIsNeitherReadNorReplaced) {
#ifdef _WIN32
  GTEST_SKIP() << "becoming another user needs fork and setuid";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a child as another user";
  fs::permissions(temp_.Path(), fs::perms::all);
  fs::create_directories(temp_.Path() / "VORDELN");
  fs::permissions(temp_.Path() / "VORDELN", fs::perms::all);
  const fs::path target = temp_.Write("VORDELN/USERMENU.INI", "theirs\r\n");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);

  EXPECT_TRUE(HoldsForAnotherUser([this] {
    const err::Number write = files_.WriteAtomically("C:\\VORDELN\\USERMENU.INI", "mine\r\n");
    const err::Number read = files_.ReadAll("C:\\VORDELN\\USERMENU.INI").error();
    return write == err::kPermissionDenied && read == err::kPermissionDenied;
  }));
  EXPECT_EQ(ReadHost("VORDELN/USERMENU.INI"), "theirs\r\n");
  EXPECT_EQ(FolderEntries(temp_.Path() / "VORDELN"), std::vector<std::string>{"USERMENU.INI"});
#endif
}

// A folder another user may list but not search names files that user cannot reach: a
// listing must not call them plain files. Needs a superuser to become that other user.
TEST_F(FileSystemTest, FolderListedButNotSearchableHoldsNoPlainFileForItsReader) {
#ifdef _WIN32
  GTEST_SKIP() << "becoming another user needs fork and setuid";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a child as another user";
  fs::permissions(temp_.Path(), fs::perms::all);
  std::vector<std::string> paths;
  for (int i = 0; i < 40; ++i) {
    temp_.Write("L/p" + std::to_string(i) + ".exe", "MZ");
    paths.push_back("C:\\L\\p" + std::to_string(i) + ".exe");
  }
  fs::permissions(temp_.Path() / "L",
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  const std::vector<std::string_view> views(paths.begin(), paths.end());

  EXPECT_TRUE(HoldsForAnotherUser([&] {
    const std::vector<std::uint8_t> results = PlainFileTests(files_, views).Results();
    const bool none = std::all_of(results.begin(), results.end(), [](auto r) { return r == 0; });
    return none && !files_.IsPlainFile(paths[0]);
  }));
#endif
}

// What a save killed half-way left beside its target goes with the next successful save
// of that target; nothing that merely looks alike does.
TEST_F(FileSystemTest, SuccessfulSaveRemovesItsOwnLeftovers) {
  const fs::path folder = temp_.Path() / "VORDELN";
  for (const char* litter :
       {".orva-save.USERMENU.INI.0123abcd", ".orva-save.usermenu.ini.89abcdef"}) {
    // Left an hour ago: on Windows a file written a moment ago may still be on its way.
    fs::last_write_time(temp_.Write(fs::path("VORDELN") / litter, "\"half"),
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  std::vector<std::string> alike = {
      ".orva-save.USERMENU.INI.0123abcg",  ".orva-save.USERMENU.INI.0123abc",
      ".orva-save.USERMENU.INI.0123abcd0", ".orva-save.dMENU.INI.0123abcd",
      "orva-save.USERMENU.INI.0123abcd",   "USERMENU.INI.bak"};
#ifndef _WIN32  // on Windows this is the same name as the first litter's
  alike.push_back(".orva-save.USERMENU.INI.0123ABCD");
#endif
  for (const std::string& name : alike) temp_.Write(fs::path("VORDELN") / name, "x");
  fs::create_directories(folder / ".orva-save.USERMENU.INI.fedcba98");
#ifndef _WIN32
  fs::create_symlink(folder / "USERMENU.INI.bak", folder / ".orva-save.USERMENU.INI.76543210");
#endif

  ASSERT_EQ(files_.WriteAtomically("C:\\VORDELN\\USERMENU.INI", "saved\r\n"), 0);
  std::vector<std::string> expected = alike;
  expected.push_back(".orva-save.USERMENU.INI.fedcba98");
#ifndef _WIN32
  expected.push_back(".orva-save.USERMENU.INI.76543210");
#endif
  expected.push_back("USERMENU.INI");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FolderEntries(folder), expected);
  EXPECT_EQ(ReadHost("VORDELN/USERMENU.INI"), "saved\r\n");
}

}  // namespace
}  // namespace orva
