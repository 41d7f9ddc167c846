#pragma once

#include <cstdint>
#include <string>

#include "catalogue/install_paths.h"
#include "grids/grid_colors.h"

namespace orva {

// The window's state shared by every command, as start-up sets it.
struct LauncherState {
  InstallPaths paths;
  std::int16_t categoryCount = 6;
  std::int32_t menuRowHeight = 0;
  std::int32_t allRowHeight = 0;
  GridColors gridColors{};
  std::int16_t showAll = 0;
  std::int16_t curCategory = 1;
  std::int16_t allGridCategory = 0;
  std::string dataDir;
  std::string dataDirFile;
  std::string defaultDataDir;
};

}  // namespace orva
