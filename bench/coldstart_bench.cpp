// Whole-process figures: from exec to the painted window of the launcher, on the demo suite
// and on 6 x 999 installed entries, against a bare Qt window on the same display; then the
// launcher's activity while idle and its resident memory, against the same bare window.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/figures.h"
#include "bench/installed_suite.h"
#include "bench/process_usage.h"
#include "bench/window_watch.h"

namespace orva::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 17;  // after one round that warms the page cache and the suites
constexpr auto kQuiet = std::chrono::milliseconds(300);
constexpr auto kTimeout = std::chrono::seconds(30);
constexpr auto kIdleWatch = std::chrono::seconds(5);
constexpr double kDemoGoal = 1.15;
constexpr double kLargeGoal = 1.5;
constexpr double kMemoryGoal = 1.3;

struct Program {
  const char* name;
  std::vector<std::string> argv;
  std::vector<std::string> environment;
  std::vector<double> paintedMs, mappedMs, residentKb;
};

// Another build of the launcher named by ORVA_BENCH_LAUNCHER, timed in the same rounds
// (to compare two versions on a machine whose speed changes by the minute); empty if none.
fs::path OtherLauncher() {
  const char* other = std::getenv("ORVA_BENCH_LAUNCHER");
  return other != nullptr ? fs::path(other) : fs::path();
}

// The launcher finds its suite from its own folder, so it runs from a copy in the prefix;
// another build runs under another name beside it (the single-instance lock is per suite,
// and only one program runs at a time).
Program Launcher(const char* name, const fs::path& prefix, const fs::path& binary,
                 const char* copyName) {
  const fs::path copy = prefix / "drive_c" / "VORDELN" / copyName;
  fs::copy_file(binary, copy, fs::copy_options::overwrite_existing);
  // Settings of its own: the window placement it keeps never touches the user's.
  return {name,
          {copy.string()},
          {"WINEPREFIX=" + prefix.string(), "QT_QPA_PLATFORM=xcb",
           "XDG_CONFIG_HOME=" + (prefix / "config").string()},
          {},
          {},
          {}};
}

bool BuildDemoSuite() {
  const std::string command = std::string("python3 '") + ORVA_DEMO_SUITE_SCRIPT + "' --prefix '" +
                              ORVA_DEMO_PREFIX + "' >/dev/null";
  return std::system(command.c_str()) == 0;
}

WatchedStart Watch(WindowWatch& watch, const Program& program) {
  return watch.Start(program.argv, program.environment, kTimeout);
}

bool Round(WindowWatch& watch, std::vector<Program>& programs, int round, bool counted) {
  for (std::size_t k = 0; k < programs.size(); ++k) {
    // Each program in each place of the order in turn, so none always follows the same one.
    Program& program = programs[(k + static_cast<std::size_t>(round)) % programs.size()];
    WatchedStart start = Watch(watch, program);
    if (start.paintedMs < 0) {
      std::printf("coldstart: %s showed no painted window within %lld s\n", program.name,
                  static_cast<long long>(kTimeout.count()));
      return false;
    }
    const long resident = ResidentKilobytes(start.process->Pid());
    start.process->Stop();
    if (!counted) continue;
    program.paintedMs.push_back(start.paintedMs);
    program.mappedMs.push_back(start.mappedMs);
    program.residentKb.push_back(static_cast<double>(resident));
  }
  return true;
}

// Median of the rounds' ratios of a program's time to another's (the bare window's).
double RatioTo(const Program& program, const Program& reference) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < program.paintedMs.size() && i < reference.paintedMs.size(); ++i) {
    ratios.push_back(program.paintedMs[i] / reference.paintedMs[i]);
  }
  return Median(ratios);
}

int TimeLine(const char* figure, const Program& program, const Program& bare, double goal) {
  const double ratio = RatioTo(program, bare);
  std::printf(
      "%s: %.2f x bare Qt (goal <= %.2f)  median of %zu rounds: painted %.1f ms "
      "(mapped %.1f ms), bare Qt painted %.1f ms (mapped %.1f ms)",
      figure, ratio, goal, program.paintedMs.size(), Median(program.paintedMs),
      Median(program.mappedMs), Median(bare.paintedMs), Median(bare.mappedMs));
  return GoalVerdict(ratio, goal);
}

struct Idle {
  double cpuMs = -1;
  std::int64_t wakeUps = -1;
};

