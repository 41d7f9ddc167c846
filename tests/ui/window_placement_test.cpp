#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <memory>

#include "support/temp_dir.h"
#include "ui/screen_fit.h"

namespace orva {
namespace {

class WindowPlacementTest : public ::testing::Test {
 protected:
  // A window as the launcher makes it, placed from the settings; the works grid below.
  std::unique_ptr<QWidget> NewWindow() {
    auto window = std::make_unique<QWidget>();
    window->resize(kDesigned);
    works = new QWidget(window.get());
    works->hide();
    new WindowPlacementKeeper(*window, *works, settings);
    return window;
  }

  static QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

  const QSize kDesigned{527, 292};
  TempDir dir;
  QSettings settings{QString::fromStdString((dir.Path() / "orva-menu.conf").string()),
                     QSettings::IniFormat};
  QWidget* works = nullptr;
};

// The first run opens at the designed size; later ones as the last one closed, without the
// works list's part, and never off the screen.
TEST_F(WindowPlacementTest, KeptBetweenRunsWithoutTheWorksListAndAlwaysOnScreen) {
  EXPECT_EQ(NewWindow()->size(), kDesigned);

  auto first = NewWindow();
  first->setGeometry(40, 30, 700, 400);
  first->show();
  works->setGeometry(0, 250, 700, 150);
  works->show();
  first->close();
  auto second = NewWindow();
  EXPECT_EQ(second->size(), QSize(700, 250));
  EXPECT_EQ(second->pos(), first->pos());

  // A monitor that is gone, a screen grown smaller.
  settings.setValue("window/frame", QRect(Available().right() + 500, 200, 700, 400));
  settings.setValue("window/size", QSize(700, 400));
  auto moved = NewWindow();
  EXPECT_TRUE(Available().contains(QRect(moved->pos(), moved->size())));
  settings.setValue("window/frame", QRect(10, 10, 9000, 7000));
  settings.setValue("window/size", QSize(9000, 7000));
  auto shrunk = NewWindow();
  EXPECT_TRUE(Available().contains(QRect(shrunk->pos(), shrunk->size())));

  settings.setValue("window/size", QSize(-1, 3));  // garbled by hand: the designed size
  EXPECT_EQ(NewWindow()->size(), kDesigned);
}

TEST(ScreenFitTest, AWindowTallerThanTheScreenIsCutToItAndMovedUp) {
  const QRect available(0, 0, 960, 540);  // 1920 x 1080 at twice the scale
  EXPECT_EQ(FitWithin({0, 20, 527, 560}, available), QRect(0, 0, 527, 540));
  EXPECT_EQ(FitWithin({600, 300, 527, 300}, available), QRect(433, 240, 527, 300));
  EXPECT_EQ(FitWithin({10, 20, 300, 200}, available), QRect(10, 20, 300, 200));
}

}  // namespace
}  // namespace orva
