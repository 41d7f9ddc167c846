#include "platform/user_language.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>
#include <string_view>

namespace orva {

bool LocaleIsJapanese(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value && *value) return std::string_view(value).starts_with("ja");
  }
  return false;
}

bool UserReadsJapanese() {
#ifdef _WIN32
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
#else
  return LocaleIsJapanese(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
#endif
}

}  // namespace orva
