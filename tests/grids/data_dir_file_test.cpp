#include "grids/data_dir_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error_codes.h"
#include "support/install_tree.h"

namespace orva {
namespace {

constexpr const char* kFile = "C:\\P\\DIR.TXT";
constexpr const char* kDefault = "C:\\P\\DATA";

class ReadDataDirTest : public ::testing::Test {
 protected:
  DataDirResult Read(const std::string& file = kFile) const {
    return ReadDataDir(tree.Files(), file, kDefault, tree.Codec());
  }
  test::InstallTree tree;
};

TEST_F(ReadDataDirTest, MissingEmptyOrNamelessFileFallsBackToTheDefault) {
  std::filesystem::create_directories(tree.Host("C:\\P"));
  EXPECT_EQ(Read().dataDir, "C:\\P\\DATA\\");  // missing
  EXPECT_EQ(Read("C:\\NOWHERE\\DIR.TXT").error, err::kPathNotFound);
  tree.WriteBytes(kFile, "");
  EXPECT_EQ(Read().dataDir, "C:\\P\\DATA\\");
  tree.WriteBytes(kFile, "  \r\n\r\n");
  EXPECT_EQ(Read().dataDir, "C:\\P\\DATA\\");
  // No data-file name: only the program's folder is left.
  EXPECT_EQ(Read("C:\\P\\").dataDir, "C:\\P\\DATA\\");
  EXPECT_EQ(Read("").dataDir, "C:\\P\\DATA\\");
  EXPECT_EQ(Read().error, 0);
}

TEST_F(ReadDataDirTest, FirstFieldOfTheFirstLine) {
  struct Case {
    std::string bytes;
    std::string dataDir;
  } cases[] = {
      {"D:\\WORK", "D:\\WORK\\"},
      {"D:\\WORK\\\r\nE:\\OTHER\r\n", "D:\\WORK\\"},
      {"  D:\\WORK,E:\\OTHER", "D:\\WORK\\"},
      {"\"D:\\A,B\\\",x", "D:\\A,B\\"},
      {"D:\\\x8D\x48\x8E\x96\r\n", "D:\\工事\\"},
      // Only the start of an endless line is read.
      {std::string(1 << 20, 'a'), std::string(FileSystem::kFirstLineLimit, 'a') + "\\"},
  };
  for (const Case& c : cases) {
    tree.WriteBytes(kFile, c.bytes);
    const DataDirResult result = Read();
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(result.dataDir, c.dataDir) << c.bytes.substr(0, 40);
  }
}

TEST_F(ReadDataDirTest, AFolderIsAnErrorToReport) {
  std::filesystem::create_directories(tree.Host(kFile));
  const DataDirResult result = Read();
  EXPECT_EQ(result.error, err::kPathFileAccess);
  EXPECT_EQ(result.dataDir, "");
}

}  // namespace
}  // namespace orva
