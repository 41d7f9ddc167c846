#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "desktop/qt_desktop.h"
#include "support/install_tree.h"
#include "support/log_catcher.h"
#include "support/scoped_environment.h"
#include "support/virtual_display.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using test::LogCatcher;
using test::LogLine;

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The value of a startup message's first field, its id.
std::string IdOf(const std::string& message) {
  const std::size_t open = message.find('"');
  return message.substr(open + 1, message.find('"', open + 1) - open - 1);
}

struct Box {
  QString text;
  QString title;
  bool underBusyCursor;
};

bool BusyCursorShows() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::BusyCursor;
}

// Takes every message box that comes up while it lives, notes it and closes it, so a box
// never blocks a test.
class BoxCatcher {
 public:
  BoxCatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back({box->text(), box->windowTitle(), BusyCursorShows()});
        box->accept();
      }
    });
    timer_.start(20);
  }
  std::vector<Box> boxes;

 private:
  QTimer timer_;
};

// PATH holds only the given folder while it lives.
class PathOnly {
 public:
  explicit PathOnly(const fs::path& folder) {
    fs::create_directories(folder);
    path_.Set("PATH", folder.string());
  }

 private:
  test::ScopedEnvironment path_;
};

class HandoverFailuresTest : public ::testing::Test {
 protected:
  // A program in the suite's folder: its Windows path, its host path as text.
  std::pair<QString, QString> Program(const char* windowsPath, const std::string& bytes) {
    tree.WriteBytes(windowsPath, bytes);
    const fs::path host = tree.Host(windowsPath);
    fs::permissions(host, fs::perms::owner_all, fs::perm_options::add);
    return {QString::fromUtf8(windowsPath), QString::fromStdString(host.string())};
  }
  // Starts and waits until the start is past its first moments.
  bool StartAndSettle(const QString& windowsPath, const QString& host) {
    const bool started =
        desktop.StartProgram(nullptr, {.target = host, .windowsPath = windowsPath});
    desktop.FinishWatching();
    return started;
  }

  test::InstallTree tree;
  QtDesktop desktop{tree.Files().Drives()};
  BoxCatcher boxes;
  LogCatcher log;
};

TEST_F(HandoverFailuresTest, WindowsProgramWithoutWineIsToldAndLoggedOnce) {
  const auto [windows, host] = Program("C:\\VORDELN\\doboku\\do.exe", "MZ\x90\x00rest");
  {
    PathOnly emptyPath(tree.Host("C:\\empty-bin"));
    EXPECT_FALSE(StartAndSettle(windows, host));
  }
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(boxes.boxes[0].text.contains(windows));
  EXPECT_TRUE(boxes.boxes[0].text.contains(QString::fromUtf8("wine が見つかりません")));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0].category, "orva.start");
  EXPECT_TRUE(log.lines[0].text.contains(windows));
  EXPECT_TRUE(log.lines[0].text.contains(host));
}

