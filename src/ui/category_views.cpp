#include "ui/category_views.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "widgets/spread_grid.h"
#include "ui/window_design.h"

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
  SpreadGrid& combined = *controls.SSx[0];
  combined.setVisible(combined.isHidden());
}

void ToggleShowAll(WindowControls& controls, CategoryViewState& views) {
  views.showAll = !views.showAll;
  controls.dispALL->setChecked(views.showAll);
}

}  // namespace orva
