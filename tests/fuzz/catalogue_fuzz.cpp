// The catalogue under any pair of files: the user file, a NUL byte, then the suite file (no
// NUL: a first run, the whole input is the suite file). Load, merge and sort as at start-up;
// then save and start again, which must give the same catalogue.
#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "fuzz_check.h"
#include "platform/cp932_codec.h"

using orva::fuzz::Require;

namespace {

constexpr const char* kDriveRoot = "C:\\";

// Each category's entries in a fixed order: entries with equal codes trade places at every
// sort, so only the set of entries per category is compared.
using EntryFields = std::array<std::string, 6>;
using CanonicalCatalogue = std::array<std::vector<EntryFields>, orva::kCategoryCount>;

CanonicalCatalogue Canonical(const orva::Catalogue& catalogue) {
  CanonicalCatalogue out;
  for (int category = 1; category <= orva::kCategoryCount; ++category) {
    auto& entries = out[category - 1];
    for (const orva::MenuEntry& e : catalogue.Slots(category)) {
      entries.push_back(
          {e.menuCode, e.menuName, e.menuExe, e.menuIcon, e.menuDataFile, e.menuDataDir});
    }
    std::sort(entries.begin(), entries.end());
  }
  return out;
}

void CheckInvariants(const orva::Catalogue& catalogue, bool sorted) {
  for (int category = 1; category <= orva::kCategoryCount; ++category) {
    const auto& slots = catalogue.Slots(category);
    Require(slots.size() <= static_cast<std::size_t>(orva::kMaxSlots), "at most 999 per category");
    for (const orva::MenuEntry& entry : slots) {
      Require(orva::CategoryOfCode(entry.menuCode) == category,
              "an entry's code names its category");
    }
    if (!sorted) continue;
    for (std::size_t i = 1; i < slots.size(); ++i) {
      Require(slots[i - 1].menuCode <= slots[i].menuCode, "codes ascend within a category");
    }
  }
}

bool EveryFieldFits(const orva::Catalogue& catalogue, const orva::Cp932Codec& codec) {
  for (int category = 1; category <= orva::kCategoryCount; ++category) {
    for (const orva::MenuEntry& e : catalogue.Slots(category)) {
      for (const std::string* field :
           {&e.menuCode, &e.menuName, &e.menuExe, &e.menuIcon, &e.menuDataFile, &e.menuDataDir}) {
        if (!orva::FitsCatalogueField(*field, codec)) return false;
      }
    }
  }
  return true;
}

// Start-up on these files: the user file, then the suite file merged into it.
int Load(orva::Catalogue& catalogue, std::string_view user, std::string_view suite,
         const orva::Cp932Codec& codec) {
  // Whatever the user file's error, start-up goes on to the suite file.
  static_cast<void>(orva::UserMenuFromBytes(catalogue, user, codec));
  return orva::MergeSuiteMenu(catalogue, suite, kDriveRoot, codec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const orva::Cp932Codec codec;
  const std::string_view input = orva::fuzz::Bytes(data, size);
  const std::size_t split = input.find('\0');
  const std::string_view user = split == std::string_view::npos ? "" : input.substr(0, split);
  const std::string_view suite = split == std::string_view::npos ? input : input.substr(split + 1);

  orva::Catalogue catalogue;
  const int suiteError = Load(catalogue, user, suite, codec);
  CheckInvariants(catalogue, suiteError == 0);
  // A suite file that fails to load ends the launcher before anything is saved.
  if (suiteError != 0) return 0;

  const std::string saved = orva::UserMenuBytes(catalogue, codec);
  orva::Catalogue reloaded;
  Require(Load(reloaded, saved, suite, codec) == 0, "the next start loads");
  CheckInvariants(reloaded, true);
  if (EveryFieldFits(catalogue, codec)) {
    Require(Canonical(reloaded) == Canonical(catalogue), "a saved catalogue comes back");
  } else {
    // Fields the file cannot hold change once, when first saved, and then stay.
    orva::Catalogue again;
    Require(Load(again, orva::UserMenuBytes(reloaded, codec), suite, codec) == 0,
            "the start after loads");
    Require(Canonical(again) == Canonical(reloaded), "a saved catalogue settles");
  }
  return 0;
}
