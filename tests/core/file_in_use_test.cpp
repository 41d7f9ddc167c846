// Files that another program holds: every read says so, and reads again once let go.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "support/held_file.h"
#include "support/install_tree.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWorks = "C:\\DATA\\n_KOJI.RDM";

class FileInUseTest : public testing::Test {
 protected:
  FileInUseTest() { tree_.WriteBytes(kWorks, "first line\r\nsecond\r\n"); }

  fs::path Host() const { return tree_.Host(kWorks); }

  // Every read's error number, and whether a piece was handed on while the file was held.
  void ExpectEveryReadGives(err::Number expected) const {
    EXPECT_EQ(files_.ReadAll(kWorks).error(), expected);
    EXPECT_EQ(files_.ReadFirstLine(kWorks).error(), expected);
    int pieces = 0;
    EXPECT_EQ(files_.ReadChunks(kWorks, 4, 1024, [&](std::string_view) { ++pieces; }), expected);
    EXPECT_EQ(pieces == 0, expected != err::kNone);
  }

  test::InstallTree tree_;
  const FileSystem& files_ = tree_.Files();
};

TEST_F(FileInUseTest, HeldFileIsReportedAsInUseNotAsMissingOrEmpty) {
  test::HeldFile held(Host());
  EXPECT_TRUE(files_.IsPlainFile(kWorks));  // it is there: the list must not look empty
  ExpectEveryReadGives(err::kFileInUse);
  EXPECT_NE(ReadErrorDescription(err::kFileInUse).find("ほかのプログラム"), std::string::npos);

  held.Release();
  ExpectEveryReadGives(err::kNone);
  EXPECT_EQ(files_.ReadFirstLine(kWorks).value(), "first line");
}

#ifndef _WIN32
// Runs a program with the given environment added, its output dropped; its process id.
pid_t Spawn(const std::vector<std::string>& command, const std::vector<std::string>& environment) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  for (const std::string& setting : environment) ::putenv(const_cast<char*>(setting.c_str()));
  std::vector<char*> arguments;
  for (const std::string& argument : command)
    arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  ::execvp(arguments[0], arguments.data());
  ::_exit(127);
}

// A Windows program under Wine that locks the file: Wine shows the lock to POSIX, which is
// what the launcher on Linux sees of an estimating program holding its works file.
TEST_F(FileInUseTest, FileLockedByAWindowsProgramUnderWine) {
  const std::string holder = ORVA_WINE_HOLDER;
  if (holder.empty()) GTEST_SKIP() << "no hold-file.exe: mingw-w64 was not found at configure";
  if (std::system("command -v wine >/dev/null && command -v wineserver >/dev/null") != 0) {
    GTEST_SKIP() << "Wine is not installed; tools/bootstrap installs it";
  }
  const std::string prefix = "WINEPREFIX=" + (tree_.Prefix() / "wine").string();
  const std::vector<std::string> environment = {prefix, "WINEDEBUG=-all",
                                                "WINEDLLOVERRIDES=mscoree,mshtml="};
  const auto windows = [](const fs::path& path) { return "Z:" + path.string(); };
  const fs::path ready = tree_.Host("C:\\ready");
  const pid_t wine =
      Spawn({"wine", holder, windows(Host()), windows(ready), windows(tree_.Host("C:\\release"))},
            environment);
  ASSERT_GT(wine, 0);
  // A bound against hanging, not a measure: Wine sets the new prefix up first.
  for (int waited = 0; waited < 180000 && !fs::exists(ready); waited += 50) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(fs::exists(ready)) << "the holder did not take the file";
  ExpectEveryReadGives(err::kFileInUse);

  tree_.WriteBytes("C:\\release", "");
  int status = 0;
  EXPECT_EQ(::waitpid(wine, &status, 0), wine);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  ExpectEveryReadGives(err::kNone);
  int ended = 0;
  ::waitpid(Spawn({"wineserver", "-k"}, environment), &ended, 0);
}
#else
// Another process, a real Windows program, holds the file without sharing it.
TEST_F(FileInUseTest, FileHeldByAnotherProgram) {
  const std::wstring holder = fs::path(ORVA_WINE_HOLDER).wstring();
  if (holder.empty()) GTEST_SKIP() << "no hold_file.exe: mingw-w64 was not found at configure";
  const fs::path ready = tree_.Host("C:\\ready");
  const fs::path release = tree_.Host("C:\\release");
  std::wstring command = L"\"" + holder + L"\" \"" + Host().wstring() + L"\" \"" + ready.wstring() +
                         L"\" \"" + release.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
  // A bound against hanging, not a measure.
  for (int waited = 0; waited < 60000 && !fs::exists(ready); waited += 20) {
    if (::WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) break;
  }
  EXPECT_TRUE(fs::exists(ready)) << "the holder did not take the file";
  ExpectEveryReadGives(err::kFileInUse);

  tree_.WriteBytes("C:\\release", "");
  EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD status = 1;
  ::GetExitCodeProcess(process.hProcess, &status);
  EXPECT_EQ(status, 0u);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ExpectEveryReadGives(err::kNone);
}
#endif

}  // namespace
}  // namespace orva
