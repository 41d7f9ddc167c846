#pragma once

#include <QString>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/detached_process.h"

namespace orva {

// How long a started program is watched for a failure right after it starts, which is
// taken as the start having failed.
inline constexpr std::chrono::milliseconds kFirstMoments{3000};

struct ProgramStart {
  int error = 0;                    // errno when nothing could be started
  bool wineMissing = false;         // a Windows program, and no `wine` on PATH
  bool wineLacks32Bit = false;      // a 32-bit Windows program, and a Wine without 32-bit
  std::optional<StartWatch> watch;  // the program's first moments, when it runs
  explicit operator bool() const { return error == 0 && !wineMissing && !wineLacks32Bit; }
};

// Starts the file at hostPath as a detached process, exactly that file with no arguments;
// the child inherits the working folder but none of the launcher's signal settings,
// descriptors or handles. Off Windows, a Windows program ("MZ") runs through the `wine`
// found on PATH; a 32-bit one is not handed to a Wine that cannot run it, which would end
// at once and cleanly, showing nothing. `environmentChanges` ("NAME=value" sets, a bare
// "NAME" removes) apply off Windows.
ProgramStart StartProgramFile(const QString& hostPath,
                              const std::vector<std::string>& environmentChanges = {});

}  // namespace orva
