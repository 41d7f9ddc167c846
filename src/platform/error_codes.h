#pragma once

#include <string>

namespace orva {

// Error numbers as the suite reports them; host errors are mapped onto these here only.
// A returned number is never dropped unseen: ignoring one takes a visible cast.
namespace err {
enum [[nodiscard]] Number : int{
    kNone = 0,
    kInvalidCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kBadFileName = 52,
    kFileNotFound = 53,
    kBadFileMode = 54,
    kFileAlreadyOpen = 55,
    kDeviceIO = 57,
    kFileAlreadyExists = 58,
    kDiskFull = 61,
    kInputPastEnd = 62,
    kTooManyFiles = 67,
    kDeviceUnavailable = 68,
    kPermissionDenied = 70,
    kDiskNotReady = 71,
    kPathFileAccess = 75,
    kPathNotFound = 76,
    kCancel = 32755,
    // A file larger than its reader takes in; the first number the platform leaves to programs.
    kFileTooLarge = 513,
    // A file that another program holds open without sharing it, or has locked: the user
    // has to hear that it is busy, not that it is missing or forbidden.
    kFileInUse = 514,
};
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
