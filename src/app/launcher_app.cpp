#include "app/launcher_app.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <memory>
#include <optional>

#include "app/install_paths.h"
#include "app/launcher_window.h"
#include "app/startup_failure.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "platform/host_path_text.h"
#include "platform/qt_desktop.h"
#include "platform/qt_translation.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"

namespace orva {
namespace {

// The launcher's folder in Windows form, as the system reports a program's folder:
// "C:\VORDELN", or "E:\" at a drive root.
std::string ProgramFolder(const DriveTable& drives) {
  const std::filesystem::path folder =
      HostPathOfText(QCoreApplication::applicationDirPath());  // links resolved
  std::string windows = drives.ToWindows(folder).value_or("\\\\");
  while (windows.size() > 3 && windows.back() == '\\') windows.pop_back();
  if (windows.size() == 2 && windows[1] == ':') windows += '\\';
  return windows;
}

// Started with a standard descriptor closed, the launcher's own files (the lock, the
// signal descriptor) would take its number and be handed to every program it starts.
void OpenMissingStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) < 0) return;
  }
}

QString FatalReport(const Result<void>& result) {
  return QString::fromUtf8("実行時エラー '%1':\n\n%2\n%3")
      .arg(result.error())
      .arg(QString::fromStdString(ReadErrorDescription(result.error())),
           QString::fromStdString(result.file()));
}

QString LockFailureReport(const SingleInstanceLock& lock) {
  return QString::fromUtf8("二重起動を防ぐためのロックを取得できないため、起動できません。\n\n"
                           "フォルダー: %1\n理由: %2")
      .arg(HostPathText(lock.Folder()),
           QString::fromStdString(lock.FailureReason()));
}

}  // namespace

int RunLauncher(int argc, char** argv) {
  OpenMissingStandardDescriptors();
  TerminationSignals::BlockInEveryThread();
  QApplication app(argc, argv);
  // Until the window is up nothing of the session exists: a request to end ends the
  // program at once, even from inside a start-up message box, and nothing is written.
  TerminationSignals terminationSignals;
  const QMetaObject::Connection duringStartup = QObject::connect(
      &terminationSignals, &TerminationSignals::Requested, &TerminationSignals::EndProcessBy);
  QApplication::setApplicationDisplayName(QString::fromUtf8("ORVA土木積算システム"));
  InstallQtJapaneseTranslation(app);

  FileSystem files(DriveTable::FromEnvironment());
  QtDesktop desktop(files.Drives());
  std::optional<SingleInstanceLock> lock;
  std::unique_ptr<LauncherWindow> window;
  const std::optional<int> ended = RunStartupSteps(desktop, [&]() -> std::optional<int> {
    const InstallPaths paths = ResolveInstallPaths(ProgramFolder(files.Drives()));
    const std::string installRoot = paths.driveRoot + "VORDELN";
    lock.emplace(files.HostPath(installRoot).value_or(installRoot),
                 LockFolders::FromEnvironment());
    switch (lock->TryAcquire()) {
      case SingleInstanceLock::Outcome::Acquired: break;
      case SingleInstanceLock::Outcome::HeldByAnotherLauncher: return 0;
      case SingleInstanceLock::Outcome::Failed:
        return ReportStartupFailure(desktop, LockFailureReport(*lock));
    }
    window = std::make_unique<LauncherWindow>(desktop, files, paths);
    const Result<void> started = window->Startup();
    if (!started.ok()) return ReportStartupFailure(desktop, FatalReport(started));
    return std::nullopt;
  });
  if (ended) return *ended;
  terminationSignals.DeliverPending();  // one that came while start-up ran still counts as such
  QObject::disconnect(duringStartup);
  QObject::connect(&terminationSignals, &TerminationSignals::Requested, window.get(),
                   &QWidget::close);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, window.get(), &QWidget::close);
  window->show();
  return app.exec();
}

}  // namespace orva
