#pragma once

#include <QPointer>

#include "desktop/desktop.h"
#include "desktop/early_failure_watch.h"
#include "desktop/startup_feedback.h"

namespace orva {

class DriveTable;

// The desktop as Qt offers it. Paths in dialogs are turned between Windows form and host
// form through the drive table.
class QtDesktop final : public Desktop {
 public:
  explicit QtDesktop(const DriveTable& drives) : drives_(drives) {}

  void ShowMessage(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
  bool AskOkCancel(QWidget* parent, const QString& text, const QString& title) override;
  Result<QString> ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) override;
  bool StartProgram(QWidget* parent, const Handover& program) override;
  bool OpenDocument(QWidget* parent, const Handover& document) override;
  void SetWindowCursor(QWidget* window, Cursor cursor) override;
  void SetApplicationCursor(Cursor cursor) override;
  void ProcessEvents() override;

  // Whether the busy cursor of a start is showing.
  bool ShowingStartupFeedback() const { return feedback_.Showing(); }
  // Whether a start or open is still in its first moments.
  bool Watching() const;
  // Waits, running the event loop, until every start and open is past its first moments
  // and any failure told. The program never waits so at its end: what it started is no
  // reason to linger once the window is gone.
  void FinishWatching();

 private:
  enum class Kind { Program, Address, Document };
  // Watches the first moments, and waits for them when the handover asks to: false when
  // it failed in them.
  bool WatchFirstMoments(const Handover& handover, StartWatch watch,
                         EarlyFailureWatch::Failed tell);
  void TellFailure(QPointer<QWidget> parent, const Handover& handover, Kind kind,
                   const QString& forUser, const QString& forLog);

  const DriveTable& drives_;
  EarlyFailureWatch watch_;
  StartupFeedback feedback_;
};

}  // namespace orva
