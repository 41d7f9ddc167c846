#include "app/launcher_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <atomic>

#include "platform/error_codes.h"
#include "support/hostile_files.h"
#include "support/window_fixture.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

using test::kMenuIni;
using test::kUserIni;
using test::kViewIni;

using LauncherWindowTest = test::WindowFixture;

TEST_F(LauncherWindowTest, StartupLeavesTheWindowAsDesigned) {
  auto window = Start();
  ASSERT_EQ(result.error(), 0);
  const WindowControls& c = window->Controls();
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("ORVA土木積算システム"));
  EXPECT_TRUE(c.Frame1->isHidden());
  EXPECT_TRUE(c.SS->isHidden());
  EXPECT_FALSE(c.SSm[0]->isHidden());
  // The other menu grids are made when first needed.
  for (int i = 1; i < kCategoryCount; ++i) EXPECT_EQ(c.SSm[i], nullptr) << i;
  window->MakeMenuGridCopies();
  for (int i = 1; i < kCategoryCount; ++i) EXPECT_TRUE(c.SSm[i]->isHidden()) << i;
  EXPECT_FALSE(c.SSx[0]->isHidden());  // no view file: combined view
  EXPECT_FALSE(c.dispALL->isChecked());
  EXPECT_FALSE(c.saishin->isVisible());
  EXPECT_FALSE(window->State().views.showAll);
  EXPECT_EQ(window->State().views.curCategory, 1);
  EXPECT_EQ(window->State().grids.menuRowHeight, 35);
  EXPECT_EQ(window->State().grids.allRowHeight, 35);
  EXPECT_EQ(window->pos(), QPoint(0, 0));
  EXPECT_EQ(c.Label1->text(), QString::fromUtf8("起動中\u3000しばらくお待ちください"));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(LauncherWindowTest, MenuGridsShowNewestFirstWithSignedSlots) {
  auto window = Start();
  const SpreadGrid& grid = *window->Controls().SSm[0];
  ASSERT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.Text(2, 1), QString::fromUtf8("平成26年度 後期"));
  EXPECT_EQ(grid.Text(5, 1), "-3");
  EXPECT_EQ(grid.Text(5, 2), "2");
  EXPECT_EQ(grid.Text(4, 2), "C:\\VORDELN\\p26\\prog.exe");
  EXPECT_EQ(grid.Text(6, 2), "DIR.TXT");
  EXPECT_EQ(grid.RowHeight(1), 0);  // missing program hidden
  EXPECT_EQ(grid.RowHeight(2), 35);
  EXPECT_TRUE(grid.HasPicture(1, 2));
  EXPECT_FALSE(grid.HasPicture(1, 1));
  EXPECT_EQ(grid.BackColor(2, 2), QColor(196, 255, 255));
  EXPECT_EQ(grid.BackColor(2, 1), QColor(192, 192, 192));
  window->MakeMenuGridCopies();
  EXPECT_EQ(window->Controls().SSm[2]->RowCount(), 0);
  EXPECT_FALSE(window->Controls().SSm[5]->HasPicture(1, 1));  // icon file nowhere
}

TEST_F(LauncherWindowTest, CombinedGridSortsByEditionThenCategory) {
  auto window = Start();
  const SpreadGrid& grid = *window->Controls().SSx[0];
  ASSERT_EQ(grid.RowCount(), 6);
  QStringList order;
  for (int row = 1; row <= 6; ++row) order << grid.Text(2, row);
  EXPECT_EQ(order,
            (QStringList{test::CombinedTitle("平成26年度 後期", 1),
                         test::CombinedTitle("平成26年度 前期第1版 (H26/4)", 1),
                         test::CombinedTitle("農林26", 2), test::CombinedTitle("平成25年度", 1),
                         test::CombinedTitle("農林15", 2), test::CombinedTitle("実行予算", 6)}));
  EXPECT_EQ(grid.Text(7, 3), "2");
  EXPECT_EQ(grid.Text(8, 3), "2601");
  EXPECT_EQ(grid.BackColor(2, 2), QColor(196, 196, 255));
}

