// The scan engine: a thread that drives a gateway over UDP (or writes to a serial port), reads the
// wired meters or listens to the radio, loads keys into the radio module and fills the program's
// two slave lists. The window starts, stops and aborts scans; progress comes back as notifications
// queued to the user-interface thread.
#pragma once

#include "mbus/Aes128.h"
#include "mbus/DataRecords.h"
#include "mbus/SlaveLists.h"
#include "mbus/WirelessTelegram.h"
#include "platform/SerialPort.h"
#include "platform/SyncObjects.h"
#include "platform/Thread.h"
#include "platform/net/UdpSocket.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

enum class TScanType { saPrimaryAddress, saSecondaryAddress };
enum class TSelectHard { shEthernet, shSerial };

// Wired progress: kind, value, found, scan kind.
using TSlaveListProc = std::function<void(int kind, int value, int found, int scanKind)>;
// A wireless device heard: its index and the device (nullopt in the short form).
using TWirelessProc = std::function<void(int index, const std::optional<TSlave_wMBus>& device)>;
// Runs a call later on the user-interface thread, in the order queued; the caller does not wait.
using TDispatcher = std::function<void(std::function<void()>)>;
// Writes the scan result file at the end of a scan whose SaveXMLFile is set.
using TResultFileWriter = std::function<void(const std::string& path, TMBusType type)>;

struct TWiredScanSettings {
  TScanType ScanT = TScanType::saPrimaryAddress;
  TSelectHard SelHard = TSelectHard::shEthernet;
  std::string IP_COM;
  std::int32_t Baud = 2400;
  std::int32_t Par = 1;
  bool AppReset = false;
  bool SNDNKE = false;
  std::int32_t CutAfter = 0;
  bool FixCField = false;
  std::uint8_t FixCFieldValue = 0;
  bool RemoteTimeout = false;
};

struct TWirelessScanSettings {
  TSelectHard SelHard = TSelectHard::shEthernet;
  std::string IP_COM;
  std::uint16_t Port = 0;
  std::int32_t wMBus_Mode = 5;
  std::int32_t wMBus_Radio_Channel = 0;
  bool RemoteTimeout = false;
  bool FromDLL = false;
};

// Where the engine talks; tests move the wired gateway port and the local address of a wireless
// scan so that fixtures on the loopback interface run side by side.
struct TScanEndpoints {
  std::uint16_t Wired_Gateway_Port = 10000;
  std::string Local_Address; // empty: any local address
};

class TMBusScanDecode : public TThread {
public:
  static constexpr std::size_t Mailbox_Size = 2048;
  static constexpr int First_Primary = 0;
  static constexpr int Last_Primary = 250;
  static constexpr std::int64_t Primary_Pause = 500;
  static constexpr std::int64_t Secondary_Pause = 800;
  static constexpr std::int64_t Turn_Scanning = 40;
  static constexpr std::int64_t Turn_Idle = 10;
  static constexpr int RadioCrafts_Table_Entries = 64;

  // Created with its gate closed; its thread starts when the gate first opens (until then it would
  // only wait there). The dispatcher defaults to the user-interface thread's queue.
  explicit TMBusScanDecode(TDispatcher dispatcher = {}, TScanEndpoints endpoints = {});
  // Sets Exit and the gate, joins the thread, deactivates the socket and closes the port.
  ~TMBusScanDecode() override;

  // The run gate: the window opens it while shown.
  void Open_Gate() {
    Start();
    Event_Run.SetEvent();
  }
  void Close_Gate() { Event_Run.ResetEvent(); }

  // False (nothing changed) while a scan runs. A serial port that cannot be opened throws ECommError.
  bool Start_Scan(const TWiredScanSettings& s, TSlaveListProc proc);
  // False while a scan runs, for port 0, or when the port cannot be bound (then nothing changed).
  bool Start_Scan_Wireless(const TWirelessScanSettings& s, TWirelessProc proc);
  void Stop_Scan() { FStopScan.store(true); }
  void Abort_Scan() { FAbortScan.store(true); }
  // Asks for an abort and lets the engine run its closing steps (the gate open meanwhile) for at
  // most `timeoutMs` on the program clock; true when the scan has ended. The gate is left as it was.
  bool Abort_And_Wait(std::int64_t timeoutMs);
  // Waits at most `timeoutMs` on the program clock for the scan to end, asking for nothing: a
  // second abort request would start the closing steps over. True when the scan has ended.
  bool Wait_For_End(std::int64_t timeoutMs);
  // Starts loading the key into the radio module for the device at `Index` of the wireless list;
  // False (nothing changed) for an index outside the list, a 65th RadioCrafts key, or outside listening.
  bool Insert_Wireless_Key(int Index, const Aes128Key& Key);

  bool InScan() const { return FInScan.load(std::memory_order_acquire); }
  std::int32_t Result() const { return FResult.load(); }
  int Step() const { return Step_Scan.load(); }
  bool StopScan() const { return FStopScan.load(); }
  TRadioModule Radio_Module() const { return RadioModule.load(); }
  void Set_Result_File(std::string path, TResultFileWriter writer);

