// TBusyCursor: the application-wide hourglass for the life of a scope, so a
// long command shows it and the normal cursor comes back on every way out,
// a failure included.
#pragma once

#include <QCursor>
#include <QGuiApplication>

class TBusyCursor {
public:
  TBusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};
