#include <windows.h>

#include <atomic>
#include <cerrno>
#include <utility>

#include "platform/detached_process.h"
#include "platform/utf8_path.h"

namespace orva {
namespace {

// One argument as the C runtime's command-line parser reads it back: backslashes count
// only before a quote.
void AppendQuoted(std::wstring& line, const std::wstring& argument) {
  line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

int ErrnoOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_BAD_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_EXE_MARKED_INVALID:
    case ERROR_INVALID_EXE_SIGNATURE: return ENOEXEC;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return ETXTBSY;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_COMMITMENT_LIMIT: return ENOMEM;
    default: break;
  }
  return EIO;
}

}  // namespace

// The system's thread pool waits for the program's end or the watch's; either sets the
// event the caller waits on.
struct StartWatch::State {
  explicit State(HANDLE started) : process(started) {}
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  ~State() {
    if (wait) UnregisterWaitEx(wait, INVALID_HANDLE_VALUE);  // lets a running callback finish
    if (over) CloseHandle(over);
    CloseHandle(process);
  }

  static void CALLBACK WaitOver(void* context, BOOLEAN timedOut) {
    auto* state = static_cast<State*>(context);
    state->endedInTime = !timedOut;
    SetEvent(state->over);
  }

  HANDLE process;
  HANDLE over = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE wait = nullptr;
  std::atomic<bool> endedInTime{false};
};

StartWatch::StartWatch(std::unique_ptr<State> state) : state_(std::move(state)) {}
StartWatch::StartWatch(StartWatch&& other) noexcept = default;
StartWatch::~StartWatch() = default;

Waitable StartWatch::ReadyWhenOver() const { return state_ ? state_->over : nullptr; }

EarlyEnd StartWatch::Collect() {
  EarlyEnd end;
  if (!state_) return end;
  UnregisterWaitEx(std::exchange(state_->wait, nullptr), INVALID_HANDLE_VALUE);
  DWORD code = 0;
  if (state_->endedInTime && GetExitCodeProcess(state_->process, &code) && code != 0) {
    end = {true, static_cast<int>(code)};
  }
  state_.reset();
  return end;
}

DetachedStart StartDetachedProcess(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   std::chrono::milliseconds watchFor) {
  // The application name is the file itself: no search, no extension added.
  const std::wstring application = PathOfUtf8(program).wstring();
  std::wstring line;
  AppendQuoted(line, application);
  for (const std::string& argument : arguments) {
    line += L' ';
    AppendQuoted(line, PathOfUtf8(argument).wstring());
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  // The system's own app-starting pointer until the program shows a window.
  startup.dwFlags = STARTF_FORCEONFEEDBACK;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_PROCESS_GROUP | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr,
                      &startup, &started)) {
    return {ErrnoOf(GetLastError()), std::nullopt};
  }
  if (started.hThread) CloseHandle(started.hThread);
  // Wine starts a program of its host (not a Windows one) without a process to hand back:
  // there is nothing to wait on, and a wait on no handle would never end.
  if (!started.hProcess) return {0, std::nullopt};
  auto state = std::make_unique<StartWatch::State>(started.hProcess);
  if (!state->over || !RegisterWaitForSingleObject(
                          &state->wait, state->process, &StartWatch::State::WaitOver, state.get(),
                          static_cast<ULONG>(watchFor.count()), WT_EXECUTEONLYONCE)) {
    state->wait = nullptr;
    return {0, std::nullopt};  // it runs, unwatched
  }
  return {0, StartWatch(std::move(state))};
}

}  // namespace orva
