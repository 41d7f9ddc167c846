#include "utility/utility_commands.h"

#include <QWidget>
#include <optional>
#include <string_view>

#include "desktop/desktop.h"
#include "platform/file_system.h"
#include "desktop/host_path_text.h"

namespace orva {
namespace {

constexpr const char* kHomePageAddress = ORVA_HOMEPAGE_URL;

std::optional<QString> HostPathTextOf(const FileSystem& files, std::string_view windowsPath) {
  const auto host = files.HostPath(windowsPath);
  if (!host) return std::nullopt;
  return HostPathText(*host);
}

// Starts a program only when a plain file is there; false when nothing was started.
bool StartPlainFile(Desktop& desktop, const FileSystem& files, std::string_view windowsPath) {
  if (!files.IsPlainFile(windowsPath)) return false;
  const auto host = HostPathTextOf(files, windowsPath);
  return host && desktop.StartProgram(*host);
}

}  // namespace

QString HomePageAddress() { return QString::fromUtf8(kHomePageAddress); }

void OpenHomePage(UtilityContext& context) {
  context.desktop.OpenDocument(HomePageAddress());
  context.window.close();
}

void OpenHelp(UtilityContext& context) {
  if (const auto host = HostPathTextOf(context.files, context.helpPdfPath)) {
    context.desktop.OpenDocument(*host);
  }
}

void StartRemoteSupport(UtilityContext& context) {
  Desktop& desktop = context.desktop;
  desktop.SetWindowCursor(&context.window, Desktop::Cursor::Wait);
  desktop.ProcessEvents();
  context.Frame1.show();
  // No event pass until it is hidden again, so paint the notice now.
  context.Frame1.repaint();
  const bool started = StartPlainFile(desktop, context.files, kRemoteToolPath);
  desktop.SetWindowCursor(&context.window, Desktop::Cursor::Default);
  context.Frame1.hide();
  if (!started) {
    desktop.ShowMessage(&context.window, QString::fromUtf8("遠隔操作ソフトが見つかりません。"),
                        QString::fromUtf8(kRemoteToolPath), Desktop::Icon::Information);
  }
}

void StartDataUpdate(UtilityContext& context) {
  const std::string& updater = context.updaterPath;
  if (!context.files.IsPlainFile(updater)) return;
  Desktop& desktop = context.desktop;
  desktop.SetApplicationCursor(Desktop::Cursor::ArrowWait);
  desktop.ProcessEvents();
  StartPlainFile(desktop, context.files, updater);  // a failed start closes all the same
  desktop.SetApplicationCursor(Desktop::Cursor::Default);
  context.window.close();
}

}  // namespace orva
