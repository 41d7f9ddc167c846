#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QString>
#include <fstream>

#include "platform/cp932_codec.h"
#include "support/hostile_files.h"
#include "support/install_tree.h"
#include "support/works_file_builder.h"
#include "support/works_listing.h"
#include "ui/works_list.h"
#include "widgets/spread_grid.h"
#include "works/era_date.h"
#include "works/works_reader.h"
#include "works/works_record.h"

namespace orva {
namespace {

// One works record; the date in the file's Western form, the name in code page 932.
std::string Row(std::int32_t number, std::string_view date, std::string_view name, double cost) {
  return test::WorksRecordBuilder()
      .Number(number)
      .Date(date)
      .NameFirst(name)
      .NameSecond("")
      .Client("client")
      .Route("route")
      .DirectCost(cost)
      .TotalCost(cost)
      .Bytes();
}

constexpr std::string_view kKoji = "\x8D\x48\x8E\x96";  // 工事

class WorksSortTest : public ::testing::Test {
 protected:
  WorksSortTest() {
    ss_.SetColumnCount(7);
    for (int column = 1; column <= 7; ++column) {
      const bool number = column == 1 || column == 4 || column == 5;
      ss_.SetColumnKind(column, number ? SpreadGrid::CellKind::Number : SpreadGrid::CellKind::Text);
    }
    test::ListWorks(
        ss_, Row(2, "20090401", "B", 300) + Row(10, "19880105", "C", 20) + Row(1, "", "A", 1000));
  }

  // Column 1 top to bottom.
  std::vector<QString> Numbers() const {
    std::vector<QString> numbers;
    for (int row = 1; row <= ss_.RowCount(); ++row) numbers.push_back(ss_.Text(1, row));
    return numbers;
  }

  SpreadGrid ss_;
  WorksSorter sorter_;
};

TEST_F(WorksSortTest, FillWritesEveryColumn) {
  const std::string file = Row(7, "20190501", kKoji, 12) + Row(8, "", "", 5);
  ASSERT_EQ(test::ListWorks(ss_, file, true), 0);  // costs not shown
  ASSERT_EQ(ss_.RowCount(), 2);
  EXPECT_EQ(ss_.Text(4, 2), "");
  EXPECT_EQ(ss_.Text(5, 2), "");
  ASSERT_EQ(test::ListWorks(ss_, file), 0);
  ASSERT_EQ(ss_.RowCount(), 2);
  EXPECT_EQ(ss_.Text(1, 1), "7");
  EXPECT_EQ(ss_.Text(2, 1), "R 01/05/01");
  EXPECT_EQ(ss_.Text(3, 1), QString::fromUtf8("工事"));
  EXPECT_EQ(ss_.Text(4, 1), "12");
  EXPECT_EQ(ss_.Text(5, 1), "12");
  EXPECT_EQ(ss_.Text(6, 1), "client");
  EXPECT_EQ(ss_.Text(7, 1), "route");
}

// The grid takes decoded UTF-8 by a quick conversion; it must match the general one,
// including what it hands back to it.
TEST(WorksTextTest, DecodedTextConvertsLikeQt) {
  const std::vector<std::string> texts = {"ｱｲｳ 半角と全角",
                                          "é and ß",
                                          "\xEF\xBF\xBD",
                                          std::string("a\0b", 3),
                                          "\xEF\xBB\xBF"
                                          "bom",
                                          "bad \xC3",
                                          "\xF0\x9F\x98\x80 outside the BMP",
                                          "\xED\xA0\x80",
                                          ""};
  for (const std::string& text : texts) {
    const QString expected = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    EXPECT_EQ(FromDecodedUtf8(text), expected) << text;
  }
}

TEST_F(WorksSortTest, SameHeaderAlternatesStartingDescending) {
  sorter_.OnHeaderClick(ss_, 2, 0);
  EXPECT_EQ(sorter_.Direction(2), 1);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"10", "2", "1"}));
  sorter_.OnHeaderClick(ss_, 2, 0);
  EXPECT_EQ(sorter_.Direction(2), 0);
  // Era text order, not date order: H 21 (2009) before S 63 (1988).
  EXPECT_EQ(Numbers(), (std::vector<QString>{"1", "2", "10"}));
  sorter_.OnHeaderClick(ss_, 2, 0);
  EXPECT_EQ(sorter_.Direction(2), 1);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"10", "2", "1"}));
}

TEST_F(WorksSortTest, ColumnsAlternateIndependently) {
  sorter_.OnHeaderClick(ss_, 1, 0);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"10", "2", "1"}));  // by value, not text
  sorter_.OnHeaderClick(ss_, 4, 0);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"1", "2", "10"}));
  sorter_.OnHeaderClick(ss_, 1, 0);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"1", "2", "10"}));
  EXPECT_EQ(sorter_.Direction(1), 0);
  EXPECT_EQ(sorter_.Direction(4), 1);
}

TEST_F(WorksSortTest, DataCellClicksDoNothing) {
  sorter_.OnHeaderClick(ss_, 3, 1);
  sorter_.OnHeaderClick(ss_, 3, 3);
  EXPECT_EQ(sorter_.Direction(3), 0);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"2", "10", "1"}));
}

TEST_F(WorksSortTest, DirectionsOutliveTheList) {
  sorter_.OnHeaderClick(ss_, 3, 0);
  ss_.SetRowCount(0);
  sorter_.OnHeaderClick(ss_, 3, 0);  // empty grid: still toggles
  EXPECT_EQ(sorter_.Direction(3), 0);
  test::ListWorks(ss_, Row(2, "", "B", 1) + Row(1, "", "A", 1) + Row(3, "", "C", 1));
  sorter_.OnHeaderClick(ss_, 3, 0);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"3", "2", "1"}));
}

