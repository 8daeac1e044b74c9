#include "platform/SerialPort.h"

#include "platform/Clock.h"
#include "platform/Format.h"
#include "platform/ui/MainThreadQueue.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int Baud_Values[] = {110,   300,   600,   1200,   2400,   4800,   9600,    14400,  19200,
                               38400, 56000, 57600, 115200, 128000, 256000, 1500000, 3000000};

// The terminal speed of a rate; 0 for one the terminal layer cannot express.
speed_t Speed_Of(TBaudrate r) {
  switch (r) {
  case br110:
    return B110;
  case br300:
    return B300;
  case br600:
    return B600;
  case br1200:
    return B1200;
  case br2400:
    return B2400;
  case br4800:
    return B4800;
  case br9600:
    return B9600;
  case br19200:
    return B19200;
  case br38400:
    return B38400;
  case br57600:
    return B57600;
  case br115200:
    return B115200;
  case br1500000:
    return B1500000;
  case br3000000:
    return B3000000;
  default:
    return 0;
  }
}

[[noreturn]] void Raise(const std::string& msg, int code) {
  throw ECommError(msg, code);
}

} // namespace

int Baud_Of(TBaudrate rate) {
  return Baud_Values[rate];
}

ECommError::ECommError(const std::string& msg, int code)
    : std::runtime_error(msg + Format(" (Error: %d) ", {static_cast<std::int64_t>(code)})), ErrorCode(code) {}

// ---- special characters

void TCommEventChars::Changed() {
  if (FOwner) FOwner->UpdateDCB();
}
void TCommEventChars::SetXonChar(std::uint8_t c) {
  FXonChar = c, Changed();
}
void TCommEventChars::SetXoffChar(std::uint8_t c) {
  FXoffChar = c, Changed();
}
void TCommEventChars::SetErrorChar(std::uint8_t c) {
  FErrorChar = c, Changed();
}
void TCommEventChars::SetEofChar(std::uint8_t c) {
  FEofChar = c, Changed();
}
void TCommEventChars::SetEvtChar(std::uint8_t c) {
  FEvtChar = c, Changed();
}
void TCommEventChars::Assign(const TCommEventChars& s) {
  FXonChar = s.FXonChar, FXoffChar = s.FXoffChar, FErrorChar = s.FErrorChar, FEofChar = s.FEofChar,
  FEvtChar = s.FEvtChar;
  Changed();
}

// ---- the port

// Shared by the event thread and the calls it queued: a queued call that runs after Close finds
// the port gone and does nothing.
struct TCustomComm::TEventState {
  std::mutex Mutex;
  std::condition_variable Condition;
  bool Stopped = false;
  bool CallDone = true;
  int Running = 0; // queued calls running now
  std::thread::id RunningOn;
};

TCustomComm::TCustomComm() : FDispatcher(QueueOnMainThread) {}

TCustomComm::~TCustomComm() {
  Close();
}

void TCustomComm::CheckOpen() {
  if (Enabled()) Raise("Port already assigned (open)", -1);
}

void TCustomComm::SetDeviceName(const std::string& name) {
  if (name == FDeviceName) return;
  CheckOpen();
  FDeviceName = name;
}
void TCustomComm::SetReadBufSize(int size) {
  if (size == FReadBufSize) return;
  CheckOpen();
  FReadBufSize = size;
}
void TCustomComm::SetWriteBufSize(int size) {
  if (size == FWriteBufSize) return;
  CheckOpen();
  FWriteBufSize = size;
}
void TCustomComm::SetMonitorEvents(TCommEventTypes events) {
  if (events == FMonitorEvents) return;
  CheckOpen();
  FMonitorEvents = events;
}
void TCustomComm::SetBaudRate(TBaudrate v) {
  if (v != FBaudRate) FBaudRate = v, UpdateDCB();
}
void TCustomComm::SetParity(TParity v) {
  if (v != FParity) FParity = v, UpdateDCB();
}
void TCustomComm::SetStopbits(TStopbits v) {
  if (v != FStopbits) FStopbits = v, UpdateDCB();
}
void TCustomComm::SetDatabits(TDatabits v) {
  if (v != FDatabits) FDatabits = v, UpdateDCB();
}
void TCustomComm::SetOptions(TCommOptions v) {
  if (v != FOptions) FOptions = v, UpdateDCB();
}
void TCustomComm::SetFlowControl(TFlowControl v) {
  if (v != FFlowControl) FFlowControl = v, UpdateDCB();
}

