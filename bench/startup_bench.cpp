#include <sys/stat.h>

#include <QApplication>
#include <QWindow>
#include <memory>
#include <vector>

#include "app/launcher_window.h"
#include "bench/bench_data.h"
#include "bench/bench_prefix.h"
#include "bench/figures.h"
#include "bench/installed_suite.h"
#include "bench/paint_counter.h"
#include "catalogue/install_paths.h"
#include "grids/menu_grid_filler.h"
#include "support/scripted_desktop.h"
#include "ui/menu_grid_columns.h"
#include "widgets/spread_grid.h"

namespace orva::bench {
namespace {

// One start-up up to the painted window, in seconds; negative when it went wrong.
double TimeStartup(const InstalledSuite& suite, int categories, int perCategory) {
  test::ScriptedDesktop desktop;
  PaintCounter counter;
  Stopwatch watch;
  auto window = std::make_unique<LauncherWindow>(desktop, suite.prefix.Files(), suite.paths);
  const Result<void> result = window->Startup();
  window->installEventFilter(&counter);
  window->show();
  while (!window->windowHandle()->isExposed() || counter.paints == 0) {
    QCoreApplication::processEvents();
  }
  const double seconds = watch.Seconds();
  const SpreadGrid& all = *window->Controls().SSx[0];
  const bool shown =
      result.ok() && window->Menu().menuCount(categories) == perCategory &&
      all.RowCount() == categories * perCategory && CellNumber(all, kNumberColumn, 1) > 0 &&
      CellNumber(all, kNumberColumn, all.RowCount()) > 0 && all.HasPicture(1, all.RowCount());
  window.reset();
  QCoreApplication::processEvents();
  return shown ? seconds : -1;
}

// The same I/O done plainly: both catalogue files read, each tested path stat'ed once.
double TimeRawStartup(const InstalledSuite& suite) {
  const auto menu = suite.prefix.Host(suite.paths.menuIniPath);
  const auto user = suite.prefix.Host(suite.paths.userMenuIniPath);
  Stopwatch watch;
  std::size_t bytes = RawRead(menu).size() + RawRead(user).size();
  int plain = 0;
  for (const auto& path : suite.testedPaths) {
    struct stat st;
    plain += ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }
  benchmark::DoNotOptimize(bytes);
  benchmark::DoNotOptimize(plain);
  return watch.Seconds();
}

void StartupOne(benchmark::State& state) {
  const InstalledSuite suite(1, 1);
  for (auto _ : state) {
    const double seconds = TimeStartup(suite, 1, 1);
    if (seconds < 0) {
      state.SkipWithError("start-up failed");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

// The full catalogue against its raw cost. The two run in turns, one pair per iteration,
// so both see the same machine; the figure is the median of the rounds' ratios.
void StartupFull(benchmark::State& state) {
  const InstalledSuite suite(6, 999);
  std::vector<double> ratios, launcher, raw;
  for (auto _ : state) {
    const double rawSeconds = TimeRawStartup(suite);
    const double seconds = TimeStartup(suite, 6, 999);
    if (seconds < 0) {
      state.SkipWithError("start-up failed");
      break;
    }
    state.SetIterationTime(seconds);
    ratios.push_back(seconds / rawSeconds);
    launcher.push_back(seconds * 1e3);
    raw.push_back(rawSeconds * 1e3);
  }
  state.counters["ratio"] = Median(ratios);
  state.counters["launcher_ms"] = Median(launcher);
  state.counters["raw_ms"] = Median(raw);
  state.counters["rounds"] = static_cast<double>(ratios.size());
}

}  // namespace

void RegisterStartupBenchmarks() {
  Timed(benchmark::RegisterBenchmark("startup_1", StartupOne), 10);
  benchmark::RegisterBenchmark("startup_6x999", StartupFull)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(31);
}

}  // namespace orva::bench
