#pragma once

namespace orva {

class SpreadGrid;

// The three designed grid kinds: columns, cell kinds, widths, header texts and colours.
void DesignMenuGrid(SpreadGrid& grid);
void DesignCombinedGrid(SpreadGrid& grid);
void DesignWorksGrid(SpreadGrid& grid);

}  // namespace orva
