#pragma once

#include "bench/bench_prefix.h"
#include "platform/cp932_codec.h"
#include "works/era_date.h"

namespace orva {
class SpreadGrid;
}

namespace orva::bench {

// A prefix holding one works file, and the steps the launcher takes to list it.
class WorksSetup {
 public:
  static constexpr const char* kWorksFile = "C:\\VORDELN\\DATA\\n_KOJI.RDM";

  explicit WorksSetup(int records);
  // The works file another process wrote into `prefix`.
  explicit WorksSetup(const std::filesystem::path& prefix) : prefix_(prefix) {}

  // Designs the grid as the window's works grid, sized as in the window, and shows it.
  void Design(SpreadGrid& grid) const;
  // Test, read, decode, fill, then process events until the grid has painted.
  void Load(SpreadGrid& grid) const;

  const BenchPrefix& Prefix() const { return prefix_; }
  const Cp932Codec& Codec() const { return codec_; }

 private:
  BenchPrefix prefix_;
  Cp932Codec codec_;
  EraDateFormatter dates_;
};

}  // namespace orva::bench
