#include "platform/error_codes.h"

#include <cerrno>

namespace orva {

std::string ErrorDescription(int number) {
  switch (number) {
    case 5: return "プロシージャの呼び出し、または引数が不正です。";
    case 6: return "オーバーフローしました。";
    case 7: return "メモリが不足しています。";
    case 9: return "インデックスが有効範囲にありません。";
    case 13: return "型が一致しません。";
    case 52: return "ファイル名または番号が不正です。";
    case 53: return "ファイルが見つかりません。";
    case 54: return "ファイル モードが不正です。";
    case 55: return "ファイルは既に開かれています。";
    case 57: return "デバイス I/O エラーです。";
    case 58: return "既に同名のファイルが存在しています。";
    case 61: return "ディスクの空き容量が不足しています。";
    case 62: return "ファイルにこれ以上データがありません。";
    case 67: return "ファイルが多すぎます。";
    case 68: return "デバイスが準備されていません。";
    case 70: return "書き込みできません。";
    case 71: return "ディスクが準備されていません。";
    case 75: return "パス名が無効です。";
    case 76: return "パスが見つかりません。";
    case 32755: return "[キャンセル] が選択されました。";
    case err::kFileTooLarge: return "ファイルが大きすぎるため読み込めません。";
    default: return "アプリケーション定義またはオブジェクト定義のエラーです。";
  }
}

std::string ReadErrorDescription(int number) {
  if (number == err::kPermissionDenied) return "読み込みできません。";
  return ErrorDescription(number);
}

int ErrorNumberFromErrno(int posixErrno) {
  switch (posixErrno) {
    case ENOENT: return err::kFileNotFound;
    case ENOTDIR: return err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
    case EAGAIN: return err::kPermissionDenied;  // EAGAIN: a lease held by another program
    case EISDIR: return err::kPathFileAccess;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ: return err::kBadFileName;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return err::kDiskFull;
    case EMFILE:
    case ENFILE: return 67;
    case ENXIO:
    case ENODEV: return 68;
    default: return err::kDeviceIO;
  }
}

}  // namespace orva
