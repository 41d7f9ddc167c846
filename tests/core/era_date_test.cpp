#include "works/era_date.h"

#include <gtest/gtest.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cstdio>

namespace orva {
namespace {

class EraDateTest : public ::testing::Test {
 protected:
  EraDateFormatter dates_;
};

TEST_F(EraDateTest, ErasAndTheirBoundaries) {
  EXPECT_EQ(dates_.Format("20090401"), "H 21/04/01");
  EXPECT_EQ(dates_.Format("19880105"), "S 63/01/05");
  EXPECT_EQ(dates_.Format("19890107"), "S 64/01/07");
  EXPECT_EQ(dates_.Format("19890108"), "H 01/01/08");
  EXPECT_EQ(dates_.Format("20190430"), "H 31/04/30");
  EXPECT_EQ(dates_.Format("20190501"), "R 01/05/01");
  EXPECT_EQ(dates_.Format("19120729"), "M 45/07/29");
  EXPECT_EQ(dates_.Format("19120730"), "T 01/07/30");
  EXPECT_EQ(dates_.Format("19261225"), "S 01/12/25");
  EXPECT_EQ(dates_.Format("19000101"), "M 33/01/01");
}

TEST_F(EraDateTest, NoDateWhenTheValueIsZero) {
  EXPECT_EQ(dates_.Format("        "), "");
  EXPECT_EQ(dates_.Format("00000000"), "");
  EXPECT_EQ(dates_.Format("ABCD0401"), "");
  EXPECT_EQ(dates_.Format(std::string_view("\0\0\0\0\0\0\0\0", 8)), "");
}

TEST_F(EraDateTest, BlanksInsideThePartsAreIgnored) {
  EXPECT_EQ(dates_.Format("2009 4 1"), "H 21/04/01");
  // The parts are positional: " 200", "90", "41" is no date.
  EXPECT_EQ(dates_.Format(" 2009041"), " 2009041");
}

TEST_F(EraDateTest, ImpossibleDatesShowAsStored) {
  EXPECT_EQ(dates_.Format("20091301"), "20091301");
  EXPECT_EQ(dates_.Format("20090230"), "20090230");
  EXPECT_EQ(dates_.Format("20090432"), "20090432");
  EXPECT_EQ(dates_.Format("20090400"), "20090400");
  EXPECT_EQ(dates_.Format("19000229"), "19000229");  // not a leap year
  EXPECT_EQ(dates_.Format("0000041 "), "0000041");   // year 0; trailing blank dropped
  EXPECT_EQ(dates_.Format("2009AB01"), "2009AB01");
  EXPECT_EQ(dates_.Format("2009\x82\xA0"
                          "1"),
            "2009\xEF\xBF\xBD\xEF\xBF\xBD"
            "1");
  EXPECT_EQ(dates_.Format("20000229"), "H 12/02/29");
}

TEST_F(EraDateTest, DatesBeforeMeijiAreWestern) {
  EXPECT_EQ(dates_.Format("18000101"), "1800/01/01");
  EXPECT_EQ(dates_.Format("18680101"), "1868/01/01");
  EXPECT_EQ(dates_.Format("00010101"), "0001/01/01");
  EXPECT_EQ(dates_.Format("15821010"), "1582/10/10");
}

// The digits are written without ICU's date formatter; they must agree with it.
TEST_F(EraDateTest, AgreesWithIcusJapaneseDatePattern) {
  UErrorCode status = U_ZERO_ERROR;
  icu::SimpleDateFormat icuFormat(icu::UnicodeString(u"GGGGG yy/MM/dd"),
                                  icu::Locale("en@calendar=japanese"), status);
  icuFormat.adoptTimeZone(icu::TimeZone::createTimeZone("UTC"));
  icu::GregorianCalendar gregorian(icu::TimeZone::createTimeZone("UTC"), status);
  ASSERT_TRUE(U_SUCCESS(status));
  gregorian.clear();
  gregorian.set(1868, 8, 1);  // shortly before the first era shown in era form
  int checked = 0;
  while (gregorian.get(UCAL_YEAR, status) < 2060) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", gregorian.get(UCAL_YEAR, status),
                  gregorian.get(UCAL_MONTH, status) + 1, gregorian.get(UCAL_DATE, status));
    icu::UnicodeString expected;
    icuFormat.format(gregorian.getTime(status), expected);
    std::string expectedUtf8;
    expected.toUTF8String(expectedUtf8);
    const std::string shown = dates_.Format(text);
    if (shown.size() == 10 && shown[1] == ' ') {
      ASSERT_EQ(shown, expectedUtf8) << text;
      ++checked;
    } else {
      ASSERT_EQ(shown.substr(0, 4), "1868") << text;  // Western form only before Meiji
    }
    gregorian.add(UCAL_DATE, 3, status);
  }
  ASSERT_TRUE(U_SUCCESS(status));
  EXPECT_GT(checked, 20000);
}

TEST_F(EraDateTest, RepeatedDatesGiveTheSameText) {
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(dates_.Format("20090401"), "H 21/04/01");
    EXPECT_EQ(dates_.Format("18000101"), "1800/01/01");
  }
}

TEST(LeadingNumberTest, DigitsUntilTheFirstOtherCharacter) {
  EXPECT_EQ(LeadingNumber("2009"), 2009);
  EXPECT_EQ(LeadingNumber(" 0 4"), 4);
  EXPECT_EQ(LeadingNumber("12AB34"), 12);
  EXPECT_EQ(LeadingNumber("-5"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
}

}  // namespace
}  // namespace orva
