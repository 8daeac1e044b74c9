// The one clock behind timers, time-outs and waits, so tests never sleep for real.
#pragma once

#include <cstdint>
#include <memory>

class TClock {
public:
  virtual ~TClock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual std::int64_t NowMs() = 0;
  // Waits `ms` milliseconds (a fake clock advances instead).
  virtual void SleepMs(std::int64_t ms) = 0;
  // Local wall-clock time as days since 30 December 1899, the fraction being the time of day.
  virtual double LocalNow();
};

// The clock in use: the real steady clock unless a test replaced it.
TClock& Clock();
// Replaces the clock; nullptr restores the real one.
void SetClock(TClock* clock);

// A clock that only moves when told; sleeping advances it.
class TFakeClock : public TClock {
public:
  std::int64_t NowMs() override { return Now; }
  void SleepMs(std::int64_t ms) override { Now += ms > 0 ? ms : 0; }
  void Advance(std::int64_t ms) { Now += ms; }
  double LocalNow() override { return Local; }
  std::int64_t Now = 0;
  double Local = 0; // the wall-clock time it reports
};

// Installs a clock for the lifetime of a scope.
class TScopedClock {
public:
  explicit TScopedClock(TClock& clock) { SetClock(&clock); }
  ~TScopedClock() { SetClock(nullptr); }
  TScopedClock(const TScopedClock&) = delete;
  TScopedClock& operator=(const TScopedClock&) = delete;
};
