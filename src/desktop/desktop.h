#pragma once

#include <QString>
#include <QStringList>

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
  struct FileChoice {
    int error = 0;           // 0 chosen, 32755 cancelled, else a failure
    QString path;            // Windows form
  };

  virtual ~Desktop() = default;

  virtual void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                           Icon icon) = 0;
  // OK / Cancel with Cancel the default; true for OK.
  virtual bool AskOkCancel(QWidget* parent, const QString& text, const QString& title) = 0;
  virtual FileChoice ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) = 0;

  // Starts the program file at hostPath detached, exactly that file; false on failure.
  virtual bool StartProgram(const QString& hostPath) = 0;
  // Opens an address or document with the desktop's associated application.
  virtual bool OpenDocument(const QString& addressOrHostPath) = 0;

  virtual void SetWindowCursor(QWidget* window, Cursor cursor) = 0;
  virtual void SetApplicationCursor(Cursor cursor) = 0;
  virtual void ProcessEvents() = 0;
};

}  // namespace orva
