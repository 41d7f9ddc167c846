#include "app/launcher_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <future>

#include "catalogue/catalogue_files.h"
#include "desktop/desktop.h"
#include "desktop/error_message.h"
#include "desktop/log_categories.h"
#include "grids/menu_grid_filler.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "ui/category_views.h"
#include "ui/layout.h"
#include "ui/screen_fit.h"
#include "ui/view_state_file.h"
#include "utility/utility_commands.h"
#include "widgets/spread_grid.h"
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

std::unique_ptr<CatalogueStore> StartedStore(std::unique_ptr<CatalogueStore> store,
                                             const FileSystem& files, const InstallPaths& paths) {
  if (!store) store = std::make_unique<CatalogueStore>(files, paths);
  store->StartFirstReading();
  store->ApplicationStands();  // a window is made once it does
  return store;
}

WindowControls BuildAfter(const std::function<void()>& beforeControls, QMainWindow& window) {
  if (beforeControls) beforeControls();
  return BuildWindowDesign(window);
}

}  // namespace

LauncherWindow::LauncherWindow(Desktop& desktop, const FileSystem& files, InstallPaths paths,
                               const std::function<void()>& beforeControls,
                               std::unique_ptr<CatalogueStore> store)
    : desktop_(desktop),
      files_(files),
      state_{std::move(paths), {}, {}},
      store_(StartedStore(std::move(store), files, state_.paths)),
      c_(BuildAfter(beforeControls, *this)),
      clicks_(*this, c_.SSm, *c_.SSx[0], store_->Entries(), state_.grids,
              {state_.paths.appDir, state_.paths.driveRoot, state_.paths.iconDir,
               state_.paths.installDir},
              files_, desktop_, store_->Codec()) {
  c_.client->installEventFilter(this);
  ConnectCommands();
}

LauncherWindow::~LauncherWindow() = default;

void LauncherWindow::ConnectCommands() {
  connect(c_.proEnd, &QAction::triggered, this, &QWidget::close);
  for (int index = 0; index < kCategoryCount; ++index) {
    connect(c_.Command1[index], &QPushButton::clicked, this, [this, index] {
      MakeMenuGridCopies();
      SelectCategory(c_, state_.views, index);
    });
  }
  ConnectMenuGrid(0);
  // A combined-grid row may change its item's row in the menu grid too.
  connect(c_.SSx[0], &SpreadGrid::ButtonClicked, &clicks_, [this](int column, int row) {
    MakeMenuGridCopies();
    clicks_.OnCombinedGridButton(column, row);
  });
  connect(c_.SSx[0], &SpreadGrid::CellClicked, &clicks_, [this](int column, int row) {
    MakeMenuGridCopies();
    clicks_.OnCombinedGridCell(column, row);
  });
  connect(&clicks_, &MenuGridController::worksListRequested, this, &LauncherWindow::ShowWorksGrid);
  connect(&clicks_, &MenuGridController::worksListReady, this, &LauncherWindow::LoadWorksList);
  connect(c_.SS, &SpreadGrid::CellClicked, this,
          [this](int column, int row) { worksSorter_.OnHeaderClick(*c_.SS, column, row); });
  connect(c_.setDEFORT, &QAction::triggered, this, &LauncherWindow::RestoreInitialMenu);
  connect(c_.HOMEPAGE, &QAction::triggered, this, [this] { RunUtility(OpenHomePage); });
  connect(c_.SHELP, &QAction::triggered, this, [this] { RunUtility(OpenHelp); });
  connect(c_.remoto, &QAction::triggered, this, [this] { RunUtility(StartRemoteSupport); });
  connect(c_.saishin, &QAction::triggered, this, [this] { RunUtility(StartDataUpdate); });
  connect(c_.dispSELECT, &QAction::triggered, this, [this] { SwitchView(c_); });
  connect(c_.dispALL, &QAction::triggered, this, [this] {
    MakeMenuGridCopies();
    ToggleShowAll(c_, state_.views);
    ApplyVisibility();
  });
}

void LauncherWindow::RunUtility(void (*command)(UtilityContext&)) {
  UtilityContext context{.window = *this,
                         .Frame1 = *c_.Frame1,
                         .desktop = desktop_,
                         .files = files_,
                         .paths = state_.paths};
  command(context);
}

