#include "platform/detached_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace orva {
namespace {

// Between fork and exec only async-signal-safe calls are allowed: everything the child
// needs is prepared before the first fork.
struct ExecPlan {
  const char* program;
  char* const* argv;
  char* const* envp;
  int reportFd;     // write end of the pipe that carries an exec failure back
  int highestFd;    // for closing descriptors one by one where close_range is missing
};

void ResetSignals() {
  struct sigaction byDefault = {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  // SIGKILL, SIGSTOP and the C library's own signals refuse; nothing to do about them.
  for (int signal = 1; signal < NSIG; ++signal) sigaction(signal, &byDefault, nullptr);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
}

void CloseRange(unsigned first, unsigned last, int highestFd) {
  if (first > last) return;
  if (close_range(first, last, 0) == 0) return;
  for (unsigned fd = first; fd <= last && fd <= static_cast<unsigned>(highestFd); ++fd) {
    close(static_cast<int>(fd));
  }
}

// Keeps 0, 1, 2 and the report pipe, which closes itself on exec.
void CloseInheritedDescriptors(const ExecPlan& plan) {
  const auto report = static_cast<unsigned>(plan.reportFd);
  CloseRange(STDERR_FILENO + 1, report - 1, plan.highestFd);
  CloseRange(report + 1, ~0U, plan.highestFd);
}

void Report(int fd, int error) {
  const ssize_t ignored = write(fd, &error, sizeof error);
  (void)ignored;
}

[[noreturn]] void BecomeProgram(const ExecPlan& plan) {
  ResetSignals();
  CloseInheritedDescriptors(plan);
  setsid();  // not in the launcher's terminal session or process group
  execve(plan.program, plan.argv, plan.envp);
  Report(plan.reportFd, errno);
  _exit(127);
}

int HighestDescriptor() {
  rlimit limit = {};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 65535;
  return static_cast<int>(limit.rlim_cur > 1048576 ? 1048576 : limit.rlim_cur) - 1;
}

}  // namespace

bool StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const ExecPlan plan{program.c_str(), argv.data(), environ, report[1], HighestDescriptor()};

  // The middle process starts the program and ends at once, so the program is adopted by
  // the system rather than left to the launcher: no zombie, no id kept.
  const pid_t middle = fork();
  if (middle == 0) {
    close(report[0]);
    const pid_t started = fork();
    if (started == 0) BecomeProgram(plan);
    if (started < 0) Report(report[1], errno);
    _exit(0);
  }
  close(report[1]);
  if (middle < 0) {
    close(report[0]);
    return false;
  }
  while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
  // End of file: the program's exec closed the pipe. Anything else is why it did not run.
  int childError = 0;
  ssize_t got;
  do {
    got = read(report[0], &childError, sizeof childError);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  return got == 0;
}

}  // namespace orva
