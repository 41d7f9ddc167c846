#include "widgets/row_menu_bar.h"

#include <QAccessible>
#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <limits>
#include <utility>

#include "widgets/row_menu_bar_accessible.h"

namespace orva {

RowMenuBar::RowMenuBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("menuBar"));
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  RegisterAccessibleMenuBar(*this);
  f10_ = new QShortcut(QKeySequence(Qt::Key_F10), this);
  f10_->setContext(Qt::WindowShortcut);
  connect(f10_, &QShortcut::activated, this, &RowMenuBar::ToggleKeyboardMode);
  WatchWindow();
}

void RowMenuBar::WatchWindow() {
  // A lone Alt is seen as it passes the window on its way up from the focused control.
  QWidget* top = window();
  if (top == watched_) return;
  if (watched_) watched_->removeEventFilter(this);
  watched_ = top != this ? top : nullptr;
  if (watched_) watched_->installEventFilter(this);
}

QAction* RowMenuBar::AddCommand(const QString& text) {
  auto* action = new QAction(text, this);
  addAction(action);
  return action;
}

QMenu* RowMenuBar::AddMenu(const QString& title) {
  auto* menu = new QMenu(title, this);
  addAction(menu->menuAction());
  return menu;
}

QRect RowMenuBar::ActionRect(const QAction* action) const {
  for (const Placed& placed : layout_.items) {
    if (placed.action == action) return placed.rect;
  }
  return {};
}

int RowMenuBar::RowCount() const { return layout_.rows; }

std::vector<QAction*> RowMenuBar::ShownActions() const {
  std::vector<QAction*> shown;
  for (const Placed& placed : layout_.items) shown.push_back(placed.action);
  return shown;
}

QSize RowMenuBar::ItemSize(QAction* action) const {
  // Measuring a caption lays its text out anew, and the bar is laid out at every item added
  // and at every size the window's layout asks for: each caption is measured once.
  const QString text = action->text();
  const qint64 iconKey = action->icon().cacheKey();
  for (const MeasuredItem& item : measured_) {
    if (item.icon == iconKey && item.text == text) return item.size;
  }
  QStyleOptionMenuItem option;
  option.initFrom(this);
  option.menuItemType = QStyleOptionMenuItem::Normal;
  option.checkType = QStyleOptionMenuItem::NotCheckable;
  option.text = text;
  option.icon = action->icon();
  QSize contents = fontMetrics().size(Qt::TextShowMnemonic, text);
  if (!action->icon().isNull()) {
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    contents = QSize(icon, icon);
  }
  const QSize size = style()->sizeFromContents(QStyle::CT_MenuBarItem, &option, contents, this);
  constexpr std::size_t kMostMeasured = 64;  // captions that keep changing cannot pile up
  if (measured_.size() >= kMostMeasured) measured_.clear();
  measured_.push_back({text, iconKey, size});
  return size;
}

RowMenuBar::Layout RowMenuBar::LayOut(int width) const {
  const QStyle* s = style();
  const int panel = s->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
  const int hmargin = s->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
  const int vmargin = s->pixelMetric(QStyle::PM_MenuBarVMargin, nullptr, this);
  const int spacing = s->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, this);

  Layout layout;
  int rowHeight = fontMetrics().height();
  std::vector<int> widths;
  for (QAction* action : actions()) {
    if (!action->isVisible() || action->isSeparator()) continue;
    const QSize size = ItemSize(action);
    if (size.isEmpty()) continue;
    layout.items.push_back({action, QRect()});
    widths.push_back(size.width());
    rowHeight = std::max(rowHeight, size.height());
  }

  // An item that does not fit after others starts the next row; one wider than the whole
  // bar still gets a row of its own.
  const int left = panel + hmargin + spacing;
  const int right = width - panel - hmargin;
  int x = left;
  int y = panel + vmargin;
  layout.rows = 1;
  for (std::size_t i = 0; i < layout.items.size(); ++i) {
    if (x > left && x + widths[i] > right) {
      x = left;
      y += rowHeight;
      ++layout.rows;
    }
    QRect& rect = layout.items[i].rect;
    rect = QRect(x, y, widths[i], rowHeight);
    if (layoutDirection() == Qt::RightToLeft) rect.moveLeft(width - rect.right() - 1);
    x += widths[i] + spacing;
  }
  layout.height = y + rowHeight + vmargin + panel;
  return layout;
}

int RowMenuBar::heightForWidth(int width) const { return LayOut(width).height; }

