#include "ui/screen_fit.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace orva {

QRect FitWithin(const QRect& frame, const QRect& available) {
  const QSize size = frame.size().boundedTo(available.size());
  const QPoint topLeft(
      std::max(available.left(), std::min(frame.left(), available.right() + 1 - size.width())),
      std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - size.height())));
  return {topLeft, size};
}

void ResizeWithinScreen(QWidget& window, const QSize& size) {
  const QScreen* screen = window.screen();
  if (!screen) {
    window.resize(size);
    return;
  }
  const QRect frame = window.frameGeometry();
  const QSize decoration = frame.size() - window.size();
  const QRect fitted = FitWithin({frame.topLeft(), size + decoration}, screen->availableGeometry());
  window.resize(fitted.size() - decoration);
  if (fitted.topLeft() != frame.topLeft()) window.move(fitted.topLeft());
}

}  // namespace orva
