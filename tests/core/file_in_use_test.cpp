// Files that another program holds: every read says so, and reads again once let go.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <string>

#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "support/held_file.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWorks = "C:\\DATA\\n_KOJI.RDM";

class FileInUseTest : public testing::Test {
 protected:
  FileInUseTest() : files_(MakeDrives()) {
    temp_.Write("DATA/n_KOJI.RDM", "first line\r\nsecond\r\n");
  }

  DriveTable MakeDrives() const {
    DriveTable drives;
    drives.SetDrive('C', temp_.Path());
    return drives;
  }

  fs::path Host() const { return temp_.Path() / "DATA" / "n_KOJI.RDM"; }

  // Every read's error number, and whether a piece was handed on while the file was held.
  void ExpectEveryReadGives(err::Number expected) const {
    EXPECT_EQ(files_.ReadAll(kWorks).error(), expected);
    EXPECT_EQ(files_.ReadFirstLine(kWorks).error(), expected);
    int pieces = 0;
    EXPECT_EQ(files_.ReadChunks(kWorks, 4, 1024, [&](std::string_view) { ++pieces; }), expected);
    EXPECT_EQ(pieces == 0, expected != err::kNone);
  }

  TempDir temp_;
  FileSystem files_;
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

#ifdef _WIN32
// Another process, a real Windows program, holds the file without sharing it.
TEST_F(FileInUseTest, FileHeldByAnotherProgram) {
  const std::wstring holder = fs::path(ORVA_WINE_HOLDER).wstring();
  if (holder.empty()) GTEST_SKIP() << "no hold_file.exe: mingw-w64 was not found at configure";
  const fs::path ready = temp_.Path() / "ready";
  const fs::path release = temp_.Path() / "release";
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

  temp_.Write("release", "");
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
