#pragma once

#include <QModelIndex>
#include <QStyledItemDelegate>

namespace orva {

// Paints button cells as raised push buttons and picture cells as their pixmap;
// text and number cells use the ordinary item painting.
class SpreadGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // The button cell under a held mouse button is drawn sunken.
  void SetPressed(const QModelIndex& index) { pressed_ = index; }
  QModelIndex Pressed() const { return pressed_; }

 private:
  void PaintButton(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
  void PaintPicture(QPainter* painter, const QStyleOptionViewItem& option,
                    const QModelIndex& index) const;

  QPersistentModelIndex pressed_;
};

}  // namespace orva