TEST_F(LauncherWindowTest, CloseWritesBothFilesExactly) {
  auto window = Start();
  window->show();
  window->close();
  EXPECT_EQ(tree.ReadBytes(kViewIni), "0\r\n");
  EXPECT_EQ(tree.ReadBytes(kUserIni), UnchangedUserMenu());
}

TEST_F(LauncherWindowTest, SavedCategoryViewComesBack) {
  tree.WriteBytes(kViewIni, "1\r\n");
  auto window = Start();
  EXPECT_TRUE(window->Controls().SSx[0]->isHidden());
  window->show();
  window->close();
  EXPECT_EQ(tree.ReadBytes(kViewIni), "1\r\n");
}

TEST_F(LauncherWindowTest, UpdateToolBesideTheLauncherShowsItsCommand) {
  tree.Touch("C:\\VORDELN\\vekup.exe");
  auto window = Start();
  window->show();
  EXPECT_TRUE(window->Controls().saishin->isVisible());
}

TEST_F(LauncherWindowTest, EachGridStartsOnItsFirstShownRowWithNothingSelected) {
  auto window = Start();
  window->show();
  const WindowControls& c = window->Controls();
  ASSERT_TRUE(c.SSm[0]->isRowHidden(0));  // the newest item of category 1 is not installed
  window->MakeMenuGridCopies();
  std::vector<SpreadGrid*> grids(c.SSm.begin(), c.SSm.end());
  grids.push_back(c.SSx[0]);
  for (SpreadGrid* grid : grids) {
    grid->JoinView();  // a hidden menu grid's view is made when it is first needed
    int firstShown = 0;
    while (firstShown < grid->RowCount() && grid->isRowHidden(firstShown)) ++firstShown;
    const QModelIndex expected =
        firstShown < grid->RowCount() ? grid->model()->index(firstShown, 0) : QModelIndex();
    EXPECT_EQ(grid->currentIndex(), expected) << grid->objectName().toStdString();
    EXPECT_FALSE(grid->selectionModel()->hasSelection()) << grid->objectName().toStdString();
  }
}

TEST_F(LauncherWindowTest, MissingMasterFileEndsStartUpWithItsPath) {
  std::filesystem::remove(tree.Host(kMenuIni));
  auto window = Start();
  EXPECT_EQ(result.error(), 53);
  EXPECT_EQ(result.file(), kMenuIni);
}

TEST_F(LauncherWindowTest, UnwritableUserFileIsReportedAndTheViewIsStillSaved) {
  auto window = Start();
  std::filesystem::create_directories(tree.Host(kUserIni) / "blocker");
  window->show();
  window->close();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].title.startsWith(QString::fromUtf8("エラー")));
  EXPECT_EQ(tree.ReadBytes(kViewIni), "0\r\n");
}

TEST_F(LauncherWindowTest, UnreadableUserFileIsReportedOnce) {
  std::filesystem::create_directories(tree.Host(kUserIni));
  auto window = Start();
  ASSERT_EQ(result.error(), 0);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー75"));
  EXPECT_TRUE(desktop.messages[0].text.endsWith(QString::fromUtf8("\n") + kUserIni));
}

// Counts plain-file tests, from whichever thread makes them.
class CountingFiles : public FileSystem {
 public:
  using FileSystem::FileSystem;
  bool IsPlainFile(std::string_view windowsPath) const override {
    ++tests;
    return FileSystem::IsPlainFile(windowsPath);
  }
  mutable std::atomic<int> tests{0};
};

// The catalogue is read while the window is being made: still, a user file that has to be
// reported is reported before any program is tested, and a master file that cannot be read
// ends the start-up with nothing tested.
TEST_F(LauncherWindowTest, NoFileIsTestedBeforeAReportOrAfterAnEndingError) {
  CountingFiles files(tree.Files().Drives());
  std::filesystem::create_directories(tree.Host(kUserIni));
  int testsAtMessage = -1;
  desktop.duringMessage = [&] { testsAtMessage = files.tests; };
  {
    LauncherWindow window(desktop, files, ResolveInstallPaths("C:\\VORDELN"));
    ASSERT_EQ(window.Startup().error(), 0);
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(testsAtMessage, 0);
    EXPECT_GT(files.tests, 0);
  }
  std::filesystem::remove(tree.Host(kUserIni));
  tree.WriteText(kUserIni,
                 test::CatalogueLine("12501", "平成25年度", "C:\\VORDELN\\p25\\prog.exe"));
  std::filesystem::remove(tree.Host(kMenuIni));
  files.tests = 0;
  LauncherWindow window(desktop, files, ResolveInstallPaths("C:\\VORDELN"));
  EXPECT_EQ(window.Startup().error(), 53);
  EXPECT_EQ(files.tests, 0);
}

