#include "catalogue/catalogue.h"

namespace orva {

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

void Catalogue::Clear() {
  for (auto& slots : categories_) slots.clear();
}

}  // namespace orva
