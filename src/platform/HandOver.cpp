#include "HandOver.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

enum class TStepState { Queued, Running, Done, Dropped };

struct TStep {
  const void* Owner = nullptr;
  std::function<void()> Run;
  TStepState State = TStepState::Queued;
  std::exception_ptr Error;
};

// Static initialisation runs on the thread that starts the program.
const std::thread::id MainThreadId = std::this_thread::get_id();

std::mutex QueueLock;
std::condition_variable QueueChanged;
std::deque<std::shared_ptr<TStep>> Steps;

std::mutex WakeLock;
std::function<void()> Wake;

void WakeMainThread() {
  const std::lock_guard guard(WakeLock);
  if (Wake) Wake();
}

// Queues the step unless its worker gave up; under the queue's lock, so a
// worker ended at the same moment either sees its step dropped or never queues it.
std::shared_ptr<TStep> Enqueue(const void* owner, std::function<void()> run, const std::atomic<bool>* abandon) {
  auto step = std::make_shared<TStep>();
  step->Owner = owner;
  step->Run = std::move(run);
  {
    const std::lock_guard guard(QueueLock);
    if (abandon != nullptr && abandon->load()) return nullptr;
    Steps.push_back(step);
  }
  QueueChanged.notify_all();
  WakeMainThread();
  return step;
}

std::shared_ptr<TStep> TakeNext() {
  const std::lock_guard guard(QueueLock);
  if (Steps.empty()) return nullptr;
  std::shared_ptr<TStep> step = std::move(Steps.front());
  Steps.pop_front();
  step->State = TStepState::Running;
  return step;
}

void Complete(TStep& step, std::exception_ptr error) {
  {
    const std::lock_guard guard(QueueLock);
    step.Error = std::move(error);
    step.State = TStepState::Done;
  }
  QueueChanged.notify_all();
}

}  // namespace

bool InMainThread() { return std::this_thread::get_id() == MainThreadId; }

bool Synchronize(const void* owner, const std::function<void()>& step, const std::atomic<bool>* abandon) {
  if (InMainThread()) {
    if (abandon != nullptr && abandon->load()) return false;
    step();
    return true;
  }
  const std::shared_ptr<TStep> queued = Enqueue(owner, step, abandon);
  if (!queued) return false;
  std::unique_lock guard(QueueLock);
  QueueChanged.wait(guard, [&] { return queued->State == TStepState::Done || queued->State == TStepState::Dropped; });
  if (queued->State == TStepState::Dropped) return false;
  if (queued->Error) std::rethrow_exception(queued->Error);
  return true;
}

void Queue(const void* owner, std::function<void()> step, const std::atomic<bool>* abandon) {
  Enqueue(owner, std::move(step), abandon);
}

void RemoveQueued(const void* owner) {
  {
    const std::lock_guard guard(QueueLock);
    std::erase_if(Steps, [owner](const std::shared_ptr<TStep>& step) {
      if (step->Owner != owner) return false;
      step->State = TStepState::Dropped;
      return true;
    });
  }
  QueueChanged.notify_all();
}

bool CheckSynchronize(int timeoutMs) {
  if (!InMainThread()) return false;
  std::size_t due = 0;
  {
    std::unique_lock guard(QueueLock);
    if (Steps.empty() && timeoutMs > 0)
      QueueChanged.wait_for(guard, std::chrono::milliseconds(timeoutMs), [] { return !Steps.empty(); });
    due = Steps.size();
  }
  // Only the steps queued so far: a step may queue others, or wait for
  // workers that keep queueing, and each such call services its own.
  bool ran = false;
  for (; due > 0; --due) {
    const std::shared_ptr<TStep> step = TakeNext();
    if (!step) break;
    ran = true;
    std::exception_ptr error;
    try {
      step->Run();
    } catch (...) {
      error = std::current_exception();
    }
    Complete(*step, std::move(error));
  }
  return ran;
}

void SetWakeMainThread(std::function<void()> wake) {
  const std::lock_guard guard(WakeLock);
  Wake = std::move(wake);
}
