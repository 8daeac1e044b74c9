// A serial port on a POSIX terminal device: settings applied at once to an open port, reads that
// return what is waiting, writes bounded by a time-out on the program clock, and an event thread
// whose line events are handed to the handlers on the user-interface thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

enum TBaudrate {
  br110,
  br300,
  br600,
  br1200,
  br2400,
  br4800,
  br9600,
  br14400,
  br19200,
  br38400,
  br56000,
  br57600,
  br115200,
  br128000,
  br256000,
  br1500000,
  br3000000
};
enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits { sb10, sb15, sb20 };
enum TDatabits { da4, da5, da6, da7, da8 };
enum TFlowControl { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };
enum TCommOption { coParityCheck, coDsrSensitivity, coIgnoreXOff, coErrorChar, coNullStrip };
using TCommOptions = unsigned; // bit (1 << TCommOption)
enum TCommEventType { evBreak, evCts, evDsr, evError, evRing, evRlsd, evRxChar, evRxFlag, evTxEmpty };
using TCommEventTypes = unsigned; // bit (1 << TCommEventType)
constexpr TCommEventTypes All_Comm_Events = 511;

int Baud_Of(TBaudrate rate);

// Raised with the message followed by " (Error: n) "; the code is errno, or -1.
class ECommError : public std::runtime_error {
public:
  ECommError(const std::string& msg, int code);
  int ErrorCode;
};

class TCustomComm;

class TCommEventChars {
public:
  explicit TCommEventChars(TCustomComm* owner) : FOwner(owner) {}
  std::uint8_t XonChar() const { return FXonChar; }
  std::uint8_t XoffChar() const { return FXoffChar; }
  std::uint8_t ErrorChar() const { return FErrorChar; }
  std::uint8_t EofChar() const { return FEofChar; }
  std::uint8_t EvtChar() const { return FEvtChar; }
  void SetXonChar(std::uint8_t c);
  void SetXoffChar(std::uint8_t c);
  void SetErrorChar(std::uint8_t c);
  void SetEofChar(std::uint8_t c);
  void SetEvtChar(std::uint8_t c);
  void Assign(const TCommEventChars& source);

private:
  void Changed();
  TCustomComm* FOwner;
  std::uint8_t FXonChar = 17, FXoffChar = 19, FErrorChar = 0, FEofChar = 0, FEvtChar = 0;
};

class TCustomComm {
public:
  using TNotify = std::function<void(TCustomComm& sender)>;
  using TDispatcher = std::function<void(std::function<void()>)>;

  TCustomComm();
  virtual ~TCustomComm();
  TCustomComm(const TCustomComm&) = delete;
  TCustomComm& operator=(const TCustomComm&) = delete;

  void Open();
  // Ends the event thread (also while one of its events waits for the user-interface thread) and
  // closes the device.
  void Close();
  bool Enabled() const { return FHandle >= 0; }
  int Handle() const { return FHandle; }

  // -1 when the time-out passed (what was not yet sent is discarded).
  int Write(const void* buf, int count);
  // What is waiting, at most `count` bytes; 0 when nothing is.
  int Read(void* buf, int count);
  int InQueCount();
  int OutQueCount();
  void PurgeIn();
  void PurgeOut();
  void SetDTRState(bool state);
  void SetRTSState(bool state);
  void SetBREAKState(bool state);
  void SetXONState(bool state);
  bool CTS();
  bool DSR();
  bool RING();
  bool RLSD();
  bool CtsHold();
  bool DsrHold();
  bool RlsdHold();
  bool XoffHold();
  bool XOffSent();

  const std::string& DeviceName() const { return FDeviceName; }
  void SetDeviceName(const std::string& name);
  int ReadTimeout() const { return FReadTimeout; }
  void SetReadTimeout(int ms) { FReadTimeout = ms; }
  int WriteTimeout() const { return FWriteTimeout; }
  void SetWriteTimeout(int ms) { FWriteTimeout = ms; }
  int ReadBufSize() const { return FReadBufSize; }
  void SetReadBufSize(int size);
  int WriteBufSize() const { return FWriteBufSize; }
  void SetWriteBufSize(int size);
  TCommEventTypes MonitorEvents() const { return FMonitorEvents; }
  void SetMonitorEvents(TCommEventTypes events);
  TBaudrate BaudRate() const { return FBaudRate; }
  void SetBaudRate(TBaudrate v);
  TParity Parity() const { return FParity; }
  void SetParity(TParity v);
  TStopbits Stopbits() const { return FStopbits; }
  void SetStopbits(TStopbits v);
  TDatabits Databits() const { return FDatabits; }
  void SetDatabits(TDatabits v);
  TCommOptions Options() const { return FOptions; }
  void SetOptions(TCommOptions v);
  TFlowControl FlowControl() const { return FFlowControl; }
  void SetFlowControl(TFlowControl v);
  TCommEventChars& EventChars() { return FEventChars; }

  // Where the events' handlers run; the user-interface thread's queue unless a test sets another.
  void SetDispatcher(TDispatcher dispatcher) { FDispatcher = std::move(dispatcher); }

  TNotify OnBreak, OnCts, OnDsr, OnRing, OnRlsd, OnRxFlag, OnTxEmpty;
  std::function<void(TCustomComm& sender, unsigned errors)> OnError;
  std::function<void(TCustomComm& sender, int count)> OnRxChar;

  void UpdateDCB();

protected:
  virtual void CreateHandle();

private:
  struct TEventState;
  void CheckOpen();
  void HandleCommEvent(unsigned mask);
  void EventThread(std::shared_ptr<TEventState> state);
  void StopEventThread();
  void EscapeComm(int request, int bits);

  int FHandle = -1;
  std::string FDeviceName = "Com2";
  int FReadTimeout = 1000, FWriteTimeout = 1000;
  int FReadBufSize = 4096, FWriteBufSize = 2048;
  TCommEventTypes FMonitorEvents = All_Comm_Events;
  TBaudrate FBaudRate = br9600;
  TParity FParity = paNone;
  TStopbits FStopbits = sb10;
  TDatabits FDatabits = da8;
  TCommEventChars FEventChars{this};
  TCommOptions FOptions = 0;
  TFlowControl FFlowControl = fcDefault;
  std::mutex FCriticalSection;
  TDispatcher FDispatcher;
  std::shared_ptr<TEventState> FEventState;
  std::thread FEventThread;
  int FWake[2] = {-1, -1};
  std::atomic<bool> FTxPending{false};
};

class TComm : public TCustomComm {};
