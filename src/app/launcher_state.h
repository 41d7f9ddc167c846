#pragma once

#include "catalogue/install_paths.h"
#include "grids/menu_grid_state.h"
#include "ui/category_views.h"

namespace orva {

// The window's state for the whole run, as start-up sets it; each part belongs to the
// folder whose code changes it.
struct LauncherState {
  InstallPaths paths;
  CategoryViewState views;
  MenuGridState grids;
};

}  // namespace orva
