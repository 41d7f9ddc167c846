#include "widgets/spread_grid.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace orva {
namespace {

using Cell = std::pair<int, int>;  // column, row

// Records both grid events as (column, row) pairs.
struct Events {
  explicit Events(SpreadGrid& grid) {
    QObject::connect(&grid, &SpreadGrid::ButtonClicked,
                     [this](int c, int r) { buttons.emplace_back(c, r); });
    QObject::connect(&grid, &SpreadGrid::CellClicked,
                     [this](int c, int r) { cells.emplace_back(c, r); });
  }
  std::vector<Cell> buttons;
  std::vector<Cell> cells;
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}
void Press(QWidget* target, QPoint at) {
  SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
}
void Move(QWidget* target, QPoint at) { SendMouse(target, QEvent::MouseMove, at, Qt::LeftButton); }
void Release(QWidget* target, QPoint at) {
  SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void Click(QWidget* target, QPoint at) {
  Press(target, at);
  Release(target, at);
}

void Key(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

QPoint CellCentre(const SpreadGrid& grid, int column, int row) {
  return grid.visualRect(grid.model()->index(row - 1, column - 1)).center();
}

// A shown menu-like grid: picture, two buttons, a text column; four rows of 35 units.
struct MenuGrid {
  MenuGrid() {
    grid.SetColumnCount(4);
    grid.SetColumnKind(1, SpreadGrid::CellKind::Picture);
    grid.SetColumnKind(2, SpreadGrid::CellKind::Button);
    grid.SetColumnKind(3, SpreadGrid::CellKind::Button);
    grid.SetDesignButtonText(3, "工事一覧");
    grid.SetDesignBackColor(3, QColor(185, 255, 185));
    grid.SetDefaultRowHeight(35);
    grid.SetColumnWidth(0, 0);
    for (int c = 1; c <= 4; ++c) grid.SetColumnWidth(c, 8);
    grid.SetRowCount(4);
    for (int r = 1; r <= 4; ++r) grid.SetButtonText(2, r, QString("item %1").arg(r));
    grid.resize(400, 300);
    grid.show();
    QApplication::processEvents();
  }
  SpreadGrid grid;
};

// The tooltip text after a hover over the cell. A tooltip fades out rather than vanishing,
// so a placeholder stands where the cell shows none.
QString ToolTipOf(SpreadGrid& grid, int column, int row) {
  const QPoint at = CellCentre(grid, column, row);
  QToolTip::showText(grid.viewport()->mapToGlobal(at), "none", grid.viewport());
  QHelpEvent event(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
  QApplication::sendEvent(grid.viewport(), &event);
  return QToolTip::text();
}

TEST(SpreadGridTest, OnlyCutTextsShowTheirWholeTextAsTooltip) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  const QString path =
      QString::fromUtf8("C:\\VORDELN\\土木積算\\データ\\とても長いフォルダー名<1>");
  const QString title = QString::fromUtf8("とても長い工事名の付いたプログラムの名前").repeated(3);
  grid.SetText(4, 1, path);
  grid.SetText(4, 2, "ab");
  grid.SetButtonText(2, 3, title);
  EXPECT_TRUE(ToolTipOf(grid, 4, 1).contains(path.toHtmlEscaped()));
  EXPECT_TRUE(ToolTipOf(grid, 2, 3).contains(title));
  EXPECT_EQ(ToolTipOf(grid, 4, 2), "none");
  EXPECT_EQ(ToolTipOf(grid, 2, 1), "none");  // "item 1" fits its button
  grid.SetColumnWidth(4, 200);               // now the path fits
  EXPECT_EQ(ToolTipOf(grid, 4, 1), "none");
  QToolTip::hideText();
}

TEST(SpreadGridTest, NumbersReadBackAsPlainSignedText) {
  SpreadGrid grid;
  grid.SetColumnCount(2);
  grid.SetColumnKind(1, SpreadGrid::CellKind::Number);
  grid.SetRowCount(1);
  const std::vector<std::pair<double, QString>> cases = {
      {-3, "-3"},       {12, "12"},
      {0, "0"},         {999999999999.0, "999999999999"},
      {-0.25, "-0.25"}, {1234567.5, "1234567.5"}};
  for (const auto& [value, text] : cases) {
    grid.SetValue(1, 1, value);
    EXPECT_EQ(grid.Text(1, 1), text);
  }
  // Grouping is for display in number columns only.
  grid.SetValue(1, 1, 1234567);
  grid.SetValue(2, 1, 1234567);
  const QAbstractItemModel* model = grid.model();
  EXPECT_EQ(model->index(0, 0).data().toString(), "1,234,567");
  EXPECT_EQ(model->index(0, 1).data().toString(), "1234567");
  EXPECT_EQ(grid.Text(1, 1), "1234567");

  grid.SetText(1, 1, "abc");
  EXPECT_EQ(grid.Text(1, 1), "abc");
  grid.ClearCell(1, 1);
  EXPECT_EQ(grid.Text(1, 1), "");
  EXPECT_EQ(grid.Text(3, 1), "");  // out of range reads empty
}

TEST(SpreadGridTest, RowCountGrowsShrinksAndEmpties) {
  SpreadGrid grid;
  grid.SetColumnCount(2);
  grid.SetDefaultRowHeight(35);
  grid.SetRowCount(3);
  grid.SetText(1, 1, "one");
  grid.SetText(1, 3, "three");
  grid.SetRowHeight(1, 50);
  grid.SetRowCount(1);
  grid.SetRowCount(2);
  EXPECT_EQ(grid.Text(1, 1), "one");
  EXPECT_EQ(grid.Text(1, 2), "");
  EXPECT_EQ(grid.RowHeight(2), 35);

  // A new default applies to later rows only.
  grid.SetDefaultRowHeight(20);
  grid.SetRowCount(3);
  EXPECT_EQ(grid.RowHeight(1), 50);
  EXPECT_EQ(grid.RowHeight(2), 35);
  EXPECT_EQ(grid.RowHeight(3), 20);
  EXPECT_EQ(grid.rowHeight(0), grid.logicalDpiY() * 50 / 96);

  grid.SetRowCount(0);
  EXPECT_EQ(grid.RowCount(), 0);
  grid.SetRowCount(1);
  EXPECT_EQ(grid.Text(1, 1), "");
}

TEST(SpreadGridTest, HiddenRowIsNeitherClickableNorReachable) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  Events events(grid);
  const QPoint lastRow = CellCentre(grid, 2, 4);
  grid.SetRowHeight(2, 0);
  grid.SetRowHeight(4, 0);
  EXPECT_EQ(grid.RowHeight(4), 0);
  EXPECT_TRUE(grid.isRowHidden(3));
  QApplication::processEvents();

  Click(grid.viewport(), lastRow);
  EXPECT_TRUE(events.cells.empty());
  EXPECT_TRUE(events.buttons.empty());

  grid.SetCurrentCell(1, 1);
  Key(&grid, Qt::Key_Down);
  EXPECT_EQ(grid.currentIndex().row() + 1, 3);
  Key(&grid, Qt::Key_Down);
  EXPECT_EQ(grid.currentIndex().row() + 1, 3);

  grid.SetRowHeight(4, 35);
  EXPECT_FALSE(grid.isRowHidden(3));
  EXPECT_EQ(grid.RowHeight(4), 35);
}

TEST(SpreadGridTest, CurrentCellIsTheFirstShownRowAndNothingIsSelected) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  grid.SetRowHeight(1, 0);
  grid.SetRowHeight(2, 0);
  grid.SetCurrentCell(1, 1);
  EXPECT_EQ(grid.currentIndex(), grid.model()->index(2, 0));
  EXPECT_FALSE(grid.selectionModel()->hasSelection());

  grid.SetRowHeight(3, 0);
  grid.SetRowHeight(4, 0);
  grid.SetCurrentCell(1, 1);  // nothing shown: no current cell left on a hidden row
  EXPECT_FALSE(grid.currentIndex().isValid());

  grid.SetRowHeight(2, 35);
  grid.SetCurrentCell(1, 4);  // the nearest shown row above when none follows
  EXPECT_EQ(grid.currentIndex(), grid.model()->index(1, 0));
  grid.SetRowCount(0);
  grid.SetCurrentCell(1, 1);
  EXPECT_FALSE(grid.currentIndex().isValid());
}

TEST(SpreadGridTest, ButtonCellsFireOnReleaseOverTheCellThatWasPressed) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  Events events(grid);
  const QPoint pressedAt = CellCentre(grid, 2, 3);
  const QPoint elsewhere = CellCentre(grid, 2, 2);
  QWidget* viewport = grid.viewport();

