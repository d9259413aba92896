#include "ThreadServices.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "HandOver.h"

namespace {

class TSystemEvent : public TWaitEvent {
public:
  void Signal() override {
    {
      const std::lock_guard guard(FLock);
      FSignalled = true;
    }
    FChanged.notify_one();
  }

  bool WaitFor(int timeoutMs) override {
    std::unique_lock guard(FLock);
    const auto signalled = [this] { return FSignalled; };
    if (timeoutMs == InfiniteWait)
      FChanged.wait(guard, signalled);
    else if (!FChanged.wait_for(guard, std::chrono::milliseconds(timeoutMs), signalled))
      return false;
    FSignalled = false;
    return true;
  }

private:
  std::mutex FLock;
  std::condition_variable FChanged;
  bool FSignalled = false;
};

}  // namespace

std::int64_t TThreadServices::Milliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::unique_ptr<TWaitEvent> TThreadServices::MakeAutoResetEvent() { return std::make_unique<TSystemEvent>(); }

void TThreadServices::Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
void TThreadServices::Yield() { std::this_thread::yield(); }

bool TThreadServices::Synchronize(const void* owner, const std::function<void()>& step,
                                  const std::atomic<bool>* abandon) {
  return ::Synchronize(owner, step, abandon);
}

void TThreadServices::Queue(const void* owner, std::function<void()> step, const std::atomic<bool>* abandon) {
  ::Queue(owner, std::move(step), abandon);
}

void TThreadServices::RemoveQueued(const void* owner) { ::RemoveQueued(owner); }
bool TThreadServices::CheckSynchronize(int timeoutMs) { return ::CheckSynchronize(timeoutMs); }
bool TThreadServices::InMainThread() { return ::InMainThread(); }

TThreadServices& SystemThreadServices() {
  static TThreadServices services;
  return services;
}