void TCustomComm::CreateHandle() {
  FHandle = ::open(FDeviceName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (FHandle < 0) Raise("Error accessing specified device", errno);
  if (!::isatty(FHandle)) {
    ::close(FHandle);
    FHandle = -1;
    Raise("Invalid device handle, access denied", -1);
  }
}

void TCustomComm::Open() {
  CheckOpen();
  CreateHandle();
  try {
    termios t{};
    if (::tcgetattr(FHandle, &t) == 0) {
      ::cfmakeraw(&t);
      t.c_cflag |= CLOCAL | CREAD;
      ::tcsetattr(FHandle, TCSANOW, &t);
    }
    if (::pipe2(FWake, O_CLOEXEC) != 0) Raise("Error accessing specified device", errno);
    FEventState = std::make_shared<TEventState>();
    FEventThread = std::thread([this, state = FEventState] { EventThread(state); });
    // Reads return at once with what is waiting (O_NONBLOCK); the driver's queues need no set-up.
    UpdateDCB();
  } catch (...) {
    Close(); // a failure after the event thread started leaves nothing open
    throw;
  }
}

void TCustomComm::StopEventThread() {
  if (FEventState) {
    std::lock_guard lock(FEventState->Mutex);
    FEventState->Stopped = true;
  }
  if (FEventState) FEventState->Condition.notify_all();
  if (FWake[1] >= 0) {
    const char stop = 1;
    while (::write(FWake[1], &stop, 1) < 0 && errno == EINTR) {
    }
  }
  if (FEventThread.joinable()) FEventThread.join();
  if (FEventState) {
    // A handler running on another thread finishes before the device goes; one running on this
    // thread (Close from inside a handler) is left to finish by itself.
    std::unique_lock lock(FEventState->Mutex);
    FEventState->Condition.wait(lock, [&] {
      return FEventState->Running == 0 || FEventState->RunningOn == std::this_thread::get_id();
    });
  }
  FEventState.reset();
  for (int& fd : FWake) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void TCustomComm::Close() {
  if (!Enabled()) return;
  StopEventThread();
  std::lock_guard lock(FCriticalSection);
  ::close(FHandle);
  FHandle = -1;
}

void TCustomComm::UpdateDCB() {
  if (!Enabled()) return;
  termios t{};
  if (::tcgetattr(FHandle, &t) != 0) Raise("Error updating DataControlBlock", errno);
  const speed_t speed = Speed_Of(FBaudRate);
  if (speed == 0 || FStopbits == sb15 || FDatabits == da4 || FFlowControl == fcDTR)
    Raise("Error updating DataControlBlock", EINVAL);
  ::cfsetispeed(&t, speed);
  ::cfsetospeed(&t, speed);
  t.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR | CSTOPB | CSIZE);
  switch (FParity) {
  case paNone:
    break;
  case paOdd:
    t.c_cflag |= PARENB | PARODD;
    break;
  case paEven:
    t.c_cflag |= PARENB;
    break;
  case paMark:
    t.c_cflag |= PARENB | PARODD | CMSPAR;
    break;
  case paSpace:
    t.c_cflag |= PARENB | CMSPAR;
    break;
  }
  if (FStopbits == sb20) t.c_cflag |= CSTOPB;
  constexpr tcflag_t sizes[] = {CS5, CS5, CS6, CS7, CS8};
  t.c_cflag |= sizes[FDatabits];
  t.c_cc[VSTART] = FEventChars.XonChar();
  t.c_cc[VSTOP] = FEventChars.XoffChar();
  switch (FFlowControl) {
  case fcNone:
    t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS), t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | INPCK);
    break;
  case fcCTS:
    t.c_cflag |= CRTSCTS;
    break;
  case fcSoftware:
    t.c_iflag |= IXON | IXOFF;
    break;
  default:
    break;
  }
  if (FOptions & (1u << coParityCheck))
    t.c_iflag |= INPCK;
  else
    t.c_iflag &= ~static_cast<tcflag_t>(INPCK);
  if (::tcsetattr(FHandle, TCSANOW, &t) != 0) Raise("Error updating DataControlBlock", errno);
}

