#pragma once

#include <sys/types.h>

#include <cstdint>

namespace orva::bench {

// What a process and all its threads have done so far, from /proc.
struct ProcessActivity {
  std::int64_t cpuNanoseconds = 0;   // time on a CPU, all threads
  std::int64_t contextSwitches = 0;  // voluntary and involuntary, all threads: its wake-ups
};

ProcessActivity ActivityOf(pid_t pid);
long ResidentKilobytes(pid_t pid);  // VmRSS; -1 when unknown

}  // namespace orva::bench
