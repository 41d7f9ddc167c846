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
  enum class Icon { None, Information, Warning };
  enum class Cursor { Default, Wait, ArrowWait };

  struct OpenFileRequest {
    QString fileName;       // start file (Windows form)
    QString initialFolder;  // Windows form
    QString title;
    QStringList filters;  // description, pattern, description, pattern...
  };
  // A program to start, or a document or address to open.
  struct Handover {
    QString target{};       // host path of the program or document, or an address
    QString windowsPath{};  // the path the user knows it by; empty for an address
    // The call returns only once the first moments are over, the window kept on screen
    // and deaf to input meanwhile, and a failure in them is told by then: for a caller
    // that closes the window once the hand-over worked.
    bool awaitFirstMoments = false;
  };

  virtual ~Desktop() = default;

  virtual void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                           Icon icon) = 0;
  // OK / Cancel with Cancel the default; true for OK.
  virtual bool AskOkCancel(QWidget* parent, const QString& text, const QString& title) = 0;
  // The chosen file (Windows form), or err::kCancel when none was, or another failure.
  virtual Result<QString> ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) = 0;

  // Starts the program file at the handover's target detached, exactly that file; opens a
  // document or address with the desktop's associated application. Neither waits for what
  // it started to end. Every failure is logged and told in a message box over `parent`: one
  // at once by this call; one that shows in the first moments after the start (the program
  // or the opener ends with a failure) later, on the event thread, unless the handover
  // awaits them. False when it failed at once, or in the first moments it awaited.
  virtual bool StartProgram(QWidget* parent, const Handover& program) = 0;
  virtual bool OpenDocument(QWidget* parent, const Handover& document) = 0;

  virtual void SetWindowCursor(QWidget* window, Cursor cursor) = 0;
  virtual void SetApplicationCursor(Cursor cursor) = 0;
  virtual void ProcessEvents() = 0;
};

}  // namespace orva
