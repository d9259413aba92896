#include "FakeThreadServices.h"

#include <chrono>
#include <thread>

#include "Deadline.h"

namespace {

// A guard against a test that never signals.
constexpr auto RealTimeGuard = TestDeadline;

}  // namespace

class TFakeEvent : public TWaitEvent {
public:
  explicit TFakeEvent(TFakeThreadServices& services) : FServices(services) {}

  void Signal() override {
    {
      const std::lock_guard guard(FLock);
      FSignalled = true;
    }
    FChanged.notify_all();
  }

  bool WaitFor(int timeoutMs) override {
    FServices.Record(timeoutMs);
    std::unique_lock guard(FLock);
    if (!FSignalled && timeoutMs != InfiniteWait && !FServices.HoldWaits) {
      FServices.FNow += timeoutMs;
      return false;
    }
    ++FServices.FBlockedWaits;
    const bool signalled = FChanged.wait_for(guard, RealTimeGuard, [this] { return FSignalled; });
    --FServices.FBlockedWaits;
    if (!signalled) {
      ++FServices.FRealTimeOuts;
      return false;
    }
    FSignalled = false;
    ++FServices.FCutShort;
    return true;
  }

private:
  TFakeThreadServices& FServices;
  std::mutex FLock;
  std::condition_variable FChanged;
  bool FSignalled = false;
};

std::unique_ptr<TWaitEvent> TFakeThreadServices::MakeAutoResetEvent() {
  ++FEventsMade;
  return std::make_unique<TFakeEvent>(*this);
}

void TFakeThreadServices::Sleep(int ms) {
  {
    const std::lock_guard guard(FLock);
    FSleeps.push_back(ms);
  }
  FNow += ms;
}

void TFakeThreadServices::Record(int ms) {
  const std::lock_guard guard(FLock);
  FWaits.push_back(ms);
}

std::vector<int> TFakeThreadServices::Waits() const {
  const std::lock_guard guard(FLock);
  return FWaits;
}

std::vector<int> TFakeThreadServices::Sleeps() const {
  const std::lock_guard guard(FLock);
  return FSleeps;
}

int TFakeThreadServices::WaitsCutShort() const { return FCutShort; }
int TFakeThreadServices::WaitsTimedOutForReal() const { return FRealTimeOuts; }

bool TFakeThreadServices::ServiceUntil(const std::function<bool()>& done) {
  const auto limit = std::chrono::steady_clock::now() + RealTimeGuard;
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    CheckSynchronize(5);
  }
  return true;
}

bool TFakeThreadServices::ServiceUntilWaiting() {
  return ServiceUntil([this] { return FBlockedWaits > 0; });
}
