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
  // Cost per record: the slope between 1,000 and 8,000 records against the slope between
  // 8,000 and 32,767, so that the fixed costs (opening the file, the first paint, the row
  // header growing a digit) cancel out. A slope that noise makes non-positive is no figure
  // and counts as missed.
  const auto at = [&times](const char* name) {
    const auto it = times.find(name);
    return it == times.end() ? -1.0 : it->second;
  };
  const double t1000 = at("works_1000");
  const double t8000 = at("works_8000");
  const double t32767 = at("works_32767");
  if (t1000 > 0 && t8000 > 0 && t32767 > 0) {
    const double lower = (t8000 - t1000) / 7000;
    const double upper = (t32767 - t8000) / 24767;
    const bool measured = lower > 0 && upper > 0;
    const double spread = measured ? std::max(lower, upper) / std::min(lower, upper)
                                   : std::numeric_limits<double>::infinity();
    std::printf("works_per_record: %.2f x (goal <= 1.5)  %.2f us per record from 1,000 to "
                "8,000, %.2f us from 8,000 to 32,767%s\n",
                spread, lower * 1e3, upper * 1e3, spread <= 1.5 ? "" : "  MISSED");
    missed += spread <= 1.5 ? 0 : 1;
    if (const double t100 = at("works_100"); t100 > 0) {
      std::printf("works_100: abs %.1f ms (a full window's first paint); 1,000 records cost "
                  "%.2f us each beyond it\n",
                  t100, (t1000 - t100) / 900 * 1e3);
    }
  }
  for (const char* name : {"sort_number", "sort_date", "sort_name"}) {
    missed += RatioLine(times, name, 3.0);
  }
  return missed;
}

}  // namespace orva::bench
