#pragma once

#include <cstdint>
#include <string>

#include "ui/grid_colors.h"

namespace orva {

// The menu grids' part of the window's state.
struct MenuGridState {
  std::int32_t menuRowHeight = 0;  // designed row heights, restored to rows shown again
  std::int32_t allRowHeight = 0;
  GridColors gridColors{};
  std::int16_t allGridCategory = 0;  // category of the combined grid's last clicked row
  // Of the last works list asked for: the program's data-folder file, the folder it names
  // when it names none, and the folder the list is read from.
  std::string dataDirFile;
  std::string defaultDataDir;
  std::string dataDir;
};

}  // namespace orva
