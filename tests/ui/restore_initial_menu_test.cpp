#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>

#include "catalogue/catalogue.h"
#include "support/window_fixture.h"
#include "support/works_file_builder.h"
#include "support/works_listing.h"
#include "ui/category_views.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

using test::CatalogueLine;
using test::kUserIni;
using test::kViewIni;

const QString kQuestion = QString::fromUtf8("初期状態に戻していいですか?");

class RestoreInitialMenuTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    // The user re-pointed 12501 and kept a harbour edition the suite no longer lists.
    tree.WriteText(kUserIni,
                   CatalogueLine("12501", "平成25年度", "C:\\VORDELN\\mine.exe", "a.png") +
                       CatalogueLine("31001", "港湾10", "C:\\VORDELN\\k.exe"));
    tree.Touch("C:\\VORDELN\\mine.exe");
    tree.Touch("C:\\VORDELN\\k.exe");
  }

  static bool IsPink(const QPushButton& button) {
    return button.palette().color(QPalette::Button) == kSelectedCategoryColor;
  }
};

TEST_F(RestoreInitialMenuTest, CancelChangesNothing) {
  const std::string userFile = tree.ReadBytes(kUserIni);
  auto window = Start();
  window->show();
  const WindowControls& c = window->Controls();
  c.Command1[2]->click();
  c.dispALL->trigger();
  desktop.okCancelAnswers = {false};
  c.setDEFORT->trigger();

  EXPECT_EQ(desktop.questions, std::vector<QString>{kQuestion});
  EXPECT_EQ(tree.ReadBytes(kUserIni), userFile);
  EXPECT_EQ(window->Menu().Entry(1, 1).menuExe, "C:\\VORDELN\\mine.exe");
  EXPECT_EQ(window->State().views.curCategory, 3);
  EXPECT_TRUE(window->State().views.showAll);
  EXPECT_TRUE(c.dispALL->isChecked());
  EXPECT_FALSE(c.SSm[2]->isHidden());
  EXPECT_TRUE(IsPink(*c.Command1[2]));
  EXPECT_EQ(c.SSm[2]->RowCount(), 1);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(RestoreInitialMenuTest, OkInCategoryThreeGoesBackToTheSuiteCatalogue) {
  tree.WriteBytes(kViewIni, "1\r\n");  // category view
  auto window = Start();
  window->show();
  const WindowControls& c = window->Controls();
  test::ListWorks(*c.SS, test::WorksRecordBuilder()
                             .Number(4)
                             .NameFirst("\x8D\x48\x8E\x96")  // 工事
                             .NameSecond("")
                             .Bytes());
  c.SS->show();
  c.Command1[2]->click();
  c.dispALL->trigger();
  ASSERT_EQ(c.SSm[0]->Text(4, 3), "C:\\VORDELN\\mine.exe");
  desktop.okCancelAnswers = {true};
  c.setDEFORT->trigger();

  EXPECT_FALSE(tree.Exists(kUserIni));
  EXPECT_EQ(tree.ReadBytes(kViewIni), "1\r\n");
  EXPECT_EQ(window->Menu().Entry(1, 1).menuExe, "C:\\VORDELN\\p25\\prog.exe");
  EXPECT_EQ(window->Menu().menuCount(3), 0);
  EXPECT_EQ(c.SSm[0]->Text(4, 3), "C:\\VORDELN\\p25\\prog.exe");
  EXPECT_EQ(c.SSm[2]->RowCount(), 0);
  EXPECT_EQ(window->State().views.curCategory, 1);
  for (int i = 0; i < kCategoryCount; ++i) {
    EXPECT_EQ(c.SSm[i]->isHidden(), i != 0) << i;
    EXPECT_EQ(IsPink(*c.Command1[i]), i == 0) << i;
  }
  EXPECT_EQ(c.SSm[0]->RowHeight(1), 0);  // the missing program is hidden again
  EXPECT_EQ(c.SSm[0]->RowHeight(2), 35);
  EXPECT_FALSE(c.dispALL->isChecked());
  EXPECT_FALSE(window->State().views.showAll);
  EXPECT_TRUE(c.SSx[0]->isHidden());
  EXPECT_FALSE(c.SS->isHidden());
  EXPECT_EQ(c.SS->RowCount(), 1);
  EXPECT_TRUE(desktop.messages.empty());

  window->close();
  EXPECT_EQ(tree.ReadBytes(kUserIni), UnchangedUserMenu());
}

TEST_F(RestoreInitialMenuTest, CombinedGridStaysAndShowsTheRestoredCatalogue) {
  auto window = Start();  // no view file: combined view
  window->show();
  const WindowControls& c = window->Controls();
  ASSERT_EQ(c.SSx[0]->RowCount(), 7);
  desktop.okCancelAnswers = {true};
  c.setDEFORT->trigger();

  EXPECT_FALSE(c.SSx[0]->isHidden());
  ASSERT_EQ(c.SSx[0]->RowCount(), 6);
  EXPECT_EQ(c.SSx[0]->Text(2, 4), test::CombinedTitle("平成25年度", 1));
  EXPECT_EQ(c.SSx[0]->Text(4, 4), "C:\\VORDELN\\p25\\prog.exe");
  EXPECT_EQ(c.SSx[0]->RowHeight(1), 0);
}

TEST_F(RestoreInitialMenuTest, NoUserFileOrNoSuiteFileStaysSilent) {
  std::filesystem::remove(tree.Host(kUserIni));
  auto window = Start();
  window->show();
  const WindowControls& c = window->Controls();
  desktop.okCancelAnswers = {true};
  c.setDEFORT->trigger();
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(c.SSm[0]->RowCount(), 3);

  // The suite file vanished meanwhile: the grids show what could be loaded, still silently.
  std::filesystem::remove(tree.Host(test::kMenuIni));
  desktop.okCancelAnswers = {true};
  c.setDEFORT->trigger();
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(c.SSm[0]->RowCount(), 0);
  EXPECT_EQ(c.SSx[0]->RowCount(), 0);
  EXPECT_FALSE(c.SSm[0]->isHidden());
}

}  // namespace
}  // namespace orva
