#include "desktop/qt_desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "desktop/host_path_text.h"
#include "support/install_tree.h"

namespace orva {
namespace {

// Runs `act` on the file dialog once it is up; a dialog that never appears fails the test
// instead of blocking it.
void WhenDialogOpens(const std::function<void(QFileDialog&)>& act, int triesLeft = 100) {
  QTimer::singleShot(20, [act, triesLeft] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      act(*dialog);
    } else if (triesLeft > 0) {
      WhenDialogOpens(act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "no file dialog";
    }
  });
}

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }
QString Canonical(const std::filesystem::path& path) { return Canonical(HostPathText(path)); }

class QtDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.Touch("C:\\VORDELN\\p 1\\a.exe");
    tree.Touch("C:\\VORDELN\\p 1\\b.exe");
  }
  Desktop::OpenFileRequest Request(const char* name) const {
    return {QString("C:\\VORDELN\\p 1\\") + QString::fromUtf8(name),
            "C:\\VORDELN\\p 1\\",
            QString::fromUtf8("実行ファイルの設定"),
            {QString::fromUtf8(name), QString::fromUtf8(name), "*.exe", "*.exe"}};
  }
  test::InstallTree tree;
  QtDesktop desktop{tree.Files().Drives()};
};

TEST_F(QtDesktopTest, FileDialogStartsAtTheCurrentFileAndReturnsTheChoice) {
  QString title, directory, selected;
  QStringList filters;
  WhenDialogOpens([&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    directory = Canonical(dialog.directory().absolutePath());
    filters = dialog.nameFilters();
    selected = dialog.selectedFiles().value(0);
    // The start file is chosen as it stands: the dialog lists its folder in the
    // background, so picking another file here would race that listing.
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  const Result<QString> choice = desktop.ChooseOpenFile(nullptr, Request("a.exe"));
  EXPECT_EQ(title, QString::fromUtf8("実行ファイルの設定"));
  EXPECT_EQ(directory, Canonical(tree.Host("C:\\VORDELN\\p 1")));
  EXPECT_EQ(filters, QStringList({"a.exe (a.exe)", "*.exe (*.exe)"}));
  EXPECT_EQ(QFileInfo(selected).fileName(), "a.exe");
  EXPECT_EQ(choice.error(), 0);
  EXPECT_EQ(choice.value(), "C:\\VORDELN\\p 1\\a.exe");
}

TEST_F(QtDesktopTest, CancelIsItsOwnCode) {
  QStringList filters;
  WhenDialogOpens([&](QFileDialog& dialog) {
    filters = dialog.nameFilters();
    dialog.reject();
  });
  const Result<QString> choice = desktop.ChooseOpenFile(nullptr, Request("新 版(1).exe"));
  EXPECT_EQ(choice.error(), 32755);
  // A name Qt could not read as one pattern is still offered as one.
  EXPECT_EQ(filters,
            QStringList({QString::fromUtf8("新 版(1).exe (????1?.exe)"), "*.exe (*.exe)"}));
}

// The width of the message box the desktop shows for `title`, closed at once.
int MessageBoxWidth(QtDesktop& desktop, const QString& title, bool askOkCancel) {
  int width = -1;
  QTimer::singleShot(20, [&width] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      width = box->width();
      box->reject();
    }
  });
  if (askOkCancel) {
    desktop.AskOkCancel(nullptr, "x", title);
  } else {
    desktop.ShowMessage(nullptr, "x", title, Desktop::Icon::Information);
  }
  return width;
}

TEST_F(QtDesktopTest, MessageBoxesAreWideEnoughForTheirTitleWithinTheScreen) {
  const QString title = QString::fromUtf8(
      "ユーザー設定を削除します。よろしいですか？ c:\\adata\\TeamViewerQS_ja.exe");
  // The window manager shows the application's name after the title.
  const QString application = QGuiApplication::applicationDisplayName();
  QGuiApplication::setApplicationDisplayName(QString::fromUtf8("ORVA土木積算システム"));
  const QString shown = title + QString::fromUtf8(" \u2014 ORVA土木積算システム");
  const int titleWidth =
      QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(shown);
  const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
  for (bool askOkCancel : {false, true}) {
    SCOPED_TRACE(askOkCancel ? "AskOkCancel" : "ShowMessage");
    EXPECT_GE(MessageBoxWidth(desktop, title, askOkCancel), std::min(titleWidth, screenWidth));
    EXPECT_LE(MessageBoxWidth(desktop, title.repeated(20), askOkCancel), screenWidth);
  }
  QGuiApplication::setApplicationDisplayName(application);
}

}  // namespace
}  // namespace orva
