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

  // Needs the application object.
  TerminationSignals();
  ~TerminationSignals() override;

 signals:
  void Requested();

 private:
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orva