  Press(viewport, pressedAt);
  EXPECT_TRUE(events.buttons.empty());
  EXPECT_TRUE(grid.ButtonDrawnPressed(2, 3));
  Move(viewport, elsewhere);  // slid off: drawn raised, and releasing here fires nothing
  EXPECT_FALSE(grid.ButtonDrawnPressed(2, 3));
  Move(viewport, pressedAt);
  EXPECT_TRUE(grid.ButtonDrawnPressed(2, 3));
  Move(viewport, elsewhere);
  Release(viewport, elsewhere);
  EXPECT_TRUE(events.buttons.empty());
  EXPECT_FALSE(grid.ButtonDrawnPressed(2, 2));

  // What the click opens (a modal dialog, say) sees the button raised again.
  bool pressedDuringClick = true;
  QObject::connect(&grid, &SpreadGrid::ButtonClicked,
                   [&] { pressedDuringClick = grid.ButtonDrawnPressed(2, 3); });
  Click(viewport, pressedAt);
  EXPECT_EQ(events.buttons, (std::vector<Cell>{{2, 3}}));
  EXPECT_FALSE(pressedDuringClick);
  EXPECT_FALSE(grid.ButtonDrawnPressed(2, 3));

  // A button held while the grid loses the focus is let go without firing.
  Press(viewport, pressedAt);
  QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(&grid, &focusOut);
  EXPECT_FALSE(grid.ButtonDrawnPressed(2, 3));
  Release(viewport, pressedAt);
  EXPECT_EQ(events.buttons.size(), 1u);
}

TEST(SpreadGridTest, ClicksNeverScrollTheGridKeyboardMovesMay) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  for (int c = 1; c <= 4; ++c) grid.SetColumnWidth(c, 30);
  grid.resize(300, 300);  // the last columns lie partly or wholly beyond the right edge
  QApplication::processEvents();
  ASSERT_GT(grid.horizontalScrollBar()->maximum(), 0);
  const int rightEdge = grid.viewport()->width() - 3;
  const QModelIndex cut = grid.indexAt(QPoint(rightEdge, CellCentre(grid, 2, 1).y()));
  ASSERT_TRUE(cut.isValid());
  ASSERT_GT(grid.visualRect(cut).right(), grid.viewport()->width());

  Click(grid.viewport(), QPoint(rightEdge, CellCentre(grid, 2, 1).y()));
  grid.scrollTo(grid.currentIndex());  // what the view's own delayed scroll does
  QApplication::processEvents();
  EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
  EXPECT_EQ(grid.currentIndex(), cut);

  Key(&grid, Qt::Key_End);
  EXPECT_GT(grid.horizontalScrollBar()->value(), 0);
}

