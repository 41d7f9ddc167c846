#pragma once

#include <filesystem>
#include <string>

#include "platform/drive_table.h"

namespace orva {

// The launcher's folder in Windows form, as the system reports a program's folder:
// "C:\VORDELN", or "E:\" at a drive root; "\\" when no drive reaches it, so that the
// network rule applies. executableFolder is the real folder of the running executable.
//
// A folder reached only through a drive whose target is the host's root (an installed
// /usr/bin/orva-menu seen as Z:\usr\bin) holds no suite: the launcher then serves the
// suite of the prefix, "C:\VORDELN".
std::string ProgramFolderOf(const DriveTable& drives,
                            const std::filesystem::path& executableFolder);

}  // namespace orva
