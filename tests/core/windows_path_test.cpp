#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace orva {
namespace {

using Parts = std::vector<std::string_view>;

TEST(WindowsPathTest, ReadsDriveComponentsAndTrailingSeparator) {
  const auto path = WindowsPath::Parse("d:\\VORDELN//bin\\\\.\\..\\積算\\");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->Drive(), 3);
  EXPECT_EQ(path->Components(), (Parts{"VORDELN", "bin", ".", "..", "積算"}));
  EXPECT_TRUE(path->EndsWithSeparator());
  EXPECT_TRUE(path->HasDotComponents());
  EXPECT_EQ(path->Resolved(), (Parts{"VORDELN", "積算"}));

  const auto root = WindowsPath::Parse("C:/");
  ASSERT_TRUE(root);
  EXPECT_TRUE(root->Components().empty());
  EXPECT_FALSE(WindowsPath::Parse("C:\\a")->EndsWithSeparator());
}

TEST(WindowsPathTest, OnlyAbsoluteDrivePathsParse) {
  for (std::string_view text : {"", "C:", "C:a\\b", "\\a", "\\\\server\\share", "1:\\a", "a\\b"}) {
    EXPECT_FALSE(WindowsPath::Parse(text)) << text;
  }
}

TEST(WindowsPathTest, DotsNeverClimbAboveTheRootAndBadNamesAreSeen) {
  EXPECT_EQ(WindowsPath::Parse("C:\\..\\..\\a\\.")->Resolved(), Parts{"a"});
  EXPECT_TRUE(WindowsPath::Parse("C:\\a b\\(1).txt")->NamesAreValid());
  for (std::string_view text : {"C:\\a<b", "C:\\a\\b?", "C:\\x:y", "C:\\a\x01", "C:\\a|b\\.."}) {
    EXPECT_FALSE(WindowsPath::Parse(text)->NamesAreValid()) << text;
  }
}

}  // namespace
}  // namespace orva