TEST(SpreadGridTest, ButtonCellsRaiseButtonClickedByMouseAndKeys) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  Events events(grid);

  Click(grid.viewport(), CellCentre(grid, 2, 3));
  EXPECT_EQ(events.buttons, (std::vector<Cell>{{2, 3}}));
  EXPECT_EQ(events.cells, (std::vector<Cell>{{2, 3}}));

  Click(grid.viewport(), CellCentre(grid, 1, 2));  // picture cell: no button event
  EXPECT_EQ(events.buttons.size(), 1u);
  EXPECT_EQ(events.cells.back(), Cell(1, 2));

  grid.SetCurrentCell(3, 1);
  Key(&grid, Qt::Key_Space);
  Key(&grid, Qt::Key_Return);
  Key(&grid, Qt::Key_Enter);
  EXPECT_EQ(events.buttons, (std::vector<Cell>{{2, 3}, {3, 1}, {3, 1}, {3, 1}}));

  grid.SetCurrentCell(4, 1);  // text cell
  Key(&grid, Qt::Key_Space);
  EXPECT_EQ(events.buttons.size(), 4u);
}

// Whether a cell's text fits its cell beside the item view's text margins.
bool ShownWhole(const SpreadGrid& grid, int column, int row) {
  const QModelIndex index = grid.model()->index(row - 1, column - 1);
  const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
  const int room = grid.visualRect(index).width() - 2 * margin;
  return QFontMetricsF(grid.font()).horizontalAdvance(index.data().toString()) <= room;
}

// Design, fill, row heights and the current cell given before the view joins its model
// show as they would have shown on a grid joined from the start.
TEST(SpreadGridTest, GridJoinedWhenShownShowsWhatItWasGivenBefore) {
  const auto build = [](SpreadGrid& grid) {
    grid.SetColumnCount(4);
    grid.SetColumnKind(1, SpreadGrid::CellKind::Number);
    grid.SetColumnKind(2, SpreadGrid::CellKind::Button);
    grid.SetColumnWidth(0, 0);
    grid.SetColumnWidth(1, 3);
    grid.SetColumnWidth(2, 12);
    grid.SetColumnWidth(3, 0);
    grid.SetColumnWidth(4, 7);
    grid.SetDefaultRowHeight(35);
    grid.SetRowCount(5);
    {
      const GridUpdateScope update(grid);
      for (int row = 1; row <= 5; ++row) grid.SetValue(1, row, 1000000.0 * row);
    }
    grid.SetRowHeight(1, 0);
    grid.SetRowHeight(4, 20);
    grid.SetCurrentCell(2, 1);
    grid.resize(500, 300);
  };
  SpreadGrid atOnce;
  build(atOnce);
  SpreadGrid whenShown(nullptr, SpreadGrid::ViewJoins::kWhenShown);
  build(whenShown);
  EXPECT_EQ(whenShown.RowCount(), 5);  // cells need no view
  atOnce.show();
  whenShown.show();
  QApplication::processEvents();

  for (int section = 0; section < 4; ++section) {
    EXPECT_EQ(whenShown.columnWidth(section), atOnce.columnWidth(section)) << section;
    EXPECT_EQ(whenShown.isColumnHidden(section), atOnce.isColumnHidden(section)) << section;
  }
  for (int section = 0; section < 5; ++section) {
    EXPECT_EQ(whenShown.rowHeight(section), atOnce.rowHeight(section)) << section;
    EXPECT_EQ(whenShown.isRowHidden(section), atOnce.isRowHidden(section)) << section;
  }
  EXPECT_EQ(whenShown.currentIndex().row(), 1);
  EXPECT_EQ(whenShown.currentIndex().column(), 1);
  EXPECT_FALSE(whenShown.selectionModel()->hasSelection());
  EXPECT_TRUE(whenShown.verticalHeader()->isHidden());
}

TEST(SpreadGridTest, NumberColumnsWidenToTheirWidestValueAndHeader) {
  SpreadGrid grid;
  grid.SetColumnCount(3);
  grid.SetColumnKind(1, SpreadGrid::CellKind::Number);
  grid.SetColumnKind(2, SpreadGrid::CellKind::Number);
  grid.SetColumnWidth(1, 9.3);
  grid.SetColumnWidth(2, 0);  // hidden
  grid.SetColumnWidth(3, 4);
  grid.SetHeaderText(1, QString::fromUtf8("直接工事費（税抜）"));
  grid.SetRowCount(4);
  grid.resize(600, 200);
  grid.show();
  EXPECT_GE(grid.columnWidth(0), grid.horizontalHeader()->sectionSizeHint(0));
  const int headerWidth = grid.columnWidth(0);

  grid.SetValue(1, 1, 5);
  EXPECT_EQ(grid.columnWidth(0), headerWidth);  // no narrower than designed or its header
  grid.SetValue(1, 2, 120500000000.0);
  EXPECT_TRUE(ShownWhole(grid, 1, 2));
  {
    const GridUpdateScope update(grid);  // a fill: fitted once, at its end
    grid.SetValue(1, 3, -999999999999.0);
    grid.SetValue(1, 4, 1234567.5);
    grid.SetValue(1, 4, 999999999998.75);  // finer than any before: the widest text
  }
  for (int row = 1; row <= 4; ++row) EXPECT_TRUE(ShownWhole(grid, 1, row)) << row;

  grid.SetValue(2, 1, 999999999999.0);
  EXPECT_TRUE(grid.isColumnHidden(1));
  grid.SetText(3, 1, "a text much wider than its column");
  EXPECT_FALSE(ShownWhole(grid, 3, 1));  // texts may be elided
}

