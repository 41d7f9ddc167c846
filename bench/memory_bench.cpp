#include <QApplication>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/figures.h"
#include "bench/works_setup.h"
#include "widgets/spread_grid.h"

namespace orva::bench {
namespace {

constexpr int kRecords = 32767;
constexpr double kGoalMegabytes = kRecords * 931 / 1e6;

// A "Vm...:  1234 kB" line of /proc/self/status, in kB.
long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
  }
  return -1;
}

struct Usage {
  long peakKb = -1;
  long residentKb = -1;
};

Usage RunChild(const char* self, const std::string& prefix, bool load) {
  const std::string command =
      std::string(self) + " --memory-child=" + prefix + (load ? " load" : " empty");
  Usage usage;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    if (std::fscanf(pipe, "%ld %ld", &usage.peakKb, &usage.residentKb) != 2) usage = {};
    ::pclose(pipe);
  }
  return usage;
}

}  // namespace

// Shows the works grid, filled from the prefix's works file or left empty, and prints peak
// and current resident kB. The parent writes the file, so building it costs the child nothing.
int RunMemoryChild(const std::string& prefix, bool loadWorks) {
  const WorksSetup setup{std::filesystem::path(prefix)};
  SpreadGrid grid;
  setup.Design(grid);
  if (loadWorks) setup.Load(grid);
  QCoreApplication::processEvents();
  std::printf("%ld %ld\n", StatusKilobytes("VmHWM:"), StatusKilobytes("VmRSS:"));
  return 0;
}

int PrintMemoryFigure(const char* self) {
  const WorksSetup setup(kRecords);
  const std::string prefix = setup.Prefix().Root().string();
  const Usage empty = RunChild(self, prefix, false);
  const Usage full = RunChild(self, prefix, true);
  if (empty.peakKb < 0 || full.peakKb < 0) {
    std::printf("memory_32767: not measured\n");
    return 1;
  }
  const double peak = (full.peakKb - empty.peakKb) * 1024 / 1e6;
  const double resident = (full.residentKb - empty.residentKb) * 1024 / 1e6;
  const bool met = peak <= kGoalMegabytes;
  std::printf(
      "memory_32767: %.1f MB peak over empty grid (goal <= %.1f MB)  resident after "
      "load %.1f MB over empty%s\n",
      peak, kGoalMegabytes, resident, met ? "" : "  MISSED");
  return met ? 0 : 1;
}

}  // namespace orva::bench
