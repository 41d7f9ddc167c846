#pragma once

#include <string_view>

namespace orva {

// The suite's categories of programs, numbered 1..kCategoryCount in button order. Their
// texts, pictures and works files are one table (categories.cpp); this count must match it,
// which that file checks when it compiles.
inline constexpr int kCategoryCount = 6;

struct Category {
  char codeDigit;         // the first character of its programs' codes
  const char* caption;    // its button, and its menu grid's name for a screen reader
  const char* label;      // follows a program's title in the combined grid
  const char* icon;       // the picture beside its button, a file of the program's icons
  const char* worksFile;  // the works file in a program's data folder
  bool costsShown;        // the works list shows the costs columns
};

// The table's row for category 1..kCategoryCount.
const Category& CategoryAt(int category);

// The category whose code digit starts `code`, else 0.
int CategoryOfCode(std::string_view code);

inline bool IsCategory(int category) { return category >= 1 && category <= kCategoryCount; }

}  // namespace orva
