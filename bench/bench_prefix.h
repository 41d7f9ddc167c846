#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace orva::bench {

// A throw-away Wine-style prefix: C: is drive_c, the suite lies in C:\VORDELN.
class BenchPrefix {
 public:
  BenchPrefix();
  // Uses a prefix another process made; it stays when this object goes.
  explicit BenchPrefix(std::filesystem::path existing);
  ~BenchPrefix();
  BenchPrefix(const BenchPrefix&) = delete;
  BenchPrefix& operator=(const BenchPrefix&) = delete;

  // Host path of a Windows-form path on drive C: ("C:\VORDELN\MENU.INI").
  std::filesystem::path Host(std::string_view windowsPath) const;
  // Writes raw bytes at a Windows-form path, creating folders.
  void Write(std::string_view windowsPath, std::string_view bytes) const;

  const FileSystem& Files() const { return *files_; }
  const std::filesystem::path& Root() const { return root_; }

 private:
  std::filesystem::path root_;
  std::unique_ptr<FileSystem> files_;
  bool owned_ = true;
};

// Reads a host file the plainest way: open, one read of its size, close.
std::string RawRead(const std::filesystem::path& host);

}  // namespace orva::bench
