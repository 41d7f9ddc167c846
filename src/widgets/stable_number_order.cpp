#include "widgets/stable_number_order.h"

#include <array>
#include <cstddef>
#include <utility>

namespace orva {

std::vector<int> StableNumberOrder(std::span<const double> values, bool ascending) {
  struct Item {
    std::uint64_t key;
    int index;
  };
  constexpr int kBytes = sizeof(std::uint64_t);
  const std::size_t count = values.size();
  std::vector<Item> items(count);
  std::array<std::array<std::size_t, 256>, kBytes> tallies{};
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t key = NumberOrderKey(values[i]);
    items[i] = {ascending ? key : ~key, static_cast<int>(i)};
    for (int byte = 0; byte < kBytes; ++byte) ++tallies[byte][(items[i].key >> (8 * byte)) & 0xFF];
  }
  // Least significant byte first; each pass keeps the order of items with equal bytes, so
  // the last pass leaves them ordered by the whole key and equal keys in their first order.
  std::vector<Item> moved(count);
  for (int byte = 0; byte < kBytes && count > 0; ++byte) {
    std::array<std::size_t, 256>& tally = tallies[byte];
    const int shift = 8 * byte;
    if (tally[(items[0].key >> shift) & 0xFF] == count) continue;  // all alike: nothing moves
    std::size_t start = 0;
    for (std::size_t& slot : tally) start += std::exchange(slot, start);
    for (const Item& item : items) moved[tally[(item.key >> shift) & 0xFF]++] = item;
    items.swap(moved);
  }
  std::vector<int> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = items[i].index;
  return order;
}

}  // namespace orva
