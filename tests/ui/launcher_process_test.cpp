// The real launcher binary, run as a user would: single instance, start-up failures and
// requests to end while start-up is still under way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <set>

#include "desktop/single_instance.h"
#include "support/install_tree.h"
#include "support/temp_dir.h"

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

  void Start(const QProcessEnvironment& extra = {}, const fs::path& program = {},
             const QStringList& arguments = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINEPREFIX", QString::fromStdString(tree.Prefix().string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime().string()));
    // The window's placement is kept there, not in the user's own settings.
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((tree.Prefix() / "config").string()));
    for (const QString& name : extra.keys()) {
      if (extra.value(name).isEmpty()) {
        env.remove(name);
      } else {
        env.insert(name, extra.value(name));
      }
    }
    launcher.setProcessEnvironment(env);
    launcher.setReadChannel(QProcess::StandardError);
    const fs::path path = program.empty() ? tree.Host("C:\\VORDELN\\orva-menu") : program;
    launcher.start(QString::fromStdString(path.string()), arguments);
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

// The whole start-up of the real binary on a suite whose programs are installed, with icons
// of a format Qt reads itself and of one a plugin reads: the window is painted, and a
// request to end then closes it as the user would, saving the session.
TEST_F(LauncherProcessTest, StartsOnAnInstalledSuiteWithIconsAndSavesWhenAskedToEnd) {
  tree.WriteText("C:\\VORDELN\\MENU.INI",
                 test::CatalogueLine("11111", "a", "VORDELN\\a.exe", "a.png") +
                     test::CatalogueLine("11112", "b", "VORDELN\\b.exe", "b.ico"));
  tree.Touch("C:\\VORDELN\\a.exe");
  tree.Touch("C:\\VORDELN\\b.exe");
  fs::create_directories(tree.Host("C:\\VORDELN\\icon"));
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::red);
  ASSERT_TRUE(icon.save(QString::fromStdString(tree.Host("C:\\VORDELN\\icon\\a.png").string())));
  ASSERT_TRUE(icon.save(QString::fromStdString(tree.Host("C:\\VORDELN\\icon\\b.ico").string())));
  QProcessEnvironment painting;
  painting.insert("QT_LOGGING_RULES", "qt.widgets.painting=true");
  Start(painting);
  const QString log = WaitForReport(QStringLiteral("Syncing"));
  ASSERT_TRUE(log.contains(QStringLiteral("Syncing"))) << log.toStdString();
  ::kill(static_cast<pid_t>(launcher.processId()), SIGTERM);
  ASSERT_TRUE(launcher.waitForFinished(kPatienceMs));
  EXPECT_EQ(launcher.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(launcher.exitCode(), 0);
  EXPECT_TRUE(tree.Exists("C:\\VORDELN\\USERMENU.INI"));
}

// Installed outside the prefix, reached only through z:, the launcher serves the prefix's
// C:\VORDELN; a missing catalogue is reported with its Windows path, its host path and the
// prefix, so that a user can tell which prefix was used.
TEST_F(LauncherProcessTest, InstalledLauncherLooksForThePrefixsSuiteAndSaysWhere) {
  const fs::path installed = tree.Prefix() / "usr" / "bin" / "orva-menu";
  fs::create_directories(installed.parent_path());
  fs::copy_file(ORVA_LAUNCHER_BINARY, installed);
  Start({}, installed);
  const QString hostPath = QString::fromStdString(tree.Host("C:\\VORDELN\\MENU.INI").string());
  const QString report = WaitForReport(hostPath);
  EXPECT_TRUE(report.contains(QString::fromUtf8("実行時エラー '53'"))) << report.toStdString();
  EXPECT_TRUE(report.contains(QString::fromUtf8("C:\\VORDELN\\MENU.INI")));
  EXPECT_TRUE(report.contains(hostPath));
  EXPECT_TRUE(report.contains(QString::fromStdString(tree.Prefix().string())));
  ASSERT_EQ(launcher.state(), QProcess::Running);
  // No drive reaches it here (no z: link); it works in the suite's folder all the same.
  const fs::path cwd = "/proc/" + std::to_string(launcher.processId()) + "/cwd";
  EXPECT_EQ(fs::read_symlink(cwd), fs::canonical(Root()));
  ExpectEndedBy(SIGTERM);
}

