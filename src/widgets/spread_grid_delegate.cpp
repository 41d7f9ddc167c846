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

#include "widgets/spread_grid_model.h"

namespace orva {
namespace {

constexpr double kSmallestCaptionPoints = 6.0;

// A caption wider than its cell is drawn smaller rather than cut off, down to a legible size.
QFont CaptionFont(const QFont& cellFont, const QString& caption, int width) {
  QFont font = cellFont;
  const int needed = QFontMetrics(font).horizontalAdvance(caption);
  if (needed > width && width > 0 && font.pointSizeF() > 0) {
    font.setPointSizeF(std::max(kSmallestCaptionPoints, font.pointSizeF() * width / needed));
  }
  return font;
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
  if (option.state & QStyle::State_HasFocus) PaintFocusFrame(painter, option);
}

void SpreadGridDelegate::PaintFocusFrame(QPainter* painter, const QStyleOptionViewItem& option) {
  if (option.rect.width() < 6 || option.rect.height() < 6) return;
  // Dark outside, light inside: it shows on white, on the selection and on any button face.
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setBrush(Qt::NoBrush);
  painter->setPen(QPen(option.palette.color(QPalette::Text), 1));
  const QRect outer = option.rect.adjusted(0, 0, -1, -1);
  painter->drawRect(outer);
  painter->drawRect(outer.adjusted(1, 1, -1, -1));
  painter->setPen(QPen(option.palette.color(QPalette::Base), 1));
  painter->drawRect(outer.adjusted(2, 2, -2, -2));
  painter->restore();
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
  painter->setFont(CaptionFont(option.font, button.text, textRect.width()));
  painter->setPen(text);
  painter->setClipRect(option.rect);
  painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, button.text);
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
    const QRect caption = CaptionRect(option.rect);
    const QFont font = CaptionFont(option.font, text, caption.width());
    return QFontMetrics(font).horizontalAdvance(text) > caption.width();
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
