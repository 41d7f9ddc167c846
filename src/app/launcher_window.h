#pragma once

#include <QMainWindow>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "app/launcher_state.h"
#include "catalogue/catalogue.h"
#include "grids/menu_grid_clicks.h"
#include "grids/menu_grid_filler.h"
#include "platform/cp932_codec.h"
#include "platform/error_codes.h"
#include "platform/result.h"
#include "ui/window_design.h"
#include "ui/works_list.h"
#include "works/era_date.h"

namespace orva {

class Desktop;
class FileSystem;
struct UtilityContext;

// The launcher window: owns the catalogue, the grids and the state for the whole run.
class LauncherWindow : public QMainWindow {
  Q_OBJECT

 public:
  // beforeControls runs once the catalogue files are being read and before the first
  // control is made: what the controls need that is still being prepared is waited for there.
  LauncherWindow(Desktop& desktop, const FileSystem& files, InstallPaths paths,
                 const std::function<void()>& beforeControls = {});
  ~LauncherWindow() override;

  // Everything between loading the window and showing it. The window is not shown.
  // A failure is the error that ends the program, with the file it concerns. The catalogue
  // files are being read since the window was made.
  Result<void> Startup();

  const WindowControls& Controls() const { return c_; }
  const LauncherState& State() const { return state_; }
  const Catalogue& Menu() const { return catalogue_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectCommands();
  void ConnectMenuGrid(int index);
  void RunUtility(void (*command)(UtilityContext&));
  void ShowWorksGrid();
  void LoadWorksList();
  // Reads both catalogue files: the suite file's error; the user file's goes to
  // userMenuError_.
  err::Number LoadCatalogueFiles();
  // The same, then the programs are tested for the grids when nothing has to be reported
  // first.
  err::Number LoadCatalogueAndTestPrograms();
  void FillGrids();
  void ResetShowAll();
  void RestoreInitialMenu();
  void LoadViewState();
  void SaveViewState();
  void ApplyVisibility();
  void ApplyLayout();
  void Shutdown();

  Desktop& desktop_;
  const FileSystem& files_;
  Cp932Codec codec_;
  Catalogue catalogue_;
  LauncherState state_;
  // The user file's error at its last reading; when the file is there but could not be
  // read, it is kept (UserMenuLeftUnread).
  err::Number userMenuError_ = err::kNone;
  // What start-up fills the grids from, prepared by the first reading when both files were
  // read as they are: until then no program is tested.
  std::optional<MenuRows> firstRows_;
  // The first reading of both catalogue files, and the programs' tests: the suite file's
  // error. It touches no widget, so it runs while the controls are made; it is started after
  // every member it writes.
  std::future<err::Number> loading_;
  WindowControls c_;
  EraDateFormatter eraDates_;
  WorksSorter worksSorter_;
  MenuGridController clicks_;
  bool shutDown_ = false;
};

}  // namespace orva
