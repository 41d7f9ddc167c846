#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace orva {

// Turns the host's requests to end the program (logout, shutdown, kill) into a Qt signal
// delivered on the event loop, so the window can close normally and save.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Keeps the signals from interrupting any thread; call before any thread is started.
  static void BlockInEveryThread();
  // Ends the process at once as that signal's default action would: nothing runs, nothing
  // is saved, and the parent sees the signal as the cause.
  [[noreturn]] static void EndProcessBy(int signalNumber);

  // Needs the application object.
  TerminationSignals();
  ~TerminationSignals() override;

  // Delivers a request that arrived while no event loop ran, now rather than later.
  void DeliverPending();

 signals:
  void Requested(int signalNumber);

 private:
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orva
