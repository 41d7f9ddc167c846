#include "bench/window_watch.h"

#include <poll.h>
#include <xcb/damage.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace orva::bench {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

struct WindowWatch::Tracked {
  xcb_window_t window = 0;
  xcb_damage_damage_t damage = 0;
  bool mapped = false;
  Clock::time_point mappedAt;
  Clock::time_point paintedAt;
  bool painted = false;
};

WindowWatch::WindowWatch(std::chrono::milliseconds quiet) : quiet_(quiet) {
  int screenNumber = 0;
  connection_ = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection_)) {
    problem_ = "no X display";
    return;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  root_ = screens.data->root;

  const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
  if (damage == nullptr || !damage->present) {
    problem_ = "the X server has no DAMAGE extension";
    return;
  }
  damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
  ReplyPtr<xcb_damage_query_version_reply_t> version(
      xcb_damage_query_version_reply(connection_, xcb_damage_query_version(connection_, 1, 1),
                                     nullptr),
      &std::free);
  const char* name = "_NET_WM_PID";
  ReplyPtr<xcb_intern_atom_reply_t> atom(
      xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name),
                            nullptr),
      &std::free);
  if (atom) pidAtom_ = atom->atom;
  // Without a window manager, top-level windows are created and mapped as children of
  // the root, which reports both.
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
}

WindowWatch::~WindowWatch() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

void WindowWatch::Track(xcb_window_t window, std::vector<Tracked>& tracked) {
  Tracked entry;
  entry.window = window;
  // Damage is watched from creation on, so no paint can come before the watching.
  entry.damage = xcb_generate_id(connection_);
  xcb_damage_create(connection_, entry.damage, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
  // A window manager would reparent the window and take its map out of the root's view;
  // the window's own structure events still report it.
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
  tracked.push_back(entry);
}

// Whether the window is the started program's; a window that does not say is taken as its.
bool WindowWatch::OwnedBy(xcb_window_t window, pid_t pid) {
  if (pidAtom_ == 0) return true;
  ReplyPtr<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(
          connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1),
          nullptr),
      &std::free);
  if (!reply || xcb_get_property_value_length(reply.get()) != 4) return true;
  return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())) ==
         static_cast<std::uint32_t>(pid);
}

void WindowWatch::Discard(std::vector<Tracked>& tracked) {
  // A window already destroyed took its damage object along: the error that the
  // destroy then raises is drained with the other events.
  for (const Tracked& entry : tracked) xcb_damage_destroy(connection_, entry.damage);
  xcb_flush(connection_);
  tracked.clear();
}

void WindowWatch::DrainEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
}

WatchedStart WindowWatch::Start(const std::vector<std::string>& argv,
                                const std::vector<std::string>& environment,
                                std::chrono::seconds timeout) {
  WatchedStart result;
  if (!problem_.empty()) return result;
  DrainEvents();
  std::vector<Tracked> tracked;
  const Clock::time_point start = Clock::now();
  result.process = std::make_unique<ChildProcess>(argv, environment);
  if (result.process->Pid() < 0) return result;
  const Clock::time_point deadline = start + timeout;
  int shown = -1;  // index of the program's window once it has mapped

  pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
  while (Clock::now() < deadline) {
    while (xcb_generic_event_t* raw = xcb_poll_for_event(connection_)) {
      const Clock::time_point now = Clock::now();
      const std::uint8_t type = raw->response_type & 0x7F;
      if (type == XCB_CREATE_NOTIFY) {
        const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(raw);
        if (created->parent == root_ && !created->override_redirect) {
          Track(created->window, tracked);
        }
      } else if (type == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(raw);
        for (std::size_t i = 0; i < tracked.size(); ++i) {
          Tracked& entry = tracked[i];
          if (entry.window != map->window || entry.mapped) continue;
          entry.mapped = true;
          entry.mappedAt = now;
          if (shown < 0 && OwnedBy(entry.window, result.process->Pid())) {
            shown = static_cast<int>(i);
          }
        }
      } else if (type == damageEvent_) {
        const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(raw);
        for (Tracked& entry : tracked) {
          if (entry.damage != damage->damage) continue;
          entry.painted = true;
          entry.paintedAt = now;
        }
      }
      std::free(raw);
    }
    if (shown >= 0) {
      const Tracked& window = tracked[static_cast<std::size_t>(shown)];
      if (window.painted && window.paintedAt >= window.mappedAt &&
          Clock::now() - window.paintedAt >= quiet_) {
        result.mappedMs = MillisecondsSince(start, window.mappedAt);
        result.paintedMs = MillisecondsSince(start, window.paintedAt);
        break;
      }
    }
    if (!result.process->Running()) break;
    // Wake for the next event, or when the quiet interval could have passed.
    poll(&descriptor, 1, 10);
  }
  Discard(tracked);
  return result;
}

}  // namespace orva::bench
