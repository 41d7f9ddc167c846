#pragma once

#include <QLoggingCategory>

namespace orva {

// Where failures are told on standard error; the happy path says nothing.
// QT_LOGGING_RULES="orva.*=false" silences them all.
Q_DECLARE_LOGGING_CATEGORY(lcStart)  // programs that could not be started
Q_DECLARE_LOGGING_CATEGORY(lcOpen)   // documents and addresses that could not be opened
Q_DECLARE_LOGGING_CATEGORY(lcFiles)  // files that could not be read or saved
Q_DECLARE_LOGGING_CATEGORY(lcLock)   // the single-instance lock

}  // namespace orva
