#pragma once

#include <string>
#include <string_view>

namespace orva {

// Splits a Windows-form path at its last "\". The text is UTF-8, and "\" never occurs
// inside a multi-byte UTF-8 sequence, so a byte search is exact.

// Up to and including the last "\"; empty when there is none.
std::string PathFolder(std::string_view path);

// After the last "\"; the whole path when there is none.
std::string PathFileName(std::string_view path);

}  // namespace orva
