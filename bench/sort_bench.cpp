#include <QString>
#include <algorithm>

#include "bench/figures.h"
#include "bench/works_setup.h"
#include "ui/grid_designs.h"
#include "ui/works_list.h"
#include "widgets/spread_grid.h"
#include "works/era_date.h"

namespace orva::bench {
namespace {

constexpr int kRows = 32767;
constexpr int kNumberColumn = 1;

// The works list in file order, as the window lists it, in a works grid not shown; false
// when it could not be read, so no figure is taken of an empty grid.
bool List(SpreadGrid& grid, const WorksSetup& setup, const EraDateFormatter& dates) {
  return LoadWorksFile(grid, setup.Prefix().Files(), WorksSetup::kWorksFile, false, setup.Codec(),
                       dates) == err::kNone;
}

// One header click on an unsorted list: the first click on a column sorts descending.
void Sort(benchmark::State& state, int column) {
  const WorksSetup setup(kRows);
  const EraDateFormatter dates;
  SpreadGrid grid;
  DesignWorksGrid(grid);
  for (auto _ : state) {
    if (!List(grid, setup, dates)) {
      state.SkipWithError("the works file could not be listed");
      return;
    }
    WorksSorter sorter;
    Stopwatch watch;
    sorter.SortWorksByColumn(grid, column);
    state.SetIterationTime(watch.Seconds());
  }
}

template <typename Key, typename Greater>
void SortKeys(benchmark::State& state, const std::vector<Key>& keys, Greater greater) {
  for (auto _ : state) {
    std::vector<Key> sorted = keys;
    Stopwatch watch;
    std::stable_sort(sorted.begin(), sorted.end(), greater);
    state.SetIterationTime(watch.Seconds());
    benchmark::DoNotOptimize(sorted.data());
  }
}

void SortRaw(benchmark::State& state, int column) {
  const WorksSetup setup(kRows);
  const EraDateFormatter dates;
  SpreadGrid grid;
  DesignWorksGrid(grid);
  if (!List(grid, setup, dates)) {
    state.SkipWithError("the works file could not be listed");
    return;
  }
  if (column == kNumberColumn) {
    std::vector<double> keys;
    for (int row = 1; row <= grid.RowCount(); ++row) {
      keys.push_back(grid.Number(column, row).value_or(0));
    }
    SortKeys(state, keys, [](double a, double b) { return a > b; });
    return;
  }
  std::vector<QString> keys;
  for (int row = 1; row <= grid.RowCount(); ++row) keys.push_back(grid.Text(column, row));
  SortKeys(state, keys, [](const QString& a, const QString& b) { return a.compare(b) > 0; });
}

}  // namespace

void RegisterSortBenchmarks() {
  const std::pair<const char*, int> columns[] = {
      {"sort_number", 1}, {"sort_date", 2}, {"sort_name", 3}};
  for (auto [name, column] : columns) {
    Timed(benchmark::RegisterBenchmark(name, Sort, column), 15);  // a millisecond or so: more runs
    Timed(benchmark::RegisterBenchmark((std::string(name) + "/raw").c_str(), SortRaw, column), 15);
  }
}

}  // namespace orva::bench
