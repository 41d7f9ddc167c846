#pragma once

#include <QColor>
#include <array>
#include <cstdint>

namespace orva {

// A colour value as the suite stores it: red + 256 * green + 65536 * blue.
inline constexpr std::uint32_t Rgb(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red + 256 * green + 65536 * blue);
}
inline QColor ToQColor(std::uint32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Slot 0 is unused; slots 1..5: missing program, menu title, works list, executable path,
// combined-grid title.
using GridColors = std::array<std::uint32_t, 6>;

inline GridColors DefaultGridColors() {
  return {0,
          Rgb(192, 192, 192),
          Rgb(196, 255, 255),
          Rgb(185, 255, 185),
          Rgb(255, 255, 166),
          Rgb(196, 196, 255)};
}

inline constexpr int kMissingColorSlot = 1;
inline constexpr int kMenuTitleColorSlot = 2;
inline constexpr int kWorksListColorSlot = 3;
inline constexpr int kExecutableColorSlot = 4;
inline constexpr int kCombinedTitleColorSlot = 5;

}  // namespace orva
