#include "works/data_dir_file.h"

#include "platform/cp932_codec.h"
#include "platform/error_codes.h"
#include "platform/field_reader.h"
#include "platform/file_system.h"

namespace orva {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool SameDrive(char a, char b) { return (a | 0x20) == (b | 0x20); }

}  // namespace

Result<std::string> ReadDataDir(const FileSystem& files, const std::string& dataDirFile,
                                const std::string& defaultDataDir, const Cp932Codec& codec) {
  // An item without a data-folder file name leaves only its program's folder here: that
  // names no file, so it counts as a bad file name and the default folder applies.
  const Result<std::string> file = dataDirFile.empty() || dataDirFile.ends_with('\\')
                                       ? Result<std::string>(err::kBadFileName)
                                       : files.ReadFirstLine(dataDirFile);
  if (!file.ok() && file.error() != err::kBadFileName && file.error() != err::kFileNotFound) {
    return file.error();
  }
  std::optional<std::string> named;
  if (file.ok()) named = DataDirFromBytes(file.value(), codec);
  std::string dataDir = named ? std::move(*named) : defaultDataDir;
  if (!dataDir.ends_with('\\')) dataDir += '\\';
  return dataDir;
}

std::optional<std::string> DataDirFromBytes(std::string_view bytes, const Cp932Codec& codec) {
  std::string_view field;
  // A blank first line names nothing, as an empty file does; the next line is not asked.
  if (!FieldReader(FirstLine(bytes)).Next(field) || field.empty()) return std::nullopt;
  return codec.Decode(field);
}

std::string ResolveDataDir(const std::string& dataDir, const std::string& workingFolder,
                           const std::string& driveRoot) {
  const std::string_view path = dataDir;
  std::string folder = workingFolder;
  if (!folder.empty() && !IsSeparator(folder.back())) folder += '\\';
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
    if (path.size() >= 3 && IsSeparator(path[2])) return dataDir;
    const char drive = path[0];
    const std::string_view rest = path.substr(2);
    if (folder.size() >= 2 && SameDrive(folder[0], drive) && folder[1] == ':') {
      return folder + std::string(rest);
    }
    return std::string(1, drive) + ":\\" + std::string(rest);
  }
  if (!path.empty() && IsSeparator(path[0])) {
    if (path.size() >= 2 && IsSeparator(path[1])) return dataDir;  // a network share
    return driveRoot.substr(0, 2) + dataDir;
  }
  return folder + dataDir;
}

}  // namespace orva