int TCustomComm::Write(const void* buf, int count) {
  std::lock_guard lock(FCriticalSection);
  if (!Enabled()) Raise("Write error", EBADF);
  const auto* bytes = static_cast<const std::uint8_t*>(buf);
  int done = 0;
  const std::int64_t deadline = Clock().NowMs() + FWriteTimeout;
  while (done < count) {
    const ssize_t n = ::write(FHandle, bytes + done, static_cast<std::size_t>(count - done));
    if (n > 0) {
      done += static_cast<int>(n);
      FTxPending = true;
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) Raise("Write error", errno);
    const std::int64_t left = deadline - Clock().NowMs();
    if (left <= 0) {
      // Nothing stays pending after the call has given up: what was queued goes.
      ::tcflush(FHandle, TCOFLUSH);
      return -1;
    }
    pollfd p{FHandle, POLLOUT, 0};
    ::poll(&p, 1, static_cast<int>(std::min<std::int64_t>(left, 10)));
  }
  return done;
}

int TCustomComm::Read(void* buf, int count) {
  std::lock_guard lock(FCriticalSection);
  if (!Enabled()) Raise("Read error", EBADF);
  const ssize_t n = ::read(FHandle, buf, static_cast<std::size_t>(std::max(count, 0)));
  if (n >= 0) return static_cast<int>(n);
  if (errno == EAGAIN || errno == EINTR) return 0;
  Raise("Read error", errno);
}

int TCustomComm::InQueCount() {
  int n = 0;
  if (!Enabled() || ::ioctl(FHandle, FIONREAD, &n) != 0) return -1;
  return n;
}

int TCustomComm::OutQueCount() {
  int n = 0;
  if (!Enabled() || ::ioctl(FHandle, TIOCOUTQ, &n) != 0) return -1;
  return n;
}

void TCustomComm::PurgeIn() {
  if (Enabled()) ::tcflush(FHandle, TCIFLUSH);
}
void TCustomComm::PurgeOut() {
  if (Enabled()) ::tcflush(FHandle, TCOFLUSH);
}

void TCustomComm::EscapeComm(int request, int bits) {
  if (!Enabled()) Raise("Port not open, unable to complete operation", -1);
  if (::ioctl(FHandle, static_cast<unsigned long>(request), &bits) != 0)
    Raise("EscapeCommFunction failure", errno);
}

void TCustomComm::SetDTRState(bool state) {
  EscapeComm(state ? TIOCMBIS : TIOCMBIC, TIOCM_DTR);
}
void TCustomComm::SetRTSState(bool state) {
  EscapeComm(state ? TIOCMBIS : TIOCMBIC, TIOCM_RTS);
}
void TCustomComm::SetXONState(bool state) {
  if (!Enabled()) Raise("Port not open, unable to complete operation", -1);
  if (::tcflow(FHandle, state ? TCION : TCIOFF) != 0) Raise("EscapeCommFunction failure", errno);
}
void TCustomComm::SetBREAKState(bool state) {
  if (!Enabled()) Raise("Port not open, unable to complete operation", -1);
  if (::ioctl(FHandle, state ? TIOCSBRK : TIOCCBRK) != 0) Raise("EscapeCommFunction failure", errno);
  ::tcflush(FHandle, TCIOFLUSH);
}

namespace {
bool Modem_Bit(int fd, int bit) {
  int status = 0;
  return fd >= 0 && ::ioctl(fd, TIOCMGET, &status) == 0 && (status & bit) != 0;
}
} // namespace

