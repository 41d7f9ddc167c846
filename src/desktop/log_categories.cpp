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

void LogFileFailure(const FileSystem& files, const char* action, const std::string& windowsPath,
                    err::Number error) {
  const std::string description =
      std::strcmp(action, "read") == 0 ? ReadErrorDescription(error) : ErrorDescription(error);
  const auto host = files.HostPath(windowsPath);
  const QString hostText = host ? " (host path " + HostPathText(*host) + ")" : QString();
  qCWarning(lcFiles).noquote() << "cannot" << action
                               << QString::fromStdString(windowsPath) + hostText << "- error"
                               << error << QString::fromStdString(description);
}

}  // namespace orva
