#pragma once

#include <QColor>
#include <cstdint>

namespace orva {

struct WindowControls;

inline const QColor kSelectedCategoryColor(240, 180, 220);

// A category button click: its menu grid becomes the only visible one and its button the
// only highlighted one. Nothing else changes.
void SelectCategory(WindowControls& controls, int index, std::int16_t& curCategory);

// Flips between the category view and the combined view.
void SwitchView(WindowControls& controls);

// Flips the show-all tick; the caller re-applies the row heights.
void ToggleShowAll(WindowControls& controls, std::int16_t& showAll);

}  // namespace orva
