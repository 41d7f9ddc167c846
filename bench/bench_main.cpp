#include <QApplication>
#include <cstring>
#include <iostream>

#include "bench/figures.h"

namespace {

constexpr const char* kMemoryChildFlag = "--memory-child=";

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
  missed += orva::bench::PrintMemoryFigure(argv[0]);
  std::cout << (missed == 0 ? "all goals met" : std::to_string(missed) + " goal(s) missed")
            << std::endl;
  return missed == 0 ? 0 : 2;
}
