#include "desktop/error_message.h"

#include <QString>

#include "desktop/desktop.h"

namespace orva {

void ShowErrorNumber(Desktop& desktop, QWidget* parent, err::Number number, ErrorDuring during,
                     ErrorBox box, std::string_view file) {
  QString description = QString::fromStdString(
      during == ErrorDuring::kReading ? ReadErrorDescription(number) : ErrorDescription(number));
  if (!file.empty()) description += '\n' + QString::fromUtf8(file.data(), qsizetype(file.size()));
  const QString title = QString::fromUtf8("エラー");
  if (box == ErrorBox::kNumberInText) {
    desktop.ShowMessage(parent, QString::number(number) + ":" + description, title,
                        Desktop::Icon::None);
  } else {
    desktop.ShowMessage(parent, description, title + QString::number(number), Desktop::Icon::None);
  }
}

}  // namespace orva
