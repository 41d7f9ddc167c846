#include "works/works_file.h"

#include <gtest/gtest.h>

#include "platform/cp932_codec.h"
#include "support/works_file_builder.h"
#include "works/era_date.h"

namespace orva {
namespace {

using test::WorksRecordBuilder;

class WorksFileTest : public ::testing::Test {
 protected:
  std::vector<WorksRow> Decode(const std::string& bytes, bool costsHidden = false) {
    return DecodeWorksFile(bytes, costsHidden, codec_, dates_);
  }

  Cp932Codec codec_;
  EraDateFormatter dates_;
};

TEST_F(WorksFileTest, ReadsEveryShownFieldAtItsOffset) {
  const std::string file = WorksRecordBuilder()
                               .Number(4711)
                               .NameFirst("ABC")
                               .NameSecond("DEF")
                               .Client("\x8D\x91\x93\x79\x8C\xF0\x92\xCA\x8F\xC8")  // 国土交通省
                               .Route("R-12")
                               .Date("19880105")
                               .DirectCost(-1.5e9)
                               .TotalCost(0.125)
                               .Bytes();
  const auto rows = Decode(file);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].number, 4711);
  EXPECT_EQ(rows[0].date, "S 63/01/05");
  EXPECT_EQ(rows[0].name, "ABCDEF");
  EXPECT_EQ(rows[0].client, "国土交通省");
  EXPECT_EQ(rows[0].route, "R-12");
  EXPECT_EQ(rows[0].directCost, -1.5e9);
  EXPECT_EQ(rows[0].totalCost, 0.125);
}

TEST_F(WorksFileTest, WholeRecordsOnly) {
  const std::string record = WorksRecordBuilder().Bytes();
  EXPECT_TRUE(Decode("").empty());
  EXPECT_TRUE(Decode(record.substr(0, 930)).empty());
  EXPECT_EQ(Decode(record).size(), 1u);
  // Three whole records and the start of a fourth.
  EXPECT_EQ(Decode(record + record + record + record.substr(0, 17)).size(), 3u);
}

TEST_F(WorksFileTest, DeadRecordsLeaveNoGap) {
  std::string file;
  for (const std::int32_t number : {5, 0, -3, 7, -2147483647 - 1, 9}) {
    file += WorksRecordBuilder().Number(number).Bytes();
  }
  const auto rows = Decode(file);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].number, 5);
  EXPECT_EQ(rows[1].number, 7);
  EXPECT_EQ(rows[2].number, 9);
}

TEST_F(WorksFileTest, NameHalvesAreTrimmedAndDecodedSeparately) {
  // Only trailing blanks go; leading and inner blanks stay.
  auto rows = Decode(WorksRecordBuilder().NameFirst(" A B ").NameSecond(" C  ").Bytes());
  EXPECT_EQ(rows[0].name, " A B C");

  // Full-width blank (81 40) is not a blank byte and stays.
  rows = Decode(WorksRecordBuilder().NameFirst("\x8D\x48\x8E\x96\x81\x40").NameSecond("").Bytes());
  EXPECT_EQ(rows[0].name, "工事　");

  // A double-byte character (ア = 83 41) split across the halves: the lone lead byte is
  // a replacement character and its trail byte reads as the letter it also is.
  rows = Decode(WorksRecordBuilder()
                    .NameFirst(std::string(49, 'x') + "\x83")
                    .NameSecond("\x41Z")
                    .Bytes());
  EXPECT_EQ(rows[0].name, std::string(49, 'x') + "\xEF\xBF\xBD" + "AZ");

  // A lead byte followed by a byte that cannot trail it.
  rows = Decode(WorksRecordBuilder().NameFirst("A\x82" "1B").NameSecond("").Bytes());
  EXPECT_EQ(rows[0].name, "A\xEF\xBF\xBD" "1B");
}

TEST_F(WorksFileTest, HiddenCostsStayEmptyWhateverTheFileHolds) {
  const std::string file = WorksRecordBuilder().DirectCost(100).TotalCost(200).Bytes();
  const auto rows = Decode(file, WorksCostsHidden(6));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_FALSE(rows[0].directCost.has_value());
  EXPECT_FALSE(rows[0].totalCost.has_value());
  EXPECT_EQ(rows[0].name, "NAME-ANAME-B");
  EXPECT_EQ(Decode(file, WorksCostsHidden(1))[0].totalCost, 200);
}

TEST_F(WorksFileTest, LoadsMoreRecordsThanASixteenBitCount) {
  constexpr int kCount = 32770;
  WorksRecordBuilder builder;
  std::string file;
  file.reserve(kCount * WorksRecordBuilder::kSize);
  for (int i = 1; i <= kCount; ++i) file += builder.Number(i).Bytes();
  const auto rows = Decode(file);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCount));
  EXPECT_EQ(rows[32767].number, 32768);
  EXPECT_EQ(rows.back().number, kCount);
  EXPECT_EQ(rows.back().date, "H 21/04/01");
}

TEST(WorksFileNameTest, BudgetCategoryHasItsOwnFile) {
  EXPECT_EQ(WorksFileName(6), "njKOJI.RDM");
  for (int category = 1; category <= 5; ++category) {
    EXPECT_EQ(WorksFileName(category), "n_KOJI.RDM");
    EXPECT_FALSE(WorksCostsHidden(category));
  }
  EXPECT_TRUE(WorksCostsHidden(6));
  EXPECT_EQ(WorksFilePath("C:\\VORDELN\\DATA\\", 6), "C:\\VORDELN\\DATA\\njKOJI.RDM");
  EXPECT_EQ(WorksFilePath("C:\\VORDELN\\DATA\\", 2), "C:\\VORDELN\\DATA\\n_KOJI.RDM");
}

}  // namespace
}  // namespace orva
