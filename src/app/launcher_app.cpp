#include "app/launcher_app.h"

#include <QApplication>
#include <QGuiApplication>

#include "app/install_paths.h"
#include "app/launcher_window.h"
#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "platform/qt_desktop.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"

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

QString FatalReport(const StartupResult& result) {
  return QString::fromUtf8("実行時エラー '%1':\n\n%2\n%3")
      .arg(result.error)
      .arg(QString::fromStdString(ReadErrorDescription(result.error)),
           QString::fromStdString(result.path));
}

}  // namespace

int RunLauncher(int argc, char** argv) {
  TerminationSignals::BlockInEveryThread();
  QApplication app(argc, argv);
  TerminationSignals terminationSignals;
  const QString title = QString::fromUtf8("ORVA土木積算システム");
  QApplication::setApplicationDisplayName(title);

  FileSystem files(DriveTable::FromEnvironment());
  const InstallPaths paths = ResolveInstallPaths(ProgramFolder(files.Drives()));
  const std::string installRoot = paths.driveRoot + "VORDELN";
  SingleInstanceLock lock(files.HostPath(installRoot).value_or(installRoot));
  if (!lock.TryAcquire()) return 0;

  QtDesktop desktop(files.Drives());
  LauncherWindow window(desktop, files, paths);
  const StartupResult result = window.Startup();
  if (result.error != 0) {
    desktop.ShowMessage(nullptr, FatalReport(result), title, Desktop::Icon::None);
    return 1;
  }
  QObject::connect(&terminationSignals, &TerminationSignals::Requested, &window, &QWidget::close);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &QWidget::close);
  window.show();
  return app.exec();
}

}  // namespace orva
