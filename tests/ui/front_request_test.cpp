#include "desktop/front_request.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "desktop/single_instance.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"
#include "support/virtual_display.h"

namespace orva {
namespace {

namespace fs = std::filesystem;

constexpr int kPatienceMs = 30000;  // a bound against hanging, not a measure

// A second start finds the running launcher minimised: its window comes back, whatever an
// earlier launcher left behind; a window that is closing is not shown again. The second
// start shows no window, so the desktop's feedback for it is ended by the running one.
TEST(FrontRequestTest, SecondStartRestoresTheRunningWindowButNeverAClosedOne) {
  test::VirtualDisplay display;
  test::ScopedEnvironment desktopStart;
  desktopStart.Set("DESKTOP_STARTUP_ID", "second-start_TIME77");
  // A token too long to carry costs only itself.
  desktopStart.Set("XDG_ACTIVATION_TOKEN", std::string(5000, 't'));
  TempDir dir;
  const fs::path runtime = dir.Path() / "run";
  fs::create_directory(runtime);
  fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
  const LockFolders folders{runtime, dir.Path()};
  SingleInstanceLock running(dir.Path() / "VORDELN", folders);
  ASSERT_EQ(running.TryAcquire(), SingleInstanceLock::Outcome::Acquired);
  std::ofstream(runtime / (running.Name() + ".front")) << "left by a crash";

  QWidget window;
  window.show();
  window.setWindowState(Qt::WindowMinimized);
  // One that let its lock go and is still ending leaves the new one's socket alone.
  QWidget ending;
  auto older = std::make_unique<FrontRequests>(running, ending);
  FrontRequests requests(running, window);
  older.reset();
  SingleInstanceLock second(dir.Path() / "VORDELN", folders);
  ASSERT_EQ(second.TryAcquire(), SingleInstanceLock::Outcome::HeldByAnotherLauncher);
  AskRunningLauncherToFront(second);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return !(window.windowState() & Qt::WindowMinimized); }, kPatienceMs));
  EXPECT_TRUE(window.isVisible());
  if (display.Available()) {
    EXPECT_TRUE(display.WaitFor([&] {
      return display.Messages() == std::vector<std::string>{"remove: ID=\"second-start_TIME77\""};
    }));
  }

  window.close();
  requests.BringToFront();
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace orva
