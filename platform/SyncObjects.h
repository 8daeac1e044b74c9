// Waiting between threads: an auto-reset and a manual-reset event. Plain locks are std::mutex and
// std::condition_variable; waits with a time-out run on the program clock (platform/Clock).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Signalled by SetEvent; a wait that sees it signalled takes the signal (the event resets), so
// one waiter wakes per signal. A signal given while no one waits is kept for the next waiter.
class TAutoResetEvent {
public:
  explicit TAutoResetEvent(bool initiallySignalled = false) : FSignalled(initiallySignalled) {}
  void SetEvent();
  void ResetEvent();
  // Waits without a time-out.
  void WaitFor();
  // Waits until signalled or until `timeoutMs` have passed on the program clock; true when signalled.
  bool WaitFor(std::int64_t timeoutMs);

private:
  std::mutex FMutex;
  std::condition_variable FCondition;
  bool FSignalled;
};

// Stays signalled until reset; every waiter passes while it is set.
class TManualResetEvent {
public:
  explicit TManualResetEvent(bool initiallySignalled = false) : FSignalled(initiallySignalled) {}
  void SetEvent();
  void ResetEvent();
  bool IsSet();
  // Waits without a time-out.
  void WaitFor();

private:
  std::mutex FMutex;
  std::condition_variable FCondition;
  bool FSignalled;
};
