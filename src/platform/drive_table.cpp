#include "platform/drive_table.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "platform/windows_path.h"

#ifndef _WIN32
#include <unicode/uchar.h>
#include <unicode/utf8.h>
#endif

namespace orva {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32

// Simple case folding of UTF-8 text; bytes that are not UTF-8 stay as they are.
std::u32string FoldCase(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  const auto* data = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const int32_t size = static_cast<int32_t>(utf8.size());
  int32_t i = 0;
  while (i < size) {
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(data, i, size, c);
    // Malformed bytes fold to themselves, kept apart from real characters.
    out.push_back(c < 0 ? char32_t{0x110000} + data[start]
                        : static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)));
  }
  return out;
}

// The entry of `folder` named `name` ignoring case; the smallest such name when there are
// several, so the choice does not depend on directory order.
std::optional<std::string> FindIgnoringCase(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  const std::u32string wanted = FoldCase(name);
  std::optional<std::string> found;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string entry = it->path().filename().string();
    if (FoldCase(entry) == wanted && (!found || entry < *found)) found = std::move(entry);
  }
  return found;
}

#else

fs::path NativeRoot(int drive) {
  return fs::path(std::wstring{static_cast<wchar_t>(L'A' + drive), L':', L'\\'});
}

#endif

// Whether `prefix` is a leading part of `path`, component by component.
bool IsPrefix(const fs::path& prefix, const fs::path& path, std::size_t& depth) {
  depth = 0;
  auto p = path.begin();
  for (auto q = prefix.begin(); q != prefix.end(); ++q) {
    if (q->empty()) continue;  // trailing separator of the prefix
    if (p == path.end() || *p != *q) return false;
    ++p;
    ++depth;
  }
  return true;
}

}  // namespace

DriveTable DriveTable::FromWinePrefix(const fs::path& prefix) {
  DriveTable table;
  const fs::path devices = prefix / "dosdevices";
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const fs::path link = devices / (std::string(1, letter) + ":");
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(link, ec);
    if (ec) continue;
    if (fs::is_symlink(status)) {
      fs::path target = fs::read_symlink(link, ec);
      if (ec) continue;
      if (target.is_relative()) target = devices / target;
      table.SetDrive(letter, target.lexically_normal());
    } else if (fs::is_directory(status)) {
      table.SetDrive(letter, link);
    }
  }
  // Wine links z: to the host's root only in a dosdevices folder it creates itself, on its
  // first start in the prefix; one that exists already is taken as it is.
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(devices, ec))) table.SetDrive('z', "/");
  return table;
}

fs::path DriveTable::PrefixFromEnvironment() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : "") / ".wine";
}

DriveTable DriveTable::FromEnvironment() {
#ifdef _WIN32
  return DriveTable();
#else
  return FromWinePrefix(PrefixFromEnvironment());
#endif
}

void DriveTable::SetDrive(char letter, fs::path target) {
  const int index = WindowsPath::DriveIndex(letter);
  if (index >= 0) drives_[index] = std::move(target);
}

std::optional<fs::path> DriveTable::ToHost(std::string_view windowsPath) const {
  const std::optional<WindowsPath> path = WindowsPath::Parse(windowsPath);
  if (!path || !path->NamesAreValid()) return std::nullopt;
  const int drive = path->Drive();
  const std::vector<std::string_view> parts = path->Resolved();
#ifdef _WIN32
  // A drive without a mapping is the host's own; names are alike whatever their case here.
  fs::path host = drives_[drive] ? *drives_[drive] : NativeRoot(drive);
  for (std::string_view part : parts) host /= fs::path(std::u8string(part.begin(), part.end()));
  return host;
#else
  if (!drives_[drive]) return std::nullopt;
  fs::path host = *drives_[drive];
  bool exists = true;  // once a component is missing, the rest is kept as written
  for (std::string_view part : parts) {
    if (exists) {
      std::error_code ec;
      if (fs::exists(fs::symlink_status(host / part, ec))) {
        host /= part;
        continue;
      }
      if (auto match = FindIgnoringCase(host, part)) {
        host /= *match;
        continue;
      }
      exists = false;
    }
    host /= part;
  }
  return host;
#endif
}

std::optional<std::string> DriveTable::ToWindows(const fs::path& hostPath) const {
#ifdef _WIN32
  // A network path has no drive. GCC's library does not see its root name, so completing
  // it would put it on the current drive.
  const std::wstring& text = hostPath.native();
  const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  if (text.size() >= 2 && separator(text[0]) && separator(text[1])) return std::nullopt;
  std::error_code ec;
  const fs::path path = fs::absolute(hostPath, ec).lexically_normal();
  if (ec) return std::nullopt;
  // A mapped folder first, the longest mapping winning; else the host's own drive.
  int best = -1;
  std::size_t bestDepth = 0;
  for (int i = 0; i < 26; ++i) {
    std::size_t depth = 0;
    if (drives_[i] && IsPrefix(drives_[i]->lexically_normal(), path, depth) &&
        (best < 0 || depth > bestDepth)) {
      best = i;
      bestDepth = depth;
    }
  }
  if (best < 0) {
    const std::wstring root = path.root_name().native();
    if (root.size() != 2 || root[1] != L':' || !path.has_root_directory()) return std::nullopt;
    best = WindowsPath::DriveIndex(static_cast<char>(root[0]));
    if (best < 0) return std::nullopt;
    bestDepth = 2;  // the drive and its root
  }
  std::string out(1, static_cast<char>('A' + best));
  out += ":\\";
  std::size_t index = 0;
  bool first = true;
  for (const fs::path& part : path) {
    if (index++ < bestDepth || part.empty()) continue;
    if (!first) out += '\\';
    const std::u8string name = part.u8string();
    out.append(name.begin(), name.end());
    first = false;
  }
  return out;
#else
  std::error_code ec;
  const fs::path absolute = fs::absolute(hostPath, ec);
  if (ec) return std::nullopt;
  fs::path canonical = fs::weakly_canonical(absolute, ec);
  if (ec) canonical = absolute.lexically_normal();

  int best = -1;
  std::size_t bestDepth = 0;
  for (int i = 0; i < 26; ++i) {
    if (!drives_[i]) continue;
    fs::path target = fs::weakly_canonical(*drives_[i], ec);
    if (ec) target = drives_[i]->lexically_normal();
    std::size_t depth = 0;
    if (IsPrefix(target, canonical, depth) && (best < 0 || depth > bestDepth)) {
      best = i;
      bestDepth = depth;
    }
  }
  if (best < 0) return std::nullopt;

  std::string out(1, static_cast<char>('A' + best));
  out += ":\\";
  std::size_t index = 0;
  bool first = true;
  for (const fs::path& part : canonical) {
    if (index++ < bestDepth || part.empty()) continue;
    if (!first) out += '\\';
    out += part.string();
    first = false;
  }
  return out;
#endif
}

}  // namespace orva