bool TCustomComm::CTS() {
  return Modem_Bit(FHandle, TIOCM_CTS);
}
bool TCustomComm::DSR() {
  return Modem_Bit(FHandle, TIOCM_DSR);
}
bool TCustomComm::RING() {
  return Modem_Bit(FHandle, TIOCM_RNG);
}
bool TCustomComm::RLSD() {
  return Modem_Bit(FHandle, TIOCM_CAR);
}
// The terminal layer keeps no transmission hold flags.
bool TCustomComm::CtsHold() {
  return false;
}
bool TCustomComm::DsrHold() {
  return false;
}
bool TCustomComm::RlsdHold() {
  return false;
}
bool TCustomComm::XoffHold() {
  return false;
}
bool TCustomComm::XOffSent() {
  return false;
}

void TCustomComm::HandleCommEvent(unsigned mask) {
  auto has = [&](TCommEventType e) { return (mask & (1u << e)) != 0; };
  if (has(evBreak) && OnBreak) OnBreak(*this);
  if (has(evCts) && OnCts) OnCts(*this);
  if (has(evDsr) && OnDsr) OnDsr(*this);
  if (has(evError) && OnError) OnError(*this, 0);
  if (has(evRing) && OnRing) OnRing(*this);
  if (has(evRlsd) && OnRlsd) OnRlsd(*this);
  if (has(evRxChar) && OnRxChar) {
    const int count = InQueCount();
    if (count > 0) OnRxChar(*this, count);
  }
  if (has(evRxFlag) && OnRxFlag) OnRxFlag(*this);
  if (has(evTxEmpty) && OnTxEmpty) OnTxEmpty(*this);
}

// Watches the device and hands each batch of events to the user-interface thread, waiting until
// it ran there (or the port is closing) before looking again.
void TCustomComm::EventThread(std::shared_ptr<TEventState> state) {
  const int fd = FHandle, wake = FWake[0];
  const TCommEventTypes monitor = FMonitorEvents;
  int lastQueue = 0;
  int lastModem = -1;
  for (;;) {
    {
      std::lock_guard lock(state->Mutex);
      if (state->Stopped) return;
    }
    unsigned mask = 0;
    int queued = 0;
    if (::ioctl(fd, FIONREAD, &queued) == 0 && queued > lastQueue) mask |= 1u << evRxChar;
    lastQueue = queued;
    int out = 0;
    if (FTxPending && ::ioctl(fd, TIOCOUTQ, &out) == 0 && out == 0) {
      FTxPending = false;
      mask |= 1u << evTxEmpty;
    }
    int modem = 0;
    if (::ioctl(fd, TIOCMGET, &modem) == 0) {
      if (lastModem >= 0) {
        const int changed = modem ^ lastModem;
        if (changed & TIOCM_CTS) mask |= 1u << evCts;
        if (changed & TIOCM_DSR) mask |= 1u << evDsr;
        if (changed & TIOCM_RNG) mask |= 1u << evRing;
        if (changed & TIOCM_CAR) mask |= 1u << evRlsd;
      }
      lastModem = modem;
    }
    mask &= monitor;
    if (mask) {
      {
        std::lock_guard lock(state->Mutex);
        state->CallDone = false;
      }
      FDispatcher([this, state, mask] {
        {
          std::lock_guard lock(state->Mutex);
          if (state->Stopped) {
            state->CallDone = true;
            state->Condition.notify_all();
            return;
          }
          ++state->Running;
          state->RunningOn = std::this_thread::get_id();
        }
        HandleCommEvent(mask);
        std::lock_guard lock(state->Mutex);
        --state->Running;
        state->CallDone = true;
        state->Condition.notify_all();
      });
      std::unique_lock lock(state->Mutex);
      state->Condition.wait(lock, [&] { return state->CallDone || state->Stopped; });
      if (state->Stopped) return;
      // What the handler read is no longer waiting.
      int left = 0;
      if (::ioctl(fd, FIONREAD, &left) == 0) lastQueue = left;
      continue;
    }
    // New input wakes the poll; while unread input sits there, look again now and then.
    pollfd p[2] = {{fd, static_cast<short>(queued > 0 ? 0 : POLLIN), 0}, {wake, POLLIN, 0}};
    ::poll(p, 2, queued > 0 || FTxPending ? 10 : 50);
    if (p[1].revents) return;
    if (p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      // The other end is gone: nothing to watch until it comes back.
      pollfd w{wake, POLLIN, 0};
      if (::poll(&w, 1, 50) > 0) return;
    }
  }
}
