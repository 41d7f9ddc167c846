#include "platform/windows_program.h"

#include <cstring>

namespace orva {
namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::uint16_t kMachineI386 = 0x014C;

std::uint32_t LittleEndian(const char* bytes, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

}  // namespace

WindowsMachine WindowsMachineOf(const ReadAt& readAt) {
  char dos[kDosHeaderSize];
  const std::size_t got = readAt(0, dos, sizeof dos);
  if (got < 2 || dos[0] != 'M' || dos[1] != 'Z') return WindowsMachine::kNotWindows;
  if (got < sizeof dos) return WindowsMachine::kOther;
  // "PE\0\0", then the machine.
  char pe[6];
  const std::uint32_t offset = LittleEndian(dos + kPeOffsetField, 4);
  if (readAt(offset, pe, sizeof pe) != sizeof pe || std::memcmp(pe, "PE\0\0", 4) != 0) {
    return WindowsMachine::kOther;
  }
  return LittleEndian(pe + 4, 2) == kMachineI386 ? WindowsMachine::kI386 : WindowsMachine::kOther;
}

}  // namespace orva
