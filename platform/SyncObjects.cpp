#include "platform/SyncObjects.h"

#include "platform/Clock.h"

#include <algorithm>
#include <chrono>

void TAutoResetEvent::SetEvent() {
  {
    std::lock_guard lock(FMutex);
    FSignalled = true;
  }
  FCondition.notify_one();
}

void TAutoResetEvent::ResetEvent() {
  std::lock_guard lock(FMutex);
  FSignalled = false;
}

void TAutoResetEvent::WaitFor() {
  std::unique_lock lock(FMutex);
  FCondition.wait(lock, [this] { return FSignalled; });
  FSignalled = false;
}

bool TAutoResetEvent::WaitFor(std::int64_t timeoutMs) {
  const std::int64_t deadline = Clock().NowMs() + std::max<std::int64_t>(timeoutMs, 0);
  std::unique_lock lock(FMutex);
  while (!FSignalled) {
    const std::int64_t left = deadline - Clock().NowMs();
    if (left <= 0) return false;
    // A replaced clock may move without real time passing, so look at it again now and then.
    FCondition.wait_for(lock, std::chrono::milliseconds(std::min<std::int64_t>(left, 10)));
  }
  FSignalled = false;
  return true;
}

void TManualResetEvent::SetEvent() {
  {
    std::lock_guard lock(FMutex);
    FSignalled = true;
  }
  FCondition.notify_all();
}

void TManualResetEvent::ResetEvent() {
  std::lock_guard lock(FMutex);
  FSignalled = false;
}

bool TManualResetEvent::IsSet() {
  std::lock_guard lock(FMutex);
  return FSignalled;
}

void TManualResetEvent::WaitFor() {
  std::unique_lock lock(FMutex);
  FCondition.wait(lock, [this] { return FSignalled; });
}
