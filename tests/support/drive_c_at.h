#pragma once

#include <filesystem>

#include "platform/drive_table.h"

namespace orva::test {

// A drive table whose only drive, C:, is `folder`: for tests of the file system alone.
inline DriveTable DriveCAt(const std::filesystem::path& folder) {
  DriveTable drives;
  drives.SetDrive('C', folder);
  return drives;
}

}  // namespace orva::test
