#include "works/works_record.h"

#include <bit>
#include <cassert>

namespace orva {
namespace {

// Field offsets and widths within a record.
constexpr std::size_t kNumberAt = 0;
constexpr std::size_t kNameFirstAt = 4;
constexpr std::size_t kNameSecondAt = 54;
constexpr std::size_t kNameHalfSize = 50;
constexpr std::size_t kClientAt = 139;
constexpr std::size_t kRouteAt = 191;
constexpr std::size_t kTextSize = 50;
constexpr std::size_t kDateAt = 241;
constexpr std::size_t kDateSize = 8;
// Each cost is element 1 of a pair of 64-bit reals.
constexpr std::size_t kDirectCostAt = 495 + 8;
constexpr std::size_t kTotalCostAt = 543 + 8;

// Assembled byte by byte so neither alignment nor host byte order matters.
std::uint64_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = size; i-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

}  // namespace

WorksRecord ReadWorksRecord(std::string_view bytes) {
  assert(bytes.size() >= kWorksRecordSize);
  WorksRecord record;
  record.number =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(LittleEndian(bytes, kNumberAt, 4)));
  record.nameFirst = bytes.substr(kNameFirstAt, kNameHalfSize);
  record.nameSecond = bytes.substr(kNameSecondAt, kNameHalfSize);
  record.client = bytes.substr(kClientAt, kTextSize);
  record.route = bytes.substr(kRouteAt, kTextSize);
  record.date = bytes.substr(kDateAt, kDateSize);
  record.directCost = std::bit_cast<double>(LittleEndian(bytes, kDirectCostAt, 8));
  record.totalCost = std::bit_cast<double>(LittleEndian(bytes, kTotalCostAt, 8));
  return record;
}

}  // namespace orva
