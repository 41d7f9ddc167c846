#include "ui/screen_fit.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace orva {

void ResizeWithinScreen(QWidget& window, const QSize& size) {
  const QScreen* screen = window.screen();
  if (!screen) {
    window.resize(size);
    return;
  }
  const QRect available = screen->availableGeometry();
  const QRect frame = window.frameGeometry();
  const QSize decoration = frame.size() - window.size();
  const QSize fitted = size.boundedTo(available.size() - decoration);
  window.resize(fitted);
  const QSize outer = fitted + decoration;
  // The top left corner wins should the frame alone not fit.
  const QPoint topLeft(
      std::max(available.left(), std::min(frame.left(), available.right() + 1 - outer.width())),
      std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - outer.height())));
  if (topLeft != frame.topLeft()) window.move(topLeft);
}

}  // namespace orva
