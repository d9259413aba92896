// TFakeThreadServices: a clock that moves only when a painter waits or
// sleeps, and events whose timed waits return at once as timed out (the
// clock moved on by the wait), so that tests drive a painter's timing without
// sleeping and read back every wait it asked for. An infinite wait, or any
// wait while HoldWaits is set, blocks until the event is signalled, as a long
// real wait would. Hand-overs are the real ones: the test runs them with
// ServiceUntil.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "ThreadServices.h"

class TFakeThreadServices : public TThreadServices {
public:
  std::int64_t Milliseconds() override { return FNow; }
  std::unique_ptr<TWaitEvent> MakeAutoResetEvent() override;
  void Sleep(int ms) override;
  void Yield() override {}
  // Time passing while the user-interface thread works (a slow paint).
  void Advance(int ms) { FNow += ms; }

  // Every wait on an event, in milliseconds (InfiniteWait for none), in order.
  std::vector<int> Waits() const;
  // Every sleep of a painter that is not threaded.
  std::vector<int> Sleeps() const;
  // How many waits a signal ended, and how many ran into the real-time guard.
  int WaitsCutShort() const;
  int WaitsTimedOutForReal() const;
  int EventsMade() const { return FEventsMade; }

  // Timed waits block until signalled, as a long delay would.
  std::atomic<bool> HoldWaits{false};

  // Runs hand-overs on this (the user-interface) thread until done() holds;
  // false when it did not before the test deadline (Deadline.h).
  bool ServiceUntil(const std::function<bool()>& done);
  // Waits (running hand-overs) until a painter thread sits in an event wait.
  bool ServiceUntilWaiting();

private:
  friend class TFakeEvent;
  void Record(int ms);

  std::atomic<std::int64_t> FNow{1000};
  std::atomic<int> FEventsMade{0};
  std::atomic<int> FBlockedWaits{0};
  std::atomic<int> FCutShort{0};
  std::atomic<int> FRealTimeOuts{0};
  mutable std::mutex FLock;
  std::vector<int> FWaits;
  std::vector<int> FSleeps;
};
