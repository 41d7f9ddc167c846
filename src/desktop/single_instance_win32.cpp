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
  const std::wstring name = L"Local\\" + std::wstring(name_.begin(), name_.end());
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  if (!mutex && error == ERROR_ACCESS_DENIED) {
    return Fail("別のユーザーのロック (Local\\" + name_ + ") があります。");
  }
  if (!mutex) {
    return Fail("ロック (Local\\" + name_ + ") を作成できません: システム エラー " +
                std::to_string(error) + "。");
  }
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return Outcome::HeldByAnotherLauncher;
  }
  mutex_ = mutex;
  return Outcome::Acquired;
}

}  // namespace orva
