#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <utility>

#include "platform/child_environment.h"
#include "platform/detached_process.h"

extern char** environ;

namespace orva {
namespace {

// Between fork and exec only async-signal-safe calls are allowed: everything the child
// needs is prepared before the first fork.
struct ExecPlan {
  const char* program;
  char* const* argv;
  char* const* envp;
  int reportFd;   // write end of the pipe that carries an exec failure to the go-between
  int highestFd;  // for closing descriptors one by one where close_range is missing
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

// What the go-between tells the caller: first whether the program runs, then, when it
// ended within the watch with a failure, how. Each fits one atomic pipe write.
struct Note {
  enum Kind : int { kRuns, kNotRun, kEnded } kind;
  int value;  // errno for kNotRun, wait status for kEnded
};

void Tell(int fd, Note note) {
  const ssize_t ignored = write(fd, &note, sizeof note);
  (void)ignored;
}

long long NowMilliseconds() {
  timespec now = {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Polls rather than blocks: the watch must end on time even if the program never does.
void WatchFirstMoments(pid_t program, long long milliseconds, int noteFd) {
  const long long deadline = NowMilliseconds() + milliseconds;
  const timespec step = {0, 10 * 1000 * 1000};
  while (NowMilliseconds() < deadline) {
    int status = 0;
    const pid_t ended = waitpid(program, &status, WNOHANG);
    if (ended == program) {
      const bool failed = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
      if (failed) Tell(noteFd, {Note::kEnded, status});
      return;
    }
    if (ended < 0 && errno != EINTR) return;
    nanosleep(&step, nullptr);
  }
}

// The go-between: starts the program, says whether it runs, watches it for a while and
// ends, so the program is then adopted by the system rather than left to the caller.
[[noreturn]] void GoBetween(const ExecPlan& plan, int execFailureFd, int noteFd,
                            long long watchMilliseconds) {
  // Inherited settings must not keep it from waiting for its child or end it on a write.
  struct sigaction byDefault = {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  sigaction(SIGCHLD, &byDefault, nullptr);
  struct sigaction ignore = byDefault;
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, nullptr);

  const pid_t started = fork();
  if (started == 0) BecomeProgram(plan);
  close(plan.reportFd);
  if (started < 0) {
    Tell(noteFd, {Note::kNotRun, errno});
    _exit(0);
  }
  // End of file: the program's exec closed the pipe. Anything else is why it did not run.
  int childError = 0;
  ssize_t got;
  do {
    got = read(execFailureFd, &childError, sizeof childError);
  } while (got < 0 && errno == EINTR);
  if (got != 0) {
    Tell(noteFd, {Note::kNotRun, got == sizeof childError ? childError : EIO});
    while (waitpid(started, nullptr, 0) < 0 && errno == EINTR) {
    }
    _exit(0);
  }
  Tell(noteFd, {Note::kRuns, 0});
  WatchFirstMoments(started, watchMilliseconds, noteFd);
  _exit(0);
}

bool ReadNote(int fd, Note& note) {
  ssize_t got;
  do {
    got = read(fd, &note, sizeof note);
  } while (got < 0 && errno == EINTR);
  return got == sizeof note;
}

void Reap(pid_t process) {
  while (waitpid(process, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

struct StartWatch::State {
  State(int descriptor, pid_t middle) : fd(descriptor), goBetween(middle) {}
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  ~State() {
    if (goBetween > 0) {
      kill(goBetween, SIGKILL);
      Reap(goBetween);
    }
    if (fd >= 0) close(fd);
  }

  int fd;
  pid_t goBetween;
};

StartWatch::StartWatch(std::unique_ptr<State> state) : state_(std::move(state)) {}
StartWatch::StartWatch(StartWatch&& other) noexcept = default;
StartWatch::~StartWatch() = default;

Waitable StartWatch::ReadyWhenOver() const { return state_ ? state_->fd : -1; }

EarlyEnd StartWatch::Collect() {
  EarlyEnd end;
  if (!state_) return end;
  Note note = {};
  if (state_->fd >= 0 && ReadNote(state_->fd, note) && note.kind == Note::kEnded) {
    end = {true, note.value};
  }
  // The go-between ends right after its last word.
  if (state_->goBetween > 0) Reap(std::exchange(state_->goBetween, 0));
  state_.reset();
  return end;
}

DetachedStart StartDetachedProcess(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   std::chrono::milliseconds watchFor) {
  return StartDetachedProcess(program, arguments, watchFor, {});
}

DetachedStart StartDetachedProcess(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   std::chrono::milliseconds watchFor,
                                   const std::vector<std::string>& environmentChanges) {
  std::vector<std::string> environment;
  std::vector<char*> envp;
  if (!environmentChanges.empty()) {
    environment = EnvironmentWith(environ, environmentChanges);
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  int execFailure[2];
  if (pipe2(execFailure, O_CLOEXEC) != 0) return {errno, std::nullopt};
  int notes[2];
  if (pipe2(notes, O_CLOEXEC) != 0) {
    const int error = errno;
    close(execFailure[0]);
    close(execFailure[1]);
    return {error, std::nullopt};
  }
  const ExecPlan plan{program.c_str(), argv.data(), envp.empty() ? environ : envp.data(),
                      execFailure[1], HighestDescriptor()};

  const pid_t middle = fork();
  if (middle == 0) {
    close(notes[0]);
    GoBetween(plan, execFailure[0], notes[1], watchFor.count());
  }
  const int forkError = errno;
  close(execFailure[0]);
  close(execFailure[1]);
  close(notes[1]);
  if (middle < 0) {
    close(notes[0]);
    return {forkError, std::nullopt};
  }
  StartWatch watch(std::make_unique<StartWatch::State>(notes[0], middle));
  Note first = {};
  if (!ReadNote(notes[0], first)) first = {Note::kNotRun, EIO};
  if (first.kind != Note::kRuns) {
    watch.Collect();
    return {first.value != 0 ? first.value : EIO, std::nullopt};
  }
  return {0, std::move(watch)};
}

}  // namespace orva
