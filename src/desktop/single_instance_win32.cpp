#include <windows.h>

#include <string>

#include "desktop/single_instance.h"

namespace orva {

SingleInstanceLock::~SingleInstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

SingleInstanceLock::Outcome SingleInstanceLock::TryAcquire() {
  if (mutex_) return Outcome::Acquired;
  reason_.clear();
  // Local\ is the user's session: another user signed in beside has a launcher of their own.
  const std::string name = "Local\\" + name_;  // ASCII
  HANDLE mutex = CreateMutexW(nullptr, FALSE, std::wstring(name.begin(), name.end()).c_str());
  const DWORD error = GetLastError();
  if (!mutex && error == ERROR_ACCESS_DENIED) {
    return Fail("別のユーザーのロック (" + name + ") があります。");
  }
  if (!mutex) {
    return Fail("ロック (" + name + ") を作成できません: システム エラー " + std::to_string(error) +
                "。");
  }
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return Outcome::HeldByAnotherLauncher;
  }
  mutex_ = mutex;
  return Outcome::Acquired;
}

}  // namespace orva
