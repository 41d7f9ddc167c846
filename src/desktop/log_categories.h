#pragma once

#include <QLoggingCategory>
#include <string>

#include "platform/error_number.h"
#include "platform/file_system.h"

namespace orva {

// Where failures are told on standard error; the happy path says nothing.
// QT_LOGGING_RULES="orva.*=false" silences them all.
Q_DECLARE_LOGGING_CATEGORY(lcStart)  // programs that could not be started
Q_DECLARE_LOGGING_CATEGORY(lcOpen)   // documents and addresses that could not be opened
Q_DECLARE_LOGGING_CATEGORY(lcFiles)  // files that could not be read or saved
Q_DECLARE_LOGGING_CATEGORY(lcLock)   // the single-instance lock
Q_DECLARE_LOGGING_CATEGORY(lcSetup)  // a set-up the host could not provide at start-up

// One line in orva.files: what could not be done (`action`: "read", "save", "delete") to
// which file, by its Windows path and, where it has one, its host path, and why (a refused
// read described as a read).
void LogFileFailure(const FileSystem& files, const char* action, const std::string& windowsPath,
                    err::Number error);

// What a save met without failing: in orva.files, a mode or a folder sync that could not be
// kept as warnings, a write in place as information.
void LogSaveNotes(const FileSystem& files, const std::string& windowsPath,
                  const FileSystem::SaveNotes& notes);

}  // namespace orva
