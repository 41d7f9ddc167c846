#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "grids/icon_finder.h"
#include "ui/grid_colors.h"

namespace orva {

class FileSystem;
class SpreadGrid;

using MenuGrids = std::array<SpreadGrid*, kCategoryCount>;

// What both views show of each entry, prepared once for both fillers: the texts, whether
// the program is installed (one file test per entry, not one per view) and, when it is,
// the entry's icon. No widget or pixmap is touched, so any thread may prepare them while
// the window's thread makes its controls.
class MenuRows {
 public:
  struct Row {
    QString name;
    QString combinedTitle;  // name and category label; empty for a code of no category
    QString exe;
    QString dataFile;
    bool installed = false;
    const FoundIcon* icon = nullptr;  // installed entries only; held by the rows' finder
  };
  // Texts and file tests; the icons are looked for later, with the finder given here.
  MenuRows(const Catalogue& catalogue, const FileSystem& files, IconFinder icons);
  // The icons of the installed entries. Pictures are decoded through Qt's image plugins:
  // the application must stand.
  void FindIcons(const Catalogue& catalogue);
  const Row& Of(int category, int slot) const { return rows_[category - 1][slot - 1]; }

 private:
  std::array<std::vector<Row>, kCategoryCount> rows_;
  IconFinder icons_;  // moved with the rows, its icons stay where the rows point
};

// What filling a grid needs besides the catalogue.
struct MenuGridSource {
  const Catalogue& catalogue;
  const MenuRows& rows;
  const GridColors& gridColors;
};

// One row per entry in the menu grid of its category, the highest code on top. Only the
// grids already made are filled; a null member is skipped.
void FillCategoryGrids(const MenuGrids& SSm, const MenuGridSource& source);

// Every entry of every category in one grid, newest edition first.
void FillAllGrid(SpreadGrid& SSx, const MenuGridSource& source);

// Shows every row when showAll is set, otherwise hides the rows of missing programs; each
// grid's current cell goes back to its first shown row. Menu grids not made are skipped.
void ApplyRowVisibility(const MenuGrids& SSm, SpreadGrid& SSx, const Catalogue& catalogue,
                        bool showAll, std::int32_t menuRowHeight, std::int32_t allRowHeight);
// The same for the menu grids alone.
void ApplyMenuRowVisibility(const MenuGrids& SSm, const Catalogue& catalogue, bool showAll,
                            std::int32_t menuRowHeight);

// The whole number a cell holds: the signed item number of a row's column 5, the category
// of the combined grid's column 7. A cell's text counts by its leading number (sign, digits,
// fraction; blanks skipped), rounded; 0 when it starts with none or the number does not fit
// 16 bits, which indexes nothing.
int CellNumber(const SpreadGrid& grid, int column, int row);

// Writes a row as available: icon (kept when none is found), colours, path, number.
void ReactivateRow(SpreadGrid& grid, int row, const MenuEntry& entry, int itemNumber,
                   int titleColorSlot, const GridColors& gridColors, IconFinder& icons);

}  // namespace orva
