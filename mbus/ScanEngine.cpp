#include "mbus/ScanEngine.h"

#include "app/SerialPorts.h"
#include "mbus/GatewayProtocol.h"
#include "platform/Clock.h"
#include "platform/ui/MainThreadQueue.h"

#include <algorithm>

namespace {

// "COMn", also as "\\.\COMn", names the n-th serial device of the machine; any other name is a path.
std::string Serial_Device(const std::string& name) {
  std::string_view n = name;
  if (n.starts_with("\\\\.\\")) n.remove_prefix(4);
  if (n.size() > 3 && n.size() <= 8 && (n.substr(0, 3) == "COM" || n.substr(0, 3) == "com") &&
      n.find_first_not_of("0123456789", 3) == std::string_view::npos) {
    const std::string device = COM_Port_Device(std::stoi(std::string(n.substr(3))));
    if (!device.empty()) return device;
  }
  return name;
}

} // namespace

TMBusScanDecode::TMBusScanDecode(TDispatcher dispatcher, TScanEndpoints endpoints)
    : Dispatch(dispatcher ? std::move(dispatcher) : TDispatcher(QueueOnMainThread)),
      Endpoints(std::move(endpoints)), UDP_Server(8192) {
  UDP_Server.SetOnRead([this](const TUdpDatagram& d) { UDPRead(d); });
  Comm.SetBaudRate(br115200);
  Comm.SetDatabits(da8);
  Comm.SetFlowControl(fcNone);
  Comm.SetParity(paNone);
  Comm.SetStopbits(sb10);
  Comm.SetReadBufSize(4096);
  Comm.SetWriteBufSize(4096);
  Comm.SetDispatcher(Dispatch);
  Comm.OnRxChar = [](TCustomComm&, int) {}; // answers never come back over the serial transport
}

TMBusScanDecode::~TMBusScanDecode() {
  FExit.store(true);
  Event_Run.SetEvent();
  WaitFor();
  UDP_Server.Deactivate();
  Comm.Close();
}

void TMBusScanDecode::Execute() {
  NameThreadForDebugging("MBusScanDecode");
  while (!FExit.load()) {
    // The gate first: a closed engine (its window never shown) does not touch the clock.
    Event_Run.WaitFor();
    if (FExit.load()) break;
    if (InScan()) {
      {
        std::lock_guard lock(Step_Mutex);
        if (MBusType.load() == TMBusType::mtWireless)
          Scan_Decode_Wireless();
        else
          Scan_Decode();
      }
      Clock().SleepMs(Turn_Scanning);
    } else {
      Clock().SleepMs(Turn_Idle);
    }
  }
}

bool TMBusScanDecode::Start_Scan(const TWiredScanSettings& s, TSlaveListProc proc) {
  if (InScan()) return false;
  // The scan before this one has ended its last step, so the engine thread leaves these alone now.
  if (s.SelHard == TSelectHard::shSerial) {
    Comm.SetDeviceName(Serial_Device(s.IP_COM));
    Comm.Open(); // its error reaches the caller with nothing changed
  } else {
    std::lock_guard lock(Mailbox_Mutex);
    Expected_From = {s.IP_COM, Endpoints.Wired_Gateway_Port};
  }
  Update_Slave_List = std::move(proc);
  MBusType.store(TMBusType::mtWired);
  ScanType = s.ScanT;
  Select_Hardware = s.SelHard;
  IP_Address.clear();
  ComPort.clear();
  (s.SelHard == TSelectHard::shEthernet ? IP_Address : ComPort) = s.IP_COM;
  Baudrate = s.Baud > 0 ? s.Baud : 2400;
  Parity = s.Par;
  App_Reset = s.AppReset;
  SND_NKE = s.SNDNKE;
  Cut_After = s.CutAfter;
  Fix_C_Field = s.FixCField;
  Fix_C_Field_Value = s.FixCFieldValue;
  Add_TimeOut = s.RemoteTimeout ? Remote_Scan_Extra : 0;
  if (s.SelHard == TSelectHard::shEthernet) {
    UDP_Server.Deactivate(); // a scan cut short may have left it active, bound elsewhere
    UDP_Server.Bindings().clear();
    if (!Endpoints.Local_Address.empty()) UDP_Server.Bindings().push_back({Endpoints.Local_Address, 0});
    UDP_Server.Activate();
  }
  Step_Scan.store(0);
  FStopScan.store(false);
  FAbortScan.store(false);
  FInScan.store(true, std::memory_order_release);
  return true;
}

