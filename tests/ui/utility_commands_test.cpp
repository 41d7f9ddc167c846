#include "utility/utility_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>

#include "support/window_fixture.h"

namespace orva {
namespace {

using test::kUserIni;
using test::kViewIni;
using Cursor = Desktop::Cursor;

constexpr const char* kRemoteTool = "C:\\adata\\TeamViewerQS_ja.exe";

class UtilityCommandsTest : public test::WindowFixture {
 protected:
  std::unique_ptr<LauncherWindow> Shown() {
    auto window = Start();
    window->show();
    return window;
  }

  // Both files exactly as the exit command leaves them.
  void ExpectClosedLikeExit(const LauncherWindow& window) {
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(tree.ReadBytes(kUserIni), UnchangedUserMenu());
    EXPECT_EQ(tree.ReadBytes(kViewIni), "0\r\n");
  }
};

TEST_F(UtilityCommandsTest, HomePageOpensTheConfiguredAddressThenCloses) {
  auto window = Shown();
  window->Controls().HOMEPAGE->trigger();
  EXPECT_EQ(desktop.opened, std::vector<QString>{HomePageAddress()});
  EXPECT_TRUE(HomePageAddress().startsWith("https://"));
  EXPECT_TRUE(desktop.started.empty());
  // Closed only once the open is past its first moments, so a failure is told over it.
  ASSERT_EQ(desktop.handovers.size(), 1u);
  EXPECT_TRUE(desktop.handovers[0].awaitFirstMoments);
  ExpectClosedLikeExit(*window);
}

// Nothing was opened or started: the user keeps the launcher, and nothing is saved yet.
TEST_F(UtilityCommandsTest, HomePageOrUpdateThatFailedLeavesTheLauncherOpen) {
  tree.Touch("C:\\VORDELN\\vekup.exe");
  auto window = Shown();
  desktop.openSucceeds = false;
  window->Controls().HOMEPAGE->trigger();
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_TRUE(window->isVisible());

  desktop.startSucceeds = false;
  window->Controls().saishin->trigger();
  EXPECT_EQ(desktop.started.size(), 1u);
  EXPECT_EQ(desktop.applicationCursors, (std::vector<Cursor>{Cursor::ArrowWait, Cursor::Default}));
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(tree.Exists(kUserIni));
  EXPECT_FALSE(tree.Exists(kViewIni));
}

TEST_F(UtilityCommandsTest, HelpOpensTheDocumentWithoutLookingForIt) {
  auto window = Shown();
  window->Controls().SHELP->trigger();
  EXPECT_EQ(desktop.opened, std::vector<QString>{HostText("C:\\VORDELN\\tovrin.pdf")});
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(tree.Exists(kViewIni));
}

TEST_F(UtilityCommandsTest, DataUpdateStartsTheToolBesideTheLauncherThenCloses) {
  tree.Touch("C:\\VORDELN\\vekup.exe");
  auto window = Shown();
  window->Controls().saishin->trigger();
  EXPECT_EQ(desktop.started, std::vector<QString>{HostText("C:\\VORDELN\\vekup.exe")});
  ASSERT_EQ(desktop.handovers.size(), 1u);
  EXPECT_TRUE(desktop.handovers[0].awaitFirstMoments);
  EXPECT_EQ(desktop.applicationCursors, (std::vector<Cursor>{Cursor::ArrowWait, Cursor::Default}));
  EXPECT_EQ(desktop.eventPasses, 1);
  EXPECT_TRUE(desktop.messages.empty());
  ExpectClosedLikeExit(*window);
}

TEST_F(UtilityCommandsTest, DataUpdateDeletedAfterStartUpDoesNothing) {
  tree.Touch("C:\\VORDELN\\vekup.exe");
  auto window = Shown();
  std::filesystem::remove(tree.Host("C:\\VORDELN\\vekup.exe"));
  window->Controls().saishin->trigger();
  EXPECT_TRUE(desktop.started.empty());
  EXPECT_TRUE(desktop.applicationCursors.empty());
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(tree.Exists(kUserIni));
}

TEST_F(UtilityCommandsTest, RemoteSupportShowsTheNoticeOnlyWhileStarting) {
  tree.Touch(kRemoteTool);
  auto window = Shown();
  QGroupBox& frame = *window->Controls().Frame1;
  bool noticeUp = false;
  desktop.duringStart = [&] { noticeUp = frame.isVisible(); };
  window->Controls().remoto->trigger();
  EXPECT_TRUE(noticeUp);
  EXPECT_TRUE(frame.isHidden());
  EXPECT_EQ(desktop.started, std::vector<QString>{HostText(kRemoteTool)});
  ASSERT_EQ(desktop.handovers.size(), 1u);
  EXPECT_EQ(desktop.handovers[0].windowsPath, "c:\\adata\\TeamViewerQS_ja.exe");
  EXPECT_FALSE(desktop.handovers[0].awaitFirstMoments);  // the launcher stays
  EXPECT_EQ(desktop.windowCursors, (std::vector<Cursor>{Cursor::Wait, Cursor::Default}));
  EXPECT_EQ(desktop.eventPasses, 1);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(window->isVisible());
}

TEST_F(UtilityCommandsTest, RemoteSupportIsNotFoundOnlyWhenItIsNotThere) {
  auto window = Shown();
  const QGroupBox& frame = *window->Controls().Frame1;
  window->Controls().remoto->trigger();  // no tool installed
  EXPECT_TRUE(desktop.started.empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, QString::fromUtf8("遠隔操作ソフトが見つかりません。"));
  EXPECT_EQ(desktop.messages[0].title, "c:\\adata\\TeamViewerQS_ja.exe");
  EXPECT_EQ(desktop.messages[0].icon, Desktop::Icon::Information);
  EXPECT_TRUE(frame.isHidden());
  EXPECT_EQ(desktop.windowCursors, (std::vector<Cursor>{Cursor::Wait, Cursor::Default}));
  EXPECT_TRUE(window->isVisible());

  // There, but refused or ended at once: the desktop tells what happened, not "not found".
  desktop.messages.clear();
  desktop.windowCursors.clear();
  tree.Touch(kRemoteTool);
  desktop.startSucceeds = false;
  window->Controls().remoto->trigger();
  EXPECT_EQ(desktop.started.size(), 1u);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(frame.isHidden());
  EXPECT_EQ(desktop.windowCursors, (std::vector<Cursor>{Cursor::Wait, Cursor::Default}));
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace orva
