// The file system on a POSIX host, its drives mapped by the drive table.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "platform/windows_path.h"

namespace orva {

namespace fs = std::filesystem;

namespace {

// Closes a descriptor on every return path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now, reporting the result (a delayed write error can surface here).
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Error number for a failed open of `host`: a missing file is 53 only when its folder exists.
err::Number OpenErrorNumber(const fs::path& host, int posixErrno) {
  if (posixErrno == ENOENT) {
    struct stat parent;
    const fs::path folder = host.parent_path();
    if (::stat(folder.c_str(), &parent) != 0 || !S_ISDIR(parent.st_mode)) {
      return err::kPathNotFound;
    }
  }
  return ErrorNumberFromErrno(posixErrno);
}

// Writes all bytes; errno on failure.
int WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// Holds SIGXFSZ back while a file is written so that exceeding the file-size limit fails the
// write with EFBIG instead of killing the program; a signal raised meanwhile is discarded.
class FileSizeSignalGuard {
 public:
  FileSizeSignalGuard() {
    sigemptyset(&set_);
    sigaddset(&set_, SIGXFSZ);
    sigset_t pending;
    wasPending_ = sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
    blocked_ = pthread_sigmask(SIG_BLOCK, &set_, &old_) == 0;
  }
  ~FileSizeSignalGuard() {
    if (!blocked_) return;
    sigset_t pending;
    if (!wasPending_ && sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1) {
      const timespec zero{0, 0};
      sigtimedwait(&set_, nullptr, &zero);
    }
    pthread_sigmask(SIG_SETMASK, &old_, nullptr);
  }
  FileSizeSignalGuard(const FileSizeSignalGuard&) = delete;
  FileSizeSignalGuard& operator=(const FileSizeSignalGuard&) = delete;