TEST_F(WorksSortTest, CornerAndOutOfRangeColumns) {
  sorter_.OnHeaderClick(ss_, 0, 0);
  EXPECT_EQ(sorter_.Direction(0), 1);
  sorter_.OnHeaderClick(ss_, 12, 0);
  sorter_.OnHeaderClick(ss_, -1, 0);
  EXPECT_EQ(sorter_.Direction(12), 0);
  EXPECT_EQ(Numbers(), (std::vector<QString>{"2", "10", "1"}));
}

TEST_F(WorksSortTest, LoadingAFileInPiecesKeepsFileOrderAcrossEveryPiece) {
  test::InstallTree tree;
  std::string file;
  for (int i = 1; i <= 2500; ++i) {
    file += test::WorksRecordBuilder().Number(i % 7 == 0 ? 0 : i).Bytes();
  }
  file += std::string(17, 'x');  // a partial record at the end is no record
  tree.WriteBytes("C:\\DATA\\n_KOJI.RDM", file);
  EraDateFormatter dates;
  ASSERT_EQ(LoadWorksFile(ss_, tree.Files(), "C:\\DATA\\n_KOJI.RDM", false, tree.Codec(), dates),
            0);
  ASSERT_EQ(ss_.RowCount(), 2500 - 2500 / 7);
  int expected = 0;
  for (int row = 1; row <= ss_.RowCount(); ++row) {
    do ++expected;
    while (expected % 7 == 0);
    ASSERT_EQ(ss_.Text(1, row), QString::number(expected)) << row;
  }
  // The grid's direct decoding shows what the file's rows hold, odd bytes included.
  const std::string odd = test::WorksRecordBuilder()
                              .NameFirst(*tree.Codec().Encode("県道改良工事") + "\x88")
                              .NameSecond("\x9F" + *tree.Codec().Encode("（第２工区）"))
                              .Client("\xFF\x80\xA0 bad")
                              .Route(*tree.Codec().Encode("国道１４１号"))
                              .Bytes();
  tree.WriteBytes("C:\\DATA\\odd.RDM", odd);
  ASSERT_EQ(LoadWorksFile(ss_, tree.Files(), "C:\\DATA\\odd.RDM", true, tree.Codec(), dates), 0);
  // The reference: each field decoded to UTF-8 by itself, blanks trimmed, halves joined.
  const auto decoded = [&tree](std::string bytes) {
    while (!bytes.empty() && bytes.back() == ' ') bytes.pop_back();
    return QString::fromStdString(tree.Codec().Decode(bytes));
  };
  EXPECT_EQ(ss_.Text(3, 1), decoded(*tree.Codec().Encode("県道改良工事") + "\x88") +
                                decoded("\x9F" + *tree.Codec().Encode("（第２工区）")));
  EXPECT_EQ(ss_.Text(6, 1), decoded("\xFF\x80\xA0 bad"));
  EXPECT_EQ(ss_.Text(7, 1), QString::fromUtf8("国道１４１号"));
  EXPECT_EQ(ss_.Text(4, 1), "");

  EXPECT_EQ(LoadWorksFile(ss_, tree.Files(), "C:\\DATA\\none.RDM", false, tree.Codec(), dates), 53);
  EXPECT_EQ(ss_.RowCount(), 0);
}

// A works file of many gigabytes, nearly all hole: the grid grows with the records read,
// not with what the file claims, and records past the bound are never reached.
TEST_F(WorksSortTest, HugeWorksFileIsListedWithinItsBound) {
  test::InstallTree tree;
  const std::filesystem::path host = tree.Host("C:\\DATA\\n_KOJI.RDM");
  test::MakeSparse(host, std::uintmax_t{5} << 30);
  std::fstream file(host, std::ios::in | std::ios::out | std::ios::binary);
  ASSERT_TRUE(file);
  const auto put = [&](std::int32_t number, std::size_t index) {
    const std::string record = test::WorksRecordBuilder().Number(number).Bytes();
    file.seekp(static_cast<std::streamoff>(index * kWorksRecordSize));
    file.write(record.data(), static_cast<std::streamsize>(record.size()));
    ASSERT_TRUE(file);
  };
  put(1, 0);
  put(2, 5000);
  put(3, kMaxWorksRecords - 1);
  put(4, kMaxWorksRecords);  // past the bound
  file.close();

  int mostRows = 0;
  QObject::connect(ss_.model(), &QAbstractItemModel::rowsInserted,
                   [&] { mostRows = std::max(mostRows, ss_.model()->rowCount()); });
  EraDateFormatter dates;
  ASSERT_EQ(LoadWorksFile(ss_, tree.Files(), "C:\\DATA\\n_KOJI.RDM", false, tree.Codec(), dates),
            0);
  ASSERT_EQ(ss_.RowCount(), 3);
  EXPECT_EQ(ss_.Text(1, 3), "3");
  EXPECT_LT(mostRows, 1000);

#ifndef _WIN32  // no FIFOs at a file's name on Windows
  // A FIFO in its place lists nothing and does not wait.
  test::MakeFifo(host);
  const test::FifoHangGuard guard(host);
  EXPECT_EQ(LoadWorksFile(ss_, tree.Files(), "C:\\DATA\\n_KOJI.RDM", false, tree.Codec(), dates),
            53);
  EXPECT_EQ(ss_.RowCount(), 0);
#endif
}

}  // namespace
}  // namespace orva