// A 32-bit program is never handed to a Wine that runs 64-bit programs only, which would end
// at once and cleanly, showing nothing: the user is told what to install. A 64-bit one
// still starts through the same Wine.
TEST_F(HandoverFailuresTest, ThirtyTwoBitProgramNeedsAThirtyTwoBitWine) {
  const std::string built32 = ORVA_WINE_MARKER32;
  const std::string built64 = ORVA_WINE_MARKER;
  if (built32.empty() || built64.empty()) {
    GTEST_SKIP() << "mingw-w64 (i686-w64-mingw32-gcc and x86_64-w64-mingw32-gcc) was not "
                    "found when the build was configured; tools/bootstrap installs both";
  }
  // Laid out as Debian's wine64 alone; its `wine` notes what it is asked to run.
  const fs::path wine = tree.Prefix() / "wine64-only";
  const fs::path asked = wine / "asked.txt";
  fs::create_directories(wine / "bin");
  fs::create_directories(wine / "lib/x86_64-linux-gnu/wine/x86_64-windows");
  std::ofstream(wine / "lib/x86_64-linux-gnu/wine/x86_64-windows/ntdll.dll") << "x";
  std::ofstream(wine / "bin/wine") << "#!/bin/sh\necho \"$1\" >> '" << asked.string() << "'\n";
  fs::permissions(wine / "bin/wine", fs::perms::owner_all, fs::perm_options::add);
  const auto [windows32, host32] = Program("C:\\VORDELN\\r06\\doboku.exe", ReadWhole(built32));
  const auto [windows64, host64] = Program("C:\\VORDELN\\x64\\doboku.exe", ReadWhole(built64));
  {
    PathOnly wineOnly(wine / "bin");
    EXPECT_FALSE(StartAndSettle(windows32, host32));
    EXPECT_TRUE(StartAndSettle(windows64, host64));
  }
  EXPECT_EQ(ReadWhole(asked), host64.toStdString() + "\n");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(boxes.boxes[0].text.contains(windows32));
  EXPECT_TRUE(boxes.boxes[0].text.contains(QString::fromUtf8("32 ビット")));
  EXPECT_TRUE(boxes.boxes[0].text.contains(
      "dpkg --add-architecture i386 && apt update && apt install wine32:i386"));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0].category, "orva.start");
  EXPECT_TRUE(log.lines[0].text.contains(host32));
  EXPECT_TRUE(log.lines[0].text.contains("wine32"));
}

TEST_F(HandoverFailuresTest, ProgramThatFailsAtOnceIsToldAfterTheStartReturned) {
  const auto [windows, host] = Program("C:\\VORDELN\\p\\fails", "#!/bin/sh\nexit 3\n");
  EXPECT_TRUE(desktop.StartProgram(nullptr, {.target = host, .windowsPath = windows}));
  EXPECT_TRUE(boxes.boxes.empty());  // the start itself never waits for the program
  desktop.FinishWatching();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(boxes.boxes[0].text.contains(windows));
  EXPECT_TRUE(boxes.boxes[0].text.contains(QString::fromUtf8("終了コード 3")));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0].category, "orva.start");
  EXPECT_TRUE(log.lines[0].text.contains(host));
}

// A program that is there but ends at once (the remote-support tool, say) is told as such,
// never as missing.
TEST_F(HandoverFailuresTest, ProgramKilledAtOnceIsToldWithItsSignal) {
  const auto [windows, host] = Program("C:\\adata\\tool", "#!/bin/sh\nkill -9 $$\n");
  EXPECT_TRUE(StartAndSettle(windows, host));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(boxes.boxes[0].text.contains(windows));
  EXPECT_TRUE(boxes.boxes[0].text.contains(QString::fromUtf8("異常終了しました (シグナル 9)")));
  EXPECT_FALSE(boxes.boxes[0].text.contains(QString::fromUtf8("見つかりません")));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_TRUE(log.lines[0].text.contains("signal 9"));
}

// A caller that closes its window once the hand-over worked hears of a failure in the first
// moments before the call returns, and of a clean end as a success.
TEST_F(HandoverFailuresTest, AwaitedHandoverReturnsItsFirstMoments) {
  const auto [windows, host] = Program("C:\\VORDELN\\vekup", "#!/bin/sh\nsleep 0.2\nexit 3\n");
  const auto [okWindows, okHost] = Program("C:\\VORDELN\\p\\ok", "#!/bin/sh\nexit 0\n");
  Program("C:\\bin\\xdg-open", "#!/bin/sh\nexit 3\n");
  EXPECT_FALSE(desktop.StartProgram(
      nullptr, {.target = host, .windowsPath = windows, .awaitFirstMoments = true}));
  EXPECT_FALSE(desktop.Watching());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(boxes.boxes[0].text.contains(QString::fromUtf8("終了コード 3")));
  EXPECT_TRUE(desktop.StartProgram(
      nullptr, {.target = okHost, .windowsPath = okWindows, .awaitFirstMoments = true}));
  EXPECT_FALSE(desktop.Watching());
  {
    PathOnly openerOnly(tree.Host("C:\\bin"));
    EXPECT_FALSE(desktop.OpenDocument(
        nullptr, {.target = "https://example.org/", .awaitFirstMoments = true}));
  }
  EXPECT_FALSE(desktop.Watching());
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_TRUE(boxes.boxes[1].text.contains("https://example.org/"));
}

