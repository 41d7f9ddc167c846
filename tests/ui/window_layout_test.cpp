#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/category_band.h"
#include "ui/twips.h"
#include "widgets/row_menu_bar.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

class WindowLayoutTest : public test::WindowFixture {
 protected:
  // Resizes the window so its client area is `width` x `height` pixels where it can be;
  // the menu bar takes the rows the new width needs.
  static void ResizeClient(LauncherWindow& window, int width, int height) {
    const WindowControls& c = window.Controls();
    const int frameWidth = window.width() - c.client->width();
    const int frameHeight = window.height() - c.client->height() - c.menuBar->height();
    window.resize(width + frameWidth,
                  height + frameHeight + c.menuBar->heightForWidth(width + frameWidth));
    QApplication::processEvents();
  }

  static int Px(const LauncherWindow& window, double twips) {
    return TwipsToPixels(twips, window.logicalDpiX());
  }
};

TEST_F(WindowLayoutTest, GridsFillTheClientAreaAfterEveryResize) {
  auto window = Start();
  window->show();
  QApplication::processEvents();
  const WindowControls& c = window->Controls();
  const int gridLeft = Px(*window, 480) + Px(*window, 1335);
  const int lastTop = CategoryBandHeight(kCategoryCount) - kCategoryButtonHeight;
  const int band = Px(*window, lastTop) + Px(*window, kCategoryButtonHeight);
  ASSERT_EQ(c.Command1[kCategoryCount - 1]->geometry().bottom() + 1, band);

  auto expectLaidOut = [&] {
    const QSize client = c.client->size();
    for (int i = 0; i < kCategoryCount; ++i) {
      if (c.SSm[i] == nullptr) continue;  // not made yet
      EXPECT_EQ(c.SSm[i]->geometry(), QRect(gridLeft, 0, client.width() - gridLeft, band)) << i;
    }
    EXPECT_EQ(c.SS->geometry(), QRect(0, band, client.width(), client.height() - band));
    EXPECT_EQ(c.SSx[0]->geometry(), QRect(0, 0, client.width(), band));
  };
  expectLaidOut();  // the first show

  ResizeClient(*window, Px(*window, 9000), Px(*window, 7000));
  ASSERT_EQ(c.client->size(), QSize(Px(*window, 9000), Px(*window, 7000)));
  window->MakeMenuGridCopies();  // made after a resize, they take the layout of their time
  ASSERT_NE(c.SSm[kCategoryCount - 1], nullptr);
  expectLaidOut();
  EXPECT_EQ(c.SSm[0]->width(), Px(*window, 9000) - gridLeft);
  EXPECT_EQ(c.SS->height(), Px(*window, 7000) - band);

  ResizeClient(*window, 900, 700);
  expectLaidOut();
}

TEST_F(WindowLayoutTest, TinyClientAreaKeepsWidthsAndNeverGoesNegative) {
  auto window = Start();
  window->show();
  window->MakeMenuGridCopies();
  const WindowControls& c = window->Controls();
  ResizeClient(*window, 700, 500);
  const int menuWidth = c.SSm[3]->width();
  const int band = c.SSx[0]->height();

  ResizeClient(*window, 1, 1);
  ASSERT_EQ(c.client->size(), QSize(1, 1));
  for (const SpreadGrid* grid : c.SSm) {
    EXPECT_EQ(grid->width(), menuWidth);
    EXPECT_EQ(grid->height(), band);
  }
  EXPECT_EQ(c.SSx[0]->width(), 1);
  EXPECT_EQ(c.SSx[0]->height(), band);
  EXPECT_EQ(c.SS->geometry(), QRect(0, band, 1, 0));

  window->showMinimized();
  QApplication::processEvents();
  EXPECT_GE(c.SS->height(), 0);
  EXPECT_GE(c.SSm[0]->width(), 0);
}