// A user file too large to be a catalogue is reported and, never read, kept at the close;
// the view is still saved.
TEST_F(LauncherWindowTest, UserFileThatCouldNotBeReadIsNotSavedOver) {
  test::MakeSparse(tree.Host(kUserIni), std::uintmax_t{3} << 30);
  auto window = Start();
  ASSERT_EQ(result.error(), 0);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー513"));
  window->show();
  window->close();
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(std::filesystem::file_size(tree.Host(kUserIni)), std::uintmax_t{3} << 30);
  EXPECT_EQ(tree.ReadBytes(kViewIni), "0\r\n");
}

// A view-state file that is there but could not be read (here a link to itself) keeps what
// it holds: the default shown meanwhile is not written over it.
TEST_F(LauncherWindowTest, ViewStateThatCouldNotBeReadIsNotRewritten) {
#ifdef _WIN32
  GTEST_SKIP() << "a link to itself needs a POSIX host";
#else
  std::filesystem::create_symlink("dMENU.INI", tree.Host(kViewIni));
  auto window = Start();
  ASSERT_EQ(result.error(), 0);
  window->show();
  window->close();
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(std::filesystem::is_symlink(tree.Host(kViewIni)));
  EXPECT_EQ(tree.ReadBytes(kUserIni), UnchangedUserMenu());
#endif
}

// Write-protected files are left as they are: the user file's save says why, the view
// state's stays silent.
TEST_F(LauncherWindowTest, WriteProtectedFilesAreNotReplacedAtClose) {
  tree.WriteBytes(kUserIni, UnchangedUserMenu());
  tree.WriteBytes(kViewIni, "1\r\n");
  const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
  std::filesystem::permissions(tree.Host(kUserIni), readOnly);
  std::filesystem::permissions(tree.Host(kViewIni), readOnly);
  auto window = Start();
  window->show();
  window->Controls().SSx[0]->show();
  window->close();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].title, QString::fromUtf8("エラー70"));
  EXPECT_EQ(desktop.messages[0].text,
            QString::fromUtf8("書き込みできません。\n") + QString::fromUtf8(kUserIni));
  EXPECT_EQ(tree.ReadBytes(kUserIni), UnchangedUserMenu());
  EXPECT_EQ(tree.ReadBytes(kViewIni), "1\r\n");
}

// FIFOs in place of the suite's files, one of them put there right after the plain-file
// test of an icon: start-up neither hangs nor complains, and a FIFO master file ends it as
// a missing one does.
TEST_F(LauncherWindowTest, FifosInPlaceOfFilesNeverHangStartUp) {
#ifdef _WIN32
  GTEST_SKIP() << "no FIFOs at a file's name on Windows";
#else
  test::MakeFifo(tree.Host(kUserIni));
  test::MakeFifo(tree.Host(kViewIni));
  const std::filesystem::path icon = tree.Host("C:\\VORDELN\\icon\\a.png");
  test::FifoAfterPlainFileTest files(tree.Files().Drives(), "C:\\VORDELN\\icon\\a.png");
  {
    const test::FifoHangGuard userGuard(tree.Host(kUserIni));
    const test::FifoHangGuard viewGuard(tree.Host(kViewIni));
    const test::FifoHangGuard iconGuard(icon);
    LauncherWindow window(desktop, files, ResolveInstallPaths("C:\\VORDELN"));
    ASSERT_EQ(window.Startup().error(), 0);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(window.Controls().SSx[0]->isHidden());
    EXPECT_EQ(window.Controls().SSm[0]->RowCount(), 3);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(icon));

  test::MakeFifo(tree.Host(kMenuIni));
  const test::FifoHangGuard guard(tree.Host(kMenuIni));
  auto window = Start();
  EXPECT_EQ(result.error(), err::kFileNotFound);
#endif
}

