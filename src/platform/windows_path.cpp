#include "platform/windows_path.h"

#include <algorithm>
#include <array>

namespace orva {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Bytes no Windows name holds: control characters and <>:"|?*. A table, as every component
// of every program path of a catalogue is checked at start-up.
constexpr std::array<bool, 256> kNotInNames = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[c] = true;
  for (const char c : std::string_view("<>:\"|?*")) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

bool IsValidName(std::string_view name) {
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return kNotInNames[static_cast<unsigned char>(c)]; });
}

}  // namespace

std::optional<WindowsPath> WindowsPath::Parse(std::string_view text) {
  if (text.size() < 3 || text[1] != ':' || !IsSeparator(text[2])) return std::nullopt;
  WindowsPath path;
  path.drive_ = DriveIndex(text[0]);
  if (path.drive_ < 0) return std::nullopt;
  // At most one component per separator, and the last: one allocation for all of them.
  path.components_.reserve(
      static_cast<std::size_t>(std::count_if(text.begin() + 3, text.end(), IsSeparator)) + 1);
  std::size_t i = 3;
  while (i < text.size()) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    std::size_t end = i;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    if (end > i) path.components_.push_back(text.substr(i, end - i));
    i = end;
  }
  path.endsWithSeparator_ = IsSeparator(text.back());
  return path;
}

int WindowsPath::DriveIndex(char letter) {
  if (letter >= 'a' && letter <= 'z') return letter - 'a';
  if (letter >= 'A' && letter <= 'Z') return letter - 'A';
  return -1;
}

bool WindowsPath::NamesAreValid() const {
  return std::all_of(components_.begin(), components_.end(), IsValidName);
}

bool WindowsPath::HasDotComponents() const {
  return std::any_of(components_.begin(), components_.end(),
                     [](std::string_view part) { return part == "." || part == ".."; });
}

std::vector<std::string_view> WindowsPath::Resolved() const {
  std::vector<std::string_view> parts;
  parts.reserve(components_.size());
  for (std::string_view part : components_) {
    if (part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  return parts;
}

std::string_view WindowsPath::FolderOf(std::string_view text) {
  const auto last = text.rfind('\\');
  if (last == std::string_view::npos) return {};
  return text.substr(0, last + 1);
}

std::string_view WindowsPath::FileNameOf(std::string_view text) {
  const auto last = text.rfind('\\');
  if (last == std::string_view::npos) return text;
  return text.substr(last + 1);
}

}  // namespace orva
