#include "platform/Clock.h"

#include <chrono>
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

TClock& Clock() { return Current ? *Current : SteadyClock; }

void SetClock(TClock* clock) { Current = clock; }
