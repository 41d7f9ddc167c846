#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace orva {

// How long the busy cursor shows at most after a start: a program that is still loading
// by then (Wine's first start in a prefix takes longer) is left to show its window alone.
inline constexpr std::chrono::milliseconds kStartupFeedbackTime{5000};

// The arrow with an hourglass over the launcher while a started program comes up, as the
// system shows it after a start: until another window takes the focus (the program's),
// the start is known to have failed, or kStartupFeedbackTime has passed.
class StartupFeedback : public QObject {
 public:
  StartupFeedback();
  ~StartupFeedback() override { End(); }

  void Begin();
  void End();
  bool Showing() const { return showing_; }

 private:
  QTimer timer_;
  bool showing_ = false;
};

}  // namespace orva
