#include "widgets/spread_grid_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QToolTip>
#include <algorithm>

#include "widgets/focus_mark.h"
#include "widgets/spread_grid_model.h"

namespace orva {
namespace {

// Smaller than this, Japanese glyphs lose the strokes that tell them apart.
constexpr double kSmallestCaptionPoints = 8.0;

struct FittedCaption {
  QFont font;
  QString text;  // the caption, or its elided start
  bool cut = false;
};

// A caption wider than its cell is drawn smaller, down to a legible size; what does not fit
// even then is elided. A caption that fits costs one measuring, as it always did.
FittedCaption FitCaption(const QFont& cellFont, const QString& caption, int width) {
  FittedCaption fitted{cellFont, caption};
  const int needed = QFontMetrics(cellFont).horizontalAdvance(caption);
  if (needed <= width || width <= 0 || cellFont.pointSizeF() <= 0) return fitted;
  fitted.font.setPointSizeF(
      std::max(kSmallestCaptionPoints, cellFont.pointSizeF() * width / needed));
  const QFontMetrics smaller(fitted.font);
  if (smaller.horizontalAdvance(caption) > width) {
    fitted.text = smaller.elidedText(caption, Qt::ElideRight, width);
    fitted.cut = true;
  }
  return fitted;
}

QRect CaptionRect(const QRect& cell) { return cell.adjusted(2, 1, -2, -1); }

}  // namespace

void SpreadGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const auto kind =
      static_cast<SpreadGridModel::Kind>(index.data(SpreadGridModel::KindRole).toInt());
  // Every kind of cell shows the keyboard's cell by one frame around the whole cell: the
  // style's own marks are faint, drawn only after a keyboard move, or part of a bevel.
  QStyleOptionViewItem cell = option;
  cell.state &= ~QStyle::State_HasFocus;
  if (kind == SpreadGridModel::Kind::Button) {
    PaintButton(painter, cell, index);
  } else if (kind == SpreadGridModel::Kind::Picture) {
    PaintPicture(painter, cell, index);
  } else {
    QStyledItemDelegate::paint(painter, cell, index);
  }
  if (option.state & QStyle::State_HasFocus) PaintFocusMark(*painter, option.rect, option.palette);
}

void SpreadGridDelegate::PaintButton(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  if (option.rect.isEmpty()) return;
  QStyleOptionButton button;
  button.rect = QRect(QPoint(0, 0), option.rect.size());  // the bevel is drawn apart, then copied
  button.fontMetrics = option.fontMetrics;
  button.direction = option.direction;
  button.palette = option.palette;
  button.text = index.data(Qt::DisplayRole).toString();
  button.state = QStyle::State_Enabled;
  const bool pressed = pressed_.isValid() && pressed_ == index;
  button.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;

  const QColor face = index.data(SpreadGridModel::ButtonFaceRole).value<QColor>();
  const qint64 paletteKey = option.palette.cacheKey();  // before the copy is changed
  if (face.isValid()) {
    button.palette.setColor(QPalette::Button, face);
    button.palette.setColor(QPalette::Window, face);
  }
  const QVariant fore = index.data(Qt::ForegroundRole);
  const QColor text = fore.isValid() ? fore.value<QBrush>().color() : QColor(Qt::black);
  button.palette.setColor(QPalette::ButtonText, text);

  const QWidget* widget = option.widget;
  QStyle* style = FaceStyle(widget ? widget->style() : QApplication::style());
  painter->save();
  const qreal pixelRatio = painter->device()->devicePixelRatioF();
  painter->drawPixmap(option.rect.topLeft(), Bevel(button, paletteKey, style, widget, pixelRatio));
  // Own caption drawing: the style's label margins would clip short captions in
  // narrow columns such as the works-list button.
  QRect textRect = CaptionRect(option.rect);
  if (pressed) textRect.translate(1, 1);
  const FittedCaption caption = FitCaption(option.font, button.text, textRect.width());
  painter->setFont(caption.font);
  painter->setPen(text);
  painter->setClipRect(option.rect);
  painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, caption.text);
  painter->restore();
}

bool SpreadGridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event->type() != QEvent::ToolTip) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  if (index.isValid() && TextIsCut(option, index)) {
    // Escaped and unwrapped: a path with "<" stays text, and is not broken after "C:".
    const QString text = index.data(Qt::DisplayRole).toString();
    QToolTip::showText(
        event->globalPos(),
        QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped()), view,
        view->visualRect(index));
  } else {
    QToolTip::hideText();
  }
  return true;
}

bool SpreadGridDelegate::TextIsCut(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  const auto kind =
      static_cast<SpreadGridModel::Kind>(index.data(SpreadGridModel::KindRole).toInt());
  if (kind == SpreadGridModel::Kind::Picture) return false;
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty() || option.rect.isEmpty()) return false;
  if (kind == SpreadGridModel::Kind::Button) {
    return FitCaption(option.font, text, CaptionRect(option.rect).width()).cut;
  }
  // The style elides exactly when the text with its margins needs more than the cell.
  return sizeHint(option, index).width() > option.rect.width();
}

QStyle* SpreadGridDelegate::FaceStyle(QStyle* gridStyle) const {
  const QString name = gridStyle->name().toLower();
  if (name != QLatin1String("windowsvista") && name != QLatin1String("windows11")) {
    return gridStyle;
  }
  if (!faceStyle_) faceStyle_.reset(QStyleFactory::create(QStringLiteral("Fusion")));
  return faceStyle_ ? faceStyle_.get() : gridStyle;
}

const QPixmap& SpreadGridDelegate::Bevel(const QStyleOptionButton& button, qint64 paletteKey,
                                         QStyle* style, const QWidget* widget,
                                         qreal pixelRatio) const {
  // A styled bevel costs far more to draw than to copy, and a grid's buttons share a few looks.
  const QRgb face = button.palette.color(QPalette::Button).rgba();
  const int state = static_cast<int>(button.state);
  for (const CachedBevel& cached : bevels_) {
    if (cached.size == button.rect.size() && cached.face == face && cached.state == state &&
        cached.paletteKey == paletteKey && cached.pixelRatio == pixelRatio &&
        cached.style == style) {
      return cached.pixmap;
    }
  }
  constexpr std::size_t kMostLooks = 64;
  if (bevels_.size() >= kMostLooks) bevels_.clear();
  QPixmap pixmap(button.rect.size() * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  pixmap.fill(Qt::transparent);
  {
    QPainter bevelPainter(&pixmap);
    style->drawControl(QStyle::CE_PushButtonBevel, &button, &bevelPainter, widget);
  }
  bevels_.push_back({button.rect.size(), face, state, paletteKey, pixelRatio, style, pixmap});
  return bevels_.back().pixmap;
}

void SpreadGridDelegate::PaintPicture(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
  const QVariant back = index.data(Qt::BackgroundRole);
  if (back.isValid()) painter->fillRect(option.rect, back.value<QBrush>());
  const QPixmap pixmap = index.data(SpreadGridModel::PixmapRole).value<QPixmap>();
  if (!pixmap.isNull() && !option.rect.isEmpty()) {
    // Stretched to the cell with its aspect ratio kept, centred.
    const QSize size = pixmap.size().scaled(option.rect.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(option.rect.center());
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawPixmap(target, pixmap);
    painter->restore();
  }
}

}  // namespace orva
