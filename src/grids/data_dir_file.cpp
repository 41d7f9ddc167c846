#include "grids/data_dir_file.h"

#include "platform/cp932_codec.h"
#include "platform/error_codes.h"
#include "platform/field_reader.h"
#include "platform/file_system.h"

namespace orva {

DataDirResult ReadDataDir(const FileSystem& files, const std::string& dataDirFile,
                          const std::string& defaultDataDir, const Cp932Codec& codec) {
  DataDirResult result;
  // An item without a data-folder file name leaves only its program's folder here: that
  // names no file, so it counts as a bad file name and the default folder applies.
  const FileRead file = dataDirFile.empty() || dataDirFile.ends_with('\\')
                            ? FileRead{err::kBadFileName, {}}
                            : files.ReadFirstLine(dataDirFile);
  std::string_view field;
  if (file.error == err::kNone && FieldReader(file.bytes).Next(field)) {
    result.dataDir = codec.Decode(field);
  } else if (file.error == err::kNone || file.error == err::kBadFileName ||
             file.error == err::kFileNotFound) {
    result.dataDir = defaultDataDir;
  } else {
    result.error = file.error;
    return result;
  }
  if (!result.dataDir.ends_with('\\')) result.dataDir += '\\';
  return result;
}

}  // namespace orva
