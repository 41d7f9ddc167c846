#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_table.h"
#include "platform/error_number.h"
#include "platform/result.h"

namespace orva {

// Every file operation of the program, on Windows-form paths. What touches the host lives
// in one source per host (file_system_posix.cpp, file_system_win32.cpp); the rest is shared.
class FileSystem {
 public:
  explicit FileSystem(DriveTable drives);
  virtual ~FileSystem() = default;

  const DriveTable& Drives() const { return drives_; }
  std::optional<std::filesystem::path> HostPath(std::string_view windowsPath) const {
    return drives_.ToHost(windowsPath);
  }

  // A regular file that is neither hidden nor a system file. Only an answer at the moment
  // of the test: the file may be replaced before it is read, so no read relies on it.
  virtual bool IsPlainFile(std::string_view windowsPath) const;
  // The same test, giving the file's host path when it passes.
  std::optional<std::string> PlainFileHostPath(std::string_view windowsPath) const;
  // The same test of many paths where it is cheap: a folder that holds many of them is
  // listed once instead of being asked about each. Each answer is 1 (a plain file), 0 (not)
  // or kUntested, for a path that needs its own test (a link, a name in another case, a
  // folder that holds few of the paths, or a system without listings to use).
  static constexpr std::uint8_t kUntested = 2;
  std::vector<std::uint8_t> PlainFilesByFolder(const std::vector<std::string_view>& paths) const;

  // Every read opens the file without waiting (a FIFO or device never hangs it) and takes
  // only a regular file: anything else reads as missing (53). Each read takes in a bounded
  // amount, so no file, however large it claims or turns out to be, fills the memory.
  // A file another program holds (opened without sharing, or locked) is tried kInUseTries
  // times, kInUseWait apart, then gives err::kFileInUse.
  static constexpr int kInUseTries = 5;
  static constexpr std::chrono::milliseconds kInUseWait{100};

  // The longest first line ReadFirstLine returns: the host's longest path.
  static constexpr std::size_t kFirstLineLimit = 4096;
  // What ReadAll takes in when its caller names no smaller bound.
  static constexpr std::size_t kDefaultReadLimit = std::size_t{64} << 20;

  // Whole file of at most `limit` bytes, else err::kFileTooLarge and no bytes. Errors:
  // 53 missing or not a regular file, 76 folder missing, 75 a folder, 70 access refused,
  // 52 bad name.
  Result<std::string> ReadAll(std::string_view windowsPath,
                              std::size_t limit = kDefaultReadLimit) const;

  // The file's first line without its line end (CR or LF), at most kFirstLineLimit bytes of
  // it; errors as ReadAll's. Nothing past the line is read.
  Result<std::string> ReadFirstLine(std::string_view windowsPath) const;

  // Reads the file's first `limit` bytes in pieces of `chunkSize` (the last may be shorter),
  // so a large file never sits in memory whole; the rest of the file is left unread.
  // Returns kNone or an error number as ReadAll does.
  err::Number ReadChunks(std::string_view windowsPath, std::size_t chunkSize, std::size_t limit,
                         const std::function<void(std::string_view chunk)>& consume) const;

  // What a save met that did not stop it, for the caller to log.
  struct SaveNotes {
    // Written over the existing file instead of renamed over it (see WriteAtomically).
    bool inPlace = false;
    // The new file could not be given the old one's mode or group: it may be stricter.
    err::Number mode = err::kNone;
    // The folder could not be synced; the save failed too unless that is unsupported there.
    err::Number folderSync = err::kNone;
  };

  // Writes a sibling temporary file, made readable by its owner only, syncs it, gives it the
  // old file's mode and renames it over the target, then syncs the folder: a failed write
  // leaves the previous file whole. An existing target that is write-protected (no write
  // permission bit, which stops even the superuser here) or that cannot be opened for
  // writing is left as it is: 70. A symbolic link of the saving user or of the superuser is
  // saved through: its target takes the bytes and the link stays. Written in place instead
  // (the whole content, then synced; a crash part-way can leave it torn): a file with other
  // hard links, which a rename would split from them, and a file the user may write in a
  // folder that takes no new file. After a successful save, temporary files that
  // interrupted saves of the same target left behind are removed, never one that a save
  // still holds. Returns kNone or an error number.
  err::Number WriteAtomically(std::string_view windowsPath, std::string_view bytes,
                              SaveNotes* notes = nullptr) const;

  // Temporary files of a save are named this prefix, the target's name, "." and eight hex
  // digits: hidden, never a name the program reads, and recognisable as litter of that
  // target.
  static constexpr std::string_view kSaveTempPrefix = ".orva-save.";
  static constexpr std::size_t kSaveTempDigits = 8;
  // Whether `name` is a temporary file that a save of `targetName` creates.
  static bool IsSaveTempName(std::string_view name, std::string_view targetName);

  // kNone when removed or already absent, else an error number.
  err::Number Remove(std::string_view windowsPath) const;

 private:
  // A regular host file open for reading, closed when it goes: the readers above are
  // written once over it, and each host's source opens, reads and closes it its own way.
  class OpenedFile {
   public:
    OpenedFile() = default;  // not open
    OpenedFile(std::intptr_t handle, std::size_t size) : handle_(handle), size_(size) {}
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    ~OpenedFile();
    bool IsOpen() const { return handle_ != -1; }
    std::size_t Size() const { return size_; }  // 0 for files that report none
    // Fills `buffer` as far as the file goes: the count read, or -1 with `error` set.
    std::int64_t ReadFull(char* buffer, std::size_t size, err::Number& error) const;

   private:
    std::intptr_t handle_ = -1;  // the descriptor or handle
    std::size_t size_ = 0;
  };

  // The reads above, each tried once.
  Result<std::string> ReadAllOnce(std::string_view windowsPath, std::size_t limit) const;
  Result<std::string> ReadFirstLineOnce(std::string_view windowsPath) const;
  err::Number ReadChunksOnce(std::string_view windowsPath, std::size_t chunkSize, std::size_t limit,
                             const std::function<void(std::string_view chunk)>& consume) const;

  // Opens a regular file for reading; one not open, with the error number in `error`, when
  // it cannot. A file another program holds gives err::kFileInUse.
  OpenedFile OpenForReading(std::string_view windowsPath, err::Number& error) const;

  // WriteAtomically's work on the host, at the file's host path `named`.
  static err::Number SaveHostFile(const std::filesystem::path& named, std::string_view bytes,
                                  SaveNotes& notes);

  DriveTable drives_;
#ifndef _WIN32
  std::array<std::string, 26> driveFolders_;  // host folder of each drive; empty when none
#endif
};

}  // namespace orva
