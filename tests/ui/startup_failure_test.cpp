#include "app/startup_failure.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_desktop.h"

namespace orva {
namespace {

TEST(StartupFailureTest, ASetUpThatThrowsEndsTheProgramWithAReport) {
  test::ScriptedDesktop desktop;
  testing::internal::CaptureStderr();
  const std::optional<int> ended = RunStartupSteps(desktop, []() -> std::optional<int> {
    throw std::runtime_error("ICU converter windows-31j is missing");
  });
  const std::string logged = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ended, kStartupFailureStatus);
  ASSERT_EQ(desktop.messages.size(), 1u);
  const QString& text = desktop.messages[0].text;
  EXPECT_TRUE(text.contains(QString::fromUtf8("起動できません"))) << text.toStdString();
  EXPECT_TRUE(text.contains("ICU converter windows-31j is missing")) << text.toStdString();
  // Qt writes its log in the system's code page (UTF-8 off Windows), which may not hold
  // every character of the text.
  const QString expected = "orva.setup: " + text + "\n";
  EXPECT_EQ(QString::fromLocal8Bit(logged), QString::fromLocal8Bit(expected.toLocal8Bit()));
}

TEST(StartupFailureTest, StepsThatReturnDecideAlone) {
  test::ScriptedDesktop desktop;
  EXPECT_EQ(RunStartupSteps(desktop, [] { return std::optional<int>(); }), std::nullopt);
  EXPECT_EQ(RunStartupSteps(desktop, [] { return std::optional<int>(0); }), 0);
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace orva
