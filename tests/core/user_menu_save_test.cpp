#include "catalogue/user_menu_save.h"

#include <gtest/gtest.h>

#include "catalogue/install_paths.h"
#include "platform/error_number.h"
#include "support/install_tree.h"

namespace orva {
namespace {

using test::CatalogueLine;

constexpr const char* kMenuIni = "C:\\VORDELN\\MENU.INI";
constexpr const char* kUserIni = "C:\\VORDELN\\USERMENU.INI";

class UserMenuSaveTest : public ::testing::Test {
 protected:
  void Load() {
    ASSERT_EQ(LoadUserMenu(catalogue, tree.Files(), kUserIni, tree.Codec(), &seen), 0);
    ASSERT_EQ(LoadSuiteMenu(catalogue, tree.Files(), kMenuIni, "C:\\", tree.Codec()), 0);
  }
  UserMenuSaveResult Save() {
    return SaveUserMenuAtClose(catalogue, tree.Files(), paths, tree.Codec(), seen);
  }
  std::string Bytes(const std::string& utf8) const { return *tree.Codec().Encode(utf8); }

  test::InstallTree tree;
  const InstallPaths paths = ResolveInstallPaths("C:\\VORDELN");
  Catalogue catalogue;
  UserFileSeen seen;
};

// A user file another program changed after start-up is not overwritten with what was read
// then: a run that chose nothing leaves it as it is; a run that chose an executable writes
// that choice on top of it, bringing back an entry the other program removed.
TEST_F(UserMenuSaveTest, AnotherProgramsChangeIsKeptUnderThisRunsChoices) {
  tree.WriteText(kMenuIni, CatalogueLine("12601", "土木", "VORDELN\\a.exe") +
                               CatalogueLine("22601", "農林", "VORDELN\\n.exe"));
  tree.WriteText(kUserIni, CatalogueLine("12601", "土木", "D:\\mine.exe") +
                               CatalogueLine("19999", "自分だけ", "D:\\own.exe"));
  Load();
  const std::string theirs = Bytes(CatalogueLine("12601", "土木", "D:\\mine.exe") +
                                   CatalogueLine("22601", "農林", "D:\\admin.exe") +
                                   CatalogueLine("39999", "管理者", "D:\\added.exe"));
  tree.WriteBytes(kUserIni, theirs);

  UserMenuSaveResult result = Save();
  EXPECT_EQ(result.error, 0);
  EXPECT_TRUE(result.changedElsewhere);
  EXPECT_FALSE(result.written);
  EXPECT_EQ(tree.ReadBytes(kUserIni), theirs);

  catalogue.SetExe(1, 2, "D:\\chosen.exe");
  catalogue.SetExe(1, 2, "D:\\own2.exe");
  result = Save();
  EXPECT_TRUE(result.written);
  const std::string merged = Bytes(
      "\"12601\",\"土木\",\"D:\\mine.exe\",\"\",\"\",\"\"\r\n"
      "\"19999\",\"自分だけ\",\"D:\\own2.exe\",\"\",\"\",\"\"\r\n"
      "\"22601\",\"農林\",\"D:\\admin.exe\",\"\",\"\",\"\"\r\n"
      "\"39999\",\"管理者\",\"D:\\added.exe\",\"\",\"\",\"\"\r\n");
  EXPECT_EQ(tree.ReadBytes(kUserIni), merged);

  // The catalogue does not hold the other program's entries: a later save goes on top again.
  catalogue.SetExe(1, 1, "D:\\last.exe");
  EXPECT_TRUE(Save().written);
  EXPECT_EQ(tree.ReadBytes(kUserIni), std::string(merged).replace(merged.find("mine"), 4, "last"));
}

// A file that appeared, or went, after start-up is a change of another program too.
TEST_F(UserMenuSaveTest, FileMadeOrRemovedMeanwhileIsAChange) {
  tree.WriteText(kMenuIni, CatalogueLine("12601", "土木", "VORDELN\\a.exe"));
  Load();
  const std::string theirs = Bytes(CatalogueLine("12601", "土木", "D:\\theirs.exe"));
  tree.WriteBytes(kUserIni, theirs);
  EXPECT_FALSE(Save().written);
  EXPECT_EQ(tree.ReadBytes(kUserIni), theirs);

  Load();
  ASSERT_EQ(tree.Files().Remove(kUserIni), 0);
  catalogue.SetExe(1, 1, "D:\\chosen.exe");
  EXPECT_TRUE(Save().changedElsewhere);
  EXPECT_EQ(tree.ReadBytes(kUserIni),
            Bytes("\"12601\",\"土木\",\"D:\\chosen.exe\",\"\",\"\",\"\"\r\n"));
}

}  // namespace
}  // namespace orva
