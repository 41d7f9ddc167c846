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
  // and any failure told: for the end of the program.
  void FinishWatching();

 private:
  enum class Kind { Program, Address, Document };
  void TellFailure(QPointer<QWidget> parent, const Handover& handover, Kind kind,
                   const QString& forUser, const QString& forLog, bool showBox);

  const DriveTable& drives_;
  EarlyFailureWatch watch_;
  StartupFeedback feedback_;
};

}  // namespace orva
