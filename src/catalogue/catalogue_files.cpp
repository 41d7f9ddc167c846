#include "catalogue/catalogue_files.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <iterator>
#include <memory_resource>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "platform/cp932_codec.h"
#include "platform/error_codes.h"
#include "platform/field_reader.h"
#include "platform/file_system.h"

namespace orva {
namespace {

// Reads entries of six fields until the end of the text; calls onEntry(entry) for each one
// after the edition-code correction. The entry's storage is reused for the next one unless
// onEntry moves from it. Returns kNone, or kInputPastEnd when the text ends inside an entry.
template <typename OnEntry>
err::Number ReadEntries(std::string_view bytes, const Cp932Codec& codec, OnEntry onEntry) {
  FieldReader reader(bytes);
  MenuEntry entry;
  std::string* const targets[] = {&entry.menuCode, &entry.menuName,     &entry.menuExe,
                                  &entry.menuIcon, &entry.menuDataFile, &entry.menuDataDir};
  while (!reader.AtEnd()) {
    std::string_view fields[std::size(targets)];
    for (auto& field : fields) {
      if (!reader.Next(field)) return err::kInputPastEnd;
    }
    entry.keptBytes.clear();
    for (std::size_t i = 0; i < std::size(targets); ++i) {
      if (!codec.DecodeInto(fields[i], *targets[i])) {
        entry.keptBytes.push_back({static_cast<MenuField>(i), std::string(fields[i])});
      }
    }
    CorrectEditionCode(entry);
    onEntry(entry);
  }
  return err::kNone;
}

// The slots holding each code of one category, so that a master entry finds every equal
// code without a scan: the latest slot added per code, then for each slot the one before it.
// Its nodes, one an entry, come from one arena that goes with the index.
class CodeIndex {
 public:
  explicit CodeIndex(std::size_t expected) : latest_(&arena_) {
    latest_.reserve(expected);
    before_.reserve(expected + 1);
  }
  void Add(const std::string& code, int slot) {
    if (before_.size() <= static_cast<std::size_t>(slot)) before_.resize(slot + 1, 0);
    auto [found, added] = latest_.try_emplace(code, slot);
    if (!added) {
      before_[slot] = found->second;
      found->second = slot;
    }
  }
  template <typename Visit>
  bool ForEachSlot(const std::string& code, Visit visit) const {
    const auto found = latest_.find(code);
    if (found == latest_.end()) return false;
    for (int slot = found->second; slot != 0; slot = before_[slot]) visit(slot);
    return true;
  }

