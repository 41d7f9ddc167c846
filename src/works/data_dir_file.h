#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace orva {

class Cp932Codec;
class FileSystem;

// The data folder an estimating program recorded in its one-line file, or the default
// folder when that file is missing or names none; always ends in "\". The error of a
// failure other than a missing, badly named or empty file.
Result<std::string> ReadDataDir(const FileSystem& files, const std::string& dataDirFile,
                                const std::string& defaultDataDir, const Cp932Codec& codec);

// The folder a data-folder file's bytes name: the first field of the first line, decoded.
// nullopt when the file is empty, its first line blank or that field empty.
std::optional<std::string> DataDirFromBytes(std::string_view bytes, const Cp932Codec& codec);

// A data folder as the program that recorded it meant it, read as the launcher's
// programs read it: relative to the working folder they share with the launcher (its own
// folder, `workingFolder`, e.g. "C:\VORDELN\"), not to the program's folder:
//   "D:\X\", "\\server\share\X\"  as written;
//   "\X\"                          on the install drive (that of `driveRoot`, e.g. "C:\");
//   "X\", "..\X\"                  below the working folder;
//   "D:X\"                         below the working folder when it is on D:, else below
//                                  D:\ (there is no current folder per drive).
// "/" counts as "\" as Windows reads it; ".." is left to the path lookup, which never
// climbs above a drive's root.
std::string ResolveDataDir(const std::string& dataDir, const std::string& workingFolder,
                           const std::string& driveRoot);

}  // namespace orva
