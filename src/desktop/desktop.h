#pragma once

#include <QString>
#include <QStringList>

#include "platform/result.h"

class QWidget;

namespace orva {

// Everything that leaves the window: message boxes, the file dialog, cursors, event
// processing, program starts and shell opens. Tests substitute a scripted one.
class Desktop {
 public:
  enum class Icon { None, Information };
  enum class Cursor { Default, Wait, ArrowWait };

  struct OpenFileRequest {
    QString fileName;        // start file (Windows form)
    QString initialFolder;   // Windows form
    QString title;
    QStringList filters;     // description, pattern, description, pattern...
  };
  virtual ~Desktop() = default;

  virtual void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                           Icon icon) = 0;
  // OK / Cancel with Cancel the default; true for OK.
  virtual bool AskOkCancel(QWidget* parent, const QString& text, const QString& title) = 0;
  // The chosen file (Windows form), or err::kCancel when none was, or another failure.
  virtual Result<QString> ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) = 0;

  // Starts the program file at hostPath detached, exactly that file; false on failure.
  virtual bool StartProgram(const QString& hostPath) = 0;
  // Opens an address or document with the desktop's associated application.
  virtual bool OpenDocument(const QString& addressOrHostPath) = 0;

  virtual void SetWindowCursor(QWidget* window, Cursor cursor) = 0;
  virtual void SetApplicationCursor(Cursor cursor) = 0;
  virtual void ProcessEvents() = 0;
};

}  // namespace orva
