#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QString>

#include "grids/grid_colors.h"
#include "grids/icon_finder.h"

namespace orva {

class Catalogue;
class FileSystem;
class SpreadGrid;
struct MenuEntry;

using MenuGrids = std::array<SpreadGrid*, 6>;

// The catalogue's texts as the grids show them, converted once for both fillers.
class MenuTexts {
 public:
  struct Texts {
    QString name;
    QString exe;
    QString dataFile;
  };
  explicit MenuTexts(const Catalogue& catalogue);
  const Texts& Of(int category, int slot) const { return texts_[category - 1][slot - 1]; }

 private:
  std::array<std::vector<Texts>, 6> texts_;
};

// What filling a grid needs besides the catalogue.
struct MenuGridSource {
  const Catalogue& catalogue;
  const MenuTexts& texts;
  const FileSystem& files;
  IconFinder& icons;
  const GridColors& gridColors;
};

// One row per entry in the menu grid of its category, the highest code on top.
void FillCategoryGrids(const MenuGrids& SSm, const MenuGridSource& source);

// Every entry of every category in one grid, newest edition first.
void FillAllGrid(SpreadGrid& SSx, const MenuGridSource& source);

// Shows every row when showAll is set, otherwise hides the rows of missing programs.
void ApplyRowVisibility(const MenuGrids& SSm, SpreadGrid& SSx, const Catalogue& catalogue,
                        std::int16_t showAll, std::int32_t menuRowHeight,
                        std::int32_t allRowHeight);

// Category label of the combined grid for a code's first character; empty when none.
const char* CategoryLabel(const std::string& menuCode);

// The signed item number a row's column 5 holds, read back from its text.
int RowItemNumber(const SpreadGrid& grid, int row);

// Writes a row as available: icon (kept when none is found), colours, path, number.
void ReactivateRow(SpreadGrid& grid, int row, const MenuEntry& entry, int itemNumber,
                   int titleColorSlot, const GridColors& gridColors, IconFinder& icons);

}  // namespace orva
