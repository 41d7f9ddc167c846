#include "grids/menu_grid_clicks.h"

#include <QWidget>
#include <cmath>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "desktop/desktop.h"
#include "desktop/error_message.h"
#include "desktop/host_path_text.h"
#include "desktop/log_categories.h"
#include "grids/executable_chooser.h"
#include "grids/menu_grid_state.h"
#include "platform/error_number.h"
#include "platform/file_system.h"
#include "platform/path_split.h"
#include "ui/menu_grid_columns.h"
#include "widgets/spread_grid.h"
#include "works/data_dir_file.h"

namespace orva {
namespace {

void Highlight(SpreadGrid& grid, int column, int row) {
  for (int r = 1; r <= grid.RowCount(); ++r) grid.SetForeColor(column, r, Qt::black);
  grid.SetForeColor(column, row, Qt::red);
}

}  // namespace

// Which grid raised the event and how its rows link back to the catalogue.
struct MenuGridController::ClickedRow {
  SpreadGrid* grid;
  bool combined;
  int row;
  int item;      // N, the slot within its category
  int category;  // K
};

MenuGridController::MenuGridController(QWidget& window, const MenuGrids& SSm, SpreadGrid& SSx,
                                       Catalogue& catalogue, MenuGridState& state,
                                       MenuGridPaths paths, const FileSystem& files,
                                       Desktop& desktop, const Cp932Codec& codec)
    : window_(window),
      SSm_(SSm),
      SSx_(SSx),
      catalogue_(catalogue),
      state_(state),
      paths_(std::move(paths)),
      files_(files),
      desktop_(desktop),
      codec_(codec) {}

MenuGridController::ClickedRow MenuGridController::Identify(SpreadGrid& grid, int menuCategory,
                                                            int row) {
  const bool combined = menuCategory == 0;
  ClickedRow clicked{&grid, combined, row, std::abs(CellNumber(grid, kNumberColumn, row)),
                     menuCategory};
  if (combined) {
    clicked.category = CellNumber(grid, kCategoryColumn, row);
    state_.allGridCategory = static_cast<std::int16_t>(clicked.category);
  }
  return clicked;
}

void MenuGridController::ShowWorksList(const ClickedRow& clicked) {
  // Whatever happens next, the previous item's works are no longer the ones asked for.
  emit worksListRequested();
  const MenuEntry& entry = catalogue_.Entry(clicked.category, clicked.item);
  const std::string folder = PathFolder(entry.menuExe);
  state_.dataDirFile = folder + entry.menuDataFile;
  state_.defaultDataDir = folder + entry.menuDataDir;
  const Result<std::string> dataDir =
      ReadDataDir(files_, state_.dataDirFile, state_.defaultDataDir, codec_);
  if (!dataDir.ok()) {
    // The request is abandoned; the launcher and the user's catalogue carry on.
    LogFileFailure(files_, "read", state_.dataDirFile, dataDir.error());
    ShowErrorNumber(desktop_, &window_, dataDir.error(), ErrorDuring::kReading,
                    ErrorBox::kNumberInText, state_.dataDirFile);
    return;
  }
  // A program started from the launcher works in the launcher's folder: a folder it
  // recorded without a drive or a root is below that one.
  state_.dataDir = ResolveDataDir(dataDir.value(), paths_.appDir, paths_.driveRoot);
  emit worksListReady();
}

// The same item's row in the other view, whether it was marked missing or not.
std::pair<SpreadGrid*, int> MenuGridController::FindCounterpart(const ClickedRow& clicked) const {
  SpreadGrid* other = clicked.combined ? SSm_[clicked.category - 1] : &SSx_;
  for (int row = 1; row <= other->RowCount(); ++row) {
    if (std::abs(CellNumber(*other, kNumberColumn, row)) != clicked.item) continue;
    if (!clicked.combined && CellNumber(*other, kCategoryColumn, row) != clicked.category) {
      continue;
    }
    return {other, row};
  }
  return {nullptr, 0};
}

void MenuGridController::RepointExecutable(const ClickedRow& clicked) {
  MenuEntry& entry = catalogue_.Entry(clicked.category, clicked.item);
  std::string scratch = entry.menuExe;
  const std::optional<std::string> choice = ChooseExecutable(desktop_, &window_, scratch);
  if (!choice) return;
  const std::string& chosen = *choice;
  if (!FitsCatalogueField(chosen, codec_)) {
    desktop_.ShowMessage(&window_,
                         QString::fromUtf8("このパスはメニューに保存できません。\n") +
                             QString::fromStdString(chosen),
                         QString::fromUtf8("エラー"), Desktop::Icon::None);
    return;
  }
  // Find the other view's row before this one changes, then update both.
  const auto [other, otherRow] = FindCounterpart(clicked);
  catalogue_.SetExe(clicked.category, clicked.item, chosen);
  IconFinder icons(files_, paths_.iconDir, paths_.installDir);
  const int ownSlot = clicked.combined ? kCombinedTitleColorSlot : kMenuTitleColorSlot;
  const int otherSlot = clicked.combined ? kMenuTitleColorSlot : kCombinedTitleColorSlot;
  ReactivateRow(*clicked.grid, clicked.row, entry, clicked.item, ownSlot, state_.gridColors, icons);
  if (other) {
    ReactivateRow(*other, otherRow, entry, clicked.item, otherSlot, state_.gridColors, icons);
  }
}

void MenuGridController::OnButton(SpreadGrid& grid, int menuCategory, int column, int row) {
  if (row < 1 || row > grid.RowCount()) return;
  Highlight(grid, column, row);
  const ClickedRow clicked = Identify(grid, menuCategory, row);
  if (column == kTitleColumn) {
    LaunchItem(clicked.category, clicked.item);
    return;
  }
  if (column != kWorksColumn && column != kExeColumn) return;
  // A row whose number names no catalogue entry has nothing to act on.
  if (!catalogue_.Contains(clicked.category, clicked.item)) return;
  if (column == kWorksColumn) {
    ShowWorksList(clicked);
  } else {
    RepointExecutable(clicked);
  }
}

void MenuGridController::OnCell(SpreadGrid& grid, int menuCategory, int column, int row) {
  if (row < 1 || row > grid.RowCount() || column != kIconColumn) return;
  Highlight(grid, kTitleColumn, row);
  const ClickedRow clicked = Identify(grid, menuCategory, row);
  LaunchItem(clicked.category, clicked.item);
}

void MenuGridController::LaunchItem(int category, int item) {
  if (!catalogue_.Contains(category, item)) return;
  const std::string& exe = catalogue_.Entry(category, item).menuExe;
  if (!files_.IsPlainFile(exe)) return;
  if (auto host = files_.HostPath(exe)) {
    desktop_.StartProgram(
        &window_, {.target = HostPathText(*host), .windowsPath = QString::fromStdString(exe)});
  }
}

void MenuGridController::OnMenuGridButton(int gridIndex, int column, int row) {
  OnButton(*SSm_[gridIndex], gridIndex + 1, column, row);
}

void MenuGridController::OnCombinedGridButton(int column, int row) {
  OnButton(SSx_, 0, column, row);
}

void MenuGridController::OnMenuGridCell(int gridIndex, int column, int row) {
  OnCell(*SSm_[gridIndex], gridIndex + 1, column, row);
}

void MenuGridController::OnCombinedGridCell(int column, int row) { OnCell(SSx_, 0, column, row); }

}  // namespace orva
