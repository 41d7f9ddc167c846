#include "bench/figures.h"

#include <algorithm>
#include <cstdio>
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

// One "name: ratio x raw (goal)" line; returns 1 when the goal is missed.
int RatioLine(const Timings& times, const std::string& name, double goal) {
  const auto measured = times.find(name);
  const auto raw = times.find(name + "/raw");
  if (measured == times.end() || raw == times.end()) return 0;  // filtered out
  const double ratio = measured->second / raw->second;
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
  for (const char* name : {"works_1000", "works_8000", "works_32767"}) {
    missed += RatioLine(times, name, 2.0);
  }
  // Cost per record: the dearest of the three sizes against the cheapest.
  double lowest = 0;
  double highest = 0;
  bool all = true;
  for (auto [name, records] : {std::pair{"works_1000", 1000}, {"works_8000", 8000},
                               {"works_32767", 32767}}) {
    const auto it = times.find(name);
    if (it == times.end()) {
      all = false;
      break;
    }
    const double perRecord = it->second / records;
    lowest = lowest == 0 ? perRecord : std::min(lowest, perRecord);
    highest = std::max(highest, perRecord);
  }
  if (all) {
    const double spread = highest / lowest;
    std::printf("works_per_record: %.2f x (dearest vs cheapest size, goal <= 1.5)  "
                "%.2f us vs %.2f us per record%s\n",
                spread, highest * 1e3, lowest * 1e3, spread <= 1.5 ? "" : "  MISSED");
    missed += spread <= 1.5 ? 0 : 1;
  }
  for (const char* name : {"sort_number", "sort_date", "sort_name"}) {
    missed += RatioLine(times, name, 3.0);
  }
  return missed;
}

}  // namespace orva::bench
