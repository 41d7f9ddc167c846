#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/categories.h"

namespace orva {

inline constexpr int kMaxSlots = 999;

// The fields of an entry in the order the catalogue files hold them.
enum class MenuField { kCode, kName, kExe, kIcon, kDataFile, kDataDir };

// A field's bytes as its file held them, where the field's text would not be written back as
// those bytes (a byte that is no character, a second code of a character).
struct KeptBytes {
  MenuField field;
  std::string bytes;
};

// One program edition of the suite. Text is UTF-8.
struct MenuEntry {
  std::string menuCode;
  std::string menuName;
  std::string menuExe;
  std::string menuIcon;
  std::string menuDataFile;
  std::string menuDataDir;
  // Empty for nearly every entry: only fields that did not decode to their own bytes.
  std::vector<KeptBytes> keptBytes{};

  const std::string& Field(MenuField field) const;
  // The kept bytes of `field`, or nullptr.
  const std::string* KeptBytesOf(MenuField field) const;
};

// The one edition published under a wrong code keeps its place in category 1.
void CorrectEditionCode(MenuEntry& entry);

// An executable chosen during this run: the entry is known by its category, its code and
// which of the entries with that code it is (a user file may hold a code twice).
struct ExeChange {
  int category;
  std::string code;
  int occurrence;  // 0 for the first entry with the code
  std::string exe;
};

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

  // Points a valid entry at another executable, and keeps that as a change of this run.
  void SetExe(int category, int slot, std::string exe);
  // The changes since the catalogue was last emptied, the latest per entry.
  const std::vector<ExeChange>& Changes() const { return changes_; }
  // The slot of the `occurrence`-th entry with `code`, or 0.
  int SlotOf(int category, std::string_view code, int occurrence) const;

  // Empties every category and forgets the changes.
  void Clear();

  std::vector<MenuEntry>& Slots(int category) { return categories_[category - 1]; }
  const std::vector<MenuEntry>& Slots(int category) const { return categories_[category - 1]; }

 private:
  std::array<std::vector<MenuEntry>, kCategoryCount> categories_;
  std::vector<ExeChange> changes_;
};

}  // namespace orva
