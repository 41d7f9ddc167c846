#include "desktop/single_instance.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using Outcome = SingleInstanceLock::Outcome;

constexpr uid_t kOtherUser = 65534;  // nobody

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(Runtime());
    fs::permissions(Runtime(), fs::perms::owner_all, fs::perm_options::replace);
    fs::create_directory(SharedTemp());
    // Like /tmp: everyone may create, no one may remove another's entries.
    fs::permissions(SharedTemp(), fs::perms::all | fs::perms::sticky_bit);
    fs::permissions(dir.Path(),
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  }

  fs::path Runtime() const { return dir.Path() / "run"; }
  fs::path SharedTemp() const { return dir.Path() / "tmp"; }
  fs::path UserFolder() const { return SharedTemp() / ("orva-menu-" + std::to_string(geteuid())); }
  fs::path Root() const { return dir.Path() / "prefix" / "VORDELN"; }
  LockFolders InRuntime() const { return {Runtime(), SharedTemp()}; }
  LockFolders InTempOnly() const { return {std::nullopt, SharedTemp()}; }

  // The lock file's path, found by taking and releasing the lock once.
  fs::path LockFileIn(const LockFolders& folders) const {
    SingleInstanceLock lock(Root(), folders);
    EXPECT_EQ(lock.TryAcquire(), Outcome::Acquired);
    for (const auto& entry : fs::directory_iterator(lock.Folder())) {
      if (entry.path().extension() == ".lock") return entry.path();
    }
    ADD_FAILURE() << "no lock file in " << lock.Folder();
    return {};
  }

  TempDir dir;
};

bool RunningAsRoot() { return geteuid() == 0; }

