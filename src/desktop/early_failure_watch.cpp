#include "desktop/early_failure_watch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#ifdef Q_OS_WIN
#include <QWinEventNotifier>
#else
#include <QSocketNotifier>
#endif
#include <algorithm>
#include <utility>

namespace orva {
namespace {

#ifdef Q_OS_WIN
using Notifier = QWinEventNotifier;
std::unique_ptr<Notifier> NotifierFor(Waitable event) {
  return std::make_unique<QWinEventNotifier>(event);
}
#else
using Notifier = QSocketNotifier;
std::unique_ptr<Notifier> NotifierFor(Waitable fd) {
  return std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
}
#endif

}  // namespace

struct EarlyFailureWatch::Entry {
  Entry(Ticket number, StartWatch started, Failed whenFailed)
      : ticket(number),
        watch(std::move(started)),
        notifier(NotifierFor(watch.ReadyWhenOver())),
        failed(std::move(whenFailed)) {}

  Ticket ticket;
  StartWatch watch;
  std::unique_ptr<Notifier> notifier;
  Failed failed;
};

EarlyFailureWatch::EarlyFailureWatch() = default;
EarlyFailureWatch::~EarlyFailureWatch() = default;

EarlyFailureWatch::Ticket EarlyFailureWatch::Watch(StartWatch watch, Failed failed) {
  auto entry = std::make_unique<Entry>(++lastTicket_, std::move(watch), std::move(failed));
  Entry* raw = entry.get();
  QObject::connect(raw->notifier.get(), &Notifier::activated, raw->notifier.get(),
                   [this, raw] { Finish(raw); });
  entries_.push_back(std::move(entry));
  return lastTicket_;
}

void EarlyFailureWatch::Finish(Entry* entry) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [entry](const auto& held) { return held.get() == entry; });
  if (found == entries_.end()) return;
  // Off the list before it is told: telling may show a box whose event loop finishes
  // other watches meanwhile.
  const std::unique_ptr<Entry> finished = std::move(*found);
  entries_.erase(found);
  finished->notifier->setEnabled(false);
  // The notifier is inside its own signal here; it goes once control is back in the loop.
  finished->notifier.release()->deleteLater();
  const EarlyEnd end = finished->watch.Collect();
  if (end.ended) finished->failed(end.status);
}

bool EarlyFailureWatch::Holds(Ticket ticket) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [ticket](const auto& held) { return held->ticket == ticket; });
}

void EarlyFailureWatch::WaitFor(Ticket ticket) {
  while (Holds(ticket)) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::WaitForMoreEvents);
  }
}

void EarlyFailureWatch::WaitForAll() {
  while (Watching()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

}  // namespace orva
