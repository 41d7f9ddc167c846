#include "catalogue/catalogue.h"

#include <algorithm>

namespace orva {

const std::string& MenuEntry::Field(MenuField field) const {
  switch (field) {
    case MenuField::kCode: return menuCode;
    case MenuField::kName: return menuName;
    case MenuField::kExe: return menuExe;
    case MenuField::kIcon: return menuIcon;
    case MenuField::kDataFile: return menuDataFile;
    case MenuField::kDataDir: break;
  }
  return menuDataDir;
}

const std::string* MenuEntry::KeptBytesOf(MenuField field) const {
  for (const KeptBytes& kept : keptBytes) {
    if (kept.field == field) return &kept.bytes;
  }
  return nullptr;
}

void CorrectEditionCode(MenuEntry& entry) {
  if (entry.menuCode == "13501" && entry.menuName == "平成26年度 前期第1版 (H26/4)") {
    entry.menuCode = "12601";
  }
}

bool Catalogue::Append(int category, MenuEntry entry) {
  auto& slots = Slots(category);
  if (slots.size() >= static_cast<std::size_t>(kMaxSlots)) return false;
  slots.push_back(std::move(entry));
  return true;
}

void Catalogue::SetExe(int category, int slot, std::string exe) {
  const auto& slots = Slots(category);
  const std::string& code = slots[slot - 1].menuCode;
  const int occurrence =
      static_cast<int>(std::count_if(slots.begin(), slots.begin() + (slot - 1),
                                     [&](const MenuEntry& e) { return e.menuCode == code; }));
  const auto same = std::find_if(changes_.begin(), changes_.end(), [&](const ExeChange& c) {
    return c.category == category && c.occurrence == occurrence && c.code == code;
  });
  if (same != changes_.end()) {
    same->exe = exe;
  } else {
    changes_.push_back({category, code, occurrence, exe});
  }
  Entry(category, slot).menuExe = std::move(exe);
}

int Catalogue::SlotOf(int category, std::string_view code, int occurrence) const {
  const auto& slots = Slots(category);
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].menuCode == code && occurrence-- == 0) return static_cast<int>(i) + 1;
  }
  return 0;
}

void Catalogue::Clear() {
  for (auto& slots : categories_) slots.clear();
  changes_.clear();
}

}  // namespace orva
