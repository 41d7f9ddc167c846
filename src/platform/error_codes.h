#pragma once

#include <string>

namespace orva {

// Error numbers as the suite reports them; host errors are mapped onto these here only.
namespace err {
inline constexpr int kNone = 0;
inline constexpr int kBadFileName = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kInputPastEnd = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kDiskFull = 61;
inline constexpr int kDeviceIO = 57;
inline constexpr int kCancel = 32755;
// A file larger than its reader takes in; the first number the platform leaves to programs.
inline constexpr int kFileTooLarge = 513;
}  // namespace err

// Japanese description of an error number (UTF-8); a generic text for unknown numbers.
std::string ErrorDescription(int number);

// The description of an error met while reading a file: a refused read says so, not
// that writing was refused.
std::string ReadErrorDescription(int number);

// Maps a POSIX errno from opening or reading a file onto an error number.
int ErrorNumberFromErrno(int posixErrno);

}  // namespace orva
