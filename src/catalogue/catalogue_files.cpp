#include "catalogue/catalogue_files.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "platform/cp932_codec.h"
#include "platform/error_codes.h"
#include "platform/field_reader.h"
#include "platform/file_system.h"

namespace orva {
namespace {

// Reads entries of six fields until the end of the text; calls onEntry for each one after
// the edition-code correction. Returns 0, or 62 when the text ends inside an entry.
template <typename OnEntry>
int ReadEntries(std::string_view bytes, const Cp932Codec& codec, OnEntry onEntry) {
  FieldReader reader(bytes);
  while (!reader.AtEnd()) {
    std::string_view fields[6];
    for (auto& field : fields) {
      if (!reader.Next(field)) return err::kInputPastEnd;
    }
    MenuEntry entry{codec.Decode(fields[0]), codec.Decode(fields[1]), codec.Decode(fields[2]),
                    codec.Decode(fields[3]), codec.Decode(fields[4]), codec.Decode(fields[5])};
    CorrectEditionCode(entry);
    onEntry(std::move(entry));
  }
  return err::kNone;
}

bool IsCategory(int category) { return category >= 1 && category <= kCategoryCount; }

void AppendQuoted(std::string& out, const std::string& field, const Cp932Codec& codec) {
  out += '"';
  out += codec.EncodeLossy(field);
  out += '"';
}

}  // namespace

int LoadUserMenu(Catalogue& catalogue, const FileSystem& files, const std::string& userMenuIniPath,
                 const Cp932Codec& codec) {
  catalogue.Clear();
  FileRead file = files.ReadAll(userMenuIniPath);
  if (file.error == err::kFileNotFound) return err::kNone;
  if (file.error != err::kNone) return file.error;
  return ReadEntries(file.bytes, codec, [&](MenuEntry entry) {
    int category = CategoryOfCode(entry.menuCode);
    if (IsCategory(category)) catalogue.Append(category, std::move(entry));
  });
}

int LoadSuiteMenu(Catalogue& catalogue, const FileSystem& files, const std::string& menuIniPath,
                  const std::string& driveRoot, const Cp932Codec& codec) {
  FileRead file = files.ReadAll(menuIniPath);
  if (file.error != err::kNone) return file.error;

  // Slots per code, so that each master entry finds every equal code without a scan.
  std::array<std::unordered_map<std::string, std::vector<int>>, kCategoryCount> slotsByCode;
  for (int category = 1; category <= kCategoryCount; ++category) {
    for (int slot = 1; slot <= catalogue.menuCount(category); ++slot) {
      slotsByCode[category - 1][catalogue.Entry(category, slot).menuCode].push_back(slot);
    }
  }

  int error = ReadEntries(file.bytes, codec, [&](MenuEntry staged) {
    int category = CategoryOfCode(staged.menuCode);
    if (!IsCategory(category)) return;
    staged.menuExe = driveRoot + staged.menuExe;
    auto& index = slotsByCode[category - 1];
    auto found = index.find(staged.menuCode);
    if (found != index.end()) {
      const std::vector<int>& slots = found->second;
      for (std::size_t k = 0; k < slots.size(); ++k) {
        MenuEntry& entry = catalogue.Entry(category, slots[k]);
        if (k + 1 < slots.size()) {
          entry.menuName = staged.menuName;
          entry.menuIcon = staged.menuIcon;
          entry.menuDataFile = staged.menuDataFile;
          entry.menuDataDir = staged.menuDataDir;
        } else {  // the last taker may have the staged texts themselves
          entry.menuName = std::move(staged.menuName);
          entry.menuIcon = std::move(staged.menuIcon);
          entry.menuDataFile = std::move(staged.menuDataFile);
          entry.menuDataDir = std::move(staged.menuDataDir);
        }
      }
      return;
    }
    std::string code = staged.menuCode;
    if (catalogue.Append(category, std::move(staged))) {
      index[code].push_back(catalogue.menuCount(category));
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
      AppendQuoted(out, entry.menuCode, codec);
      for (const std::string* field : {&entry.menuName, &entry.menuExe, &entry.menuIcon,
                                       &entry.menuDataFile, &entry.menuDataDir}) {
        out += ',';
        AppendQuoted(out, *field, codec);
      }
      out += "\r\n";
    }
  }
  return out;
}

int SaveUserMenu(const Catalogue& catalogue, const FileSystem& files,
                 const std::string& userMenuIniPath, const Cp932Codec& codec) {
  return files.WriteAtomically(userMenuIniPath, UserMenuBytes(catalogue, codec));
}

bool FitsCatalogueField(const std::string& text, const Cp932Codec& codec) {
  if (text.find_first_of("\"\r\n") != std::string::npos) return false;
  return codec.Encode(text).has_value();
}

}  // namespace orva
