#pragma once

#include <QString>

class QWidget;

namespace orva {

class Desktop;
class FileSystem;
struct InstallPaths;

// The remote-support tool's fixed place; also the title of its "not found" message.
inline constexpr const char* kRemoteToolPath = "c:\\adata\\TeamViewerQS_ja.exe";

// What the utility commands act on, named where it is made. `window` is closed the way its
// exit command closes it; each command takes the suite's paths it needs from `paths`.
struct UtilityContext {
  QWidget& window;
  QWidget& Frame1;
  Desktop& desktop;
  const FileSystem& files;
  const InstallPaths& paths;
};

// The maker's home page, fixed when the program is configured.
QString HomePageAddress();

// A start or open that fails is told to the user by the desktop (see Desktop).

// Opens the home page, then closes the launcher once the open worked.
void OpenHomePage(UtilityContext& context);
// Opens the help document; no test for it first.
void OpenHelp(UtilityContext& context);
// Starts the remote-support tool with a notice up while it starts; tells the user when
// it is not there.
void StartRemoteSupport(UtilityContext& context);
// Starts the update tool and closes the launcher once it runs; does nothing when the
// tool is gone.
void StartDataUpdate(UtilityContext& context);

}  // namespace orva
