#pragma once

#include <QLoggingCategory>
#include <QString>
#include <functional>
#include <optional>

namespace orva {

class Desktop;

// The exit status of a start-up that failed.
inline constexpr int kStartupFailureStatus = 1;

// A start-up failure ends the program: said on the standard error (in `category`) for logs
// and terminals, and in a message box for the user. Returns kStartupFailureStatus.
int ReportStartupFailure(Desktop& desktop, const QLoggingCategory& category, const QString& text);

// Runs the start-up steps that come before the window shows; they give the exit status
// when the program is to end there, nullopt to go on. Whatever they throw (a set-up the
// host cannot provide, such as a text converter missing from its ICU) is a start-up
// failure like any other, so the program never ends without a word.
std::optional<int> RunStartupSteps(Desktop& desktop,
                                   const std::function<std::optional<int>()>& steps);

}  // namespace orva
