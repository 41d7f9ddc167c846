#include "platform/program_start.h"

#include <gtest/gtest.h>

#include <QThread>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

fs::path Executable(const TempDir& dir, const fs::path& relative, const std::string& bytes) {
  const fs::path path = dir.Write(relative, bytes);
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
  return path;
}

TEST(ProgramStartTest, StartsExactlyTheFileEvenWithBlanksInItsPath) {
  TempDir dir;
  const fs::path marker = dir.Path() / "marker";
  // What a command line split at the blank would start instead.
  Executable(dir, "my", "#!/bin/sh\necho wrong > '" + marker.string() + "'\n");
  const fs::path program = Executable(
      dir, "my programs/run me", "#!/bin/sh\necho ran > '" + marker.string() + "'\n");
  ASSERT_TRUE(StartProgramFile(Q(program)));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!fs::exists(marker) && std::chrono::steady_clock::now() < deadline) {
    QThread::msleep(20);
  }
  ASSERT_TRUE(fs::exists(marker));
  QThread::msleep(50);  // let the echo finish its line
  EXPECT_EQ(fs::file_size(marker), 4u);  // "ran\n"
}

TEST(ProgramStartTest, WindowsProgramWithoutWineAndNonExecutablesDoNotStart) {
  TempDir dir;
  const fs::path windowsProgram = Executable(dir, "a.exe", "MZ\x90\x00rest");
  const fs::path plainText = dir.Write("notes.txt", "just text");
  const std::optional<std::string> oldPath =
      std::getenv("PATH") ? std::optional<std::string>(std::getenv("PATH")) : std::nullopt;
  const fs::path emptyBin = dir.Path() / "bin";
  fs::create_directories(emptyBin);
  ::setenv("PATH", emptyBin.c_str(), 1);
  const bool windowsStarted = StartProgramFile(Q(windowsProgram));
  if (oldPath) {
    ::setenv("PATH", oldPath->c_str(), 1);
  } else {
    ::unsetenv("PATH");
  }
  EXPECT_FALSE(windowsStarted);
  EXPECT_FALSE(StartProgramFile(Q(plainText)));
  EXPECT_FALSE(StartProgramFile(Q(dir.Path() / "absent")));
}

}  // namespace
}  // namespace orva
