#include "platform/SerialPort.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// A pseudo-terminal pair: the port opens the slave side by name, the test plays the other end.
class TPty {
public:
  TPty() {
    char name[128] = {};
    if (::openpty(&Master, &Slave, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    Name = name;
    termios t{};
    ::tcgetattr(Slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(Slave, TCSANOW, &t);
    ::fcntl(Master, F_SETFL, ::fcntl(Master, F_GETFL) | O_NONBLOCK);
  }
  ~TPty() {
    ::close(Master);
    ::close(Slave);
  }
  std::string ReadAll() {
    std::string out;
    char buf[256];
    for (ssize_t n; (n = ::read(Master, buf, sizeof buf)) > 0;)
      out.append(buf, static_cast<std::size_t>(n));
    return out;
  }
  int Master = -1, Slave = -1;
  std::string Name;
};

// The user-interface thread's queue, run by the test.
struct TQueue {
  std::mutex Mutex;
  std::deque<std::function<void()>> Calls;
  TCustomComm::TDispatcher Dispatcher() {
    return [this](std::function<void()> call) {
      std::lock_guard lock(Mutex);
      Calls.push_back(std::move(call));
    };
  }
  bool Wait(std::size_t n = 1) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      {
        std::lock_guard lock(Mutex);
        if (Calls.size() >= n) return true;
      }
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::yield();
    }
  }
  void Run() {
    for (;;) {
      std::function<void()> call;
      {
        std::lock_guard lock(Mutex);
        if (Calls.empty()) return;
        call = std::move(Calls.front());
        Calls.pop_front();
      }
      call();
    }
  }
};

std::string Message_Of(const std::function<void()>& f) {
  try {
    f();
  } catch (const ECommError& e) {
    return e.what();
  }
  return "no error";
}

TEST(SerialPort, Defaults) {
  TComm c;
  EXPECT_FALSE(c.Enabled());
  EXPECT_EQ(c.DeviceName(), "Com2");
  EXPECT_EQ(c.BaudRate(), br9600);
  EXPECT_EQ(c.Databits(), da8);
  EXPECT_EQ(c.Parity(), paNone);
  EXPECT_EQ(c.Stopbits(), sb10);
  EXPECT_EQ(c.FlowControl(), fcDefault);
  EXPECT_EQ(c.MonitorEvents(), 511u);
  EXPECT_EQ(c.ReadTimeout(), 1000);
  EXPECT_EQ(c.WriteTimeout(), 1000);
  EXPECT_EQ(c.ReadBufSize(), 4096);
  EXPECT_EQ(c.WriteBufSize(), 2048);
  EXPECT_EQ(c.EventChars().XonChar(), 17);
  EXPECT_EQ(c.EventChars().XoffChar(), 19);
  EXPECT_EQ(c.InQueCount(), -1);
  EXPECT_FALSE(c.CTS());
  EXPECT_EQ(Message_Of([&] { c.SetDTRState(true); }),
            "Port not open, unable to complete operation (Error: -1) ");
  EXPECT_EQ(std::string(ECommError("Write error", 5).what()), "Write error (Error: 5) ");
  c.SetBaudRate(br14400); // closed: stored, no device touched
  EXPECT_EQ(c.BaudRate(), br14400);
}

TEST(SerialPort, OpeningWhatIsNoPort) {
  TTempDir dir;
  TComm c;
  c.SetDeviceName(dir.Write("disk.bin", "data"));
  EXPECT_EQ(Message_Of([&] { c.Open(); }), "Invalid device handle, access denied (Error: -1) ");
  EXPECT_FALSE(c.Enabled());
  c.SetDeviceName(dir.File("missing"));
  EXPECT_EQ(Message_Of([&] { c.Open(); }), "Error accessing specified device (Error: 2) ");
  EXPECT_FALSE(c.Enabled());
}

TEST(SerialPort, SettersOnAnOpenPort) {
  TPty pty;
  TQueue ui;
  TComm c;
  c.SetDispatcher(ui.Dispatcher());
  c.SetDeviceName(pty.Name);
  c.Open();
  ASSERT_TRUE(c.Enabled());
  EXPECT_EQ(Message_Of([&] { c.Open(); }), "Port already assigned (open) (Error: -1) ");
  EXPECT_EQ(Message_Of([&] { c.SetDeviceName(pty.Name); }), "no error");
  EXPECT_EQ(Message_Of([&] { c.SetDeviceName("/dev/null"); }), "Port already assigned (open) (Error: -1) ");
  EXPECT_EQ(Message_Of([&] { c.SetReadBufSize(100); }), "Port already assigned (open) (Error: -1) ");

  c.SetBaudRate(br2400);
  c.SetStopbits(sb20);
  termios t{};
  ASSERT_EQ(::tcgetattr(pty.Slave, &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B2400));
  EXPECT_TRUE(t.c_cflag & CSTOPB);
  // A setting the device cannot take.
  EXPECT_EQ(Message_Of([&] { c.SetBaudRate(br14400); }), "Error updating DataControlBlock (Error: 22) ");
  c.Close();
  EXPECT_FALSE(c.Enabled());
}

TEST(SerialPort, AFailedOpenLeavesThePortClosed) {
  TPty pty;
  TQueue ui;
  TComm c;
  c.SetDispatcher(ui.Dispatcher());
  c.SetDeviceName(pty.Name);
  c.SetStopbits(sb15); // fails in the settings step, after the event thread started
  EXPECT_EQ(Message_Of([&] { c.Open(); }), "Error updating DataControlBlock (Error: 22) ");
  EXPECT_FALSE(c.Enabled());
  c.SetStopbits(sb10);
  c.Open();
  EXPECT_TRUE(c.Enabled());
}

TEST(SerialPort, BytesCrossBothWays) {
  TPty pty;
  TQueue ui;
  TComm c;
  c.SetDispatcher(ui.Dispatcher());
  c.SetMonitorEvents(1u << evRxChar);
  std::vector<int> counts;
  std::thread::id handlerThread;
  c.OnRxChar = [&](TCustomComm&, int count) {
    counts.push_back(count);
    handlerThread = std::this_thread::get_id();
  };
  c.SetDeviceName(pty.Name);
  c.Open();
  char buf[16] = {};
  EXPECT_EQ(c.Read(buf, sizeof buf), 0) << "nothing waiting: at once";

  EXPECT_EQ(c.Write("\x10\x40\xFF\x3F\x16", 5), 5);
  std::string seen;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (seen.size() < 5 && std::chrono::steady_clock::now() < end)
    seen += pty.ReadAll();
  EXPECT_EQ(seen, std::string("\x10\x40\xFF\x3F\x16", 5));

  ASSERT_EQ(::write(pty.Master, "abc", 3), 3);
  ASSERT_TRUE(ui.Wait());
  ui.Run();
  EXPECT_EQ(counts, std::vector<int>{3});
  EXPECT_EQ(handlerThread, std::this_thread::get_id());
  EXPECT_EQ(c.InQueCount(), 3);
  EXPECT_EQ(c.Read(buf, sizeof buf), 3);
  EXPECT_EQ(std::string(buf, 3), "abc");
  c.Close();
}

TEST(SerialPort, CloseWithAnEventWaiting) {
  TPty pty;
  TQueue ui;
  TComm c;
  c.SetDispatcher(ui.Dispatcher());
  int calls = 0;
  c.OnRxChar = [&](TCustomComm&, int) { ++calls; };
  c.SetDeviceName(pty.Name);
  c.Open();
  ASSERT_EQ(::write(pty.Master, "x", 1), 1);
  ASSERT_TRUE(ui.Wait()); // the event thread now waits for the user-interface thread
  c.Close();              // on that thread: no deadlock, the event thread is joined
  EXPECT_FALSE(c.Enabled());
  ui.Run();
  EXPECT_EQ(calls, 0) << "the event of a closed port is dropped";
}

} // namespace
