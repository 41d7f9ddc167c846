#include "ui/view_state_file.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/field_reader.h"

namespace orva {

std::int16_t ParseViewState(std::string_view bytes) {
  // The first line is the value: a blank one does not hand over to the next.
  FieldReader reader(FirstLine(bytes));
  std::string_view field;
  if (!reader.Next(field)) return 0;
  field = field.substr(0, field.find(' '));
  if (field.starts_with('+')) field.remove_prefix(1);
  double value = 0;
  auto [end, ec] =
      std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != field.data() + field.size()) return 0;
  if (!std::isfinite(value)) return 0;     // "nan" and "inf" parse, but are no number to store
  double rounded = std::nearbyint(value);  // round half to even, as the 16-bit store does
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return 0;
  }
  return static_cast<std::int16_t>(rounded);
}

std::string ViewStateBytes(bool combinedGridVisible) {
  return combinedGridVisible ? "0\r\n" : "1\r\n";
}

}  // namespace orva
