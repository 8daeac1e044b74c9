// Timers run on the program clock: a fake clock moves them, nothing sleeps.
#include "support/UiTestFixture.h"

#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/ExtCtrls.h"

#include <memory>
#include <string>
#include <vector>

namespace {

class TimerTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Fake.Now = 1'000'000;
    Scope = std::make_unique<TScopedClock>(Fake);
    Owner = std::make_unique<TComponent>(nullptr);
  }
  void TearDown() override {
    Owner.reset();
    Scope.reset();
    TUiTest::TearDown();
  }
  TTimer* MakeTimer(unsigned interval, std::vector<std::string>& log, const std::string& name) {
    auto* t = new TTimer(Owner.get());
    t->SetInterval(interval);
    t->OnTimer = [&log, name](TObject*) { log.push_back(name); };
    return t;
  }
  void Advance(std::int64_t ms) {
    Fake.Advance(ms);
    Application->ProcessTimers();
  }

  TFakeClock Fake;
  std::unique_ptr<TScopedClock> Scope;
  std::unique_ptr<TComponent> Owner;
};

TEST_F(TimerTest, FiresWhenTheClockPassesItsDueTimeAndOncePerLateStep) {
  std::vector<std::string> log;
  MakeTimer(1000, log, "t");
  Advance(999);
  EXPECT_TRUE(log.empty());
  Advance(1);
  EXPECT_EQ(log.size(), 1u);
  Advance(5000); // five intervals late: one tick, as the message loop would give
  EXPECT_EQ(log.size(), 2u);
  Advance(999);
  EXPECT_EQ(log.size(), 2u) << "the next tick counts from the late one";
  Advance(1);
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(TimerTest, EnablingRestartsTheCountButEnablingAnEnabledTimerChangesNothing) {
  std::vector<std::string> log;
  TTimer* t = MakeTimer(60000, log, "t");
  t->SetEnabled(false);
  Advance(120000);
  EXPECT_TRUE(log.empty()) << "a disabled timer never fires";
  t->SetEnabled(true);
  Advance(30000);
  t->SetEnabled(true);
  Advance(30000);
  EXPECT_EQ(log.size(), 1u) << "enabling again did not restart the count";
  t->SetInterval(0);
  Advance(1'000'000);
  EXPECT_EQ(log.size(), 1u) << "interval 0 never fires";
}

TEST_F(TimerTest, AHandlerCanChangeTheIntervalForTheNextTicks) {
  // First after a minute, then every two hours, as a version check would run.
  std::vector<std::string> log;
  TTimer* t = MakeTimer(60000, log, "check");
  t->OnTimer = [&](TObject*) {
    t->SetEnabled(false);
    log.push_back("check");
    t->SetInterval(7'200'000);
    t->SetEnabled(true);
  };
  Advance(60000);
  EXPECT_EQ(log.size(), 1u);
  Advance(7'199'999);
  EXPECT_EQ(log.size(), 1u);
  Advance(1);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(TimerTest, TimersFireInDueOrderAndADestroyedTimerIsSkipped) {
  std::vector<std::string> log;
  TTimer* late = MakeTimer(300, log, "late");
  MakeTimer(100, log, "early");
  TTimer* victim = MakeTimer(200, log, "victim");
  late->OnTimer = [&](TObject*) { log.push_back("late"); };
  // The first timer due destroys another one that is due in the same step.
  auto* killer = MakeTimer(50, log, "killer");
  killer->OnTimer = [&](TObject*) {
    log.push_back("killer");
    if (victim) {
      victim->Free();
      victim = nullptr;
    }
  };
  Advance(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"killer", "early", "late"}));
}

TEST_F(TimerTest, ProcessMessagesAlsoFiresDueTimers) {
  std::vector<std::string> log;
  MakeTimer(10, log, "t");
  Fake.Advance(10);
  Application->ProcessMessages();
  EXPECT_EQ(log.size(), 1u);
}

} // namespace
