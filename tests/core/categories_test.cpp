#include "catalogue/categories.h"

#include <gtest/gtest.h>

#include <string>

namespace orva {
namespace {

TEST(CategoriesTest, ACodeBelongsToTheCategoryOfItsFirstDigit) {
  for (int category = 1; category <= kCategoryCount; ++category) {
    const std::string code = std::string(1, CategoryAt(category).codeDigit) + "2601";
    EXPECT_EQ(CategoryOfCode(code), category) << code;
    EXPECT_TRUE(IsCategory(category));
  }
  for (const char* code : {"", "0", "A2601", " 12601", "\xEF\xBC\x91"}) {
    EXPECT_EQ(CategoryOfCode(code), 0) << code;
  }
  EXPECT_FALSE(IsCategory(0));
  EXPECT_FALSE(IsCategory(kCategoryCount + 1));
}

}  // namespace
}  // namespace orva
