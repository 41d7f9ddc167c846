#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/scoped_environment.h"

namespace orva::test {

// An X server of the test's own (Xvfb), named by DISPLAY while the object lives, and what
// clients say on its root window: startup notification messages put together, and window
// activation requests. Available() is false where Xvfb cannot be started.
class VirtualDisplay {
 public:
  struct Activation {
    std::uint32_t window;
    std::uint32_t time;
  };

  VirtualDisplay() {
    int numberPipe[2];
    if (pipe2(numberPipe, O_CLOEXEC) != 0) return;
    server_ = fork();
    if (server_ == 0) {
      // The one descriptor exec keeps.
      if (numberPipe[1] == 3) {
        fcntl(3, F_SETFD, 0);
      } else {
        dup2(numberPipe[1], 3);
      }
      const int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, 1);
      dup2(quiet, 2);
      execlp("Xvfb", "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "640x480x24",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(numberPipe[1]);
    const std::string number = ReadLine(numberPipe[0]);
    close(numberPipe[0]);
    if (server_ < 0 || number.empty()) return;
    const std::string name = ":" + number;
    display_.Set("DISPLAY", name);
    watcher_ = xcb_connect(name.c_str(), nullptr);
    if (xcb_connection_has_error(watcher_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(watcher_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(watcher_, root_, XCB_CW_EVENT_MASK, &mask);
    begin_ = Atom("_NET_STARTUP_INFO_BEGIN");
    more_ = Atom("_NET_STARTUP_INFO");
    active_ = Atom("_NET_ACTIVE_WINDOW");
  }
  ~VirtualDisplay() {
    if (watcher_) xcb_disconnect(watcher_);
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
    }
  }
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool Available() const { return active_ != XCB_ATOM_NONE; }
  // A server that stops answering, and comes back.
  void Pause() { kill(server_, SIGSTOP); }
  void Resume() { kill(server_, SIGCONT); }

  // Every startup message said so far ("new: ID=…", "remove: ID=…"), in order.
  const std::vector<std::string>& Messages() {
    Read();
    return messages_;
  }
  const std::vector<Activation>& Activations() {
    Read();
    return activations_;
  }
  // Runs the event loop until `done` holds; false if it never did.
  bool WaitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(
        [&] {
          Read();
          return done();
        },
        30000);  // a bound against hanging, not a measure
  }

 private:
  static std::string ReadLine(int fd) {
    std::string line;
    pollfd ready = {fd, POLLIN, 0};
    char c;
    while (poll(&ready, 1, 30000) > 0 && read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }

  xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        watcher_, xcb_intern_atom(watcher_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
  }

  void Read() {
    if (!Available()) return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(watcher_)) {
      if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
        Take(*reinterpret_cast<xcb_client_message_event_t*>(event));
      }
      std::free(event);
    }
  }

  void Take(const xcb_client_message_event_t& message) {
    if (message.type == active_) {
      activations_.push_back({message.window, message.data.data32[1]});
      return;
    }
    if (message.type != begin_ && message.type != more_) return;
    std::string& text = partial_[message.window];
    if (message.type == begin_) text.clear();
    for (std::uint8_t byte : message.data.data8) {
      if (byte == 0) {
        messages_.push_back(text);
        partial_.erase(message.window);
        return;
      }
      text += static_cast<char>(byte);
    }
  }

  ScopedEnvironment display_;
  pid_t server_ = -1;
  xcb_connection_t* watcher_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  xcb_atom_t begin_ = XCB_ATOM_NONE;
  xcb_atom_t more_ = XCB_ATOM_NONE;
  xcb_atom_t active_ = XCB_ATOM_NONE;
  std::map<xcb_window_t, std::string> partial_;
  std::vector<std::string> messages_;
  std::vector<Activation> activations_;
};

}  // namespace orva::test
