#pragma once

#include <functional>

class QWidget;

namespace orva {

class Catalogue;
class Cp932Codec;
class Desktop;
class FileSystem;
class SpreadGrid;
struct LauncherState;
struct WindowControls;

// Everything the click handlers of the menu grids and the combined grid act on.
struct MenuGridClickContext {
  QWidget& window;
  WindowControls& controls;
  Catalogue& catalogue;
  LauncherState& state;
  const FileSystem& files;
  Desktop& desktop;
  const Cp932Codec& codec;
  std::function<void()> loadWorksList;  // fills the works grid from state.dataDir
};

// Button columns: 2 starts the program, 3 lists its works, 4 re-points its executable.
void OnMenuGridButton(MenuGridClickContext& context, int gridIndex, int column, int row);
void OnCombinedGridButton(MenuGridClickContext& context, int column, int row);

// The icon column starts the program too.
void OnMenuGridCell(MenuGridClickContext& context, int gridIndex, int column, int row);
void OnCombinedGridCell(MenuGridClickContext& context, int column, int row);

// Starts an item's program when a plain file is there now; silent otherwise. A start that
// fails is told by the desktop.
void LaunchItem(MenuGridClickContext& context, int category, int item);

}  // namespace orva
