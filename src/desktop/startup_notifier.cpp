#include "desktop/startup_notifier.h"

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/startup_notice.h"

namespace orva {
namespace {

constexpr char kLauncher[] = "orva-menu";
constexpr std::chrono::milliseconds kServerPatience{500};

xcb_atom_t Atom(xcb_connection_t* xcb, xcb_intern_atom_cookie_t cookie) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(xcb, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

std::string HostName() {
  std::array<char, 256> name = {};
  if (gethostname(name.data(), name.size() - 1) != 0) return "localhost";
  return name.data();
}

}  // namespace

struct StartupNotifier::Connection {
  explicit Connection(xcb_connection_t* connection) : xcb(connection) {}
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { xcb_disconnect(xcb); }

  // Receivers put a message together by the window that sent it: each message gets a
  // window of its own, gone once it is sent.
  xcb_window_t NewSender() {
    const xcb_window_t window = xcb_generate_id(xcb);
    const std::uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(xcb, XCB_COPY_FROM_PARENT, window, root, -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    return window;
  }

  // The server's time now: a property change on `window` comes back stamped with it. A
  // server that does not answer soon costs the start its time, never the launcher its
  // responsiveness.
  std::uint32_t ServerTime(xcb_window_t window) {
    xcb_change_property(xcb, XCB_PROP_MODE_APPEND, window, moreAtom, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(xcb);
    const auto deadline = std::chrono::steady_clock::now() + kServerPatience;
    for (;;) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(xcb)) {
        const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
        const bool found =
            (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY && notify->window == window;
        const std::uint32_t time = found ? notify->time : 0;
        std::free(event);
        if (found) return time;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (xcb_connection_has_error(xcb) || left.count() <= 0) return 0;
      pollfd readable = {xcb_get_file_descriptor(xcb), POLLIN, 0};
      poll(&readable, 1, static_cast<int>(left.count()));
    }
  }

  void Send(xcb_window_t sender, const std::string& text) {
    bool first = true;
    for (const StartupNoticePiece& piece : StartupNoticePieces(text)) {
      xcb_client_message_event_t message = {};
      message.response_type = XCB_CLIENT_MESSAGE;
      message.format = 8;
      message.window = sender;
      message.type = first ? beginAtom : moreAtom;
      std::memcpy(message.data.data8, piece.data(), piece.size());
      xcb_send_event(xcb, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                     reinterpret_cast<const char*>(&message));
      first = false;
    }
    xcb_destroy_window(xcb, sender);
    xcb_flush(xcb);
    DropEvents();
  }

  // Nothing here waits for what it is sent but the one time stamp.
  void DropEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(xcb)) std::free(event);
  }

  xcb_connection_t* xcb;
  xcb_window_t root = XCB_WINDOW_NONE;
  int screen = 0;
  xcb_atom_t beginAtom = XCB_ATOM_NONE;
  xcb_atom_t moreAtom = XCB_ATOM_NONE;
  xcb_atom_t activeWindowAtom = XCB_ATOM_NONE;
};

StartupNotifier::StartupNotifier() = default;
StartupNotifier::~StartupNotifier() = default;

StartupNotifier::Connection* StartupNotifier::Connected() {
  if (tried_) return connection_.get();
  tried_ = true;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return nullptr;
  int screen = 0;
  auto connection = std::make_unique<Connection>(xcb_connect(nullptr, &screen));
  xcb_connection_t* xcb = connection->xcb;
  if (xcb_connection_has_error(xcb)) return nullptr;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(xcb));
  for (int i = 0; i < screen && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem <= 0) return nullptr;
  connection->root = screens.data->root;
  connection->screen = screen;
  const auto intern = [xcb](const char* name) {
    return xcb_intern_atom(xcb, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  };
  const auto begin = intern("_NET_STARTUP_INFO_BEGIN");
  const auto more = intern("_NET_STARTUP_INFO");
  const auto active = intern("_NET_ACTIVE_WINDOW");
  connection->beginAtom = Atom(xcb, begin);
  connection->moreAtom = Atom(xcb, more);
  connection->activeWindowAtom = Atom(xcb, active);
  if (connection->beginAtom == XCB_ATOM_NONE || connection->moreAtom == XCB_ATOM_NONE) {
    return nullptr;
  }
  connection_ = std::move(connection);
  return connection_.get();
}

std::string StartupNotifier::Announce(const std::string& fileName) {
  Connection* connection = Connected();
  if (!connection) return {};
  const xcb_window_t sender = connection->NewSender();
  const std::uint32_t time = connection->ServerTime(sender);
  const std::string id =
      NewStartupId(kLauncher, HostName(), static_cast<long>(getpid()), fileName, ++sequence_, time);
  connection->Send(sender, StartupNoticeText("new", {{"ID", id},
                                                     {"NAME", fileName},
                                                     {"SCREEN", std::to_string(connection->screen)},
                                                     {"BIN", fileName},
                                                     {"TIMESTAMP", std::to_string(time)}}));
  return id;
}

void StartupNotifier::Remove(const std::string& id) {
  Connection* connection = Connected();
  if (!connection || id.empty()) return;
  connection->Send(connection->NewSender(), StartupNoticeText("remove", {{"ID", id}}));
}

void StartupNotifier::Activate(std::uint32_t window, const std::string& id) {
  Connection* connection = Connected();
  const std::uint32_t time = StartupIdTime(id);
  if (!connection || connection->activeWindowAtom == XCB_ATOM_NONE || time == 0) return;
  xcb_client_message_event_t message = {};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = connection->activeWindowAtom;
  message.data.data32[0] = 1;  // asked for by an application
  message.data.data32[1] = time;
  xcb_send_event(connection->xcb, 0, connection->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection->xcb);
}

}  // namespace orva
