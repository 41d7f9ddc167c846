#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orva {

// The language of what the command line answers.
enum class Language { kEnglish, kJapanese };

// What the command line asks for. Qt's own options (-platform, -style, -session...) are
// let through for QApplication; anything else unknown is an error.
struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  enum class Fault { kNone, kUnexpectedArgument, kUnknownOption, kNoFolder, kNotAFolder, kNoValue };
  Action action = Action::kRun;
  // --program-folder: the launcher's folder in Windows form ("C:\VORDELN", "E:\"),
  // normalised as the system reports a program's folder.
  std::optional<std::string> programFolder;
  // For kError: what is wrong, and the argument concerned.
  Fault fault = Fault::kNone;
  std::string subject;
};

// arguments excludes the program name. Reads nothing but the arguments.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

// The error of a kError line, one line without its end.
std::string ErrorText(const CommandLine& line, Language language);

// The text of --help. programName is how the program was called.
std::string UsageText(std::string_view programName, Language language);

}  // namespace orva
