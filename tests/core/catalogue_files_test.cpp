#include "catalogue/catalogue_files.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include "platform/error_codes.h"
#include "support/hostile_files.h"
#include "support/install_tree.h"

namespace orva {
namespace {

using test::CatalogueLine;

constexpr const char* kMenuIni = "C:\\VORDELN\\MENU.INI";
constexpr const char* kUserIni = "C:\\VORDELN\\USERMENU.INI";
constexpr const char* kH26 = "平成26年度 前期第1版 (H26/4)";

class CatalogueFilesTest : public ::testing::Test {
 protected:
  err::Number LoadBoth() {
    userError = LoadUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec());
    return LoadSuiteMenu(catalogue, tree.Files(), kMenuIni, "C:\\", tree.Codec());
  }
  std::vector<std::string> Codes(int category) const {
    std::vector<std::string> codes;
    for (const MenuEntry& entry : catalogue.Slots(category)) codes.push_back(entry.menuCode);
    return codes;
  }

  test::InstallTree tree;
  Catalogue catalogue;
  err::Number userError = err::kNone;
};

using CodeList = std::vector<std::string>;

TEST_F(CatalogueFilesTest, MasterEntriesAreSortedByCodeAsStrings) {
  tree.WriteText(kMenuIni, CatalogueLine("12601", "b", "VORDELN\\b.exe") +
                               CatalogueLine("12501", "a", "VORDELN\\a.exe") +
                               CatalogueLine("1270", "d", "x") + CatalogueLine("1260", "c", "x") +
                               CatalogueLine("12602", "e", "x"));
  ASSERT_EQ(LoadBoth(), 0);
  EXPECT_EQ(Codes(1), (CodeList{"12501", "1260", "12601", "12602", "1270"}));
  EXPECT_EQ(catalogue.Entry(1, 3).menuExe, "C:\\VORDELN\\b.exe");
  EXPECT_EQ(userError, 0);
}

TEST_F(CatalogueFilesTest, UserPathSurvivesTheMergeAndMasterTextsWin) {
  tree.WriteText(kUserIni, CatalogueLine("12601", "old title", "D:\\old\\prog.exe", "old.ico",
                                         "old.txt", "OLD\\") +
                               CatalogueLine("29999", "mine only", "D:\\mine.exe"));
  tree.WriteText(kMenuIni, CatalogueLine("12601", "new title", "VORDELN\\p26\\prog.exe", "new.ico",
                                         "DATA.TXT", "DATA\\"));
  ASSERT_EQ(LoadBoth(), 0);
  ASSERT_EQ(catalogue.menuCount(1), 1);
  const MenuEntry& entry = catalogue.Entry(1, 1);
  EXPECT_EQ(entry.menuName, "new title");
  EXPECT_EQ(entry.menuExe, "D:\\old\\prog.exe");
  EXPECT_EQ(entry.menuIcon, "new.ico");
  EXPECT_EQ(entry.menuDataFile, "DATA.TXT");
  EXPECT_EQ(entry.menuDataDir, "DATA\\");
  ASSERT_EQ(catalogue.menuCount(2), 1);
  EXPECT_EQ(catalogue.Entry(2, 1).menuName, "mine only");
}

TEST_F(CatalogueFilesTest, MisfiledEditionJoinsItsCategoryOneTwin) {
  tree.WriteText(kUserIni, CatalogueLine("13501", kH26, "D:\\user.exe"));
  tree.WriteText(kMenuIni, CatalogueLine("12601", "master", "VORDELN\\m.exe") +
                               CatalogueLine("13501", kH26, "VORDELN\\n.exe"));
  ASSERT_EQ(LoadBoth(), 0);
  EXPECT_EQ(catalogue.menuCount(3), 0);
  ASSERT_EQ(catalogue.menuCount(1), 1);
  EXPECT_EQ(catalogue.Entry(1, 1).menuCode, "12601");
  EXPECT_EQ(catalogue.Entry(1, 1).menuName, kH26);  // the later master line wins
  EXPECT_EQ(catalogue.Entry(1, 1).menuExe, "D:\\user.exe");
}

TEST_F(CatalogueFilesTest, DuplicateCodesInEitherFile) {
  tree.WriteText(kUserIni, CatalogueLine("11111", "u1", "D:\\1.exe") +
                               CatalogueLine("11111", "u2", "D:\\2.exe"));
  tree.WriteText(kMenuIni, CatalogueLine("11111", "m", "VORDELN\\m.exe", "m.ico") +
                               CatalogueLine("22222", "first", "VORDELN\\first.exe") +
                               CatalogueLine("22222", "second", "VORDELN\\second.exe", "s.ico"));
  ASSERT_EQ(LoadBoth(), 0);
  ASSERT_EQ(catalogue.menuCount(1), 2);
  EXPECT_EQ(catalogue.Entry(1, 1).menuName, "m");
  EXPECT_EQ(catalogue.Entry(1, 2).menuName, "m");
  ASSERT_EQ(catalogue.menuCount(2), 1);
  EXPECT_EQ(catalogue.Entry(2, 1).menuName, "second");
  EXPECT_EQ(catalogue.Entry(2, 1).menuIcon, "s.ico");
  EXPECT_EQ(catalogue.Entry(2, 1).menuExe, "C:\\VORDELN\\first.exe");
}

TEST_F(CatalogueFilesTest, EqualCodesAreExchangedOnEveryPass) {
  for (const char* name : {"A", "B", "C"}) {
    catalogue.Append(1, MenuEntry{"10000", name, "", "", "", ""});
  }
  catalogue.Append(1, MenuEntry{"09999", "Z", "", "", "", ""});
  DATASort(catalogue, 1);
  std::string order;
  for (const MenuEntry& entry : catalogue.Slots(1)) order += entry.menuName;
  EXPECT_EQ(order, "ZCBA");
  // Codes in order but not distinct are still exchanged.
  DATASort(catalogue, 1);
  order.clear();
  for (const MenuEntry& entry : catalogue.Slots(1)) order += entry.menuName;
  EXPECT_EQ(order, "ZABC");
}

TEST_F(CatalogueFilesTest, DistinctCodesEndAscending) {
  for (const char* code : {"30000", "10000", "20000", "09999", "10001", "1000"}) {
    catalogue.Append(1, MenuEntry{code, code, "", "", "", ""});
  }
  DATASort(catalogue, 1);
  std::string order;
  for (const MenuEntry& entry : catalogue.Slots(1)) order += entry.menuName + " ";
  EXPECT_EQ(order, "09999 1000 10000 10001 20000 30000 ");
}

TEST_F(CatalogueFilesTest, EntriesOutsideTheSixCategoriesAreSkipped) {
  std::string lines;
  for (const char* code : {"01234", "71234", "A1234", "", "61234"}) {
    lines += CatalogueLine(code, "t", "D:\\x.exe");
  }
  tree.WriteText(kUserIni, lines);
  tree.WriteText(kMenuIni, lines);
  ASSERT_EQ(LoadBoth(), 0);
  int total = 0;
  for (int category = 1; category <= kCategoryCount; ++category) {
    total += catalogue.menuCount(category);
  }
  EXPECT_EQ(total, 1);
  EXPECT_EQ(catalogue.menuCount(6), 1);
}

TEST_F(CatalogueFilesTest, CategoriesStopAtTheirLastSlot) {
  std::string lines;
  for (int i = 0; i < 1005; ++i) lines += CatalogueLine(std::to_string(10000 + i), "t", "x");
  tree.WriteText(kUserIni, lines);
  lines.clear();
  for (int i = 0; i < 1005; ++i) lines += CatalogueLine(std::to_string(20000 + i), "t", "x");
  tree.WriteText(kMenuIni, lines);
  ASSERT_EQ(LoadBoth(), 0);
  EXPECT_EQ(catalogue.menuCount(1), kMaxSlots);
  EXPECT_EQ(catalogue.menuCount(2), kMaxSlots);
  EXPECT_EQ(catalogue.Entry(2, kMaxSlots).menuCode, "20998");
}

TEST_F(CatalogueFilesTest, ShortLineBorrowsFromTheNextAndTheTailReportsPastEnd) {
  tree.WriteText(kUserIni, "\"11111\",\"a\",\"D:\\a.exe\",\"i\",\"d\"\r\n" +
                               CatalogueLine("12222", "b", "D:\\b.exe"));
  tree.WriteText(kMenuIni, "");
  ASSERT_EQ(LoadBoth(), 0);
  EXPECT_EQ(userError, err::kInputPastEnd);
  ASSERT_EQ(catalogue.menuCount(1), 1);
  EXPECT_EQ(catalogue.Entry(1, 1).menuDataDir, "12222");
}

TEST_F(CatalogueFilesTest, MalformedBytesNeitherCrashNorSpill) {
  std::string bytes = "\r\n\r\n" + *tree.Codec().Encode(CatalogueLine("11111", "ok", "D:\\ok.exe"));
  bytes += "\"12222\",\"bad \x81\xFF\x85 sjis\",\"D:\\nul";
  bytes += std::string(1, '\0');
  bytes += "x.exe\",\"\",\"\",\"\"\r\n";
  bytes += "\"13333\",\"a\",\"D:\\c.exe\",\"\",\"\",\"unclosed, to the line end\r\n";
  bytes += "\"14444\",\"" + std::string(10 * 1024 * 1024, 'L') + "\",\"\",\"\",\"\",\"\"\r\n\r\n";
  tree.WriteBytes(kUserIni, bytes);
  tree.WriteText(kMenuIni, "");
  ASSERT_EQ(LoadBoth(), 0);
  ASSERT_GE(catalogue.menuCount(1), 3);
  EXPECT_EQ(catalogue.Entry(1, 1).menuName, "ok");
  EXPECT_EQ(catalogue.Entry(1, 2).menuExe.size(), std::string("D:\\nul?x.exe").size());
  // The unclosed quote ends at its line: the entry after it is still read.
  bool found = false;
  for (const MenuEntry& entry : catalogue.Slots(1)) {
    found |= entry.menuCode == "14444" && entry.menuName.size() == 10 * 1024 * 1024;
    if (entry.menuCode == "13333") {
      EXPECT_EQ(entry.menuDataDir, "unclosed, to the line end");
    }
  }
  EXPECT_TRUE(found);
}

TEST_F(CatalogueFilesTest, MissingMasterFileStopsTheLoadWithItsError) {
  EXPECT_EQ(LoadBoth(), err::kFileNotFound);
  EXPECT_EQ(userError, 0);  // no user file is normal
}

TEST_F(CatalogueFilesTest, UnreadableUserFileIsReportedAndTheMasterStillLoads) {
  std::filesystem::create_directories(tree.Host(kUserIni));
  tree.WriteText(kMenuIni, CatalogueLine("11111", "m", "VORDELN\\m.exe"));
  ASSERT_EQ(LoadBoth(), 0);
  EXPECT_NE(userError, 0);
  EXPECT_EQ(catalogue.menuCount(1), 1);
}

// A catalogue file that is a FIFO or an endless device reads as missing; one larger than
// any catalogue is refused unread, and an unread user file must not be saved over.
TEST_F(CatalogueFilesTest, HostileCatalogueFilesNeitherHangNorBalloon) {
#ifndef _WIN32  // no FIFOs or endless devices at a file's name on Windows
  test::MakeFifo(tree.Host(kMenuIni));
  std::filesystem::create_symlink("/dev/zero", tree.Host(kUserIni));
  {
    const test::FifoHangGuard guard(tree.Host(kMenuIni));
    EXPECT_EQ(LoadBoth(), err::kFileNotFound);
  }
  EXPECT_EQ(userError, 0);
  EXPECT_FALSE(UserMenuLeftUnread(userError));

  std::filesystem::remove(tree.Host(kMenuIni));
  std::filesystem::remove(tree.Host(kUserIni));
#endif
  test::MakeSparse(tree.Host(kMenuIni), kCatalogueFileLimit + 1);
  test::MakeSparse(tree.Host(kUserIni), std::uintmax_t{3} << 30);
  EXPECT_EQ(LoadBoth(), err::kFileTooLarge);
  EXPECT_EQ(userError, err::kFileTooLarge);
  EXPECT_TRUE(UserMenuLeftUnread(userError));
  // A text that ends inside an entry was read up to there: its entries are kept.
  EXPECT_FALSE(UserMenuLeftUnread(err::kInputPastEnd));
}

class SaveUserMenuTest : public CatalogueFilesTest {};

TEST_F(SaveUserMenuTest, MasterCodesTheUserFileCannotHoldDoNotMultiply) {
  tree.WriteBytes(kMenuIni,
                  "1\x81,bad byte,VORDELN\\a.exe,,,\r\n"
                  "12\"3\",quote,VORDELN\\b.exe,,,\r\n"
                  "\"12601\",good,VORDELN\\c.exe,,,\r\n");
  for (int start = 0; start < 3; ++start) {
    ASSERT_EQ(LoadBoth(), 0);
    EXPECT_EQ(Codes(1), CodeList{"12601"});
    ASSERT_EQ(SaveUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec()), 0);
  }
}

