#pragma once

#include <QModelIndex>
#include <QPixmap>
#include <QStyle>
#include <QStyledItemDelegate>
#include <memory>
#include <vector>

class QStyleOptionButton;

namespace orva {

// Paints button cells as raised push buttons and picture cells as their pixmap;
// text and number cells use the ordinary item painting.
class SpreadGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // A cell whose text is cut shows the whole text as its tooltip; others show none.
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

  // The button cell under a held mouse button is drawn sunken.
  void SetPressed(const QModelIndex& index) { pressed_ = index; }
  QModelIndex Pressed() const { return pressed_; }

  // Whether the cell shows less than its whole text: elided, or a caption cut short.
  bool TextIsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;

 private:
  void PaintButton(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
  void PaintPicture(QPainter* painter, const QStyleOptionViewItem& option,
                    const QModelIndex& index) const;
  // The style that draws a face in the cell's colour: the grid's own, unless that one draws
  // faces from the system's theme whatever the palette says (Windows' native style).
  QStyle* FaceStyle(QStyle* gridStyle) const;
  // The style's bevel for `button` (its rect at the origin), drawn once per look.
  const QPixmap& Bevel(const QStyleOptionButton& button, qint64 paletteKey, QStyle* style,
                       const QWidget* widget, qreal pixelRatio) const;

  struct CachedBevel {
    QSize size;
    QRgb face;
    int state;
    qint64 paletteKey;
    qreal pixelRatio;
    const QStyle* style;
    QPixmap pixmap;
  };

  QPersistentModelIndex pressed_;
  mutable std::vector<CachedBevel> bevels_;
  mutable std::unique_ptr<QStyle> faceStyle_;  // made when first needed
};

}  // namespace orva
