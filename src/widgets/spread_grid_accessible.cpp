#include "widgets/spread_grid_accessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "widgets/spread_grid.h"

namespace orva {
namespace {

std::vector<int> ShownColumns(const SpreadGrid& grid) {
  std::vector<int> shown;
  for (int column = 1; column <= grid.ColumnCount(); ++column) {
    if (grid.ColumnShown(column)) shown.push_back(column);
  }
  return shown;
}

std::vector<int> ShownRows(const SpreadGrid& grid) {
  std::vector<int> shown;
  for (int row = 1; row <= grid.RowCount(); ++row) {
    if (grid.RowShown(row)) shown.push_back(row);
  }
  return shown;
}

// Where `value` stands in an ascending list, -1 when it is not in it.
int PositionIn(const std::vector<int>& shown, int value) {
  const auto found = std::lower_bound(shown.begin(), shown.end(), value);
  return found != shown.end() && *found == value ? static_cast<int>(found - shown.begin()) : -1;
}

int ChildIndex(const std::vector<int>& columns, const std::vector<int>& rows, int column, int row) {
  const int across = PositionIn(columns, column);
  if (across < 0) return -1;
  if (row == 0) return across;  // the header cells come first
  const int down = PositionIn(rows, row);
  if (down < 0) return -1;
  const int width = static_cast<int>(columns.size());
  return width + down * width + across;
}

class GridAccessible;

// A cell of the grid, or with row 0 the header cell of a column; grid
// coordinates.
class CellAccessible : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface {
 public:
  CellAccessible(SpreadGrid& grid, int column, int row)
      : grid_(&grid), column_(column), row_(row) {}

  SpreadGrid* Grid() const { return grid_; }
  int Column() const { return column_; }
  int Row() const { return row_; }

  bool isValid() const override {
    return grid_ && column_ <= grid_->ColumnCount() && row_ <= grid_->RowCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(grid_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text kind) const override {
    if (!isValid()) return {};
    if (kind == QAccessible::Name) {
      if (row_ == 0) return grid_->ColumnName(column_);
      return Index().data(Qt::AccessibleTextRole).toString();
    }
    // What the tooltip shows: the whole text of a cell that shows less.
    if (kind == QAccessible::Description && row_ > 0 && grid_->CellTextCut(column_, row_)) {
      return Index().data(Qt::DisplayRole).toString();
    }
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid()) return {};
    if (row_ == 0) {
      const QHeaderView* header = grid_->horizontalHeader();
      if (header->isHidden()) return {};
      const int section = column_ - 1;
      const QRect cell(header->sectionViewportPosition(section), 0, header->sectionSize(section),
                       header->height());
      return {header->viewport()->mapToGlobal(cell.topLeft()), cell.size()};
    }
    const QRect cell = grid_->visualRect(Index());
    return {grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size()};
  }

  QAccessible::Role role() const override {
    return row_ == 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    const bool rowShown =
        row_ == 0 ? !grid_->horizontalHeader()->isHidden() : grid_->RowShown(row_);
    state.invisible = !grid_->isVisible() || !grid_->ColumnShown(column_) || !rowShown;
    if (row_ == 0) return state;
    state.focusable = true;
    state.selectable = true;
    state.focused = grid_->hasFocus() && grid_->currentIndex() == Index();
    state.selected = isSelected();
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface && row_ > 0) {
      return static_cast<QAccessibleTableCellInterface*>(this);
    }
    if (type == QAccessible::ActionInterface && IsButton()) {
      return static_cast<QAccessibleActionInterface*>(this);
    }
    return nullptr;
  }

