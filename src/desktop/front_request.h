#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

class QWidget;

namespace orva {

class SingleInstanceLock;

// A second start of the launcher brings the running one to the front, restored, raised and
// focused, and then ends as before. Off Windows the running launcher listens on a socket
// beside its lock; on Windows the second start finds the running launcher's window itself,
// since a process the user has just started may take the foreground and one in the
// background may not.

// In the second start, before any application is made. Best effort and silent: a launcher
// that is still starting shows its window anyway.
void AskRunningLauncherToFront(const SingleInstanceLock& lock);

// In the running launcher: answers the requests for `window` while this object lives.
class FrontRequests : public QObject {
  Q_OBJECT

 public:
  FrontRequests(const SingleInstanceLock& lock, QWidget& window);
  ~FrontRequests() override;

  // The desktop's activation token, when the second start had one (Wayland).
  void BringToFront(const QByteArray& activationToken = {});

 private:
  struct Listener;
  QPointer<QWidget> window_;
  std::unique_ptr<Listener> listener_;
};

}  // namespace orva
