#pragma once

class QRect;
class QSize;
class QWidget;

namespace orva {

// A window's outer rectangle (frame included) made to fit `available`: no larger, and
// moved onto it where it would stick out. The top left corner wins should the frame alone
// not fit.
QRect FitWithin(const QRect& frame, const QRect& available);

// Resizes a top-level window's client area to `size`, but never beyond the available area
// of its screen (frame included), and moves it back onto that area where it would stick
// out. What no longer fits is left to the grids' scroll bars.
void ResizeWithinScreen(QWidget& window, const QSize& size);

}  // namespace orva