// The programs it starts inherit its working folder: its own, as under a shortcut, and not
// the folder it was started from.
TEST_F(LauncherProcessTest, WorksInItsOwnFolderWhereverItWasStartedFrom) {
  const fs::path elsewhere = tree.Prefix() / "elsewhere";
  fs::create_directory(elsewhere);
  launcher.setWorkingDirectory(QString::fromStdString(elsewhere.string()));
  Start();
  WaitForReport(QString::fromUtf8("実行時エラー '53'"));  // start-up is past the folder then
  ASSERT_EQ(launcher.state(), QProcess::Running);
  const fs::path cwd = "/proc/" + std::to_string(launcher.processId()) + "/cwd";
  EXPECT_EQ(fs::read_symlink(cwd), fs::canonical(Root()));
  ExpectEndedBy(SIGTERM);
}

// Started from the desktop, no terminal shows the standard error: the error is also put
// in a box, in the user's language, and nothing else happens.
TEST_F(LauncherProcessTest, FaultyCommandLineFromTheDesktopIsShownInABox) {
  QProcessEnvironment env;
  env.insert("QT_LOGGING_RULES", "qt.widgets.painting=true");
  env.insert("LC_ALL", "ja_JP.UTF-8");
  Start(env, {}, {"MENU.INI"});
  const QString log = WaitForReport(QStringLiteral("Syncing"));
  EXPECT_TRUE(log.contains(QString::fromUtf8("想定外の引数 'MENU.INI'"))) << log.toStdString();
  ASSERT_TRUE(log.contains(QStringLiteral("Syncing"))) << "no box painted: " << log.toStdString();
  ExpectEndedBy(SIGTERM);
  ExpectNothingWritten();
}

TEST_F(LauncherProcessTest, ProgramFolderOptionChoosesTheSuite) {
  tree.WriteText("C:\\VORDELN\\MENU.INI", test::CatalogueLine("11111", "t", "VORDELN\\t.exe"));
  const fs::path driveD = tree.Prefix() / "d";
  fs::create_directories(driveD / "VORDELN");
  fs::create_directory_symlink(driveD, tree.Prefix() / "dosdevices" / "d:");
  Start({}, {}, {"--program-folder", "D:\\VORDELN"});
  const QString hostPath = QString::fromStdString((driveD / "VORDELN" / "MENU.INI").string());
  const QString report = WaitForReport(hostPath);
  EXPECT_TRUE(report.contains(QString::fromUtf8("D:\\VORDELN\\MENU.INI"))) << report.toStdString();
  EXPECT_TRUE(report.contains(hostPath));
  ASSERT_EQ(launcher.state(), QProcess::Running);
  ExpectEndedBy(SIGTERM);
  ExpectNothingWritten();
}

// No prefix where WINEPREFIX points, or none in the home folder: one report says that the
// drive is not there, which prefix was looked in and what to do, and no file is named.
TEST_F(LauncherProcessTest, MissingDriveIsOneReportNamingThePrefix) {
  const fs::path home = tree.Prefix() / "home";
  fs::create_directory(home);
  const fs::path missing = tree.Prefix() / "no-such-prefix";
  struct Case {
    QString winePrefix;  // empty: unset
    fs::path shown;
    const char* why;
  } cases[] = {{QString::fromStdString(missing.string()), missing, "WINEPREFIX の値"},
               {"", home / ".wine", "~/.wine"}};
  for (const Case& c : cases) {
    QProcessEnvironment env;
    env.insert("WINEPREFIX", c.winePrefix);
    env.insert("HOME", QString::fromStdString(home.string()));
    Start(env);
    const QString report = WaitForReport(QString::fromUtf8("wineboot"));
    EXPECT_TRUE(report.contains(QString::fromUtf8("ドライブ C: がありません")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QString::fromStdString(c.shown.string()))) << report.toStdString();
    EXPECT_TRUE(report.contains(QString::fromUtf8(c.why))) << report.toStdString();
    EXPECT_FALSE(report.contains("INI")) << report.toStdString();
    ASSERT_EQ(launcher.state(), QProcess::Running) << "ended without waiting for the user";
    ExpectEndedBy(SIGTERM);
  }
  ExpectNothingWritten();
}

