#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "desktop/single_instance.h"

namespace orva {
namespace {

constexpr mode_t kOwnerOnly = 0700;

std::string ErrnoText(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENOENT: return "見つかりません。";
    case ENOTDIR: return "途中にフォルダーでないものがあります。";
    case ELOOP: return "シンボリックリンクです。";
    case EISDIR: return "フォルダーです。";
    case EROFS: return "読み取り専用のファイル システムです。";
    case ENOSPC:
    case EDQUOT: return "空き領域がありません。";
    case ENOLCK: return "ロックに対応していないファイル システムです。";
    default: break;
  }
  return "システム エラー " + std::to_string(error) + " (" + std::strerror(error) + ")。";
}

int OpenFolderNoFollow(const std::filesystem::path& folder) {
  return open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Why the opened folder may not hold the lock; empty when only its user can write there.
std::string FolderProblem(int fd) {
  struct stat info = {};
  if (fstat(fd, &info) != 0) return ErrnoText(errno);
  if (info.st_uid != geteuid()) {
    return "フォルダーの所有者が別のユーザー (uid " + std::to_string(info.st_uid) + ") です。";
  }
  if ((info.st_mode & 0777) != kOwnerOnly) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%03o", static_cast<unsigned>(info.st_mode & 0777));
    return std::string("フォルダーのアクセス権が 700 ではありません (") + mode + ")。";
  }
  return {};
}

std::string LockFileProblem(int openError) {
  switch (openError) {
    case ELOOP: return "ロック ファイルの場所にシンボリックリンクがあります。";
    case EISDIR: return "ロック ファイルの場所にフォルダーがあります。";
    case ENXIO: return "ロック ファイルの場所に通常のファイルでないものがあります。";
    default: break;
  }
  return "ロック ファイルを開けません: " + ErrnoText(openError);
}

}  // namespace

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

int SingleInstanceLock::OpenOwnFolder() {
  // A runtime folder that is not fit (someone else's, open to others) is passed over:
  // the temporary folder still gives a place of the user's own.
  if (folders_.runtimeDir && folders_.runtimeDir->is_absolute()) {
    const int fd = OpenFolderNoFollow(*folders_.runtimeDir);
    if (fd >= 0 && FolderProblem(fd).empty()) {
      folder_ = *folders_.runtimeDir;
      return fd;
    }
    if (fd >= 0) close(fd);
  }

  folder_ = folders_.tempDir / ("orva-menu-" + std::to_string(geteuid()));
  const bool created = mkdir(folder_.c_str(), kOwnerOnly) == 0;
  if (!created && errno != EEXIST) {
    Fail("フォルダーを作成できません: " + ErrnoText(errno));
    return -1;
  }
  // Whatever stands under that name now is checked as opened, not as named.
  const int fd = OpenFolderNoFollow(folder_);
  if (fd < 0) {
    const int error = errno;
    Fail(error == ELOOP || error == ENOTDIR
             ? "フォルダーの場所にシンボリックリンクかファイルがあります。"
             : "フォルダーを開けません: " + ErrnoText(error));
    return -1;
  }
  struct stat info = {};
  if (created && fstat(fd, &info) == 0 && info.st_uid == geteuid()) {
    fchmod(fd, kOwnerOnly);  // what the umask took away
  }
  if (std::string problem = FolderProblem(fd); !problem.empty()) {
    close(fd);
    Fail(std::move(problem));
    return -1;
  }
  return fd;
}

SingleInstanceLock::Outcome SingleInstanceLock::TryAcquire() {
  if (fd_ >= 0) return Outcome::Acquired;
  reason_.clear();
  const int folderFd = OpenOwnFolder();
  if (folderFd < 0) return Outcome::Failed;
  // No link is followed and nothing can block: a FIFO opened for reading and writing
  // returns at once and is turned away below.
  const int fd = openat(folderFd, (name_ + ".lock").c_str(),
                        O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
  const int openError = errno;
  close(folderFd);
  if (fd < 0) return Fail(LockFileProblem(openError));

  struct stat info = {};
  std::string problem;
  if (fstat(fd, &info) != 0) {
    problem = LockFileProblem(errno);
  } else if (!S_ISREG(info.st_mode)) {
    problem = LockFileProblem(ENXIO);
  } else if (info.st_uid != geteuid()) {
    problem =
        "ロック ファイルの所有者が別のユーザー (uid " + std::to_string(info.st_uid) + ") です。";
  } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    if (error == EWOULDBLOCK) return Outcome::HeldByAnotherLauncher;
    return Fail("ロックできません: " + ErrnoText(error));
  }
  if (!problem.empty()) {
    close(fd);
    return Fail(std::move(problem));
  }
  // Whatever the file holds (a crashed launcher's, an older format) does not matter.
  fd_ = fd;
  return Outcome::Acquired;
}

}  // namespace orva
