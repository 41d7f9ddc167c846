#pragma once

#include <filesystem>

namespace orva {

// The folder of the running executable, links resolved; empty when the system cannot say.
// Needs no application object, so start-up can find its suite before it connects to the
// display.
std::filesystem::path ExecutableFolder();

}  // namespace orva
