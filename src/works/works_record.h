#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orva {

// One record of a works file: fixed 931 bytes, packed, little-endian, written by the
// estimating programs. Only the fields the launcher shows are read.
inline constexpr std::size_t kWorksRecordSize = 931;

// Text fields are views into the record's bytes, code page 932, still blank-padded.
struct WorksRecord {
  std::int32_t number = 0;  // a live works only when > 0
  std::string_view nameFirst;
  std::string_view nameSecond;
  std::string_view client;
  std::string_view route;
  std::string_view date;  // "YYYYMMDD", Western calendar
  double directCost = 0;
  double totalCost = 0;
};

// `bytes` must hold at least kWorksRecordSize bytes and outlive the result.
WorksRecord ReadWorksRecord(std::string_view bytes);

}  // namespace orva
