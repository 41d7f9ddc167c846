#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace orva {

// What a program file is to a start through Wine: not a Windows program at all (it does
// not begin with "MZ"), a 32-bit x86 one (PE machine i386), or any other Windows program,
// including one whose PE header cannot be read (Wine is left to judge it).
enum class WindowsMachine { kNotWindows, kI386, kOther };

// Reads up to `count` bytes at `offset` into `into`; the number read.
using ReadAt = std::function<std::size_t(std::uint64_t offset, char* into, std::size_t count)>;

// From the file's DOS header and the PE header it points to.
WindowsMachine WindowsMachineOf(const ReadAt& readAt);

}  // namespace orva
