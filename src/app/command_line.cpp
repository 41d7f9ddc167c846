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

CommandLine Error(CommandLine::Fault fault, std::string_view subject) {
  CommandLine line;
  line.action = CommandLine::Action::kError;
  line.fault = fault;
  line.subject = subject;
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
      return Error(CommandLine::Fault::kUnexpectedArgument, argument);
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
        return Error(CommandLine::Fault::kNoFolder, argument);
      }
      line.programFolder = WindowsFolder(value);
      if (!line.programFolder) {
        return Error(CommandLine::Fault::kNotAFolder, value);
      }
      continue;
    }
    const QtOption* qt = FindQtOption(name);
    if (!qt) return Error(CommandLine::Fault::kUnknownOption, argument);
    if (qt->takesValue && !valueAttached) {
      if (i + 1 >= arguments.size()) {
        return Error(CommandLine::Fault::kNoValue, argument);
      }
      ++i;
    }
  }
  return line;
}

std::string ErrorText(const CommandLine& line, Language language) {
  const bool japanese = language == Language::kJapanese;
  const std::string subject = "'" + line.subject + "'";
  switch (line.fault) {
    case CommandLine::Fault::kUnexpectedArgument:
      return japanese ? "想定外の引数 " + subject + " があります"
                      : "unexpected argument " + subject;
    case CommandLine::Fault::kUnknownOption:
      return japanese ? "不明なオプション " + subject + " です" : "unknown option " + subject;
    case CommandLine::Fault::kNoFolder:
      return japanese ? "オプション " + subject + " にはフォルダー ('C:\\VORDELN' など) が必要です"
                      : "option " + subject + " needs a folder such as 'C:\\VORDELN'";
    case CommandLine::Fault::kNotAFolder:
      return japanese ? subject + " は Windows 形式のフォルダー ('C:\\VORDELN' など) ではありません"
                      : subject + " is no Windows-form folder (such as 'C:\\VORDELN')";
    case CommandLine::Fault::kNoValue:
      return japanese ? "オプション " + subject + " には値が必要です"
                      : "option " + subject + " needs a value";
    case CommandLine::Fault::kNone: break;
  }
  return {};
}

std::string UsageText(std::string_view programName, Language language) {
  if (language == Language::kJapanese) {
    std::string text = "使い方: ";
    text += programName;
    text += R"( [--program-folder フォルダー] [Qt のオプション]

ORVA土木積算システムのメニューです。システムのプログラムを一覧にして
(Wine で) 起動し、積算プログラムが保存した工事の一覧を表示します。
工事データを開くことはしません。

  --program-folder フォルダー  フォルダー (Windows 形式、例 'C:\VORDELN') を
                               ランチャー自身のフォルダーとする
  -h, --help                   この説明を表示して終了する
  --version                    バージョンを表示して終了する

システムのメニューは、ランチャーのドライブのルートにある VORDELN の
MENU.INI です。Wine プレフィックスの中のランチャー (C:\VORDELN\orva-menu)
は C:\VORDELN\MENU.INI を読みます。プレフィックスの外にインストールされた
ランチャー (ドライブ Z: からしか届かないもの、どのドライブからも届かない
もの) は、プレフィックスの C:\VORDELN\MENU.INI、つまり
$WINEPREFIX/drive_c/VORDELN/MENU.INI を読みます。メニューから起動した
プログラムは、ランチャーのフォルダーで動きます。

環境変数:
  WINEPREFIX  システムのあるドライブを持つ Wine プレフィックス (既定 ~/.wine)
)";
    return text;
  }
  std::string text = "Usage: ";
  text += programName;
  text += R"( [--program-folder FOLDER] [Qt options]

Start-up menu of the ORVA土木積算システム estimating suite: lists the suite's
programs, starts them through Wine and lists the works the estimating programs
have stored. It does not open works data.

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
