// The hand-over of steps to the user-interface thread (the thread that runs
// the tests): a worker's step runs there and its error comes back to the
// worker; dropped or abandoned steps never run and never leave their worker
// waiting; other threads cannot run steps.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "Deadline.h"
#include "Exception.h"
#include "HandOver.h"

namespace {

template <class T>
bool Ready(std::future<T>& worker) {
  return worker.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready;
}

// Runs steps here until the worker is done. A worker that never ends could
// not be joined: the test program ends instead.
template <class T>
T ServiceUntilReady(std::future<T>& worker) {
  const auto limit = std::chrono::steady_clock::now() + TestDeadline;
  while (!Ready(worker)) {
    if (std::chrono::steady_clock::now() > limit) EndHungTest("a worker blocked in a hand-over");
    CheckSynchronize(5);
  }
  return worker.get();
}

}  // namespace

TEST(HandOver, AWorkersStepRunsOnThisThreadAndItsErrorReturnsToTheWorker) {
  const std::thread::id here = std::this_thread::get_id();
  std::thread::id ranOn;
  auto worker = std::async(std::launch::async, [&] { return Synchronize(nullptr, [&] { ranOn = std::this_thread::get_id(); }); });
  EXPECT_TRUE(ServiceUntilReady(worker));
  EXPECT_EQ(ranOn, here);

  auto failing = std::async(std::launch::async, [] {
    try {
      Synchronize(nullptr, [] { throw Exception("step failed"); });
    } catch (const Exception& error) {
      return error.Message();
    }
    return std::string("no error");
  });
  EXPECT_EQ(ServiceUntilReady(failing), "step failed");
}

TEST(HandOver, DroppedAndAbandonedStepsNeverRunAndReleaseTheirWorker) {
  int owner = 0;
  std::atomic<bool> ran{false};
  auto worker = std::async(std::launch::async, [&] { return Synchronize(&owner, [&] { ran = true; }); });
  // Until the step is queued, dropping has nothing to drop: keep dropping.
  const auto limit = std::chrono::steady_clock::now() + TestDeadline;
  while (worker.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
    if (std::chrono::steady_clock::now() > limit) EndHungTest("a worker whose step is dropped");
    RemoveQueued(&owner);
  }
  EXPECT_FALSE(worker.get());
  CheckSynchronize(0);
  EXPECT_FALSE(ran);

  const std::atomic<bool> abandoned{true};
  auto gaveUp = std::async(std::launch::async, [&] { return Synchronize(&owner, [&] { ran = true; }, &abandoned); });
  if (gaveUp.wait_for(TestDeadline) != std::future_status::ready) EndHungTest("a worker whose step is abandoned");
  EXPECT_FALSE(gaveUp.get());
  Queue(&owner, [&] { ran = true; }, &abandoned);
  CheckSynchronize(0);
  EXPECT_FALSE(ran);
}

TEST(HandOver, OnlyTheUserInterfaceThreadRunsStepsAndTheWakeUpHearsOfEachStep) {
  EXPECT_TRUE(InMainThread());
  std::atomic<int> wakes{0};
  SetWakeMainThread([&] { ++wakes; });
  bool ran = false;
  Queue(nullptr, [&] { ran = true; });
  EXPECT_EQ(wakes, 1);
  auto elsewhere = std::async(std::launch::async, [] { return std::make_pair(InMainThread(), CheckSynchronize(0)); });
  EXPECT_EQ(elsewhere.get(), std::make_pair(false, false));
  EXPECT_FALSE(ran);
  SetWakeMainThread(nullptr);
  EXPECT_TRUE(CheckSynchronize(0));
  EXPECT_TRUE(ran);
}
