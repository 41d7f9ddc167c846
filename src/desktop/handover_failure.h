#pragma once

#include <QString>

namespace orva {

// Why a start or open failed, in two words: Japanese for the user, plain for the log.
struct FailureReason {
  QString forUser;
  QString forLog;
};

// The program (or `wine`, or the opener) could not be executed: `error` is the errno.
FailureReason NotExecuted(int error);
// A Windows program with no `wine` to run it.
FailureReason WineMissing();
// A 32-bit Windows program, and a Wine that runs 64-bit programs only: what to install.
FailureReason WineLacks32Bit();
// A started program that ended with a failure right after it started.
FailureReason ProgramEndedAtOnce(int waitStatus);
// The desktop's opener (xdg-open) that ended with a failure; its exit codes tell a missing
// file from a missing application.
FailureReason OpenerEndedAtOnce(int waitStatus, bool address);
// No opener to be had, or the desktop refused the request.
FailureReason NoOpener(bool address);

// The message box text: what could not be started or opened, then why.
QString StartFailureText(const QString& windowsPath, const QString& reason);
QString OpenFailureText(const QString& shown, bool address, const QString& reason);

}  // namespace orva
