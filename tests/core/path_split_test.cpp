#include "platform/path_split.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

TEST(PathSplitTest, SplitsAtTheLastBackslash) {
  EXPECT_EQ(PathFolder("C:\\VORDELN\\bin\\est.exe"), "C:\\VORDELN\\bin\\");
  EXPECT_EQ(PathFileName("C:\\VORDELN\\bin\\est.exe"), "est.exe");
  // Multi-byte names stay whole.
  EXPECT_EQ(PathFolder("D:\\積算\\工事.exe"), "D:\\積算\\");
  EXPECT_EQ(PathFileName("D:\\積算\\工事.exe"), "工事.exe");
}

TEST(PathSplitTest, NoBackslash) {
  EXPECT_EQ(PathFolder("est.exe"), "");
  EXPECT_EQ(PathFileName("est.exe"), "est.exe");
  EXPECT_EQ(PathFolder(""), "");
  EXPECT_EQ(PathFileName(""), "");
}

TEST(PathSplitTest, TrailingBackslash) {
  EXPECT_EQ(PathFolder("C:\\data\\"), "C:\\data\\");
  EXPECT_EQ(PathFileName("C:\\data\\"), "");
  EXPECT_EQ(PathFolder("\\"), "\\");
  EXPECT_EQ(PathFileName("\\"), "");
}

}  // namespace
}  // namespace orva
