#include "platform/error_codes.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orva {

std::string ErrorDescription(err::Number number) {
  switch (number) {
    case err::kInvalidCall: return "プロシージャの呼び出し、または引数が不正です。";
    case err::kOverflow: return "オーバーフローしました。";
    case err::kOutOfMemory: return "メモリが不足しています。";
    case err::kSubscriptOutOfRange: return "インデックスが有効範囲にありません。";
    case err::kTypeMismatch: return "型が一致しません。";
    case err::kBadFileName: return "ファイル名または番号が不正です。";
    case err::kFileNotFound: return "ファイルが見つかりません。";
    case err::kBadFileMode: return "ファイル モードが不正です。";
    case err::kFileAlreadyOpen: return "ファイルは既に開かれています。";
    case err::kDeviceIO: return "デバイス I/O エラーです。";
    case err::kFileAlreadyExists: return "既に同名のファイルが存在しています。";
    case err::kDiskFull: return "ディスクの空き容量が不足しています。";
    case err::kInputPastEnd: return "ファイルにこれ以上データがありません。";
    case err::kTooManyFiles: return "ファイルが多すぎます。";
    case err::kDeviceUnavailable: return "デバイスが準備されていません。";
    case err::kPermissionDenied: return "書き込みできません。";
    case err::kDiskNotReady: return "ディスクが準備されていません。";
    case err::kPathFileAccess: return "パス名が無効です。";
    case err::kPathNotFound: return "パスが見つかりません。";
    case err::kCancel: return "[キャンセル] が選択されました。";
    case err::kFileTooLarge: return "ファイルが大きすぎるため読み込めません。";
    case err::kFileInUse: return "ほかのプログラムがこのファイルを使用中です。";
    default: return "アプリケーション定義またはオブジェクト定義のエラーです。";
  }
}

std::string ReadErrorDescription(err::Number number) {
  if (number == err::kPermissionDenied) return "読み込みできません。";
  if (number == err::kFileInUse) {
    return "ほかのプログラムがこのファイルを使用中のため、読み込めません。";
  }
  return ErrorDescription(number);
}

err::Number ErrorNumberFromErrno(int posixErrno) {
  switch (posixErrno) {
    case ENOENT: return err::kFileNotFound;
    case ENOTDIR: return err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY: return err::kPermissionDenied;
    case EAGAIN: return err::kFileInUse;  // a lease held by another program
    case EISDIR: return err::kPathFileAccess;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ: return err::kBadFileName;
    case ENOSPC:
#ifdef EDQUOT  // no disk quotas on Windows
    case EDQUOT:
#endif
    case EFBIG: return err::kDiskFull;
    case EMFILE:
    case ENFILE: return err::kTooManyFiles;
    case ENXIO:
    case ENODEV: return err::kDeviceUnavailable;
    default: return err::kDeviceIO;
  }
}

#ifdef _WIN32
err::Number ErrorNumberFromWin32(unsigned long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND: return err::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY: return err::kPathNotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return err::kFileInUse;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_CURRENT_DIRECTORY: return err::kPermissionDenied;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_PARAMETER: return err::kBadFileName;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return err::kFileAlreadyExists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
    case 1295: return err::kDiskFull;  // ERROR_DISK_QUOTA_EXCEEDED, unnamed in mingw's headers
    case ERROR_TOO_MANY_OPEN_FILES: return err::kTooManyFiles;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return err::kOutOfMemory;
    case ERROR_NOT_READY: return err::kDiskNotReady;
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED: return err::kDeviceUnavailable;
    default: return err::kDeviceIO;
  }
}
#endif

}  // namespace orva
