// The data-folder file under any bytes: the folder it names, resolved as the works list
// will use it, is a whole path (drive or share) of one line that ends in "\".
#include <string>

#include "fuzz_check.h"
#include "platform/cp932_codec.h"
#include "works/data_dir_file.h"

using orva::fuzz::Require;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsWholePath(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]) &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  const bool share = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  return drive || share;
}

// "D:X\" -> "X\": what resolving keeps of a recorded name.
std::string_view WithoutDrive(std::string_view path) {
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive ? path.substr(2) : path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const orva::Cp932Codec codec;
  const std::optional<std::string> named =
      orva::DataDirFromBytes(orva::fuzz::Bytes(data, size), codec);
  if (!named) return 0;
  Require(!named->empty(), "a named folder is not empty");
  Require(named->find_first_of("\r\n") == std::string::npos, "a folder name is one line");

  std::string recorded = *named;
  if (!recorded.ends_with('\\')) recorded += '\\';
  for (const char* program : {"D:\\SUITE\\P\\", "c:/P/"}) {
    const std::string folder = orva::ResolveDataDir(recorded, program, "C:\\");
    Require(IsWholePath(folder), "a resolved folder is a whole path");
    Require(folder.ends_with(WithoutDrive(recorded)), "the recorded name stays the tail");
  }
  return 0;
}