 private:
  sigset_t set_;
  sigset_t old_;
  bool wasPending_ = false;
  bool blocked_ = false;
};

// Takes the lock a save holds on its temporary file; blocks while another process holds it.
// False only on a file system without such locks.
bool LockExclusively(int fd) {
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

// Creates a new temporary sibling of `target` with `mode` and holds it: another save's sweep
// of leftovers removes only temporary files nobody holds. The descriptor, or -1 with errno set.
int CreateSibling(const fs::path& target, fs::path& created, mode_t mode) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
    // Appended piece by piece: GCC 12 at -O3 warns falsely about concatenated temporaries.
    std::string name(FileSystem::kSaveTempPrefix);
    name += target.filename().string();
    name += suffix;
    created = target.parent_path() / name;
    FileDescriptor fd(::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (fd.Get() < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    // A sweep may have taken the file between its creation and the lock: then it is gone,
    // and another name is tried. Without locks there is nothing to hold it against.
    struct stat st;
    if (!LockExclusively(fd.Get()) || (::fstat(fd.Get(), &st) == 0 && st.st_nlink > 0)) {
      return fd.Release();
    }
  }
  errno = EEXIST;
  return -1;
}

// Removes what interrupted saves of `target` left beside it: our own regular files under a
// temporary name of that target that no save holds any more, nothing else.
void RemoveLeftoverTemps(const fs::path& target) {
  const std::string targetName = target.filename().string();
  DIR* folder = ::opendir(target.parent_path().c_str());
  if (folder == nullptr) return;
  const uid_t self = ::geteuid();
  while (const dirent* entry = ::readdir(folder)) {
    if (!FileSystem::IsSaveTempName(entry->d_name, targetName)) continue;
    struct stat named;
    if (::fstatat(::dirfd(folder), entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(named.st_mode) || named.st_uid != self) {
      continue;
    }
    const FileDescriptor held(::openat(::dirfd(folder), entry->d_name,
                                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat opened;
    // A lock that cannot be had belongs to a save still under way, or to a file system
    // that has no locks, where no file can be told to be abandoned.
    if (held.Get() < 0 || ::flock(held.Get(), LOCK_EX | LOCK_NB) != 0 ||
        ::fstat(held.Get(), &opened) != 0 || opened.st_ino != named.st_ino ||
        opened.st_dev != named.st_dev) {
      continue;
    }
    ::unlinkat(::dirfd(folder), entry->d_name, 0);
  }
  ::closedir(folder);
}

// kNone when the existing target `st` describes may be replaced: not a regular file (it holds
// nothing of ours), or a regular file that could be written in place. Else the error number.
err::Number ReplaceableTarget(const fs::path& target, const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return err::kPathFileAccess;
  if (!S_ISREG(st.st_mode)) return err::kNone;
  // A file without any write permission is write-protected for everyone, also for a
  // superuser whom the system would let write it.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return err::kPermissionDenied;
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return ErrorNumberFromErrno(errno);
  ::close(fd);
  return err::kNone;
}

// The host path the drive table gives when every component exists with its exact case:
// the drive's folder and the components joined. nullopt when the path needs the table's
// full resolution ("." or "..", characters no name holds, no components).
std::optional<std::string> ExactCaseHostPath(const std::array<std::string, 26>& driveFolders,
                                             std::string_view windowsPath) {
  const std::optional<WindowsPath> path = WindowsPath::Parse(windowsPath);
  if (!path || path->Components().empty() || path->HasDotComponents() || !path->NamesAreValid() ||
      driveFolders[path->Drive()].empty()) {
    return std::nullopt;
  }
  std::string host;
  host.reserve(driveFolders[path->Drive()].size() + windowsPath.size());
  host = driveFolders[path->Drive()];
  for (std::string_view part : path->Components()) {
    if (host.empty() || host.back() != '/') host += '/';
    host += part;
  }
  return host;
}

// A name that does not mark its file hidden.
bool IsPlainName(std::string_view name) { return !name.empty() && name[0] != '.'; }

// A regular file whose name does not mark it hidden.
bool IsPlain(const struct stat& st, std::string_view name) {
  return S_ISREG(st.st_mode) && IsPlainName(name);
}

}  // namespace

FileSystem::FileSystem(DriveTable drives) : drives_(std::move(drives)) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string root{letter, ':', '\\'};
    if (const auto folder = drives_.ToHost(root)) driveFolders_[letter - 'A'] = folder->native();
  }
}

std::optional<std::string> FileSystem::PlainFileHostPath(std::string_view windowsPath) const {
  // Resolving a path component by component costs several calls per component; a path
  // that exists as written resolves to itself, and one test shows that.
  if (auto exact = ExactCaseHostPath(driveFolders_, windowsPath)) {
    struct stat st;
    if (::stat(exact->c_str(), &st) == 0) {
      if (!IsPlain(st, std::string_view(*exact).substr(exact->rfind('/') + 1))) return std::nullopt;
      return exact;
    }
  }
  const auto host = HostPath(windowsPath);
  if (!host) return std::nullopt;
  struct stat st;
  if (::stat(host->c_str(), &st) != 0 || !IsPlain(st, host->filename().string())) {
    return std::nullopt;
  }
  return host->native();
}

std::vector<std::uint8_t> FileSystem::PlainFilesByFolder(
    const std::vector<std::string_view>& paths) const {
  // Below this many names a folder's listing costs more than the tests it saves.
  constexpr std::size_t kWorthAListing = 32;
  std::vector<std::uint8_t> plain(paths.size(), kUntested);
  // The names asked for, with their places, by the folder they are in as written.
  using Names = std::vector<std::pair<std::string, std::size_t>>;
  std::unordered_map<std::string, Names> byFolder;
  // A catalogue lists a folder's programs together: the last folder's group is kept at hand.
  std::string_view lastFolder;
  Names* lastNames = nullptr;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::optional<std::string> exact = ExactCaseHostPath(driveFolders_, paths[i]);
    if (!exact) continue;
    const std::size_t slash = exact->rfind('/');
    const std::string_view folder = std::string_view(*exact).substr(0, slash);
    if (lastNames == nullptr || folder != lastFolder) {
      const auto group = byFolder.try_emplace(std::string(folder)).first;
      lastFolder = group->first;  // a map's keys stay where they are as it grows
      lastNames = &group->second;
    }
    lastNames->emplace_back(exact->substr(slash + 1), i);
  }
  std::unordered_map<std::string, unsigned char> types;
  for (const auto& [folder, names] : byFolder) {
    // A folder that can be listed but not searched names files that no test could reach.
    if (names.size() < kWorthAListing ||
        ::faccessat(AT_FDCWD, folder.c_str(), X_OK, AT_EACCESS) != 0) {
      continue;
    }
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) continue;
    // A folder far larger than the names asked about is not worth reading through (nor
    // holding in memory): its paths keep their own tests.
    const std::size_t mostEntries = std::max<std::size_t>(4096, 16 * names.size());
    types.clear();
    while (const dirent* entry = ::readdir(listing)) {
      if (types.size() == mostEntries) break;
      types.emplace(entry->d_name, entry->d_type);
    }
    const bool whole = types.size() < mostEntries;
    ::closedir(listing);
    if (!whole) continue;
    for (const auto& [name, index] : names) {
      const auto found = types.find(name);
      // A name not there as written may be there in another case: its own test resolves it.
      if (found == types.end()) continue;
      switch (found->second) {
        case DT_REG: plain[index] = IsPlainName(name) ? 1 : 0; break;
        case DT_LNK:
        case DT_UNKNOWN: break;  // what it is, only a test of the path says
        default: plain[index] = 0;
      }
    }
  }
  return plain;
}

namespace {

// Whether another program holds a write lock on any part of the open file: what a program
// under Wine that locked the file (LockFile) leaves for POSIX to see, and what a POSIX
// program holds while it rewrites a file under a lock. Share modes have no POSIX form.
bool LockedByAnother(int fd) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;  // l_start 0, l_len 0: the whole file
#ifdef F_OFD_GETLK
  // Asked for an open file of its own, the question sees this process's own locks too.
  if (::fcntl(fd, F_OFD_GETLK, &lock) != 0) return false;
#else
  if (::fcntl(fd, F_GETLK, &lock) != 0) return false;
#endif
  return lock.l_type != F_UNLCK;
}

}  // namespace

