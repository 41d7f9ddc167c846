#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orva {

// The saved view: 0 for the combined view, anything else for the category view.
// Only the first field of the first line counts; text that is not a number rounding into
// 16 bits reads as 0.
std::int16_t ParseViewState(std::string_view bytes);

// "0" CR LF when the combined grid is showing, "1" CR LF otherwise.
std::string ViewStateBytes(bool combinedGridVisible);

}  // namespace orva