TEST(SpreadGridTest, HeaderClickReportsRowZeroAndDoesNotSort) {
  SpreadGrid grid;
  grid.SetColumnCount(2);
  grid.SetHeaderText(1, "工事NO");
  grid.SetRowCount(3);
  grid.SetValue(1, 1, 2);
  grid.SetValue(1, 2, 3);
  grid.SetValue(1, 3, 1);
  grid.resize(300, 200);
  grid.show();
  QApplication::processEvents();
  Events events(grid);

  QHeaderView* header = grid.horizontalHeader();
  Click(header->viewport(), QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
  EXPECT_EQ(events.cells, (std::vector<Cell>{{1, 0}}));
  EXPECT_EQ(grid.Text(1, 1), "2");
  EXPECT_EQ(grid.Text(1, 2), "3");
  EXPECT_EQ(grid.Text(1, 3), "1");
  EXPECT_EQ(grid.Text(1, 0), "工事NO");
}

TEST(SpreadGridTest, SortIsStableOnTwoKeysAndComparesByKind) {
  SpreadGrid grid;
  grid.SetColumnCount(8);
  struct Row {
    double edition;
    double category;
    const char* title;
  };
  // Editions 10 and 9 would swap if compared as text.
  const std::vector<Row> rows = {
      {9, 1, "a"}, {10, 2, "b"}, {10, 1, "c"}, {9, 1, "d"}, {10, 1, "e"}};
  grid.SetRowCount(static_cast<int>(rows.size()));
  for (int r = 1; r <= grid.RowCount(); ++r) {
    grid.SetValue(8, r, rows[r - 1].edition);
    grid.SetValue(7, r, rows[r - 1].category);
    grid.SetButtonText(2, r, rows[r - 1].title);
  }
  grid.SetRowHeight(4, 0);  // heights travel with their rows
  grid.SortRows(1, grid.RowCount(), {{8, false}, {7, true}});
  QStringList order;
  for (int r = 1; r <= grid.RowCount(); ++r) order << grid.Text(2, r);
  EXPECT_EQ(order.join(""), "cebad");
  EXPECT_EQ(grid.RowHeight(5), 0);
  EXPECT_TRUE(grid.isRowHidden(4));
  EXPECT_FALSE(grid.isRowHidden(3));

  // Mixed column: numbers first, then texts in code-point order, empty first.
  grid.SetText(1, 1, "b");
  grid.SetValue(1, 2, 10);
  grid.ClearCell(1, 3);
  grid.SetValue(1, 4, 9);
  grid.SetText(1, 5, "a");
  grid.SortRows(1, 5, {{1, true}});
  order.clear();
  for (int r = 1; r <= 5; ++r) order << grid.Text(1, r);
  EXPECT_EQ(order, (QStringList{"9", "10", "", "a", "b"}));

  grid.SortRows(2, 4, {{1, false}});  // only the block moves
  order.clear();
  for (int r = 1; r <= 5; ++r) order << grid.Text(1, r);
  EXPECT_EQ(order, (QStringList{"9", "a", "", "10", "b"}));
}

TEST(SpreadGridTest, WritesInAnUpdateSignalOnceWhenTheOutermostEnds) {
  SpreadGrid grid;
  grid.SetColumnCount(5);
  grid.SetRowCount(6);
  std::vector<std::pair<QModelIndex, QModelIndex>> changes;
  QObject::connect(
      grid.model(), &QAbstractItemModel::dataChanged,
      [&](const QModelIndex& from, const QModelIndex& to) { changes.emplace_back(from, to); });
  {
    const GridUpdateScope outer(grid);
    {
      const GridUpdateScope inner(grid);
      grid.SetText(2, 3, "x");
    }
    grid.SetValue(4, 1, 5);
    grid.SetBackColor(3, 5, Qt::red);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(grid.Text(2, 3), "x");  // stored at once, only the signal waits
  }
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].first, grid.model()->index(0, 1));
  EXPECT_EQ(changes[0].second, grid.model()->index(4, 3));

  changes.clear();
  {
    const GridUpdateScope update(grid);
    grid.SetText(5, 6, "gone");
    grid.SetRowCount(2);  // takes the written row with it
  }
  EXPECT_TRUE(changes.empty());
  grid.SetText(1, 1, "y");
  EXPECT_EQ(changes.size(), 1u);  // outside an update, each write signals
}

TEST(SpreadGridTest, NumberReadsOnlyNumberCells) {
  SpreadGrid grid;
  grid.SetColumnCount(2);
  grid.SetRowCount(1);
  grid.SetValue(1, 1, -3.5);
  grid.SetText(2, 1, "7");
  EXPECT_EQ(grid.Number(1, 1), -3.5);
  EXPECT_EQ(grid.Number(2, 1), std::nullopt);
  EXPECT_EQ(grid.Number(1, 2), std::nullopt);
}

