// Windows paths to host paths and back, on a Wine prefix made once per run: C: a drive
// folder, D: a folder inside C:, and Z: the root, as Wine sets it up. A path on C: or D:
// that maps to the host maps back to a Windows path of the same file. The input is also
// read as a host path below the prefix's C: drive.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "platform/drive_table.h"

using orva::fuzz::Require;
namespace fs = std::filesystem;

namespace {

class WinePrefix {
 public:
  WinePrefix() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/orva-fuzz-XXXXXX";
    Require(mkdtemp(pattern.data()) != nullptr, "a temporary folder");
    root_ = fs::weakly_canonical(pattern);
    const fs::path driveC = root_ / "drive_c";
    for (const char* folder : {"VORDELN/icon", "Program Files/Suite", "Dup", "DUP", "dup/inner"}) {
      fs::create_directories(driveC / folder);
    }
    std::ofstream(driveC / "VORDELN" / "MENU.INI") << "x";
    fs::create_directories(root_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", root_ / "dosdevices" / "c:");
    fs::create_directory_symlink("../drive_c/Program Files", root_ / "dosdevices" / "d:");
    table_ = orva::DriveTable::FromWinePrefix(root_);
  }
  ~WinePrefix() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  const orva::DriveTable& Table() const { return table_; }
  fs::path DriveC() const { return root_ / "drive_c"; }

 private:
  fs::path root_;
  orva::DriveTable table_;
};

bool OnTheTree(std::string_view windowsPath) {
  return !windowsPath.empty() &&
         std::string_view("CcDd").find(windowsPath[0]) != std::string_view::npos;
}

fs::path Canonical(const fs::path& path) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(path, ec);
  return ec ? path.lexically_normal() : canonical;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const WinePrefix prefix;
  const orva::DriveTable& drives = prefix.Table();
  const std::string_view input = orva::fuzz::Bytes(data, size);

  if (const auto host = drives.ToHost(input)) {
    const auto back = drives.ToWindows(*host);
    Require(back.has_value(), "a mapped path maps back");
    Require(back->size() >= 3 && (*back)[1] == ':' && (*back)[2] == '\\', "back as X:\\...");
    if (OnTheTree(input)) {
      const auto again = drives.ToHost(*back);
      Require(again.has_value(), "the path mapped back maps again");
      Require(Canonical(*again) == Canonical(*host), "both name the same file");
    }
  }

  const fs::path below = prefix.DriveC() / fs::path(std::string(input));
  if (const auto windows = drives.ToWindows(below)) {
    Require(windows->size() >= 3 && (*windows)[1] == ':' && (*windows)[2] == '\\', "as X:\\...");
  }
  return 0;
}
