#include "utility/utility_commands.h"

#include <QWidget>
#include <optional>
#include <string_view>

#include "desktop/desktop.h"
#include "desktop/host_path_text.h"
#include "platform/file_system.h"

namespace orva {
namespace {

constexpr const char* kHomePageAddress = ORVA_HOMEPAGE_URL;

std::optional<QString> HostPathTextOf(const FileSystem& files, std::string_view windowsPath) {
  const auto host = files.HostPath(windowsPath);
  if (!host) return std::nullopt;
  return HostPathText(*host);
}

// Starts a program only when a plain file is there; false when nothing was started.
bool StartPlainFile(UtilityContext& context, Desktop::Handover program) {
  const std::string windowsPath = program.windowsPath.toStdString();
  if (!context.files.IsPlainFile(windowsPath)) return false;
  const auto host = HostPathTextOf(context.files, windowsPath);
  if (!host) return false;
  program.target = *host;
  return context.desktop.StartProgram(&context.window, program);
}

}  // namespace

QString HomePageAddress() { return QString::fromUtf8(kHomePageAddress); }

void OpenHomePage(UtilityContext& context) {
  context.desktop.OpenDocument(&context.window, {.target = HomePageAddress()});
  context.window.close();
}

void OpenHelp(UtilityContext& context) {
  const QString shown = QString::fromStdString(context.helpPdfPath);
  if (const auto host = HostPathTextOf(context.files, context.helpPdfPath)) {
    context.desktop.OpenDocument(&context.window, {.target = *host, .windowsPath = shown});
  }
}

void StartRemoteSupport(UtilityContext& context) {
  Desktop& desktop = context.desktop;
  desktop.SetWindowCursor(&context.window, Desktop::Cursor::Wait);
  desktop.ProcessEvents();
  context.Frame1.show();
  // No event pass until it is hidden again, so paint the notice now.
  context.Frame1.repaint();
  const QString notFound = QString::fromUtf8("遠隔操作ソフトが見つかりません。");
  const QString title = QString::fromUtf8(kRemoteToolPath);
  // The tool's own message also stands for a start that fails in its first moments.
  const bool started = StartPlainFile(context, {.windowsPath = title,
                                                .ownText = notFound,
                                                .ownTitle = title,
                                                .ownIcon = Desktop::Icon::Information});
  desktop.SetWindowCursor(&context.window, Desktop::Cursor::Default);
  context.Frame1.hide();
  if (!started) desktop.ShowMessage(&context.window, notFound, title, Desktop::Icon::Information);
}

void StartDataUpdate(UtilityContext& context) {
  const std::string& updater = context.updaterPath;
  if (!context.files.IsPlainFile(updater)) return;
  Desktop& desktop = context.desktop;
  desktop.SetApplicationCursor(Desktop::Cursor::ArrowWait);
  desktop.ProcessEvents();
  // A failed start is told, and the launcher closes all the same.
  StartPlainFile(context, {.windowsPath = QString::fromStdString(updater)});
  desktop.SetApplicationCursor(Desktop::Cursor::Default);
  context.window.close();
}

}  // namespace orva