// One-key sorts of a single kind take a shorter path; ties must keep their order both ways,
// and rows keep their heights whether all rows share one or not.
TEST(SpreadGridTest, OneKeySortsKeepTiesAndHeights) {
  SpreadGrid grid;
  grid.SetColumnCount(3);
  const std::vector<std::pair<double, const char*>> rows = {
      {2, "b"}, {1, "a"}, {2, "a"}, {1, "b"}, {3, "a"}};
  grid.SetRowCount(static_cast<int>(rows.size()));
  for (int r = 1; r <= grid.RowCount(); ++r) {
    grid.SetValue(1, r, rows[r - 1].first);
    grid.SetText(2, r, rows[r - 1].second);
    grid.SetText(3, r, QString::number(r));  // original position
  }
  const auto order = [&grid] {
    QString text;
    for (int r = 1; r <= grid.RowCount(); ++r) text += grid.Text(3, r);
    return text;
  };
  grid.SortRows(1, 5, {{1, false}});
  EXPECT_EQ(order(), "51324");
  grid.SortRows(1, 5, {{2, true}});
  EXPECT_EQ(order(), "53214");
  grid.SortRows(1, 5, {{2, false}});
  EXPECT_EQ(order(), "14532");

  grid.SetRowHeight(1, 0);  // row "1"
  grid.SortRows(1, 5, {{3, true}});
  EXPECT_EQ(order(), "12345");
  EXPECT_EQ(grid.RowHeight(1), 0);
  EXPECT_TRUE(grid.isRowHidden(0));
  EXPECT_FALSE(grid.isRowHidden(1));

  // Sorted rows keep their cells through a shrink, a regrow and a change of columns.
  grid.SortRows(1, 5, {{2, false}});
  grid.SetRowCount(3);
  EXPECT_EQ(order(), "142");
  grid.SetRowCount(4);
  grid.SetText(3, 4, "9");
  grid.SetColumnCount(4);
  EXPECT_EQ(order(), "1429");
  EXPECT_EQ(grid.Text(2, 3), "a");
}

TEST(SpreadGridTest, EqualPicturesAreKeptOnce) {
  SpreadGrid grid;
  grid.SetColumnCount(1);
  grid.SetColumnKind(1, SpreadGrid::CellKind::Picture);
  grid.SetRowCount(50);
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(qRgb(10, 20, 30));
  for (int r = 1; r <= 50; ++r) {
    // A fresh pixmap per row, as loading the icon file per row gives.
    grid.SetPicture(1, r, QPixmap::fromImage(image), r % 2 ? "a.ico" : "b.ico");
  }
  EXPECT_EQ(grid.DistinctPictureCount(), 2);
  EXPECT_TRUE(grid.HasPicture(1, 50));
  EXPECT_EQ(grid.model()->index(1, 0).data(Qt::AccessibleTextRole).toString(), "b.ico");

  image.fill(qRgb(0, 0, 0));  // same name, other content: a picture of its own
  grid.SetPicture(1, 1, QPixmap::fromImage(image), "a.ico");
  EXPECT_EQ(grid.DistinctPictureCount(), 3);

  grid.SetRowCount(0);
  EXPECT_EQ(grid.DistinctPictureCount(), 0);
}

TEST(SpreadGridTest, ColoursAndCaptionsFallBackToTheDesign) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  EXPECT_EQ(grid.BackColor(3, 2), QColor(185, 255, 185));
  EXPECT_EQ(grid.BackColor(4, 2), QColor(Qt::white));
  EXPECT_EQ(grid.ForeColor(3, 2), QColor(Qt::black));
  grid.SetBackColor(3, 2, QColor(192, 192, 192));
  grid.SetForeColor(3, 2, QColor(255, 0, 0));
  EXPECT_EQ(grid.BackColor(3, 2), QColor(192, 192, 192));
  EXPECT_EQ(grid.ForeColor(3, 2), QColor(255, 0, 0));
  EXPECT_EQ(grid.BackColor(3, 1), QColor(185, 255, 185));

  const QAbstractItemModel* model = grid.model();
  EXPECT_EQ(model->index(0, 2).data().toString(), "工事一覧");
  EXPECT_EQ(model->index(0, 1).data().toString(), "item 1");
  EXPECT_EQ(model->index(0, 1).data(Qt::AccessibleTextRole).toString(), "item 1");
  grid.SetButtonText(3, 1, "own");
  EXPECT_EQ(model->index(0, 2).data().toString(), "own");
  EXPECT_EQ(grid.Text(3, 2), "");  // the design caption is not cell text

  grid.grab();  // paints buttons and pictures without a crash
}

// Windows' native style draws a push button's face from the system's theme, whatever its
// palette says; a coloured button cell must keep its colour under every style there is.
TEST(SpreadGridTest, ButtonFacesKeepTheirColourUnderEveryStyle) {
  for (const QString& key : QStyleFactory::keys()) {
    const std::unique_ptr<QStyle> style(QStyleFactory::create(key));
    ASSERT_NE(style, nullptr) << key.toStdString();
    MenuGrid menu;
    SpreadGrid& grid = menu.grid;
    grid.setStyle(style.get());
    grid.SetBackColor(3, 1, QColor(220, 0, 0));
    const QRect cell = grid.visualRect(grid.model()->index(0, 2));
    const QImage image = grid.viewport()->grab().toImage();
    const double ratio = image.devicePixelRatio();
    // Inside the bevel's edge, clear of the centred caption.
    const QColor face(image.pixel(static_cast<int>((cell.left() + 5) * ratio),
                                  static_cast<int>(cell.center().y() * ratio)));
    EXPECT_GT(face.red(), 150) << key.toStdString();
    EXPECT_LT(face.green(), 100) << key.toStdString();
    EXPECT_LT(face.blue(), 100) << key.toStdString();
    grid.setStyle(nullptr);
  }
}

