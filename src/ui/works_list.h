#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/error_number.h"

namespace orva {

class Cp932Codec;
class EraDateFormatter;
class FileSystem;
class SpreadGrid;

// The most records listed from one works file: eight times what a 16-bit count numbers,
// far beyond any office's works. Records past it are not read, so a huge (or sparse) file
// costs a bounded time and memory.
inline constexpr std::size_t kMaxWorksRecords = 262144;

// Lists the works file at `path` in the works grid, in file order. The file is read a piece
// at a time, so a list of decades never sits in memory twice. Returns kNone, or the error that
// stopped the listing (rows listed by then stay).
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
