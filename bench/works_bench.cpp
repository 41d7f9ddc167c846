#include <QApplication>

#include "bench/bench_data.h"
#include "bench/bench_prefix.h"
#include "bench/figures.h"
#include "bench/works_setup.h"
#include "platform/spread_grid.h"
#include "works/works_list.h"
#include "works/works_record.h"

namespace orva::bench {
namespace {

void WorksLoad(benchmark::State& state, int records) {
  WorksSetup setup(records);
  SpreadGrid grid;
  setup.Design(grid);
  for (auto _ : state) {
    grid.SetRowCount(0);
    QCoreApplication::processEvents();
    Stopwatch watch;
    setup.Load(grid);
    state.SetIterationTime(watch.Seconds());
    if (grid.RowCount() != records) {
      state.SkipWithError("works list not loaded");
      break;
    }
  }
}

// Trailing blanks trimmed, as any reader would before decoding.
std::string_view Trimmed(std::string_view field) {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return field;
}

void WorksRaw(benchmark::State& state, int records) {
  WorksSetup setup(records);
  const auto host = setup.Prefix().Host(WorksSetup::kWorksFile);
  for (auto _ : state) {
    Stopwatch watch;
    const std::string bytes = RawRead(host);
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(records) * 4);
    for (std::size_t at = 0; at + kWorksRecordSize <= bytes.size(); at += kWorksRecordSize) {
      const std::string_view record(bytes.data() + at, kWorksRecordSize);
      for (std::size_t offset : {4, 54, 139, 191}) {
        texts.push_back(setup.Codec().Decode(Trimmed(record.substr(offset, 50))));
      }
    }
    benchmark::DoNotOptimize(texts.data());
    state.SetIterationTime(watch.Seconds());
  }
}

}  // namespace

void RegisterWorksBenchmarks() {
  // The small lists take a few milliseconds, near the noise of a shared machine: more runs.
  Timed(benchmark::RegisterBenchmark("works_100", WorksLoad, 100), 40);
  for (int records : {1000, 8000, 32767}) {
    const std::string name = "works_" + std::to_string(records);
    const int repetitions = records <= 1000 ? 40 : 15;
    Timed(benchmark::RegisterBenchmark(name.c_str(), WorksLoad, records), repetitions);
    Timed(benchmark::RegisterBenchmark((name + "/raw").c_str(), WorksRaw, records), repetitions);
  }
}

}  // namespace orva::bench