QSize RowMenuBar::sizeHint() const {
  // All items in one row.
  const Layout oneRow = LayOut(std::numeric_limits<int>::max() / 2);
  int width = 0;
  for (const Placed& placed : oneRow.items) width = std::max(width, placed.rect.right() + 1);
  const int panel = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
  const int hmargin = style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
  return {width + hmargin + panel, oneRow.height};
}

QSize RowMenuBar::minimumSizeHint() const {
  // One row high: the layout asks heightForWidth for the rows a width needs.
  return {0, LayOut(std::numeric_limits<int>::max() / 2).height};
}

void RowMenuBar::Relayout() {
  layout_ = LayOut(width());
  updateGeometry();
  update();
}

void RowMenuBar::UpdateShortcuts() {
  // Shortcuts are rebuilt later, not here: this may run inside one of them.
  for (QShortcut* shortcut : shortcuts_) {
    shortcut->setEnabled(false);
    shortcut->deleteLater();
  }
  shortcuts_.clear();
  for (QAction* action : actions()) {
    const QKeySequence key = QKeySequence::mnemonic(action->text());
    if (key.isEmpty() || !action->isVisible() || !action->isEnabled()) continue;
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, action = QPointer<QAction>(action)] {
      if (action) ActivateItem(action);
    });
    shortcuts_.push_back(shortcut);
  }
}

bool RowMenuBar::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
      measured_.clear();
      Relayout();
      break;
    case QEvent::ParentChange: WatchWindow(); break;
    default: break;
  }
  return QWidget::event(event);
}

bool RowMenuBar::eventFilter(QObject* watched, QEvent* event) {
  WatchLoneAlt(watched, event);
  // Every event of the window passes here: only presses concern its menus.
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress) {
    return QWidget::eventFilter(watched, event);
  }
  auto* menu = qobject_cast<QMenu*>(watched);
  if (menu && event->type() == QEvent::KeyPress && open_ && open_->menu() == menu) {
    const int forward = layoutDirection() == Qt::RightToLeft ? -1 : 1;
    const QAction* entry = menu->activeAction();
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left: StepFromMenu(-forward); return true;
      case Qt::Key_Right:
        if (entry && entry->menu()) break;  // opens the entry's own menu
        StepFromMenu(forward);
        return true;
      case Qt::Key_Escape: {
        // One step back: the menu closes, its item stays highlighted.
        QAction* item = open_;
        stepping_ = true;
        menu->hide();
        stepping_ = false;
        carrying_ = false;
        EnterKeyboardMode(item);
        return true;
      }
      default: break;
    }
  }
  // A press on the item whose menu is open closes the menu and must not reopen it.
  if (menu && event->type() == QEvent::MouseButtonPress && open_ && open_->menu() == menu) {
    const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    const QRect item(mapToGlobal(ActionRect(open_).topLeft()), ActionRect(open_).size());
    if (!menu->geometry().contains(global) && item.contains(global)) {
      menu->setAttribute(Qt::WA_NoMouseReplay);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void RowMenuBar::actionEvent(QActionEvent* event) {
  if (event->type() == QEvent::ActionAdded) {
    if (QMenu* menu = event->action()->menu()) {
      connect(menu, &QMenu::aboutToHide, this, &RowMenuBar::MenuClosed, Qt::UniqueConnection);
      menu->installEventFilter(this);
    }
  } else if (event->type() == QEvent::ActionRemoved) {
    QAction* gone = event->action();
    if (hovered_ == gone) hovered_ = nullptr;
    if (pressed_ == gone) pressed_ = nullptr;
    if (open_ == gone) open_ = nullptr;
  }
  Relayout();
  UpdateShortcuts();
}

void RowMenuBar::MenuClosed() {
  open_ = nullptr;
  update();
  // Closed by a chosen entry, a click elsewhere or the menu's own keys: the keyboard goes
  // back to where it was, once the closing menu has given the focus back to the bar.
  if (!stepping_)
    QMetaObject::invokeMethod(this, &RowMenuBar::LeaveKeyboardMode, Qt::QueuedConnection);
}

void RowMenuBar::WatchLoneAlt(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!altAlone_) {
    if (watched != watched_ || type != QEvent::ShortcutOverride || !isVisible()) return;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Alt || (key->modifiers() & ~Qt::AltModifier) != 0) return;
    // Until Alt is released, every event of the application is looked at: anything else
    // pressed meanwhile makes it no lone Alt.
    altAlone_ = true;
    qApp->installEventFilter(this);
    return;
  }
  bool lone = false;
  switch (type) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) return;  // repeats
      break;
    case QEvent::KeyRelease: lone = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt; break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
    case QEvent::FocusOut: break;
    default: return;
  }
  altAlone_ = false;
  qApp->removeEventFilter(this);
  if (lone) ToggleKeyboardMode();
}