TEST_F(SingleInstanceTest, ALiveLauncherHoldsItAndADeadOnesLockIsTakenOver) {
  const pid_t child = fork();
  if (child == 0) {
    SingleInstanceLock lock(Root(), InRuntime());
    _exit(lock.TryAcquire() == Outcome::Acquired ? 0 : 1);  // dies holding the lock
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_EQ(WEXITSTATUS(status), 0);

  SingleInstanceLock first(Root(), InRuntime());
  ASSERT_EQ(first.TryAcquire(), Outcome::Acquired);
  EXPECT_EQ(first.Folder(), Runtime());
  SingleInstanceLock second(Root(), InRuntime());
  EXPECT_EQ(second.TryAcquire(), Outcome::HeldByAnotherLauncher);
  SingleInstanceLock otherRoot(dir.Path() / "elsewhere" / "VORDELN", InRuntime());
  EXPECT_EQ(otherRoot.TryAcquire(), Outcome::Acquired);
}

TEST_F(SingleInstanceTest, RuntimeFolderUnfitForALockIsPassedOverForAFolderOfTheUsersOwn) {
  fs::permissions(Runtime(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
  const fs::path linked = dir.Path() / "run-link";
  fs::create_directory_symlink(dir.Path() / "tmp", linked);
  for (const LockFolders& folders :
       {LockFolders{Runtime(), SharedTemp()}, LockFolders{linked, SharedTemp()},
        LockFolders{fs::path("relative"), SharedTemp()}, InTempOnly()}) {
    SingleInstanceLock lock(Root(), folders);
    ASSERT_EQ(lock.TryAcquire(), Outcome::Acquired) << lock.FailureReason();
    EXPECT_EQ(lock.Folder(), UserFolder());
    struct stat info = {};
    ASSERT_EQ(lstat(UserFolder().c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
  }
}

TEST_F(SingleInstanceTest, ALeftoverFileIsTakenOverButAnythingElseInTheLocksPlaceIsReported) {
  const fs::path lockFile = LockFileIn(InRuntime());
  {
    std::FILE* garbage = std::fopen(lockFile.c_str(), "wb");
    std::fputs("12345\nsomehost\nnot a launcher\n", garbage);
    std::fclose(garbage);
    SingleInstanceLock lock(Root(), InRuntime());
    EXPECT_EQ(lock.TryAcquire(), Outcome::Acquired);
  }

  const fs::path target = dir.Write("target", "x");
  const auto replaceWith = [&](const char* what) {
    fs::remove_all(lockFile);
    const std::string kind = what;
    if (kind == "symlink") fs::create_symlink(target, lockFile);
    if (kind == "dangling symlink") fs::create_symlink(dir.Path() / "absent", lockFile);
    if (kind == "fifo") mkfifo(lockFile.c_str(), 0600);
    if (kind == "directory") fs::create_directory(lockFile);
    if (kind == "other user's file") {
      dir.Write(lockFile.lexically_relative(dir.Path()), "");
      if (chown(lockFile.c_str(), kOtherUser, kOtherUser) != 0) return false;
    }
    return true;
  };
  for (const char* what :
       {"symlink", "dangling symlink", "fifo", "directory", "other user's file"}) {
    if (!replaceWith(what)) {
      std::printf("skipped %s: cannot give a file away without root\n", what);
      continue;
    }
    SingleInstanceLock lock(Root(), InRuntime());
    EXPECT_EQ(lock.TryAcquire(), Outcome::Failed) << what;
    EXPECT_FALSE(lock.FailureReason().empty()) << what;
    EXPECT_EQ(lock.Folder(), Runtime()) << what;
  }
  EXPECT_EQ(fs::file_size(target), 1u);  // never written through the link
}

TEST_F(SingleInstanceTest, AUserFolderThatIsNotTheUsersAloneIsReportedNamingIt) {
  const auto check = [&](const std::string& what) {
    SingleInstanceLock lock(Root(), InTempOnly());
    EXPECT_EQ(lock.TryAcquire(), Outcome::Failed) << what;
    EXPECT_EQ(lock.Folder(), UserFolder()) << what;
    EXPECT_FALSE(lock.FailureReason().empty()) << what;
    fs::remove_all(UserFolder());
  };
  fs::create_directory(UserFolder());
  fs::permissions(UserFolder(), fs::perms::all);
  check("open to everyone");

  const fs::path own = dir.Path() / "own";
  fs::create_directory(own);
  fs::permissions(own, fs::perms::owner_all, fs::perm_options::replace);
  fs::create_directory_symlink(own, UserFolder());
  check("symlink to a fit folder");

  dir.Write(UserFolder().lexically_relative(dir.Path()), "");
  check("plain file");

  if (!RunningAsRoot()) GTEST_SKIP() << "a folder of another user needs root to make";
  fs::create_directory(UserFolder());
  fs::permissions(UserFolder(), fs::perms::owner_all, fs::perm_options::replace);
  ASSERT_EQ(chown(UserFolder().c_str(), kOtherUser, kOtherUser), 0);
  check("another user's");
}

TEST_F(SingleInstanceTest, AnotherUserCannotPlantAnythingWhereTheLockLives) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs root to act as a second user";
  const fs::path lockFile = LockFileIn(InTempOnly());
  const std::string lockPath = lockFile.string();
  const std::string besideLock = (lockFile.parent_path() / "planted").string();
  const std::string inRuntime = (Runtime() / "planted").string();
  const std::string inShared = (SharedTemp() / lockFile.filename()).string();
  fs::remove(lockFile);

  const pid_t child = fork();
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setresgid(kOtherUser, kOtherUser, kOtherUser) != 0 ||
        setresuid(kOtherUser, kOtherUser, kOtherUser) != 0) {
      _exit(100);
    }
    int wrong = 0;
    if (mkfifo(lockPath.c_str(), 0666) == 0) wrong |= 1;
    if (symlink("/etc/passwd", besideLock.c_str()) == 0) wrong |= 2;
    if (mkdir(inRuntime.c_str(), 0777) == 0) wrong |= 4;
    // Names in the shared folder itself are anyone's, and must not matter.
    if (mkfifo(inShared.c_str(), 0666) != 0) wrong |= 8;
    _exit(wrong);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 100) << "could not become uid " << kOtherUser;
  EXPECT_EQ(WEXITSTATUS(status), 0) << "what went wrong (bits): " << WEXITSTATUS(status);

  for (const LockFolders& folders : {InTempOnly(), InRuntime()}) {
    SingleInstanceLock lock(Root(), folders);
    EXPECT_EQ(lock.TryAcquire(), Outcome::Acquired) << lock.FailureReason();
  }
}

}  // namespace
}  // namespace orva
