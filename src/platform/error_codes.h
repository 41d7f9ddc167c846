#pragma once

#include "platform/error_number.h"

// The suite's error numbers by name. Only a file that names one includes this: a number
// added here rebuilds those files, not every file that passes a number on.
namespace orva::err {

inline constexpr Number kInvalidCall{5};
inline constexpr Number kOverflow{6};
inline constexpr Number kOutOfMemory{7};
inline constexpr Number kSubscriptOutOfRange{9};
inline constexpr Number kTypeMismatch{13};
inline constexpr Number kBadFileName{52};
inline constexpr Number kFileNotFound{53};
inline constexpr Number kBadFileMode{54};
inline constexpr Number kFileAlreadyOpen{55};
inline constexpr Number kDeviceIO{57};
inline constexpr Number kFileAlreadyExists{58};
inline constexpr Number kDiskFull{61};
inline constexpr Number kInputPastEnd{62};
inline constexpr Number kTooManyFiles{67};
inline constexpr Number kDeviceUnavailable{68};
inline constexpr Number kPermissionDenied{70};
inline constexpr Number kDiskNotReady{71};
inline constexpr Number kPathFileAccess{75};
inline constexpr Number kPathNotFound{76};
inline constexpr Number kCancel{32755};
// A file larger than its reader takes in; the first number the platform leaves to programs.
inline constexpr Number kFileTooLarge{513};
// A file that another program holds open without sharing it, or has locked: the user
// has to hear that it is busy, not that it is missing or forbidden.
inline constexpr Number kFileInUse{514};

}  // namespace orva::err
