#include "grids/menu_grid_filler.h"

#include <cmath>

#include "catalogue/catalogue.h"
#include "platform/file_system.h"
#include "platform/leading_number.h"
#include "platform/plain_file_tests.h"
#include "ui/menu_grid_columns.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The category a code names, or 0 (no label) for any other code.
int LabelIndex(const std::string& menuCode) {
  const int category = CategoryOfCode(menuCode);
  return IsCategory(category) ? category : 0;
}

// The number in the four characters after a code's first; 0 when they start with no digit.
std::int64_t EditionNumber(const std::string& menuCode) {
  // Characters, not bytes: skip one UTF-8 sequence, then take up to four.
  const auto sequenceEnd = [&menuCode](std::size_t at) {
    do {
      ++at;
    } while (at < menuCode.size() && (static_cast<unsigned char>(menuCode[at]) & 0xC0) == 0x80);
    return at;
  };
  if (menuCode.empty()) return 0;
  const std::size_t begin = sequenceEnd(0);
  std::size_t end = begin;
  for (int taken = 0; taken < 4 && end < menuCode.size(); ++taken) end = sequenceEnd(end);
  return LeadingNumber(std::string_view(menuCode).substr(begin, end - begin));
}

void SetIcon(SpreadGrid& grid, int row, const FoundIcon& icon) {
  if (!icon.IsNull()) grid.SetPicture(kIconColumn, row, icon.Picture(), icon.Name());
}

// The part both fillers share: captions, colours, icon and signed number of one row.
void WriteRow(SpreadGrid& grid, int row, const MenuRows::Row& shown, const QString& title, int slot,
              int titleColorSlot, const GridColors& colors) {
  grid.SetButtonText(kTitleColumn, row, title);
  grid.SetText(kIconColumn, row, shown.name);  // a screen reader names the icon by its program
  grid.SetButtonText(kExeColumn, row, shown.exe);
  grid.SetText(kDataFileColumn, row, shown.dataFile);
  if (shown.installed) {
    SetIcon(grid, row, *shown.icon);
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
  grid.SetValue(kNumberColumn, row, shown.installed ? slot : -slot);
}

void ApplyGridRowVisibility(SpreadGrid& grid, int rows, bool showAll, std::int32_t height) {
  for (int row = 1; row <= rows; ++row) {
    const bool shown = showAll || CellNumber(grid, kNumberColumn, row) > 0;
    grid.SetRowHeight(row, shown ? height : 0);
  }
  grid.SetCurrentCell(1, 1);
}

}  // namespace

MenuRows::MenuRows(const Catalogue& catalogue, const FileSystem& files, IconFinder icons)
    : icons_(std::move(icons)) {
  std::vector<std::string_view> programs;
  for (int category = 1; category <= kCategoryCount; ++category) {
    for (const MenuEntry& entry : catalogue.Slots(category)) programs.push_back(entry.menuExe);
  }
  // The texts are converted while the programs are being looked for.
  PlainFileTests tests(files, std::move(programs));
  std::array<QString, kCategoryCount + 1> labels;  // index 0: no label
  for (int category = 1; category <= kCategoryCount; ++category) {
    labels[category] = QString::fromUtf8(CategoryAt(category).label);
  }
  // Entries in a row mostly name the same data file: converted once, the text is shared.
  const std::string* lastDataFile = nullptr;
  QString dataFile;
  for (int category = 1; category <= kCategoryCount; ++category) {
    auto& rows = rows_[category - 1];
    rows.reserve(catalogue.Slots(category).size());
    for (const MenuEntry& entry : catalogue.Slots(category)) {
      Row& row = rows.emplace_back();
      row.name = Q(entry.menuName);
      const QString& label = labels[LabelIndex(entry.menuCode)];
      if (!label.isEmpty()) row.combinedTitle = row.name + label;
      row.exe = Q(entry.menuExe);
      if (lastDataFile == nullptr || entry.menuDataFile != *lastDataFile) {
        dataFile = Q(entry.menuDataFile);
        lastDataFile = &entry.menuDataFile;
      }
      row.dataFile = dataFile;
    }
  }
  const std::vector<std::uint8_t> installed = tests.Results();
  std::size_t next = 0;
  for (auto& rows : rows_) {
    for (Row& row : rows) row.installed = installed[next++] != 0;
  }
}

void MenuRows::FindIcons(const Catalogue& catalogue) {
  for (int category = 1; category <= kCategoryCount; ++category) {
    for (int slot = 1; slot <= catalogue.menuCount(category); ++slot) {
      Row& row = rows_[category - 1][slot - 1];
      if (row.installed) row.icon = &icons_.Find(catalogue.Entry(category, slot).menuIcon);
    }
  }
}

void FillCategoryGrids(const MenuGrids& SSm, const MenuGridSource& source) {
  for (int category = 1; category <= kCategoryCount; ++category) {
    if (SSm[category - 1] == nullptr) continue;
    SpreadGrid& grid = *SSm[category - 1];
    const int count = source.catalogue.menuCount(category);
    grid.SetRowCount(0);
    grid.SetRowCount(count);
    const GridUpdateScope update(grid);
    int row = 0;
    for (int slot = count; slot >= 1; --slot) {
      const MenuRows::Row& shown = source.rows.Of(category, slot);
      WriteRow(grid, ++row, shown, shown.name, slot, kMenuTitleColorSlot, source.gridColors);
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
      const MenuRows::Row& shown = source.rows.Of(category, slot);
      WriteRow(SSx, row, shown, shown.combinedTitle, slot, kCombinedTitleColorSlot,
               source.gridColors);
      SSx.SetValue(kCategoryColumn, row, category);
      SSx.SetValue(kEditionColumn, row, static_cast<double>(EditionNumber(entry.menuCode)));
    }
  }
  SSx.SortRows(1, SSx.RowCount(), {{kEditionColumn, false}, {kCategoryColumn, true}});
}

int CellNumber(const SpreadGrid& grid, int column, int row) {
  const auto fitted = [](double value) {
    value = std::nearbyint(value);
    return value >= -32768 && value <= 32767 ? static_cast<int>(value) : 0;  // NaN too
  };
  // A number cell, as the fillers write them, needs no text.
  if (const auto number = grid.Number(column, row)) return fitted(*number);
  const QString text = grid.Text(column, row).trimmed();
  int end = 0;
  if (end < text.size() && (text[end] == u'-' || text[end] == u'+')) ++end;
  while (end < text.size() && text[end].isDigit()) ++end;
  if (end < text.size() && text[end] == u'.') ++end;
  while (end < text.size() && text[end].isDigit()) ++end;
  bool ok = false;
  const double value = text.left(end).toDouble(&ok);
  return ok ? fitted(value) : 0;
}

void ApplyMenuRowVisibility(const MenuGrids& SSm, const Catalogue& catalogue, bool showAll,
                            std::int32_t menuRowHeight) {
  for (int category = 1; category <= kCategoryCount; ++category) {
    if (SSm[category - 1] == nullptr) continue;
    ApplyGridRowVisibility(*SSm[category - 1], catalogue.menuCount(category), showAll,
                           menuRowHeight);
  }
}

void ApplyRowVisibility(const MenuGrids& SSm, SpreadGrid& SSx, const Catalogue& catalogue,
                        bool showAll, std::int32_t menuRowHeight, std::int32_t allRowHeight) {
  ApplyMenuRowVisibility(SSm, catalogue, showAll, menuRowHeight);
  ApplyGridRowVisibility(SSx, SSx.RowCount(), showAll, allRowHeight);
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
