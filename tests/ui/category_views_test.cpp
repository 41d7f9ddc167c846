#include "ui/category_views.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <filesystem>
#include <memory>

#include "support/window_fixture.h"
#include "support/works_file_builder.h"
#include "support/works_listing.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

using test::kViewIni;

class CategoryViewsTest : public test::WindowFixture {
 protected:
  std::unique_ptr<LauncherWindow> Shown() {
    auto window = Start();
    window->show();
    return window;
  }

  static bool IsPink(const QPushButton& button) {
    return button.palette().color(QPalette::Button) == kSelectedCategoryColor;
  }

  // Exactly one menu grid shows, the selected one, and only its button is pink.
  static void ExpectSelected(const LauncherWindow& window, int index) {
    const WindowControls& c = window.Controls();
    EXPECT_EQ(window.State().views.curCategory, index + 1);
    for (int i = 0; i < kCategoryCount; ++i) {
      EXPECT_EQ(c.SSm[i]->isHidden(), i != index) << i;
      EXPECT_EQ(IsPink(*c.Command1[i]), i == index) << i;
    }
  }
};

TEST_F(CategoryViewsTest, StartUpShowsCategoryOneWithNoPinkButton) {
  auto window = Shown();
  window->MakeMenuGridCopies();
  const WindowControls& c = window->Controls();
  for (int i = 0; i < kCategoryCount; ++i) {
    EXPECT_EQ(c.SSm[i]->isHidden(), i != 0) << i;
    EXPECT_FALSE(IsPink(*c.Command1[i])) << i;
  }
}

// A row of the category table whose picture is not among the program's icons would leave
// an empty square beside its button.
TEST_F(CategoryViewsTest, EveryCategoryHasItsCaptionPictureAndGridName) {
  auto window = Shown();
  window->MakeMenuGridCopies();
  const WindowControls& c = window->Controls();
  for (int i = 0; i < kCategoryCount; ++i) {
    const QString caption = QString::fromUtf8(CategoryAt(i + 1).caption);
    EXPECT_EQ(c.Command1[i]->accessibleName(), caption) << i;
    EXPECT_EQ(c.SSm[i]->accessibleName(), caption) << i;
    EXPECT_FALSE(c.Picture1[i]->pixmap().isNull()) << i;
  }
}

TEST_F(CategoryViewsTest, ClickingAButtonSelectsOnlyItsCategory) {
  auto window = Shown();
  const WindowControls& c = window->Controls();
  c.Command1[1]->click();
  ExpectSelected(*window, 1);
  c.Command1[3]->click();
  ExpectSelected(*window, 3);
  EXPECT_EQ(c.Command1[1]->palette().color(QPalette::Button),
            QApplication::palette().color(QPalette::Button));
  c.Command1[3]->click();
  ExpectSelected(*window, 3);
}

TEST_F(CategoryViewsTest, ExactPinkReachesTheScreenInEveryStyle) {
  auto window = Shown();
  QPushButton& button = *window->Controls().Command1[2];
  for (const char* styleName : {"Fusion", "Windows"}) {
    SCOPED_TRACE(styleName);
    std::unique_ptr<QStyle> style(QStyleFactory::create(styleName));
    ASSERT_TRUE(style);
    button.setStyle(style.get());
    button.click();
    button.setFocus();
    const QImage image = button.grab().toImage();
    // Beside the caption, inside any focus frame; and the middle of the top edge.
    for (const QPoint point : {QPoint(6, image.height() / 2), QPoint(image.width() / 2, 4)}) {
      EXPECT_EQ(image.pixelColor(point).rgb(), kSelectedCategoryColor.rgb())
          << image.pixelColor(point).name().toStdString();
    }

    window->Controls().Command1[0]->click();
    const QColor face = button.grab().toImage().pixelColor(6, image.height() / 2);
    EXPECT_LT(std::abs(face.red() - face.green()), 20) << face.name().toStdString();
    button.setStyle(nullptr);
  }
}

