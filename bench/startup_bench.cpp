#include <QApplication>
#include <QImage>
#include <QWindow>
#include <sys/stat.h>

#include <memory>
#include <vector>

#include "app/install_paths.h"
#include "app/launcher_window.h"
#include "bench/bench_data.h"
#include "bench/bench_prefix.h"
#include "bench/figures.h"
#include "bench/paint_counter.h"
#include "grids/menu_grid_filler.h"
#include "platform/cp932_codec.h"
#include "platform/spread_grid.h"
#include "support/scripted_desktop.h"

namespace orva::bench {
namespace {

// A suite of `perCategory` entries in each category, every program installed.
struct Suite {
  Suite(int categories, int perCategory) : paths(ResolveInstallPaths("C:\\VORDELN")) {
    Cp932Codec codec;
    prefix.Write(paths.menuIniPath, *codec.Encode(BuildCatalogue(categories, perCategory, "")));
    // The user file as the launcher saves it after a run: the same entries, full paths.
    prefix.Write(paths.userMenuIniPath,
                 *codec.Encode(BuildCatalogue(categories, perCategory, paths.driveRoot)));
    prefix.Write("C:\\VORDELN\\vekup.exe", "x");
    for (int category = 1; category <= categories; ++category) {
      for (int edition = 1; edition <= perCategory; ++edition) {
        prefix.Write("C:\\" + EntryExe(category, edition), "x");
      }
    }
    QImage icon(32, 32, QImage::Format_ARGB32);
    for (int index = 0; index < kIconFiles; ++index) {
      icon.fill(QColor::fromHsv(index * 17, 200, 220));
      const std::string windowsPath = paths.iconDir + IconName(index);
      prefix.Write(windowsPath, "");
      icon.save(QString::fromStdString(prefix.Host(windowsPath).string()), "PNG");
    }
    // Each path start-up tests: every program, every icon, the updater.
    for (int category = 1; category <= categories; ++category) {
      for (int edition = 1; edition <= perCategory; ++edition) {
        testedPaths.push_back(prefix.Host("C:\\" + EntryExe(category, edition)));
      }
    }
    const int icons = std::min(kIconFiles, categories * perCategory);
    for (int index = 0; index < icons; ++index) {
      testedPaths.push_back(prefix.Host(paths.iconDir + IconName(index)));
    }
    testedPaths.push_back(prefix.Host(paths.updaterPath));
  }

  BenchPrefix prefix;
  InstallPaths paths;
  std::vector<std::filesystem::path> testedPaths;
};

// One start-up up to the painted window, in seconds; negative when it went wrong.
double TimeStartup(const Suite& suite, int categories, int perCategory) {
  test::ScriptedDesktop desktop;
  PaintCounter counter;
  Stopwatch watch;
  auto window = std::make_unique<LauncherWindow>(desktop, suite.prefix.Files(), suite.paths);
  const StartupResult result = window->Startup();
  window->installEventFilter(&counter);
  window->show();
  while (!window->windowHandle()->isExposed() || counter.paints == 0) {
    QCoreApplication::processEvents();
  }
  const double seconds = watch.Seconds();
  const SpreadGrid& all = *window->Controls().SSx[0];
  const bool shown = result.error == 0 && window->Menu().menuCount(categories) == perCategory &&
                     all.RowCount() == categories * perCategory && RowItemNumber(all, 1) > 0 &&
                     RowItemNumber(all, all.RowCount()) > 0 &&
                     all.HasPicture(1, all.RowCount());
  window.reset();
  QCoreApplication::processEvents();
  return shown ? seconds : -1;
}

// The same I/O done plainly: both catalogue files read, each tested path stat'ed once.
double TimeRawStartup(const Suite& suite) {
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
  const Suite suite(1, 1);
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
  const Suite suite(6, 999);
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
