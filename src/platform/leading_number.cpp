#include "platform/leading_number.h"

namespace orva {

std::int64_t LeadingNumber(std::string_view text) {
  constexpr int kMaxDigits = 18;
  std::int64_t value = 0;
  int digits = 0;
  for (const char c : text) {
    if (c == ' ') continue;
    if (c < '0' || c > '9' || ++digits > kMaxDigits) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace orva
