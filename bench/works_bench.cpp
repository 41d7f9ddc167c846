#include <QApplication>
#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include "bench/bench_data.h"
#include "bench/bench_prefix.h"
#include "bench/figures.h"
#include "bench/works_setup.h"
#include "ui/works_list.h"
#include "widgets/spread_grid.h"
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

// Whether a record costs more in a larger file: the slope of the load time from 1,000 to
// 8,000 records against the slope from 8,000 to 32,767, so that fixed costs (opening the
// file, the first paint, the row header growing a digit) cancel out. A difference of two
// times is exposed to the machine's moods, so the three sizes load in turns within each
// round and each slope is the median over the rounds. Their ratio is taken once: a ratio per
// round, larger over smaller, grows with the noise alone (one round's 1,000-to-8,000 slope
// can come out negative), and its median with it.
void WorksScaling(benchmark::State& state) {
  constexpr int kSizes[] = {1000, 8000, 32767};
  std::vector<std::unique_ptr<WorksSetup>> setups;
  std::vector<std::unique_ptr<SpreadGrid>> grids;
  for (int records : kSizes) {
    setups.push_back(std::make_unique<WorksSetup>(records));
    grids.push_back(std::make_unique<SpreadGrid>());
    setups.back()->Design(*grids.back());
  }
  std::vector<double> lowers, uppers;
  for (auto _ : state) {
    double seconds[3];
    for (int k = 0; k < 3; ++k) {
      grids[k]->SetRowCount(0);
      QCoreApplication::processEvents();
      Stopwatch watch;
      setups[k]->Load(*grids[k]);
      seconds[k] = watch.Seconds();
    }
    const double lower = (seconds[1] - seconds[0]) / (kSizes[1] - kSizes[0]);
    const double upper = (seconds[2] - seconds[1]) / (kSizes[2] - kSizes[1]);
    lowers.push_back(lower * 1e6);
    uppers.push_back(upper * 1e6);
    state.SetIterationTime(seconds[0] + seconds[1] + seconds[2]);
  }
  const double lower = Median(lowers);
  const double upper = Median(uppers);
  state.counters["spread"] = lower > 0 && upper > 0
                                 ? std::max(lower, upper) / std::min(lower, upper)
                                 : std::numeric_limits<double>::infinity();
  state.counters["lower_us"] = lower;
  state.counters["upper_us"] = upper;
  state.counters["rounds"] = static_cast<double>(lowers.size());
}

}  // namespace

void RegisterWorksBenchmarks() {
  benchmark::RegisterBenchmark("works_scaling", WorksScaling)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(21);
  for (int records : {1000, 8000, 32767}) {
    const std::string name = "works_" + std::to_string(records);
    const int repetitions = 15;
    Timed(benchmark::RegisterBenchmark(name.c_str(), WorksLoad, records), repetitions);
    Timed(benchmark::RegisterBenchmark((name + "/raw").c_str(), WorksRaw, records), repetitions);
  }
}

}  // namespace orva::bench
