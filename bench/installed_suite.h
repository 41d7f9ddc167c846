#pragma once

#include <filesystem>
#include <vector>

#include "bench/bench_prefix.h"
#include "catalogue/install_paths.h"

namespace orva::bench {

// A suite of `perCategory` entries in each of `categories` categories, every program
// installed, 20 icon files shared among them, and the user catalogue as the launcher saves
// it after a run (the same entries, full paths).
struct InstalledSuite {
  InstalledSuite(int categories, int perCategory);

  BenchPrefix prefix;
  InstallPaths paths;
  // Each path start-up tests: every program, every icon, the updater.
  std::vector<std::filesystem::path> testedPaths;
};

}  // namespace orva::bench
