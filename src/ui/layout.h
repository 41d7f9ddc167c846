#pragma once

#include <array>

#include "catalogue/catalogue.h"

namespace orva {

// A control's rectangle in twips.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct LayoutInput {
  int clientWidth = 0;                                // W
  int clientHeight = 0;                               // H
  std::array<TwipsRect, kCategoryCount> buttons{};    // Command1(i)
  std::array<TwipsRect, kCategoryCount> menuGrids{};  // SSm(i) as they are now
  TwipsRect combinedGrid{};                           // SSx(0) as it is now
};

struct LayoutResult {
  std::array<TwipsRect, kCategoryCount> menuGrids{};
  TwipsRect worksGrid{};
  TwipsRect combinedGrid{};
};

// Places the grids for a client area: menu grids right of their buttons across the band,
// the works grid below the band, the combined grid over the whole band. A width that would
// not be positive is left as it was; no size is ever negative.
LayoutResult LayoutOnResize(const LayoutInput& input);

}  // namespace orva
