#include "platform/plain_file_tests.h"

#include <algorithm>
#include <system_error>

#include "platform/file_system.h"

namespace orva {

PlainFileTests::PlainFileTests(const FileSystem& files, std::vector<std::string_view> paths)
    : files_(files), paths_(std::move(paths)), plain_(files_.PlainFilesByFolder(paths_)) {
  constexpr std::size_t kWorthAThread = 64;  // fewer tests cost less than starting a thread
  const auto untested = std::count(plain_.begin(), plain_.end(), FileSystem::kUntested);
  if (static_cast<std::size_t>(untested) < kWorthAThread) return;
  try {
    helper_ = std::thread([this] { TestUntilDone(); });
  } catch (const std::system_error&) {
    // No thread to be had: the caller makes every test itself.
  }
}

PlainFileTests::~PlainFileTests() {
  if (helper_.joinable()) {
    next_.store(paths_.size());  // nothing more to start
    helper_.join();
  }
}

void PlainFileTests::TestUntilDone() {
  // Each index is taken by exactly one thread; each writes only the results it took.
  for (std::size_t i = next_++; i < paths_.size(); i = next_++) {
    if (plain_[i] == FileSystem::kUntested) plain_[i] = files_.IsPlainFile(paths_[i]) ? 1 : 0;
  }
}

std::vector<std::uint8_t> PlainFileTests::Results() {
  TestUntilDone();
  if (helper_.joinable()) helper_.join();
  return std::move(plain_);
}

}  // namespace orva