  bool isSelected() const override {
    return isValid() && row_ > 0 && grid_->selectionModel()->isSelected(Index());
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override {
    return isValid() ? PositionIn(ShownColumns(*grid_), column_) : -1;
  }
  int rowIndex() const override { return isValid() ? PositionIn(ShownRows(*grid_), row_) : -1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

  QStringList actionNames() const override {
    return IsButton() ? QStringList{pressAction()} : QStringList();
  }
  void doAction(const QString& name) override {
    if (IsButton() && name == pressAction()) grid_->PressButton(column_, row_);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    return IsButton() && name == pressAction() ? QStringList{QStringLiteral("Space")}
                                               : QStringList();
  }

 private:
  QModelIndex Index() const { return grid_->model()->index(row_ - 1, column_ - 1); }
  bool IsButton() const {
    return isValid() && row_ > 0 && grid_->ColumnKind(column_) == SpreadGrid::CellKind::Button;
  }

  QPointer<SpreadGrid> grid_;
  int column_;
  int row_;
};

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(SpreadGrid& grid) : QAccessibleWidget(&grid, QAccessible::Table) {}
  ~GridAccessible() override {
    for (const QAccessible::Id id : std::as_const(cells_)) {
      QAccessible::deleteAccessibleInterface(id);
    }
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    const SpreadGrid& grid = Grid();
    if (kind == QAccessible::Description && grid.RowCount() == 0 && !grid.EmptyText().isEmpty()) {
      return grid.EmptyText();
    }
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    // While a shown cell is current, it holds the focus rather than the grid
    // around it.
    if (state.focused && CurrentCell()) state.focused = false;
    return state;
  }
  QAccessibleInterface* focusChild() const override {
    if (Grid().hasFocus()) {
      if (QAccessibleInterface* current = CurrentCell()) return current;
    }
    return QAccessibleWidget::focusChild();
  }

  int childCount() const override {
    const auto columns = static_cast<int>(ShownColumns(Grid()).size());
    return columns + columns * static_cast<int>(ShownRows(Grid()).size());
  }
  QAccessibleInterface* child(int index) const override {
    const std::vector<int> columns = ShownColumns(Grid());
    const auto width = static_cast<int>(columns.size());
    if (index < 0 || width == 0) return nullptr;
    if (index < width) return Cell(columns[index], 0);
    const std::vector<int> rows = ShownRows(Grid());
    const int down = (index - width) / width;
    if (down >= static_cast<int>(rows.size())) return nullptr;
    return Cell(columns[(index - width) % width], rows[down]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = dynamic_cast<const CellAccessible*>(child);
    if (!cell || cell->Grid() != &Grid()) return -1;
    return SpreadGridAccessibleChild(Grid(), cell->Column(), cell->Row());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const SpreadGrid& grid = Grid();
    const QHeaderView* header = grid.horizontalHeader();
    if (!header->isHidden()) {
      const QPoint inHeader = header->viewport()->mapFromGlobal(QPoint(x, y));
      if (header->viewport()->rect().contains(inHeader)) {
        const int column = header->logicalIndexAt(inHeader) + 1;
        return grid.ColumnShown(column) ? Cell(column, 0) : nullptr;
      }
    }
    const QModelIndex index = grid.indexAt(grid.viewport()->mapFromGlobal(QPoint(x, y)));
    if (!index.isValid() || !grid.ColumnShown(index.column() + 1)) return nullptr;
    return Cell(index.column() + 1, index.row() + 1);
  }

  // The table: shown rows and columns only, counted from 0.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    const std::vector<int> columns = ShownColumns(Grid());
    const std::vector<int> rows = ShownRows(Grid());
    if (row < 0 || column < 0 || row >= static_cast<int>(rows.size()) ||
        column >= static_cast<int>(columns.size())) {
      return nullptr;
    }
    return Cell(columns[column], rows[row]);
  }
  QString columnDescription(int column) const override {
    const std::vector<int> columns = ShownColumns(Grid());
    if (column < 0 || column >= static_cast<int>(columns.size())) return {};
    return Grid().ColumnName(columns[column]);
  }
  QString rowDescription(int row) const override {
    const std::vector<int> rows = ShownRows(Grid());
    if (row < 0 || row >= static_cast<int>(rows.size()) || Grid().verticalHeader()->isHidden()) {
      return {};
    }
    return QString::number(rows[row]);
  }
  int columnCount() const override { return static_cast<int>(ShownColumns(Grid()).size()); }
  int rowCount() const override { return static_cast<int>(ShownRows(Grid()).size()); }

  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    for (const QModelIndex& index : Grid().selectionModel()->selectedIndexes()) {
      const int column = index.column() + 1;
      const int row = index.row() + 1;
      if (Grid().ColumnShown(column) && Grid().RowShown(row)) cells.append(Cell(column, row));
    }
    return cells;
  }
  int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  QList<int> selectedColumns() const override {
    const std::vector<int> columns = ShownColumns(Grid());
    QList<int> selected;
    for (int at = 0; at < static_cast<int>(columns.size()); ++at) {
      if (isColumnSelected(at)) selected.append(at);
    }
    return selected;
  }
  QList<int> selectedRows() const override {
    const std::vector<int> rows = ShownRows(Grid());
    QList<int> selected;
    for (int at = 0; at < static_cast<int>(rows.size()); ++at) {
      if (isRowSelected(at)) selected.append(at);
    }
    return selected;
  }
  bool isColumnSelected(int column) const override {
    const std::vector<int> columns = ShownColumns(Grid());
    if (column < 0 || column >= static_cast<int>(columns.size())) return false;
    return Grid().selectionModel()->isColumnSelected(columns[column] - 1);
  }
  bool isRowSelected(int row) const override {
    const std::vector<int> rows = ShownRows(Grid());
    if (row < 0 || row >= static_cast<int>(rows.size())) return false;
    return Grid().selectionModel()->isRowSelected(rows[row] - 1);
  }
  // The grid selects single cells only.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // Cells are known by their place in the grid, so a changed model leaves them
  // valid.
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // One interface per place for the grid's life, owned by the registry.
  QAccessibleInterface* Cell(int column, int row) const {
    const quint64 key = (static_cast<quint64>(row) << 32) | static_cast<quint32>(column);
    if (const auto known = cells_.constFind(key); known != cells_.cend()) {
      if (QAccessibleInterface* cell = QAccessible::accessibleInterface(*known)) return cell;
    }
    auto* cell = new CellAccessible(Grid(), column, row);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
  }

 private:
  // Qt makes the interface whenever the grid changes, asked or not; what a screen reader
  // asks about is the view's, joined then.
  SpreadGrid& Grid() const {
    auto& grid = static_cast<SpreadGrid&>(*widget());
    grid.JoinView();
    return grid;
  }
  QAccessibleInterface* CurrentCell() const {
    const QModelIndex current = Grid().currentIndex();
    if (!current.isValid() || !Grid().ColumnShown(current.column() + 1) ||
        !Grid().RowShown(current.row() + 1)) {
      return nullptr;
    }
    return Cell(current.column() + 1, current.row() + 1);
  }

  mutable QHash<quint64, QAccessible::Id> cells_;
};

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const {
  if (!isValid()) return {};
  auto* table = dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid_));
  if (!table) return {};
  return {table->Cell(column_, 0)};
}

}  // namespace

QAccessibleInterface* SpreadGridAccessibleFactory(const QString&, QObject* object) {
  auto* grid = qobject_cast<SpreadGrid*>(object);
  return grid ? new GridAccessible(*grid) : nullptr;
}

int SpreadGridAccessibleChild(const SpreadGrid& grid, int column, int row) {
  return ChildIndex(ShownColumns(grid), ShownRows(grid), column, row);
}

}  // namespace orva
