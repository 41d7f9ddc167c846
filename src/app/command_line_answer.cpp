#include "app/command_line_answer.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "desktop/qt_desktop.h"
#include "desktop/qt_translation.h"
#include "platform/drive_table.h"
#include "platform/user_language.h"
#include "platform/utf8_path.h"

namespace orva {
namespace {

constexpr int kCommandLineFailureStatus = 2;

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

// Without one, QApplication would end the program with a message of its own.
bool DisplayAvailable() {
#ifdef _WIN32
  return true;
#else
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
#endif
}

void ShowInBox(const std::string& error, Language language) {
  // Qt's own options may be what was faulty: the application is made without them.
  int argc = 1;
  char name[] = "orva-menu";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  const bool japanese = language == Language::kJapanese;
  if (japanese) InstallQtJapaneseTranslation(app);
  const QString text =
      japanese
          ? QString::fromUtf8("コマンド ラインに誤りがあるため、起動しませんでした。\n\n%1")
                .arg(QString::fromStdString(error))
          : QString::fromUtf8("The launcher was not started: its command line is faulty.\n\n%1")
                .arg(QString::fromStdString(error));
  QtDesktop(DriveTable::FromEnvironment())
      .ShowMessage(nullptr, text, QString::fromUtf8("ORVA土木積算システム"),
                   Desktop::Icon::Warning);
}

}  // namespace

std::optional<int> AnswerCommandLine(const CommandLine& line, const std::string& programPath) {
  if (line.action == CommandLine::Action::kRun) return std::nullopt;
  const Language language = UserReadsJapanese() ? Language::kJapanese : Language::kEnglish;
  const bool japanese = language == Language::kJapanese;
  switch (line.action) {
    case CommandLine::Action::kHelp: {
      const std::string name = Utf8(PathOfUtf8(programPath).filename());
      std::fputs(UsageText(name.empty() ? "orva-menu" : name, language).c_str(), stdout);
      return 0;
    }
    case CommandLine::Action::kVersion:
      std::fputs(
          japanese ? "orva-menu バージョン " ORVA_VERSION "\n" : "orva-menu " ORVA_VERSION "\n",
          stdout);
      return 0;
    case CommandLine::Action::kError:
    case CommandLine::Action::kRun: break;
  }
  const std::string error = ErrorText(line, language);
  std::fprintf(
      stderr,
      japanese ? "orva-menu: %s (--help を参照してください)\n" : "orva-menu: %s (see --help)\n",
      error.c_str());
  if (!StandardErrorIsTerminal() && DisplayAvailable()) ShowInBox(error, language);
  return kCommandLineFailureStatus;
}

}  // namespace orva
