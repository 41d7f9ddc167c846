#include "platform/file_system.h"

#include <algorithm>
#include <thread>

#include "platform/error_codes.h"

namespace orva {

namespace {

err::Number ErrorOf(err::Number error) { return error; }
template <class T>
err::Number ErrorOf(const Result<T>& result) {
  return result.error();
}

// Runs `read` again while another program holds the file, which it may do only for the
// moment it writes; the caller hears of the file in use only once the tries are spent. A
// read that has handed on part of the file (`fresh` false) is not started again.
template <class Read>
auto RetriedWhileInUse(Read read, const bool* fresh = nullptr) {
  for (int tries = 1;; ++tries) {
    auto result = read();
    if (ErrorOf(result) != err::kFileInUse || tries >= FileSystem::kInUseTries ||
        (fresh && !*fresh)) {
      return result;
    }
    std::this_thread::sleep_for(FileSystem::kInUseWait);
  }
}

}  // namespace

bool FileSystem::IsPlainFile(std::string_view windowsPath) const {
  return PlainFileHostPath(windowsPath).has_value();
}

bool FileSystem::IsSaveTempName(std::string_view name, std::string_view targetName) {
  if (targetName.empty() || !name.starts_with(kSaveTempPrefix)) return false;
  name.remove_prefix(kSaveTempPrefix.size());
  if (name.size() != targetName.size() + 1 + kSaveTempDigits) return false;
  // Windows names are alike whatever their case; the target may have been resolved
  // to another spelling when the litter was made.
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < targetName.size(); ++i) {
    if (lower(name[i]) != lower(targetName[i])) return false;
  }
  name.remove_prefix(targetName.size());
  if (name[0] != '.') return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

err::Number FileSystem::WriteAtomically(std::string_view windowsPath, std::string_view bytes,
                                        SaveNotes* notes) const {
  const auto named = HostPath(windowsPath);
  if (!named || !named->has_filename()) return err::kBadFileName;
  SaveNotes unread;
  return SaveHostFile(*named, bytes, notes != nullptr ? *notes : unread);
}

Result<std::string> FileSystem::ReadAll(std::string_view windowsPath, std::size_t limit) const {
  return RetriedWhileInUse([&] { return ReadAllOnce(windowsPath, limit); });
}

Result<std::string> FileSystem::ReadAllOnce(std::string_view windowsPath, std::size_t limit) const {
  err::Number error = err::kNone;
  const OpenedFile file = OpenForReading(windowsPath, error);
  if (!file.IsOpen()) return error;
  const std::size_t size = file.Size();
  if (size > limit) return err::kFileTooLarge;

  // One byte past the bound tells a file that grew beyond it from one that ends there.
  const std::size_t most = limit + 1;
  std::string bytes(size > 0 ? std::min(size, most) : std::min<std::size_t>(64 * 1024, most), '\0');
  std::size_t done = 0;
  while (true) {
    const std::int64_t n = file.ReadFull(bytes.data() + done, bytes.size() - done, error);
    if (n < 0) return error;
    done += static_cast<std::size_t>(n);
    if (done > limit) return err::kFileTooLarge;
    if (size > 0 || done < bytes.size()) break;
    bytes.resize(std::min(bytes.size() * 2, most));
  }
  bytes.resize(done);
  return bytes;
}

Result<std::string> FileSystem::ReadFirstLine(std::string_view windowsPath) const {
  return RetriedWhileInUse([&] { return ReadFirstLineOnce(windowsPath); });
}

Result<std::string> FileSystem::ReadFirstLineOnce(std::string_view windowsPath) const {
  err::Number error = err::kNone;
  const OpenedFile file = OpenForReading(windowsPath, error);
  if (!file.IsOpen()) return error;
  std::string bytes(kFirstLineLimit, '\0');
  const std::int64_t n = file.ReadFull(bytes.data(), bytes.size(), error);
  if (n < 0) return error;
  bytes.resize(static_cast<std::size_t>(n));
  bytes.resize(std::min(bytes.find_first_of("\r\n"), bytes.size()));
  return bytes;
}

err::Number FileSystem::ReadChunks(
    std::string_view windowsPath, std::size_t chunkSize, std::size_t limit,
    const std::function<void(std::string_view chunk)>& consume) const {
  bool fresh = true;
  const auto counted = [&](std::string_view chunk) {
    fresh = false;
    consume(chunk);
  };
  return RetriedWhileInUse([&] { return ReadChunksOnce(windowsPath, chunkSize, limit, counted); },
                           &fresh);
}

err::Number FileSystem::ReadChunksOnce(
    std::string_view windowsPath, std::size_t chunkSize, std::size_t limit,
    const std::function<void(std::string_view chunk)>& consume) const {
  err::Number error = err::kNone;
  const OpenedFile file = OpenForReading(windowsPath, error);
  if (!file.IsOpen()) return error;
  std::string chunk(std::max<std::size_t>(chunkSize, 1), '\0');
  std::size_t left = limit;
  while (left > 0) {
    const std::size_t wanted = std::min(chunk.size(), left);
    const std::int64_t n = file.ReadFull(chunk.data(), wanted, error);
    if (n < 0) return error;
    if (n > 0) consume(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
    if (static_cast<std::size_t>(n) < wanted) break;
    left -= wanted;
  }
  return err::kNone;
}

}  // namespace orva
