#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orva {
namespace {

CommandLine Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments); }

TEST(CommandLineTest, HelpAndVersionAnswerWhateverElseIsGiven) {
  EXPECT_EQ(Parse({"--help"}).action, CommandLine::Action::kHelp);
  EXPECT_EQ(Parse({"-h"}).action, CommandLine::Action::kHelp);
  EXPECT_EQ(Parse({"--version"}).action, CommandLine::Action::kVersion);
  EXPECT_EQ(Parse({"-style", "fusion", "--help", "--bogus"}).action, CommandLine::Action::kHelp);
  for (const Language language : {Language::kEnglish, Language::kJapanese}) {
    const std::string usage = UsageText("orva-menu", language);
    EXPECT_NE(usage.find("WINEPREFIX"), std::string::npos);
    EXPECT_NE(usage.find("MENU.INI"), std::string::npos);
    EXPECT_NE(usage.find("--program-folder"), std::string::npos);
  }
  EXPECT_NE(UsageText("orva-menu", Language::kJapanese).find("使い方"), std::string::npos);
  EXPECT_EQ(UsageText("orva-menu", Language::kEnglish).find("使い方"), std::string::npos);
}

// QApplication takes its own options out of argv; a session manager restarts with -session.
TEST(CommandLineTest, QtsOwnOptionsAndTheirValuesPassThrough) {
  const CommandLine line = Parse({"-session", "1a2b_3", "-platform", "offscreen", "--style=fusion",
                                  "-reverse", "-qwindowgeometry", "640x480"});
  EXPECT_EQ(line.action, CommandLine::Action::kRun);
  EXPECT_FALSE(line.programFolder);
  EXPECT_EQ(Parse({}).action, CommandLine::Action::kRun);
}

TEST(CommandLineTest, UnknownOptionsArgumentsAndMissingValuesAreOneLineErrors) {
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--bogus"},
                                                    {"-x"},
                                                    {"MENU.INI"},
                                                    {"--"},
                                                    {"-"},
                                                    {"-platform"},
                                                    {"--program-folder"},
                                                    {"-program-folder", "C:\\VORDELN"}}) {
    const CommandLine line = Parse(arguments);
    EXPECT_EQ(line.action, CommandLine::Action::kError) << arguments[0];
    for (const Language language : {Language::kEnglish, Language::kJapanese}) {
      const std::string error = ErrorText(line, language);
      EXPECT_FALSE(error.empty()) << arguments[0];
      EXPECT_EQ(error.find('\n'), std::string::npos);
      EXPECT_NE(error.find(arguments[0]), std::string::npos) << error;
    }
  }
  EXPECT_NE(ErrorText(Parse({"--bogus"}), Language::kJapanese).find("不明なオプション"),
            std::string::npos);
}

TEST(CommandLineTest, ProgramFolderIsTakenInTheFormTheSystemReportsAFolder) {
  EXPECT_EQ(Parse({"--program-folder", "C:\\VORDELN"}).programFolder, "C:\\VORDELN");
  EXPECT_EQ(Parse({"--program-folder=D:\\apps\\menu\\"}).programFolder, "D:\\apps\\menu");
  EXPECT_EQ(Parse({"--program-folder", "d:/apps/menu"}).programFolder, "d:\\apps\\menu");
  EXPECT_EQ(Parse({"--program-folder", "E:"}).programFolder, "E:\\");
  EXPECT_EQ(Parse({"--program-folder", "E:\\\\"}).programFolder, "E:\\");
  EXPECT_EQ(Parse({"--program-folder", "\\\\server\\share"}).programFolder, "\\\\server\\share");
  for (const char* notWindows : {"/usr/share/orva", "VORDELN", "C:VORDELN", "1:\\x", ""}) {
    const CommandLine line = Parse({"--program-folder", notWindows});
    EXPECT_EQ(line.action, CommandLine::Action::kError) << notWindows;
    EXPECT_FALSE(line.programFolder) << notWindows;
  }
}

}  // namespace
}  // namespace orva
