#include "works/data_dir_file.h"

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
  Result<std::string> Read(const std::string& file = kFile) const {
    return ReadDataDir(tree.Files(), file, kDefault, tree.Codec());
  }
  test::InstallTree tree;
};

TEST_F(ReadDataDirTest, MissingEmptyOrNamelessFileFallsBackToTheDefault) {
  std::filesystem::create_directories(tree.Host("C:\\P"));
  EXPECT_EQ(Read().value(), "C:\\P\\DATA\\");  // missing
  EXPECT_EQ(Read("C:\\NOWHERE\\DIR.TXT").error(), err::kPathNotFound);
  tree.WriteBytes(kFile, "");
  EXPECT_EQ(Read().value(), "C:\\P\\DATA\\");
  tree.WriteBytes(kFile, "  \r\n\r\n");
  EXPECT_EQ(Read().value(), "C:\\P\\DATA\\");
  // No data-file name: only the program's folder is left.
  EXPECT_EQ(Read("C:\\P\\").value(), "C:\\P\\DATA\\");
  EXPECT_EQ(Read("").value(), "C:\\P\\DATA\\");
  EXPECT_EQ(Read().error(), 0);
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
    const Result<std::string> result = Read();
    EXPECT_EQ(result.error(), 0);
    EXPECT_EQ(result.value(), c.dataDir) << c.bytes.substr(0, 40);
  }
}

TEST_F(ReadDataDirTest, OnlyTheFirstLineNamesTheFolder) {
  for (const char* bytes : {"\r\nD:\\WORK\r\n", "  \nD:\\WORK", "\"\"\r\nD:\\WORK", ",D:\\WORK"}) {
    tree.WriteBytes(kFile, bytes);
    EXPECT_EQ(Read().value(), "C:\\P\\DATA\\") << bytes;
  }
}

TEST(ResolveDataDirTest, RelativeFoldersHangBelowTheWorkingFolderOrItsDrive) {
  const std::string working = "D:\\SUITE\\P\\";
  const std::string drive = "C:\\";
  struct Case {
    const char* recorded;
    const char* resolved;
  } cases[] = {
      {"E:\\WORK\\", "E:\\WORK\\"},
      {"e:/WORK\\", "e:/WORK\\"},
      {"\\\\server\\share\\", "\\\\server\\share\\"},
      {"\\DATA\\", "C:\\DATA\\"},
      {"/DATA\\", "C:/DATA\\"},
      {"\\", "C:\\"},
      {"DATA\\", "D:\\SUITE\\P\\DATA\\"},
      {"..\\X\\", "D:\\SUITE\\P\\..\\X\\"},
      {"d:DATA\\", "D:\\SUITE\\P\\DATA\\"},
      {"E:DATA\\", "E:\\DATA\\"},
      {"E:\\", "E:\\"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveDataDir(c.recorded, working, drive), c.resolved) << c.recorded;
  }
  // The working folder of a launcher on a network share comes without its last separator.
  EXPECT_EQ(ResolveDataDir("DATA\\", "C:\\VORDELN", drive), "C:\\VORDELN\\DATA\\");
  EXPECT_EQ(ResolveDataDir("c:DATA\\", "C:\\VORDELN", drive), "C:\\VORDELN\\DATA\\");
}

TEST_F(ReadDataDirTest, AFolderIsAnErrorToReport) {
  std::filesystem::create_directories(tree.Host(kFile));
  const Result<std::string> result = Read();
  EXPECT_EQ(result.error(), err::kPathFileAccess);
  EXPECT_EQ(result.value(), "");
}

}  // namespace
}  // namespace orva