void LauncherWindow::ConnectMenuGrid(int index) {
  connect(c_.SSm[index], &SpreadGrid::ButtonClicked, &clicks_,
          [this, index](int column, int row) { clicks_.OnMenuGridButton(index, column, row); });
  connect(c_.SSm[index], &SpreadGrid::CellClicked, &clicks_,
          [this, index](int column, int row) { clicks_.OnMenuGridCell(index, column, row); });
}

void LauncherWindow::ShowWorksGrid() {
  SpreadGrid& works = *c_.SS;
  if (works.isHidden()) {
    works.show();
    // The outer height doubles, frame included, as the user sees the window; on a small
    // screen only as far as the screen reaches.
    const int frame = frameGeometry().height() - height();
    ResizeWithinScreen(*this, {width(), frameGeometry().height() * 2 - frame});
  }
  works.SetRowCount(0);
}

void LauncherWindow::LoadWorksList() {
  const int category =
      c_.SSx[0]->isHidden() ? state_.views.curCategory : state_.grids.allGridCategory;
  const std::string path = WorksFilePath(state_.grids.dataDir, category);
  if (!files_.IsPlainFile(path)) return;
  // A read that fails part-way leaves the rows listed so far; nothing to tell the user,
  // unless another program holds the file: its empty list would pass for works that are gone.
  const err::Number error =
      LoadWorksFile(*c_.SS, files_, path, WorksCostsHidden(category), store_->Codec(), eraDates_);
  if (error != err::kNone) LogFileFailure(files_, "read", path, error);
  if (error == err::kFileInUse) {
    ShowErrorNumber(desktop_, this, error, ErrorDuring::kReading, ErrorBox::kNumberInText, path);
  }
}

Result<void> LauncherWindow::Startup() {
  c_.Frame1->hide();
  c_.SS->hide();
  state_.grids.menuRowHeight = static_cast<std::int32_t>(std::lround(c_.SSm[0]->RowHeight(1)));
  state_.grids.allRowHeight = static_cast<std::int32_t>(std::lround(c_.SSx[0]->RowHeight(1)));
  c_.SSm[0]->SetRowCount(0);
  state_.grids.gridColors = DefaultGridColors();
  move(0, 0);

  const err::Number suiteError = store_->FinishFirstReading();
  if (const err::Number userError = store_->UserFileError()) {
    LogFileFailure(files_, "read", state_.paths.userMenuIniPath, userError);
    ShowErrorNumber(desktop_, this, userError, ErrorDuring::kReading, ErrorBox::kNumberInTitle,
                    state_.paths.userMenuIniPath);
  }
  if (suiteError != err::kNone) return {suiteError, state_.paths.menuIniPath};
  FillGrids();
  LoadViewState();
  ResetShowAll();
  state_.views.curCategory = 1;
  c_.SSm[0]->show();
  if (!files_.IsPlainFile(state_.paths.updaterPath)) {
    c_.saishin->setVisible(false);
    SizeToDesignedClientArea(*this, c_);  // one item fewer may need one row fewer
  }
  return {};
}

void LauncherWindow::MakeMenuGridCopies() {
  if (MenuGridCopiesMade()) return;
  MenuGrids made{};
  for (int index = 1; index < kCategoryCount; ++index) {
    CreateMenuGridCopy(c_, index);
    ConnectMenuGrid(index);
    c_.SSm[index]->SetRowCount(0);
    made[index] = c_.SSm[index];
  }
  if (!startupRows_) return;  // not filled at start-up, or about to be filled anew
  // The rows of the start-up fill, with its file tests: nothing is looked at again.
  FillCategoryGrids(made, {store_->Entries(), *startupRows_, state_.grids.gridColors});
  startupRows_.reset();
  ApplyMenuRowVisibility(made, store_->Entries(), state_.views.showAll, state_.grids.menuRowHeight);
}

void LauncherWindow::RestoreInitialMenu() {
  if (!desktop_.AskOkCancel(this, QString::fromUtf8("初期状態に戻していいですか?"),
                            QString::fromUtf8("ユーザー設定を削除します"))) {
    return;
  }
  // Past the question every step is best effort and the user is not bothered: a user file
  // that cannot be removed is read again and kept, and the grids show whatever could be
  // loaded. What failed is logged. The grids are all filled anew below: menu grids made now
  // need not show the start-up rows first.
  startupRows_.reset();
  MakeMenuGridCopies();
  if (const err::Number error = files_.Remove(state_.paths.userMenuIniPath)) {
    LogFileFailure(files_, "delete", state_.paths.userMenuIniPath, error);
  }
  if (const err::Number suiteError = store_->ReadAgain()) {
    LogFileFailure(files_, "read", state_.paths.menuIniPath, suiteError);
  }
  if (const err::Number userError = store_->UserFileError()) {
    LogFileFailure(files_, "read", state_.paths.userMenuIniPath, userError);
  }
  FillGrids();
  ResetShowAll();
  SelectCategory(c_, state_.views, 0);
}