// Every shown command lies whole inside the bar, none on top of another.
void ExpectEveryCommandShown(const RowMenuBar& bar) {
  std::vector<QRect> placed;
  for (QAction* action : bar.actions()) {
    const QRect rect = bar.ActionRect(action);
    const std::string name = action->objectName().toStdString();
    if (!action->isVisible()) {
      EXPECT_TRUE(rect.isEmpty()) << name;
      continue;
    }
    EXPECT_FALSE(rect.isEmpty()) << name;
    EXPECT_TRUE(bar.rect().contains(rect)) << name;
    for (const QRect& other : placed) EXPECT_FALSE(other.intersects(rect)) << name;
    placed.push_back(rect);
  }
}

TEST_F(WindowLayoutTest, EveryMenuCommandShowsAboveTheDesignedClientArea) {
  for (const bool updater : {false, true}) {
    if (updater) tree.Touch("C:\\VORDELN\\vekup.exe");
    auto window = Start();
    window->show();
    QApplication::processEvents();
    const WindowControls& c = window->Controls();
    EXPECT_EQ(c.saishin->isVisible(), updater);
    ExpectEveryCommandShown(*c.menuBar);
    EXPECT_EQ(c.client->size(),
              QSize(Px(*window, 7905), Px(*window, DesignedClientHeight(kCategoryCount))))
        << updater;
    EXPECT_EQ(c.client->y(), c.menuBar->geometry().bottom() + 1);

    // Narrower, the bar takes more rows and the grids still get the client area.
    const int rows = c.menuBar->RowCount();
    ResizeClient(*window, 260, 400);
    EXPECT_GT(c.menuBar->RowCount(), rows);
    ExpectEveryCommandShown(*c.menuBar);
    EXPECT_EQ(c.client->size(), QSize(260, 400));
    EXPECT_EQ(c.SS->geometry().bottom() + 1, 400);
  }
}

TEST_F(WindowLayoutTest, AccessKeysReachEveryRowOfTheBar) {
  tree.Touch("C:\\VORDELN\\vekup.exe");
  auto window = Start();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const WindowControls& c = window->Controls();

  const bool combined = c.SSx[0]->isVisible();
  QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);  // a command
  EXPECT_NE(c.SSx[0]->isVisible(), combined);

  QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);  // a menu, ready for the keys
  ASSERT_TRUE(c.DispSEt->isVisible());
  EXPECT_EQ(c.DispSEt->activeAction(), c.dispALL);
  QTest::keyClick(c.DispSEt, Qt::Key_Return);
  EXPECT_TRUE(c.dispALL->isChecked());
  EXPECT_FALSE(c.DispSEt->isVisible());

  QTest::keyClick(window.get(), Qt::Key_H, Qt::AltModifier);  // the last item
  EXPECT_EQ(desktop.opened.size(), 1u);
}

TEST_F(WindowLayoutTest, AssistiveTechnologyFindsEveryShownCommand) {
  auto window = Start();
  window->show();
  const WindowControls& c = window->Controls();
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(c.menuBar);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::MenuBar);
  ASSERT_EQ(bar->childCount(), 7);  // no update tool here: its command is hidden
  QStringList names;
  for (int i = 0; i < bar->childCount(); ++i) names << bar->child(i)->text(QAccessible::Name);
  EXPECT_EQ(names.join(u'|'),
            QString::fromUtf8("終了(X)|画面切替(S)|表示設定(D)|機能(U)|"
                              "遠隔操作[TeamViewer](R)|ホームページ(O)|ヘルプ(H)"));

  QAccessibleInterface* switchView = bar->child(1);
  EXPECT_EQ(bar->indexOfChild(switchView), 1);
  const QRect item = c.menuBar->ActionRect(c.dispSELECT);
  EXPECT_EQ(switchView->rect(), QRect(c.menuBar->mapToGlobal(item.topLeft()), item.size()));
  const bool combined = c.SSx[0]->isVisible();
  switchView->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_NE(c.SSx[0]->isVisible(), combined);
}

}  // namespace
}  // namespace orva
