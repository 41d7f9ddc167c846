// Files another program holds while the launcher reads them: never a quiet empty result.
#include <gtest/gtest.h>

#include "support/held_file.h"
#include "support/log_catcher.h"
#include "support/window_fixture.h"
#include "support/works_file_builder.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

using test::HeldFile;
using test::kUserIni;
using test::kViewIni;

constexpr const char* kWorks = "C:\\VORDELN\\p26\\DATA\\n_KOJI.RDM";
constexpr const char* kDataDirFile = "C:\\VORDELN\\p26\\DIR.TXT";
constexpr const char* kIcon = "C:\\VORDELN\\icon\\a.png";

// The window's suite in its category view, the item with a data folder listing one works.
class FilesInUseTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    tree.WriteText(kDataDirFile, "");
    tree.WriteBytes(kWorks, test::WorksRecordBuilder().Number(11).Bytes());
    tree.WriteText(kViewIni, "1\r\n");
  }

  // The row of the item with the works list.
  static int WorksItemRow(const SpreadGrid& grid) {
    for (int row = 1; row <= grid.RowCount(); ++row) {
      if (grid.Text(2, row).startsWith(QString::fromUtf8("平成26年度 前期"))) return row;
    }
    ADD_FAILURE() << "no row for the item with works";
    return 1;
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

  test::LogCatcher log;
};

TEST_F(FilesInUseTest, HeldWorksAndDataFolderFilesAreNamedToTheUser) {
  auto window = Start();
  SpreadGrid& grid = *window->Controls().SSm[0];
  const int row = WorksItemRow(grid);
  const QString inUse = QString::fromUtf8("ほかのプログラム");
  {
    HeldFile held(tree.Host(kWorks));
    emit grid.ButtonClicked(3, row);
  }
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.startsWith("514:"))
      << desktop.messages[0].text.toStdString();
  EXPECT_TRUE(desktop.messages[0].text.contains(inUse));
  EXPECT_TRUE(desktop.messages[0].text.endsWith(QString("\n") + kWorks));
  EXPECT_TRUE(Logged(kWorks));

  emit grid.ButtonClicked(3, row);  // let go: the same click lists the works
  EXPECT_EQ(window->Controls().SS->RowCount(), 1);
  EXPECT_EQ(desktop.messages.size(), 1u);

  {
    HeldFile held(tree.Host(kDataDirFile));
    emit grid.ButtonClicked(3, row);
  }
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_TRUE(desktop.messages[1].text.contains(inUse));
  EXPECT_TRUE(desktop.messages[1].text.endsWith(QString("\n") + kDataDirFile));
  EXPECT_TRUE(Logged(kDataDirFile));
}

TEST_F(FilesInUseTest, HeldFilesAtStartUpAreReportedOrLogged) {
  tree.WriteText(kUserIni, test::CatalogueLine("11001", "一", "VORDELN\\mine.exe"));
  const std::string userBefore = tree.ReadBytes(kUserIni);
  {
    HeldFile user(tree.Host(kUserIni));
    HeldFile view(tree.Host(kViewIni));
    HeldFile icon(tree.Host(kIcon));
    auto window = Start();
    // The user's catalogue is told of; a view state or an icon is not worth a box.
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー514"));
    EXPECT_TRUE(desktop.messages[0].text.endsWith(QString("\n") + kUserIni));
    EXPECT_TRUE(Logged(kUserIni));
    EXPECT_TRUE(Logged(kViewIni));
    EXPECT_TRUE(Logged(kIcon));
    user.Release();
    window->close();
  }
  // Unread, the user's choices are not replaced by the suite's at close.
  EXPECT_EQ(tree.ReadBytes(kUserIni), userBefore);
}

}  // namespace
}  // namespace orva
