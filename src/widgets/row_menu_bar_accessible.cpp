#include "widgets/row_menu_bar_accessible.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "widgets/row_menu_bar.h"

namespace orva {
namespace {

QString WithoutAccessKeyMark(QString text) {
  text.replace(QLatin1String("&&"), QString(QChar(0)));
  text.remove(u'&');
  text.replace(QChar(0), u'&');
  return text;
}

class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  MenuItemAccessible(RowMenuBar& bar, QAction& action) : bar_(&bar), action_(&action) {}

  bool isValid() const override { return bar_ && action_; }
  QObject* object() const override { return action_; }
  QWindow* window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(bar_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text kind) const override {
    if (!action_) return {};
    if (kind == QAccessible::Name) return WithoutAccessKeyMark(action_->text());
    if (kind == QAccessible::Accelerator) {
      return QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText);
    }
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid()) return {};
    const QRect item = bar_->ActionRect(action_);
    return {bar_->mapToGlobal(item.topLeft()), item.size()};
  }
  QAccessible::Role role() const override { return QAccessible::MenuItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) return state;
    state.invisible = !action_->isVisible() || !bar_->isVisible();
    state.disabled = !action_->isEnabled();
    state.hasPopup = action_->menu() != nullptr;
    state.focusable = true;
    state.focused = bar_->hasFocus() && bar_->HighlightedAction() == action_;
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (isValid() && name == pressAction()) bar_->ActivateItem(action_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<RowMenuBar> bar_;
  QPointer<QAction> action_;
};

class MenuBarAccessible : public QAccessibleWidget {
 public:
  explicit MenuBarAccessible(RowMenuBar& bar) : QAccessibleWidget(&bar, QAccessible::MenuBar) {}

  // The keyboard's item holds the focus rather than the bar around it.
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (state.focused && Bar().HighlightedAction()) state.focused = false;
    return state;
  }
  QAccessibleInterface* focusChild() const override {
    const std::vector<QAction*> shown = Bar().ShownActions();
    const auto at = std::find(shown.begin(), shown.end(), Bar().HighlightedAction());
    if (Bar().hasFocus() && at != shown.end()) return child(static_cast<int>(at - shown.begin()));
    return QAccessibleWidget::focusChild();
  }

  int childCount() const override { return static_cast<int>(Bar().ShownActions().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QAction*> shown = Bar().ShownActions();
    if (index < 0 || index >= static_cast<int>(shown.size())) return nullptr;
    // One interface per item for its life: the registry deletes it with the action.
    QAction* action = shown[static_cast<std::size_t>(index)];
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(action)) return known;
    auto* item = new MenuItemAccessible(Bar(), *action);
    QAccessible::registerAccessibleInterface(item);
    return item;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<QAction*> shown = Bar().ShownActions();
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (child && child->object() == shown[i]) return static_cast<int>(i);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i) {
      QAccessibleInterface* item = child(i);
      if (item && item->rect().contains(x, y)) return item;
    }
    return nullptr;
  }

 private:
  RowMenuBar& Bar() const { return static_cast<RowMenuBar&>(*widget()); }
};

}  // namespace

void RegisterAccessibleMenuBar(RowMenuBar& bar) {
  QAccessible::registerAccessibleInterface(new MenuBarAccessible(bar));
}

}  // namespace orva
