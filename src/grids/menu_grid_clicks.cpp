#include "grids/menu_grid_clicks.h"

#include <QPushButton>
#include <QWidget>
#include <cmath>

#include "app/launcher_state.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "works/data_dir_file.h"
#include "grids/executable_chooser.h"
#include "grids/menu_grid_filler.h"
#include "platform/path_split.h"
#include "desktop/desktop.h"
#include "desktop/log_categories.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "grids/menu_grid_columns.h"
#include "widgets/spread_grid.h"
#include "ui/screen_fit.h"
#include "ui/window_design.h"

namespace orva {
namespace {

// Which grid raised the event and how its rows link back to the catalogue.
struct ClickedRow {
  SpreadGrid* grid;
  bool combined;
  int row;
  int item;      // N, the slot within its category
  int category;  // K
};

// A cell's leading number (sign, digits, fraction; blanks skipped), 0 when it starts with
// none, rounded to a 16-bit whole number. A value that does not fit reads as 0, which
// indexes nothing.
int CellNumber(const SpreadGrid& grid, int column, int row) {
  const QString text = grid.Text(column, row).trimmed();
  int end = 0;
  if (end < text.size() && (text[end] == u'-' || text[end] == u'+')) ++end;
  while (end < text.size() && text[end].isDigit()) ++end;
  if (end < text.size() && text[end] == u'.') ++end;
  while (end < text.size() && text[end].isDigit()) ++end;
  bool ok = false;
  const double value = std::nearbyint(text.left(end).toDouble(&ok));
  if (!ok || value < -32768 || value > 32767) return 0;
  return static_cast<int>(value);
}

void Highlight(SpreadGrid& grid, int column, int row) {
  for (int r = 1; r <= grid.RowCount(); ++r) grid.SetForeColor(column, r, Qt::black);
  grid.SetForeColor(column, row, Qt::red);
}

ClickedRow Identify(MenuGridClickContext& context, SpreadGrid& grid, bool combined, int row) {
  ClickedRow clicked{&grid, combined, row, std::abs(CellNumber(grid, kNumberColumn, row)), 0};
  if (combined) {
    clicked.category = CellNumber(grid, kCategoryColumn, row);
    context.state.allGridCategory = static_cast<std::int16_t>(clicked.category);
  } else {
    clicked.category = context.state.curCategory;
  }
  return clicked;
}

void ShowWorksList(MenuGridClickContext& context, const ClickedRow& clicked) {
  SpreadGrid& works = *context.controls.SS;
  if (works.isHidden()) {
    works.show();
    // The outer height doubles, frame included, as the user sees the window; on a small
    // screen only as far as the screen reaches.
    QWidget& window = context.window;
    const int frame = window.frameGeometry().height() - window.height();
    ResizeWithinScreen(window, {window.width(), window.frameGeometry().height() * 2 - frame});
  }
  // Whatever happens next, the previous item's works are no longer the ones asked for.
  works.SetRowCount(0);
  const MenuEntry& entry = context.catalogue.Entry(clicked.category, clicked.item);
  const std::string folder = PathFolder(entry.menuExe);
  LauncherState& state = context.state;
  state.dataDirFile = folder + entry.menuDataFile;
  state.defaultDataDir = folder + entry.menuDataDir;
  const DataDirResult dataDir =
      ReadDataDir(context.files, state.dataDirFile, state.defaultDataDir, context.codec);
  if (dataDir.error != err::kNone) {
    // The request is abandoned; the launcher and the user's catalogue carry on.
    LogFileFailure(context.files, "read", state.dataDirFile, dataDir.error,
                   ReadErrorDescription(dataDir.error));
    context.desktop.ShowMessage(
        &context.window,
        QString::number(dataDir.error) + ":" +
            QString::fromStdString(ReadErrorDescription(dataDir.error)),
        QString::fromUtf8("エラー"), Desktop::Icon::None);
    return;
  }
  // A program may record its folder relative to itself or to its drive.
  state.dataDir = ResolveDataDir(dataDir.dataDir, folder, state.paths.driveRoot);
  context.loadWorksList();
}

// The same item's row in the other view, whether it was marked missing or not.
std::pair<SpreadGrid*, int> FindCounterpart(MenuGridClickContext& context,
                                            const ClickedRow& clicked) {
  SpreadGrid* other = clicked.combined ? context.controls.SSm[clicked.category - 1]
                                       : context.controls.SSx[0];
  for (int row = 1; row <= other->RowCount(); ++row) {
    if (std::abs(CellNumber(*other, kNumberColumn, row)) != clicked.item) continue;
    if (!clicked.combined && CellNumber(*other, kCategoryColumn, row) != clicked.category) {
      continue;
    }
    return {other, row};
  }
  return {nullptr, 0};
}

void RepointExecutable(MenuGridClickContext& context, const ClickedRow& clicked) {
  MenuEntry& entry = context.catalogue.Entry(clicked.category, clicked.item);
  std::string scratch = entry.menuExe;
  std::string chosen;
  std::int16_t cancelled = 0;
  ChooseExecutable(context.desktop, &context.window, scratch, chosen, cancelled);
  if (cancelled != 0) return;
  if (!FitsCatalogueField(chosen, context.codec)) {
    context.desktop.ShowMessage(
        &context.window,
        QString::fromUtf8("このパスはメニューに保存できません。\n") + QString::fromStdString(chosen),
        QString::fromUtf8("エラー"), Desktop::Icon::None);
    return;
  }
  // Find the other view's row before this one changes, then update both.
  const auto [other, otherRow] = FindCounterpart(context, clicked);
  entry.menuExe = chosen;
  IconFinder icons(context.files, context.state.paths.iconDir, context.state.paths.installDir);
  const int ownSlot = clicked.combined ? kCombinedTitleColorSlot : kMenuTitleColorSlot;
  const int otherSlot = clicked.combined ? kMenuTitleColorSlot : kCombinedTitleColorSlot;
  ReactivateRow(*clicked.grid, clicked.row, entry, clicked.item, ownSlot, context.state.gridColors,
                icons);
  if (other) {
    ReactivateRow(*other, otherRow, entry, clicked.item, otherSlot, context.state.gridColors,
                  icons);
  }
}

void OnButton(MenuGridClickContext& context, SpreadGrid& grid, bool combined, int column,
              int row) {
  if (row < 1 || row > grid.RowCount()) return;
  Highlight(grid, column, row);
  const ClickedRow clicked = Identify(context, grid, combined, row);
  if (column == kTitleColumn) {
    LaunchItem(context, clicked.category, clicked.item);
    return;
  }
  if (column != kWorksColumn && column != kExeColumn) return;
  // A row whose number names no catalogue entry has nothing to act on.
  if (!context.catalogue.Contains(clicked.category, clicked.item)) return;
  if (column == kWorksColumn) {
    ShowWorksList(context, clicked);
  } else {
    RepointExecutable(context, clicked);
  }
}

void OnCell(MenuGridClickContext& context, SpreadGrid& grid, bool combined, int column, int row) {
  if (row < 1 || row > grid.RowCount() || column != kIconColumn) return;
  Highlight(grid, kTitleColumn, row);
  const ClickedRow clicked = Identify(context, grid, combined, row);
  LaunchItem(context, clicked.category, clicked.item);
}

}  // namespace

void LaunchItem(MenuGridClickContext& context, int category, int item) {
  if (!context.catalogue.Contains(category, item)) return;
  const std::string& exe = context.catalogue.Entry(category, item).menuExe;
  if (!context.files.IsPlainFile(exe)) return;
  if (auto host = context.files.HostPath(exe)) {
    context.desktop.StartProgram(&context.window, {.target = QString::fromStdString(host->string()),
                                                   .windowsPath = QString::fromStdString(exe)});
  }
}

void OnMenuGridButton(MenuGridClickContext& context, int gridIndex, int column, int row) {
  OnButton(context, *context.controls.SSm[gridIndex], false, column, row);
}

void OnCombinedGridButton(MenuGridClickContext& context, int column, int row) {
  OnButton(context, *context.controls.SSx[0], true, column, row);
}

void OnMenuGridCell(MenuGridClickContext& context, int gridIndex, int column, int row) {
  OnCell(context, *context.controls.SSm[gridIndex], false, column, row);
}

void OnCombinedGridCell(MenuGridClickContext& context, int column, int row) {
  OnCell(context, *context.controls.SSx[0], true, column, row);
}

}  // namespace orva