  // Datagrams sent, received and handled (all), and dropped for being too long or from a stranger.
  std::uint64_t Datagrams_Sent() const { return Sent.load(); }
  std::uint64_t Datagrams_Received() const { return Received.load(); }
  std::uint64_t Datagrams_Oversized() const { return Oversized.load(); }
  std::uint64_t Datagrams_Foreign() const { return Foreign.load(); }
  // The serial port (to watch it in tests).
  TComm& Serial() { return Comm; }

protected:
  void Execute() override;

private:
  // One step of each machine.
  void Scan_Decode();
  void Scan_Decode_Wireless();
  void Wired_Level_Select(int level);
  void Wired_Level_Wait(int level);
  void Decode_Frame(const std::vector<std::uint8_t>& frame, bool& finished, bool& decoded);
  bool Wireless_Wait(std::string_view expected, int next);
  bool Wireless_Prompt_Wait(int next);
  void Wireless_Close_Transport();
  void Wired_Close_Transport();

  // Transport.
  void Send_Command(std::string_view cmd, std::uint16_t port);
  void Send_Command(std::uint16_t port);
  void Send_Bytes(std::span<const std::uint8_t> bytes, std::uint16_t port);
  bool Check_TimeOut() const;
  std::optional<std::vector<std::uint8_t>> Answer() const;
  void UDPRead(const TUdpDatagram& d);
  void Notify(int kind, int value, int found, int scanKind);
  void Notify_Wireless(int index, const TSlave_wMBus& device);
  std::uint16_t Wired_Port() const { return Endpoints.Wired_Gateway_Port; }

  TDispatcher Dispatch;
  TScanEndpoints Endpoints;

  std::atomic<bool> FExit{false};
  std::atomic<bool> FInScan{false};
  std::atomic<std::int32_t> FResult{-1};
  std::atomic<bool> FStopScan{false};
  std::atomic<bool> FAbortScan{false};
  std::atomic<TRadioModule> RadioModule{TRadioModule::rmTelit};
  TScanType ScanType = TScanType::saPrimaryAddress;
  TSelectHard Select_Hardware = TSelectHard::shEthernet;
  std::string IP_Address;
  std::string ComPort;
  std::int32_t Baudrate = 2400;
  std::int32_t Parity = 1;
  bool App_Reset = false;
  bool SND_NKE = false;
  std::int32_t Cut_After = 0;
  bool Fix_C_Field = false;
  std::uint8_t Fix_C_Field_Value = 0;
  std::int32_t wMBusMode = 5;
  std::int32_t wMBusRadioChannel = 0;
  std::atomic<int> Step_Scan{0};
  TUdpSocket UDP_Server;
  TComm Comm;

  // The answer mailbox, filled by the listener thread.
  mutable std::mutex Mailbox_Mutex;
  bool Answer_Arrived = false;
  std::array<std::uint8_t, Mailbox_Size> Ans_Array{};
  std::size_t Ans_Len = 0;
  TUdpEndpoint Expected_From; // the gateway's address and the port the requests go to

  std::vector<std::uint8_t> Req_Array;
  std::int64_t TimeOut_Calc = 0;
  std::int64_t Start_Send = 0;
  int ID_Dev_Primary = -1;
  bool ID_Dev_Found = false;
  int Num_Frame_Read = 0;
  std::array<int, 8> Index{}; // Index_A .. Index_H
  int Index_Device = -1;
  int Sec_Add_Next_Step = 0;
  int Count_Disable_Analyzer = 0;
  std::uint16_t Port_Wireless = 0;
  std::atomic<bool> Wireless_Receive_Message{false};
  Aes128Key Wireless_Key{};
  int Wireless_Key_Index = -1;
  int Index_Key_Send = 0;
  std::atomic<bool> From_DLL{false};
  bool Enable_Send_In_Last_Step = false;
  std::uint32_t Type_To_Send_In_Last_Step = 0;
  int Index_RadioCrafts_Erase_Position = 0;
  int Index_RadioCrafts_Position_Used = 1;
  std::int64_t Add_TimeOut = 0;
  TManualResetEvent Event_Run;
  std::atomic<TMBusType> MBusType{TMBusType::mtWired};
  TSlaveListProc Update_Slave_List;
  TWirelessProc UpdateListWirelessSlave; // read by the listener thread: under Mailbox_Mutex
  std::string SaveXMLFile;
  TResultFileWriter Result_Writer;

  // Held for the whole of each step; Insert_Wireless_Key takes it too (always before the list's lock).
  std::mutex Step_Mutex;
  std::mutex End_Mutex; // with End_Condition: InScan falling
  std::condition_variable End_Condition;

  std::atomic<std::uint64_t> Sent{0}, Received{0}, Oversized{0}, Foreign{0};
};
