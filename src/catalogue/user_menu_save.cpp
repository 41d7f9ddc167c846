#include "catalogue/user_menu_save.h"

#include <string>

#include "platform/cp932_codec.h"
#include "platform/error_codes.h"

namespace orva {
namespace {

// This run's executables on top of `merged`, a catalogue read from another program's file.
void ApplyChanges(Catalogue& merged, const Catalogue& ours) {
  for (int category = 1; category <= kCategoryCount; ++category) {
    bool appended = false;
    for (const ExeChange& change : ours.Changes()) {
      if (change.category != category) continue;
      if (const int slot = merged.SlotOf(category, change.code, change.occurrence)) {
        merged.Entry(category, slot).menuExe = change.exe;
        continue;
      }
      const int own = ours.SlotOf(category, change.code, change.occurrence);
      if (own != 0 && merged.Append(category, ours.Entry(category, own))) appended = true;
    }
    if (appended) DATASort(merged, category);
  }
}

}  // namespace

UserMenuSaveResult SaveUserMenuAtClose(const Catalogue& catalogue, const FileSystem& files,
                                       const InstallPaths& paths, const Cp932Codec& codec,
                                       UserFileSeen& seen) {
  UserMenuSaveResult result;
  const Result<std::string> now = files.ReadAll(paths.userMenuIniPath, kCatalogueFileLimit);
  const bool told = now.ok() || now.error() == err::kFileNotFound;
  std::string bytes;
  const bool whole = !told || (now.ok() ? UserFileSeen::Of(now.value()) : UserFileSeen{}) == seen;
  if (whole) {
    bytes = UserMenuBytes(catalogue, codec);
  } else {
    result.changedElsewhere = true;
    if (catalogue.Changes().empty()) return result;
    Catalogue merged;
    // Whatever either file gives is taken: a text that ends inside an entry still gives the
    // entries before it, and a suite file that cannot be read leaves the user file's.
    static_cast<void>(UserMenuFromBytes(merged, now.ok() ? now.value() : std::string(), codec));
    static_cast<void>(LoadSuiteMenu(merged, files, paths.menuIniPath, paths.driveRoot, codec));
    ApplyChanges(merged, catalogue);
    bytes = UserMenuBytes(merged, codec);
  }
  result.error = files.WriteAtomically(paths.userMenuIniPath, bytes, &result.notes);
  result.written = result.error == err::kNone;
  // The catalogue does not hold what the other program wrote: a later save goes on top of
  // the file again.
  if (result.written && whole) seen = UserFileSeen::Of(bytes);
  return result;
}

}  // namespace orva
