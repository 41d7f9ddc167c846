#pragma once

#include <QLockFile>
#include <filesystem>
#include <memory>

namespace orva {

// One launcher per install root: a lock file in the temporary folder, named from the
// install root. A lock left by a launcher that died is taken over.
class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(const std::filesystem::path& installRoot);
  bool TryAcquire();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace orva
