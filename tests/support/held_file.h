#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <filesystem>

namespace orva::test {

// Holds a file as an estimating program may while it runs, until it goes: on Windows opened
// without sharing (every other open fails, this process's own included); on POSIX under a
// write lock of its own open file, which every other open file sees.
class HeldFile {
 public:
  explicit HeldFile(const std::filesystem::path& path) {
#ifdef _WIN32
    handle_ = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot hold " << path;
#else
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fd_ < 0 || ::fcntl(fd_, F_OFD_SETLK, &lock) != 0) ADD_FAILURE() << "cannot lock " << path;
#endif
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { Release(); }

  void Release() {
#ifdef _WIN32
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
#else
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
#endif
  }

 private:
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
  int fd_ = -1;
#endif
};

}  // namespace orva::test
