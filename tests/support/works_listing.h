#pragma once

#include <string_view>

namespace orva {
class SpreadGrid;
}

namespace orva::test {

// Lists the bytes of a works file in `grid` the way the window lists one: read from a file
// of a fresh install tree by the window's own loader. Returns the loader's error number.
int ListWorks(SpreadGrid& grid, std::string_view fileBytes, bool costsHidden = false);

}  // namespace orva::test
