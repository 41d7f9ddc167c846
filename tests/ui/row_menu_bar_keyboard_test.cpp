#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "widgets/row_menu_bar.h"

namespace orva {
namespace {

// The launcher's bar in small: commands, two menus, a command without an access key.
struct BarWindow {
  BarWindow() {
    bar = new RowMenuBar(&window);
    window.setMenuWidget(bar);
    quit = Command("終了(&X)");
    Command("画面切替(&S)");
    settings = bar->AddMenu(QString::fromUtf8("表示設定(&D)"));
    showAll = settings->addAction(QString::fromUtf8("すべて表示"));
    QObject::connect(showAll, &QAction::triggered, [this] { ran << showAll->text(); });
    tools = bar->AddMenu(QString::fromUtf8("機能(&U)"));
    tools->addAction(QString::fromUtf8("初期状態に戻す"));
    update = Command("最新データアッブデート");
    field = new QPushButton("field", &window);
    window.setCentralWidget(field);
    window.resize(600, 200);
    window.show();
    window.activateWindow();
    active = QTest::qWaitForWindowActive(&window);
    field->setFocus();
  }
  QAction* Command(const char* text) {
    QAction* action = bar->AddCommand(QString::fromUtf8(text));
    QObject::connect(action, &QAction::triggered, [this, action] { ran << action->text(); });
    return action;
  }
  static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::activePopupWidget();
    if (!target) target = QApplication::focusWidget();
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }
  static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

  QMainWindow window;
  RowMenuBar* bar = nullptr;
  QAction* quit = nullptr;
  QMenu* settings = nullptr;
  QAction* showAll = nullptr;
  QMenu* tools = nullptr;
  QAction* update = nullptr;
  QPushButton* field = nullptr;
  QStringList ran;
  bool active = false;
};

TEST(RowMenuBarKeyboardTest, F10OrALoneAltReachesEveryCommandAndGivesTheFocusBack) {
  BarWindow w;
  ASSERT_TRUE(w.active);
  BarWindow::Key(Qt::Key_F10);
  EXPECT_TRUE(w.bar->hasFocus());
  EXPECT_EQ(w.bar->HighlightedAction(), w.quit);
  BarWindow::Key(Qt::Key_Left);  // round the end to the command without an access key
  EXPECT_EQ(w.bar->HighlightedAction(), w.update);
  BarWindow::Key(Qt::Key_Return);
  EXPECT_EQ(w.ran, QStringList{w.update->text()});
  EXPECT_FALSE(w.bar->InKeyboardMode());
  EXPECT_TRUE(w.field->hasFocus());

  BarWindow::Key(Qt::Key_Alt);
  EXPECT_EQ(w.bar->HighlightedAction(), w.quit);
  BarWindow::Key(Qt::Key_Escape);
  EXPECT_FALSE(w.bar->InKeyboardMode());
  EXPECT_TRUE(w.field->hasFocus());
  BarWindow::Key(Qt::Key_F10);
  BarWindow::Key(Qt::Key_F10);  // F10 again steps out too
  EXPECT_TRUE(w.field->hasFocus());

  // Alt held with another key is that key's access key, not a lone Alt.
  BarWindow::Key(Qt::Key_X, Qt::AltModifier);
  EXPECT_EQ(w.ran.size(), 2);
  EXPECT_FALSE(w.bar->InKeyboardMode());
  // Highlighted, the bar takes access keys without Alt.
  BarWindow::Key(Qt::Key_Alt);
  BarWindow::Key(Qt::Key_X);
  EXPECT_EQ(w.ran.size(), 3);
  EXPECT_TRUE(w.field->hasFocus());
}

TEST(RowMenuBarKeyboardTest, OpenMenusTravelAlongTheBarAndEscapeStepsBack) {
  BarWindow w;
  ASSERT_TRUE(w.active);
  BarWindow::Key(Qt::Key_F10);
  BarWindow::Key(Qt::Key_Right);
  BarWindow::Key(Qt::Key_Right);
  BarWindow::Key(Qt::Key_Down);
  ASSERT_EQ(BarWindow::OpenMenu(), w.settings);
  EXPECT_EQ(w.settings->activeAction(), w.showAll);

  BarWindow::Key(Qt::Key_Right);  // the open menu moves on to the next item's
  EXPECT_EQ(BarWindow::OpenMenu(), w.tools);
  EXPECT_FALSE(w.settings->isVisible());
  BarWindow::Key(Qt::Key_Right);  // a command: highlighted, nothing open
  EXPECT_EQ(BarWindow::OpenMenu(), nullptr);
  EXPECT_EQ(w.bar->HighlightedAction(), w.update);
  BarWindow::Key(Qt::Key_Left);  // back onto a menu, which opens again
  EXPECT_EQ(BarWindow::OpenMenu(), w.tools);

  BarWindow::Key(Qt::Key_Escape);  // the menu closes, its item stays highlighted
  EXPECT_EQ(BarWindow::OpenMenu(), nullptr);
  EXPECT_EQ(w.bar->HighlightedAction(), w.tools->menuAction());
  EXPECT_TRUE(w.bar->hasFocus());
  BarWindow::Key(Qt::Key_Escape);
  EXPECT_TRUE(w.field->hasFocus());

  // An entry chosen in a menu gives the keyboard back as well.
  BarWindow::Key(Qt::Key_Alt);
  BarWindow::Key(Qt::Key_Left);
  BarWindow::Key(Qt::Key_Left);
  BarWindow::Key(Qt::Key_Left);
  BarWindow::Key(Qt::Key_Return);
  ASSERT_EQ(BarWindow::OpenMenu(), w.settings);
  BarWindow::Key(Qt::Key_Return);
  EXPECT_EQ(w.ran, QStringList{w.showAll->text()});
  QApplication::processEvents();
  EXPECT_FALSE(w.bar->InKeyboardMode());
  // The window's own focus: the offscreen platform leaves no window active after a pop-up.
  EXPECT_EQ(w.window.focusWidget(), w.field);
}

TEST(RowMenuBarKeyboardTest, AScreenReaderHearsTheHighlightedItem) {
  BarWindow w;
  ASSERT_TRUE(w.active);
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.bar);
  ASSERT_NE(bar, nullptr);
  QAccessibleInterface* last = bar->child(bar->childCount() - 1);
  EXPECT_FALSE(last->state().focused);
  BarWindow::Key(Qt::Key_F10);
  BarWindow::Key(Qt::Key_Left);
  EXPECT_TRUE(last->state().focused);
  EXPECT_TRUE(last->state().focusable);
  EXPECT_FALSE(bar->child(0)->state().focused);
  EXPECT_EQ(bar->focusChild(), last);
  EXPECT_FALSE(bar->state().focused);
  BarWindow::Key(Qt::Key_Escape);
  EXPECT_FALSE(last->state().focused);
}

}  // namespace
}  // namespace orva
