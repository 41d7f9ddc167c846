#include "grids/executable_chooser.h"

#include "platform/path_split.h"
#include "desktop/desktop.h"
#include "platform/error_codes.h"

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

  const Desktop::FileChoice choice = desktop.ChooseOpenFile(parent, request);
  if (choice.error == err::kCancel) {
    cancelled = 1;
    return;
  }
  if (choice.error != err::kNone) {
    desktop.ShowMessage(parent, QString::fromStdString(ErrorDescription(choice.error)),
                        QString::fromUtf8("エラー") + QString::number(choice.error),
                        Desktop::Icon::None);
    cancelled = 1;
    return;
  }
  chosenPath = choice.path.toStdString();
}

}  // namespace orva
