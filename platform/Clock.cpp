#include "platform/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace {

class TSteadyClock : public TClock {
public:
  std::int64_t NowMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  void SleepMs(std::int64_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

TSteadyClock SteadyClock;
TClock* Current = nullptr;

} // namespace

double TClock::LocalNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  // Days from 1899-12-30 to 1970-01-01 are 25569; timegm turns the local fields into a day count.
  const double days = static_cast<double>(timegm(&local) / 86400) + 25569.0;
  const double time = (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + ms / 1000.0) / 86400.0;
  return days + time;
}

TClock& Clock() {
  return Current ? *Current : SteadyClock;
}

void SetClock(TClock* clock) {
  Current = clock;
}
