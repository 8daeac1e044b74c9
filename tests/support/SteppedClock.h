// A program clock for tests of threads that wait on it: SleepMs blocks until the test moves the
// time on, so a test runs another thread's turns one by one in virtual time, never sleeping.
#pragma once

#include "platform/Clock.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

class TSteppedClock : public TClock {
public:
  std::int64_t NowMs() override {
    std::lock_guard lock(Mutex);
    return Now;
  }
  double LocalNow() override { return Local; }
  void SleepMs(std::int64_t ms) override {
    std::unique_lock lock(Mutex);
    const std::int64_t target = Now + (ms > 0 ? ms : 0);
    if (Released) {
      Now = target;
      return;
    }
    const auto it = Wakes.insert(target);
    Condition.notify_all();
    Condition.wait(lock, [&] { return Now >= target || Released; });
    Wakes.erase(it);
    Condition.notify_all();
  }

  // Waits (in real time, at most `limit`) until `sleepers` threads sleep with their wake-up still
  // ahead and `quiet` holds; false when that does not happen.
  bool Settle(int sleepers, const std::function<bool()>& quiet = {},
              std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
      {
        std::lock_guard lock(Mutex);
        const bool asleep =
            static_cast<int>(Wakes.size()) == sleepers && (Wakes.empty() || *Wakes.begin() > Now);
        if (asleep && (!quiet || quiet())) return true;
      }
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::yield();
    }
  }
  // Moves the time to the earliest wake-up; false when no thread sleeps.
  bool AdvanceToNextWake() {
    std::lock_guard lock(Mutex);
    if (Wakes.empty()) return false;
    Now = *Wakes.begin();
    Condition.notify_all();
    return true;
  }
  // From now on sleeping only moves the time (for ending the threads).
  void Release() {
    std::lock_guard lock(Mutex);
    Released = true;
    Condition.notify_all();
  }

  double Local = 46095.5;

private:
  std::mutex Mutex;
  std::condition_variable Condition;
  std::int64_t Now = 1000;
  std::multiset<std::int64_t> Wakes;
  bool Released = false;
};
