#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>
#include <thread>
#include <vector>

namespace orva {

class FileSystem;

// Plain-file tests of many paths. A folder that holds many of them is listed once (one
// listing of a thousand names costs less than a tenth of their tests); the tests left are
// begun at once on a second thread. Each test is a system call that mostly waits on the
// kernel, so the caller can prepare other work meanwhile and then share the remaining
// tests; with two cores the wait is about halved.
class PlainFileTests {
 public:
  PlainFileTests(const FileSystem& files, std::vector<std::string_view> paths);
  ~PlainFileTests();
  PlainFileTests(const PlainFileTests&) = delete;
  PlainFileTests& operator=(const PlainFileTests&) = delete;

  // Whether each path is a plain file, in the order given; the caller takes part in the
  // tests still open. Call once.
  std::vector<std::uint8_t> Results();

 private:
  void TestUntilDone();

  const FileSystem& files_;
  const std::vector<std::string_view> paths_;
  std::vector<std::uint8_t> plain_;
  std::atomic<std::size_t> next_{0};
  std::thread helper_;
};

}  // namespace orva
