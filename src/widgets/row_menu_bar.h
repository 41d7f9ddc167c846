#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class QShortcut;

namespace orva {

// A window's menu bar that lays its items out in as many rows as its width needs, as the
// Japanese desktop's own menu bar does, instead of hiding the items that do not fit behind
// an extension button. Items are the widget's actions: commands, and menus that open as
// pop-ups. Alt with an item's access key ("&X" in its text) works while the window is active.
// By keyboard, as the desktop's menu bars: F10 or Alt pressed alone highlights the bar,
// Left and Right move along it (carrying an open menu with them), Down, Return or Space open
// a menu and Return or Space run a command, and Escape steps back one level.
// Give it to QMainWindow::setMenuWidget: its height follows its width.
class RowMenuBar : public QWidget {
  Q_OBJECT

 public:
  explicit RowMenuBar(QWidget* parent = nullptr);

  QAction* AddCommand(const QString& text);
  QMenu* AddMenu(const QString& title);

  // Where a visible item lies in the bar; empty for a hidden one.
  QRect ActionRect(const QAction* action) const;
  int RowCount() const;
  std::vector<QAction*> ShownActions() const;  // in the order they are laid out

  // What its access key does: runs a command, or opens a menu with its first entry active.
  void ActivateItem(QAction* action);

  // What F10 and a lone Alt do: the bar takes the keyboard with its first item highlighted,
  // or gives it back to where it was when it has it already.
  void ToggleKeyboardMode();
  bool InKeyboardMode() const { return keyboardMode_; }
  // The item the keyboard is on, its menu open or not; null outside keyboard mode.
  QAction* HighlightedAction() const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void actionEvent(QActionEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  struct Placed {
    QAction* action;
    QRect rect;
  };
  struct Layout {
    std::vector<Placed> items;  // visible items only
    int rows = 0;
    int height = 0;
  };
  struct MeasuredItem {
    QString text;
    qint64 icon;  // the icon's cache key
    QSize size;
  };

  Layout LayOut(int width) const;
  QSize ItemSize(QAction* action) const;
  QAction* ActionAt(QPoint position) const;
  void OpenMenu(QAction* action, bool byKeyboard);
  void Relayout();
  void UpdateShortcuts();
  void MenuClosed();
  void EnterKeyboardMode(QAction* highlighted);
  void TakeKeyboard();  // keyboard mode on, the focus on the bar
  void LeaveKeyboardMode();
  void Highlight(QAction* action);
  // The next shown, enabled item from `from` in `step` direction, round the bar.
  QAction* Neighbour(QAction* from, int step) const;
  // Left or Right inside an open menu: its neighbour on the bar takes over.
  void StepFromMenu(int step);
  void WatchLoneAlt(QObject* watched, QEvent* event);
  void WatchWindow();

  Layout layout_;
  // Item sizes by caption and icon, for the font and style in use.
  mutable std::vector<MeasuredItem> measured_;
  QPointer<QAction> hovered_;
  QPointer<QAction> pressed_;  // a command under the held mouse button
  QPointer<QAction> open_;     // the item whose menu is showing
  std::vector<QShortcut*> shortcuts_;
  QShortcut* f10_ = nullptr;
  bool keyboardMode_ = false;
  bool carrying_ = false;          // a menu was open: the next menu reached opens too
  bool stepping_ = false;          // a menu closes only to let another item take over
  bool altAlone_ = false;          // Alt is down with nothing else pressed since
  QPointer<QWidget> focusBefore_;  // where the keyboard goes back to
  QPointer<QWidget> watched_;      // the window whose Alt presses are watched
};

}  // namespace orva
