// Files another program holds while the launcher reads them: never a quiet empty result.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <memory>

#include "app/launcher_window.h"
#include "catalogue/install_paths.h"
#include "desktop/host_path_text.h"
#include "support/held_file.h"
#include "support/install_tree.h"
#include "support/log_catcher.h"
#include "support/scripted_desktop.h"
#include "support/works_file_builder.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

using test::CatalogueLine;
using test::HeldFile;

constexpr const char* kWorks = "C:\\VORDELN\\a1\\DATA\\n_KOJI.RDM";
constexpr const char* kDataDirFile = "C:\\VORDELN\\a1\\DIR.TXT";
constexpr const char* kUserIni = "C:\\VORDELN\\USERMENU.INI";

class FilesInUseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.WriteText("C:\\VORDELN\\MENU.INI", CatalogueLine("11001", "一", "VORDELN\\a1\\prog.exe",
                                                          "a.png", "DIR.TXT", "DATA\\"));
    tree.Touch("C:\\VORDELN\\a1\\prog.exe");
    tree.WriteText(kDataDirFile, "");
    tree.WriteBytes(kWorks, test::WorksRecordBuilder().Number(11).Bytes());
    tree.WriteText("C:\\VORDELN\\dMENU.INI", "1\r\n");
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::red);
    std::filesystem::create_directories(tree.Host("C:\\VORDELN\\icon\\"));
    icon.save(HostPathText(tree.Host("C:\\VORDELN\\icon\\a.png")));
  }

  std::unique_ptr<LauncherWindow> Start() {
    auto window =
        std::make_unique<LauncherWindow>(desktop, tree.Files(), ResolveInstallPaths("C:\\VORDELN"));
    EXPECT_EQ(window->Startup().error(), 0);
    return window;
  }

  // Whether a log line of the file category names the file and the number of a held file.
  bool Logged(const char* windowsPath) const {
    for (const test::LogLine& line : log.lines) {
      if (line.category == "orva.files" && line.text.contains(QString::fromUtf8(windowsPath)) &&
          line.text.contains("514")) {
        return true;
      }
    }
    return false;
  }

  test::InstallTree tree;
  test::ScriptedDesktop desktop;
  test::LogCatcher log;
};

TEST_F(FilesInUseTest, HeldWorksAndDataFolderFilesAreNamedToTheUser) {
  auto window = Start();
  SpreadGrid& grid = *window->Controls().SSm[0];
  const QString inUse = QString::fromUtf8("ほかのプログラム");
  {
    HeldFile held(tree.Host(kWorks));
    emit grid.ButtonClicked(3, 1);
  }
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.startsWith("514:"))
      << desktop.messages[0].text.toStdString();
  EXPECT_TRUE(desktop.messages[0].text.contains(inUse));
  EXPECT_TRUE(desktop.messages[0].text.endsWith(QString("\n") + kWorks));
  EXPECT_TRUE(Logged(kWorks));

  emit grid.ButtonClicked(3, 1);  // let go: the same click lists the works
  EXPECT_EQ(window->Controls().SS->RowCount(), 1);
  EXPECT_EQ(desktop.messages.size(), 1u);

  {
    HeldFile held(tree.Host(kDataDirFile));
    emit grid.ButtonClicked(3, 1);
  }
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_TRUE(desktop.messages[1].text.contains(inUse));
  EXPECT_TRUE(desktop.messages[1].text.endsWith(QString("\n") + kDataDirFile));
  EXPECT_TRUE(Logged(kDataDirFile));
}

TEST_F(FilesInUseTest, HeldFilesAtStartUpAreReportedOrLogged) {
  tree.WriteText(kUserIni, CatalogueLine("11001", "一", "VORDELN\\mine.exe"));
  const std::string userBefore = tree.ReadBytes(kUserIni);
  {
    HeldFile user(tree.Host(kUserIni));
    HeldFile view(tree.Host("C:\\VORDELN\\dMENU.INI"));
    HeldFile icon(tree.Host("C:\\VORDELN\\icon\\a.png"));
    auto window = Start();
    // The user's catalogue is told of; a view state or an icon is not worth a box.
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー514"));
    EXPECT_TRUE(desktop.messages[0].text.endsWith(QString("\n") + kUserIni));
    EXPECT_TRUE(Logged(kUserIni));
    EXPECT_TRUE(Logged("C:\\VORDELN\\dMENU.INI"));
    EXPECT_TRUE(Logged("C:\\VORDELN\\icon\\a.png"));
    user.Release();
    window->close();
  }
  // Unread, the user's choices are not replaced by the suite's at close.
  EXPECT_EQ(tree.ReadBytes(kUserIni), userBefore);
}

}  // namespace
}  // namespace orva
