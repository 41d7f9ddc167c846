#pragma once

namespace orva {

// Columns of a menu-grid or combined-grid row.
inline constexpr int kIconColumn = 1;
inline constexpr int kTitleColumn = 2;
inline constexpr int kWorksColumn = 3;
inline constexpr int kExeColumn = 4;
inline constexpr int kNumberColumn = 5;  // signed slot number: negative when missing
inline constexpr int kDataFileColumn = 6;
inline constexpr int kCategoryColumn = 7;  // combined grid only
inline constexpr int kEditionColumn = 8;   // combined grid only

}  // namespace orva