TEST_F(SaveUserMenuTest, WritesEveryEntryQuotedInCategoryAndSlotOrder) {
  catalogue.Append(2, MenuEntry{"22601", "農林", "C:\\VORDELN\\n.exe", "n.ico", "", "D\\"});
  catalogue.Append(1, MenuEntry{"12501", "土木", "D:\\a b\\d.exe", "", "DIR.TXT", ""});
  catalogue.Append(1, MenuEntry{"12601", kH26, "C:\\x.exe", "i.ico", "f", "d"});
  ASSERT_EQ(SaveUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec()), 0);
  const std::string expected =
      "\"12501\",\"土木\",\"D:\\a b\\d.exe\",\"\",\"DIR.TXT\",\"\"\r\n"
      "\"12601\",\"平成26年度 前期第1版 (H26/4)\",\"C:\\x.exe\",\"i.ico\",\"f\",\"d\"\r\n"
      "\"22601\",\"農林\",\"C:\\VORDELN\\n.exe\",\"n.ico\",\"\",\"D\\\"\r\n";
  EXPECT_EQ(tree.ReadBytes(kUserIni), *tree.Codec().Encode(expected));
}

TEST_F(SaveUserMenuTest, SavedCatalogueLoadsBackUnchanged) {
  tree.WriteText(kMenuIni, CatalogueLine("12601", kH26, "VORDELN\\a.exe", "a.ico", "", "DATA\\") +
                               CatalogueLine("52101", "水道", "VORDELN\\w.exe"));
  ASSERT_EQ(LoadBoth(), 0);
  catalogue.Entry(1, 1).menuExe = "D:\\chosen\\prog.exe";
  ASSERT_EQ(SaveUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec()), 0);
  Catalogue before = catalogue;
  ASSERT_EQ(LoadBoth(), 0);
  for (int category = 1; category <= kCategoryCount; ++category) {
    ASSERT_EQ(catalogue.menuCount(category), before.menuCount(category));
    for (int slot = 1; slot <= catalogue.menuCount(category); ++slot) {
      EXPECT_EQ(catalogue.Entry(category, slot).menuExe, before.Entry(category, slot).menuExe);
      EXPECT_EQ(catalogue.Entry(category, slot).menuName, before.Entry(category, slot).menuName);
    }
  }
}

