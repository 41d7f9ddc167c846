#include "app/font_warm_up.h"

#include <system_error>

#ifndef _WIN32
#include <fontconfig/fontconfig.h>
#endif

namespace orva {

FontConfigWarmUp::FontConfigWarmUp() {
#ifndef _WIN32
  try {
    thread_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to be had: Qt reads the configuration when it first needs it.
  }
#endif
}

void FontConfigWarmUp::Finish() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace orva