TEST_F(HandoverFailuresTest, HappyStartsAndOpensSayNothing) {
  const auto [windows, host] = Program("C:\\VORDELN\\p\\ok", "#!/bin/sh\nexit 0\n");
  const auto [slowWindows, slowHost] =
      Program("C:\\VORDELN\\p\\slow", "#!/bin/sh\nexec sleep 4 >/dev/null 2>&1\n");
  const auto [opener, openerHost] = Program("C:\\bin\\xdg-open", "#!/bin/sh\nexit 0\n");
  EXPECT_TRUE(StartAndSettle(windows, host));
  EXPECT_TRUE(StartAndSettle(slowWindows, slowHost));  // still running when the watch ends
  {
    PathOnly openerOnly(tree.Host("C:\\bin"));
    EXPECT_TRUE(desktop.OpenDocument(nullptr, {.target = "https://example.org/"}));
    desktop.FinishWatching();
  }
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(log.lines.empty());
}

// The arrow with an hourglass while a started program comes up: it goes when another
// window takes the focus (the program's), and before a failure is told.
TEST_F(HandoverFailuresTest, BusyCursorShowsUntilTheProgramsWindowOrItsFailure) {
  const auto [slowWindows, slowHost] =
      Program("C:\\VORDELN\\p\\slow", "#!/bin/sh\nexec sleep 4 >/dev/null 2>&1\n");
  EXPECT_TRUE(desktop.StartProgram(nullptr, {.target = slowHost, .windowsPath = slowWindows}));
  EXPECT_TRUE(BusyCursorShows());
  emit qApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_FALSE(BusyCursorShows());
  desktop.FinishWatching();

  const auto [windows, host] = Program("C:\\VORDELN\\p\\fails", "#!/bin/sh\nexit 3\n");
  EXPECT_TRUE(desktop.StartProgram(nullptr, {.target = host, .windowsPath = windows}));
  EXPECT_TRUE(BusyCursorShows());
  desktop.FinishWatching();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_FALSE(boxes.boxes[0].underBusyCursor);
  EXPECT_FALSE(BusyCursorShows());
}