bool TMBusScanDecode::Start_Scan_Wireless(const TWirelessScanSettings& s, TWirelessProc proc) {
  // Port 0 would let the system choose a port that the gateway never hears of.
  if (InScan() || s.Port == 0) return false;
  if (s.SelHard == TSelectHard::shEthernet) {
    const TUdpEndpoint local{Endpoints.Local_Address, s.Port};
    const auto& b = UDP_Server.Bindings();
    if (std::none_of(b.begin(), b.end(), [&](const TUdpEndpoint& e) { return e.Port == s.Port; }) ||
        !UDP_Server.Active() || b.front() != local) {
      UDP_Server.Deactivate();
      UDP_Server.Bindings() = {local};
    }
  }
  {
    std::lock_guard lock(Mailbox_Mutex);
    Expected_From = {s.IP_COM, s.Port};
    Answer_Arrived = false;
  }
  if (s.SelHard == TSelectHard::shEthernet && !UDP_Server.Active() && !UDP_Server.Activate()) return false;
  {
    std::lock_guard lock(Mailbox_Mutex);
    UpdateListWirelessSlave = std::move(proc);
  }
  MBusType.store(TMBusType::mtWireless);
  Select_Hardware = s.SelHard;
  IP_Address = s.IP_COM;
  wMBusMode = s.wMBus_Mode;
  wMBusRadioChannel = s.wMBus_Radio_Channel;
  Port_Wireless = s.Port;
  Add_TimeOut = s.RemoteTimeout ? Remote_Scan_Extra : 0;
  Wireless_Receive_Message.store(false);
  From_DLL.store(s.FromDLL);
  Step_Scan.store(0);
  FStopScan.store(false);
  FAbortScan.store(false);
  FInScan.store(true, std::memory_order_release);
  return true;
}

bool TMBusScanDecode::Abort_And_Wait(std::int64_t timeoutMs) {
  Abort_Scan();
  const bool gateWasOpen = Event_Run.IsSet();
  Open_Gate();
  const bool ended = Wait_For_End(timeoutMs);
  if (!gateWasOpen) Event_Run.ResetEvent();
  return ended;
}

bool TMBusScanDecode::Wait_For_End(std::int64_t timeoutMs) {
  const std::int64_t deadline = Clock().NowMs() + timeoutMs;
  std::unique_lock lock(End_Mutex);
  while (InScan() && Clock().NowMs() < deadline)
    // The program clock may be replaced and move without real time passing: look again now and then.
    End_Condition.wait_for(lock, std::chrono::milliseconds(5));
  return !InScan();
}

bool TMBusScanDecode::Insert_Wireless_Key(int index, const Aes128Key& key) {
  std::lock_guard stepLock(Step_Mutex);
  return List_Slave_wMBus().Locked([&](std::vector<TSlave_wMBus>& slaves) {
    if (index < 0 || static_cast<std::size_t>(index) >= slaves.size()) return false;
    TSlave_wMBus& device = slaves[static_cast<std::size_t>(index)];
    bool refused = false;
    if (RadioModule.load() == TRadioModule::rmRadioCrafts && device.RadioCrafts_Ind_Tab_Decript <= 0) {
      if (Index_RadioCrafts_Position_Used <= RadioCrafts_Table_Entries)
        device.RadioCrafts_Ind_Tab_Decript = Index_RadioCrafts_Position_Used++;
      else
        refused = true;
    }
    if (refused) return false;
    const int step = Step_Scan.load();
    if (!InScan() || (step != 134 && step != 320)) return false;
    // Only a download that starts takes the device and key: one asked for meanwhile would
    // otherwise change the device of the download under way.
    Wireless_Key = key;
    Wireless_Key_Index = index;
    device.Enable_Key = true;
    device.Key = key;
    Step_Scan.store(step == 134 ? 200 : 400);
    return true;
  });
}

