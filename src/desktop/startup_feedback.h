#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <string>
#include <vector>

#ifndef Q_OS_WIN
#include "desktop/startup_notifier.h"
#endif

namespace orva {

// How long the feedback of a start lasts at most: a program that is still loading by then
// (Wine's first start in a prefix takes longer) is left to show its window alone.
inline constexpr std::chrono::milliseconds kStartupFeedbackTime{5000};

// The arrow with an hourglass over the launcher while a started program comes up, as the
// system shows it after a start, and off Windows the desktop's own startup notification:
// until another window takes the focus (the program's), the start is known to have failed,
// or kStartupFeedbackTime has passed.
class StartupFeedback : public QObject {
 public:
  StartupFeedback();
  ~StartupFeedback() override { End(); }

  // Before a start: tells the desktop a program is coming up. What the program's
  // environment needs changed for it (its startup id in place of anything the launcher was
  // itself started with); none on Windows, whose own feedback needs nothing.
  std::vector<std::string> Announce(const QString& programPath);
  // After a start that worked.
  void Begin();
  void End();
  bool Showing() const { return showing_; }

 private:
  QTimer timer_;
  bool showing_ = false;
#ifndef Q_OS_WIN
  StartupNotifier notifier_;
  std::vector<std::string> announced_;
#endif
};

}  // namespace orva
