#include "desktop/log_categories.h"

namespace orva {

Q_LOGGING_CATEGORY(lcStart, "orva.start", QtWarningMsg)
Q_LOGGING_CATEGORY(lcOpen, "orva.open", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFiles, "orva.files", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLock, "orva.lock", QtWarningMsg)

}  // namespace orva
