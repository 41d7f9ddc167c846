#include "platform/spread_grid.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

TEST(SpreadGridTest, Placeholder) {
  SpreadGrid grid;
  grid.SetColumnCount(3);
  grid.SetRowCount(2);
  grid.SetValue(1, 1, -3);
  EXPECT_EQ(grid.Text(1, 1), "-3");
}

}  // namespace
}  // namespace orva
