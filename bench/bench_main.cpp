#include <QApplication>
#include <cstring>
#include <iostream>
#include <regex>
#include <string>

#include "bench/figures.h"

namespace {

constexpr const char* kMemoryChildFlag = "--memory-child=";
constexpr const char* kFilterFlag = "--benchmark_filter=";

// Whether a figure measured outside Google Benchmark is wanted: the filter applies to its
// name as it does to the benchmarks' names.
bool Wanted(int argc, char** argv, const char* figure) {
  std::string filter;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kFilterFlag, std::strlen(kFilterFlag)) == 0) {
      filter = argv[i] + std::strlen(kFilterFlag);
    }
  }
  return filter.empty() || filter == "all" || std::regex_search(figure, std::regex(filter));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The memory figure re-runs this program once per measured state, each in a fresh process.
  if (argc == 3 && std::strncmp(argv[1], kMemoryChildFlag, std::strlen(kMemoryChildFlag)) == 0) {
    QApplication app(argc, argv);
    return orva::bench::RunMemoryChild(argv[1] + std::strlen(kMemoryChildFlag),
                                       std::strcmp(argv[2], "load") == 0);
  }
  Q_INIT_RESOURCE(icons);
  QApplication app(argc, argv);
  const bool memory = Wanted(argc, argv, "memory_32767");
  const bool coldStart = Wanted(argc, argv, "coldstart");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  orva::bench::RegisterStartupBenchmarks();
  orva::bench::RegisterWorksBenchmarks();
  orva::bench::RegisterSortBenchmarks();
  orva::bench::CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::cout << "\n";
  int missed = orva::bench::PrintFigures(reporter.Times(), reporter.Counters());
  if (memory) missed += orva::bench::PrintMemoryFigure(argv[0]);
  if (coldStart) missed += orva::bench::PrintColdStartFigures();
  std::cout << (missed == 0 ? "all goals met" : std::to_string(missed) + " goal(s) missed")
            << std::endl;
  return missed == 0 ? 0 : 2;
}
