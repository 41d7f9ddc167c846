#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace orva {

// Turns the host's requests to end the program (logout, shutdown, kill) into a Qt signal
// delivered on the event loop, so the window can close normally and save.
// Construct before any thread is started.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  TerminationSignals();
  ~TerminationSignals() override;

 signals:
  void Requested();

 private:
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orva
