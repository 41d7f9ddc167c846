#pragma once

#include <optional>
#include <string>

#include "app/command_line.h"

namespace orva {

// Answers --help, --version and a faulty command line in the user's language: nothing is
// read, locked or written. A faulty line goes to the standard error, and where no terminal
// shows that (a start from the desktop) also into a message box. The exit status, or
// nullopt to go on.
std::optional<int> AnswerCommandLine(const CommandLine& line, const std::string& programPath);

}  // namespace orva
