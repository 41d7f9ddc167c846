#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/file_system.h"

namespace orva::test {

// A file of `size` bytes that takes no disk (a hole, read back as zeros) where the file
// system allows.
inline void MakeSparse(const std::filesystem::path& path, std::uintmax_t size) {
  std::filesystem::create_directories(path.parent_path());
#ifdef _WIN32
  // The C++ library cannot resize a file here; marked sparse, NTFS writes no zeros.
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD ignored = 0;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  const bool made =
      file != INVALID_HANDLE_VALUE &&
      (::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr),
       true) &&
      ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
  const DWORD error = ::GetLastError();
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (!made) ADD_FAILURE() << "cannot make sparse " << path << ": error " << error;
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
    ADD_FAILURE() << "cannot make sparse " << path;
  }
  if (fd >= 0) ::close(fd);
#endif
}

#ifndef _WIN32  // no FIFOs on Windows

// A FIFO at `path`, replacing whatever was there.
inline void MakeFifo(const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  std::filesystem::remove(path);
  if (::mkfifo(path.c_str(), 0644) != 0) ADD_FAILURE() << "mkfifo failed for " << path;
}

// Turns a read stuck on a FIFO into a test failure instead of a hung suite: if the guard
// is still alive long after any sound read would have ended, it opens and closes the
// FIFO's writing end until it dies, which lets a reader waiting on the FIFO see its end.
class FifoHangGuard {
 public:
  explicit FifoHangGuard(std::filesystem::path fifo) : fifo_(std::move(fifo)) {
    watcher_ = std::thread([this] {
      std::unique_lock lock(mutex_);
      if (done_.wait_for(lock, std::chrono::seconds(60), [this] { return finished_; })) return;
      released_ = true;
      while (!done_.wait_for(lock, std::chrono::milliseconds(100), [this] { return finished_; })) {
        const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
      }
    });
  }
  ~FifoHangGuard() {
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_all();
    watcher_.join();
    EXPECT_FALSE(released_) << "a read waited on the FIFO " << fifo_;
  }
  FifoHangGuard(const FifoHangGuard&) = delete;
  FifoHangGuard& operator=(const FifoHangGuard&) = delete;

 private:
  std::filesystem::path fifo_;
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  bool released_ = false;
  std::thread watcher_;
};

// A file system whose plain-file test answers truthfully and then puts a FIFO where the
// tested file was: a reader that trusted the answer would wait for ever.
class FifoAfterPlainFileTest : public FileSystem {
 public:
  FifoAfterPlainFileTest(DriveTable drives, std::string swapped)
      : FileSystem(std::move(drives)), swapped_(std::move(swapped)) {}

  bool IsPlainFile(std::string_view windowsPath) const override {
    const bool plain = FileSystem::IsPlainFile(windowsPath);
    if (plain && windowsPath == swapped_) MakeFifo(*HostPath(windowsPath));
    return plain;
  }

 private:
  std::string swapped_;
};

#endif

}  // namespace orva::test
