#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTest>

#include "support/window_fixture.h"
#include "support/works_file_builder.h"
#include "support/works_listing.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

// A real left click, press and release, at a point of a widget.
void Click(QWidget& widget, QPoint at) {
  const QPointF local(at);
  const QPointF global(widget.mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(&widget, &release);
}

class WorksGridSortTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    window = Start();
    window->show();
    ss = window->Controls().SS;
    const auto row = [](std::int32_t number, std::string_view date, std::string_view name,
                        double cost) {
      return test::WorksRecordBuilder()
          .Number(number)
          .Date(date)
          .NameFirst(name)
          .NameSecond("")
          .DirectCost(cost)
          .TotalCost(cost)
          .Bytes();
    };
    test::ListWorks(
        *ss, row(2, "20090401", "B", 300) + row(10, "19880105", "C", 20) + row(1, "", "A", 1000));
    ss->show();
    QApplication::processEvents();
  }

  void ClickHeader(int column) {
    QHeaderView& header = *ss->horizontalHeader();
    const int x = header.sectionViewportPosition(column - 1) + header.sectionSize(column - 1) / 2;
    Click(*header.viewport(), QPoint(x, header.height() / 2));
  }

  void ClickCell(int column, int row) {
    Click(*ss->viewport(), ss->visualRect(ss->model()->index(row - 1, column - 1)).center());
  }

  std::vector<QString> Column(int column) const {
    std::vector<QString> texts;
    for (int row = 1; row <= ss->RowCount(); ++row) texts.push_back(ss->Text(column, row));
    return texts;
  }

  std::unique_ptr<LauncherWindow> window;
  SpreadGrid* ss = nullptr;
};

TEST_F(WorksGridSortTest, HeaderClicksSortDescendingFirstThenAlternate) {
  ClickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<QString>{"10", "2", "1"}));  // by value, not text
  ClickHeader(4);
  EXPECT_EQ(Column(4), (std::vector<QString>{"1000", "300", "20"}));
  ClickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<QString>{"1", "2", "10"}));
  ClickHeader(2);
  EXPECT_EQ(Column(2), (std::vector<QString>{"S 63/01/05", "H 21/04/01", ""}));
  EXPECT_EQ(Column(3), (std::vector<QString>{"C", "B", "A"}));  // whole rows move
}

TEST_F(WorksGridSortTest, DataCellsAndUnknownColumnsDoNothing) {
  const std::vector<QString> before = Column(1);
  ClickCell(1, 2);
  ClickCell(3, 1);
  EXPECT_EQ(Column(1), before);
  emit ss->CellClicked(12, 0);
  emit ss->CellClicked(-1, 0);
  EXPECT_EQ(Column(1), before);
  ClickHeader(1);  // still the first click on that column
  EXPECT_EQ(Column(1), (std::vector<QString>{"10", "2", "1"}));
}

TEST_F(WorksGridSortTest, CtrlSSortsAsAHeaderClickAndTheHeaderShowsTheSort) {
  const QHeaderView& header = *ss->horizontalHeader();
  EXPECT_EQ(ss->SortMarkColumn(), 0);
  ss->setFocus();
  ss->SetCurrentCell(1, 2);
  QTest::keyClick(ss, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Column(1), (std::vector<QString>{"10", "2", "1"}));
  EXPECT_EQ(ss->SortMarkColumn(), 1);
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
  ClickHeader(1);  // one alternation for both
  EXPECT_EQ(Column(1), (std::vector<QString>{"1", "2", "10"}));
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
  QTest::keyClick(ss, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Column(1), (std::vector<QString>{"10", "2", "1"}));
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
  ClickHeader(3);
  EXPECT_EQ(ss->SortMarkColumn(), 3);
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
  EXPECT_EQ(Column(3), (std::vector<QString>{"C", "B", "A"}));

  // Another list comes in file order: no column is marked.
  test::ListWorks(*ss, "");
  EXPECT_EQ(ss->SortMarkColumn(), 0);
}

}  // namespace
}  // namespace orva
