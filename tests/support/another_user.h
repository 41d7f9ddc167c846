#pragma once

#ifndef _WIN32
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace orva::test {

inline constexpr uid_t kNobody = 65534;

// Runs `check` in a child process as the user nobody (the caller must be a superuser, whom
// permission checks do not stop): whether it held there.
inline bool HoldsForAnotherUser(const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      ::_exit(100);
    }
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace orva::test
#endif
