#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "support/install_tree.h"

namespace orva {
namespace {

std::filesystem::path InstallRoot(const test::InstallTree& tree) {
  return tree.Host("C:\\VORDELN");
}

TEST(SingleInstanceTest, LockOfALauncherThatDiedIsTakenOver) {
  test::InstallTree tree;
  const pid_t child = fork();
  if (child == 0) {
    SingleInstanceLock lock(InstallRoot(tree));
    _exit(lock.TryAcquire() ? 0 : 1);  // dies holding the lock
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  SingleInstanceLock lock(InstallRoot(tree));
  EXPECT_TRUE(lock.TryAcquire());
}

TEST(SingleInstanceTest, SecondLauncherOnTheSameRootLeavesAtOnceTouchingNothing) {
  test::InstallTree tree;
  const auto launcher = tree.Host("C:\\VORDELN\\orva-menu");
  std::filesystem::copy_file(ORVA_LAUNCHER_BINARY, launcher);
  tree.WriteText("C:\\VORDELN\\MENU.INI", test::CatalogueLine("11111", "t", "VORDELN\\t.exe"));
  const auto before = std::filesystem::last_write_time(tree.Host("C:\\VORDELN\\MENU.INI"));

  SingleInstanceLock running(InstallRoot(tree));
  ASSERT_TRUE(running.TryAcquire());

  QProcess second;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("WINEPREFIX", QString::fromStdString(tree.Prefix().string()));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  second.setProcessEnvironment(env);
  second.start(QString::fromStdString(launcher.string()), {});
  const bool finished = second.waitForFinished(20000);
  if (!finished) second.kill();
  ASSERT_TRUE(finished);
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_FALSE(tree.Exists("C:\\VORDELN\\USERMENU.INI"));
  EXPECT_FALSE(tree.Exists("C:\\VORDELN\\dMENU.INI"));
  EXPECT_EQ(std::filesystem::last_write_time(tree.Host("C:\\VORDELN\\MENU.INI")), before);
}

}  // namespace
}  // namespace orva
