#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

namespace orva {

// An unsigned key per number whose order is the numbers' order: -0 sorts as 0, and NaNs,
// which compare with nothing, lie beyond the infinities on the side of their sign.
inline std::uint64_t NumberOrderKey(double value) {
  if (value == 0) value = 0;  // -0 and 0 are equal, so they must share a key
  const auto bits = std::bit_cast<std::uint64_t>(value);
  constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
  // Negative numbers grow as their bits shrink; positive ones go above every negative one.
  return (bits & kSign) != 0 ? ~bits : bits | kSign;
}

// The indexes of `values` in ascending or descending order, equal values keeping their order.
// A radix sort: a long works list sorts in a few passes over its numbers, whatever their order.
std::vector<int> StableNumberOrder(std::span<const double> values, bool ascending);

struct NumberSortKey {
  std::span<const double> values;  // one per item, as many for every key
  bool ascending;
};

// The same on several keys, the first deciding; items equal on all keep their order.
std::vector<int> StableNumberOrder(std::span<const NumberSortKey> keys);

}  // namespace orva
