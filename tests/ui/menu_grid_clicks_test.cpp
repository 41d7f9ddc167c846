#include "grids/menu_grid_clicks.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>

#include "app/launcher_window.h"
#include "desktop/host_path_text.h"
#include "support/install_tree.h"
#include "support/scripted_desktop.h"
#include "support/works_file_builder.h"
#include "ui/grid_colors.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

using test::CatalogueLine;
using test::WorksRecordBuilder;

constexpr const char* kUserIni = "C:\\VORDELN\\USERMENU.INI";
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

class MenuGridClicksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Category 1 slots 1..6, category 2 slot 1, category 6 slot 1.
    tree.WriteText(
        "C:\\VORDELN\\MENU.INI",
        CatalogueLine("11001", "一", "VORDELN\\a1\\prog.exe", "a.png", "DIR.TXT", "DATA\\") +
            CatalogueLine("11101", "二", "VORDELN\\Program Files\\b prog.exe") +
            CatalogueLine("11201", "三", "VORDELN\\late.exe") +
            CatalogueLine("11301", "四", "VORDELN\\folder.exe") +
            CatalogueLine("11401", "五", "VORDELN\\.hidden.exe") +
            CatalogueLine("11501", "六", "VORDELN\\a6.exe") +
            CatalogueLine("21001", "農林", "VORDELN\\n1.exe", "a.png") +
            CatalogueLine("61001", "実行予算", "VORDELN\\j\\j.exe", "a.png", "DIR.TXT", "DATA\\"));
    tree.Touch("C:\\VORDELN\\a1\\prog.exe");
    tree.Touch("C:\\VORDELN\\Program Files\\b prog.exe");
    tree.Touch("C:\\VORDELN\\Program.exe");  // what a re-parsed command line would start
    tree.Touch("C:\\VORDELN\\.hidden.exe");
    tree.Touch("C:\\VORDELN\\a6.exe");
    std::filesystem::create_directories(tree.Host("C:\\VORDELN\\folder.exe"));
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::red);
    std::filesystem::create_directories(tree.Host("C:\\VORDELN\\icon\\"));
    icon.save(HostPathText(tree.Host("C:\\VORDELN\\icon\\a.png")));
  }

  // categoryView: the menu grids are shown instead of the combined grid.
  std::unique_ptr<LauncherWindow> Start(bool categoryView = false) {
    if (categoryView) tree.WriteText("C:\\VORDELN\\dMENU.INI", "1\r\n");
    auto window =
        std::make_unique<LauncherWindow>(desktop, tree.Files(), ResolveInstallPaths("C:\\VORDELN"));
    EXPECT_EQ(window->Startup().error(), 0);
    return window;
  }

  // The row showing item `slot` (of `category`, in the combined grid).
  static int RowOf(const SpreadGrid& grid, int slot, int category = 0) {
    for (int row = 1; row <= grid.RowCount(); ++row) {
      if (std::abs(grid.Text(5, row).toInt()) != slot) continue;
      if (category != 0 && grid.Text(7, row).toInt() != category) continue;
      return row;
    }
    ADD_FAILURE() << "no row for item " << slot;
    return 1;
  }

  static void Press(SpreadGrid& grid, int column, int row) {
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, column - 1));
    ASSERT_FALSE(cell.isEmpty());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
  }

  bool StartedOnly(const char* windowsPath) const {
    std::error_code ec;
    // The Windows path goes along: a failed start names it to the user and the log.
    return desktop.started.size() == 1 &&
           std::filesystem::equivalent(desktop.started[0].toStdString(), tree.Host(windowsPath),
                                       ec) &&
           desktop.handovers.back().windowsPath.compare(QString::fromUtf8(windowsPath),
                                                        Qt::CaseInsensitive) == 0;
  }

  std::string Bytes(std::string_view utf8) const { return *tree.Codec().Encode(utf8); }

  void WriteWorks(const char* windowsPath, std::int32_t number) const {
    tree.WriteBytes(windowsPath, WorksRecordBuilder().Number(number).Bytes());
  }

  test::InstallTree tree;
  test::ScriptedDesktop desktop;
};

