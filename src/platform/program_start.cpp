#include "platform/program_start.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace orva {
namespace {

bool IsWindowsExecutable(const QString& hostPath) {
  QFile file(hostPath);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.read(2) == "MZ";
}

}  // namespace

bool StartProgramFile(const QString& hostPath) {
#ifdef Q_OS_WIN
  return QProcess::startDetached(hostPath, {});
#else
  if (IsWindowsExecutable(hostPath)) {
    const QString wine = QStandardPaths::findExecutable("wine");
    if (wine.isEmpty()) return false;
    return QProcess::startDetached(wine, {hostPath});
  }
  return QProcess::startDetached(hostPath, {});
#endif
}

}  // namespace orva
