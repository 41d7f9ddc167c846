#include "desktop/startup_feedback.h"

#include <QApplication>
#include <QCursor>

namespace orva {

StartupFeedback::StartupFeedback() {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &StartupFeedback::End);
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive) End();
          });
}

void StartupFeedback::Begin() {
  timer_.start(kStartupFeedbackTime);
  if (showing_) return;
  showing_ = true;
  QApplication::setOverrideCursor(Qt::BusyCursor);
}

void StartupFeedback::End() {
  timer_.stop();
  if (!showing_) return;
  showing_ = false;
  // Another override set meanwhile (the update's wait) has ended it already.
  const QCursor* cursor = QApplication::overrideCursor();
  if (cursor && cursor->shape() == Qt::BusyCursor) QApplication::restoreOverrideCursor();
}

}  // namespace orva
