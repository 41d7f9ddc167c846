#include "utility/utility_commands.h"

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/install_paths.h"
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

// The window goes only once the hand-over is known to have worked: a failure is told over
// it, and the user, who got nothing, still has the launcher.
void OpenHomePage(UtilityContext& context) {
  if (context.desktop.OpenDocument(&context.window,
                                   {.target = HomePageAddress(), .awaitFirstMoments = true})) {
    context.window.close();
  }
}

void OpenHelp(UtilityContext& context) {
  const std::string& document = context.paths.helpPdfPath;
  const QString shown = QString::fromStdString(document);
  if (const auto host = HostPathTextOf(context.files, document)) {
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
  // "Not found" only when it is not there: a tool that is there but cannot start, or ends
  // at once, is told by the desktop with what happened.
  const bool there = context.files.IsPlainFile(kRemoteToolPath);
  if (there) StartPlainFile(context, {.windowsPath = QString::fromUtf8(kRemoteToolPath)});
  desktop.SetWindowCursor(&context.window, Desktop::Cursor::Default);
  context.Frame1.hide();
  if (!there) {
    desktop.ShowMessage(&context.window, QString::fromUtf8("遠隔操作ソフトが見つかりません。"),
                        QString::fromUtf8(kRemoteToolPath), Desktop::Icon::Information);
  }
}

void StartDataUpdate(UtilityContext& context) {
  const std::string& updater = context.paths.updaterPath;
  if (!context.files.IsPlainFile(updater)) return;
  Desktop& desktop = context.desktop;
  desktop.SetApplicationCursor(Desktop::Cursor::ArrowWait);
  desktop.ProcessEvents();
  const bool started = StartPlainFile(
      context, {.windowsPath = QString::fromStdString(updater), .awaitFirstMoments = true});
  desktop.SetApplicationCursor(Desktop::Cursor::Default);
  if (started) context.window.close();
}

}  // namespace orva
