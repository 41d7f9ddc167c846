#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "desktop/qt_desktop.h"
#include "support/install_tree.h"
#include "support/log_catcher.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using test::LogCatcher;
using test::LogLine;

struct Box {
  QString text;
  QString title;
};

// Takes every message box that comes up while it lives, notes it and closes it, so a box
// never blocks a test.
class BoxCatcher {
 public:
  BoxCatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back({box->text(), box->windowTitle()});
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
    if (const char* old = std::getenv("PATH")) old_ = old;
    fs::create_directories(folder);
    ::setenv("PATH", folder.c_str(), 1);
  }
  ~PathOnly() {
    if (old_) {
      ::setenv("PATH", old_->c_str(), 1);
    } else {
      ::unsetenv("PATH");
    }
  }

 private:
  std::optional<std::string> old_;
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

TEST_F(HandoverFailuresTest, OwnMessageStandsForAFailureInTheFirstMoments) {
  const auto [windows, host] = Program("C:\\adata\\tool", "#!/bin/sh\nkill -9 $$\n");
  const Desktop::Handover tool{.target = host,
                               .windowsPath = windows,
                               .ownText = QString::fromUtf8("遠隔操作ソフトが見つかりません。"),
                               .ownTitle = windows};
  EXPECT_TRUE(desktop.StartProgram(nullptr, tool));
  desktop.FinishWatching();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, tool.ownText);
  EXPECT_EQ(boxes.boxes[0].title, windows);
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_TRUE(log.lines[0].text.contains("signal 9"));
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
