#pragma once

#include <QPushButton>

class QPainter;
class QPalette;
class QRect;

namespace orva {

// The mark of the keyboard's place, on grid cells and buttons alike: two dark lines and a
// light one inside them, which show on white, on the selection and on every face colour.
// The styles' own marks are faint, drawn only after a keyboard move, or part of a bevel.
void PaintFocusMark(QPainter& painter, const QRect& rect, const QPalette& palette);

// A push button that shows the focus mark whenever it has the focus.
class FocusMarkedButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orva
