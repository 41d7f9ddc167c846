#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orva {

// Paths cross into and out of the program as UTF-8 text. A path's narrow string is the
// system's code page on Windows, so the conversion is always spelled out.
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::filesystem::path PathOfUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace orva
