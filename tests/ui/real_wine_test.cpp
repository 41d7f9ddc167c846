// The launcher's program start with a real Windows program under a real Wine, in a prefix
// that Wine set up itself. Skipped where Wine or mingw-w64 is not installed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "desktop/program_start.h"
#include "platform/drive_table.h"
#include "platform/wine_install.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnvironment;

// Bounds against hanging, not measures: Wine's first start in a new prefix takes a while.
constexpr int kSetUpMs = 180000;
constexpr auto kRunPatience = std::chrono::seconds(60);

// Changes the working folder for the life of the object.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const fs::path& folder) : old_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~ScopedWorkingFolder() {
    std::error_code ec;
    fs::current_path(old_, ec);
  }

 private:
  fs::path old_;
};

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Runs a Wine tool of the prefix in the environment to its end; its exit code, or -1.
int RunWineTool(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.start(tool, arguments);
  if (!process.waitForFinished(kSetUpMs)) {
    process.kill();
    process.waitForFinished();
    return -1;
  }
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// The launcher works in its own folder (C:\VORDELN), and a program of the suite elsewhere on
// C: is started from there: Wine runs it with that folder as its Windows working folder.
TEST(RealWineTest, WindowsProgramStartsThroughWineInTheLaunchersFolder) {
  const std::string marker = ORVA_WINE_MARKER;
  if (marker.empty()) {
    GTEST_SKIP() << "mingw-w64 (x86_64-w64-mingw32-gcc) was not found when the build was "
                    "configured; tools/bootstrap installs it";
  }
  const QString wineboot = QStandardPaths::findExecutable("wineboot");
  const QString wineserver = QStandardPaths::findExecutable("wineserver");
  if (QStandardPaths::findExecutable("wine").isEmpty() || wineboot.isEmpty() ||
      wineserver.isEmpty()) {
    GTEST_SKIP() << "Wine is not installed (wine, wineboot, wineserver on PATH); "
                    "tools/bootstrap installs it";
  }

  TempDir dir;
  const fs::path prefix = dir.Path() / "prefix";
  ScopedEnvironment env;
  env.Set("WINEPREFIX", prefix.string());
  env.Set("WINEDEBUG", "-all");
  // No offer to install Mono or Gecko: it would wait for a user.
  env.Set("WINEDLLOVERRIDES", "mscoree,mshtml=");
  // Wine's own set-up of the new prefix, done before the start so that the start is not
  // slowed by it.
  ASSERT_EQ(RunWineTool(wineboot, {"-i"}), 0);
  struct ServerEnd {
    QString wineserver;
    ~ServerEnd() { RunWineTool(wineserver, {"-k"}); }  // before the prefix is removed
  } serverEnd{wineserver};

  // Wine made dosdevices itself, with z: as the host's root; the table reads it the same.
  const DriveTable drives = DriveTable::FromWinePrefix(prefix);
  EXPECT_EQ(drives.ToHost("Z:\\"), fs::path("/"));
  EXPECT_EQ(drives.ToHost("C:\\"), prefix / "drive_c");

  const fs::path folder = prefix / "drive_c" / "VORDELN";
  fs::create_directories(folder / "BIN");
  const fs::path program = folder / "BIN" / "marker.exe";
  fs::copy_file(marker, program);
  const fs::path written = folder / "marker.txt";

  ProgramStart start = [&] {
    ScopedWorkingFolder inFolder(folder);
    return StartProgramFile(QString::fromStdString(program.string()));
  }();
  ASSERT_TRUE(start) << "error " << start.error << (start.wineMissing ? ", wine missing" : "");
  const auto deadline = std::chrono::steady_clock::now() + kRunPatience;
  while (ReadWhole(written) != "C:\\VORDELN" && std::chrono::steady_clock::now() < deadline) {
    QThread::msleep(50);
  }
  EXPECT_EQ(ReadWhole(written), "C:\\VORDELN");
  ASSERT_TRUE(start.watch);
  const EarlyEnd end = start.watch->Collect();
  EXPECT_FALSE(end.ended) << "ended at once with wait status " << end.status;

  // The same program built for 32 bits: started where this Wine runs such programs, else
  // refused, and then Wine asked directly indeed runs nothing.
  const std::string marker32 = ORVA_WINE_MARKER32;
  if (marker32.empty()) {
    GTEST_SKIP() << "i686-w64-mingw32-gcc was not found when the build was configured; "
                    "tools/bootstrap installs it";
  }
  fs::remove(written);
  const fs::path program32 = folder / "BIN" / "marker32.exe";
  fs::copy_file(marker32, program32);
  const QString wine = QStandardPaths::findExecutable("wine");
  ScopedWorkingFolder inFolder(folder);
  ProgramStart start32 = StartProgramFile(QString::fromStdString(program32.string()));
  if (WineRuns32BitPrograms(wine.toStdString())) {
    ASSERT_TRUE(start32) << "error " << start32.error;
    const auto until = std::chrono::steady_clock::now() + kRunPatience;
    while (ReadWhole(written) != "C:\\VORDELN" && std::chrono::steady_clock::now() < until) {
      QThread::msleep(50);
    }
    EXPECT_EQ(ReadWhole(written), "C:\\VORDELN");
  } else {
    EXPECT_TRUE(start32.wineLacks32Bit);
    EXPECT_FALSE(start32.watch);
    RunWineTool(wine, {QString::fromStdString(program32.string())});
    EXPECT_FALSE(fs::exists(written)) << "this Wine runs 32-bit programs after all";
  }
}

}  // namespace
}  // namespace orva
