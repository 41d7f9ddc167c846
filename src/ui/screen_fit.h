#pragma once

class QSize;
class QWidget;

namespace orva {

// Resizes a top-level window's client area to `size`, but never beyond the available area
// of its screen (frame included), and moves it back onto that area where it would stick
// out. What no longer fits is left to the grids' scroll bars.
void ResizeWithinScreen(QWidget& window, const QSize& size);

}  // namespace orva
