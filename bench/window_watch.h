#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/child_process.h"

namespace orva::bench {

// What the user sees of a program's start: from the exec to its top-level window's map,
// and to the last paint of that window before it stays unchanged for the quiet interval.
struct WatchedStart {
  std::unique_ptr<ChildProcess> process;  // still running
  double mappedMs = -1;
  double paintedMs = -1;  // negative when the window never mapped or painted in time
};

// An X client that watches the display for new top-level windows and their paints
// (the DAMAGE extension), without a window manager's help and without touching the program.
class WindowWatch {
 public:
  explicit WindowWatch(std::chrono::milliseconds quiet);  // connects to $DISPLAY
  ~WindowWatch();
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;

  // Empty when the display and its DAMAGE extension can be used; else what is wrong.
  const std::string& Problem() const { return problem_; }

  WatchedStart Start(const std::vector<std::string>& argv,
                     const std::vector<std::string>& environment, std::chrono::seconds timeout);

 private:
  struct Tracked;
  void Track(xcb_window_t window, std::vector<Tracked>& tracked);
  bool OwnedBy(xcb_window_t window, pid_t pid);
  void Discard(std::vector<Tracked>& tracked);
  void DrainEvents();

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_atom_t pidAtom_ = 0;
  std::uint8_t damageEvent_ = 0;
  std::chrono::milliseconds quiet_;
  std::string problem_;
};

}  // namespace orva::bench
