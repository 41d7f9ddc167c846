#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/cp932_codec.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace orva::test {

// A Wine-style prefix in a temporary folder: C: is drive_c, the suite lies in C:\VORDELN.
class InstallTree {
 public:
  InstallTree();

  // Host path of a Windows-form path on drive C: ("C:\VORDELN\MENU.INI").
  std::filesystem::path Host(std::string_view windowsPath) const;
  // Writes raw bytes at a Windows-form path, creating folders.
  void WriteBytes(std::string_view windowsPath, std::string_view bytes) const;
  // Writes UTF-8 text as code page 932.
  void WriteText(std::string_view windowsPath, std::string_view utf8) const;
  // Creates an empty plain file (a stand-in program, an icon...).
  void Touch(std::string_view windowsPath) const { WriteBytes(windowsPath, "x"); }
  std::string ReadBytes(std::string_view windowsPath) const;
  bool Exists(std::string_view windowsPath) const;

  const FileSystem& Files() const { return files_; }
  const std::filesystem::path& Prefix() const { return dir_.Path(); }
  const Cp932Codec& Codec() const { return codec_; }

 private:
  TempDir dir_;
  FileSystem files_;
  Cp932Codec codec_;
};

// A catalogue line with every field quoted, CR LF ended (UTF-8; write it with WriteText).
std::string CatalogueLine(std::string_view code, std::string_view name, std::string_view exe,
                          std::string_view icon = "", std::string_view dataFile = "",
                          std::string_view dataDir = "");

}  // namespace orva::test
