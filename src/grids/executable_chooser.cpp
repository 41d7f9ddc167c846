#include "grids/executable_chooser.h"

#include "grids/path_split.h"
#include "platform/desktop.h"
#include "platform/error_message.h"

namespace orva {

void ChooseExecutable(Desktop& desktop, QWidget* parent, std::string& currentPath,
                      std::string& chosenPath, std::int16_t& cancelled) {
  cancelled = 0;
  Desktop::OpenFileRequest request;
  request.fileName = QString::fromStdString(currentPath);
  request.initialFolder = QString::fromStdString(PathFolder(currentPath));
  currentPath = PathFileName(currentPath);
  const QString name = QString::fromStdString(currentPath);
  request.title = QString::fromUtf8("実行ファイルの設定");
  request.filters = {name, name, "*.exe", "*.exe"};

  const Result<QString> choice = desktop.ChooseOpenFile(parent, request);
  if (choice.error() == err::kCancel) {
    cancelled = 1;
    return;
  }
  if (!choice.ok()) {
    ShowErrorNumber(desktop, parent, choice.error(), ErrorDuring::kOther);
    cancelled = 1;
    return;
  }
  chosenPath = choice.value().toStdString();
}

}  // namespace orva
