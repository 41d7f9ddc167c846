#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/drive_table.h"

namespace orva {

// A read result: bytes, or an error number (error_codes.h).
struct FileRead {
  int error = 0;
  std::string bytes;
};

// Every file operation of the program, on Windows-form paths.
class FileSystem {
 public:
  explicit FileSystem(DriveTable drives);
  virtual ~FileSystem() = default;

  const DriveTable& Drives() const { return drives_; }
  std::optional<std::filesystem::path> HostPath(std::string_view windowsPath) const {
    return drives_.ToHost(windowsPath);
  }

  // A regular file that is neither hidden nor a system file.
  bool IsPlainFile(std::string_view windowsPath) const;
  // The same test, giving the file's host path when it passes: a caller that goes on to
  // open the file needs no second resolution of the path.
  std::optional<std::string> PlainFileHostPath(std::string_view windowsPath) const;

  // Whole file; errors: 53 missing, 76 folder missing, 75 a folder, 70 access refused, 52 bad name.
  FileRead ReadAll(std::string_view windowsPath) const;

  // Reads the file in pieces of `chunkSize` bytes (the last may be shorter), so a large
  // file never sits in memory whole; `consume` also learns the file's size (0 when the
  // file reports none). Returns 0 or an error number as ReadAll does.
  int ReadChunks(std::string_view windowsPath, std::size_t chunkSize,
                 const std::function<void(std::string_view chunk, std::size_t fileSize)>&
                     consume) const;

  // Writes a sibling temporary file and renames it over the target, so a failed write
  // leaves the previous file whole. Returns 0 or an error number.
  virtual int WriteAtomically(std::string_view windowsPath, std::string_view bytes) const;

  // 0 when removed or already absent, else an error number.
  int Remove(std::string_view windowsPath) const;

 private:
  DriveTable drives_;
  // Opens for reading: the descriptor, or -1 with the error number in `error`.
  int OpenForReading(std::string_view windowsPath, int& error, bool& sized,
                     std::size_t& size) const;

  std::array<std::string, 26> driveFolders_;  // host folder of each drive; empty when none
};

}  // namespace orva