// Qt's own checker watches every signal the model sends while the grid is filled, resized,
// sorted and emptied: a wrong row count or a change announced outside the model aborts.
// A works file may hold any double: each has its place, the same with a second key of
// either kind as without, and equal values (-0 and 0 among them) keep their order both ways.
TEST(SpreadGridTest, NumberSortsPlaceEveryDoubleAndKeepTies) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> values = {2, nan, -0.0, 1e300, -inf, 0.0, -nan, 2, -1.5, inf, 1e-300};
  SpreadGrid grid;
  grid.SetColumnCount(4);
  grid.SetRowCount(static_cast<int>(values.size()));
  for (int r = 1; r <= grid.RowCount(); ++r) {
    grid.SetValue(1, r, values[r - 1]);
    grid.SetText(2, r, "same");
    grid.SetText(3, r, QString(QChar(u'a' + r - 1)));  // original position
    grid.SetValue(4, r, 7);
  }
  const auto sorted = [&grid](std::vector<SpreadGrid::SortKey> keys) {
    grid.SortRows(1, grid.RowCount(), {{3, true}});
    grid.SortRows(1, grid.RowCount(), keys);
    QString text;
    for (int r = 1; r <= grid.RowCount(); ++r) text += grid.Text(3, r);
    return text;
  };
  EXPECT_EQ(sorted({{1, true}}), "geicfkahdjb");
  EXPECT_EQ(sorted({{1, false}}), "bjdahkcfieg");
  for (const int second : {2, 4}) {
    EXPECT_EQ(sorted({{1, true}, {second, true}}), "geicfkahdjb") << second;
    EXPECT_EQ(sorted({{1, false}, {second, false}}), "bjdahkcfieg") << second;
  }
}

TEST(SpreadGridTest, ModelKeepsQtsItemModelContractThroughFillsAndSorts) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  QAbstractItemModelTester tester(grid.model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  grid.SetRowCount(40);
  for (int row = 1; row <= 40; ++row) {
    grid.SetText(2, row, QString("item %1").arg(41 - row));
    grid.SetValue(1, row, row % 7);
  }
  grid.SetRowHeight(5, 0);
  grid.SortRows(1, 40, {{1, true}, {2, false}});
  grid.SetRowCount(3);
  grid.SetRowCount(60);
  grid.SetColumnCount(3);
  grid.SetRowCount(0);
  EXPECT_EQ(grid.model()->rowCount(), 0);
}

}  // namespace
}  // namespace orva

namespace orva {
namespace {

// A window of a button, a grid and a button: picture, button, sliver, hidden number column,
// text; rows 1..4 with row 2 hidden. The window is active, the grid has the focus.
struct FocusedGrid {
  FocusedGrid() {
    auto* layout = new QVBoxLayout(&window);
    before = new QPushButton("before");
    grid = new SpreadGrid;
    after = new QPushButton("after");
    layout->addWidget(before);
    layout->addWidget(grid);
    layout->addWidget(after);
    grid->SetColumnCount(5);
    grid->SetColumnKind(1, SpreadGrid::CellKind::Picture);
    grid->SetColumnKind(2, SpreadGrid::CellKind::Button);
    grid->SetColumnKind(4, SpreadGrid::CellKind::Number);
    grid->SetColumnWidth(0, 0);
    grid->SetHeaderRowHeight(0);
    for (int c : {1, 2, 5}) grid->SetColumnWidth(c, 10);
    grid->SetColumnWidth(3, 0.1);  // a sliver: drawn, but nothing readable in it
    grid->SetColumnWidth(4, 0);
    grid->SetDefaultRowHeight(30);
    grid->SetRowCount(4);
    for (int r = 1; r <= 4; ++r) {
      grid->SetButtonText(2, r, QString("item %1").arg(r));
      grid->SetText(3, r, "data");
      grid->SetValue(4, r, r);
      grid->SetText(5, r, QString("text %1").arg(r));
    }
    grid->SetRowHeight(2, 0);
    window.resize(500, 300);
    window.show();
    window.activateWindow();
    active = QTest::qWaitForWindowActive(&window);
    grid->setFocus(Qt::TabFocusReason);
    grid->SetCurrentCell(1, 1);
  }
  QModelIndex Current() const { return grid->currentIndex(); }
  std::pair<int, int> CurrentCell() const { return {Current().column() + 1, Current().row() + 1}; }

