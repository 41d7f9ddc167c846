#include "ui/grid_designs.h"

#include <QColor>

#include "ui/grid_colors.h"
#include "ui/menu_grid_columns.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

using Kind = SpreadGrid::CellKind;

// The design has 500 rows, but every caller sets the row count before a grid shows or is
// filled, so they would be made only to be dropped. One row stands for them: it carries the
// designed row height that start-up reads.
constexpr int kDesignRows = 1;
constexpr double kIconRowHeight = 35;  // room for a 32 x 32 icon
const char* const kWorksListCaption = "工事一覧";

struct ColumnDesign {
  Kind kind;
  double width;
};

void ApplyColumns(SpreadGrid& grid, std::initializer_list<ColumnDesign> columns) {
  grid.SetColumnCount(static_cast<int>(columns.size()));
  int column = 1;
  for (const ColumnDesign& design : columns) {
    grid.SetColumnKind(column, design.kind);
    grid.SetColumnWidth(column, design.width);
    ++column;
  }
}

// Neither header of the menu and combined grids shows. Hidden before the columns are made,
// a header does not measure its sections' titles for a height it will never take.
void HideHeaders(SpreadGrid& grid) {
  grid.SetHeaderRowHeight(0);
  grid.SetColumnWidth(0, 0);
}

// The combined grid's designed title face; its filled rows take the combined-title colour.
const QColor kCombinedDesignTitleFace(164, 209, 255);

// What a screen reader calls the columns of the menu and combined grids, whose headers are
// empty or never shown. Only the combined grid has the last two.
const char* const kIconGridColumnNames[] = {"アイコン",     "プログラム", "工事一覧",
                                            "実行ファイル", "番号",       "データファイル",
                                            "分類",         "年度版"};

// Menu and combined grids share everything but the first columns' widths and colour.
void DesignIconGrid(SpreadGrid& grid, double iconWidth, double titleWidth, QColor titleFace) {
  for (int column = 1; column <= grid.ColumnCount(); ++column) {
    grid.SetAccessibleHeaderText(column, QString::fromUtf8(kIconGridColumnNames[column - 1]));
  }
  const GridColors colors = DefaultGridColors();
  grid.SetDefaultRowHeight(kIconRowHeight);
  grid.SetDesignBackColor(kTitleColumn, titleFace);
  grid.SetDesignButtonText(kWorksColumn, QString::fromUtf8(kWorksListCaption));
  grid.SetDesignBackColor(kWorksColumn, ToQColor(colors[kWorksListColorSlot]));
  grid.SetDesignBackColor(kExeColumn, ToQColor(colors[kExecutableColorSlot]));
  grid.SetColumnWidth(kIconColumn, iconWidth);
  grid.SetColumnWidth(kTitleColumn, titleWidth);
  grid.SetSearchColumn(kTitleColumn);  // typing finds a program by its title
  grid.SetRowCount(kDesignRows);
}

}  // namespace

void DesignMenuGrid(SpreadGrid& grid) {
  HideHeaders(grid);
  ApplyColumns(grid, {{Kind::Picture, 5.7},
                      {Kind::Button, 34.1},
                      {Kind::Button, 7.0},
                      {Kind::Button, 28.12},
                      {Kind::Number, 0},
                      {Kind::Text, 0.1}});
  grid.SetHeaderText(1, QString::fromUtf8("ｱｲｺﾝ"));
  DesignIconGrid(grid, 5.7, 34.1, ToQColor(DefaultGridColors()[kMenuTitleColorSlot]));
}

void DesignCombinedGrid(SpreadGrid& grid) {
  HideHeaders(grid);
  ApplyColumns(grid, {{Kind::Picture, 6.79},
                      {Kind::Button, 44},
                      {Kind::Button, 7},
                      {Kind::Button, 28.12},
                      {Kind::Number, 0},
                      {Kind::Text, 0.1},
                      {Kind::Text, 0.1},
                      {Kind::Number, 0}});
  DesignIconGrid(grid, 6.79, 44, kCombinedDesignTitleFace);
}

void DesignWorksGrid(SpreadGrid& grid) {
  constexpr double kDefaultWidth = 8.0;
  ApplyColumns(grid, {{Kind::Number, kDefaultWidth},
                      {Kind::Text, 9.58},
                      {Kind::Text, 37.28},
                      {Kind::Number, 9.3},
                      {Kind::Number, 9.3},
                      {Kind::Text, 21.75},
                      {Kind::Text, 18.37}});
  const char* const headers[] = {"工事NO",   "提出日", "工事名", "直接工事費",
                                 "工事費計", "発注者", "路線名"};
  for (int column = 1; column <= 7; ++column) {
    grid.SetHeaderText(column, QString::fromUtf8(headers[column - 1]));
  }
  grid.SetEmptyText(QString::fromUtf8("工事データがありません"));
  grid.SetRowCount(kDesignRows);
}

}  // namespace orva
