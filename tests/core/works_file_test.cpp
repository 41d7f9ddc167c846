#include "works/works_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/install_tree.h"
#include "support/works_file_builder.h"
#include "works/works_reader.h"

namespace orva {
namespace {

using test::WorksRecordBuilder;

// The numbers of the records the reader hands out of a works file, in the order handed.
// Each record must have been announced: the works grid makes its rows on the announcement.
class WorksReaderTest : public ::testing::Test, private WorksRecordSink {
 protected:
  const std::vector<std::int32_t>& Read(const std::string& bytes) {
    tree_.WriteBytes(kPath, bytes);
    EXPECT_EQ(ReadFrom(kPath), 0);
    return numbers_;
  }

  int ReadFrom(const std::string& path) {
    numbers_.clear();
    announced_ = 0;
    return ReadWorksFile(tree_.Files(), path, *this);
  }

  const std::vector<std::int32_t>& Numbers() const { return numbers_; }

 private:
  static constexpr const char* kPath = "C:\\DATA\\n_KOJI.RDM";

  void Expect(std::size_t records) override { announced_ += records; }
  void Take(const WorksRecord& record) override {
    EXPECT_LT(numbers_.size(), announced_) << "a record handed before it was announced";
    numbers_.push_back(record.number);
  }

  test::InstallTree tree_;
  std::vector<std::int32_t> numbers_;
  std::size_t announced_ = 0;
};

TEST_F(WorksReaderTest, WholeRecordsOnly) {
  const std::string record = WorksRecordBuilder().Bytes();
  EXPECT_EQ(Read("").size(), 0u);
  EXPECT_EQ(Read(record.substr(0, 930)).size(), 0u);
  EXPECT_EQ(Read(record).size(), 1u);
  // Three whole records and the start of a fourth.
  EXPECT_EQ(Read(record + record + record + record.substr(0, 17)).size(), 3u);
}

TEST_F(WorksReaderTest, DeadRecordsLeaveNoGap) {
  std::string file;
  for (const std::int32_t number : {5, 0, -3, 7, -2147483647 - 1, 9}) {
    file += WorksRecordBuilder().Number(number).Bytes();
  }
  EXPECT_EQ(Read(file), (std::vector<std::int32_t>{5, 7, 9}));
}

TEST_F(WorksReaderTest, ManyPiecesKeepFileOrderAndAMissingFileHandsNothing) {
  std::string file;
  std::vector<std::int32_t> live;
  for (std::int32_t i = 1; i <= 300; ++i) {
    file += WorksRecordBuilder().Number(i % 7 == 0 ? 0 : i).Bytes();
    if (i % 7 != 0) live.push_back(i);
  }
  EXPECT_EQ(Read(file), live);

  EXPECT_EQ(ReadFrom("C:\\DATA\\none.RDM"), 53);
  EXPECT_TRUE(Numbers().empty());
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
