#include "widgets/focus_mark.h"

#include <QPainter>
#include <QPalette>
#include <QRect>

namespace orva {

void PaintFocusMark(QPainter& painter, const QRect& rect, const QPalette& palette) {
  if (rect.width() < 6 || rect.height() < 6) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette.color(QPalette::Text), 1));
  const QRect outer = rect.adjusted(0, 0, -1, -1);
  painter.drawRect(outer);
  painter.drawRect(outer.adjusted(1, 1, -1, -1));
  painter.setPen(QPen(palette.color(QPalette::Base), 1));
  painter.drawRect(outer.adjusted(2, 2, -2, -2));
  painter.restore();
}

void FocusMarkedButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  PaintFocusMark(painter, rect(), palette());
}

}  // namespace orva
