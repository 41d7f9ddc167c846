#include "app/launcher_app.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <QApplication>
#include <QGuiApplication>
#include <QSettings>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/catalogue_store.h"
#include "app/command_line.h"
#include "app/command_line_answer.h"
#include "app/font_warm_up.h"
#include "app/launcher_window.h"
#include "app/missing_drive.h"
#include "app/startup_failure.h"
#include "catalogue/install_paths.h"
#include "catalogue/program_folder.h"
#include "desktop/front_request.h"
#include "desktop/host_path_text.h"
#include "desktop/log_categories.h"
#include "desktop/qt_desktop.h"
#include "desktop/qt_translation.h"
#include "desktop/single_instance.h"
#include "desktop/termination_signals.h"
#include "platform/error_number.h"
#include "platform/executable_folder.h"
#include "platform/file_system.h"
#include "platform/utf8_path.h"
#include "ui/window_placement.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

// Started with a standard descriptor closed, the launcher's own files (the lock, the
// signal descriptor) would take its number and be handed to every program it starts.
void OpenMissingStandardDescriptors() {
#ifndef _WIN32
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) < 0) return;
  }
#endif
}

// The command line as UTF-8. Windows hands main() the arguments in the system's code
// page, which cannot hold every folder name; its wide command line can.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; wide && i < count; ++i) arguments.push_back(Utf8(std::filesystem::path(wide[i])));
  LocalFree(wide);
  return arguments;
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

QString FatalReport(const Result<void>& result, const FileSystem& files) {
  QString report = QString::fromUtf8("実行時エラー '%1':\n\n%2\n%3")
                       .arg(result.error())
                       .arg(QString::fromStdString(ReadErrorDescription(result.error())),
                            QString::fromStdString(result.file()));
#ifndef _WIN32
  // Which file of which prefix was looked for, for a user who set up the prefix by hand.
  const std::optional<std::filesystem::path> host = files.HostPath(result.file());
  report += QString::fromUtf8("\n\nホストのパス: %1\nWine プレフィックス: %2")
                .arg(host ? HostPathText(*host)
                          : QString::fromUtf8("(このドライブは割り当てられていません)"),
                     HostPathText(DriveTable::PrefixFromEnvironment()));
#else
  (void)files;
#endif
  return report;
}

QString LockFailureReport(const SingleInstanceLock& lock) {
  const QString reason = QString::fromStdString(lock.FailureReason());
  const QString cannot =
      QString::fromUtf8("二重起動を防ぐためのロックを取得できないため、起動できません。\n\n");
  if (lock.Folder().empty()) return cannot + QString::fromUtf8("理由: %1").arg(reason);
  return cannot +
         QString::fromUtf8("フォルダー: %1\n理由: %2").arg(HostPathText(lock.Folder()), reason);
}

// A shortcut starts the launcher in its own folder, and the programs it starts work there
// too; so here, whatever folder it was started from. Where that folder cannot be entered,
// they work where the launcher was started, which is logged.
void WorkInOwnFolder(const FileSystem& files, const InstallPaths& paths) {
  const std::optional<std::filesystem::path> host = files.HostPath(paths.appDir);
  std::error_code ec;
  if (host) std::filesystem::current_path(*host, ec);
  if (!host || ec) {
    qCWarning(lcSetup).noquote() << "cannot work in" << QString::fromStdString(paths.appDir) << "-"
                                 << QString::fromStdString(host ? ec.message() : "no such drive");
  }
}

// What start-up does before it connects to the display: where the suite is, the
// single-instance check, and the catalogue's first reading, which then runs while the
// application is made. What needs a message waits until one can be shown.
struct EarlySteps {
  std::optional<InstallPaths> paths;
  std::optional<SingleInstanceLock> lock;
  SingleInstanceLock::Outcome lockOutcome = SingleInstanceLock::Outcome::Failed;
  std::unique_ptr<CatalogueStore> store;
  std::exception_ptr failure;
};

