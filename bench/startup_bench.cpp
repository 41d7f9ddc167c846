#include <QApplication>
#include <QImage>
#include <QWindow>
#include <sys/stat.h>

#include <memory>

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

// Made on first use and kept for every repetition: writing thousands of files per run
// would cost far more than the runs themselves.
class SharedSuite {
 public:
  SharedSuite(int categories, int perCategory)
      : categories_(categories), perCategory_(perCategory) {}
  const Suite& Get() {
    if (!suite_) suite_ = std::make_unique<Suite>(categories_, perCategory_);
    return *suite_;
  }

 private:
  int categories_;
  int perCategory_;
  std::unique_ptr<Suite> suite_;
};

void Startup(benchmark::State& state, const std::shared_ptr<SharedSuite>& shared,
             int categories, int perCategory) {
  const Suite& suite = shared->Get();
  for (auto _ : state) {
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
    state.SetIterationTime(watch.Seconds());
    const SpreadGrid& all = *window->Controls().SSx[0];
    if (result.error != 0 || window->Menu().menuCount(categories) != perCategory ||
        all.RowCount() != categories * perCategory || RowItemNumber(all, 1) <= 0 ||
        RowItemNumber(all, all.RowCount()) <= 0 || !all.HasPicture(1, all.RowCount())) {
      state.SkipWithError("start-up failed");
      break;
    }
    window.reset();
    QCoreApplication::processEvents();
  }
}

void StartupRaw(benchmark::State& state, const std::shared_ptr<SharedSuite>& shared) {
  const Suite& suite = shared->Get();
  const auto menu = suite.prefix.Host(suite.paths.menuIniPath);
  const auto user = suite.prefix.Host(suite.paths.userMenuIniPath);
  for (auto _ : state) {
    Stopwatch watch;
    std::size_t bytes = RawRead(menu).size() + RawRead(user).size();
    int plain = 0;
    for (const auto& path : suite.testedPaths) {
      struct stat st;
      plain += ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    benchmark::DoNotOptimize(bytes);
    benchmark::DoNotOptimize(plain);
    state.SetIterationTime(watch.Seconds());
  }
}

}  // namespace

void RegisterStartupBenchmarks() {
  Timed(benchmark::RegisterBenchmark("startup_1", Startup,
                                     std::make_shared<SharedSuite>(1, 1), 1, 1),
        10);
  auto full = std::make_shared<SharedSuite>(6, 999);
  Timed(benchmark::RegisterBenchmark("startup_6x999", Startup, full, 6, 999), 15);
  Timed(benchmark::RegisterBenchmark("startup_6x999/raw", StartupRaw, full), 25);
}

}  // namespace orva::bench
