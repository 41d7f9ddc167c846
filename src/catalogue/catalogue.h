#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/categories.h"

namespace orva {

inline constexpr int kMaxSlots = 999;

// One program edition of the suite. Text is UTF-8.
struct MenuEntry {
  std::string menuCode;
  std::string menuName;
  std::string menuExe;
  std::string menuIcon;
  std::string menuDataFile;
  std::string menuDataDir;
};

// The one edition published under a wrong code keeps its place in category 1.
void CorrectEditionCode(MenuEntry& entry);

// The in-memory catalogue: per category, slots 1..menuCount.
class Catalogue {
 public:
  std::int16_t menuCount(int category) const {
    return static_cast<std::int16_t>(Slots(category).size());
  }
  const MenuEntry& Entry(int category, int slot) const { return Slots(category)[slot - 1]; }
  MenuEntry& Entry(int category, int slot) { return Slots(category)[slot - 1]; }

  // True when (category, slot) names a valid entry.
  bool Contains(int category, int slot) const {
    return IsCategory(category) && slot >= 1 && slot <= menuCount(category);
  }

  // Appends to its category; false (and nothing stored) when the category is full.
  bool Append(int category, MenuEntry entry);

  void Clear();

  std::vector<MenuEntry>& Slots(int category) { return categories_[category - 1]; }
  const std::vector<MenuEntry>& Slots(int category) const { return categories_[category - 1]; }

 private:
  std::array<std::vector<MenuEntry>, kCategoryCount> categories_;
};

}  // namespace orva