void RunEarlySteps(const CommandLine& line, const FileSystem& files, EarlySteps& steps) {
  try {
    steps.paths = ResolveInstallPaths(line.programFolder
                                          ? *line.programFolder
                                          : ProgramFolderOf(files.Drives(), ExecutableFolder()));
    WorkInOwnFolder(files, *steps.paths);
    const std::string installRoot = steps.paths->driveRoot + "VORDELN";
    steps.lock.emplace(files.HostPath(installRoot).value_or(installRoot),
                       LockFolders::FromEnvironment());
    steps.lockOutcome = steps.lock->TryAcquire();
    if (steps.lockOutcome == SingleInstanceLock::Outcome::Acquired) {
      steps.store = std::make_unique<CatalogueStore>(files, *steps.paths);
      steps.store->StartFirstReading();
    }
  } catch (...) {
    steps.failure = std::current_exception();
  }
}

}  // namespace

int RunLauncher(int argc, char** argv) {
  // Before QApplication: --help needs no display.
  const std::vector<std::string> arguments = Utf8Arguments(argc, argv);
  const CommandLine line =
      ParseCommandLine(std::span<const std::string>(arguments).subspan(arguments.empty() ? 0 : 1));
  if (const auto status = AnswerCommandLine(line, arguments.empty() ? "" : arguments[0])) {
    return *status;
  }
  OpenMissingStandardDescriptors();
  TerminationSignals::BlockInEveryThread();
  FileSystem files(DriveTable::FromEnvironment());
  EarlySteps early;
  RunEarlySteps(line, files, early);
  // Another launcher serves this suite: it comes to the front, and nothing is shown, read or
  // written here.
  if (early.lockOutcome == SingleInstanceLock::Outcome::HeldByAnotherLauncher) {
    AskRunningLauncherToFront(*early.lock);
    return 0;
  }
  FontConfigWarmUp fonts;  // while the application connects to the display
  QApplication app(argc, argv);
  // Until the window is up nothing of the session exists: a request to end ends the
  // program at once, even from inside a start-up message box, and nothing is written.
  TerminationSignals terminationSignals;
  const QMetaObject::Connection duringStartup = QObject::connect(
      &terminationSignals, &TerminationSignals::Requested, &TerminationSignals::EndProcessBy);
  QApplication::setApplicationDisplayName(QString::fromUtf8("ORVA土木積算システム"));
  // The window's class and Wayland app id, whatever name the executable was started by:
  // the desktop entry finds its window by them.
  QApplication::setApplicationName(QStringLiteral("orva-menu"));
  QGuiApplication::setDesktopFileName(QStringLiteral("jp.example.orva_menu"));
  InstallQtJapaneseTranslation(app);

  QtDesktop desktop(files.Drives());
  // The user's own settings: the suite's folder is shared by every user of the machine.
  QSettings userSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("orva-menu"),
                         QStringLiteral("orva-menu"));
  std::unique_ptr<LauncherWindow> window;
  const std::optional<int> ended = RunStartupSteps(desktop, [&]() -> std::optional<int> {
    if (early.failure) std::rethrow_exception(early.failure);
    if (early.lockOutcome != SingleInstanceLock::Outcome::Acquired) {
      return ReportStartupFailure(desktop, lcLock(), LockFailureReport(*early.lock));
    }
    // Without the drive every file is missing: one report says so instead of one per file.
    if (const std::optional<QString> missing = MissingDriveReport(files, *early.paths)) {
      return ReportStartupFailure(desktop, lcFiles(), *missing);
    }
    // The window's first font needs the configuration; its catalogue does not.
    window = std::make_unique<LauncherWindow>(
        desktop, files, *early.paths, [&fonts] { fonts.Finish(); }, std::move(early.store));
    const Result<void> started = window->Startup();
    if (!started.ok()) return ReportStartupFailure(desktop, lcFiles(), FatalReport(started, files));
    new WindowPlacementKeeper(*window, *window->Controls().SS, userSettings);
    return std::nullopt;
  });
  fonts.Finish();  // on every way out, while the application still stands
  if (ended) return *ended;
  terminationSignals.DeliverPending();  // one that came while start-up ran still counts as such
  QObject::disconnect(duringStartup);
  QObject::connect(&terminationSignals, &TerminationSignals::Requested, window.get(),
                   &QWidget::close);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, window.get(), &QWidget::close);
  window->show();
  const FrontRequests frontRequests(*early.lock, *window);
  const int exitCode = app.exec();
  // The lock goes with the window, its files saved: a launcher started now takes over at
  // once. Nothing waits for the programs started meanwhile; their watches just end.
  early.lock.reset();
  return exitCode;
}

}  // namespace orva
