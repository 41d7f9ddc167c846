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
  std::printf("%s: %.2f x raw (goal <= %.1f)  abs %.1f ms, raw %.1f ms", name.c_str(), ratio, goal,
              measured->second, raw->second);
  return GoalVerdict(ratio, goal);
}

// A counter a benchmark set, or `missing` when it set none (it failed or was filtered out).
double Counter(const Timings& counters, const char* name, double missing = 0) {
  const auto it = counters.find(name);
  return it == counters.end() ? missing : it->second;
}

}  // namespace

int GoalVerdict(double ratio, double goal) {
  const bool met = ratio > 0 && ratio <= goal;
  std::printf("%s\n", met ? "" : "  MISSED");
  return met ? 0 : 1;
}

benchmark::internal::Benchmark* Timed(benchmark::internal::Benchmark* bench, int repetitions,
                                      int iterations) {
  return bench->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(iterations)
      ->Repetitions(repetitions)
      ->ComputeStatistics(
          "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
      ->ReportAggregatesOnly(true);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    for (const auto& [name, counter] : run.counters) {
      counters_[run.run_name.function_name][name] = counter.value;
    }
    if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "min") continue;
    times_[run.run_name.function_name] = ToMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
  }
  ConsoleReporter::ReportRuns(runs);
}

int PrintFigures(const Timings& times, const std::map<std::string, Timings>& counters) {
  int missed = 0;
  // Start-up against its raw cost, measured in turns by startup_6x999 (startup_bench.cpp).
  if (const auto it = counters.find("startup_6x999"); it != counters.end()) {
    const Timings& c = it->second;
    const double ratio = Counter(c, "ratio", -1);
    std::printf(
        "startup_6x999: %.2f x raw (goal <= 2.0)  median of %.0f rounds: %.1f ms, "
        "raw %.1f ms",
        ratio, Counter(c, "rounds"), Counter(c, "launcher_ms"), Counter(c, "raw_ms"));
    missed += GoalVerdict(ratio, 2.0);
  }
  if (auto it = times.find("startup_1"); it != times.end()) {
    std::printf("startup_1: abs %.1f ms\n", it->second);
  }
  missed += RatioLine(times, "works_32767", 2.0);
  for (const char* name : {"works_1000", "works_8000"}) RatioLine(times, name, 0);
  // Cost per record, measured by works_scaling (see works_bench.cpp).
  if (const auto it = counters.find("works_scaling"); it != counters.end()) {
    const Timings& c = it->second;
    const double spread = Counter(c, "spread", -1);
    std::printf(
        "works_per_record: %.2f x (goal <= 1.5)  median of %.0f rounds: %.2f us per "
        "record from 1,000 to 8,000, %.2f us from 8,000 to 32,767",
        spread, Counter(c, "rounds"), Counter(c, "lower_us"), Counter(c, "upper_us"));
    missed += GoalVerdict(spread, 1.5);
  }
  for (const char* name : {"sort_number", "sort_date", "sort_name"}) {
    missed += RatioLine(times, name, 3.0);
  }
  return missed;
}

}  // namespace orva::bench
