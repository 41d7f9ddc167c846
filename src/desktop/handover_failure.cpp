#include "desktop/handover_failure.h"

#include <sys/wait.h>

#include <cerrno>
#include <cstring>

namespace orva {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

QString ExitCodeText(int waitStatus) {
  if (WIFSIGNALED(waitStatus)) return QString("signal %1").arg(WTERMSIG(waitStatus));
  return QString("exit code %1").arg(WEXITSTATUS(waitStatus));
}

}  // namespace

FailureReason NotExecuted(int error) {
  const QString log = QString::fromLocal8Bit(std::strerror(error));
  switch (error) {
    case ENOENT: return {U("ファイルが見つかりません。"), log};
    case EACCES:
    case EPERM: return {U("実行する権限がありません。"), log};
    case ENOEXEC: return {U("実行できる形式のファイルではありません。"), log};
    case ETXTBSY: return {U("ファイルが書き込み中のため実行できません。"), log};
    case ENOMEM:
    case EAGAIN: return {U("メモリーまたはプロセスの数が足りません。"), log};
    default: break;
  }
  return {U("システムエラー %1 が発生しました (%2)。").arg(error).arg(log), log};
}

FailureReason WineMissing() {
  return {
      U("Windows のプログラムを動かす wine が見つかりません。wine をインストールしてください。"),
      "no wine on PATH"};
}

FailureReason ProgramEndedAtOnce(int waitStatus) {
  const QString code = ExitCodeText(waitStatus);
  if (WIFSIGNALED(waitStatus)) {
    return {U("起動した直後に異常終了しました (シグナル %1)。").arg(WTERMSIG(waitStatus)),
            "ended at once with " + code};
  }
  return {U("起動した直後に終了しました (終了コード %1)。").arg(WEXITSTATUS(waitStatus)),
          "ended at once with " + code};
}

FailureReason OpenerEndedAtOnce(int waitStatus, bool address) {
  const QString log = "xdg-open ended with " + ExitCodeText(waitStatus);
  if (WIFEXITED(waitStatus)) {
    switch (WEXITSTATUS(waitStatus)) {
      case 2: return {U("ファイルが見つかりません。"), log};
      case 3: return {NoOpener(address).forUser, log};
      case 4: return {U("開くためのアプリケーションがエラーで終了しました。"), log};
      default: break;
    }
  }
  return {U("開くためのアプリケーションがエラーで終了しました (%1)。")
              .arg(WIFSIGNALED(waitStatus) ? U("シグナル %1").arg(WTERMSIG(waitStatus))
                                           : U("終了コード %1").arg(WEXITSTATUS(waitStatus))),
          log};
}

FailureReason NoOpener(bool address) {
  if (address) return {U("Web ブラウザーが見つかりません。"), "no application to open it"};
  return {U("このファイルを開くアプリケーションが見つかりません。"), "no application to open it"};
}

QString StartFailureText(const QString& windowsPath, const QString& reason) {
  return U("プログラムを起動できません。\n\n%1\n\n%2").arg(windowsPath, reason);
}

QString OpenFailureText(const QString& shown, bool address, const QString& reason) {
  const QString what = address ? U("ホームページを開けません。") : U("ファイルを開けません。");
  return U("%1\n\n%2\n\n%3").arg(what, shown, reason);
}

}  // namespace orva
