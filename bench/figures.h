#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace orva::bench {

// Milliseconds of one timed stretch, for manual-time benchmarks.
class Stopwatch {
 public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

// Manual time in ms, `repetitions` runs of `iterations` each, reporting the fastest run:
// on a shared machine the fastest is the one least disturbed by others.
benchmark::internal::Benchmark* Timed(benchmark::internal::Benchmark* bench, int repetitions,
                                      int iterations = 1);

// The middle value (the upper one of an even count); 0 when there is none.
double Median(std::vector<double> values);

// Fastest run's real time per iteration in milliseconds, by benchmark function name.
using Timings = std::map<std::string, double>;

// Passes runs to the console and keeps their times for the ratio lines.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  const Timings& Times() const { return times_; }
  // Counters a benchmark computed itself, by function name and counter name.
  const std::map<std::string, Timings>& Counters() const { return counters_; }

 private:
  Timings times_;
  std::map<std::string, Timings> counters_;
};

void RegisterStartupBenchmarks();
void RegisterWorksBenchmarks();
void RegisterSortBenchmarks();

// Ends a figure's line; 1 when the ratio misses its goal (a ratio noise made zero or
// negative counts as a miss).
int GoalVerdict(double ratio, double goal);

// Prints one line per figure; returns the number of goals missed.
int PrintFigures(const Timings& times, const std::map<std::string, Timings>& counters);

// Peak resident memory of a child process showing a works grid; see memory_bench.cpp.
int RunMemoryChild(const std::string& prefix, bool loadWorks);
int PrintMemoryFigure(const char* self);

// Whole-process start-up, idle and memory against a bare Qt window, on the X display;
// see coldstart_bench.cpp. Returns the number of goals missed.
int PrintColdStartFigures();

}  // namespace orva::bench
