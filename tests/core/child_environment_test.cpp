#include "platform/child_environment.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

TEST(ChildEnvironmentTest, SetsReplacesAndRemovesByWholeName) {
  const char* current[] = {"PATH=/bin",  "DESKTOP_STARTUP_ID=old",
                           "DESKTOP=x",  "DESKTOP_STARTUP_ID=again",
                           "HOME=/root", "EMPTY=",
                           nullptr};
  EXPECT_EQ(
      EnvironmentWith(current, {"DESKTOP_STARTUP_ID=new", "XDG_ACTIVATION_TOKEN", "EMPTY"}),
      (std::vector<std::string>{"PATH=/bin", "DESKTOP=x", "HOME=/root", "DESKTOP_STARTUP_ID=new"}));
  EXPECT_EQ(EnvironmentWith(nullptr, {"A=1"}), std::vector<std::string>{"A=1"});
}

}  // namespace
}  // namespace orva
