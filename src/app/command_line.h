#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orva {

// What the command line asks for. Qt's own options (-platform, -style, -session...) are
// let through for QApplication; anything else unknown is an error.
struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  // --program-folder: the launcher's folder in Windows form ("C:\VORDELN", "E:\"),
  // normalised as the system reports a program's folder.
  std::optional<std::string> programFolder;
  std::string error;  // one line, for kError
};

// arguments excludes the program name. Reads nothing but the arguments.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

// The text of --help. programName is how the program was called.
std::string UsageText(std::string_view programName);

}  // namespace orva
