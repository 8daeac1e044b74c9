#include "ScanFixture.h"

#include <dirent.h>

namespace {

int Thread_Count() {
  int n = 0;
  if (DIR* d = ::opendir("/proc/self/task")) {
    while (const dirent* e = ::readdir(d))
      if (e->d_name[0] != '.') ++n;
    ::closedir(d);
  }
  return n;
}

TEST(ScanEngine, ShutdownDuringAScanJoinsEveryThread) {
  // A first thread lets runtimes that keep a helper thread (sanitizers) start it now.
  std::thread([] {}).join();
  const int before = Thread_Count();
  {
    TScanFixture f;
    f.Gateway.SetScript([](const TGatewayBytes&) { return std::vector<TGatewayReply>{}; });
    ASSERT_TRUE(f.Engine->Start_Scan(f.Wired(), f.Record()));
    ASSERT_TRUE(f.Run_To_Step(1));
    EXPECT_GT(Thread_Count(), before);
  }
  EXPECT_EQ(Thread_Count(), before);
}

TEST(ScanEngine, ClosedGateHoldsTheEngineAndReopeningGoesOn) {
  TScanFixture f;
  f.Gateway.SetScript([](const TGatewayBytes&) { return std::vector<TGatewayReply>{}; });
  ASSERT_TRUE(f.Engine->Start_Scan(f.Wired(), f.Record()));
  ASSERT_TRUE(f.Run_To_Step(1));
  f.Engine->Close_Gate();
  f.Engine->Abort_Scan();
  // One more turn: then the engine waits at its gate, asleep on no clock.
  f.Clock.AdvanceToNextWake();
  EXPECT_TRUE(f.Clock.Settle(0));
  EXPECT_TRUE(f.Engine->InScan());
  f.Engine->Open_Gate();
  ASSERT_TRUE(f.Run_To_End());
  EXPECT_EQ(f.Engine->Step(), 203);
}

TEST(ScanEngine, ANotificationThatThrowsIsDropped) {
  TScanFixture f;
  f.Gateway.SetScript([](const TGatewayBytes& r) {
    const std::string text(r.begin(), r.end());
    if (text == "Ormida_Enable_Analyzer_Mode")
      return std::vector<TGatewayReply>{{Bytes_Of("\n\rAnalyzer_Mode Enabled!\n\r")}};
    if (text.starts_with("Ormida_S_M:")) return std::vector<TGatewayReply>{{Bytes_Of("\n\rDone!")}};
    return std::vector<TGatewayReply>{};
  });
  int calls = 0;
  ASSERT_TRUE(f.Engine->Start_Scan(f.Wired(), [&](int, int, int, int) {
    ++calls;
    throw std::runtime_error("window gone");
  }));
  ASSERT_TRUE(f.Run_Until([&] { return f.Engine->Step() == 10; }));
  ASSERT_TRUE(f.Run_Until([&] { return f.Engine->Step() == 4; }));
  EXPECT_NO_THROW(f.Ui.Run());
  EXPECT_EQ(calls, 2);
  f.Engine->Abort_Scan();
  ASSERT_TRUE(f.Run_To_End());
}

} // namespace
