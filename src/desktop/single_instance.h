#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orva {

// Where the lock may live: the user's runtime folder when there is a usable one, else a
// folder of the user's own in the temporary folder.
struct LockFolders {
  std::optional<std::filesystem::path> runtimeDir;  // XDG_RUNTIME_DIR
  std::filesystem::path tempDir;                    // TMPDIR, else /tmp

  static LockFolders FromEnvironment();
};

// One launcher per user and install root: on POSIX an advisory lock on a file that only
// its user can write, on Windows a named mutex in the user's session. The system drops
// either with its owner, so a crashed launcher's lock is free again at once and a lock is
// never judged by its age.
class SingleInstanceLock {
 public:
  enum class Outcome { Acquired, HeldByAnotherLauncher, Failed };

  SingleInstanceLock(const std::filesystem::path& installRoot, LockFolders folders);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // Never blocks. The lock is held until this object is destroyed.
  Outcome TryAcquire();

  // The folder the lock lives in (or would have; none on Windows), and after Failed why,
  // in Japanese.
  const std::filesystem::path& Folder() const { return folder_; }
  const std::string& FailureReason() const { return reason_; }
  // Names what belongs to this install root's launcher (its front requests).
  const std::string& Name() const { return name_; }

 private:
  Outcome Fail(std::string reason);

  std::string name_;  // of the lock file or mutex, from the install root
  LockFolders folders_;
  std::filesystem::path folder_;
  std::string reason_;
#ifdef _WIN32
  void* mutex_ = nullptr;
#else
  int OpenOwnFolder();
  int fd_ = -1;
#endif
};

}  // namespace orva
