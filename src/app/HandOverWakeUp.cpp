#include "HandOverWakeUp.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "HandOver.h"

THandOverWakeUp::THandOverWakeUp(QCoreApplication& application) {
  // Posting an event is safe from any thread; the step runs in the loop.
  SetWakeMainThread([&application] {
    QMetaObject::invokeMethod(&application, [] { CheckSynchronize(); }, Qt::QueuedConnection);
  });
}

THandOverWakeUp::~THandOverWakeUp() { SetWakeMainThread(nullptr); }