TEST_F(LauncherWindowTest, CoveredControlsTakeNoFocusInTheCombinedView) {
  auto window = Start();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const WindowControls& c = window->Controls();
  ASSERT_FALSE(c.SSx[0]->isHidden());
  c.SSx[0]->setFocus();
  for (int press = 0; press < 10; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), c.SSx[0]) << press;  // the only control left
  }

  c.dispSELECT->trigger();  // the category view: buttons, then the menu grid
  QPushButton* lastButton = c.Command1[kCategoryCount - 1];
  lastButton->setFocus();
  QTest::keyClick(lastButton, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), c.SSm[0]);
  QTest::keyClick(c.SSm[0], Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), c.Command1[0]);

  c.dispSELECT->trigger();  // covered again: the focus goes to the grid over the button
  EXPECT_EQ(QApplication::focusWidget(), c.SSx[0]);
  EXPECT_EQ(c.Command1[0]->focusPolicy(), Qt::NoFocus);
  window->MakeMenuGridCopies();  // menu grids made while covered take no focus either
  EXPECT_EQ(c.SSm[3]->focusPolicy(), Qt::NoFocus);
  c.dispSELECT->trigger();
  EXPECT_EQ(c.SSm[3]->focusPolicy(), Qt::StrongFocus);
}

// The cell of a grid's shown row whose column and cell carry these names.
QAccessibleInterface* CellNamed(SpreadGrid& grid, const QString& column, const QString& start) {
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
  QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
  if (!cells) return nullptr;
  for (int across = 0; across < cells->columnCount(); ++across) {
    if (cells->columnDescription(across) != column) continue;
    for (int down = 0; down < cells->rowCount(); ++down) {
      QAccessibleInterface* cell = cells->cellAt(down, across);
      if (cell->text(QAccessible::Name).startsWith(start)) return cell;
    }
  }
  return nullptr;
}

TEST_F(LauncherWindowTest, AScreenReaderStartsAProgramFromTheGrid) {
  auto window = Start();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  SpreadGrid& grid = *window->Controls().SSx[0];
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
  ASSERT_NE(table, nullptr);
  ASSERT_NE(table->tableInterface(), nullptr);
  QStringList columns;
  for (int i = 0; i < table->tableInterface()->columnCount(); ++i) {
    columns << table->tableInterface()->columnDescription(i);
  }
  EXPECT_EQ(columns, QStringList({"アイコン", "プログラム", "工事一覧", "実行ファイル"}));
  EXPECT_EQ(table->tableInterface()->rowCount(), 5);  // the missing program's row is hidden
  EXPECT_EQ(CellNamed(grid, "プログラム", "平成26年度 後期"), nullptr);

  // The icon is named after its program, not its file.
  EXPECT_NE(CellNamed(grid, "アイコン", "平成25年度"), nullptr);
  EXPECT_EQ(CellNamed(grid, "アイコン", "a.png"), nullptr);

  QAccessibleInterface* title = CellNamed(grid, "プログラム", "平成25年度");
  ASSERT_NE(title, nullptr);
  ASSERT_NE(title->actionInterface(), nullptr);
  title->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(desktop.started, std::vector<QString>{HostText("C:\\VORDELN\\p25\\prog.exe")});
}

TEST_F(LauncherWindowTest, ShowAllReportsItsTickToAScreenReader) {
  auto window = Start();
  const WindowControls& c = window->Controls();
  QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(c.DispSEt);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->childCount(), 1);
  QAccessibleInterface* item = menu->child(0);
  EXPECT_EQ(item->text(QAccessible::Name), QString::fromUtf8("すべて表示"));
  EXPECT_TRUE(item->state().checkable);
  EXPECT_FALSE(item->state().checked);
  c.dispALL->trigger();
  EXPECT_TRUE(item->state().checked);
}

}  // namespace
}  // namespace orva
