#include "desktop/log_categories.h"

#include <cstring>

#include "desktop/host_path_text.h"
#include "platform/file_system.h"

namespace orva {

Q_LOGGING_CATEGORY(lcStart, "orva.start", QtWarningMsg)
Q_LOGGING_CATEGORY(lcOpen, "orva.open", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFiles, "orva.files", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLock, "orva.lock", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSetup, "orva.setup", QtWarningMsg)

namespace {

// The Windows path, and the host path where it has one.
QString PathText(const FileSystem& files, const std::string& windowsPath) {
  const auto host = files.HostPath(windowsPath);
  const QString hostText = host ? " (host path " + HostPathText(*host) + ")" : QString();
  return QString::fromStdString(windowsPath) + hostText;
}

}  // namespace

void LogFileFailure(const FileSystem& files, const char* action, const std::string& windowsPath,
                    err::Number error) {
  const std::string description =
      std::strcmp(action, "read") == 0 ? ReadErrorDescription(error) : ErrorDescription(error);
  qCWarning(lcFiles).noquote() << "cannot" << action << PathText(files, windowsPath) << "- error"
                               << error << QString::fromStdString(description);
}

void LogSaveNotes(const FileSystem& files, const std::string& windowsPath,
                  const FileSystem::SaveNotes& notes) {
  if (notes.inPlace) {
    qCInfo(lcFiles).noquote() << "saved" << PathText(files, windowsPath)
                              << "in place, as its folder takes no new file or it has other links";
  }
  if (notes.mode != err::kNone) {
    qCWarning(lcFiles).noquote() << "saved" << PathText(files, windowsPath)
                                 << "without the old file's mode or group - error" << notes.mode
                                 << QString::fromStdString(ErrorDescription(notes.mode));
  }
  if (notes.folderSync != err::kNone) {
    qCWarning(lcFiles).noquote() << "saved" << PathText(files, windowsPath)
                                 << "but its folder could not be synced - error" << notes.folderSync
                                 << QString::fromStdString(ErrorDescription(notes.folderSync));
  }
}

}  // namespace orva
