// The hand-over of steps to the user-interface thread. A worker thread (an
// animation painter) calls Synchronize, which queues the step and blocks until
// the user-interface thread has run it, or Queue, which only queues it. The
// user-interface thread runs queued steps in CheckSynchronize; a program with
// an event loop installs a wake-up that makes its loop call CheckSynchronize
// soon, and loops that wait for workers call it themselves.
//
// Each step names an owner, so that the steps of a worker that is being ended
// without the user-interface thread's help can be dropped (RemoveQueued), and
// may name an abandon flag: once the flag is set, the step is no longer
// queued, so a worker can never block on a user-interface thread that will not
// come.
#pragma once

#include <atomic>
#include <functional>

// Runs step on the user-interface thread and waits for it. On that thread
// itself the step runs at once. Returns false when the step was not run
// (abandon was set, or the step was dropped); an exception the step raised
// reaches the caller.
bool Synchronize(const void* owner, const std::function<void()>& step, const std::atomic<bool>* abandon = nullptr);
// Queues step for the user-interface thread without waiting.
void Queue(const void* owner, std::function<void()> step, const std::atomic<bool>* abandon = nullptr);
// Drops the owner's steps that have not started; their waiters return false.
void RemoveQueued(const void* owner);
// On the user-interface thread: waits up to timeoutMs for a step when none is
// queued, then runs the steps queued so far. False when none ran, and always
// on any other thread.
bool CheckSynchronize(int timeoutMs = 0);
// True on the user-interface thread: the thread that started the program.
bool InMainThread();
// Called (from any thread) whenever a step is queued; empty to remove it.
// Once SetWakeMainThread returns, the old wake-up is no longer running.
void SetWakeMainThread(std::function<void()> wake);