Idle WatchIdle(WindowWatch& watch, const Program& program) {
  WatchedStart start = Watch(watch, program);
  if (start.paintedMs < 0) return {};
  const pid_t pid = start.process->Pid();
  const ProcessActivity before = ActivityOf(pid);
  std::this_thread::sleep_for(kIdleWatch);
  const ProcessActivity after = ActivityOf(pid);
  const bool alive = start.process->Running();
  start.process->Stop();
  if (!alive) return {};
  return {(after.cpuNanoseconds - before.cpuNanoseconds) / 1e6,
          after.contextSwitches - before.contextSwitches};
}

}  // namespace

int PrintColdStartFigures() {
  WindowWatch watch(kQuiet);
  if (!watch.Problem().empty()) {
    std::printf(
        "coldstart: not measured (%s; tools/bench starts Xvfb when there is no "
        "display)\n",
        watch.Problem().c_str());
    return 1;
  }
  if (!BuildDemoSuite()) {
    std::printf("coldstart: not measured (the demo suite could not be built)\n");
    return 1;
  }
  const InstalledSuite large(6, 999);
  std::vector<Program> programs = {
      Launcher("demo", ORVA_DEMO_PREFIX, ORVA_LAUNCHER_PATH, "orva-menu"),
      Launcher("6x999", large.prefix.Root(), ORVA_LAUNCHER_PATH, "orva-menu"),
      {"bare", {ORVA_BARE_WINDOW_PATH}, {"QT_QPA_PLATFORM=xcb"}, {}, {}, {}},
      {"text", {ORVA_TEXT_WINDOW_PATH}, {"QT_QPA_PLATFORM=xcb"}, {}, {}, {}},
  };
  const fs::path other = OtherLauncher();
  if (!other.empty()) {
    programs.push_back(Launcher("other demo", ORVA_DEMO_PREFIX, other, "orva-menu-other"));
    programs.push_back(Launcher("other 6x999", large.prefix.Root(), other, "orva-menu-other"));
  }
  // The first round warms the page cache and lets each launcher save its user catalogue
  // once, as any earlier run would have.
  for (int round = 0; round <= kRounds; ++round) {
    if (!Round(watch, programs, round, round > 0)) return 1;
  }
  const Program& demo = programs[0];
  const Program& bare = programs[2];
  const Program& text = programs[3];
  int missed = TimeLine("coldstart_demo", demo, bare, kDemoGoal);
  missed += TimeLine("coldstart_6x999", programs[1], bare, kLargeGoal);
  // No goal: what the text alone costs a Qt program, and the launcher's start beyond that.
  std::printf(
      "coldstart_text_floor: %.2f x bare Qt (no goal)  median of %zu rounds: painted %.1f ms: "
      "the bare window showing about the text of the launcher's first screen; the demo "
      "launcher %.2f x that\n",
      RatioTo(text, bare), text.paintedMs.size(), Median(text.paintedMs), RatioTo(demo, text));
  if (!other.empty()) {
    // For comparison only: the goals are the launcher's own.
    std::printf("(ORVA_BENCH_LAUNCHER=%s in the same rounds)\n", other.c_str());
    TimeLine("other_coldstart_demo", programs[4], bare, kDemoGoal);
    TimeLine("other_coldstart_6x999", programs[5], bare, kLargeGoal);
    std::printf("other_memory_demo: resident after the first paint %.1f MB\n",
                Median(programs[4].residentKb) / 1024);
  }

  const Idle launcherIdle = WatchIdle(watch, demo);
  const Idle bareIdle = WatchIdle(watch, bare);
  const bool idle = launcherIdle.wakeUps == 0;
  std::printf(
      "idle_demo: %lld wake-ups, %.2f ms CPU in the %lld s after the first paint "
      "(goal: none)  bare Qt %lld wake-ups, %.2f ms%s\n",
      static_cast<long long>(launcherIdle.wakeUps), launcherIdle.cpuMs,
      static_cast<long long>(kIdleWatch.count()), static_cast<long long>(bareIdle.wakeUps),
      bareIdle.cpuMs, idle ? "" : "  MISSED");
  missed += idle ? 0 : 1;

  const double memoryRatio = Median(demo.residentKb) / Median(bare.residentKb);
  std::printf(
      "memory_demo: %.2f x bare Qt (goal <= %.2f)  resident after the first paint "
      "%.1f MB, bare Qt %.1f MB",
      memoryRatio, kMemoryGoal, Median(demo.residentKb) / 1024, Median(bare.residentKb) / 1024);
  missed += GoalVerdict(memoryRatio, kMemoryGoal);
  return missed;
}

}  // namespace orva::bench
