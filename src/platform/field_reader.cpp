#include "platform/field_reader.h"

namespace orva {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool FieldReader::AtEnd() const {
  for (std::size_t i = pos_; i < bytes_.size(); ++i) {
    if (!IsBlank(bytes_[i]) && !IsLineEnd(bytes_[i])) return false;
  }
  return true;
}

bool FieldReader::Next(std::string_view& field) {
  field = {};
  const std::size_t size = bytes_.size();
  const bool afterComma = afterComma_;
  afterComma_ = false;

  // Blanks before a field; blank lines too, unless a comma promised a field on this line.
  while (pos_ < size && (IsBlank(bytes_[pos_]) || (!afterComma && IsLineEnd(bytes_[pos_])))) {
    ++pos_;
  }
  if (pos_ >= size) return afterComma;  // a trailing comma still ends an empty field

  // Consumes the line end or comma at pos_ (if any) and records which it was.
  auto consumeDelimiter = [&] {
    if (pos_ >= size) return;
    const char c = bytes_[pos_++];
    if (c == ',') {
      afterComma_ = true;
    } else if (c == '\r' && pos_ < size && bytes_[pos_] == '\n') {
      ++pos_;
    }
  };

  if (bytes_[pos_] == '"') {
    const std::size_t start = pos_ + 1;
    std::size_t end = start;
    while (end < size && bytes_[end] != '"' && !IsLineEnd(bytes_[end])) ++end;
    field = bytes_.substr(start, end - start);
    pos_ = end;
    if (pos_ < size && bytes_[pos_] == '"') {
      ++pos_;
      // Whatever follows the closing quote up to the delimiter is dropped.
      while (pos_ < size && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
    }
    consumeDelimiter();
    return true;
  }

  const std::size_t start = pos_;
  while (pos_ < size && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
  std::size_t end = pos_;
  while (end > start && IsBlank(bytes_[end - 1])) --end;
  field = bytes_.substr(start, end - start);
  consumeDelimiter();
  return true;
}

std::string_view FirstLine(std::string_view bytes) {
  return bytes.substr(0, bytes.find_first_of("\r\n"));
}

}  // namespace orva
