#include "grids/executable_chooser.h"

#include "platform/path_split.h"
#include "desktop/desktop.h"
#include "platform/error_codes.h"

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

  const Desktop::FileChoice choice = desktop.ChooseOpenFile(parent, request);
  if (choice.error == err::kCancel) return std::nullopt;
  if (choice.error != err::kNone) {
    desktop.ShowMessage(parent, QString::fromStdString(ErrorDescription(choice.error)),
                        QString::fromUtf8("エラー") + QString::number(choice.error),
                        Desktop::Icon::None);
    return std::nullopt;
  }
  return choice.path.toStdString();
}

}  // namespace orva
