#include "bench/process_usage.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace orva::bench {
namespace {

// A "Key:   1234 ..." line of a /proc status file; -1 when absent.
long StatusValue(const std::filesystem::path& status, const std::string& key) {
  std::ifstream in(status);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
  }
  return -1;
}

}  // namespace

ProcessActivity ActivityOf(pid_t pid) {
  ProcessActivity activity;
  std::error_code ec;
  const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
  for (const auto& task : std::filesystem::directory_iterator(tasks, ec)) {
    // schedstat: time on a CPU (ns), time waiting to run (ns), timeslices run.
    std::ifstream schedstat(task.path() / "schedstat");
    std::int64_t onCpu = 0;
    if (schedstat >> onCpu) activity.cpuNanoseconds += onCpu;
    for (const char* key : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
      const long switches = StatusValue(task.path() / "status", key);
      if (switches > 0) activity.contextSwitches += switches;
    }
  }
  return activity;
}

long ResidentKilobytes(pid_t pid) {
  return StatusValue("/proc/" + std::to_string(pid) + "/status", "VmRSS:");
}

}  // namespace orva::bench
