#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orva {

// How a watched program's first moments went.
struct EarlyEnd {
  bool ended = false;  // it ended within the watch with a failure
  int status = 0;      // then its wait status (POSIX) or its exit code (Windows)
};

// What the caller waits on: turns ready once the watch is over.
#ifdef _WIN32
using Waitable = void*;  // an event handle
#else
using Waitable = int;  // a descriptor that turns readable
#endif

// A started program under watch for its first moments (by a go-between process on POSIX,
// by a system wait on Windows). Dropping the watch early ends the watching, never the
// program.
class StartWatch {
 public:
  struct State;
  explicit StartWatch(std::unique_ptr<State> state);
  StartWatch(StartWatch&& other) noexcept;
  StartWatch& operator=(StartWatch&&) = delete;
  StartWatch(const StartWatch&) = delete;
  ~StartWatch();

  Waitable ReadyWhenOver() const;
  // Once ready: what was seen. Ends the watch.
  EarlyEnd Collect();

 private:
  std::unique_ptr<State> state_;
};

struct DetachedStart {
  int error = 0;                    // errno of a program that could not be executed; 0 when it runs
  std::optional<StartWatch> watch;  // set when it runs
};

// Starts `program` (a path, used as is: no PATH search, no shell) with `arguments`, as a
// process of its own that the caller neither waits for nor keeps, with the caller's
// environment and working folder. On POSIX it begins in a new session with the default
// signal mask and dispositions and no descriptor of the caller's but standard input, output
// and error; on Windows it inherits no handle. Paths and arguments are UTF-8.
// Returns once the program is executing or could not be; a program that ends with a
// failure within `watchFor` after that is reported through the watch.
DetachedStart StartDetachedProcess(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   std::chrono::milliseconds watchFor);

#ifndef _WIN32
// The same with the caller's environment changed for the program: "NAME=value" sets,
// a bare "NAME" removes.
DetachedStart StartDetachedProcess(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   std::chrono::milliseconds watchFor,
                                   const std::vector<std::string>& environmentChanges);
#endif

}  // namespace orva