QAction* RowMenuBar::HighlightedAction() const {
  if (!keyboardMode_) return nullptr;
  return open_ ? open_.data() : hovered_.data();
}

QAction* RowMenuBar::Neighbour(QAction* from, int step) const {
  std::vector<QAction*> usable;
  for (QAction* action : ShownActions()) {
    if (action->isEnabled()) usable.push_back(action);
  }
  if (usable.empty()) return nullptr;
  const auto count = static_cast<int>(usable.size());
  const auto at = std::find(usable.begin(), usable.end(), from);
  if (at == usable.end()) return step > 0 ? usable.front() : usable.back();
  const int index = static_cast<int>(at - usable.begin());
  return usable[static_cast<std::size_t>((index + step + count) % count)];
}

void RowMenuBar::ToggleKeyboardMode() {
  if (keyboardMode_) {
    LeaveKeyboardMode();
  } else {
    EnterKeyboardMode(Neighbour(nullptr, 1));
  }
}

void RowMenuBar::EnterKeyboardMode(QAction* highlighted) {
  if (!highlighted) return;
  TakeKeyboard();
  Highlight(highlighted);
}

void RowMenuBar::TakeKeyboard() {
  if (!keyboardMode_) {
    // The window's focused control, not the application's: a closing menu may still hold it.
    QWidget* focus = window()->focusWidget();
    focusBefore_ = focus != this ? focus : nullptr;
    keyboardMode_ = true;
  }
  setFocus(Qt::MenuBarFocusReason);
}

void RowMenuBar::LeaveKeyboardMode() {
  if (!keyboardMode_) return;
  keyboardMode_ = false;
  carrying_ = false;
  hovered_ = nullptr;
  update();
  const QPointer<QWidget> back = std::exchange(focusBefore_, nullptr);
  if (window()->focusWidget() != this) return;
  if (back) {
    back->setFocus(Qt::MenuBarFocusReason);
  } else {
    clearFocus();
  }
}

void RowMenuBar::Highlight(QAction* action) {
  hovered_ = action;
  update();
  if (!keyboardMode_ || !action || !QAccessible::isActive()) return;
  // As a screen reader hears the desktop's menu bars: the item has the focus.
  const std::vector<QAction*> shown = ShownActions();
  const auto at = std::find(shown.begin(), shown.end(), action);
  if (at == shown.end()) return;
  QAccessibleEvent focus(this, QAccessible::Focus);
  focus.setChild(static_cast<int>(at - shown.begin()));
  QAccessible::updateAccessibility(&focus);
}

void RowMenuBar::StepFromMenu(int step) {
  QAction* from = open_;
  QAction* next = Neighbour(from, step);
  if (!from || !next || next == from) return;
  stepping_ = true;
  from->menu()->hide();
  stepping_ = false;
  carrying_ = true;
  TakeKeyboard();
  if (next->menu()) {
    OpenMenu(next, true);
  } else {
    Highlight(next);
  }
}

void RowMenuBar::keyPressEvent(QKeyEvent* event) {
  if (!keyboardMode_) {
    QWidget::keyPressEvent(event);
    return;
  }
  QAction* current = hovered_ ? hovered_.data() : Neighbour(nullptr, 1);
  const int forward = layoutDirection() == Qt::RightToLeft ? -1 : 1;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
      QAction* next = Neighbour(current, event->key() == Qt::Key_Right ? forward : -forward);
      if (carrying_ && next && next->menu()) {
        OpenMenu(next, true);
      } else if (next) {
        Highlight(next);
      }
      break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (current && current->menu()) OpenMenu(current, true);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (current && current->menu()) {
        OpenMenu(current, true);
      } else if (current) {
        LeaveKeyboardMode();
        current->activate(QAction::Trigger);
      }
      break;
    case Qt::Key_Escape: LeaveKeyboardMode(); break;
    default: {
      // With the bar highlighted, an access key works without Alt.
      for (QAction* action : ShownActions()) {
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        if (key.isEmpty() || key[0].key() != event->key() || !action->isEnabled()) continue;
        if (!action->menu()) LeaveKeyboardMode();
        ActivateItem(action);
        event->accept();
        return;
      }
      QWidget::keyPressEvent(event);
      return;
    }
  }
  event->accept();
}

