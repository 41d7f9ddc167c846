#pragma once

namespace orva {

class RowMenuBar;

// Exposes the bar and each of its items to assistive technology as a menu bar of menu
// items, as the platform's own menu bar is: names, places, states and a press action.
void RegisterAccessibleMenuBar(RowMenuBar& bar);

}  // namespace orva
