#include <QString>
#include <algorithm>

#include "bench/bench_data.h"
#include "bench/figures.h"
#include "platform/cp932_codec.h"
#include "widgets/spread_grid.h"
#include "ui/grid_designs.h"
#include "works/era_date.h"
#include "works/works_file.h"
#include "ui/works_list.h"

namespace orva::bench {
namespace {

constexpr int kRows = 32767;
constexpr int kNumberColumn = 1;
constexpr int kDateColumn = 2;

std::vector<WorksRow> Rows() {
  Cp932Codec codec;
  EraDateFormatter dates;
  return DecodeWorksFile(BuildWorksFile(kRows, codec), false, codec, dates);
}

// One header click on an unsorted list: the first click on a column sorts descending.
void Sort(benchmark::State& state, int column) {
  const std::vector<WorksRow> rows = Rows();
  SpreadGrid grid;
  DesignWorksGrid(grid);
  for (auto _ : state) {
    FillWorksGrid(grid, rows);
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
  const std::vector<WorksRow> rows = Rows();
  if (column == kNumberColumn) {
    std::vector<double> keys;
    for (const WorksRow& row : rows) keys.push_back(row.number);
    SortKeys(state, keys, [](double a, double b) { return a > b; });
    return;
  }
  std::vector<QString> keys;
  for (const WorksRow& row : rows) {
    keys.push_back(QString::fromStdString(column == kDateColumn ? row.date : row.name));
  }
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
