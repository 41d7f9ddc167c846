#include "desktop/program_start.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStandardPaths>
#endif

namespace orva {
namespace {

#ifndef Q_OS_WIN
// Without blocking: a FIFO in the program's place must not hang the launcher.
bool IsWindowsExecutable(const std::string& hostPath) {
  const int fd = open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat info = {};
  char magic[2] = {};
  const bool windows = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                       read(fd, magic, sizeof magic) == 2 && magic[0] == 'M' && magic[1] == 'Z';
  close(fd);
  return windows;
}
#endif

}  // namespace

ProgramStart StartProgramFile(const QString& hostPath) {
  const std::string path = hostPath.toStdString();
  std::string program = path;
  std::vector<std::string> arguments;
#ifndef Q_OS_WIN
  if (IsWindowsExecutable(path)) {
    const QString wine = QStandardPaths::findExecutable("wine");
    if (wine.isEmpty()) return {0, true, std::nullopt};
    program = wine.toStdString();
    arguments = {path};
  }
#endif
  DetachedStart start = StartDetachedProcess(program, arguments, kFirstMoments);
  return {start.error, false, std::move(start.watch)};
}

}  // namespace orva
