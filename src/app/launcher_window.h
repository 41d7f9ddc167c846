#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/launcher_state.h"
#include "catalogue/catalogue.h"
#include "grids/menu_grid_clicks.h"
#include "platform/cp932_codec.h"
#include "ui/window_design.h"
#include "works/era_date.h"
#include "ui/works_list.h"

namespace orva {

class Desktop;
class FileSystem;
struct UtilityContext;

// The outcome of start-up: 0, or the number of the error that ends the program and the
// file it concerns.
struct StartupResult {
  int error = 0;
  std::string path;
};

// The launcher window: owns the catalogue, the grids and the state for the whole run.
class LauncherWindow : public QMainWindow {
  Q_OBJECT

 public:
  LauncherWindow(Desktop& desktop, const FileSystem& files, InstallPaths paths);
  ~LauncherWindow() override;

  // Everything between loading the window and showing it. The window is not shown.
  StartupResult Startup();

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
  // Error numbers of the two catalogue readers, 0 when they succeeded.
  struct CatalogueLoad {
    int userError = 0;
    int suiteError = 0;
  };

  void ShowWorksGrid();
  void LoadWorksList();
  CatalogueLoad LoadCatalogueFiles();
  void FillGrids();
  void ResetShowAll();
  void RestoreInitialMenu();
  void LoadViewState();
  void SaveViewState();
  void ApplyVisibility();
  void ApplyLayout();
  void Shutdown();
  enum class ErrorDuring { kReading, kWriting };
  // The description, then the file it concerns: no error leaves the user guessing which.
  void ReportError(int number, ErrorDuring during, const std::string& path);

  Desktop& desktop_;
  const FileSystem& files_;
  Cp932Codec codec_;
  Catalogue catalogue_;
  LauncherState state_;
  WindowControls c_;
  EraDateFormatter eraDates_;
  WorksSorter worksSorter_;
  MenuGridController clicks_;
  bool shutDown_ = false;
  bool keepUserFile_ = false;  // the user file is there but could not be read
};

}  // namespace orva
