#include "grids/executable_chooser.h"

#include <gtest/gtest.h>

#include "platform/error_codes.h"
#include "support/scripted_desktop.h"

namespace orva {
namespace {

TEST(ExecutableChooserTest, AsksWithTheCurrentFileAndReturnsTheChoice) {
  test::ScriptedDesktop desktop;
  desktop.fileChoices.push_back(QString("D:\\NEW\\b.exe"));
  std::string current = "C:\\VORDELN\\p 1\\a.exe";
  const std::optional<std::string> chosen = ChooseExecutable(desktop, nullptr, current);
  EXPECT_EQ(chosen, "D:\\NEW\\b.exe");
  EXPECT_EQ(current, "a.exe");
  ASSERT_EQ(desktop.fileRequests.size(), 1u);
  const Desktop::OpenFileRequest& request = desktop.fileRequests[0];
  EXPECT_EQ(request.fileName, "C:\\VORDELN\\p 1\\a.exe");
  EXPECT_EQ(request.initialFolder, "C:\\VORDELN\\p 1\\");
  EXPECT_EQ(request.title, QString::fromUtf8("実行ファイルの設定"));
  EXPECT_EQ(request.filters, QStringList({"a.exe", "a.exe", "*.exe", "*.exe"}));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST(ExecutableChooserTest, EmptyPathAndCancelAreQuiet) {
  test::ScriptedDesktop desktop;  // no answer queued: cancelled
  std::string current;
  EXPECT_EQ(ChooseExecutable(desktop, nullptr, current), std::nullopt);
  ASSERT_EQ(desktop.fileRequests.size(), 1u);
  EXPECT_EQ(desktop.fileRequests[0].fileName, "");
  EXPECT_EQ(desktop.fileRequests[0].initialFolder, "");
  EXPECT_EQ(desktop.fileRequests[0].filters, QStringList({"", "", "*.exe", "*.exe"}));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST(ExecutableChooserTest, OtherFailuresAreReportedWithTheirNumber) {
  test::ScriptedDesktop desktop;
  desktop.fileChoices.push_back(err::kBadFileName);
  std::string current = "C:\\x\\a.exe";
  EXPECT_EQ(ChooseExecutable(desktop, nullptr, current), std::nullopt);
  EXPECT_EQ(current, "a.exe");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー52"));
  EXPECT_EQ(desktop.messages[0].text, QString::fromUtf8("ファイル名または番号が不正です。"));
}

}  // namespace
}  // namespace orva
