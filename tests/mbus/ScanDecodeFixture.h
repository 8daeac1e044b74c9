// The Scan & Decode window against the fake gateway in virtual time: the test thread is the
// user-interface thread, each turn of the engine handles the queued reports and timers, and the
// clock moves on only once every datagram in flight has arrived.
#pragma once

#include "MBusWindowTest.h"
#include "SimulatedLine.h"
#include "mbus/SlaveLists.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"
#include "support/SteppedClock.h"

#include <functional>
#include <memory>
#include <optional>

class TScanDecodeTest : public TMBusWindowTest {
protected:
  explicit TScanDecodeTest(const std::string& gatewayAddress = "127.0.0.1", std::string localAddress = "")
      : Gateway(gatewayAddress), Local_Address(std::move(localAddress)) {}

  void SetUp() override {
    TMBusWindowTest::SetUp();
    List_Slave_MBus().Clear();
    List_Slave_wMBus().Clear();
    FInsertKeyWireless = NewForm<TFInsertKeyWireless>(nullptr);
    FScanModbusStart = NewForm<TFScanModbusStart>(nullptr);
    FModbusStartAdd_SD = NewForm<TFModbusStartAdd_SD>(nullptr);
    Form.reset(NewForm<TFScanDecode>(nullptr));
    Form->Use_Endpoints({Gateway.Port(), Local_Address});
    Form->FileName_MBus = FileName_M_Bus;
    // Only now: an engine that sleeps on the stepped clock could not be replaced.
    Scope.emplace(Clock);
  }
  void TearDown() override {
    Clock.Release();
    if (Form && Form->Visible()) Form->Hide();
    Form.reset();
    for (TForm* f : std::initializer_list<TForm*>{FInsertKeyWireless, FScanModbusStart, FModbusStartAdd_SD})
      if (f) f->Free();
    List_Slave_MBus().Clear();
    List_Slave_wMBus().Clear();
    TMBusWindowTest::TearDown();
  }

  // Shows the window with the gateway's address in the boxes.
  void Open(int formType = 0) {
    Form->Form_Type = formType;
    Form->Show();
    const std::string ip = Gateway.Address();
    std::size_t from = 0;
    for (TEdit* box : {Form->E_IP1, Form->E_IP2, Form->E_IP3, Form->E_IP4}) {
      const std::size_t dot = ip.find('.', from);
      box->SetText(ip.substr(from, dot - from));
      from = dot + 1;
    }
  }
  TMBusScanDecode& Engine() { return *Form->TR_ScanDecode; }
  bool Settle() {
    return Clock.Settle(1, [&] {
      return Engine().Datagrams_Sent() == Gateway.Received() &&
             Gateway.Sent() == Engine().Datagrams_Received();
    });
  }
  // Turn by turn, handling the window's messages, until `done` holds.
  bool Run_Until(const std::function<bool()>& done, int turns = 400000) {
    for (int i = 0; i < turns; ++i) {
      if (!Settle()) return false;
      Application->ProcessMessages();
      if (done()) return true;
      if (!Settle()) return false;
      Clock.AdvanceToNextWake();
    }
    return false;
  }
  bool Run_To_Face(int face) {
    return Run_Until([&] { return Form->Face() == face; });
  }

  TSteppedClock Clock;
  std::optional<TScopedClock> Scope;
  TFakeGateway Gateway;
  std::string Local_Address;
  TOwned<TFScanDecode> Form;
};
