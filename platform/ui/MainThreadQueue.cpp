#include "platform/ui/MainThreadQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <deque>
#include <mutex>

namespace {

// Never destroyed: calls may still be queued while the program ends.
std::mutex& QueueMutex() {
  static auto* m = new std::mutex;
  return *m;
}
std::deque<std::function<void()>>& Queue() {
  static auto* q = new std::deque<std::function<void()>>;
  return *q;
}

void Drain() {
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard lock(QueueMutex());
      if (Queue().empty()) return;
      call = std::move(Queue().front());
      Queue().pop_front();
    }
    call();
  }
}

} // namespace

void QueueOnMainThread(std::function<void()> call) {
  {
    std::lock_guard lock(QueueMutex());
    Queue().push_back(std::move(call));
  }
  // Without an application yet the call waits for the next one queued after it exists.
  if (QCoreApplication* app = QCoreApplication::instance())
    QMetaObject::invokeMethod(
        app, [] { Drain(); }, Qt::QueuedConnection);
}
