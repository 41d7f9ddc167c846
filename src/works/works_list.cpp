#include "works/works_list.h"

#include <QString>

#include "platform/spread_grid.h"

namespace orva {
namespace {

enum WorksColumn : int {
  kNumber = 1,
  kDate = 2,
  kName = 3,
  kDirectCost = 4,
  kTotalCost = 5,
  kClient = 6,
  kRoute = 7,
};

void SetCost(SpreadGrid& ss, int column, int row, const std::optional<double>& cost) {
  if (cost) {
    ss.SetValue(column, row, *cost);
  } else {
    ss.ClearCell(column, row);
  }
}

bool IsSortSlot(int column) { return column >= 0 && column < 10; }

}  // namespace

void FillWorksGrid(SpreadGrid& ss, const std::vector<WorksRow>& rows) {
  // One resize, then plain cell writes: a list of tens of thousands of works stays quick.
  ss.SetRowCount(static_cast<int>(rows.size()));
  const GridUpdateScope update(ss);
  int r = 0;
  for (const WorksRow& row : rows) {
    ++r;
    ss.SetValue(kNumber, r, row.number);
    ss.SetText(kDate, r, QString::fromStdString(row.date));
    ss.SetText(kName, r, QString::fromStdString(row.name));
    SetCost(ss, kDirectCost, r, row.directCost);
    SetCost(ss, kTotalCost, r, row.totalCost);
    ss.SetText(kClient, r, QString::fromStdString(row.client));
    ss.SetText(kRoute, r, QString::fromStdString(row.route));
  }
}

void WorksSorter::SortWorksByColumn(SpreadGrid& ss, int column) {
  if (!IsSortSlot(column)) return;
  std::int16_t& direction = worksSortDir_[static_cast<std::size_t>(column)];
  direction = direction == 1 ? 0 : 1;
  const int rows = ss.RowCount();
  // A column beyond the grid holds only empty cells: a stable sort would move nothing.
  if (column < 1 || column > ss.ColumnCount() || rows < 1) return;
  ss.SortRows(1, rows, {SpreadGrid::SortKey{column, direction == 0}});
}

void WorksSorter::OnHeaderClick(SpreadGrid& ss, int column, int row) {
  if (row != 0) return;
  SortWorksByColumn(ss, column);
}

std::int16_t WorksSorter::Direction(int column) const {
  return IsSortSlot(column) ? worksSortDir_[static_cast<std::size_t>(column)] : 0;
}

}  // namespace orva
