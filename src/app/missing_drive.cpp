#include "app/missing_drive.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "catalogue/install_paths.h"
#include "desktop/host_path_text.h"
#include "platform/drive_table.h"
#include "platform/file_system.h"

namespace orva {

std::optional<QString> MissingDriveReport(const FileSystem& files, const InstallPaths& paths) {
  const auto root = files.HostPath(paths.driveRoot);
  std::error_code ignored;
  if (root && std::filesystem::is_directory(*root, ignored)) return std::nullopt;
  const QString drive = QString::fromStdString(paths.driveRoot.substr(0, 2));
  QString folder = QString::fromStdString(paths.appDir);
  if (folder.size() > 3 && folder.endsWith('\\')) folder.chop(1);
  QString report =
      QString::fromUtf8("ドライブ %1 がありません。%2 を開けないため、起動できません。\n\n")
          .arg(drive, folder);
#ifdef _WIN32
  report +=
      QString::fromUtf8("積算システムのあるドライブを接続してから、もう一度起動してください。");
#else
  const QString prefix = HostPathText(DriveTable::PrefixFromEnvironment());
  const char* named = std::getenv("WINEPREFIX");
  report +=
      named && *named
          ? QString::fromUtf8("Wine プレフィックス: %1 (環境変数 WINEPREFIX の値)\n").arg(prefix)
          : QString::fromUtf8(
                "Wine プレフィックス: %1 (WINEPREFIX が設定されていないため "
                "~/.wine)\n")
                .arg(prefix);
  report += QString::fromUtf8(
                "ドライブ %1 は、このプレフィックスの dosdevices フォルダーの %2 です。\n\n"
                "積算システムを入れた Wine プレフィックスを環境変数 WINEPREFIX に指定して、"
                "もう一度起動してください。プレフィックスをまだ作っていない場合は、"
                "wineboot を一度実行すると作られます。")
                .arg(drive, drive.toLower());
#endif
  return report;
}

}  // namespace orva
