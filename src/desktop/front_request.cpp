#include "desktop/front_request.h"

#include <QWidget>

namespace orva {

void FrontRequests::BringToFront(const QByteArray& activationToken) {
  // A window that is closing is not shown again.
  if (!window_ || !window_->isVisible()) return;
  // Qt's Wayland window activates itself with the token it finds there.
  if (!activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken);
  window_->setWindowState((window_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window_->raise();
  window_->activateWindow();
}

}  // namespace orva