TEST_F(MenuGridClicksTest, HeaderClicksChangeNothing) {
  auto window = Start();
  SpreadGrid& grid = *window->Controls().SSx[0];
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  emit grid.ButtonClicked(2, 0);
  emit grid.CellClicked(1, 0);
  QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(grid.horizontalHeader()->sectionViewportPosition(1) + 3, 3));
  for (int row = 1; row <= grid.RowCount(); ++row) EXPECT_EQ(grid.ForeColor(2, row), kBlack);
  EXPECT_TRUE(desktop.started.empty());
  EXPECT_TRUE(window->Controls().SS->isHidden());
}

TEST_F(MenuGridClicksTest, EachButtonColumnKeepsItsOwnRedCaption) {
  auto window = Start();
  window->Controls().dispALL->trigger();  // every row shown, so every cell can be pressed
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  SpreadGrid& grid = *window->Controls().SSx[0];
  Press(grid, 4, 2);  // chooser cancelled
  Press(grid, 2, 3);
  Press(grid, 2, 5);
  for (int row = 1; row <= grid.RowCount(); ++row) {
    EXPECT_EQ(grid.ForeColor(2, row), row == 5 ? kRed : kBlack) << row;
    EXPECT_EQ(grid.ForeColor(4, row), row == 2 ? kRed : kBlack) << row;
    EXPECT_EQ(grid.ForeColor(3, row), kBlack) << row;
  }
  EXPECT_EQ(desktop.fileRequests.size(), 1u);
}

TEST_F(MenuGridClicksTest, TitleStartsOnlyAPlainFilePresentAtClickTime) {
  auto window = Start(true);
  SpreadGrid& grid = *window->Controls().SSm[0];
  for (int slot : {3, 4, 5}) emit grid.ButtonClicked(2, RowOf(grid, slot));
  EXPECT_TRUE(desktop.started.empty());  // missing, a folder, a hidden file
  EXPECT_EQ(grid.ForeColor(2, RowOf(grid, 5)), kRed);

  tree.Touch("C:\\VORDELN\\late.exe");  // installed after the grid was filled
  ASSERT_LT(grid.Text(5, RowOf(grid, 3)).toInt(), 0);
  emit grid.ButtonClicked(2, RowOf(grid, 3));
  EXPECT_TRUE(StartedOnly("C:\\VORDELN\\late.exe"));

  desktop.started.clear();
  emit grid.ButtonClicked(2, RowOf(grid, 2));
  EXPECT_TRUE(StartedOnly("C:\\VORDELN\\Program Files\\b prog.exe"));
}

TEST_F(MenuGridClicksTest, IconStartsAndMarksTheTitle) {
  auto window = Start(true);
  window->Controls().dispALL->trigger();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  SpreadGrid& grid = *window->Controls().SSm[0];
  const int row = RowOf(grid, 1);
  emit grid.ButtonClicked(2, RowOf(grid, 4));
  Press(grid, 1, row);
  EXPECT_TRUE(StartedOnly("C:\\VORDELN\\a1\\prog.exe"));
  for (int r = 1; r <= grid.RowCount(); ++r) {
    EXPECT_EQ(grid.ForeColor(2, r), r == row ? kRed : kBlack) << r;
  }

  desktop.started.clear();
  for (int column : {5, 6}) emit grid.CellClicked(column, RowOf(grid, 6));
  EXPECT_TRUE(desktop.started.empty());
  EXPECT_EQ(grid.ForeColor(2, row), kRed);
}

TEST_F(MenuGridClicksTest, CombinedIconSetsTheCategoryEvenWhenNothingStarts) {
  auto window = Start();
  SpreadGrid& grid = *window->Controls().SSx[0];
  emit grid.CellClicked(1, RowOf(grid, 1, 6));
  EXPECT_EQ(window->State().grids.allGridCategory, 6);
  EXPECT_TRUE(desktop.started.empty());
  emit grid.CellClicked(1, RowOf(grid, 1, 1));
  EXPECT_EQ(window->State().grids.allGridCategory, 1);
  EXPECT_TRUE(StartedOnly("C:\\VORDELN\\a1\\prog.exe"));
}

TEST_F(MenuGridClicksTest, WorksListShowsTheGridAndDoublesTheHeightOnce) {
  WriteWorks("C:\\VORDELN\\a1\\DATA\\n_KOJI.RDM", 11);
  auto window = Start(true);
  SpreadGrid& grid = *window->Controls().SSm[0];
  SpreadGrid& works = *window->Controls().SS;
  const int height = window->height();
  emit grid.ButtonClicked(3, RowOf(grid, 1));
  EXPECT_FALSE(works.isHidden());
  EXPECT_EQ(window->height(), height * 2);
  ASSERT_EQ(works.RowCount(), 1);  // no data-folder file: the default folder
  EXPECT_EQ(works.Text(1, 1), "11");
  emit grid.ButtonClicked(3, RowOf(grid, 2));  // nothing in its folder: emptied
  EXPECT_EQ(works.RowCount(), 0);
  EXPECT_EQ(window->height(), height * 2);
}

