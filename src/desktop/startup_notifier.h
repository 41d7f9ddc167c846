#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace orva {

// The X desktop's startup notification, over a connection of its own to $DISPLAY: it serves
// whichever platform Qt draws on, and a Windows program under Wine is an X client even on
// a Wayland desktop (through XWayland). Without a display nothing is said, silently.
class StartupNotifier {
 public:
  StartupNotifier();
  ~StartupNotifier();
  StartupNotifier(const StartupNotifier&) = delete;
  StartupNotifier& operator=(const StartupNotifier&) = delete;

  // Says "new:" for a start of the program `fileName`; the id to hand it in
  // DESKTOP_STARTUP_ID, or "" when nothing was said.
  std::string Announce(const std::string& fileName);
  // Says "remove:" for a start announced here or by another launcher.
  void Remove(const std::string& id);
  // Asks the window manager to activate `window` for the user action that made the start
  // with `id` (its time lets a desktop that prevents focus stealing allow it).
  void Activate(std::uint32_t window, const std::string& id);

 private:
  struct Connection;
  Connection* Connected();

  std::unique_ptr<Connection> connection_;
  bool tried_ = false;
  unsigned sequence_ = 0;
};

}  // namespace orva
