#include <gtest/gtest.h>

#include <QAction>
#include <QFont>

#include "widgets/row_menu_bar.h"

namespace orva {
namespace {

// Item sizes are kept between layouts: they must still follow a new caption and a new font.
TEST(RowMenuBarSizesTest, ItemsFollowTheirCaptionAndTheFont) {
  RowMenuBar bar;
  bar.resize(4000, 100);
  QAction* first = bar.AddCommand(QString::fromUtf8("短"));
  QAction* second = bar.AddCommand(QString::fromUtf8("次"));
  const int shortWidth = bar.ActionRect(first).width();

  first->setText(QString::fromUtf8("ずっと長い項目の名前(&L)"));
  const int longWidth = bar.ActionRect(first).width();
  EXPECT_GT(longWidth, shortWidth);
  EXPECT_GT(bar.ActionRect(second).left(), bar.ActionRect(first).right());

  const QFont normal = bar.font();
  QFont larger = normal;
  larger.setPointSizeF(normal.pointSizeF() * 2);
  bar.setFont(larger);
  EXPECT_GT(bar.ActionRect(first).width(), longWidth);

  bar.setFont(normal);
  first->setText(QString::fromUtf8("短"));
  EXPECT_EQ(bar.ActionRect(first).width(), shortWidth);
}

}  // namespace
}  // namespace orva