TEST_F(SaveUserMenuTest, FailedWriteKeepsThePreviousFileWhole) {
  const std::string previous = *tree.Codec().Encode(CatalogueLine("11111", "old", "D:\\o.exe"));
  tree.WriteBytes(kUserIni, previous);
  for (int i = 0; i < 200; ++i) {
    catalogue.Append(1, MenuEntry{std::to_string(10000 + i), "名前", "C:\\p.exe", "", "", ""});
  }
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to stop a write half-way";
#else
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;  // the new file fails part-way through
  setrlimit(RLIMIT_FSIZE, &small);
  const err::Number error = SaveUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec());
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_NE(error, 0);
  EXPECT_EQ(tree.ReadBytes(kUserIni), previous);
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(tree.Host("C:\\VORDELN\\"))) {
    files += item.is_regular_file();
  }
  EXPECT_EQ(files, 1);  // no temporary left behind
#endif
}

// Bytes nothing changed go back as they were read, where the code page would not write them
// so: a pair that is no character in a user's path, a character's second code, also in an
// entry the master file adds. A text that changed is written as the code page writes it.
TEST_F(SaveUserMenuTest, BytesNothingChangedAreWrittenBackAsRead) {
  tree.WriteBytes(kUserIni,
                  "\"12601\",\"\x85\x41\",\"D:\\dob\x85\x40oku.exe\",\"\",\"\",\"\"\r\n"
                  "\"22601\",\"\x87\x90\",\"D:\\n\x87\x90.exe\",\"\",\"\",\"\"\r\n");
  tree.WriteBytes(kMenuIni,
                  "\"12601\",\"t\",\"VORDELN\\x.exe\",,,\r\n"
                  "\"32601\",\"m\",\"VORDELN\\m\x85\x40.exe\",,,\r\n");
  ASSERT_EQ(LoadBoth(), 0);
  ASSERT_EQ(SaveUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec()), 0);
  const std::string kept =
      "\"22601\",\"\x87\x90\",\"D:\\n\x87\x90.exe\",\"\",\"\",\"\"\r\n"
      "\"32601\",\"m\",\"C:\\VORDELN\\m\x85\x40.exe\",\"\",\"\",\"\"\r\n";
  EXPECT_EQ(tree.ReadBytes(kUserIni),
            "\"12601\",\"t\",\"D:\\dob\x85\x40oku.exe\",\"\",\"\",\"\"\r\n" + kept);

  ASSERT_EQ(LoadBoth(), 0);
  catalogue.SetExe(1, 1, catalogue.Entry(1, 1).menuExe + "x");
  catalogue.Entry(2, 1).menuName = "\xE2\x89\x92";  // the same character
  ASSERT_EQ(SaveUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec()), 0);
  EXPECT_EQ(tree.ReadBytes(kUserIni),
            "\"12601\",\"t\",\"D:\\dob?@oku.exex\",\"\",\"\",\"\"\r\n" + kept);
}

TEST_F(SaveUserMenuTest, MissingInstallFolderIsAnError) {
  catalogue.Append(1, MenuEntry{"11111", "t", "x", "", "", ""});
  EXPECT_NE(SaveUserMenu(catalogue, tree.Files(), "C:\\NOWHERE\\USERMENU.INI", tree.Codec()), 0);
}

TEST(CatalogueFieldTest, RefusesWhatTheFileCannotHold) {
  Cp932Codec codec;
  EXPECT_TRUE(FitsCatalogueField("C:\\積算\\prog.exe", codec));
  EXPECT_FALSE(FitsCatalogueField("C:\\a\"b.exe", codec));
  EXPECT_FALSE(FitsCatalogueField("C:\\a\nb.exe", codec));
  EXPECT_FALSE(FitsCatalogueField("C:\\😀.exe", codec));
}

}  // namespace
}  // namespace orva