FileSystem::OpenedFile FileSystem::OpenForReading(std::string_view windowsPath,
                                                  err::Number& error) const {
  // A path that exists as written opens as written; only a failure needs the resolution
  // (a component differing in case) and its error number. Without O_NONBLOCK opening a
  // FIFO waits for a writer for ever; what was opened is judged by its descriptor, as the
  // path may have changed since any earlier test of it.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  const auto exact = ExactCaseHostPath(driveFolders_, windowsPath);
  int opened = exact ? ::open(exact->c_str(), kFlags) : -1;
  if (opened < 0) {
    const auto host = HostPath(windowsPath);
    if (!host) {
      error = err::kBadFileName;
      return {};
    }
    opened = ::open(host->c_str(), kFlags);
    if (opened < 0) {
      error = OpenErrorNumber(*host, errno);
      return {};
    }
  }
  FileDescriptor fd(opened);
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0) {
    error = ErrorNumberFromErrno(errno);
    return {};
  }
  if (S_ISDIR(st.st_mode)) {
    error = err::kPathFileAccess;
    return {};
  }
  // A FIFO, device or socket holds no file of the suite and might never end.
  if (!S_ISREG(st.st_mode)) {
    error = err::kFileNotFound;
    return {};
  }
  if (LockedByAnother(fd.Get())) {
    error = err::kFileInUse;
    return {};
  }
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    error = ErrorNumberFromErrno(errno);
    return {};
  }
  // Files that report no size (/proc) are read up to the reader's bound.
  error = err::kNone;
  return {fd.Release(), st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0};
}

