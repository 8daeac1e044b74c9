// The scan engine against a fake gateway on the loopback interface, in virtual time: every turn of
// the engine waits for the test, which moves the clock on only once every datagram in flight has
// arrived, so each run goes the same way.
#pragma once

#include "MBusTestSupport.h"
#include "mbus/ScanEngine.h"
#include "support/FakeGateway.h"
#include "support/SteppedClock.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <thread>
#include <tuple>

// Stands for the user-interface thread: queued calls run when the test says so, on its thread.
class TTestDispatcher {
public:
  TDispatcher Dispatcher() {
    return [this](std::function<void()> call) {
      std::lock_guard lock(Mutex);
      Queue.push_back(std::move(call));
    };
  }
  int Run() {
    int n = 0;
    for (;;) {
      std::function<void()> call;
      {
        std::lock_guard lock(Mutex);
        if (Queue.empty()) return n;
        call = std::move(Queue.front());
        Queue.pop_front();
      }
      call();
      ++n;
    }
  }

private:
  std::mutex Mutex;
  std::deque<std::function<void()>> Queue;
};

using TNotification = std::tuple<int, int, int, int>;

class TScanFixture {
public:
  // With `openGate` false the engine is left as its window makes it: its gate never opened.
  explicit TScanFixture(const std::string& gatewayAddress = "127.0.0.1", std::uint16_t gatewayPort = 0,
                        const std::string& localAddress = "", bool openGate = true)
      : Gateway(gatewayAddress, gatewayPort) {
    List_Slave_MBus().Clear();
    List_Slave_wMBus().Clear();
    Engine = std::make_unique<TMBusScanDecode>(Ui.Dispatcher(), TScanEndpoints{Gateway.Port(), localAddress});
    if (openGate) Engine->Open_Gate();
  }
  ~TScanFixture() {
    Clock.Release();
    Engine.reset();
  }

  // The engine asleep and every datagram sent has arrived.
  bool Settle() {
    return Clock.Settle(1, [&] {
      return Engine->Datagrams_Sent() == Gateway.Received() && Gateway.Sent() == Engine->Datagrams_Received();
    });
  }
  // Turn by turn until `done` holds; false when it never does or the engine stops settling.
  bool Run_Until(const std::function<bool()>& done, int turns = 400000) {
    for (int i = 0; i < turns; ++i) {
      if (!Settle()) return false;
      if (done()) return true;
      // `done` may have sent something: it arrives before the time moves on.
      if (!Settle()) return false;
      Clock.AdvanceToNextWake();
    }
    return false;
  }
  bool Run_To_End() {
    return Run_Until([&] { return !Engine->InScan(); });
  }
  bool Run_To_Step(int step) {
    return Run_Until([&] { return Engine->Step() == step; });
  }

  TWiredScanSettings Wired(TScanType type = TScanType::saPrimaryAddress) const {
    TWiredScanSettings s;
    s.ScanT = type;
    s.IP_COM = Gateway.Address();
    return s;
  }
  TSlaveListProc Record() {
    return [this](int kind, int value, int found, int scanKind) {
      EXPECT_EQ(std::this_thread::get_id(), TestThread);
      Notifications.emplace_back(kind, value, found, scanKind);
    };
  }

  TSteppedClock Clock;
  TScopedClock Scope{Clock};
  TFakeGateway Gateway;
  TTestDispatcher Ui;
  std::unique_ptr<TMBusScanDecode> Engine;
  std::vector<TNotification> Notifications;
  const std::thread::id TestThread = std::this_thread::get_id();
};
