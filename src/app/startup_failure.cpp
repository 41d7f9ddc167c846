#include "app/startup_failure.h"

#include <QApplication>
#include <exception>

#include "desktop/desktop.h"
#include "desktop/log_categories.h"

namespace orva {
namespace {

QString SetupFailureReport(const char* reason) {
  return QString::fromUtf8("起動に必要な準備ができないため、起動できません。\n\n理由: %1")
      .arg(QString::fromLocal8Bit(reason));
}

}  // namespace

int ReportStartupFailure(Desktop& desktop, const QLoggingCategory& category, const QString& text) {
  qCCritical(category).noquote() << text;
  desktop.ShowMessage(nullptr, text, QApplication::applicationDisplayName(), Desktop::Icon::None);
  return kStartupFailureStatus;
}

std::optional<int> RunStartupSteps(Desktop& desktop,
                                   const std::function<std::optional<int>()>& steps) {
  try {
    return steps();
  } catch (const std::exception& e) {
    return ReportStartupFailure(desktop, lcSetup(), SetupFailureReport(e.what()));
  } catch (...) {
    return ReportStartupFailure(desktop, lcSetup(), SetupFailureReport("unknown"));
  }
}

}  // namespace orva
