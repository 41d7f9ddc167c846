#pragma once

#include <cmath>

namespace orva {

// Positions and sizes of the design are in twips (1/1440 inch).
inline int TwipsToPixels(double twips, double logicalDpi) {
  return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

}  // namespace orva
