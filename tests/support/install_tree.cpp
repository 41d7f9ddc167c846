#include "support/install_tree.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/utf8_path.h"

namespace orva::test {
namespace {

DriveTable DrivesOf(const std::filesystem::path& prefix) {
  std::filesystem::create_directories(prefix / "drive_c" / "VORDELN");
#ifdef _WIN32
  // No links to be had: drive C: is mapped straight, so no test touches the real C:.
  DriveTable drives;
  drives.SetDrive('C', prefix / "drive_c");
  return drives;
#else
  std::filesystem::create_directories(prefix / "dosdevices");
  std::filesystem::create_symlink("../drive_c", prefix / "dosdevices" / "c:");
  return DriveTable::FromWinePrefix(prefix);
#endif
}

}  // namespace

InstallTree::InstallTree() : files_(DrivesOf(dir_.Path())) {}

std::filesystem::path InstallTree::Host(std::string_view windowsPath) const {
  std::string rest(windowsPath.substr(3));
#ifndef _WIN32
  std::replace(rest.begin(), rest.end(), '\\', '/');
#endif
  return dir_.Path() / "drive_c" / PathOfUtf8(rest);
}

void InstallTree::WriteBytes(std::string_view windowsPath, std::string_view bytes) const {
  const auto host = Host(windowsPath);
  std::filesystem::create_directories(host.parent_path());
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void InstallTree::WriteText(std::string_view windowsPath, std::string_view utf8) const {
  WriteBytes(windowsPath, *codec_.Encode(utf8));
}

std::string InstallTree::ReadBytes(std::string_view windowsPath) const {
  std::ifstream in(Host(windowsPath), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool InstallTree::Exists(std::string_view windowsPath) const {
  return std::filesystem::exists(Host(windowsPath));
}

std::string CatalogueLine(std::string_view code, std::string_view name, std::string_view exe,
                          std::string_view icon, std::string_view dataFile,
                          std::string_view dataDir) {
  std::string line;
  for (std::string_view field : {code, name, exe, icon, dataFile, dataDir}) {
    if (!line.empty()) line += ',';
    line += '"';
    line += field;
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace orva::test