TEST_F(MenuGridClicksTest, DoubledHeightStaysOnTheScreen) {
  auto window = Start(true);
  window->show();
  const QRect available = window->screen()->availableGeometry();
  window->move(available.left() + 10, available.top() + available.height() / 2);
  window->resize(window->width(), available.height() * 3 / 4);
  SpreadGrid& grid = *window->Controls().SSm[0];
  emit grid.ButtonClicked(3, RowOf(grid, 1));
  EXPECT_FALSE(window->Controls().SS->isHidden());
  EXPECT_TRUE(available.contains(window->frameGeometry()))
      << window->frameGeometry().top() << " " << window->frameGeometry().bottom();
  EXPECT_GT(window->height(), available.height() * 3 / 4);
}

TEST_F(MenuGridClicksTest, DataFolderFileNamesTheFolder) {
  WriteWorks("C:\\VORDELN\\a1\\DATA\\n_KOJI.RDM", 11);
  WriteWorks("C:\\WORKS\\X\\n_KOJI.RDM", 22);
  // A folder named without a drive or a root is below the launcher's folder, where the
  // program works, not below the program's own folder.
  WriteWorks("C:\\VORDELN\\DATA\\n_KOJI.RDM", 33);
  auto window = Start(true);
  SpreadGrid& grid = *window->Controls().SSm[0];
  const SpreadGrid& works = *window->Controls().SS;
  struct Case {
    const char* firstLine;
    const char* number;
  } cases[] = {{"", "11"},
               {"C:\\WORKS\\X", "22"},
               {"C:\\WORKS\\X\\\r\n", "22"},
               {"C:\\WORKS\\X,C:\\VORDELN\\a1\\DATA\\\r\n", "22"},
               {"\"C:\\WORKS\\X\\\",junk", "22"},
               {"DATA\\", "33"},
               {"..\\WORKS\\X", "22"},
               {"\\WORKS\\X\r\n", "22"},
               {"c:DATA", "33"},
               {"C:\\WORKS\\X", "22"}};
  for (const Case& c : cases) {
    tree.WriteText("C:\\VORDELN\\a1\\DIR.TXT", c.firstLine);
    emit grid.ButtonClicked(3, RowOf(grid, 1));
    ASSERT_EQ(works.RowCount(), 1) << c.firstLine;
    EXPECT_EQ(works.Text(1, 1), c.number) << c.firstLine;
  }
  EXPECT_EQ(window->State().grids.dataDir, "C:\\WORKS\\X\\");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MenuGridClicksTest, UnreadableDataFolderFileIsReportedAndNothingIsLost) {
  WriteWorks("C:\\VORDELN\\a1\\DATA\\n_KOJI.RDM", 11);
  auto window = Start(true);
  SpreadGrid& grid = *window->Controls().SSm[0];
  emit grid.ButtonClicked(3, RowOf(grid, 1));
  ASSERT_EQ(window->Controls().SS->RowCount(), 1);

  std::filesystem::create_directories(tree.Host("C:\\VORDELN\\a1\\DIR.TXT"));
  int rowsUnderMessage = -1;
  desktop.duringMessage = [&] { rowsUnderMessage = window->Controls().SS->RowCount(); };
  emit grid.ButtonClicked(3, RowOf(grid, 1));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(rowsUnderMessage, 0);  // no list of an earlier request under the message
  EXPECT_TRUE(desktop.messages[0].text.startsWith("75:")) << desktop.messages[0].text.toStdString();
  EXPECT_GT(desktop.messages[0].text.size(), 3);
  EXPECT_TRUE(desktop.messages[0].text.endsWith("\nC:\\VORDELN\\a1\\DIR.TXT"))
      << desktop.messages[0].text.toStdString();  // which file could not be read
  EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー"));
  EXPECT_EQ(window->Controls().SS->RowCount(), 0);

  desktop.fileChoices.push_back(QString("C:\\VORDELN\\chosen.exe"));
  emit grid.ButtonClicked(4, RowOf(grid, 3));  // the launcher still works
  window->close();
  EXPECT_NE(tree.ReadBytes(kUserIni).find("C:\\VORDELN\\chosen.exe"), std::string::npos);
}

