#include <gtest/gtest.h>

#include <filesystem>

#include "desktop/single_instance.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

using Outcome = SingleInstanceLock::Outcome;

TEST(SingleInstanceWin32Test, OneLauncherPerInstallRootHoweverItIsCased) {
  TempDir dir;
  const std::filesystem::path root = dir.Path() / "VORDELN";
  const LockFolders folders = LockFolders::FromEnvironment();
  {
    SingleInstanceLock first(root, folders);
    ASSERT_EQ(first.TryAcquire(), Outcome::Acquired);
    EXPECT_EQ(first.TryAcquire(), Outcome::Acquired);  // held already
    EXPECT_TRUE(first.Folder().empty());
    SingleInstanceLock second(root, folders);
    EXPECT_EQ(second.TryAcquire(), Outcome::HeldByAnotherLauncher);
    SingleInstanceLock cased(dir.Path() / "vordeln", folders);
    EXPECT_EQ(cased.TryAcquire(), Outcome::HeldByAnotherLauncher);
    SingleInstanceLock other(dir.Path() / "OTHER", folders);
    EXPECT_EQ(other.TryAcquire(), Outcome::Acquired);
  }
  // Free again as soon as its holder is gone.
  SingleInstanceLock again(root, folders);
  EXPECT_EQ(again.TryAcquire(), Outcome::Acquired);
}

}  // namespace
}  // namespace orva
