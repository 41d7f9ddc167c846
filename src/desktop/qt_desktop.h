#pragma once

#include "desktop/desktop.h"

namespace orva {

class DriveTable;

// The desktop as Qt offers it. Paths in dialogs are turned between Windows form and host
// form through the drive table.
class QtDesktop final : public Desktop {
 public:
  explicit QtDesktop(const DriveTable& drives) : drives_(drives) {}

  void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                   Icon icon) override;
  bool AskOkCancel(QWidget* parent, const QString& text, const QString& title) override;
  Result<QString> ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) override;
  bool StartProgram(const QString& hostPath) override;
  bool OpenDocument(const QString& addressOrHostPath) override;
  void SetWindowCursor(QWidget* window, Cursor cursor) override;
  void SetApplicationCursor(Cursor cursor) override;
  void ProcessEvents() override;

 private:
  const DriveTable& drives_;
};

}  // namespace orva
