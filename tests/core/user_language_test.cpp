#include "platform/user_language.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

// As gettext reads them: the first variable set decides, even when it is not Japanese.
TEST(UserLanguageTest, FirstLocaleVariableSetDecides) {
  EXPECT_TRUE(LocaleIsJapanese(nullptr, nullptr, "ja_JP.UTF-8"));
  EXPECT_TRUE(LocaleIsJapanese("", "ja_JP.eucJP", "en_US.UTF-8"));
  EXPECT_FALSE(LocaleIsJapanese("C", nullptr, "ja_JP.UTF-8"));
  EXPECT_FALSE(LocaleIsJapanese(nullptr, "en_GB.UTF-8", "ja_JP.UTF-8"));
  EXPECT_FALSE(LocaleIsJapanese(nullptr, nullptr, nullptr));
}

}  // namespace
}  // namespace orva