void RowMenuBar::focusOutEvent(QFocusEvent* event) {
  // A menu of the bar opening takes the keyboard for a while; anything else ends the mode.
  if (event->reason() != Qt::PopupFocusReason && !open_) {
    focusBefore_ = nullptr;
    LeaveKeyboardMode();
  }
  QWidget::focusOutEvent(event);
}

void RowMenuBar::resizeEvent(QResizeEvent* event) {
  layout_ = LayOut(width());
  QWidget::resizeEvent(event);
}

void RowMenuBar::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QRegion emptyArea(rect());
  for (const Placed& placed : layout_.items) {
    if (!event->rect().intersects(placed.rect)) continue;
    emptyArea -= placed.rect;
    QStyleOptionMenuItem option;
    option.initFrom(this);
    option.state = QStyle::State_None;
    if (isEnabled() && placed.action->isEnabled()) {
      option.state |= QStyle::State_Enabled;
    } else {
      option.palette.setCurrentColorGroup(QPalette::Disabled);
    }
    const bool held = pressed_ == placed.action && hovered_ == placed.action;
    // The keyboard's item is drawn as an open one: some styles draw a mere hover as nothing.
    const bool keyboard = keyboardMode_ && hovered_ == placed.action;
    if (open_ == placed.action || held || keyboard) {
      option.state |= QStyle::State_Selected | QStyle::State_Sunken;
    } else if (hovered_ == placed.action && !pressed_) {
      option.state |= QStyle::State_Selected;
    }
    option.rect = placed.rect;
    option.menuRect = rect();
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    option.text = placed.action->text();
    option.icon = placed.action->icon();
    painter.setClipRect(placed.rect);
    style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, this);
  }
  if (const int panel = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this)) {
    QStyleOptionFrame frame;
    frame.rect = rect();
    frame.palette = palette();
    frame.state = QStyle::State_None;
    frame.lineWidth = panel;
    frame.midLineWidth = 0;
    painter.setClipRect(rect());
    style()->drawPrimitive(QStyle::PE_PanelMenuBar, &frame, &painter, this);
  }
  painter.setClipRegion(emptyArea);
  QStyleOptionMenuItem empty;
  empty.palette = palette();
  empty.state = QStyle::State_None;
  empty.menuItemType = QStyleOptionMenuItem::EmptyArea;
  empty.checkType = QStyleOptionMenuItem::NotCheckable;
  empty.rect = rect();
  empty.menuRect = rect();
  style()->drawControl(QStyle::CE_MenuBarEmptyArea, &empty, &painter, this);
}

QAction* RowMenuBar::ActionAt(QPoint position) const {
  for (const Placed& placed : layout_.items) {
    if (placed.rect.contains(position)) return placed.action;
  }
  return nullptr;
}

void RowMenuBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QAction* action = ActionAt(event->position().toPoint());
  if (!action || !action->isEnabled()) return;
  if (action->menu()) {
    OpenMenu(action, false);
  } else {
    pressed_ = action;
    hovered_ = action;
    update();
  }
}

void RowMenuBar::mouseMoveEvent(QMouseEvent* event) {
  QAction* action = ActionAt(event->position().toPoint());
  if (action != hovered_) {
    hovered_ = action;
    update();
  }
}

void RowMenuBar::mouseReleaseEvent(QMouseEvent* event) {
  QPointer<QAction> action = pressed_;
  if (!action || event->button() != Qt::LeftButton) return;
  // A command fires as a button does: on release over the item that was pressed.
  pressed_ = nullptr;
  update();
  if (ActionAt(event->position().toPoint()) == action) action->activate(QAction::Trigger);
}

void RowMenuBar::leaveEvent(QEvent* event) {
  hovered_ = nullptr;
  update();
  QWidget::leaveEvent(event);
}

void RowMenuBar::ActivateItem(QAction* action) {
  if (!action->isVisible() || !action->isEnabled()) return;
  if (action->menu()) {
    OpenMenu(action, true);
  } else {
    action->activate(QAction::Trigger);
  }
}

void RowMenuBar::OpenMenu(QAction* action, bool byKeyboard) {
  QMenu* menu = action->menu();
  const QRect item = ActionRect(action);
  if (item.isEmpty()) return;
  open_ = action;
  pressed_ = nullptr;
  Highlight(action);
  menu->popup(mapToGlobal(QPoint(item.left(), item.bottom() + 1)));
  if (!byKeyboard) return;
  // Opened by its access key, the menu is ready for the arrow keys and Enter.
  for (QAction* entry : menu->actions()) {
    if (entry->isVisible() && entry->isEnabled() && !entry->isSeparator()) {
      menu->setActiveAction(entry);
      break;
    }
  }
}

}  // namespace orva
