#include "desktop/program_start.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QThread>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
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
  const fs::path program =
      Executable(dir, "my programs/run me", "#!/bin/sh\necho ran > '" + marker.string() + "'\n");
  ASSERT_TRUE(StartProgramFile(Q(program)));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!fs::exists(marker) && std::chrono::steady_clock::now() < deadline) {
    QThread::msleep(20);
  }
  ASSERT_TRUE(fs::exists(marker));
  QThread::msleep(50);                   // let the echo finish its line
  EXPECT_EQ(fs::file_size(marker), 4u);  // "ran\n"
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool WaitForFile(const fs::path& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::exists(path) && std::chrono::steady_clock::now() < deadline) QThread::msleep(20);
  return fs::exists(path);
}

// The launcher's own settings while a program is started: the termination signals
// blocked, one signal ignored, and a descriptor that is not closed on exec.
class LauncherLikeProcess {
 public:
  explicit LauncherLikeProcess(const fs::path& heldFile) {
    sigset_t termination;
    sigemptyset(&termination);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&termination, signal);
    pthread_sigmask(SIG_BLOCK, &termination, &oldMask_);
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGUSR2, &ignore, &oldUsr2_);
    heldFd_ = ::open(heldFile.c_str(), O_RDWR | O_CREAT, 0600);
  }
  ~LauncherLikeProcess() {
    ::close(heldFd_);
    sigaction(SIGUSR2, &oldUsr2_, nullptr);
    pthread_sigmask(SIG_SETMASK, &oldMask_, nullptr);
  }

 private:
  sigset_t oldMask_;
  struct sigaction oldUsr2_ = {};
  int heldFd_ = -1;
};

TEST(ProgramStartTest, StartedProgramGetsACleanProcessAndIsNotTheLaunchersChild) {
  TempDir dir;
  const fs::path out = dir.Path() / "out";
  fs::create_directories(out);
  const std::string quoted = "'" + out.string() + "'";
  const fs::path program = Executable(dir, "probe",
                                      "#!/bin/sh\n"
                                      "grep -E '^(SigBlk|SigIgn):' /proc/self/status > " +
                                          quoted +
                                          "/signals\n"
                                          "echo \"$PPID\" > " +
                                          quoted +
                                          "/parent\n"
                                          "ls -l /proc/self/fd/ > " +
                                          quoted +
                                          "/fds\n"
                                          ": > " +
                                          quoted + "/done\n");
  {
    LauncherLikeProcess launcher(dir.Path() / "launcher-held");
    ASSERT_TRUE(StartProgramFile(Q(program)));
  }
  // The go-between was waited for, and the program itself is no child of ours.
  int status = 0;
  EXPECT_LE(waitpid(-1, &status, WNOHANG), 0);
  ASSERT_TRUE(WaitForFile(out / "done"));

  EXPECT_EQ(ReadWhole(out / "signals"), "SigBlk:\t0000000000000000\nSigIgn:\t0000000000000000\n");
  EXPECT_NE(std::stoi(ReadWhole(out / "parent")), static_cast<int>(getpid()));
  std::istringstream fds(ReadWhole(out / "fds"));
  for (std::string line; std::getline(fds, line);) {
    // "lrwx------ 1 root root 64 <date> 3 -> /path"
    std::istringstream words(line);
    std::string word, number, target;
    while (words >> word && word != "->") number = word;
    if (word != "->") continue;  // the "total" line
    words >> target;
    const bool standard = number == "0" || number == "1" || number == "2";
    const bool listersOwn = target.find("/fd") != std::string::npos;
    EXPECT_TRUE(standard || listersOwn) << "inherited: " << line;
    EXPECT_EQ(target.find("launcher-held"), std::string::npos) << line;
  }
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
  const bool windowsStarted = static_cast<bool>(StartProgramFile(Q(windowsProgram)));
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
