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

std::vector<int> StableNumberOrder(std::span<const NumberSortKey> keys) {
  if (keys.empty()) return {};
  // The last key first: each sort after it is stable, so its ties stay in the order so far.
  std::vector<int> order = StableNumberOrder(keys.back().values, keys.back().ascending);
  std::vector<double> arranged(order.size());
  std::vector<int> composed(order.size());
  for (std::size_t k = keys.size() - 1; k-- > 0;) {
    for (std::size_t i = 0; i < order.size(); ++i) arranged[i] = keys[k].values[order[i]];
    const std::vector<int> step = StableNumberOrder(arranged, keys[k].ascending);
    for (std::size_t i = 0; i < order.size(); ++i) composed[i] = order[step[i]];
    order.swap(composed);
  }
  return order;
}

}  // namespace orva
