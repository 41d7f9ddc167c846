#include "ui/category_views.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <vector>

#include "ui/window_design.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

// The filled background shows the colour exactly only on a flat button: a style paints its
// own gradient or bevel over a raised one. Flat keeps the style's focus frame.
void SetButtonColor(QPushButton& button, const QColor& color, bool flat) {
  QPalette palette = button.palette();
  palette.setColor(QPalette::Button, color);
  button.setPalette(palette);
  button.setFlat(flat);
}

}  // namespace

void SelectCategory(WindowControls& controls, CategoryViewState& views, int index) {
  views.curCategory = static_cast<std::int16_t>(index + 1);
  const QColor face = QApplication::palette().color(QPalette::Button);
  for (int i = 0; i < kCategoryCount; ++i) {
    const bool selected = i == views.curCategory - 1;
    controls.SSm[i]->setVisible(selected);
    SetButtonColor(*controls.Command1[i], selected ? kSelectedCategoryColor : face, selected);
  }
}

void SwitchView(WindowControls& controls) {
  ShowCombinedView(controls, controls.SSx[0]->isHidden());
}

void ShowCombinedView(WindowControls& controls, bool shown) {
  SpreadGrid& combined = *controls.SSx[0];
  std::vector<QWidget*> covered(controls.Command1.begin(), controls.Command1.end());
  for (SpreadGrid* grid : controls.SSm) {
    if (grid) covered.push_back(grid);
  }
  bool focusCovered = false;
  for (QWidget* widget : covered) {
    focusCovered = focusCovered || widget->hasFocus();
    widget->setFocusPolicy(shown ? Qt::NoFocus : Qt::StrongFocus);
  }
  combined.setVisible(shown);
  if (shown && focusCovered) combined.setFocus(Qt::OtherFocusReason);
}

void ToggleShowAll(WindowControls& controls, CategoryViewState& views) {
  views.showAll = !views.showAll;
  controls.dispALL->setChecked(views.showAll);
}

}  // namespace orva
