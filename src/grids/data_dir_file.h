#pragma once

#include <string>

namespace orva {

class Cp932Codec;
class FileSystem;

struct DataDirResult {
  int error = 0;  // a failure other than a missing, badly named or empty file
  std::string dataDir;
};

// The data folder an estimating program recorded in its one-line file, or the default
// folder when that file is missing or empty; always ends in "\".
DataDirResult ReadDataDir(const FileSystem& files, const std::string& dataDirFile,
                          const std::string& defaultDataDir, const Cp932Codec& codec);

}  // namespace orva
