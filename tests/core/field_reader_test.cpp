#include "platform/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orva {
namespace {

using namespace std::string_literals;

std::vector<std::string> ReadAll(std::string_view bytes) {
  FieldReader reader(bytes);
  std::vector<std::string> fields;
  std::string_view field;
  while (!reader.AtEnd()) {
    if (!reader.Next(field)) {
      ADD_FAILURE() << "Next failed before AtEnd";
      break;
    }
    fields.emplace_back(field);
  }
  return fields;
}

using Fields = std::vector<std::string>;

TEST(FieldReaderTest, CatalogueLines) {
  const std::string text =
      "\"12601\",\"平成26年度\",\"VORDELN\\p26\\a.exe\",\"a.ico\",\"DATA.TXT\",\"DATA\\\"\r\n"
      "\"12501\",\"x, y\",\"\",\"\",\"\",\"\"\r\n";
  EXPECT_EQ(ReadAll(text), (Fields{"12601", "平成26年度", "VORDELN\\p26\\a.exe", "a.ico",
                                   "DATA.TXT", "DATA\\", "12501", "x, y", "", "", "", ""}));
}

TEST(FieldReaderTest, ShortLineContinuesOnNextLine) {
  EXPECT_EQ(ReadAll("\"1\",\"2\",\"3\",\"4\",\"5\"\r\n\"6\",\"7\"\r\n"),
            (Fields{"1", "2", "3", "4", "5", "6", "7"}));
}

TEST(FieldReaderTest, LineEndsAndBlankLines) {
  EXPECT_EQ(ReadAll("a\nb\rc\r\n\r\n\n  \t\r\nd"), (Fields{"a", "b", "c", "d"}));
  // After a comma the line end closes an empty field; blank lines after that are skipped.
  EXPECT_EQ(ReadAll("a,\r\n\r\nb,  \nc"), (Fields{"a", "", "b", "", "c"}));
  EXPECT_EQ(ReadAll("a,,b"), (Fields{"a", "", "b"}));
}

TEST(FieldReaderTest, BlanksAroundFields) {
  EXPECT_EQ(ReadAll("  a b  ,\t\"  q  \"  , c\t\r\n"), (Fields{"a b", "  q  ", "c"}));
}

TEST(FieldReaderTest, QuotedFields) {
  // Text after the closing quote is dropped up to the delimiter.
  EXPECT_EQ(ReadAll("\"a,b\"junk,\"c\"\r\n"), (Fields{"a,b", "c"}));
  // A missing closing quote ends the field at the line end.
  EXPECT_EQ(ReadAll("\"open, field\r\n\"next\"\r\n"), (Fields{"open, field", "next"}));
  // A quote inside an unquoted field is an ordinary byte.
  EXPECT_EQ(ReadAll("ab\"c,d"), (Fields{"ab\"c", "d"}));
}

TEST(FieldReaderTest, NulAndShiftJisBytesAreOrdinary) {
  // 0x5C as the trail byte of a double-byte character, and a NUL.
  EXPECT_EQ(ReadAll("\"\x95\x5C\0x\",y"s), (Fields{"\x95\x5C\0x"s, "y"}));
}

TEST(FieldReaderTest, Exhaustion) {
  FieldReader empty("");
  std::string_view field = "x";
  EXPECT_TRUE(empty.AtEnd());
  EXPECT_FALSE(empty.Next(field));
  EXPECT_TRUE(field.empty());

  FieldReader blanks(" \r\n\t\n");
  EXPECT_TRUE(blanks.AtEnd());
  EXPECT_FALSE(blanks.Next(field));

  // A trailing comma still ends one (empty) field.
  FieldReader trailing("a,");
  ASSERT_TRUE(trailing.Next(field));
  EXPECT_EQ(field, "a");
  EXPECT_TRUE(trailing.AtEnd());
  EXPECT_TRUE(trailing.Next(field));
  EXPECT_EQ(field, "");
  EXPECT_FALSE(trailing.Next(field));
}

TEST(FieldReaderTest, HugeSingleLine) {
  // One 10 MB line of short fields, and one 10 MB field: both must be read in linear time.
  std::string many;
  many.reserve(10'000'000);
  while (many.size() < 10'000'000) many += "\"abc\",";
  FieldReader reader(many);
  std::string_view field;
  std::size_t count = 0;
  while (!reader.AtEnd() && reader.Next(field)) ++count;
  EXPECT_EQ(count, many.size() / 6);

  const std::string one = "\"" + std::string(10'000'000, 'x');  // never closed
  FieldReader single(one);
  ASSERT_TRUE(single.Next(field));
  EXPECT_EQ(field.size(), 10'000'000u);
  EXPECT_EQ(field.data(), one.data() + 1);
  EXPECT_TRUE(single.AtEnd());
}

}  // namespace
}  // namespace orva
