#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orva {

// How a watched program's first moments went.
struct EarlyEnd {
  bool ended = false;  // it ended within the watch with a failure
  int status = 0;      // its wait status then (exit code or signal)
};

// A started program under watch for its first moments by the go-between that started it.
// The descriptor turns readable once that watch is over. Dropping the watch early ends the
// go-between, never the program.
class StartWatch {
 public:
  StartWatch(int descriptor, int goBetween) : fd_(descriptor), goBetween_(goBetween) {}
  StartWatch(StartWatch&& other) noexcept;
  StartWatch& operator=(StartWatch&&) = delete;
  StartWatch(const StartWatch&) = delete;
  ~StartWatch();

  int Descriptor() const { return fd_; }
  // Once the descriptor is readable: what the go-between saw. Ends the watch.
  EarlyEnd Collect();

 private:
  int fd_;
  int goBetween_;
};

struct DetachedStart {
  int error = 0;                    // errno of a program that could not be executed; 0 when it runs
  std::optional<StartWatch> watch;  // set when it runs
};

// Starts `program` (a path, used as is: no PATH search, no shell) with `arguments`, as a
// process of its own that the caller neither waits for nor keeps: it begins in a new
// session with the default signal mask and dispositions, the caller's environment and
// working folder, and no descriptor of the caller's but standard input, output and error.
// Returns once the program is executing or could not be; a program that ends with a
// failure within `watchFor` after that is reported through the watch.
DetachedStart StartDetachedProcess(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   std::chrono::milliseconds watchFor);

}  // namespace orva
