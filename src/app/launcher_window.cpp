#include "app/launcher_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <future>

#include "catalogue/catalogue_files.h"
#include "grids/menu_grid_filler.h"
#include "desktop/desktop.h"
#include "desktop/log_categories.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "widgets/spread_grid.h"
#include "ui/category_views.h"
#include "ui/layout.h"
#include "ui/view_state_file.h"
#include "utility/utility_commands.h"
#include "works/works_file.h"

namespace orva {
namespace {

TwipsRect RectOf(const QWidget& widget) {
  const QRect r = widget.geometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

void SetRect(QWidget& widget, const TwipsRect& r) {
  widget.setGeometry(r.left, r.top, r.width, r.height);
}

}  // namespace

LauncherWindow::LauncherWindow(Desktop& desktop, const FileSystem& files, InstallPaths paths)
    : desktop_(desktop),
      files_(files),
      clicks_{*this, c_, catalogue_, state_, files_,
              desktop_, codec_, [this] { LoadWorksList(); }} {
  state_.paths = std::move(paths);
  c_ = BuildWindowDesign(*this);
  c_.client->installEventFilter(this);
  ConnectCommands();
}

LauncherWindow::~LauncherWindow() = default;

void LauncherWindow::ConnectCommands() {
  connect(c_.proEnd, &QAction::triggered, this, &QWidget::close);
  for (int index = 0; index < kCategoryButtons; ++index) {
    connect(c_.Command1[index], &QPushButton::clicked, this,
            [this, index] { SelectCategory(c_, index, state_.curCategory); });
  }
  ConnectMenuGrid(0);
  connect(c_.SSx[0], &SpreadGrid::ButtonClicked, this,
          [this](int column, int row) { OnCombinedGridButton(clicks_, column, row); });
  connect(c_.SSx[0], &SpreadGrid::CellClicked, this,
          [this](int column, int row) { OnCombinedGridCell(clicks_, column, row); });
  connect(c_.SS, &SpreadGrid::CellClicked, this,
          [this](int column, int row) { worksSorter_.OnHeaderClick(*c_.SS, column, row); });
  connect(c_.setDEFORT, &QAction::triggered, this, &LauncherWindow::RestoreInitialMenu);
  connect(c_.HOMEPAGE, &QAction::triggered, this, [this] { RunUtility(OpenHomePage); });
  connect(c_.SHELP, &QAction::triggered, this, [this] { RunUtility(OpenHelp); });
  connect(c_.remoto, &QAction::triggered, this, [this] { RunUtility(StartRemoteSupport); });
  connect(c_.saishin, &QAction::triggered, this, [this] { RunUtility(StartDataUpdate); });
  connect(c_.dispSELECT, &QAction::triggered, this, [this] { SwitchView(c_); });
  connect(c_.dispALL, &QAction::triggered, this, [this] {
    ToggleShowAll(c_, state_.showAll);
    ApplyVisibility();
  });
}

void LauncherWindow::RunUtility(void (*command)(UtilityContext&)) {
  UtilityContext context{*this, *c_.Frame1, desktop_, files_, state_.paths.helpPdfPath,
                         state_.paths.updaterPath};
  command(context);
}

void LauncherWindow::ConnectMenuGrid(int index) {
  connect(c_.SSm[index], &SpreadGrid::ButtonClicked, this, [this, index](int column, int row) {
    OnMenuGridButton(clicks_, index, column, row);
  });
  connect(c_.SSm[index], &SpreadGrid::CellClicked, this, [this, index](int column, int row) {
    OnMenuGridCell(clicks_, index, column, row);
  });
}

void LauncherWindow::LoadWorksList() {
  const int category = c_.SSx[0]->isHidden() ? state_.curCategory : state_.allGridCategory;
  const std::string path = WorksFilePath(state_.dataDir, category);
  if (!files_.IsPlainFile(path)) return;
  // A read that fails part-way leaves the rows listed so far; nothing to tell the user.
  const int error =
      LoadWorksFile(*c_.SS, files_, path, WorksCostsHidden(category), codec_, eraDates_);
  if (error != err::kNone) LogFileFailure(files_, "read", path, error, ReadErrorDescription(error));
}

StartupResult LauncherWindow::Startup() {
  // Reading the catalogue touches no widget, so it runs while the grid copies are made
  // (or, with no thread to be had, when it is waited for).
  std::future<CatalogueLoad> loading = std::async(std::launch::async | std::launch::deferred,
                                                  [this] { return LoadCatalogueFiles(); });
  c_.Frame1->hide();
  for (int index = 1; index < kCategoryButtons; ++index) {
    CreateMenuGridCopy(c_, index);
    ConnectMenuGrid(index);
  }
  state_.categoryCount = kCategoryCount;
  c_.SS->hide();
  state_.menuRowHeight = static_cast<std::int32_t>(std::lround(c_.SSm[0]->RowHeight(1)));
  state_.allRowHeight = static_cast<std::int32_t>(std::lround(c_.SSx[0]->RowHeight(1)));
  for (SpreadGrid* grid : c_.SSm) grid->SetRowCount(0);
  state_.gridColors = DefaultGridColors();
  move(0, 0);

  const CatalogueLoad load = loading.get();
  if (load.userError != err::kNone) {
    LogFileFailure(files_, "read", state_.paths.userMenuIniPath, load.userError,
                   ReadErrorDescription(load.userError));
    ReportError(load.userError, ErrorDuring::kReading);
  }
  if (load.suiteError != err::kNone) return {load.suiteError, state_.paths.menuIniPath};
  FillGrids();
  LoadViewState();
  ResetShowAll();
  state_.curCategory = 1;
  c_.SSm[0]->show();
  if (!files_.IsPlainFile(state_.paths.updaterPath)) {
    c_.saishin->setVisible(false);
    SizeToDesignedClientArea(*this, c_);  // one item fewer may need one row fewer
  }
  return {};
}

LauncherWindow::CatalogueLoad LauncherWindow::LoadCatalogueFiles() {
  CatalogueLoad load;
  load.userError = LoadUserMenu(catalogue_, files_, state_.paths.userMenuIniPath, codec_);
  keepUserFile_ = UserMenuLeftUnread(load.userError);
  load.suiteError = LoadSuiteMenu(catalogue_, files_, state_.paths.menuIniPath,
                                  state_.paths.driveRoot, codec_);
  return load;
}

void LauncherWindow::RestoreInitialMenu() {
  if (!desktop_.AskOkCancel(this, QString::fromUtf8("初期状態に戻していいですか?"),
                            QString::fromUtf8("ユーザー設定を削除します"))) {
    return;
  }
  // Past the question every step is best effort: the grids show whatever could be loaded.
  if (const int error = files_.Remove(state_.paths.userMenuIniPath)) {
    LogFileFailure(files_, "delete", state_.paths.userMenuIniPath, error, ErrorDescription(error));
  }
  const CatalogueLoad load = LoadCatalogueFiles();
  if (load.userError != err::kNone) {
    LogFileFailure(files_, "read", state_.paths.userMenuIniPath, load.userError,
                   ReadErrorDescription(load.userError));
  }
  if (load.suiteError != err::kNone) {
    LogFileFailure(files_, "read", state_.paths.menuIniPath, load.suiteError,
                   ReadErrorDescription(load.suiteError));
  }
  FillGrids();
  ResetShowAll();
  SelectCategory(c_, 0, state_.curCategory);
}

void LauncherWindow::FillGrids() {
  // Both views show the same entries: their texts, file tests and icons are prepared once.
  IconFinder icons(files_, state_.paths.iconDir, state_.paths.installDir);
  const MenuRows rows(catalogue_, files_, icons);
  const MenuGridSource source{catalogue_, rows, state_.gridColors};
  FillCategoryGrids(c_.SSm, source);
  FillAllGrid(*c_.SSx[0], source);
}

void LauncherWindow::ApplyVisibility() {
  ApplyRowVisibility(c_.SSm, *c_.SSx[0], catalogue_, state_.showAll, state_.menuRowHeight,
                     state_.allRowHeight);
}

void LauncherWindow::ResetShowAll() {
  c_.dispALL->setChecked(false);
  state_.showAll = 0;
  ApplyVisibility();
}

void LauncherWindow::LoadViewState() {
  const FileRead file = files_.ReadFirstLine(state_.paths.viewIniPath);
  const std::int16_t value = file.error == err::kNone ? ParseViewState(file.bytes) : 0;
  c_.SSx[0]->setVisible(value == 0);
}

void LauncherWindow::SaveViewState() {
  // A view that cannot be kept is no reason to bother the user.
  const int error =
      files_.WriteAtomically(state_.paths.viewIniPath, ViewStateBytes(!c_.SSx[0]->isHidden()));
  if (error != err::kNone) {
    LogFileFailure(files_, "save", state_.paths.viewIniPath, error, ErrorDescription(error));
  }
}

void LauncherWindow::ReportError(int number, ErrorDuring during) {
  const std::string description =
      during == ErrorDuring::kReading ? ReadErrorDescription(number) : ErrorDescription(number);
  desktop_.ShowMessage(this, QString::fromStdString(description),
                       QString::fromUtf8("エラー") + QString::number(number), Desktop::Icon::None);
}

void LauncherWindow::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  // A user file that could not be read was reported at loading; replacing it now would
  // lose every choice it holds, so it stays until the user restores the initial menu.
  if (!keepUserFile_) {
    if (int error = SaveUserMenu(catalogue_, files_, state_.paths.userMenuIniPath, codec_)) {
      LogFileFailure(files_, "save", state_.paths.userMenuIniPath, error, ErrorDescription(error));
      ReportError(error, ErrorDuring::kWriting);
    }
  }
  SaveViewState();
}

void LauncherWindow::closeEvent(QCloseEvent* event) {
  Shutdown();
  event->accept();
}

bool LauncherWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == c_.client && event->type() == QEvent::Resize) ApplyLayout();
  return QMainWindow::eventFilter(watched, event);
}

void LauncherWindow::ApplyLayout() {
  // Positions are linear in the unit, so the layout runs on pixels directly.
  LayoutInput input;
  input.clientWidth = c_.client->width();
  input.clientHeight = c_.client->height();
  for (int i = 0; i < kLayoutCategories; ++i) {
    input.buttons[i] = RectOf(*c_.Command1[i]);
    input.menuGrids[i] = c_.SSm[i] ? RectOf(*c_.SSm[i]) : RectOf(*c_.SSm[0]);
  }
  input.combinedGrid = RectOf(*c_.SSx[0]);
  const LayoutResult result = LayoutOnResize(input);
  for (int i = 0; i < kLayoutCategories; ++i) {
    if (c_.SSm[i]) SetRect(*c_.SSm[i], result.menuGrids[i]);
  }
  SetRect(*c_.SS, result.worksGrid);
  SetRect(*c_.SSx[0], result.combinedGrid);
}

}  // namespace orva
