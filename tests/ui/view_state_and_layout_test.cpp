#include <gtest/gtest.h>

#include "ui/category_band.h"
#include "ui/layout.h"
#include "ui/view_state_file.h"

namespace orva {
namespace {

TEST(ViewStateFileTest, WritesThreeBytes) {
  EXPECT_EQ(ViewStateBytes(true), "0\r\n");
  EXPECT_EQ(ViewStateBytes(false), "1\r\n");
}

TEST(ViewStateFileTest, ReadsTheFirstWholeNumberOrZero) {
  EXPECT_EQ(ParseViewState("1\r\n"), 1);
  EXPECT_EQ(ParseViewState("0\r\n"), 0);
  EXPECT_EQ(ParseViewState("2\r\n"), 2);
  EXPECT_EQ(ParseViewState("-1\r\n"), -1);
  EXPECT_EQ(ParseViewState("  1 7\r\n"), 1);
  EXPECT_EQ(ParseViewState("1,0\r\n"), 1);
  EXPECT_EQ(ParseViewState("word\r\n"), 0);
  EXPECT_EQ(ParseViewState(""), 0);
  EXPECT_EQ(ParseViewState("\r\n"), 0);
  EXPECT_EQ(ParseViewState("70000\r\n"), 0);
  EXPECT_EQ(ParseViewState("32767"), 32767);
  EXPECT_EQ(ParseViewState(std::string("\0\0\0", 3)), 0);
}

TEST(ViewStateFileTest, NoNumberToStoreReadsAsZero) {
  for (const char* text : {"NAN", "nan", "-nan", "+nan(123)", "inf", "-INF", "+infinity", "1e309",
                           "0x1p3", "0x10", "32767.5", "-32768.6", "1e2"}) {
    EXPECT_EQ(ParseViewState(std::string(text) + "\r\n"), 0) << text;
  }
  EXPECT_EQ(ParseViewState(std::string(400, '9')), 0);
  EXPECT_EQ(ParseViewState("-32768.4\r\n"), -32768);
  EXPECT_EQ(ParseViewState("0.6"), 1);
}

TEST(ViewStateFileTest, ABlankFirstLineIsTheCombinedView) {
  EXPECT_EQ(ParseViewState("\r\n1\r\n"), 0);
  EXPECT_EQ(ParseViewState("   \n1\r\n"), 0);
  EXPECT_EQ(ParseViewState("\r1"), 0);
  EXPECT_EQ(ParseViewState(" 1\r\n\r\n"), 1);
}

// Six buttons are the window as designed.
static_assert(CategoryBandHeight(6) == 3615 && DesignedWorksGridTop(6) == 3600 &&
              DesignedClientHeight(6) == 3840);

constexpr int kBand = CategoryBandHeight(kCategoryCount);

LayoutInput DesignedButtons(int width, int height) {
  LayoutInput input;
  input.clientWidth = width;
  input.clientHeight = height;
  for (int i = 0; i < kCategoryCount; ++i) {
    input.buttons[i] = {480, kCategoryButtonPitch * i, 1335, kCategoryButtonHeight};
    input.menuGrids[i] = {1800, 0, 9375, kBand};
  }
  input.combinedGrid = {3360, 0, 11175, kBand};
  return input;
}

TEST(LayoutTest, GridsFillTheWindowAroundTheButtons) {
  const LayoutResult r = LayoutOnResize(DesignedButtons(9000, 7000));
  for (const TwipsRect& grid : r.menuGrids) {
    EXPECT_EQ(grid.left, 1815);
    EXPECT_EQ(grid.top, 0);
    EXPECT_EQ(grid.width, 7185);
    EXPECT_EQ(grid.height, kBand);
  }
  EXPECT_EQ(r.worksGrid.left, 0);
  EXPECT_EQ(r.worksGrid.top, kBand);
  EXPECT_EQ(r.worksGrid.width, 9000);
  EXPECT_EQ(r.worksGrid.height, 7000 - kBand);
  EXPECT_EQ(r.combinedGrid.left, 0);
  EXPECT_EQ(r.combinedGrid.top, 0);
  EXPECT_EQ(r.combinedGrid.width, 9000);
  EXPECT_EQ(r.combinedGrid.height, kBand);
}

TEST(LayoutTest, TinyOrMinimisedWindowsKeepWidthsAndNeverGoNegative) {
  for (auto [w, h] : {std::pair{0, 0}, std::pair{1815, kBand}, std::pair{1000, 100}}) {
    const LayoutResult r = LayoutOnResize(DesignedButtons(w, h));
    for (const TwipsRect& grid : r.menuGrids) {
      EXPECT_EQ(grid.width, 9375);
      EXPECT_EQ(grid.height, kBand);
    }
    EXPECT_EQ(r.worksGrid.height, 0);
    EXPECT_GE(r.worksGrid.width, 0);
    EXPECT_EQ(r.combinedGrid.width, w > 0 ? w : 11175);
    EXPECT_EQ(r.combinedGrid.height, kBand);
  }
}

}  // namespace
}  // namespace orva
