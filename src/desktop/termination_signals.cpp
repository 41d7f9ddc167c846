#include "desktop/termination_signals.h"

#include <QSocketNotifier>
#include <cstdlib>

#ifdef __linux__
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>
#endif

namespace orva {

#ifdef __linux__
namespace {

sigset_t TerminationSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  sigaddset(&set, SIGINT);
  return set;
}

}  // namespace
#endif

void TerminationSignals::BlockInEveryThread() {
#ifdef __linux__
  // Blocked signals are read from a descriptor instead of interrupting whatever runs.
  const sigset_t set = TerminationSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
#endif
}

void TerminationSignals::EndProcessBy(int signalNumber) {
#ifdef __linux__
  signal(signalNumber, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signalNumber);
  raise(signalNumber);  // pending until unblocked just below
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
#endif
  std::_Exit(128 + signalNumber);
}

TerminationSignals::TerminationSignals() {
#ifdef __linux__
  const sigset_t set = TerminationSet();
  fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
  if (fd_ < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::DeliverPending);
#endif
}

TerminationSignals::~TerminationSignals() {
  notifier_.reset();
#ifdef __linux__
  if (fd_ >= 0) close(fd_);
#endif
}

void TerminationSignals::DeliverPending() {
#ifdef __linux__
  if (fd_ < 0) return;
  int received = 0;
  signalfd_siginfo info;
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    received = static_cast<int>(info.ssi_signo);
  }
  if (received != 0) emit Requested(received);
#endif
}

}  // namespace orva