void LauncherWindow::FillGrids() {
  // Both views show the same entries: their texts, file tests and icons are prepared once.
  MenuRows rows = store_->TakeRows();
  const MenuGridSource source{store_->Entries(), rows, state_.grids.gridColors};
  FillCategoryGrids(c_.SSm, source);
  FillAllGrid(*c_.SSx[0], source);
  if (!MenuGridCopiesMade()) startupRows_.emplace(std::move(rows));
}

void LauncherWindow::ApplyVisibility() {
  ApplyRowVisibility(c_.SSm, *c_.SSx[0], store_->Entries(), state_.views.showAll,
                     state_.grids.menuRowHeight, state_.grids.allRowHeight);
}

void LauncherWindow::ResetShowAll() {
  c_.dispALL->setChecked(false);
  state_.views.showAll = false;
  ApplyVisibility();
}

void LauncherWindow::LoadViewState() {
  const Result<std::string> file = files_.ReadFirstLine(state_.paths.viewIniPath);
  // No file is the first run's normal; any other failure falls back quietly but is logged.
  if (!file.ok() && file.error() != err::kFileNotFound && file.error() != err::kPathNotFound) {
    LogFileFailure(files_, "read", state_.paths.viewIniPath, file.error());
  }
  const std::int16_t value = file.ok() ? ParseViewState(file.value()) : 0;
  // A file that is there but could not be read keeps what it holds: the default shown
  // meanwhile is not the user's choice.
  viewStateUnread_ =
      !file.ok() && file.error() != err::kFileNotFound && file.error() != err::kPathNotFound;
  if (viewStateUnread_) LogFileFailure(files_, "read", state_.paths.viewIniPath, file.error());
  ShowCombinedView(c_, value == 0);
}

void LauncherWindow::SaveViewState() {
  if (viewStateUnread_) return;
  // A view that cannot be kept is no reason to bother the user.
  FileSystem::SaveNotes notes;
  const err::Number error = files_.WriteAtomically(state_.paths.viewIniPath,
                                                   ViewStateBytes(!c_.SSx[0]->isHidden()), &notes);
  LogSaveNotes(files_, state_.paths.viewIniPath, notes);
  if (error != err::kNone) {
    LogFileFailure(files_, "save", state_.paths.viewIniPath, error);
  }
}

void LauncherWindow::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  // A user file that could not be read was reported at loading; replacing it now would
  // lose every choice it holds, so it stays until the user restores the initial menu.
  if (!UserMenuLeftUnread(store_->UserFileError())) {
    const UserMenuSaveResult saved = store_->Save();
    LogSaveNotes(files_, state_.paths.userMenuIniPath, saved.notes);
    if (saved.changedElsewhere && saved.error == err::kNone) {
      qCInfo(lcFiles).noquote() << QString::fromStdString(state_.paths.userMenuIniPath)
                                << (saved.written ? "was changed by another program: this run's "
                                                    "choices were saved on top of that change"
                                                  : "was changed by another program and is kept "
                                                    "as it is: this run changed nothing");
    }
    if (saved.error != err::kNone) {
      LogFileFailure(files_, "save", state_.paths.userMenuIniPath, saved.error);
      ShowErrorNumber(desktop_, this, saved.error, ErrorDuring::kWriting, ErrorBox::kNumberInTitle,
                      state_.paths.userMenuIniPath);
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
  for (int i = 0; i < kCategoryCount; ++i) {
    input.buttons[i] = RectOf(*c_.Command1[i]);
    input.menuGrids[i] = c_.SSm[i] ? RectOf(*c_.SSm[i]) : RectOf(*c_.SSm[0]);
  }
  input.combinedGrid = RectOf(*c_.SSx[0]);
  const LayoutResult result = LayoutOnResize(input);
  for (int i = 0; i < kCategoryCount; ++i) {
    if (c_.SSm[i]) SetRect(*c_.SSm[i], result.menuGrids[i]);
  }
  SetRect(*c_.SS, result.worksGrid);
  SetRect(*c_.SSx[0], result.combinedGrid);
}

}  // namespace orva
