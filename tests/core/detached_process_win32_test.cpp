#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/detached_process.h"
#include "platform/utf8_path.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

// The marker program writes its working folder to marker.txt there and ends with 0, or
// with 1 when it cannot.
fs::path Marker() { return fs::path(ORVA_WINE_MARKER); }

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

EarlyEnd WaitAndCollect(StartWatch& watch) {
  EXPECT_EQ(WaitForSingleObject(watch.ReadyWhenOver(), 20000), WAIT_OBJECT_0);
  return watch.Collect();
}

// Runs in a folder of its own, so the marker's file lands there.
class DetachedProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Marker().empty()) GTEST_SKIP() << "the marker program was not built";
    before_ = fs::current_path();
    fs::current_path(dir_.Path());
  }
  void TearDown() override {
    if (!before_.empty()) fs::current_path(before_);
  }

  fs::path Copy(const fs::path& relative) {
    const fs::path target = dir_.Path() / relative;
    fs::create_directories(target.parent_path());
    fs::copy_file(Marker(), target);
    return target;
  }

  TempDir dir_;
  fs::path before_;
};

TEST_F(DetachedProcessTest, StartsExactlyTheFileInTheCallersFolder) {
  // What a command line split at the blank, or a search, would start instead.
  Copy("my.exe");
  const fs::path program = Copy(PathOfUtf8("my programs\\run me 工事.exe"));
  DetachedStart start = StartDetachedProcess(Utf8(program), {}, milliseconds(10000));
  ASSERT_EQ(start.error, 0);
  ASSERT_TRUE(start.watch);
  EXPECT_FALSE(WaitAndCollect(*start.watch).ended);
  EXPECT_EQ(ReadWhole(dir_.Path() / "marker.txt"), Utf8(fs::current_path()));
}

TEST_F(DetachedProcessTest, WhatCannotBeStartedGivesItsReason) {
  EXPECT_EQ(StartDetachedProcess(Utf8(dir_.Path() / "absent.exe"), {}, milliseconds(100)).error,
            ENOENT);
  // No extension is added and nothing is searched for.
  Copy("tool.exe");
  EXPECT_EQ(StartDetachedProcess(Utf8(dir_.Path() / "tool"), {}, milliseconds(100)).error, ENOENT);
  const fs::path text = dir_.Write("text.exe", "not a program");
  EXPECT_EQ(StartDetachedProcess(Utf8(text), {}, milliseconds(100)).error, ENOEXEC);
}

TEST_F(DetachedProcessTest, AnEarlyFailureIsSeenAndALateOrCleanEndIsNot) {
  const fs::path program = Copy("marker.exe");
  // A folder where the marker's file goes makes it end with 1 at once.
  fs::create_directory(dir_.Path() / "marker.txt");
  DetachedStart failing = StartDetachedProcess(Utf8(program), {}, milliseconds(10000));
  ASSERT_TRUE(failing.watch);
  const EarlyEnd end = WaitAndCollect(*failing.watch);
  EXPECT_TRUE(end.ended);
  EXPECT_EQ(end.status, 1);

  fs::remove(dir_.Path() / "marker.txt");
  DetachedStart clean = StartDetachedProcess(Utf8(program), {}, milliseconds(10000));
  ASSERT_TRUE(clean.watch);
  EXPECT_FALSE(WaitAndCollect(*clean.watch).ended);

  // A watch dropped before it is over leaves the program alone.
  fs::remove(dir_.Path() / "marker.txt");
  { DetachedStart dropped = StartDetachedProcess(Utf8(program), {}, milliseconds(10000)); }
  for (int i = 0; i < 500 && !fs::exists(dir_.Path() / "marker.txt"); ++i) Sleep(20);
  EXPECT_TRUE(fs::exists(dir_.Path() / "marker.txt"));
}

// Under Wine a program of the host is started without a process handle: it runs unwatched,
// and nothing is left waiting on a handle that never turns ready.
TEST_F(DetachedProcessTest, HostProgramUnderWineRunsUnwatched) {
  if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
    GTEST_SKIP() << "only Wine starts programs of its host";
  }
  const fs::path host = "Z:\\bin\\true";
  if (!fs::exists(host)) GTEST_SKIP() << "the host has no /bin/true";
  DetachedStart start = StartDetachedProcess(Utf8(host), {}, milliseconds(10000));
  EXPECT_EQ(start.error, 0);
  EXPECT_FALSE(start.watch);
}

}  // namespace
}  // namespace orva
