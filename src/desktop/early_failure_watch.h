#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>

#include "platform/detached_process.h"

namespace orva {

// Started programs and openers under watch for their first moments, on the event loop:
// the launcher never waits for one. One that ends with a failure then is handed, with its
// wait status, to the function given with it, on the event thread.
class EarlyFailureWatch {
 public:
  using Failed = std::function<void(int waitStatus)>;

  EarlyFailureWatch();
  ~EarlyFailureWatch();
  EarlyFailureWatch(const EarlyFailureWatch&) = delete;
  EarlyFailureWatch& operator=(const EarlyFailureWatch&) = delete;

  using Ticket = std::uint64_t;
  Ticket Watch(StartWatch watch, Failed failed);
  bool Watching() const { return !entries_.empty(); }
  // Runs the event loop until every watch is over and its failure told.
  void WaitForAll();
  // Runs the event loop, user input held back, until that watch is over and its failure
  // told.
  void WaitFor(Ticket ticket);

 private:
  struct Entry;
  void Finish(Entry* entry);
  bool Holds(Ticket ticket) const;

  std::list<std::unique_ptr<Entry>> entries_;
  Ticket lastTicket_ = 0;
};

}  // namespace orva
