// The services a worker thread that times something relies on: a millisecond
// clock, auto-reset events with timed waits, sleeping and yielding, and the
// hand-over of steps to the user-interface thread (HandOver.h). They sit
// behind one small interface so that tests can put a fake clock and fake
// events in their place and drive the timing without sleeping; the program
// uses SystemThreadServices.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

// An auto-reset event: Signal wakes one wait (or the next one to come), and
// the event is reset by the wait it ends.
class TWaitEvent {
public:
  virtual ~TWaitEvent() = default;
  virtual void Signal() = 0;
  // Waits up to timeoutMs (InfiniteWait: no limit); true when the event
  // ended the wait, false on time-out.
  virtual bool WaitFor(int timeoutMs) = 0;
};

inline constexpr int InfiniteWait = -1;

class TThreadServices {
public:
  virtual ~TThreadServices() = default;

  // Milliseconds since some fixed moment; never goes back.
  virtual std::int64_t Milliseconds();
  virtual std::unique_ptr<TWaitEvent> MakeAutoResetEvent();
  virtual void Sleep(int ms);
  // Gives the processor to other threads once.
  virtual void Yield();

  virtual bool Synchronize(const void* owner, const std::function<void()>& step, const std::atomic<bool>* abandon);
  virtual void Queue(const void* owner, std::function<void()> step, const std::atomic<bool>* abandon);
  virtual void RemoveQueued(const void* owner);
  virtual bool CheckSynchronize(int timeoutMs);
  virtual bool InMainThread();
};

// The real clock, events, sleep and hand-over.
TThreadServices& SystemThreadServices();
