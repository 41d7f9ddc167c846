#include "grids/menu_grid_filler.h"

#include <cmath>

#include "catalogue/catalogue.h"
#include "platform/file_system.h"
#include "platform/leading_number.h"
#include "grids/menu_grid_columns.h"
#include "platform/spread_grid.h"

namespace orva {
namespace {


QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

void SetIcon(SpreadGrid& grid, int row, const FoundIcon& icon) {
  if (!icon.picture.isNull()) grid.SetPicture(kIconColumn, row, icon.picture, icon.name);
}

// The part both fillers share: captions, colours, icon and signed number of one row.
void WriteRow(SpreadGrid& grid, int row, const MenuEntry& entry, const MenuTexts::Texts& texts,
              const QString& title, int slot, bool installed, int titleColorSlot,
              const GridColors& colors, IconFinder& icons) {
  grid.SetButtonText(kTitleColumn, row, title);
  grid.SetButtonText(kExeColumn, row, texts.exe);
  grid.SetText(kDataFileColumn, row, texts.dataFile);
  if (installed) {
    SetIcon(grid, row, icons.Find(entry.menuIcon));
    grid.SetBackColor(kTitleColumn, row, ToQColor(colors[titleColorSlot]));
    grid.SetBackColor(kWorksColumn, row, ToQColor(colors[kWorksListColorSlot]));
    grid.SetBackColor(kExeColumn, row, ToQColor(colors[kExecutableColorSlot]));
  } else {
    for (int column = kIconColumn; column <= kExeColumn; ++column) {
      grid.SetBackColor(column, row, ToQColor(colors[kMissingColorSlot]));
    }
  }
  // Captions are black: the fillers write into freshly emptied rows, whose captions are
  // black already, so no colour is written for them.
  grid.SetValue(kNumberColumn, row, installed ? slot : -slot);
}

}  // namespace

MenuTexts::MenuTexts(const Catalogue& catalogue) {
  for (int category = 1; category <= kCategoryCount; ++category) {
    auto& texts = texts_[category - 1];
    texts.reserve(catalogue.Slots(category).size());
    for (const MenuEntry& entry : catalogue.Slots(category)) {
      texts.push_back({Q(entry.menuName), Q(entry.menuExe), Q(entry.menuDataFile)});
    }
  }
}

const char* CategoryLabel(const std::string& menuCode) {
  static constexpr const char* kLabels[] = {" 土木積算", " 農林積算", " 港湾積算",
                                            " 民間見積", " 水道積算", " 実行予算"};
  if (menuCode.empty() || menuCode[0] < '1' || menuCode[0] > '6') return "";
  return kLabels[menuCode[0] - '1'];
}

void FillCategoryGrids(const MenuGrids& SSm, const MenuGridSource& source) {
  for (int category = 1; category <= kCategoryCount; ++category) {
    SpreadGrid& grid = *SSm[category - 1];
    const int count = source.catalogue.menuCount(category);
    grid.SetRowCount(0);
    grid.SetRowCount(count);
    const GridUpdateScope update(grid);
    int row = 0;
    for (int slot = count; slot >= 1; --slot) {
      const MenuEntry& entry = source.catalogue.Entry(category, slot);
      const MenuTexts::Texts& texts = source.texts.Of(category, slot);
      WriteRow(grid, ++row, entry, texts, texts.name, slot,
               source.files.IsPlainFile(entry.menuExe), kMenuTitleColorSlot, source.gridColors,
               source.icons);
    }
  }
}

void FillAllGrid(SpreadGrid& SSx, const MenuGridSource& source) {
  int total = 0;
  for (int category = 1; category <= kCategoryCount; ++category) {
    total += source.catalogue.menuCount(category);
  }
  SSx.SetRowCount(0);
  SSx.SetRowCount(total);  // one resize instead of one per appended row
  const GridUpdateScope update(SSx);
  int row = 0;
  for (int category = 1; category <= kCategoryCount; ++category) {
    for (int slot = source.catalogue.menuCount(category); slot >= 1; --slot) {
      const MenuEntry& entry = source.catalogue.Entry(category, slot);
      ++row;
      const char* label = CategoryLabel(entry.menuCode);
      const MenuTexts::Texts& texts = source.texts.Of(category, slot);
      WriteRow(SSx, row, entry, texts, *label ? texts.name + QString::fromUtf8(label) : QString(),
               slot, source.files.IsPlainFile(entry.menuExe), kCombinedTitleColorSlot,
               source.gridColors, source.icons);
      SSx.SetValue(kCategoryColumn, row, category);
      // Edition digits; a code that has none reads as 0.
      const std::string edition = Q(entry.menuCode).mid(1, 4).toStdString();
      SSx.SetValue(kEditionColumn, row, static_cast<double>(LeadingNumber(edition)));
    }
  }
  SSx.SortRows(1, SSx.RowCount(), {{kEditionColumn, false}, {kCategoryColumn, true}});
}

int RowItemNumber(const SpreadGrid& grid, int row) {
  // A whole number reads back as its own digits; only other cells need the text.
  if (const auto number = grid.Number(kNumberColumn, row);
      number && *number == std::trunc(*number) && std::fabs(*number) < 1e9) {
    return static_cast<int>(*number);
  }
  return static_cast<int>(grid.Text(kNumberColumn, row).toDouble());
}

void ApplyRowVisibility(const MenuGrids& SSm, SpreadGrid& SSx, const Catalogue& catalogue,
                        std::int16_t showAll, std::int32_t menuRowHeight,
                        std::int32_t allRowHeight) {
  auto apply = [showAll](SpreadGrid& grid, int rows, std::int32_t height) {
    for (int row = 1; row <= rows; ++row) {
      const bool shown = showAll != 0 || RowItemNumber(grid, row) > 0;
      grid.SetRowHeight(row, shown ? height : 0);
    }
    grid.SetCurrentCell(1, 1);
  };
  for (int category = 1; category <= kCategoryCount; ++category) {
    apply(*SSm[category - 1], catalogue.menuCount(category), menuRowHeight);
  }
  apply(SSx, SSx.RowCount(), allRowHeight);
}

void ReactivateRow(SpreadGrid& grid, int row, const MenuEntry& entry, int itemNumber,
                   int titleColorSlot, const GridColors& gridColors, IconFinder& icons) {
  SetIcon(grid, row, icons.Find(entry.menuIcon));
  grid.SetBackColor(kTitleColumn, row, ToQColor(gridColors[titleColorSlot]));
  grid.SetBackColor(kWorksColumn, row, ToQColor(gridColors[kWorksListColorSlot]));
  grid.SetBackColor(kExeColumn, row, ToQColor(gridColors[kExecutableColorSlot]));
  grid.SetButtonText(kExeColumn, row, Q(entry.menuExe));
  grid.SetValue(kNumberColumn, row, itemNumber);
}

}  // namespace orva
