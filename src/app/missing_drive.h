#pragma once

#include <QString>
#include <optional>

namespace orva {

class FileSystem;
struct InstallPaths;

// The one report for a suite whose drive is not there at all (no Wine prefix, or the wrong
// one): which drive, which prefix was looked in and why, and what to do. nullopt when the
// drive is there; what is missing on it is then reported file by file.
std::optional<QString> MissingDriveReport(const FileSystem& files, const InstallPaths& paths);

}  // namespace orva