 private:
  std::pmr::monotonic_buffer_resource arena_;
  std::pmr::unordered_map<std::string, int> latest_;
  std::vector<int> before_;  // 0: no earlier slot with the code
};

// Line ends plus one; memchr finds them far faster than a byte loop.
std::size_t CountLines(std::string_view bytes) {
  std::size_t lines = 1;
  const char* end = bytes.data() + bytes.size();
  for (const char* at = bytes.data(); at < end; ++lines) {
    at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
    if (at == nullptr) break;
    ++at;
  }
  return lines;
}

// A field as its file held it while its text is unchanged, else as the code page writes it.
void AppendQuoted(std::string& out, const MenuEntry& entry, MenuField field,
                  const Cp932Codec& codec) {
  const std::string& text = entry.Field(field);
  const std::string* kept = entry.KeptBytesOf(field);
  out += '"';
  out += kept && codec.Decode(*kept) == text ? *kept : codec.EncodeLossy(text);
  out += '"';
}

// The master file's texts of an entry both files list; its code and executable stay the
// user file's.
void TakeMasterTexts(MenuEntry& entry, const MenuEntry& staged) {
  entry.menuName = staged.menuName;
  entry.menuIcon = staged.menuIcon;
  entry.menuDataFile = staged.menuDataFile;
  entry.menuDataDir = staged.menuDataDir;
  const auto usersOwn = [](MenuField field) {
    return field == MenuField::kCode || field == MenuField::kExe;
  };
  std::erase_if(entry.keptBytes, [&](const KeptBytes& kept) { return !usersOwn(kept.field); });
  for (const KeptBytes& kept : staged.keptBytes) {
    if (!usersOwn(kept.field)) entry.keptBytes.push_back(kept);
  }
}

}  // namespace

UserFileSeen UserFileSeen::Of(std::string_view bytes) {
  return {true, bytes.size(), std::hash<std::string_view>{}(bytes)};
}

err::Number LoadUserMenu(Catalogue& catalogue, const FileSystem& files,
                         const std::string& userMenuIniPath, const Cp932Codec& codec,
                         UserFileSeen* seen) {
  catalogue.Clear();
  const Result<std::string> file = files.ReadAll(userMenuIniPath, kCatalogueFileLimit);
  if (seen != nullptr) *seen = file.ok() ? UserFileSeen::Of(file.value()) : UserFileSeen{};
  if (file.error() == err::kFileNotFound) return err::kNone;
  if (!file.ok()) return file.error();
  return UserMenuFromBytes(catalogue, file.value(), codec);
}

err::Number UserMenuFromBytes(Catalogue& catalogue, std::string_view bytes,
                              const Cp932Codec& codec) {
  catalogue.Clear();
  // An entry per line is the rule: room for that many saves moving entries as slots grow.
  const std::size_t lines = CountLines(bytes);
  for (int category = 1; category <= kCategoryCount; ++category) {
    catalogue.Slots(category).reserve(std::min<std::size_t>(lines, kMaxSlots));
  }
  return ReadEntries(bytes, codec, [&](MenuEntry& entry) {
    int category = CategoryOfCode(entry.menuCode);
    if (IsCategory(category)) catalogue.Append(category, std::move(entry));
  });
}

bool UserMenuLeftUnread(err::Number loadError) {
  // Only a text that ends inside an entry is met after the entries before it were taken.
  return loadError != err::kNone && loadError != err::kInputPastEnd;
}

err::Number LoadSuiteMenu(Catalogue& catalogue, const FileSystem& files,
                          const std::string& menuIniPath, const std::string& driveRoot,
                          const Cp932Codec& codec) {
  const Result<std::string> file = files.ReadAll(menuIniPath, kCatalogueFileLimit);
  if (!file.ok()) return file.error();
  return MergeSuiteMenu(catalogue, file.value(), driveRoot, codec);
}

err::Number MergeSuiteMenu(Catalogue& catalogue, std::string_view bytes,
                           const std::string& driveRoot, const Cp932Codec& codec) {
  std::deque<CodeIndex> slotsByCode;  // an index stays where it is made
  for (int category = 1; category <= kCategoryCount; ++category) {
    CodeIndex& index = slotsByCode.emplace_back(kMaxSlots);
    for (int slot = 1; slot <= catalogue.menuCount(category); ++slot) {
      index.Add(catalogue.Entry(category, slot).menuCode, slot);
    }
  }

  const err::Number error = ReadEntries(bytes, codec, [&](const MenuEntry& staged) {
    int category = CategoryOfCode(staged.menuCode);
    // A code the user file cannot hold would come back changed at the next start, miss its
    // master entry and have it added once more at every start.
    if (!IsCategory(category) || !FitsCatalogueField(staged.menuCode, codec)) return;
    CodeIndex& index = slotsByCode[category - 1];
    const bool known = index.ForEachSlot(staged.menuCode, [&](int slot) {
      // Assigned, not moved: the strings keep their storage for the next entry.
      TakeMasterTexts(catalogue.Entry(category, slot), staged);
    });
    if (known) return;
    MenuEntry added = staged;
    added.menuExe = driveRoot + staged.menuExe;
    for (KeptBytes& kept : added.keptBytes) {
      if (kept.field == MenuField::kExe) kept.bytes.insert(0, codec.EncodeLossy(driveRoot));
    }
    if (catalogue.Append(category, std::move(added))) {
      index.Add(staged.menuCode, catalogue.menuCount(category));
    }
  });
  if (error != err::kNone) return error;

  for (int category = 1; category <= kCategoryCount; ++category) {
    if (catalogue.menuCount(category) > 1) DATASort(catalogue, category);
  }
  return err::kNone;
}

void DATASort(Catalogue& catalogue, int category) {
  auto& slots = catalogue.Slots(category);
  const int n = static_cast<int>(slots.size());
  if (n <= 1) return;
  // Codes already strictly ascending (a catalogue as it was saved) are the sorted result.
  const auto notBefore = [](const MenuEntry& a, const MenuEntry& b) {
    return a.menuCode >= b.menuCode;
  };
  if (std::adjacent_find(slots.begin(), slots.end(), notBefore) == slots.end()) return;
  // The exchanges run on an index permutation; the entries move once at the end.
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  // With distinct codes the exchange sort ends in the one ascending order, which a fast
  // sort finds too. Only equal codes, whose final order the exchanges decide, need them.
  const auto codeOf = [&slots](int index) -> const std::string& { return slots[index].menuCode; };
  std::sort(order.begin(), order.end(), [&](int a, int b) { return codeOf(a) < codeOf(b); });
  const bool distinct = std::adjacent_find(order.begin(), order.end(), [&](int a, int b) {
                          return codeOf(a) == codeOf(b);
                        }) == order.end();
  if (!distinct) {
    std::iota(order.begin(), order.end(), 0);
    for (int i = n; i >= 2; --i) {
      for (int j = 1; j <= i - 1; ++j) {
        if (codeOf(order[j - 1]) >= codeOf(order[j])) std::swap(order[j - 1], order[j]);
      }
    }
  }
  std::vector<MenuEntry> sorted;
  sorted.reserve(n);
  for (int index : order) sorted.push_back(std::move(slots[index]));
  slots = std::move(sorted);
}

std::string UserMenuBytes(const Catalogue& catalogue, const Cp932Codec& codec) {
  std::string out;
  for (int category = 1; category <= kCategoryCount; ++category) {
    for (const MenuEntry& entry : catalogue.Slots(category)) {
      AppendQuoted(out, entry, MenuField::kCode, codec);
      for (const MenuField field : {MenuField::kName, MenuField::kExe, MenuField::kIcon,
                                    MenuField::kDataFile, MenuField::kDataDir}) {
        out += ',';
        AppendQuoted(out, entry, field, codec);
      }
      out += "\r\n";
    }
  }
  return out;
}

err::Number SaveUserMenu(const Catalogue& catalogue, const FileSystem& files,
                         const std::string& userMenuIniPath, const Cp932Codec& codec) {
  return files.WriteAtomically(userMenuIniPath, UserMenuBytes(catalogue, codec));
}

bool FitsCatalogueField(const std::string& text, const Cp932Codec& codec) {
  if (text.find_first_of("\"\r\n") != std::string::npos) return false;
  return codec.CanEncode(text);
}

}  // namespace orva
