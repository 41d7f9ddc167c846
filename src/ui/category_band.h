#pragma once

namespace orva {

// The column of category buttons down the client area's left, in twips: one button per
// category, each a pitch below the last and a little taller, so neighbours overlap by a line.
inline constexpr int kCategoryButtonPitch = 600;
inline constexpr int kCategoryButtonHeight = 615;

// From the top of the client area to the bottom of the last button; the menu grids and the
// combined grid beside and over the buttons are as high.
constexpr int CategoryBandHeight(int buttons) {
  return kCategoryButtonPitch * (buttons - 1) + kCategoryButtonHeight;
}

// The works grid is designed to start where one more button would.
constexpr int DesignedWorksGridTop(int buttons) { return kCategoryButtonPitch * buttons; }

// The designed client area shows the band and a strip of the works grid below it.
constexpr int DesignedClientHeight(int buttons) { return DesignedWorksGridTop(buttons) + 240; }

}  // namespace orva
