#pragma once

#include <filesystem>

namespace orva {

// Whether the Wine whose `wine` command is at `wine` (as found on PATH) can run 32-bit x86
// Windows programs, told from its installed files without starting it: its libraries hold
// the 32-bit Windows side (i386-windows/ntdll.dll) or a 32-bit loader sits beside the
// 64-bit one. False only for an installation recognised as 64-bit alone; one laid out
// otherwise is given the benefit of the doubt.
bool WineRuns32BitPrograms(const std::filesystem::path& wine);

}  // namespace orva
