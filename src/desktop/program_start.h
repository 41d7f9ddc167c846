#pragma once

#include <QString>

namespace orva {

// Starts the file at hostPath as a detached process, exactly that file with no arguments;
// the child inherits the working folder but none of the launcher's signal settings or
// descriptors. A Windows program ("MZ") runs through the `wine` found on PATH. False when
// nothing could be started.
bool StartProgramFile(const QString& hostPath);

}  // namespace orva
