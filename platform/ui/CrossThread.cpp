#include "platform/ui/CrossThread.h"

#include "platform/ui/Application.h"
#include "platform/ui/QtBridge.h"

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {

struct TSent {
  std::uint64_t Id;
  unsigned Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result = 0;
  bool Done = false;
};

struct TSentQueue {
  std::mutex Lock;
  std::condition_variable Finished;
  std::deque<std::shared_ptr<TSent>> Waiting;
  // Waiting's size, kept under Lock: every destroyed control asks, and nearly always none waits.
  // A sender queues before it checks that its control lives, and a control leaves the live ones
  // before it asks, so a message queued for it is either seen here or dropped by its sender.
  std::atomic<std::size_t> Count{0};
};

TSentQueue& Queue() {
  static auto* q = new TSentQueue;
  return *q;
}

void Finish(TSent& s, LRESULT result) {
  std::lock_guard lock(Queue().Lock);
  s.Result = result;
  s.Done = true;
  Queue().Finished.notify_all();
}

} // namespace

bool OnUiThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

LRESULT SendFromOtherThread(std::uint64_t controlId, unsigned msg, WPARAM wParam, LPARAM lParam) {
  auto sent = std::make_shared<TSent>(TSent{controlId, msg, wParam, lParam});
  TSentQueue& q = Queue();
  {
    std::lock_guard lock(q.Lock);
    q.Waiting.push_back(sent);
    q.Count = q.Waiting.size();
  }
  if (!IsLiveControl(controlId)) {
    DropSentMessages(controlId);
  } else if (QCoreApplication* app = QCoreApplication::instance()) {
    QMetaObject::invokeMethod(
        app, [] { DeliverSentMessages(); }, Qt::QueuedConnection);
  }
  std::unique_lock lock(q.Lock);
  q.Finished.wait(lock, [&] { return sent->Done; });
  return sent->Result;
}

bool DeliverSentMessages() {
  bool any = false;
  for (;;) {
    std::shared_ptr<TSent> s;
    {
      std::lock_guard lock(Queue().Lock);
      if (Queue().Waiting.empty()) break;
      s = Queue().Waiting.front();
      Queue().Waiting.pop_front();
      Queue().Count = Queue().Waiting.size();
    }
    any = true;
    LRESULT result = 0;
    // The control may go while the message waits; the sender then gets 0.
    if (TControl* target = LiveControl(s->Id)) result = target->Perform(s->Msg, s->WParam, s->LParam);
    Finish(*s, result);
  }
  return any;
}

int PendingSentMessages() {
  std::lock_guard lock(Queue().Lock);
  return static_cast<int>(Queue().Waiting.size());
}

void DropSentMessages(std::uint64_t controlId) {
  if (Queue().Count == 0) return;
  std::lock_guard lock(Queue().Lock);
  auto& waiting = Queue().Waiting;
  bool dropped = false;
  for (auto it = waiting.begin(); it != waiting.end();) {
    if ((*it)->Id == controlId) {
      (*it)->Result = 0;
      (*it)->Done = true;
      it = waiting.erase(it);
      dropped = true;
    } else {
      ++it;
    }
  }
  // Every destroyed control passes here; only a dropped message has a sender to wake.
  if (!dropped) return;
  Queue().Count = waiting.size();
  Queue().Finished.notify_all();
}
