#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace orva::bench {

// A program started for a whole-process figure, its output discarded.
class ChildProcess {
 public:
  // `environment` holds "NAME=value" entries added to (or replacing those of) this
  // process's environment; "NAME" alone removes the variable.
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
  ~ChildProcess();  // stops it, if still running
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }  // -1 when it could not be started
  bool Running();
  // Asks it to end as a user's session would (SIGTERM), then insists.
  void Stop();

 private:
  pid_t pid_ = -1;
};

}  // namespace orva::bench
