#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "app/catalogue_store.h"
#include "app/launcher_state.h"
#include "grids/menu_grid_clicks.h"
#include "platform/error_number.h"
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
  // A store whose first reading was started earlier is taken over; without one, the window
  // makes its own and starts the reading.
  LauncherWindow(Desktop& desktop, const FileSystem& files, InstallPaths paths,
                 const std::function<void()>& beforeControls = {},
                 std::unique_ptr<CatalogueStore> store = nullptr);
  ~LauncherWindow() override;

  // Everything between loading the window and showing it. The window is not shown.
  // A failure is the error that ends the program, with the file it concerns. The catalogue
  // files are being read since the window was made, or earlier.
  Result<void> Startup();

  // Makes the menu grids after SSm[0], hidden, as they were filled and laid out at
  // start-up. They are made when something first needs them (a category chosen, a click
  // in the combined grid, show-all, restoring the initial menu), not before the first
  // paint: most sessions never show them. Once made, this does nothing.
  void MakeMenuGridCopies();

  const WindowControls& Controls() const { return c_; }
  const LauncherState& State() const { return state_; }
  const Catalogue& Menu() const { return store_->Entries(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool MenuGridCopiesMade() const { return c_.SSm[kCategoryCount - 1] != nullptr; }
  void ConnectCommands();
  void ConnectMenuGrid(int index);
  void RunUtility(void (*command)(UtilityContext&));
  void ShowWorksGrid();
  void LoadWorksList();
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
  LauncherState state_;
  // Its first reading touches no widget, so it runs while the controls are made.
  std::unique_ptr<CatalogueStore> store_;
  WindowControls c_;
  EraDateFormatter eraDates_;
  WorksSorter worksSorter_;
  MenuGridController clicks_;
  // The start-up fill's rows, kept for the menu grids not made yet.
  std::optional<MenuRows> startupRows_;
  bool shutDown_ = false;
  // The view-state file is there but could not be read: the close leaves it as it is.
  bool viewStateUnread_ = false;
};

}  // namespace orva
