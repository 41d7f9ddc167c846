// The real launcher binary, run as a user would: single instance, start-up failures and
// requests to end while start-up is still under way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "desktop/single_instance.h"
#include "support/install_tree.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

constexpr int kPatienceMs = 30000;  // a bound against hanging, not a measure

class LauncherProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(ORVA_LAUNCHER_BINARY, tree.Host("C:\\VORDELN\\orva-menu"));
    fs::create_directory(Runtime());
    fs::permissions(Runtime(), fs::perms::owner_all, fs::perm_options::replace);
  }
  void TearDown() override {
    if (launcher.state() != QProcess::NotRunning) {
      launcher.kill();
      launcher.waitForFinished(kPatienceMs);
    }
  }

  fs::path Runtime() const { return tree.Prefix() / "run"; }
  fs::path Root() const { return tree.Host("C:\\VORDELN"); }

  void Start(const QProcessEnvironment& extra = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINEPREFIX", QString::fromStdString(tree.Prefix().string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime().string()));
    for (const QString& name : extra.keys()) {
      if (extra.value(name).isEmpty()) {
        env.remove(name);
      } else {
        env.insert(name, extra.value(name));
      }
    }
    launcher.setProcessEnvironment(env);
    launcher.setReadChannel(QProcess::StandardError);
    launcher.start(QString::fromStdString(tree.Host("C:\\VORDELN\\orva-menu").string()), {});
    ASSERT_TRUE(launcher.waitForStarted(kPatienceMs));
  }

  // The standard error once it holds `text`: the report is out and its box is up or coming.
  QString WaitForReport(const QString& text) {
    QString seen;
    while (!seen.contains(text) && launcher.waitForReadyRead(kPatienceMs)) {
      seen += QString::fromUtf8(launcher.readAllStandardError());
    }
    seen += QString::fromUtf8(launcher.readAllStandardError());
    return seen;
  }

  void ExpectEndedBy(int signalNumber) {
    ::kill(static_cast<pid_t>(launcher.processId()), signalNumber);
    ASSERT_TRUE(launcher.waitForFinished(kPatienceMs)) << "still running after the signal";
    EXPECT_EQ(launcher.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(launcher.exitCode(), signalNumber);
  }

  void ExpectNothingWritten() const {
    EXPECT_FALSE(tree.Exists("C:\\VORDELN\\USERMENU.INI"));
    EXPECT_FALSE(tree.Exists("C:\\VORDELN\\dMENU.INI"));
  }

  test::InstallTree tree;
  QProcess launcher;
};

TEST_F(LauncherProcessTest, SecondLauncherOnTheSameRootLeavesAtOnceTouchingNothing) {
  tree.WriteText("C:\\VORDELN\\MENU.INI", test::CatalogueLine("11111", "t", "VORDELN\\t.exe"));
  const auto before = fs::last_write_time(tree.Host("C:\\VORDELN\\MENU.INI"));
  SingleInstanceLock running(Root(), {Runtime(), fs::temp_directory_path()});
  ASSERT_EQ(running.TryAcquire(), SingleInstanceLock::Outcome::Acquired);

  Start();
  ASSERT_TRUE(launcher.waitForFinished(kPatienceMs));
  EXPECT_EQ(launcher.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(launcher.exitCode(), 0);
  EXPECT_EQ(launcher.readAllStandardError().indexOf("ORVA"), -1);
  ExpectNothingWritten();
  EXPECT_EQ(fs::last_write_time(tree.Host("C:\\VORDELN\\MENU.INI")), before);
}

TEST_F(LauncherProcessTest, LockThatCannotBeTakenIsReportedNamingTheFolder) {
  tree.WriteText("C:\\VORDELN\\MENU.INI", test::CatalogueLine("11111", "t", "VORDELN\\t.exe"));
  const fs::path temp = tree.Prefix() / "tmp";
  const fs::path userFolder = temp / ("orva-menu-" + std::to_string(geteuid()));
  fs::create_directory(temp);
  fs::create_directory(userFolder);
  fs::permissions(userFolder, fs::perms::all);  // open to everyone: unfit

  QProcessEnvironment env;
  env.insert("XDG_RUNTIME_DIR", "");
  env.insert("TMPDIR", QString::fromStdString(temp.string()));
  Start(env);
  const QString report = WaitForReport(QString::fromStdString(userFolder.string()));
  EXPECT_TRUE(report.contains(QString::fromStdString(userFolder.string()))) << report.toStdString();
  ASSERT_EQ(launcher.state(), QProcess::Running) << "ended without waiting for the user";
  ExpectEndedBy(SIGTERM);  // the box is up: a request to end still ends it
  ExpectNothingWritten();
}

TEST_F(LauncherProcessTest, RequestToEndDuringTheStartUpReportEndsAtOnceWritingNothing) {
  // No MENU.INI: the run-time error report holds start-up up.
  Start();
  const QString report = WaitForReport(QString::fromUtf8("実行時エラー '53'"));
  ASSERT_TRUE(report.contains(QString::fromUtf8("MENU.INI"))) << report.toStdString();
  ASSERT_EQ(launcher.state(), QProcess::Running);
  ExpectEndedBy(SIGTERM);
  ExpectNothingWritten();
}

}  // namespace
}  // namespace orva
