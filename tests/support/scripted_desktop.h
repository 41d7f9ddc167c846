#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "desktop/desktop.h"
#include "platform/error_codes.h"

namespace orva::test {

// Answers dialogs from queues and records everything else, so no test blocks or starts
// a real program.
class ScriptedDesktop final : public Desktop {
 public:
  struct Message {
    QString text;
    QString title;
    Icon icon;
  };

  std::vector<Message> messages;
  std::vector<QString> questions;
  std::deque<bool> okCancelAnswers;  // empty: Cancel
  std::vector<OpenFileRequest> fileRequests;
  std::deque<Result<QString>> fileChoices;  // empty: cancelled
  std::vector<QString> started;             // host paths
  std::vector<QString> opened;
  std::vector<Handover> handovers;  // every start and open as asked
  bool startSucceeds = true;
  bool openSucceeds = true;
  std::vector<Cursor> windowCursors;
  std::vector<Cursor> applicationCursors;
  int eventPasses = 0;
  // Called inside a program start, to look at the window while it starts.
  std::function<void()> duringStart;

  // Called inside a message box, to look at the window while it shows.
  std::function<void()> duringMessage;

  void ShowMessage(QWidget*, const QString& text, const QString& title, Icon icon) override {
    if (duringMessage) duringMessage();
    messages.push_back({text, title, icon});
  }
  bool AskOkCancel(QWidget*, const QString& text, const QString&) override {
    questions.push_back(text);
    if (okCancelAnswers.empty()) return false;
    bool answer = okCancelAnswers.front();
    okCancelAnswers.pop_front();
    return answer;
  }
  Result<QString> ChooseOpenFile(QWidget*, const OpenFileRequest& request) override {
    fileRequests.push_back(request);
    if (fileChoices.empty()) return err::kCancel;
    Result<QString> choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
  }
  bool StartProgram(QWidget*, const Handover& program) override {
    if (duringStart) duringStart();
    started.push_back(program.target);
    handovers.push_back(program);
    return startSucceeds;
  }
  bool OpenDocument(QWidget*, const Handover& document) override {
    opened.push_back(document.target);
    handovers.push_back(document);
    return openSucceeds;
  }
  void SetWindowCursor(QWidget*, Cursor cursor) override { windowCursors.push_back(cursor); }
  void SetApplicationCursor(Cursor cursor) override { applicationCursors.push_back(cursor); }
  void ProcessEvents() override { ++eventPasses; }
};

}  // namespace orva::test