// The desktop's own startup feedback: the program gets the id the desktop was told, never
// the launcher's own tokens, and the start ends for the desktop when the busy pointer does.
TEST_F(HandoverFailuresTest, DesktopHearsOfEachStartAndOfItsEnd) {
  test::VirtualDisplay display;
  if (!display.Available()) GTEST_SKIP() << "no Xvfb to start here";
  test::ScopedEnvironment launchersOwn;
  launchersOwn.Set("DESKTOP_STARTUP_ID", "launchers-own_TIME1");
  launchersOwn.Set("XDG_ACTIVATION_TOKEN", "launchers-own");
  const fs::path seen = tree.Host("C:\\VORDELN\\seen");
  const auto [windows, host] =
      Program("C:\\VORDELN\\p\\slow prog",
              "#!/bin/sh\necho \"$DESKTOP_STARTUP_ID ${XDG_ACTIVATION_TOKEN-none}\" > '" +
                  seen.string() + ".new'\nmv '" + seen.string() + ".new' '" + seen.string() +
                  "'\nexec sleep 4 >/dev/null 2>&1\n");
  EXPECT_TRUE(desktop.StartProgram(nullptr, {.target = host, .windowsPath = windows}));
  ASSERT_TRUE(display.WaitFor([&] { return fs::exists(seen); }));
  ASSERT_EQ(display.Messages().size(), 1u);
  const std::string said = display.Messages()[0];
  const std::string id = IdOf(said);
  EXPECT_EQ(said.rfind("new: ID=\"" + id + "\" NAME=\"slow prog\"", 0), 0u) << said;
  EXPECT_NE(id.find("_TIME"), std::string::npos);
  EXPECT_EQ(ReadWhole(seen), id + " none\n");

  emit qApp->applicationStateChanged(Qt::ApplicationInactive);
  ASSERT_TRUE(display.WaitFor([&] { return display.Messages().size() == 2; }));
  EXPECT_EQ(display.Messages()[1], "remove: ID=\"" + id + "\"");
  desktop.FinishWatching();

  // A start that fails, at once or in its first moments, ends as it is told.
  const auto [failing, failingHost] = Program("C:\\VORDELN\\p\\fails", "#!/bin/sh\nexit 3\n");
  const auto [notRun, notRunHost] = Program("C:\\VORDELN\\p\\text", "no program\n");
  for (const auto& [program, programHost] :
       {std::pair(failing, failingHost), std::pair(notRun, notRunHost)}) {
    const std::size_t before = display.Messages().size();
    EXPECT_TRUE(StartAndSettle(program, programHost) == (program == failing));
    ASSERT_TRUE(display.WaitFor([&] { return display.Messages().size() == before + 2; }));
    const std::string newId = IdOf(display.Messages()[before]);
    EXPECT_EQ(display.Messages()[before + 1], "remove: ID=\"" + newId + "\"");
    EXPECT_NE(newId, id);
  }
  EXPECT_EQ(boxes.boxes.size(), 2u);

  // A server that does not answer holds up no start (a hang would end in the test's timeout).
  const auto [ok, okHost] = Program("C:\\VORDELN\\p\\ok", "#!/bin/sh\nexit 0\n");
  display.Pause();
  EXPECT_TRUE(StartAndSettle(ok, okHost));
  display.Resume();
}

TEST_F(HandoverFailuresTest, OpenerFailuresNameWhatCouldNotBeOpenedAndWhy) {
  Program("C:\\bin\\xdg-open", "#!/bin/sh\nexit 3\n");  // no application for it
  const QString help = "C:\\VORDELN\\tovrin.pdf";
  const QString helpHost = QString::fromStdString(tree.Host("C:\\VORDELN\\tovrin.pdf").string());
  {
    PathOnly openerOnly(tree.Host("C:\\bin"));
    EXPECT_TRUE(desktop.OpenDocument(nullptr, {.target = "https://example.org/"}));
    EXPECT_TRUE(desktop.OpenDocument(nullptr, {.target = helpHost, .windowsPath = help}));
    desktop.FinishWatching();
  }
  {
    PathOnly noOpener(tree.Host("C:\\empty-bin"));
    desktop.OpenDocument(nullptr, {.target = helpHost, .windowsPath = help});
    desktop.FinishWatching();
  }
  // The two first may come in either order: the second is told while the first is up.
  ASSERT_EQ(boxes.boxes.size(), 3u);
  const bool addressFirst = boxes.boxes[0].text.contains("https://example.org/");
  const Box& address = boxes.boxes[addressFirst ? 0 : 1];
  EXPECT_TRUE(address.text.contains("https://example.org/"));
  EXPECT_TRUE(address.text.contains(QString::fromUtf8("ブラウザー")));
  for (const Box& box : {boxes.boxes[addressFirst ? 1 : 0], boxes.boxes[2]}) {
    EXPECT_TRUE(box.text.contains(help));
    EXPECT_TRUE(box.text.contains(QString::fromUtf8("開くアプリケーションが見つかりません")));
  }
  ASSERT_EQ(log.lines.size(), 3u);
  for (const LogLine& line : log.lines) EXPECT_EQ(line.category, "orva.open");
  EXPECT_TRUE(log.lines[2].text.contains(helpHost));
}

}  // namespace
}  // namespace orva
