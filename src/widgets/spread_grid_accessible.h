#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace orva {

class SpreadGrid;

// Exposes a grid to assistive technology as a table of its shown rows and columns: one
// header cell per shown column, named by SpreadGrid::ColumnName, then the cells row by
// row. Button cells have a press action that clicks them; the current cell holds the
// focus while the grid has it. For QAccessible::installFactory.
QAccessibleInterface* SpreadGridAccessibleFactory(const QString& className, QObject* object);

// The child index of cell (column, row) in the grid's interface; -1 when not shown.
int SpreadGridAccessibleChild(const SpreadGrid& grid, int column, int row);

}  // namespace orva
