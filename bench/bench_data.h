#pragma once

#include <string>

namespace orva {
class Cp932Codec;
}

namespace orva::bench {

// A works file of `records` records: Japanese names, clients and routes of varied length,
// distinct dates spread over several eras, record numbers in shuffled order.
std::string BuildWorksFile(int records, const Cp932Codec& codec);

// A catalogue file (UTF-8, write it encoded) of `perCategory` entries in each of the first
// `categories` categories; entry exes lie in C:\VORDELN\Pc\ as Ecccc.exe, written after
// `exeRoot` ("" as in the suite's file, "C:\" as in the user's), icons are i00.png..i19.png.
std::string BuildCatalogue(int categories, int perCategory, const std::string& exeRoot);
std::string EntryExe(int category, int edition);  // relative to the drive root
inline constexpr int kIconFiles = 20;
std::string IconName(int index);

}  // namespace orva::bench
