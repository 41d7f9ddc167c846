#include "ui/works_list.h"

#include <gtest/gtest.h>

#include "support/works_file_builder.h"
#include "support/works_listing.h"
#include "ui/grid_designs.h"
#include "widgets/spread_grid.h"
#include "works/works_file.h"

namespace orva {
namespace {

using test::WorksRecordBuilder;

// The works list as the window shows it: grid row r is the r-th live record.
class WorksFileTest : public ::testing::Test {
 protected:
  WorksFileTest() { DesignWorksGrid(grid_); }

  const SpreadGrid& Decode(const std::string& bytes, bool costsHidden = false) {
    EXPECT_EQ(test::ListWorks(grid_, bytes, costsHidden), 0);
    return grid_;
  }

  static QString U(const std::string& utf8) { return QString::fromStdString(utf8); }

  SpreadGrid grid_;
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
  const SpreadGrid& rows = Decode(file);
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.Number(1, 1), 4711);
  EXPECT_EQ(rows.Text(2, 1), "S 63/01/05");
  EXPECT_EQ(rows.Text(3, 1), "ABCDEF");
  EXPECT_EQ(rows.Text(6, 1), U("国土交通省"));
  EXPECT_EQ(rows.Text(7, 1), "R-12");
  EXPECT_EQ(rows.Number(4, 1), -1.5e9);
  EXPECT_EQ(rows.Number(5, 1), 0.125);
}

TEST_F(WorksFileTest, NameHalvesAreTrimmedAndDecodedSeparately) {
  // Only trailing blanks go; leading and inner blanks stay.
  const auto name = [this](const WorksRecordBuilder& record) {
    return Decode(record.Bytes()).Text(3, 1);
  };
  EXPECT_EQ(name(WorksRecordBuilder().NameFirst(" A B ").NameSecond(" C  ")), " A B C");

  // Full-width blank (81 40) is not a blank byte and stays.
  EXPECT_EQ(name(WorksRecordBuilder().NameFirst("\x8D\x48\x8E\x96\x81\x40").NameSecond("")),
            U("工事　"));

  // A double-byte character (ア = 83 41) split across the halves: the lone lead byte is
  // a replacement character and its trail byte reads as the letter it also is.
  EXPECT_EQ(name(WorksRecordBuilder().NameFirst(std::string(49, 'x') + "\x83").NameSecond("\x41Z")),
            U(std::string(49, 'x') + "\xEF\xBF\xBD" + "AZ"));

  // A lead byte followed by a byte that cannot trail it.
  EXPECT_EQ(name(WorksRecordBuilder()
                     .NameFirst("A\x82"
                                "1B")
                     .NameSecond("")),
            U("A\xEF\xBF\xBD"
              "1B"));
}

TEST_F(WorksFileTest, HiddenCostsStayEmptyWhateverTheFileHolds) {
  const std::string file = WorksRecordBuilder().DirectCost(100).TotalCost(200).Bytes();
  const SpreadGrid& rows = Decode(file, WorksCostsHidden(6));
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_FALSE(rows.Number(4, 1).has_value());
  EXPECT_FALSE(rows.Number(5, 1).has_value());
  EXPECT_EQ(rows.Text(3, 1), "NAME-ANAME-B");
  EXPECT_EQ(Decode(file, WorksCostsHidden(1)).Number(5, 1), 200);
}

TEST_F(WorksFileTest, LoadsMoreRecordsThanASixteenBitCount) {
  constexpr int kCount = 32770;
  WorksRecordBuilder builder;
  std::string file;
  file.reserve(kCount * WorksRecordBuilder::kSize);
  for (int i = 1; i <= kCount; ++i) file += builder.Number(i).Bytes();
  const SpreadGrid& rows = Decode(file);
  ASSERT_EQ(rows.RowCount(), kCount);
  EXPECT_EQ(rows.Number(1, 32768), 32768);
  EXPECT_EQ(rows.Number(1, kCount), kCount);
  EXPECT_EQ(rows.Text(2, kCount), "H 21/04/01");
}

}  // namespace
}  // namespace orva
