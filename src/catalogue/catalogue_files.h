#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "platform/error_number.h"

namespace orva {

class Cp932Codec;
class FileSystem;

// The largest catalogue file read: 999 entries of six fields in every category take some
// megabytes even with long paths and titles; a larger file is no catalogue and is refused
// unread.
inline constexpr std::size_t kCatalogueFileLimit = std::size_t{64} << 20;

// The user catalogue file as a run last read or wrote it: tells whether another program
// changed it since.
struct UserFileSeen {
  bool present = false;
  std::size_t size = 0;
  std::size_t hash = 0;

  static UserFileSeen Of(std::string_view bytes);
  bool operator==(const UserFileSeen&) const = default;
};

// Empties the catalogue and reads the user catalogue file into it, unsorted; `seen`, when
// given, becomes what the file held. Returns kNone, or the number of the last error met
// (a missing file is no error).
err::Number LoadUserMenu(Catalogue& catalogue, const FileSystem& files,
                         const std::string& userMenuIniPath, const Cp932Codec& codec,
                         UserFileSeen* seen = nullptr);

// Whether LoadUserMenu's error means the file is there but its entries never reached the
// catalogue: saving then would replace the user's choices with the suite's defaults.
bool UserMenuLeftUnread(err::Number loadError);

// Merges the suite's catalogue file into the catalogue, then sorts each category by code.
// Returns kNone, or the error that stopped the merge (the catalogue is then partly merged
// and unsorted).
err::Number LoadSuiteMenu(Catalogue& catalogue, const FileSystem& files,
                          const std::string& menuIniPath, const std::string& driveRoot,
                          const Cp932Codec& codec);

// The same two steps on a file's bytes.
err::Number UserMenuFromBytes(Catalogue& catalogue, std::string_view bytes,
                              const Cp932Codec& codec);
err::Number MergeSuiteMenu(Catalogue& catalogue, std::string_view bytes,
                           const std::string& driveRoot, const Cp932Codec& codec);

// Exchange sort of one category on the code; neighbours with equal codes are exchanged too.
void DATASort(Catalogue& catalogue, int category);

// The user catalogue file's bytes: every entry, category by category, all fields quoted.
std::string UserMenuBytes(const Catalogue& catalogue, const Cp932Codec& codec);

// Replaces the user catalogue file atomically. Returns kNone or an error number.
err::Number SaveUserMenu(const Catalogue& catalogue, const FileSystem& files,
                         const std::string& userMenuIniPath, const Cp932Codec& codec);

// Whether a field can be stored in a catalogue file and read back unchanged.
bool FitsCatalogueField(const std::string& text, const Cp932Codec& codec);

}  // namespace orva
