#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orva {

// Windows drive letters and the host folders they stand for (a Wine prefix on POSIX). On
// Windows a drive without a mapping of its own is the host's drive of that letter.
class DriveTable {
 public:
  // Drive x: is the target of <prefix>/dosdevices/x:, as Wine has it: a letter without a
  // link is no drive. Without a dosdevices folder, z: is "/" (what Wine will make of it).
  static DriveTable FromWinePrefix(const std::filesystem::path& prefix);
  // The prefix FromEnvironment uses: WINEPREFIX, or $HOME/.wine when unset.
  static std::filesystem::path PrefixFromEnvironment();
  static DriveTable FromEnvironment();

  // "C:\VORDELN\MENU.INI" (UTF-8) -> host path. Repeated separators count as one; a
  // component missing with its exact case is matched case-insensitively. nullopt for a
  // path with no known drive (or not absolute).
  std::optional<std::filesystem::path> ToHost(std::string_view windowsPath) const;

  // Host path -> Windows form through the drive whose target is the longest prefix.
  std::optional<std::string> ToWindows(const std::filesystem::path& hostPath) const;

  void SetDrive(char letter, std::filesystem::path target);

 private:
  std::array<std::optional<std::filesystem::path>, 26> drives_;
};

}  // namespace orva
