#include "desktop/program_start.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStandardPaths>

#include "platform/utf8_path.h"
#include "platform/windows_program.h"
#include "platform/wine_install.h"
#endif

namespace orva {
namespace {

#ifndef Q_OS_WIN
// Without blocking: a FIFO in the program's place must not hang the launcher.
WindowsMachine WindowsMachineOfFile(const std::string& hostPath) {
  const int fd = open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return WindowsMachine::kNotWindows;
  struct stat info = {};
  WindowsMachine machine = WindowsMachine::kNotWindows;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    machine = WindowsMachineOf([fd](std::uint64_t offset, char* into, std::size_t count) {
      const ssize_t got = pread(fd, into, count, static_cast<off_t>(offset));
      return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
    });
  }
  close(fd);
  return machine;
}
#endif

}  // namespace

ProgramStart StartProgramFile(const QString& hostPath,
                              const std::vector<std::string>& environmentChanges) {
  const std::string path = hostPath.toStdString();
  std::string program = path;
  std::vector<std::string> arguments;
#ifndef Q_OS_WIN
  if (const WindowsMachine machine = WindowsMachineOfFile(path);
      machine != WindowsMachine::kNotWindows) {
    const QString wine = QStandardPaths::findExecutable("wine");
    if (wine.isEmpty()) return {.wineMissing = true, .watch = std::nullopt};
    program = wine.toStdString();
    if (machine == WindowsMachine::kI386 && !WineRuns32BitPrograms(PathOfUtf8(program))) {
      return {.wineLacks32Bit = true, .watch = std::nullopt};
    }
    arguments = {path};
  }
  DetachedStart start = StartDetachedProcess(program, arguments, kFirstMoments, environmentChanges);
#else
  Q_UNUSED(environmentChanges);
  DetachedStart start = StartDetachedProcess(program, arguments, kFirstMoments);
#endif
  return {.error = start.error, .watch = std::move(start.watch)};
}

}  // namespace orva
