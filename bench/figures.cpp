#include "bench/figures.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>

namespace orva::bench {
namespace {

double ToMilliseconds(double time, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond: return time / 1e6;
    case benchmark::kMicrosecond: return time / 1e3;
    case benchmark::kMillisecond: return time;
    case benchmark::kSecond: return time * 1e3;
  }
  return time;
}

// One "name: ratio x raw (goal)" line; returns 1 when the goal is missed. No goal: 0.
int RatioLine(const Timings& times, const std::string& name, double goal) {
  const auto measured = times.find(name);
  const auto raw = times.find(name + "/raw");
  if (measured == times.end() || raw == times.end()) return 0;  // filtered out
  const double ratio = measured->second / raw->second;
  if (goal <= 0) {
    std::printf("%s: %.2f x raw (no goal)  abs %.1f ms, raw %.1f ms\n", name.c_str(), ratio,
                measured->second, raw->second);
    return 0;
  }
  std::printf("%s: %.2f x raw (goal <= %.1f)  abs %.1f ms, raw %.1f ms%s\n", name.c_str(), ratio,
              goal, measured->second, raw->second, ratio <= goal ? "" : "  MISSED");
  return ratio <= goal ? 0 : 1;
}

}  // namespace

benchmark::internal::Benchmark* Timed(benchmark::internal::Benchmark* bench, int repetitions,
                                      int iterations) {
  return bench->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(iterations)
      ->Repetitions(repetitions)
      ->ComputeStatistics("min",
                          [](const std::vector<double>& v) {
                            return *std::min_element(v.begin(), v.end());
                          })
      ->ReportAggregatesOnly(true);
}

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "min" || run.error_occurred) {
      continue;
    }
    times_[run.run_name.function_name] = ToMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
  }
  ConsoleReporter::ReportRuns(runs);
}

int PrintFigures(const Timings& times) {
  int missed = 0;
  missed += RatioLine(times, "startup_6x999", 2.0);
  for (const char* name : {"startup_1", "startup_6x999"}) {
    if (auto it = times.find(name); it != times.end()) {
      std::printf("%s: abs %.1f ms\n", name, it->second);
    }
  }
  missed += RatioLine(times, "works_32767", 2.0);
  for (const char* name : {"works_1000", "works_8000"}) RatioLine(times, name, 0);
  // Cost per record beyond a list of 100, which fills the grid's window: its time is the
  // first paint of a full window and the file's opening. The dearest size against the
  // cheapest.
  const auto single = times.find("works_100");
  double lowest = 0;
  double highest = 0;
  bool all = single != times.end();
  for (auto [name, records] : {std::pair{"works_1000", 1000}, {"works_8000", 8000},
                               {"works_32767", 32767}}) {
    const auto it = times.find(name);
    if (!all || it == times.end()) {
      all = false;
      break;
    }
    const double perRecord = (it->second - single->second) / (records - 100);
    std::printf("%s: %.2f us per record beyond 100 (abs per record %.2f us)\n", name,
                perRecord * 1e3, it->second / records * 1e3);
    lowest = lowest == 0 ? perRecord : std::min(lowest, perRecord);
    highest = std::max(highest, perRecord);
  }
  if (all) {
    // A cost that is not positive means the machine's noise hid the records' cost: that is
    // no figure, and it counts as missed.
    const double spread = lowest > 0 ? highest / lowest : std::numeric_limits<double>::infinity();
    std::printf("works_per_record: %.2f x (dearest vs cheapest size, goal <= 1.5)  first paint "
                "of 100 records %.1f ms%s\n",
                spread, single->second, spread <= 1.5 ? "" : "  MISSED");
    missed += spread <= 1.5 ? 0 : 1;
  }
  for (const char* name : {"sort_number", "sort_date", "sort_name"}) {
    missed += RatioLine(times, name, 3.0);
  }
  return missed;
}

}  // namespace orva::bench
