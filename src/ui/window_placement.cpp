#include "ui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "ui/screen_fit.h"

namespace orva {
namespace {

constexpr char kFrame[] = "window/frame";  // outer rectangle, frame included
constexpr char kSize[] = "window/size";    // client size, menu bar included
constexpr char kMaximized[] = "window/maximized";

// The screen most of the rectangle is on, else the primary one.
const QScreen* ScreenOf(const QRect& frame) {
  const QScreen* best = QGuiApplication::primaryScreen();
  qint64 bestArea = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect shared = screen->availableGeometry().intersected(frame);
    const qint64 area = static_cast<qint64>(shared.width()) * shared.height();
    if (area > bestArea) {
      best = screen;
      bestArea = area;
    }
  }
  return best;
}

}  // namespace

WindowPlacementKeeper::WindowPlacementKeeper(QWidget& window, const QWidget& worksGrid,
                                             QSettings& settings)
    : QObject(&window), window_(window), worksGrid_(worksGrid), settings_(settings) {
  Restore();
  window_.installEventFilter(this);
}

void WindowPlacementKeeper::Restore() {
  QRect frame(window_.pos(), window_.size());  // the designed place; its frame is not known yet
  QSize decoration(0, 0);
  const QRect savedFrame = settings_.value(kFrame).toRect();
  const QSize savedSize = settings_.value(kSize).toSize();
  // Anything unusable (a file edited by hand) counts as a first run.
  if (savedFrame.isValid() && savedSize.isValid() && savedSize.width() <= savedFrame.width() &&
      savedSize.height() <= savedFrame.height()) {
    frame = savedFrame;
    decoration = savedFrame.size() - savedSize;
  }
  const QScreen* screen = ScreenOf(frame);
  const QRect fitted = screen ? FitWithin(frame, screen->availableGeometry()) : frame;
  window_.move(fitted.topLeft());
  window_.resize(fitted.size() - decoration);
  if (settings_.value(kMaximized).toBool()) {
    window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
  }
}

void WindowPlacementKeeper::Save() {
  const bool maximized = window_.isMaximized();
  QSize size = maximized ? window_.normalGeometry().size() : window_.size();
  const QSize decoration = window_.frameGeometry().size() - window_.size();
  const QPoint frameOffset = window_.geometry().topLeft() - window_.pos();
  const QPoint topLeft =
      maximized ? window_.normalGeometry().topLeft() - frameOffset : window_.pos();
  if (!worksGrid_.isHidden()) size.rheight() -= worksGrid_.height();
  settings_.setValue(kFrame, QRect(topLeft, size + decoration));
  settings_.setValue(kSize, size);
  settings_.setValue(kMaximized, maximized);
  settings_.sync();
}

bool WindowPlacementKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Close) Save();
  return QObject::eventFilter(watched, event);
}

}  // namespace orva
