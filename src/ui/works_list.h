#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/error_number.h"

namespace orva {

class Cp932Codec;
class EraDateFormatter;
class FileSystem;
class SpreadGrid;

// Lists the works file at `path` in the works grid, one row per live record in file order,
// as works/ reads it (see ReadWorksFile). Returns kNone, or the error that stopped the
// listing (rows listed by then stay).
err::Number LoadWorksFile(SpreadGrid& ss, const FileSystem& files, const std::string& path,
                          bool costsHidden, const Cp932Codec& codec, const EraDateFormatter& dates);

// Text the decoders produced (an era date) as the grid's UTF-16; the same as Qt's general
// conversion, for any bytes.
QString FromDecodedUtf8(std::string_view utf8);

// Header-click sorting of the works grid. Each column remembers its own direction for the
// whole run, whatever list is shown.
class WorksSorter {
 public:
  // Toggles the column's direction (the first click sorts descending) and sorts all data
  // rows on that column. Columns outside 0..9 are ignored; column 0 (the corner cell)
  // only toggles, as the row-header column holds nothing to sort on.
  void SortWorksByColumn(SpreadGrid& ss, int column);

  // The grid's cell-click event: only the header row sorts.
  void OnHeaderClick(SpreadGrid& ss, int column, int row);

  // 1 when the column's last sort was descending, else 0.
  std::int16_t Direction(int column) const;

 private:
  std::array<std::int16_t, 10> worksSortDir_{};
};

}  // namespace orva
