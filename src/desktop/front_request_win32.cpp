#include <windows.h>

#include <QWidget>
#include <string>

#include "desktop/front_request.h"
#include "desktop/single_instance.h"

namespace orva {
namespace {

// The mark the running launcher puts on its window; ASCII.
std::wstring WindowMark(const SingleInstanceLock& lock) {
  const std::string name = lock.Name() + ".front";
  return std::wstring(name.begin(), name.end());
}

struct Search {
  const wchar_t* mark;
  HWND found;
};

BOOL CALLBACK FindMarked(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (!GetPropW(window, search->mark)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

void AskRunningLauncherToFront(const SingleInstanceLock& lock) {
  const std::wstring mark = WindowMark(lock);
  Search search{mark.c_str(), nullptr};
  EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  SetForegroundWindow(search.found);
}

struct FrontRequests::Listener {
  HWND window = nullptr;
  std::wstring mark;
  ~Listener() {
    if (window) RemovePropW(window, mark.c_str());
  }
};

FrontRequests::FrontRequests(const SingleInstanceLock& lock, QWidget& window) : window_(&window) {
  auto listener = std::make_unique<Listener>();
  listener->mark = WindowMark(lock);
  const HWND handle = reinterpret_cast<HWND>(window.winId());
  if (!SetPropW(handle, listener->mark.c_str(), reinterpret_cast<HANDLE>(1))) return;
  listener->window = handle;
  listener_ = std::move(listener);
}

FrontRequests::~FrontRequests() = default;

}  // namespace orva
