// The program clock replaced by a fake one for as long as this lives; Advance moves it on and
// fires the timers that fell due, so timer tests never sleep.
#pragma once

#include "platform/Clock.h"
#include "platform/ui/Application.h"

#include <cstdint>

class TFakeTimers {
public:
  explicit TFakeTimers(std::int64_t startMs) { Fake.Now = startMs; }
  void Advance(std::int64_t ms) {
    Fake.Advance(ms);
    Application->ProcessTimers();
  }

private:
  TFakeClock Fake;
  TScopedClock Scope{Fake};
};
