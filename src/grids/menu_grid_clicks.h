#pragma once

#include <QObject>
#include <string>
#include <utility>

#include "grids/menu_grid_filler.h"

class QWidget;

namespace orva {

class Catalogue;
class Cp932Codec;
class Desktop;
class FileSystem;
class SpreadGrid;
struct MenuGridState;

// Where the suite lies, in Windows form: icons are looked for there, and data folders
// recorded relative to a drive resolve on the install drive.
struct MenuGridPaths {
  std::string appDir;  // the launcher's working folder, which its programs share
  std::string driveRoot;
  std::string iconDir;
  std::string installDir;
};

// The clicks of the menu grids and the combined grid. A click acts on the catalogue, on the
// two views of the clicked item and on the grids' state; the window is told when a works
// list is wanted and is otherwise only the parent of the dialogs.
class MenuGridController : public QObject {
  Q_OBJECT

 public:
  // The grids are read at each click: menu grids 2..6 may be created after this.
  MenuGridController(QWidget& window, const MenuGrids& SSm, SpreadGrid& SSx, Catalogue& catalogue,
                     MenuGridState& state, MenuGridPaths paths, const FileSystem& files,
                     Desktop& desktop, const Cp932Codec& codec);

  // Button columns: 2 starts the program, 3 lists its works, 4 re-points its executable.
  void OnMenuGridButton(int gridIndex, int column, int row);
  void OnCombinedGridButton(int column, int row);

  // The icon column starts the program too.
  void OnMenuGridCell(int gridIndex, int column, int row);
  void OnCombinedGridCell(int column, int row);

  // Starts an item's program when a plain file is there now; silent otherwise. A start that
  // fails is told by the desktop.
  void LaunchItem(int category, int item);

 signals:
  // A row's works list was asked for: the works grid shows, emptied, before anything is
  // read, so no earlier list stands under a message.
  void worksListRequested();
  // The item's data folder is known (the grids' state holds it): list its works.
  void worksListReady();

 private:
  struct ClickedRow;

  // menuCategory: the category of a menu grid; 0 for the combined grid, whose rows name
  // their own.
  void OnButton(SpreadGrid& grid, int menuCategory, int column, int row);
  void OnCell(SpreadGrid& grid, int menuCategory, int column, int row);
  ClickedRow Identify(SpreadGrid& grid, int menuCategory, int row);
  void ShowWorksList(const ClickedRow& clicked);
  std::pair<SpreadGrid*, int> FindCounterpart(const ClickedRow& clicked) const;
  void RepointExecutable(const ClickedRow& clicked);

  QWidget& window_;
  const MenuGrids& SSm_;
  SpreadGrid& SSx_;
  Catalogue& catalogue_;
  MenuGridState& state_;
  MenuGridPaths paths_;
  const FileSystem& files_;
  Desktop& desktop_;
  const Cp932Codec& codec_;
};

}  // namespace orva
