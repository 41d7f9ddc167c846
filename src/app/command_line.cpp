#include "app/command_line.h"

#include <array>

namespace orva {
namespace {

struct QtOption {
  std::string_view name;
  bool takesValue;
};

// The options QApplication takes out of argv itself (xcb's included). A session manager
// restarts programs with -session, so refusing these would break a restored session.
constexpr std::array kQtOptions{
    QtOption{"platform", true},        QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},   QtOption{"plugin", true},
    QtOption{"qwindowgeometry", true}, QtOption{"qwindowicon", true},
    QtOption{"qwindowtitle", true},    QtOption{"geometry", true},
    QtOption{"title", true},           QtOption{"icon", true},
    QtOption{"display", true},         QtOption{"name", true},
    QtOption{"session", true},         QtOption{"style", true},
    QtOption{"stylesheet", true},      QtOption{"qmljsdebugger", true},
    QtOption{"reverse", false},        QtOption{"widgetcount", false},
    QtOption{"nograb", false},         QtOption{"dograb", false},
    QtOption{"sync", false},           QtOption{"testability", false},
};

const QtOption* FindQtOption(std::string_view name) {
  for (const QtOption& option : kQtOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "C:\VORDELN\" -> "C:\VORDELN", "c:" -> "c:\", "\\server\share" kept; nullopt when the
// text is no absolute Windows-form folder.
std::optional<std::string> WindowsFolder(std::string_view text) {
  std::string folder(text);
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  const bool drive =
      folder.size() >= 2 && folder[1] == ':' &&
      ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z')) &&
      (folder.size() == 2 || IsSeparator(folder[2]));
  const bool share = folder.size() > 2 && folder.starts_with("\\\\");
  if (!drive && !share) return std::nullopt;
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (folder.size() == 2) folder += '\\';
  return folder;
}

CommandLine Error(std::string message) {
  CommandLine line;
  line.action = CommandLine::Action::kError;
  line.error = std::move(message);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "-h" || argument == "--help") {
      line.action = CommandLine::Action::kHelp;
      return line;
    }
    if (argument == "--version") {
      line.action = CommandLine::Action::kVersion;
      return line;
    }
    if (!argument.starts_with('-') || argument == "-") {
      return Error("unexpected argument '" + std::string(argument) + "'");
    }
    const std::string_view body = argument.substr(argument.starts_with("--") ? 2 : 1);
    const std::size_t equals = body.find('=');
    const std::string_view name = body.substr(0, equals);
    const bool valueAttached = equals != std::string_view::npos;
    if (name == "program-folder" && argument.starts_with("--")) {
      std::string_view value;
      if (valueAttached) {
        value = body.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        return Error("option '--program-folder' needs a folder such as 'C:\\VORDELN'");
      }
      line.programFolder = WindowsFolder(value);
      if (!line.programFolder) {
        return Error("'" + std::string(value) +
                     "' is no Windows-form folder (such as 'C:\\VORDELN')");
      }
      continue;
    }
    const QtOption* qt = FindQtOption(name);
    if (!qt) return Error("unknown option '" + std::string(argument) + "'");
    if (qt->takesValue && !valueAttached) {
      if (i + 1 >= arguments.size()) {
        return Error("option '" + std::string(argument) + "' needs a value");
      }
      ++i;
    }
  }
  return line;
}

std::string UsageText(std::string_view programName) {
  std::string text = "Usage: ";
  text += programName;
  text += R"( [--program-folder FOLDER] [Qt options]

Start-up menu of the ORVA土木積算システム estimating suite: lists the suite's
programs, starts them through Wine and shows the works they have stored.

  --program-folder FOLDER  take FOLDER (Windows form, e.g. 'C:\VORDELN') as the
                           launcher's own folder
  -h, --help               print this text and exit
  --version                print the version and exit

The suite's catalogue is MENU.INI in VORDELN at the root of the launcher's
drive. A launcher inside a Wine prefix (C:\VORDELN\orva-menu) reads
C:\VORDELN\MENU.INI; one installed outside the prefix, reached only through
drive Z: or through no drive, reads C:\VORDELN\MENU.INI of the prefix, that is
$WINEPREFIX/drive_c/VORDELN/MENU.INI. Programs started from the menu work in
the launcher's folder.

Environment:
  WINEPREFIX  the Wine prefix whose drives hold the suite (default ~/.wine)
)";
  return text;
}

}  // namespace orva