TEST_F(CategoryViewsTest, TheFocusedButtonIsMarkedOnThePinkAndOnThePlainFace) {
  auto window = Shown();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const WindowControls& c = window->Controls();
  QPushButton& button = *c.Command1[2];
  for (QPushButton* selected : {c.Command1[2], c.Command1[0]}) {
    selected->click();
    button.setFocus();
    ASSERT_TRUE(button.hasFocus());
    const QImage image = button.grab().toImage();
    const QColor dark = button.palette().color(QPalette::Text);
    const int middle = image.width() / 2;
    EXPECT_EQ(image.pixelColor(middle, 0), dark);
    EXPECT_EQ(image.pixelColor(middle, 1), dark);
    EXPECT_EQ(image.pixelColor(0, image.height() / 2), dark);
    EXPECT_EQ(image.pixelColor(middle, 2), button.palette().color(QPalette::Base));
    c.Command1[kCategoryCount - 1]->setFocus();
    EXPECT_NE(button.grab().toImage().pixelColor(middle, 1), dark);
  }
}

TEST_F(CategoryViewsTest, SwitchingViewsFlipsOnlyTheCombinedGrid) {
  auto window = Shown();
  const WindowControls& c = window->Controls();
  test::ListWorks(*c.SS, test::WorksRecordBuilder()
                             .Number(4)
                             .NameFirst("\x8D\x48\x8E\x96")  // 工事
                             .NameSecond("")
                             .Bytes());
  c.SS->show();
  c.Command1[1]->click();
  ASSERT_FALSE(c.SSx[0]->isHidden());

  c.dispSELECT->trigger();
  EXPECT_TRUE(c.SSx[0]->isHidden());
  ExpectSelected(*window, 1);
  c.Command1[4]->click();
  c.dispSELECT->trigger();
  EXPECT_FALSE(c.SSx[0]->isHidden());
  c.dispSELECT->trigger();
  ExpectSelected(*window, 4);

  EXPECT_FALSE(c.SS->isHidden());
  EXPECT_EQ(c.SS->RowCount(), 1);
  EXPECT_EQ(c.SS->Text(3, 1), QString::fromUtf8("工事"));
  EXPECT_FALSE(tree.Exists(kViewIni));  // written only by the close
  window->close();
  EXPECT_EQ(tree.ReadBytes(kViewIni), "1\r\n");
}

TEST_F(CategoryViewsTest, ShowAllTicksAndReappliesRowHeights) {
  auto window = Shown();
  const WindowControls& c = window->Controls();
  ASSERT_EQ(c.SSm[0]->RowHeight(1), 0);
  c.dispALL->trigger();
  EXPECT_TRUE(c.dispALL->isChecked());
  EXPECT_TRUE(window->State().views.showAll);
  EXPECT_EQ(c.SSm[0]->RowHeight(1), 35);
  EXPECT_EQ(c.SSx[0]->RowHeight(1), 35);
  c.dispALL->trigger();
  EXPECT_FALSE(c.dispALL->isChecked());
  EXPECT_FALSE(window->State().views.showAll);
  EXPECT_EQ(c.SSm[0]->RowHeight(1), 0);
  EXPECT_EQ(c.SSx[0]->RowHeight(1), 0);
}

TEST_F(CategoryViewsTest, MenuGridsMadeLaterShowTheStartUpFill) {
  std::filesystem::remove(tree.Host("C:\\VORDELN\\n15.exe"));  // missing at start-up
  auto window = Shown();
  const WindowControls& c = window->Controls();
  // Gone after start-up: a grid made now still shows what start-up found.
  std::filesystem::remove(tree.Host("C:\\VORDELN\\n26.exe"));
  c.Command1[1]->click();
  ExpectSelected(*window, 1);
  const SpreadGrid& grid = *c.SSm[1];
  ASSERT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Text(2, 1), QString::fromUtf8("農林26"));
  EXPECT_EQ(grid.Text(5, 1), "2");
  EXPECT_EQ(grid.RowHeight(1), 35);
  EXPECT_EQ(grid.Text(5, 2), "-1");
  EXPECT_EQ(grid.RowHeight(2), 0);

  // Show-all chosen before any category: the grids it makes show every row as well.
  auto other = Shown();
  other->Controls().dispALL->trigger();
  other->Controls().Command1[1]->click();
  EXPECT_EQ(other->Controls().SSm[1]->RowHeight(2), 35);
}

}  // namespace
}  // namespace orva
