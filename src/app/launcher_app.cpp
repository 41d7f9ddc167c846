#include "app/launcher_app.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>

#include "catalogue/install_paths.h"
#include "app/launcher_window.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "desktop/log_categories.h"
#include "desktop/qt_desktop.h"
#include "desktop/qt_translation.h"
#include "desktop/single_instance.h"
#include "desktop/termination_signals.h"

namespace orva {
namespace {

// The launcher's folder in Windows form, as the system reports a program's folder:
// "C:\VORDELN", or "E:\" at a drive root.
std::string ProgramFolder(const DriveTable& drives) {
  const std::filesystem::path folder =
      QCoreApplication::applicationDirPath().toStdString();  // links resolved
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

QString FatalReport(const StartupResult& result) {
  return QString::fromUtf8("実行時エラー '%1':\n\n%2\n%3")
      .arg(result.error)
      .arg(QString::fromStdString(ReadErrorDescription(result.error)),
           QString::fromStdString(result.path));
}

QString LockFailureReport(const SingleInstanceLock& lock) {
  return QString::fromUtf8("二重起動を防ぐためのロックを取得できないため、起動できません。\n\n"
                           "フォルダー: %1\n理由: %2")
      .arg(QString::fromStdString(lock.Folder().string()),
           QString::fromStdString(lock.FailureReason()));
}

// A start-up failure ends the program: said on the standard error for logs and terminals,
// and in a message box for the user.
int ReportStartupFailure(Desktop& desktop, const QLoggingCategory& category,
                         const QString& text) {
  qCCritical(category).noquote() << text;
  desktop.ShowMessage(nullptr, text, QApplication::applicationDisplayName(),
                      Desktop::Icon::None);
  return 1;
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
  const InstallPaths paths = ResolveInstallPaths(ProgramFolder(files.Drives()));
  const std::string installRoot = paths.driveRoot + "VORDELN";
  SingleInstanceLock lock(files.HostPath(installRoot).value_or(installRoot),
                          LockFolders::FromEnvironment());
  switch (lock.TryAcquire()) {
    case SingleInstanceLock::Outcome::Acquired: break;
    case SingleInstanceLock::Outcome::HeldByAnotherLauncher: return 0;
    case SingleInstanceLock::Outcome::Failed:
      return ReportStartupFailure(desktop, lcLock(), LockFailureReport(lock));
  }

  LauncherWindow window(desktop, files, paths);
  const StartupResult result = window.Startup();
  if (result.error != 0) {
    LogFileFailure(files, "read", result.path, result.error, ReadErrorDescription(result.error));
    return ReportStartupFailure(desktop, lcFiles(), FatalReport(result));
  }
  terminationSignals.DeliverPending();  // one that came while start-up ran still counts as such
  QObject::disconnect(duringStartup);
  QObject::connect(&terminationSignals, &TerminationSignals::Requested, &window, &QWidget::close);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &QWidget::close);
  window.show();
  const int exitCode = app.exec();
  // A start or open just before the window closed (the home page, the update) may still
  // fail; the user hears of it before the program ends.
  desktop.FinishWatching();
  return exitCode;
}

}  // namespace orva