  QWidget window;
  QPushButton* before = nullptr;
  SpreadGrid* grid = nullptr;
  QPushButton* after = nullptr;
  bool active = false;
};

TEST(SpreadGridKeyboardTest, TabLeavesTheGridArrowsStopOnlyOnShownCells) {
  FocusedGrid f;
  ASSERT_TRUE(f.active);
  ASSERT_TRUE(f.grid->hasFocus());
  SpreadGrid& grid = *f.grid;

  QTest::keyClick(&grid, Qt::Key_Right);
  EXPECT_EQ(f.CurrentCell(), std::make_pair(2, 1));
  QTest::keyClick(&grid, Qt::Key_Right);  // past the sliver and the hidden column
  EXPECT_EQ(f.CurrentCell(), std::make_pair(5, 1));
  QTest::keyClick(&grid, Qt::Key_Right);  // nothing shown further right
  EXPECT_EQ(f.CurrentCell(), std::make_pair(5, 1));
  QTest::keyClick(&grid, Qt::Key_Left);
  EXPECT_EQ(f.CurrentCell(), std::make_pair(2, 1));
  QTest::keyClick(&grid, Qt::Key_Down);  // over the hidden row
  EXPECT_EQ(f.CurrentCell(), std::make_pair(2, 3));
  QTest::keyClick(&grid, Qt::Key_Up);
  EXPECT_EQ(f.CurrentCell(), std::make_pair(2, 1));
  QTest::keyClick(&grid, Qt::Key_End);
  EXPECT_EQ(f.CurrentCell().first, 5);
  QTest::keyClick(&grid, Qt::Key_Home);
  EXPECT_EQ(f.CurrentCell().first, 1);

  QTest::keyClick(&grid, Qt::Key_Tab);
  EXPECT_TRUE(f.after->hasFocus());
  QTest::keyClick(f.after, Qt::Key_Backtab);
  EXPECT_TRUE(grid.hasFocus());
  EXPECT_EQ(f.CurrentCell().first, 1);  // the cell is kept while the focus is elsewhere
  QTest::keyClick(&grid, Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(f.before->hasFocus());
}

TEST(SpreadGridKeyboardTest, TheCurrentCellHasAWholeFrameOfEveryKind) {
  FocusedGrid f;
  ASSERT_TRUE(f.active);
  SpreadGrid& grid = *f.grid;
  for (int column : {1, 2, 5}) {
    grid.SetCurrentCell(column, 3);
    const QRect cell = grid.visualRect(grid.currentIndex());
    const QImage image = grid.viewport()->grab().toImage();
    const double ratio = image.devicePixelRatio();
    auto at = [&](int x, int y) {
      return QColor(image.pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio)));
    };
    const QColor dark = grid.palette().color(QPalette::Text);
    const QPoint middle = cell.center();
    // Two dark lines on all four sides, whatever the cell draws.
    for (int inset : {0, 1}) {
      EXPECT_EQ(at(middle.x(), cell.top() + inset), dark) << column;
      EXPECT_EQ(at(middle.x(), cell.bottom() - inset), dark) << column;
      EXPECT_EQ(at(cell.left() + inset, middle.y()), dark) << column;
      EXPECT_EQ(at(cell.right() - inset, middle.y()), dark) << column;
    }
    // Without the focus there is no frame.
    f.after->setFocus();
    const QImage unfocused = grid.viewport()->grab().toImage();
    EXPECT_NE(QColor(unfocused.pixel(static_cast<int>(middle.x() * ratio),
                                     static_cast<int>((cell.top() + 1) * ratio))),
              dark)
        << column;
    grid.setFocus();
  }
}

// Every key typed counts as typed in a row with the other keys, or alone.
struct TypingInterval {
  explicit TypingInterval(int milliseconds) : kept(QApplication::keyboardInputInterval()) {
    QApplication::setKeyboardInputInterval(milliseconds);
  }
  ~TypingInterval() { QApplication::setKeyboardInputInterval(kept); }
  int kept;
};
constexpr int kInARow = 3600 * 1000;
constexpr int kAlone = 0;

TEST(SpreadGridKeyboardTest, TypingFindsShownRowsByTheirTitleAndPressesNothing) {
  FocusedGrid f;
  ASSERT_TRUE(f.active);
  SpreadGrid& grid = *f.grid;
  Events events(grid);
  const QStringList titles = {"Apple",  "banana",    "Berry",     "bx",
                              "ｂｏｘ", "Big apple", "平成25年度"};
  grid.SetRowCount(40);
  for (int r = 1; r <= 40; ++r) {
    grid.SetButtonText(2, r, r <= titles.size() ? titles[r - 1] : QString("filler %1").arg(r));
    grid.SetText(5, r, QString("text %1").arg(r));
  }
  grid.SetButtonText(2, 40, "zebra");
  grid.SetRowHeight(2, 30);
  grid.SetRowHeight(4, 0);  // "bx" is not there
  grid.SetSearchColumn(2);
  grid.SetCurrentCell(1, 1);
  const auto row = [&] { return f.CurrentCell().second; };
  {
    const TypingInterval inARow(kInARow);
    QTest::keyClicks(&grid, "b");
    EXPECT_EQ(row(), 2);
    EXPECT_EQ(f.CurrentCell().first, 1);  // the cell keeps its column
    QTest::keyClicks(&grid, "bbb");       // one key again steps on, full width alike
    EXPECT_EQ(row(), 6);
    QTest::keyClicks(&grid, "b");
    EXPECT_EQ(row(), 2);  // round the end, past the hidden row
  }
  {
    const TypingInterval alone(kAlone);
    QTest::keyClicks(&grid, "z");
    EXPECT_EQ(row(), 40);
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex())));
    QTest::keyClicks(&grid, "q");  // nothing starts so: the cell stays
    EXPECT_EQ(row(), 40);
  }
  {
    const TypingInterval inARow(kInARow);
    QTest::keyClick(&grid, Qt::Key_Escape);  // a key that types nothing ends the typing
    QTest::keyClicks(&grid, "BE");
    EXPECT_EQ(row(), 3);
    QTest::keyClick(&grid, Qt::Key_Escape);
    QTest::keyClicks(&grid, "b");
    QTest::keyClick(&grid, Qt::Key_Shift);  // on its way to a capital
    QTest::keyClicks(&grid, "IG");
    EXPECT_EQ(row(), 6);
  }
  {
    const TypingInterval inARow(kInARow);
    grid.SetCurrentCell(2, 1);
    QTest::keyClick(&grid, Qt::Key_Escape);
    QTest::keyClicks(&grid, "big a");  // the blank belongs to the text: it presses nothing
    EXPECT_EQ(row(), 6);
  }
  QTest::keyClick(&grid, Qt::Key_Escape);
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("平成"));
  QApplication::sendEvent(&grid, &composed);
  EXPECT_EQ(row(), 7);
  EXPECT_TRUE(events.buttons.empty());

  // Without a search column the current cell's own column is searched.
  const TypingInterval inARow(kInARow);
  grid.SetSearchColumn(0);
  grid.SetCurrentCell(5, 1);
  QTest::keyClick(&grid, Qt::Key_Escape);
  QTest::keyClicks(&grid, "text 12");
  EXPECT_EQ(f.CurrentCell(), std::make_pair(5, 12));
}

QAccessibleInterface* Accessible(SpreadGrid& grid) {
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
  return table && table->tableInterface() ? table : nullptr;
}

