#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTableView>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace orva {

class SpreadGridDelegate;
class SpreadGridModel;

// The grid font's families, the first one installed taken: the Japanese system's
// proportional Gothic, then free stand-ins for it. Other text in that font takes them too.
QStringList GridFontFamilies();

// The window's grid: rows and columns count from 1, row 0 is the header row and
// column 0 the row-header column. Cells are painted; there is no widget per cell.
class SpreadGrid : public QTableView {
  Q_OBJECT

 public:
  enum class CellKind { Text, Number, Button, Picture };

  struct SortKey {
    int column = 1;
    bool ascending = true;
  };

  // When the grid's model joins its view. A view with a model costs a good deal to make
  // (connections, header sections, a selection model); a grid that may never be shown can
  // keep its cells and design without one until it is shown or asked about its view.
  enum class ViewJoins { kAtOnce, kWhenShown };

  explicit SpreadGrid(QWidget* parent = nullptr, ViewJoins joins = ViewJoins::kAtOnce);
  ~SpreadGrid() override;

  // Joins model and view now if they are not yet: what asks about shown rows, columns or
  // the current cell needs them joined.
  void JoinView() const;
  void setVisible(bool visible) override;

  // Design. Widths in the grid's character-width unit, heights in its row-height unit
  // (one pixel at 96 DPI, scaled with the logical DPI).
  void SetColumnCount(int columns);
  int ColumnCount() const;
  void SetColumnKind(int column, CellKind kind);
  CellKind ColumnKind(int column) const;
  // Column 0 is the row-header column. A shown number column is never narrower than its
  // header text and the widest number written into it since the grid was last emptied.
  void SetColumnWidth(int column, double characters);
  void SetHeaderText(int column, const QString& text);
  // What assistive technology calls a column whose header text is empty; ColumnName is
  // the header text, else this one.
  void SetAccessibleHeaderText(int column, const QString& text);
  QString ColumnName(int column) const;
  void SetHeaderRowHeight(double units);                         // 0 hides the header row
  void SetDefaultRowHeight(double units);                        // height of rows added later
  void SetDesignButtonText(int column, const QString& caption);  // caption of every row
  void SetDesignBackColor(int column, QColor color);             // face of every row

  // Rows. Setting 0 empties the grid; growing appends empty rows.
  void SetRowCount(int rows);
  int RowCount() const;
  double RowHeight(int row) const;
  void SetRowHeight(int row, double units);  // 0 hides the row: no paint, click or keyboard

  // Cells.
  QString Text(int column, int row) const;  // a number reads back as its decimal text
  std::optional<double> Number(int column, int row) const;  // nullopt unless a number cell
  void SetText(int column, int row, const QString& text);
  void SetValue(int column, int row, double value);
  void ClearCell(int column, int row);  // empty text, no number
  void SetButtonText(int column, int row, const QString& caption);
  void SetBackColor(int column, int row, QColor color);  // button face on button cells
  void SetForeColor(int column, int row, QColor color);  // caption / text colour
  QColor BackColor(int column, int row) const;           // else the design colour, else white
  QColor ForeColor(int column, int row) const;           // black unless set
  // The picture is drawn stretched to the cell; pictures of one name and look are kept
  // once. A picture cell's text is not drawn: it names the cell for assistive technology,
  // which otherwise hears the picture's name.
  void SetPicture(int column, int row, const QPixmap& picture, const QString& name);
  bool HasPicture(int column, int row) const;
  int DistinctPictureCount() const;  // pixmaps actually kept for all picture cells

  // Cell writes between these notify the view once, at EndUpdate: for large fills.
  // Calls nest; every BeginUpdate needs its EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // Sorts rows first..last (whole rows move) on up to two keys; stable. Number cells
  // compare by value, others by text.
  void SortRows(int firstRow, int lastRow, const std::vector<SortKey>& keys);

  // Shows the cell, unless a click made it current: the grid never moves under the pointer.
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  // Whether the user can see and reach a column or row: a column narrower than one
  // character holds nothing readable, so neither the keyboard nor assistive technology
  // stops there; a hidden row is not there for either.
  bool ColumnShown(int column) const;
  bool RowShown(int row) const;

