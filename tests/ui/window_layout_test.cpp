#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

#include "app/window_fixture.h"
#include "platform/spread_grid.h"
#include "ui/twips.h"

namespace orva {
namespace {

class WindowLayoutTest : public test::WindowFixture {
 protected:
  // Resizes the window so its client area is `width` x `height` pixels where it can be.
  static void ResizeClient(LauncherWindow& window, int width, int height) {
    const QSize client = window.Controls().client->size();
    window.resize(window.width() + width - client.width(),
                  window.height() + height - client.height());
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
  const int band = Px(*window, 3000) + Px(*window, 615);
  ASSERT_EQ(c.Command1[5]->geometry().bottom() + 1, band);

  auto expectLaidOut = [&] {
    const QSize client = c.client->size();
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(c.SSm[i]->geometry(), QRect(gridLeft, 0, client.width() - gridLeft, band)) << i;
    }
    EXPECT_EQ(c.SS->geometry(), QRect(0, band, client.width(), client.height() - band));
    EXPECT_EQ(c.SSx[0]->geometry(), QRect(0, 0, client.width(), band));
  };
  expectLaidOut();  // the first show

  ResizeClient(*window, Px(*window, 9000), Px(*window, 7000));
  ASSERT_EQ(c.client->size(), QSize(Px(*window, 9000), Px(*window, 7000)));
  expectLaidOut();
  EXPECT_EQ(c.SSm[0]->width(), Px(*window, 9000) - gridLeft);
  EXPECT_EQ(c.SS->height(), Px(*window, 7000) - band);

  ResizeClient(*window, 900, 700);
  expectLaidOut();
}

TEST_F(WindowLayoutTest, TinyClientAreaKeepsWidthsAndNeverGoesNegative) {
  auto window = Start();
  window->show();
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

}  // namespace
}  // namespace orva
