#include "grids/executable_chooser.h"

#include "desktop/desktop.h"
#include "desktop/error_message.h"
#include "platform/error_codes.h"
#include "platform/path_split.h"

namespace orva {

std::optional<std::string> ChooseExecutable(Desktop& desktop, QWidget* parent,
                                            std::string& currentPath) {
  Desktop::OpenFileRequest request;
  request.fileName = QString::fromStdString(currentPath);
  request.initialFolder = QString::fromStdString(PathFolder(currentPath));
  currentPath = PathFileName(currentPath);
  const QString name = QString::fromStdString(currentPath);
  request.title = QString::fromUtf8("実行ファイルの設定");
  request.filters = {name, name, "*.exe", "*.exe"};

  const Result<QString> choice = desktop.ChooseOpenFile(parent, request);
  if (choice.error() == err::kCancel) return std::nullopt;
  if (!choice.ok()) {
    ShowErrorNumber(desktop, parent, choice.error(), ErrorDuring::kOther);
    return std::nullopt;
  }
  return choice.value().toStdString();
}

}  // namespace orva