TEST_F(MenuGridClicksTest, BudgetWorksComeFromTheirOwnFileWithoutCosts) {
  tree.WriteBytes("C:\\VORDELN\\j\\DATA\\njKOJI.RDM",
                  WorksRecordBuilder().Number(66).DirectCost(5).TotalCost(7).Bytes());
  WriteWorks("C:\\VORDELN\\j\\DATA\\n_KOJI.RDM", 11);
  auto window = Start();  // combined view, curCategory 1
  const SpreadGrid& works = *window->Controls().SS;
  emit window->Controls().SSx[0]->ButtonClicked(3, RowOf(*window->Controls().SSx[0], 1, 6));
  ASSERT_EQ(works.RowCount(), 1);
  EXPECT_EQ(works.Text(1, 1), "66");
  EXPECT_EQ(works.Text(4, 1), "");
  EXPECT_EQ(works.Text(5, 1), "");

  window->Controls().dispSELECT->trigger();  // category view: the category button decides
  window->Controls().Command1[5]->click();
  emit window->Controls().SSm[5]->ButtonClicked(3, 1);
  ASSERT_EQ(works.RowCount(), 1);
  EXPECT_EQ(works.Text(1, 1), "66");
}

TEST_F(MenuGridClicksTest, CancelledChooserChangesNothing) {
  auto window = Start(true);
  SpreadGrid& grid = *window->Controls().SSm[0];
  const int row = RowOf(grid, 1);
  emit grid.ButtonClicked(4, row);
  ASSERT_EQ(desktop.fileRequests.size(), 1u);
  const Desktop::OpenFileRequest& request = desktop.fileRequests[0];
  EXPECT_EQ(request.fileName, "C:\\VORDELN\\a1\\prog.exe");
  EXPECT_EQ(request.initialFolder, "C:\\VORDELN\\a1\\");
  EXPECT_EQ(request.title, QString::fromUtf8("実行ファイルの設定"));
  EXPECT_EQ(request.filters, QStringList({"prog.exe", "prog.exe", "*.exe", "*.exe"}));
  EXPECT_EQ(window->Menu().Entry(1, 1).menuExe, "C:\\VORDELN\\a1\\prog.exe");
  EXPECT_EQ(grid.Text(4, row), "C:\\VORDELN\\a1\\prog.exe");
  EXPECT_TRUE(desktop.messages.empty());
}

// The row of a re-pointed item, in either view, shows it as available.
void ExpectReactivated(const SpreadGrid& grid, int row, const char* path, int slot,
                       const GridColors& colors, int titleSlot) {
  EXPECT_TRUE(grid.HasPicture(1, row));
  EXPECT_EQ(grid.BackColor(2, row), ToQColor(colors[titleSlot]));
  EXPECT_EQ(grid.BackColor(3, row), ToQColor(colors[kWorksListColorSlot]));
  EXPECT_EQ(grid.BackColor(4, row), ToQColor(colors[kExecutableColorSlot]));
  EXPECT_EQ(grid.Text(4, row), path);
  EXPECT_EQ(grid.Text(5, row), QString::number(slot));
}

TEST_F(MenuGridClicksTest, ChoiceInTheCombinedGridBeforeAnyCategoryReachesItsMenuGrid) {
  auto window = Start();
  const WindowControls& c = window->Controls();
  desktop.fileChoices.push_back(QString("C:\\J\\j.exe"));
  emit c.SSx[0]->ButtonClicked(4, RowOf(*c.SSx[0], 1, 6));
  ASSERT_NE(c.SSm[5], nullptr);
  ExpectReactivated(*c.SSm[5], 1, "C:\\J\\j.exe", 1, window->State().grids.gridColors,
                    kMenuTitleColorSlot);
}