void TMBusScanDecode::Set_Result_File(std::string path, TResultFileWriter writer) {
  std::lock_guard lock(Step_Mutex);
  SaveXMLFile = std::move(path);
  Result_Writer = std::move(writer);
}

// ---- transport

void TMBusScanDecode::Send_Bytes(std::span<const std::uint8_t> bytes, std::uint16_t port) {
  {
    std::lock_guard lock(Mailbox_Mutex);
    Answer_Arrived = false;
  }
  if (Select_Hardware == TSelectHard::shSerial) {
    try {
      if (Comm.Enabled()) Comm.Write(bytes.data(), static_cast<int>(bytes.size()));
    } catch (const ECommError&) {
      // A request that could not be written is one that got no answer.
    }
  } else if (UDP_Server.SendTo(IP_Address, port, bytes)) {
    Sent.fetch_add(1);
  }
  Start_Send = Clock().NowMs();
}

void TMBusScanDecode::Send_Command(std::string_view cmd, std::uint16_t port) {
  std::vector<std::uint8_t> bytes;
  for (char c : cmd)
    bytes.push_back(static_cast<std::uint8_t>(c) & 0x7F);
  Send_Bytes(bytes, port);
}

void TMBusScanDecode::Send_Command(std::uint16_t port) {
  Send_Bytes(Req_Array, port);
}

bool TMBusScanDecode::Check_TimeOut() const {
  return Timed_Out(Clock().NowMs(), Start_Send, TimeOut_Calc);
}

std::optional<std::vector<std::uint8_t>> TMBusScanDecode::Answer() const {
  std::lock_guard lock(Mailbox_Mutex);
  if (!Answer_Arrived) return std::nullopt;
  return std::vector<std::uint8_t>(Ans_Array.begin(),
                                   Ans_Array.begin() + static_cast<std::ptrdiff_t>(Ans_Len));
}

void TMBusScanDecode::UDPRead(const TUdpDatagram& d) {
  // Counted once handled, so whoever sees the count sees what the datagram did.
  struct TCount {
    std::atomic<std::uint64_t>& Counter;
    ~TCount() { Counter.fetch_add(1); }
  } count{Received};
  if (d.Oversized || d.Data.size() > Mailbox_Size) {
    Oversized.fetch_add(1);
    return;
  }
  std::unique_lock lock(Mailbox_Mutex);
  if (d.From != Expected_From) {
    Foreign.fetch_add(1);
    return;
  }
  if (MBusType.load() == TMBusType::mtWireless && Wireless_Receive_Message.load()) {
    const TWirelessProc proc = UpdateListWirelessSlave;
    lock.unlock();
    const TRadioModule module = RadioModule.load();
    const std::size_t expected = d.Data.empty() ? 0 : d.Data[0] + (module == TRadioModule::rmTelit ? 3u : 1u);
    if (d.Data.empty() || d.Data.size() != expected) return;
    Decode_Wireless_Telegram(d.Data, module, List_Slave_wMBus(), [&](int index, const TSlave_wMBus& device) {
      if (proc) Notify_Wireless(index, device);
    });
    return;
  }
  std::copy(d.Data.begin(), d.Data.end(), Ans_Array.begin());
  Ans_Len = d.Data.size();
  Answer_Arrived = true;
}

void TMBusScanDecode::Notify(int kind, int value, int found, int scanKind) {
  if (!Update_Slave_List) return;
  Dispatch([proc = Update_Slave_List, kind, value, found, scanKind] {
    try {
      proc(kind, value, found, scanKind);
    } catch (...) {
      // The window's trouble must not end the scan.
    }
  });
}

void TMBusScanDecode::Notify_Wireless(int index, const TSlave_wMBus& device) {
  TWirelessProc proc;
  {
    std::lock_guard lock(Mailbox_Mutex);
    proc = UpdateListWirelessSlave;
  }
  if (!proc) return;
  std::optional<TSlave_wMBus> copy;
  if (!From_DLL.load()) copy = device;
  Dispatch([proc, index, copy = std::move(copy)] { proc(index, copy); });
}
