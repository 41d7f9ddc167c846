#pragma once

#include <cstddef>
#include <string_view>

namespace orva {

// Reads comma/line-delimited fields the way the suite's text files are written:
// commas and line ends both end a field, so a short line continues on the next one;
// blanks before a field are skipped; double quotes around a field are removed and
// protect commas. A quoted field without its closing quote ends at the line end.
// Works on raw bytes (code page 932 keeps ',', '"', CR and LF single-byte).
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  // True when nothing but blanks and line ends is left.
  bool AtEnd() const;

  // The next field's bytes; false (and an empty field) when the input is exhausted,
  // which callers report as reading past the end.
  bool Next(std::string_view& field);

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool afterComma_ = false;
};

// The text before the first line end: all that counts in a one-line file.
std::string_view FirstLine(std::string_view bytes);

}  // namespace orva
