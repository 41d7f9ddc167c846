#include "platform/startup_notice.h"

#include <gtest/gtest.h>

#include <string>

namespace orva {
namespace {

std::string Joined(const std::vector<StartupNoticePiece>& pieces) {
  std::string text;
  for (const StartupNoticePiece& piece : pieces) text.append(piece.data(), piece.size());
  return text;
}

// Receivers read up to the NUL: a message that fills its last piece exactly needs one more.
TEST(StartupNoticeTest, PiecesCarryTheWholeTextAndItsEnd) {
  for (const std::size_t length : {0, 1, 19, 20, 21, 39, 40, 41}) {
    const std::string text(length, 'x');
    const std::vector<StartupNoticePiece> pieces = StartupNoticePieces(text);
    EXPECT_EQ(pieces.size(), length / 20 + 1) << length;
    const std::string joined = Joined(pieces);
    EXPECT_EQ(joined.substr(0, length), text);
    EXPECT_EQ(joined.find_first_not_of('\0', length), std::string::npos) << length;
  }
}

TEST(StartupNoticeTest, ValuesWithBlanksQuotesAndBackslashesStayWhole) {
  EXPECT_EQ(StartupNoticeText("new", {{"ID", "a_TIME5"}, {"NAME", "土木 \"R6\" C:\\VORDELN"}}),
            "new: ID=\"a_TIME5\" NAME=\"土木 \\\"R6\\\" C:\\\\VORDELN\"");
  EXPECT_EQ(StartupNoticeText("remove", {{"ID", "x"}}), "remove: ID=\"x\"");
}

TEST(StartupNoticeTest, IdsAreUniqueUnquotedAndCarryTheirTime) {
  const std::string first = NewStartupId("orva-menu", "host", 42, "土木 積算.exe", 1, 123456);
  const std::string second = NewStartupId("orva-menu", "host", 42, "土木 積算.exe", 2, 123456);
  EXPECT_NE(first, second);
  EXPECT_EQ(first.find_first_of(" \"\\="), std::string::npos) << first;
  EXPECT_EQ(StartupIdTime(first), 123456u);
  EXPECT_EQ(StartupIdTime("kde-1234-x_TIME4294967295"), 4294967295u);
  // No time, or none that fits: any time.
  for (const char* id : {"", "plain", "x_TIME", "x_TIME12a", "x_TIME4294967296", "x_TIME-1"}) {
    EXPECT_EQ(StartupIdTime(id), 0u) << id;
  }
}

}  // namespace
}  // namespace orva
