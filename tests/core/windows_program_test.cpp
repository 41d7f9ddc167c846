#include "platform/windows_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/wine_install.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

WindowsMachine MachineOf(const std::string& bytes) {
  return WindowsMachineOf([&bytes](std::uint64_t offset, char* into, std::size_t count) {
    if (offset >= bytes.size()) return std::size_t{0};
    const std::size_t got = std::min<std::size_t>(count, bytes.size() - offset);
    std::copy_n(bytes.data() + offset, got, into);
    return got;
  });
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A DOS header whose PE offset field holds `offset`, then `tail` at that offset.
std::string DosHeader(std::uint32_t offset, const std::string& tail) {
  std::string bytes(64, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
  if (tail.empty()) return bytes;  // the offset points past the end
  bytes.resize(offset, '\0');
  return bytes + tail;
}

TEST(WindowsProgramTest, MachineComesFromThePeHeader) {
  const std::string i386 = std::string("PE\0\0", 4) + "\x4C\x01";
  const std::string amd64 = std::string("PE\0\0", 4) + "\x64\x86";
  EXPECT_EQ(MachineOf(DosHeader(0x80, i386)), WindowsMachine::kI386);
  EXPECT_EQ(MachineOf(DosHeader(0x80, amd64)), WindowsMachine::kOther);
  // Not a Windows program at all: run as itself.
  EXPECT_EQ(MachineOf(""), WindowsMachine::kNotWindows);
  EXPECT_EQ(MachineOf("M"), WindowsMachine::kNotWindows);
  EXPECT_EQ(MachineOf("#!/bin/sh\n"), WindowsMachine::kNotWindows);
  // Windows programs whose header says nothing usable are left to Wine to judge.
  EXPECT_EQ(MachineOf("MZ"), WindowsMachine::kOther);
  EXPECT_EQ(MachineOf(DosHeader(0x80, "NE\0\0\x4C\x01")), WindowsMachine::kOther);
  EXPECT_EQ(MachineOf(DosHeader(0x80, std::string("PE\0\0\x4C", 5))), WindowsMachine::kOther);
  EXPECT_EQ(MachineOf(DosHeader(0xFFFFFFF0U, "")), WindowsMachine::kOther);

  // Programs as mingw-w64 builds them, where it is installed.
  if (const fs::path built = ORVA_WINE_MARKER; !built.empty()) {
    EXPECT_EQ(MachineOf(ReadWhole(built)), WindowsMachine::kOther);
  }
  if (const fs::path built = ORVA_WINE_MARKER32; !built.empty()) {
    EXPECT_EQ(MachineOf(ReadWhole(built)), WindowsMachine::kI386);
  }
}

// Installations as Debian and upstream lay them out, each as files below a fresh prefix.
TEST(WineInstallTest, ThirtyTwoBitSideIsToldFromTheInstalledFiles) {
  struct Case {
    const char* what;
    std::vector<const char*> files;
    bool runs32;
  } cases[] = {
      {"Debian wine64 alone",
       {"usr/bin/wine", "usr/lib/wine/wine64",
        "usr/lib/x86_64-linux-gnu/wine/x86_64-windows/ntdll.dll",
        "usr/lib/x86_64-linux-gnu/wine/i386-windows/zlib1.dll"},
       false},
      {"Debian with wine32:i386",
       {"usr/bin/wine", "usr/lib/wine/wine", "usr/lib/wine/wine64",
        "usr/lib/x86_64-linux-gnu/wine/x86_64-windows/ntdll.dll",
        "usr/lib/i386-linux-gnu/wine/i386-windows/ntdll.dll"},
       true},
      {"upstream, both sides",
       {"opt/wine/bin/wine", "opt/wine/lib64/wine/x86_64-windows/ntdll.dll",
        "opt/wine/lib/wine/i386-windows/ntdll.dll"},
       true},
      {"upstream, 64-bit alone",
       {"opt/wine/bin/wine", "opt/wine/lib64/wine/x86_64-windows/ntdll.dll"},
       false},
      {"a layout not known", {"opt/wine/bin/wine"}, true},
  };
  for (const Case& c : cases) {
    TempDir root;
    for (const char* file : c.files) root.Write(file, "x");
    const fs::path wine = root.Path() / c.files[0];
    EXPECT_EQ(WineRuns32BitPrograms(wine), c.runs32) << c.what;
  }

  // A link on PATH into an installation is followed to it.
  TempDir root;
  root.Write("opt/wine/bin/wine", "x");
  root.Write("opt/wine/lib64/wine/x86_64-windows/ntdll.dll", "x");
  fs::create_directories(root.Path() / "usr/local/bin");
  std::error_code linkError;
  fs::create_symlink(root.Path() / "opt/wine/bin/wine", root.Path() / "usr/local/bin/wine",
                     linkError);
  if (!linkError) {
    EXPECT_FALSE(WineRuns32BitPrograms(root.Path() / "usr/local/bin/wine"));
  }
}

}  // namespace
}  // namespace orva
