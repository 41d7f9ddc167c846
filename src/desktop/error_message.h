#pragma once

#include <string_view>

#include "platform/error_number.h"

class QWidget;

namespace orva {

class Desktop;

// What was under way when the error came: a refused read is described as a read.
enum class ErrorDuring { kReading, kWriting, kOther };

// How the box lays the number out: after "エラー" in the title, the description as text
// (errors the program carries on past), or "NN:description" as text under the title
// "エラー" (a request abandoned on the error).
enum class ErrorBox { kNumberInTitle, kNumberInText };

// The one way the window shows an error number: a message box, OK only, no icon. A `file`
// goes on a line of its own under the description, so no error leaves the user guessing which.
void ShowErrorNumber(Desktop& desktop, QWidget* parent, err::Number number, ErrorDuring during,
                     ErrorBox box = ErrorBox::kNumberInTitle, std::string_view file = {});

}  // namespace orva
