#pragma once

#include <QColor>
#include <cstdint>

namespace orva {

struct WindowControls;

inline const QColor kSelectedCategoryColor(240, 180, 220);

// The views' part of the window's state.
struct CategoryViewState {
  std::int16_t curCategory = 1;  // the category whose menu grid shows, from 1
  bool showAll = false;          // rows of missing programs shown too
};

// A category button click: its menu grid becomes the only visible one and its button the
// only highlighted one. Nothing else changes.
void SelectCategory(WindowControls& controls, CategoryViewState& views, int index);

// Flips between the category view and the combined view.
void SwitchView(WindowControls& controls);

// Shows the combined view, or the category view. The combined grid then covers the category
// buttons and menu grids: they take no focus while it shows, and the focus they held moves
// to it.
void ShowCombinedView(WindowControls& controls, bool shown);

// Flips the show-all tick; the caller re-applies the row heights.
void ToggleShowAll(WindowControls& controls, CategoryViewState& views);

}  // namespace orva