TEST_F(MenuGridClicksTest, ChosenProgramReactivatesBothViews) {
  auto window = Start(true);
  const WindowControls& c = window->Controls();
  const GridColors& colors = window->State().grids.gridColors;

  // Menu grid of category 2: item 1 also exists in category 1, whose combined row stays.
  c.Command1[1]->click();
  desktop.fileChoices.push_back(QString("C:\\VORDELN\\新\\n1.exe"));
  ASSERT_LT(c.SSm[1]->Text(5, 1).toInt(), 0);
  emit c.SSm[1]->ButtonClicked(4, 1);
  ExpectReactivated(*c.SSm[1], 1, "C:\\VORDELN\\新\\n1.exe", 1, colors, kMenuTitleColorSlot);
  ExpectReactivated(*c.SSx[0], RowOf(*c.SSx[0], 1, 2), "C:\\VORDELN\\新\\n1.exe", 1, colors,
                    kCombinedTitleColorSlot);
  EXPECT_EQ(c.SSx[0]->Text(4, RowOf(*c.SSx[0], 1, 1)), "C:\\VORDELN\\a1\\prog.exe");

  // Combined grid, category 6, marked missing.
  desktop.fileChoices.push_back(QString("C:\\J\\j.exe"));
  emit c.SSx[0]->ButtonClicked(4, RowOf(*c.SSx[0], 1, 6));
  ExpectReactivated(*c.SSx[0], RowOf(*c.SSx[0], 1, 6), "C:\\J\\j.exe", 1, colors,
                    kCombinedTitleColorSlot);
  ExpectReactivated(*c.SSm[5], 1, "C:\\J\\j.exe", 1, colors, kMenuTitleColorSlot);

  // An installed item: its counterpart shows a positive number and follows as well.
  desktop.fileChoices.push_back(QString("C:\\Other\\p.exe"));
  emit c.SSx[0]->ButtonClicked(4, RowOf(*c.SSx[0], 1, 1));
  EXPECT_EQ(c.SSm[0]->Text(4, RowOf(*c.SSm[0], 1)), "C:\\Other\\p.exe");

  EXPECT_EQ(window->Menu().Entry(2, 1).menuExe, "C:\\VORDELN\\新\\n1.exe");
  EXPECT_EQ(window->Menu().Entry(6, 1).menuExe, "C:\\J\\j.exe");
  EXPECT_TRUE(desktop.messages.empty());
  window->close();
  const std::string saved = tree.ReadBytes(kUserIni);
  EXPECT_NE(saved.find(Bytes("\"C:\\VORDELN\\新\\n1.exe\"")), std::string::npos);
  EXPECT_NE(saved.find("\"C:\\J\\j.exe\""), std::string::npos);
  EXPECT_NE(saved.find("\"C:\\Other\\p.exe\""), std::string::npos);
}

TEST_F(MenuGridClicksTest, PathsTheCatalogueCannotHoldAreRefused) {
  auto window = Start(true);
  SpreadGrid& grid = *window->Controls().SSm[0];
  const int row = RowOf(grid, 3);
  for (const char* path : {"C:\\a\"b.exe", "C:\\a\r\nb.exe", "C:\\\xF0\x9F\x98\x80.exe"}) {
    desktop.messages.clear();
    desktop.fileChoices.push_back(QString::fromUtf8(path));
    emit grid.ButtonClicked(4, row);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー"));
    EXPECT_EQ(window->Menu().Entry(1, 3).menuExe, "C:\\VORDELN\\late.exe");
    EXPECT_EQ(grid.Text(4, row), "C:\\VORDELN\\late.exe");
    EXPECT_LT(grid.Text(5, row).toInt(), 0);
  }
}

TEST_F(MenuGridClicksTest, ItemNumberThatIndexesNothingDoesNothing) {
  auto window = Start(true);
  SpreadGrid& grid = *window->Controls().SSm[0];
  SpreadGrid& combined = *window->Controls().SSx[0];
  const auto before = window->Menu().Entry(1, 1).menuExe;
  for (const char* bogus : {"999", "-40000", "abc", "", "7"}) {
    grid.SetText(5, 1, bogus);
    combined.SetText(7, 1, bogus);
    desktop.fileChoices.push_back(QString("C:\\x.exe"));
    for (int column = 1; column <= 4; ++column) {
      emit grid.ButtonClicked(column, 1);
      emit grid.CellClicked(column, 1);
      emit combined.ButtonClicked(column, 1);
      emit combined.CellClicked(column, 1);
    }
  }
  EXPECT_TRUE(desktop.started.empty());
  EXPECT_TRUE(desktop.fileRequests.empty());
  EXPECT_TRUE(window->Controls().SS->isHidden());
  EXPECT_EQ(window->Menu().Entry(1, 1).menuExe, before);
}

}  // namespace
}  // namespace orva
