#pragma once

namespace orva {

// Whether the user reads Japanese: on Windows the user's display language, elsewhere the
// locale of messages (LC_ALL, else LC_MESSAGES, else LANG: the first one set counts).
bool UserReadsJapanese();

// The POSIX rule on given values; null or empty counts as unset.
bool LocaleIsJapanese(const char* lcAll, const char* lcMessages, const char* lang);

}  // namespace orva