// Every file and folder below `root`, for telling whether a run created anything.
std::set<fs::path> Contents(const fs::path& root) {
  std::set<fs::path> found;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    found.insert(entry.path());
  }
  return found;
}

// --help, --version and a faulty command line answer on a bare account: no display, an
// empty home and prefix; the launcher locks, reads and creates nothing.
TEST(LauncherCommandLineTest, AnswersWithoutDisplayOrFiles) {
  TempDir bare;
  for (const char* folder : {"home", "run", "tmp"}) fs::create_directory(bare.Path() / folder);
  fs::permissions(bare.Path() / "run", fs::perms::owner_all, fs::perm_options::replace);
  const std::set<fs::path> before = Contents(bare.Path());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WINEPREFIX"}) {
    env.remove(name);
  }
  env.insert("HOME", QString::fromStdString((bare.Path() / "home").string()));
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString((bare.Path() / "run").string()));
  env.insert("TMPDIR", QString::fromStdString((bare.Path() / "tmp").string()));

  struct Case {
    QStringList arguments;
    int status;
    const char* expected;  // in standard output for status 0, in the error otherwise
  };
  struct Run {
    const char* locale;  // LANG; empty for none
    Case answer;
  };
  for (const auto& [locale, run] :
       {Run{"", {{"--help"}, 0, "WINEPREFIX"}}, Run{"", {{"--version"}, 0, "orva-menu "}},
        Run{"", {{"--bogus"}, 2, "--bogus"}}, Run{"", {{"extra"}, 2, "extra"}},
        Run{"ja_JP.UTF-8", {{"--help"}, 0, "使い方"}},
        Run{"ja_JP.UTF-8", {{"--version"}, 0, "バージョン"}},
        Run{"ja_JP.UTF-8", {{"--bogus"}, 2, "不明なオプション '--bogus'"}},
        Run{"de_DE.UTF-8", {{"--bogus"}, 2, "unknown option '--bogus'"}}}) {
    QProcess launcher;
    QProcessEnvironment localised = env;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) localised.remove(name);
    if (*locale) localised.insert("LANG", locale);
    launcher.setProcessEnvironment(localised);
    launcher.setWorkingDirectory(QString::fromStdString((bare.Path() / "home").string()));
    launcher.start(QString::fromUtf8(ORVA_LAUNCHER_BINARY), run.arguments);
    ASSERT_TRUE(launcher.waitForFinished(kPatienceMs));
    const QString out = QString::fromUtf8(launcher.readAllStandardOutput());
    const QString err = QString::fromUtf8(launcher.readAllStandardError());
    const std::string label = run.arguments.join(' ').toStdString();
    EXPECT_EQ(launcher.exitStatus(), QProcess::NormalExit) << label;
    EXPECT_EQ(launcher.exitCode(), run.status) << label << err.toStdString();
    if (run.status == 0) {
      EXPECT_TRUE(out.contains(QString::fromUtf8(run.expected))) << label;
      EXPECT_TRUE(err.isEmpty()) << label << err.toStdString();
    } else {
      EXPECT_TRUE(err.contains(QString::fromUtf8(run.expected))) << label;
      EXPECT_EQ(err.count('\n'), 1) << label << err.toStdString();
      EXPECT_TRUE(out.isEmpty()) << label;
    }
  }
  EXPECT_EQ(Contents(bare.Path()), before);
}

}  // namespace
}  // namespace orva