TEST(SpreadGridAccessibleTest, ShowsShownCellsUnderTheirHeadersAndPressesButtons) {
  FocusedGrid f;
  ASSERT_TRUE(f.active);
  SpreadGrid& grid = *f.grid;
  Events events(grid);
  grid.SetHeaderText(5, "path");
  grid.SetAccessibleHeaderText(2, "program");
  grid.SetAccessibleHeaderText(5, "unused: the header has a text");
  QImage icon(16, 16, QImage::Format_RGB32);
  icon.fill(Qt::red);
  grid.SetPicture(1, 1, QPixmap::fromImage(icon), "a.png");
  grid.SetPicture(1, 3, QPixmap::fromImage(icon), "a.png");
  grid.SetText(1, 3, "平成26年度");

  QAccessibleInterface* table = Accessible(grid);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->role(), QAccessible::Table);
  QAccessibleTableInterface* cells = table->tableInterface();
  // Columns 1, 2 and 5; rows 1, 3 and 4.
  ASSERT_EQ(cells->columnCount(), 3);
  ASSERT_EQ(cells->rowCount(), 3);
  EXPECT_EQ(table->childCount(), 3 + 3 * 3);
  EXPECT_EQ(cells->columnDescription(1), "program");
  EXPECT_EQ(cells->columnDescription(2), "path");
  EXPECT_EQ(cells->cellAt(2, 2)->text(QAccessible::Name), "text 4");
  EXPECT_EQ(cells->cellAt(0, 0)->text(QAccessible::Name), "a.png");
  EXPECT_EQ(cells->cellAt(1, 0)->text(QAccessible::Name), QString::fromUtf8("平成26年度"));
  for (int i = 0; i < table->childCount(); ++i) {
    QAccessibleInterface* child = table->child(i);
    ASSERT_NE(child, nullptr) << i;
    EXPECT_EQ(table->indexOfChild(child), i);
    EXPECT_NE(child->text(QAccessible::Name), "data") << i;  // the sliver is not there
    EXPECT_EQ(child->parent(), table);
  }
  QAccessibleInterface* header = table->child(1);
  EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(header->text(QAccessible::Name), "program");
  QAccessibleInterface* button = cells->cellAt(1, 1);  // item 3
  ASSERT_EQ(button->tableCellInterface()->columnHeaderCells().size(), 1);
  EXPECT_EQ(button->tableCellInterface()->columnHeaderCells().first(), header);
  EXPECT_EQ(button->tableCellInterface()->rowIndex(), 1);

  // The press action clicks, as the mouse does; other cells have no action.
  ASSERT_NE(button->actionInterface(), nullptr);
  EXPECT_EQ(button->actionInterface()->actionNames(),
            QStringList{QAccessibleActionInterface::pressAction()});
  button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(events.buttons, (std::vector<Cell>{{2, 3}}));
  EXPECT_EQ(cells->cellAt(1, 2)->actionInterface(), nullptr);

  // A row hidden later leaves the table, and its cells press nothing.
  grid.SetRowHeight(3, 0);
  EXPECT_EQ(cells->rowCount(), 2);
  EXPECT_TRUE(button->state().invisible);
  button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(events.buttons.size(), 1u);
}

TEST(SpreadGridAccessibleTest, OnlyTheCurrentCellReportsTheFocus) {
  FocusedGrid f;
  ASSERT_TRUE(f.active);
  SpreadGrid& grid = *f.grid;
  grid.SetCurrentCell(2, 3);
  QAccessibleInterface* table = Accessible(grid);
  ASSERT_NE(table, nullptr);
  QAccessibleInterface* current = table->tableInterface()->cellAt(1, 1);
  int focused = 0;
  for (int i = 0; i < table->childCount(); ++i) focused += table->child(i)->state().focused;
  EXPECT_EQ(focused, 1);
  EXPECT_TRUE(current->state().focused);
  EXPECT_FALSE(table->state().focused);
  EXPECT_TRUE(table->state().focusable);
  EXPECT_EQ(table->focusChild(), current);

  f.after->setFocus();
  EXPECT_FALSE(current->state().focused);
  EXPECT_FALSE(table->state().focused);
}

}  // namespace
}  // namespace orva

namespace orva {
namespace {

TEST(SpreadGridAccessibleTest, CutCellsDescribeTheirWholeTextAndAnEmptyGridSaysSo) {
  MenuGrid menu;
  SpreadGrid& grid = menu.grid;
  const QString title = QString::fromUtf8("とても長い工事名の付いたプログラムの名前").repeated(3);
  grid.SetButtonText(2, 2, title);
  grid.SetText(4, 1, QString::fromUtf8("C:\\VORDELN\\土木積算\\データ\\とても長いフォルダー名"));
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
  ASSERT_NE(table, nullptr);
  QAccessibleTableInterface* cells = table->tableInterface();
  EXPECT_EQ(cells->cellAt(1, 1)->text(QAccessible::Description), title);
  EXPECT_EQ(cells->cellAt(0, 3)->text(QAccessible::Description), grid.Text(4, 1));
  EXPECT_EQ(cells->cellAt(0, 1)->text(QAccessible::Description), "");  // "item 1" fits
  EXPECT_EQ(ToolTipOf(grid, 2, 2).contains(title), true);
  QToolTip::hideText();

  EXPECT_EQ(table->text(QAccessible::Description), "");
  grid.SetEmptyText(QString::fromUtf8("工事データがありません"));
  EXPECT_EQ(table->text(QAccessible::Description), "");  // the grid has rows
  grid.SetRowCount(0);
  EXPECT_EQ(table->text(QAccessible::Description), QString::fromUtf8("工事データがありません"));
  // The text is drawn inside the grid: dark pixels in its middle.
  const QImage image = grid.viewport()->grab().toImage();
  const QColor text = grid.palette().color(QPalette::Text);
  int dark = 0;
  for (int x = 0; x < image.width(); ++x) {
    dark += QColor(image.pixel(x, image.height() / 2)).lightness() < 128;
  }
  EXPECT_GT(dark, 0) << text.name().toStdString();
}

}  // namespace
}  // namespace orva
