#pragma once

#include <cstdint>
#include <string_view>

namespace orva {

// The number formed by the leading decimal digits of `text`, blanks ignored; 0 when it
// starts with no digit. Digits past the eighteenth are not counted, so it cannot overflow.
std::int64_t LeadingNumber(std::string_view text);

}  // namespace orva