  // Clicks a shown button cell as the mouse, Space and Enter do: emits ButtonClicked.
  void PressButton(int column, int row);

  // Whether a button cell is drawn pressed now (held under the mouse pointer).
  bool ButtonDrawnPressed(int column, int row) const;

  // Type-to-find: what is typed in a row, each key within the desktop's key interval of the
  // last, makes the next shown row whose text in this column starts with it the current
  // row, case and character width aside; the same key typed again steps through the rows it
  // starts. 0 searches the current cell's column. It never presses a button.
  void SetSearchColumn(int column) { searchColumn_ = column; }
  void keyboardSearch(const QString& search) override;

  // The sort shown in the header: an arrow on that column, which way it sorted. Emptying
  // the grid takes the mark away; 0 does too.
  void SetSortMark(int column, bool ascending);
  int SortMarkColumn() const;

  // What the grid says inside itself while it has no rows, and to assistive technology.
  void SetEmptyText(const QString& text);
  QString EmptyText() const { return emptyText_; }

  // Whether a cell shows less than its whole text (elided, or a caption cut short).
  bool CellTextCut(int column, int row) const;

  // Makes (column, row) the current cell (the keyboard's cell), selecting nothing. A hidden
  // row gives way to the next shown row below it, else the nearest shown above; with no
  // row shown there is no current cell.
  void SetCurrentCell(int column, int row);

 signals:
  void ButtonClicked(int column, int row);
  void CellClicked(int column, int row);  // row 0 for a header click; Ctrl+S clicks the
                                          // current column's header

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Arrows, Home and End step over columns that are not shown.
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  // Assistive technology hears of the current cell by its place among shown cells.
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool ValidCell(int column, int row) const;
  bool Joined() const;  // the view shows this grid's model
  void ApplyColumnWidth(int column);
  // A current cell waiting for the view: rows or columns about to change join first, so
  // that it lands where it would have landed on a joined grid.
  void SettleCurrent() const {
    if (pendingCurrent_) JoinView();
  }
  int RowPixels(double units) const;
  int ColumnPixels(double characters) const;
  int TextMargin() const;                            // a text cell's margin on either side
  void ApplyRowGeometry(int firstRow, int lastRow);  // 1-based, from the stored heights
  void ReleaseButton();
  void FitColumn(int column);       // number columns: room for the header and widest value
  int ShownRowFrom(int row) const;  // 0 when no row is shown
  bool Typing() const;              // type-to-find's last key came a moment ago
  void NotifyAccessibleCell(const QModelIndex& index, int event);  // a QAccessible::Event

  // The columns' designed widths in pixels, 0 for hidden ones.
  std::vector<int> designWidths_;
  // Number columns whose widest value grew inside an update, fitted at its end.
  std::vector<bool> unfitted_;
  std::vector<QString> accessibleHeaders_;
  // The button cell under the held left mouse button: it fires if released over it.
  QPersistentModelIndex held_;
  // The cell a click made current: showing it never scrolls the grid under the pointer.
  QPersistentModelIndex clickedCurrent_;

  std::optional<std::pair<int, int>> pendingCurrent_;  // (column, row) set before joining
  std::unique_ptr<SpreadGridModel> model_;
  SpreadGridDelegate* delegate_ = nullptr;
  double defaultRowHeight_ = 20;
  int searchColumn_ = 0;
  QString typed_;          // what type-to-find looks for
  QElapsedTimer typedAt_;  // when its last key came
  QString emptyText_;
};

// Holds a grid's view notifications for the life of the scope.
class GridUpdateScope {
 public:
  explicit GridUpdateScope(SpreadGrid& grid) : grid_(grid) { grid_.BeginUpdate(); }
  ~GridUpdateScope() { grid_.EndUpdate(); }
  GridUpdateScope(const GridUpdateScope&) = delete;
  GridUpdateScope& operator=(const GridUpdateScope&) = delete;

 private:
  SpreadGrid& grid_;
};

}  // namespace orva
