#include "catalogue/categories.h"

#include <array>

namespace orva {
namespace {

constexpr std::array<Category, kCategoryCount> kCategories{{
    {'1', "土木積算(水道)", " 土木積算", "category1.png", "n_KOJI.RDM", true},
    {'2', "農林積算(治山)", " 農林積算", "category2.png", "n_KOJI.RDM", true},
    {'3', "港湾積算", " 港湾積算", "category3.png", "n_KOJI.RDM", true},
    {'4', "民間用", " 民間見積", "category4.png", "n_KOJI.RDM", true},
    {'5', "水道積算(H21/4まで)", " 水道積算", "category5.png", "n_KOJI.RDM", true},
    // The execution budget keeps its works in a file of its own, without costs.
    {'6', "実行予算", " 実行予算", "category6.png", "njKOJI.RDM", false},
}};

// A row left out of the table would be zeros; codes are told apart by one digit each.
constexpr bool EveryRowFilled() {
  for (std::size_t i = 0; i < kCategories.size(); ++i) {
    const Category& category = kCategories[i];
    if (category.codeDigit < '0' || category.codeDigit > '9' || category.caption == nullptr ||
        category.label == nullptr || category.icon == nullptr || category.worksFile == nullptr) {
      return false;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (kCategories[j].codeDigit == category.codeDigit) return false;
    }
  }
  return true;
}
static_assert(EveryRowFilled(), "every category needs a row with its code digit and texts");

}  // namespace

const Category& CategoryAt(int category) { return kCategories[category - 1]; }

int CategoryOfCode(std::string_view code) {
  if (code.empty()) return 0;
  for (int category = 1; category <= kCategoryCount; ++category) {
    if (kCategories[category - 1].codeDigit == code[0]) return category;
  }
  return 0;
}

}  // namespace orva
