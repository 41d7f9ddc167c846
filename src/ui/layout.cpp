#include "ui/layout.h"

namespace orva {

LayoutResult LayoutOnResize(const LayoutInput& input) {
  LayoutResult result;
  const TwipsRect& lastButton = input.buttons[kCategoryCount - 1];
  const int band = lastButton.top + lastButton.height;
  const int w = input.clientWidth;
  const int h = input.clientHeight;

  for (int i = 0; i < kCategoryCount; ++i) {
    TwipsRect grid = input.menuGrids[i];
    grid.top = 0;
    grid.left = input.buttons[i].width + input.buttons[i].left;
    if (w - grid.left > 0) grid.width = w - grid.left;
    grid.height = band;
    result.menuGrids[i] = grid;
  }

  const int menuHeight = result.menuGrids[0].height;
  result.worksGrid = {0, menuHeight, w > 0 ? w : 0, h - menuHeight > 0 ? h - menuHeight : 0};

  TwipsRect combined = input.combinedGrid;
  combined.top = 0;
  combined.left = 0;
  if (w - combined.left > 0) combined.width = w;
  combined.height = menuHeight;
  result.combinedGrid = combined;
  return result;
}

}  // namespace orva