namespace {

// Fills `buffer` from the descriptor as far as the file goes: the count read, or -1.
ssize_t ReadFromDescriptor(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

FileSystem::OpenedFile::~OpenedFile() {
  if (IsOpen()) ::close(static_cast<int>(handle_));
}

std::int64_t FileSystem::OpenedFile::ReadFull(char* buffer, std::size_t size,
                                              err::Number& error) const {
  const ssize_t n = ReadFromDescriptor(static_cast<int>(handle_), buffer, size);
  if (n < 0) error = ErrorNumberFromErrno(errno);
  return n;
}

namespace {

// The file a save of `named` writes: the end of its chain of symbolic links, which need not
// exist yet. A link is followed only when the saving user or the superuser made it (in a
// folder others may write to, a link of theirs could aim the save at any of the user's
// files) and it leads to a regular file or to nothing; any other is replaced as before.
fs::path SaveTarget(const fs::path& named) {
  fs::path at = named;
  const uid_t self = ::geteuid();
  for (int hops = 0; hops < 40; ++hops) {
    struct stat link;
    if (::lstat(at.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) break;
    if (link.st_uid != self && link.st_uid != 0) return named;
    std::error_code error;
    const fs::path to = fs::read_symlink(at, error);
    if (error || !to.has_filename()) return named;
    at = to.is_absolute() ? to : at.parent_path() / to;
  }
  struct stat end;
  if (::lstat(at.c_str(), &end) == 0 && !S_ISREG(end.st_mode)) return named;
  return at;
}

// Writes `bytes` from the start of `fd` and cuts the file there, then syncs it: 0 or errno.
int Overwrite(int fd, std::string_view bytes) {
  if (::lseek(fd, 0, SEEK_SET) < 0) return errno;
  if (const int failure = WriteAll(fd, bytes)) return failure;
  if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
  if (::fsync(fd) != 0) return errno;
  return 0;
}

// Waits up to two seconds for another save writing the file in place to end: false when it
// does not. A file system without locks has nobody to wait for.
bool TakeTurn(int fd) {
  for (int tries = 0; tries < 100; ++tries) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return true;
    ::usleep(20'000);
  }
  return false;
}

// Writes the regular file `target` where it is: its links, owner and mode stay. Two such
// saves of one file take turns. A write that fails puts back the old bytes where they could
// be read first; a crash part-way leaves the file torn.
err::Number WriteInPlace(const fs::path& target, std::string_view bytes) {
  constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int opened = ::open(target.c_str(), O_RDWR | kFlags);
  const bool readable = opened >= 0;
  if (!readable && errno == EACCES) opened = ::open(target.c_str(), O_WRONLY | kFlags);
  if (opened < 0) return ErrorNumberFromErrno(errno);
  FileDescriptor fd(opened);
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0) return ErrorNumberFromErrno(errno);
  if (!S_ISREG(st.st_mode)) return err::kFileNotFound;  // replaced since it was looked at
  if (!TakeTurn(fd.Get())) return err::kPermissionDenied;

  std::string previous;
  bool restorable = false;
  if (readable && static_cast<std::uintmax_t>(st.st_size) <= FileSystem::kDefaultReadLimit) {
    previous.resize(static_cast<std::size_t>(st.st_size));
    restorable = ReadFromDescriptor(fd.Get(), previous.data(), previous.size()) ==
                 static_cast<ssize_t>(previous.size());
  }
  FileSizeSignalGuard guard;
  const int failure = Overwrite(fd.Get(), bytes);
  if (failure != 0 && restorable) static_cast<void>(Overwrite(fd.Get(), previous));
  return failure != 0 ? ErrorNumberFromErrno(failure) : err::kNone;
}

// Gives the new file `fd` the old file's group and mode; as the superuser, its owner too.
// kNone or the error number.
err::Number TakeOldMode(int fd, const struct stat& old) {
  struct stat made;
  if (::fstat(fd, &made) != 0) return ErrorNumberFromErrno(errno);
  const uid_t owner = ::geteuid() == 0 ? old.st_uid : static_cast<uid_t>(-1);
  const bool regroup =
      made.st_gid != old.st_gid || (owner != static_cast<uid_t>(-1) && made.st_uid != old.st_uid);
  // Before the mode: a change of owner clears its set-id bits.
  if (regroup && ::fchown(fd, owner, old.st_gid) != 0) {
    const err::Number error = ErrorNumberFromErrno(errno);
    ::fchmod(fd, old.st_mode & 07777);
    return error;
  }
  if (::fchmod(fd, old.st_mode & 07777) != 0) return ErrorNumberFromErrno(errno);
  return err::kNone;
}

// Syncs the folder so that a rename in it lasts. kNone, or the error that says it may not.
err::Number SyncFolder(const fs::path& folder, FileSystem::SaveNotes& notes) {
  const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() < 0) {
    notes.folderSync = ErrorNumberFromErrno(errno);
    return err::kNone;  // a folder that may not be read: nothing tells that it failed
  }
  if (::fsync(fd.Get()) == 0) return err::kNone;
  const int error = errno;
  notes.folderSync = ErrorNumberFromErrno(error);
  // Some file systems cannot sync a folder at all; elsewhere the rename may not last.
  if (error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP || error == EBADF) {
    return err::kNone;
  }
  return notes.folderSync;
}

}  // namespace

err::Number FileSystem::SaveHostFile(const fs::path& named, std::string_view bytes,
                                     SaveNotes& said) {
  const fs::path host = SaveTarget(named);

  struct stat old;
  const bool hadOld = ::stat(host.c_str(), &old) == 0;
  if (hadOld) {
    if (const err::Number refused = ReplaceableTarget(host, old)) return refused;
  }
  const bool oldFile = hadOld && S_ISREG(old.st_mode);
  // A rename would split a file from its other names.
  if (oldFile && old.st_nlink > 1) {
    said.inPlace = true;
    return WriteInPlace(host, bytes);
  }

  fs::path temp;
  // Until it has the old file's mode, the new content is for its owner's eyes only.
  FileDescriptor fd(CreateSibling(host, temp, oldFile ? 0600 : 0666));
  if (fd.Get() < 0) {
    const int error = errno;
    // A folder that takes no new file may still hold a file the user may write.
    if (oldFile && (error == EACCES || error == EPERM)) {
      said.inPlace = true;
      return WriteInPlace(host, bytes);
    }
    return OpenErrorNumber(host, error);
  }

  int failure = 0;
  {
    FileSizeSignalGuard guard;
    failure = WriteAll(fd.Get(), bytes);
  }
  if (failure == 0 && oldFile) said.mode = TakeOldMode(fd.Get(), old);
  if (failure == 0 && ::fsync(fd.Get()) != 0) failure = errno;
  // Held until renamed, so that no other save's sweep takes it.
  if (failure == 0 && ::rename(temp.c_str(), host.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temp.c_str());
    return ErrorNumberFromErrno(failure);
  }
  // Synced already: closing can report nothing more about the bytes.
  static_cast<void>(fd.Close());

  RemoveLeftoverTemps(host);
  return SyncFolder(host.parent_path(), said);
}

err::Number FileSystem::Remove(std::string_view windowsPath) const {
  const auto host = HostPath(windowsPath);
  if (!host) return err::kBadFileName;
  if (::unlink(host->c_str()) == 0) return err::kNone;
  const int error = errno;
  if (error == ENOENT || error == ENOTDIR) return err::kNone;  // already absent
  if (error == EISDIR) return err::kPathFileAccess;
  return ErrorNumberFromErrno(error);
}

}  // namespace orva
