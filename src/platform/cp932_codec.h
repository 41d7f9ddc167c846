#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orva {

// Code page 932 exactly as Windows reads and writes it. Text inside the program is UTF-8.
// The lookup tables are built on the first use in a process and shared by every codec, so
// making a codec costs nothing (a window that never reads a file never builds them).
class Cp932Codec {
 public:
  // Invalid byte sequences decode to U+FFFD, one per bad byte; NUL bytes are kept.
  std::string Decode(std::string_view bytes) const;
  // The same into `out`, whose storage is reused: readers of many fields allocate less.
  // Whether encoding the text gives `bytes` back: not when they hold a byte that is no
  // character, or a second code of a character.
  bool DecodeInto(std::string_view bytes, std::string& out) const;

  // The same decoding straight to UTF-16 (every character of the code page is below U+10000):
  // writes at most bytes.size() units to `out` and returns how many it wrote.
  std::size_t DecodeUtf16(std::string_view bytes, char16_t* out) const;

  // Characters code page 932 cannot hold become '?', as Windows writes them.
  std::string EncodeLossy(std::string_view utf8) const;

  // nullopt when any character cannot be written.
  std::optional<std::string> Encode(std::string_view utf8) const;
  // Whether Encode would succeed, without writing anything.
  bool CanEncode(std::string_view utf8) const;

  struct Tables;  // the lookup tables, private to the codec's source

 private:
  static const Tables& SharedTables();
};

}  // namespace orva
