#include "desktop/startup_feedback.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>

namespace orva {

StartupFeedback::StartupFeedback() {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &StartupFeedback::End);
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive) End();
          });
}

std::vector<std::string> StartupFeedback::Announce(const QString& programPath) {
#ifdef Q_OS_WIN
  Q_UNUSED(programPath);
  return {};
#else
  const QString fileName = QFileInfo(programPath).fileName();
  const std::string id = notifier_.Announce(fileName.toStdString());
  // The launcher's own tokens were for its own window; a program handed them would
  // present a start that is long over.
  std::vector<std::string> changes = {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"};
  if (!id.empty()) {
    announced_.push_back(id);
    changes[0] = "DESKTOP_STARTUP_ID=" + id;
  }
  return changes;
#endif
}

void StartupFeedback::Begin() {
  timer_.start(kStartupFeedbackTime);
  if (showing_) return;
  showing_ = true;
  QApplication::setOverrideCursor(Qt::BusyCursor);
}

void StartupFeedback::End() {
  timer_.stop();
#ifndef Q_OS_WIN
  for (const std::string& id : announced_) notifier_.Remove(id);
  announced_.clear();
#endif
  if (!showing_) return;
  showing_ = false;
  // Another override set meanwhile (the update's wait) has ended it already.
  const QCursor* cursor = QApplication::overrideCursor();
  if (cursor && cursor->shape() == Qt::BusyCursor) QApplication::restoreOverrideCursor();
}

}  // namespace orva
