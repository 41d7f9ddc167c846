#pragma once

#include <string>

namespace orva {

// Error numbers as the suite reports them; host errors are mapped onto these in
// error_codes.cpp only. The type alone is declared here, with the number of no error: the
// numbers by name are in error_codes.h. A returned number is never dropped unseen: ignoring
// one takes a visible cast.
namespace err {
enum [[nodiscard]] Number : int;
inline constexpr Number kNone{0};
}  // namespace err

// Japanese description of an error number (UTF-8); a generic text for unknown numbers.
std::string ErrorDescription(err::Number number);

// The description of an error met while reading a file: a refused read says so, not
// that writing was refused.
std::string ReadErrorDescription(err::Number number);

// Maps a POSIX errno from opening or reading a file onto an error number.
err::Number ErrorNumberFromErrno(int posixErrno);

#ifdef _WIN32
// Maps a Win32 error code (GetLastError) from a file operation onto an error number.
err::Number ErrorNumberFromWin32(unsigned long code);
#endif

}  // namespace orva
