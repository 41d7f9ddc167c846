#include "desktop/handover_failure.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cerrno>
#include <cstring>

namespace orva {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

// How a program ended: by its own exit code, or abnormally (a signal; on Windows an
// exception, whose code is left as the exit code).
struct Ending {
  bool abnormal;
  int number;  // the exit code, the signal, or the exception code
};

Ending EndingOf(int status) {
#ifdef _WIN32
  return {static_cast<unsigned>(status) >= 0xC0000000U, status};
#else
  if (WIFSIGNALED(status)) return {true, WTERMSIG(status)};
  return {false, WEXITSTATUS(status)};
#endif
}

QString AbnormalText(int number, bool forUser) {
#ifdef _WIN32
  const QString code = QString::number(static_cast<unsigned>(number), 16).toUpper();
  return forUser ? U("例外 0x%1").arg(code) : QString("exception 0x%1").arg(code);
#else
  return forUser ? U("シグナル %1").arg(number) : QString("signal %1").arg(number);
#endif
}

QString ExitCodeText(int status) {
  const Ending ending = EndingOf(status);
  if (ending.abnormal) return AbnormalText(ending.number, false);
  return QString("exit code %1").arg(ending.number);
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

FailureReason WineLacks32Bit() {
  return {U("このプログラムは 32 ビットの Windows プログラムですが、インストールされている "
            "Wine は 64 ビットのプログラムしか動かせません。\n"
            "管理者に次の 2 行を実行してもらい、32 ビット用の Wine を追加してください。\n\n"
            "apt install wine wine64\n"
            "dpkg --add-architecture i386 && apt update && apt install wine32:i386"),
          "32-bit Windows program; the wine on PATH runs 64-bit programs only (wine32 missing)"};
}

FailureReason ProgramEndedAtOnce(int waitStatus) {
  const Ending ending = EndingOf(waitStatus);
  const QString log = "ended at once with " + ExitCodeText(waitStatus);
  if (ending.abnormal) {
    return {U("起動した直後に異常終了しました (%1)。").arg(AbnormalText(ending.number, true)), log};
  }
  return {U("起動した直後に終了しました (終了コード %1)。").arg(ending.number), log};
}

FailureReason OpenerEndedAtOnce(int waitStatus, bool address) {
  const Ending ending = EndingOf(waitStatus);
  const QString log = "xdg-open ended with " + ExitCodeText(waitStatus);
  if (!ending.abnormal) {
    switch (ending.number) {
      case 2: return {U("ファイルが見つかりません。"), log};
      case 3: return {NoOpener(address).forUser, log};
      case 4: return {U("開くためのアプリケーションがエラーで終了しました。"), log};
      default: break;
    }
  }
  return {U("開くためのアプリケーションがエラーで終了しました (%1)。")
              .arg(ending.abnormal ? AbnormalText(ending.number, true)
                                   : U("終了コード %1").arg(ending.number)),
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
