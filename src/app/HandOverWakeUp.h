// THandOverWakeUp: while it lives, every step that a painter thread hands
// over to the user-interface thread wakes the Qt event loop: an event is
// posted to the application, and its handler runs the queued steps
// (CheckSynchronize). The program and the GUI tests make one right after
// their QApplication.
#pragma once

class QCoreApplication;

class THandOverWakeUp {
public:
  explicit THandOverWakeUp(QCoreApplication& application);
  // Once it returns, no wake-up is running or will run.
  ~THandOverWakeUp();
  THandOverWakeUp(const THandOverWakeUp&) = delete;
  THandOverWakeUp& operator=(const THandOverWakeUp&) = delete;
};
