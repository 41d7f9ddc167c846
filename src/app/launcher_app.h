#pragma once

namespace orva {

// The whole program: single instance, start-up, the event loop, and the exit status.
int RunLauncher(int argc, char** argv);

}  // namespace orva
