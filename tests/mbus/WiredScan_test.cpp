#include "ScanFixture.h"
#include "SimulatedLine.h"
#include "mbus/GatewayProtocol.h"
#include "mbus/RequestFrames.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

const std::string Enable = "Ormida_Enable_Analyzer_Mode";
const std::string Disable = "Ormida_Disable_Analyzer_Mode";

class WiredScan : public ::testing::Test, public TScanFixture {};

// Addresses from..to each asked once by REQ_UD2 without an answer.
std::vector<std::string> Silent_Addresses(int from, int to) {
  std::vector<std::string> out;
  for (int a = from; a <= to; ++a)
    out.push_back("UD2 7B " + std::to_string(a));
  return out;
}

std::vector<TNotification> Not_Found(int from, int to) {
  std::vector<TNotification> out;
  for (int a = from; a <= to; ++a)
    out.emplace_back(2, a, 0, 1);
  return out;
}

template <class T> std::vector<T> Cat(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(WiredScan, NoSlaveOnTheLine) {
  Gateway.SetScript(Line({}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  EXPECT_EQ(Labels(Gateway.Requests()),
            Cat(Cat({Enable, "SETUP 2400 2", "NKE 255"}, Silent_Addresses(0, 250)), {Disable}));
  EXPECT_EQ(Notifications, Cat(Cat({{1, 0, 0, 1}}, Not_Found(0, 250)), {{3, 0, 0, 1}}));
  EXPECT_EQ(Engine->Result(), 1);
  EXPECT_EQ(Engine->Step(), 203);
  EXPECT_EQ(List_Slave_MBus().Count(), 0);
}

TEST_F(WiredScan, FramesOfRealMetersAtTwoAddresses) {
  Gateway.SetScript(Line({{5, "12345678", {Hex(telegrams::W1)}}, {200, "03543109", {Hex(telegrams::T6)}}}));
  TWiredScanSettings s = Wired();
  s.SNDNKE = true;
  s.AppReset = true;
  ASSERT_TRUE(Engine->Start_Scan(s, Record()));
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  const auto requests = Labels(Gateway.Requests());
  // Address 5: reset, SND_NKE, REQ_UD2.
  EXPECT_EQ(std::vector<std::string>(requests.begin() + 3 + 15, requests.begin() + 3 + 18),
            (std::vector<std::string>{"RST 73 5", "NKE 5", "UD2 7B 5"}));
  EXPECT_EQ(requests.size(), 3u + 251u * 3u + 1u);
  std::vector<TNotification> found;
  for (const auto& n : Notifications)
    if (std::get<2>(n) == 1) found.push_back(n);
  EXPECT_EQ(found, (std::vector<TNotification>{{2, 5, 1, 1}, {2, 200, 1, 1}}));
  EXPECT_EQ(Notifications.size(), 253u);
  const auto slaves = List_Slave_MBus().Snapshot();
  ASSERT_EQ(slaves.size(), 2u);
  EXPECT_EQ(slaves[0].Secondary_Addresss, "12345678");
  EXPECT_EQ(slaves[0].Primary_Addresss, 5);
  EXPECT_EQ(slaves[1].Primary_Addresss, 200);
  EXPECT_FALSE(slaves[1].List_Var.empty());
}

TEST_F(WiredScan, StopWhileAddress17IsRead) {
  Gateway.SetScript(Line({{17, "00000017", {Meter_Frame("00000017", 17)}}}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_Until([&] { return Engine->Step() == 9 && Gateway.Requests().size() == 3 + 17; }));
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  const auto requests = Labels(Gateway.Requests());
  EXPECT_EQ(requests, Cat(Cat({Enable, "SETUP 2400 2", "NKE 255"}, Silent_Addresses(0, 17)), {Disable}));
  EXPECT_EQ(Notifications, Cat(Cat(Cat({{1, 0, 0, 1}}, Not_Found(0, 16)), {{2, 17, 1, 1}}), {{3, 0, 0, 1}}));
  EXPECT_EQ(Engine->Result(), 1);
  EXPECT_TRUE(Engine->StopScan()) << "the stop request stays until the next start";
}

TEST_F(WiredScan, AbortWhileStep10Waits) {
  Gateway.SetScript(Line({}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_Until([&] { return Engine->Step() == 10 && Gateway.Requests().size() == 3 + 4; }));
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  EXPECT_EQ(Labels(Gateway.Requests()),
            Cat(Cat({Enable, "SETUP 2400 2", "NKE 255"}, Silent_Addresses(0, 3)), {Disable}));
  EXPECT_EQ(Notifications, Cat({{1, 0, 0, 1}}, Not_Found(0, 2))) << "no end notification after an abort";
  EXPECT_EQ(Engine->Result(), 1);
}

TEST_F(WiredScan, CutAfterThreeFrames) {
  const std::string id = "00000003";
  Gateway.SetScript(Line({{3,
                           id,
                           {Meter_Frame(id, 3, true, 1), Meter_Frame(id, 3, true, 2),
                            Meter_Frame(id, 3, true, 3), Meter_Frame(id, 3, true, 4)}}}));
  TWiredScanSettings s = Wired();
  s.CutAfter = 3;
  ASSERT_TRUE(Engine->Start_Scan(s, Record()));
  ASSERT_TRUE(Run_Until([&] { return Engine->Step() == 4 && Gateway.Requests().size() > 3 + 4; }));
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  EXPECT_EQ(Labels(Gateway.Requests()), Cat(Cat({Enable, "SETUP 2400 2", "NKE 255"}, Silent_Addresses(0, 2)),
                                            {"UD2 7B 3", "UD2 5B 3", "UD2 7B 3", Disable}));
  EXPECT_EQ(Notifications, Cat(Cat({{1, 0, 0, 1}}, Not_Found(0, 2)), {{2, 3, 1, 1}, {3, 0, 0, 1}}));
  const auto slaves = List_Slave_MBus().Snapshot();
  ASSERT_EQ(slaves.size(), 1u);
  EXPECT_EQ(slaves[0].List_Var.size(), 3u);
}

struct TFailureCase {
  const char* Name;
  TLineOptions Options;
  std::vector<std::string> Requests;
};

TEST(WiredScanCases, MissingOrWrongConfirmations) {
  const TFailureCase cases[] = {
      {"no analyzer confirmation",
       Opts([](TLineOptions& o) { o.Confirm_Analyzer = false, o.Confirm_Disable_After = -1; }),
       {Enable, Disable, Disable, Disable}},
      {"analyzer answer with a trailing byte",
       Opts([](TLineOptions& o) {
         o.Confirm_Disable_After = -1;
         o.Enable_Answer = Join(Bytes_Of(Gateway_Text::Analyzer_Enabled), {0x00});
       }),
       {Enable, Disable, Disable, Disable}},
      {"analyzer answer with \\r\\n",
       Opts([](TLineOptions& o) { o.Enable_Answer = Bytes_Of("\r\nAnalyzer_Mode Enabled!\r\n"); }),
       {Enable, Disable}},
      {"no line set-up confirmation",
       Opts([](TLineOptions& o) { o.Confirm_Setup = false, o.Confirm_Disable_After = 2; }),
       {Enable, "SETUP 2400 2", Disable, Disable, Disable}},
  };
  for (const TFailureCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TScanFixture f;
    f.Gateway.SetScript(Line({}, c.Options));
    ASSERT_TRUE(f.Engine->Start_Scan(f.Wired(), f.Record()));
    ASSERT_TRUE(f.Run_To_End());
    f.Ui.Run();
    EXPECT_EQ(Labels(f.Gateway.Requests()), c.Requests);
    EXPECT_EQ(f.Engine->Result(), 2);
    EXPECT_EQ(f.Engine->Step(), 203);
    EXPECT_TRUE(f.Notifications.empty());
  }
}

// A right answer that arrives in the turn the time-out passes still counts.
TEST_F(WiredScan, AnswerInTheTurnOfTheTimeOutCounts) {
  // The analyzer confirmation held back until the turn in which the wait runs out.
  bool answered = false;
  auto line = Line({});
  Gateway.SetScript([&, line](const TGatewayBytes& r) {
    if (Text_Of(r) == Gateway_Text::Enable_Analyzer) return std::vector<TGatewayReply>{};
    return line(r);
  });
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_To_Step(1));
  const std::int64_t sent = Clock.NowMs(); // the turn that sent the command
  // Turns come every 40 ms: the one at sent + 1000 is the last within the time-out; the answer
  // arrives after it, so the next turn finds the answer and the time-out passed together.
  ASSERT_TRUE(Run_Until([&] {
    if (!answered && Clock.NowMs() == sent + 1000) {
      Gateway.Push(Bytes_Of(Gateway_Text::Analyzer_Enabled));
      answered = true;
    }
    return Engine->Step() != 1;
  }));
  EXPECT_TRUE(answered);
  EXPECT_EQ(Clock.NowMs(), sent + 1040);
  EXPECT_EQ(Engine->Step(), 300);
  EXPECT_EQ(Engine->Result(), 1);
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
}

TEST_F(WiredScan, StrayDatagramsAreNotAnswers) {
  TLineOptions o;
  o.Confirm_Analyzer = false;
  o.Confirm_Disable_After = -1;
  // The right text, but from another port and from another address; and two datagrams too long.
  o.Extra_Before_Enable = {{Bytes_Of(Gateway_Text::Analyzer_Enabled), TReplySource::Other_Port},
                           {Bytes_Of(Gateway_Text::Analyzer_Enabled), TReplySource::Other_Address},
                           {TGatewayBytes(3000, 0x41)},
                           {TGatewayBytes(9000, 0x41)}};
  Gateway.SetScript(Line({}, o));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Engine->Result(), 2);
  EXPECT_EQ(Engine->Datagrams_Foreign(), 2u);
  EXPECT_EQ(Engine->Datagrams_Oversized(), 2u);
}

TEST_F(WiredScan, TwoAnswersBeforeOneStepTheLastCounts) {
  TLineOptions o;
  o.Enable_Answer = Bytes_Of(Gateway_Text::Analyzer_Enabled);
  o.Extra_Before_Enable = {{Bytes_Of("garbage")}};
  Gateway.SetScript(Line({}, o));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_To_Step(301));
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Engine->Result(), 1);
}

TEST_F(WiredScan, TwoAnswersBeforeOneStepTheLastFails) {
  TLineOptions o;
  o.Extra_Before_Enable = {{Bytes_Of(Gateway_Text::Analyzer_Enabled)}};
  o.Enable_Answer = Bytes_Of("garbage");
  Gateway.SetScript(Line({}, o));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Engine->Result(), 2);
}

TEST_F(WiredScan, SecondarySearchWithOneSlave) {
  Gateway.SetScript(Line({{-1, "12345678", {Meter_Frame("12345678", 0xFD)}}}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(TScanType::saSecondaryAddress), Record()));
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  std::vector<std::string> expected = {Enable,         "SETUP 2400 2", "NKE 255",
                                       "SEL 0xxxxxxx", "SEL 1xxxxxxx", "UD2 7B 253"};
  for (int a = 2; a <= 9; ++a)
    expected.push_back("SEL " + std::to_string(a) + "xxxxxxx");
  expected.push_back(Disable);
  EXPECT_EQ(Labels(Gateway.Requests()), expected);
  EXPECT_EQ(Notifications, (std::vector<TNotification>{{1, 0, 0, 2}, {2, 0x12345678, 1, 2}, {3, 0, 0, 2}}));
}

TEST_F(WiredScan, SecondarySearchResolvesACollisionAtTheFifthDigit) {
  Gateway.SetScript(Line({{-1, "12345000", {Meter_Frame("12345000", 0xFD)}},
                          {-1, "12349000", {Meter_Frame("12349000", 0xFD)}}}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(TScanType::saSecondaryAddress), Record()));
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  const auto requests = Labels(Gateway.Requests());
  auto has = [&](const std::string& label) { return std::count(requests.begin(), requests.end(), label); };
  EXPECT_EQ(has("SEL 1xxxxxxx"), 1);
  EXPECT_EQ(has("SEL 12xxxxxx"), 1);
  EXPECT_EQ(has("SEL 1234xxxx"), 1);
  EXPECT_EQ(has("SEL 12345xxx"), 1);
  EXPECT_EQ(has("SEL 12349xxx"), 1);
  EXPECT_EQ(has("UD2 7B 253"), 2);
  EXPECT_EQ(Notifications, (std::vector<TNotification>{
                               {1, 0, 0, 2}, {2, 0x12345000, 1, 2}, {2, 0x12349000, 1, 2}, {3, 0, 0, 2}}));
}

TEST_F(WiredScan, TwoIdenticalNumbersAreNeitherRead) {
  Gateway.SetScript(Line({{-1, "55555555", {Meter_Frame("55555555", 0xFD)}},
                          {-1, "55555555", {Meter_Frame("55555555", 0xFD)}}}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(TScanType::saSecondaryAddress), Record()));
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  const auto requests = Labels(Gateway.Requests());
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "SEL 55555555"), 1);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "UD2 7B 253"), 0);
  EXPECT_EQ(Notifications, (std::vector<TNotification>{{1, 0, 0, 2}, {3, 0, 0, 2}}));
  EXPECT_EQ(List_Slave_MBus().Count(), 0);
}

TEST_F(WiredScan, StartWhileRunningChangesNothing) {
  Gateway.SetScript(Line({}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_To_Step(300));
  TWiredScanSettings other = Wired(TScanType::saSecondaryAddress);
  other.Baud = 300;
  EXPECT_FALSE(Engine->Start_Scan(other, Record()));
  ASSERT_TRUE(Run_To_Step(2));
  EXPECT_EQ(Labels(Gateway.Requests()).at(1), "SETUP 2400 2");
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
}

TEST_F(WiredScan, AbortAndWaitRunsTheClosingSteps) {
  Gateway.SetScript(Line({}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(), Record()));
  ASSERT_TRUE(Run_To_Step(10));
  Engine->Close_Gate();
  // The window's thread waits while the engine's turns go on.
  std::thread driver([&] { Run_To_End(); });
  EXPECT_TRUE(Engine->Abort_And_Wait(60000));
  driver.join();
  EXPECT_EQ(Labels(Gateway.Requests()).back(), Disable);
  EXPECT_FALSE(Engine->InScan());
}

// The window makes its engine with the gate closed and opens it when shown or when it aborts; a
// scan started before then runs from either.
TEST(WiredScanBeforeTheGateOpened, TheScanRunsAndEndsWithItsClosingSteps) {
  for (const bool byAbort : {false, true}) {
    SCOPED_TRACE(byAbort ? "Abort_And_Wait" : "Open_Gate");
    TScanFixture f("127.0.0.1", 0, "", false);
    f.Gateway.SetScript(Line({}));
    ASSERT_TRUE(f.Engine->Start_Scan(f.Wired(), f.Record()));
    if (byAbort) {
      std::thread driver([&] { f.Run_To_End(); });
      EXPECT_TRUE(f.Engine->Abort_And_Wait(60000));
      driver.join();
    } else {
      f.Engine->Open_Gate();
      ASSERT_TRUE(f.Run_To_Step(2));
      f.Engine->Abort_Scan();
      ASSERT_TRUE(f.Run_To_End());
      EXPECT_EQ(Labels(f.Gateway.Requests()).front(), Enable);
    }
    EXPECT_FALSE(f.Engine->InScan());
    EXPECT_EQ(Labels(f.Gateway.Requests()).back(), Disable);
  }
}

} // namespace

namespace {

// REQ_UD2 to `held` gets no answer; the test pushes one in the turn the wait runs out.
TEST_F(WiredScan, AnswersInTheTurnOfTheFrameTimeOut) {
  const std::string id = "00000001";
  auto line = Line({{1, id, {Meter_Frame(id, 1, true, 1), Meter_Frame(id, 1, false, 2)}}});
  int asked = 0;
  Gateway.SetScript([&, line](const TGatewayBytes& r) {
    // The second frame of address 1 and the frame of address 2 are held back.
    if (r.size() == 5 && r[0] == 0x10 && r[1] != 0x40 && (r[2] == 2 || (r[2] == 1 && asked++ == 1)))
      return std::vector<TGatewayReply>{};
    return line(r);
  });
  TWiredScanSettings s = Wired();
  s.CutAfter = 5;
  ASSERT_TRUE(Engine->Start_Scan(s, Record()));
  for (int address : {1, 2}) {
    ASSERT_TRUE(Run_Until([&] {
      const auto labels = Labels(Gateway.Requests());
      return Engine->Step() == 10 && !labels.empty() &&
             labels.back() == (address == 1 ? "UD2 5B 1" : "UD2 7B 2");
    }));
    const std::int64_t sent = Clock.NowMs();
    const TBytes late = address == 1 ? Meter_Frame(id, 1, false, 2) : Hex("68 03 03 68 08 02 72 7C 16");
    bool pushed = false;
    ASSERT_TRUE(Run_Until([&] {
      if (!pushed && Clock.NowMs() == sent + 1800) Gateway.Push(late), pushed = true;
      return Engine->Step() != 10;
    }));
    EXPECT_EQ(Clock.NowMs(), sent + 1840);
  }
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  // Address 1 found with both frames' records, address 2 not found once.
  EXPECT_EQ(Notifications, (std::vector<TNotification>{
                               {1, 0, 0, 1}, {2, 0, 0, 1}, {2, 1, 1, 1}, {2, 2, 0, 1}, {3, 0, 0, 1}}));
  const auto slaves = List_Slave_MBus().Snapshot();
  ASSERT_EQ(slaves.size(), 1u);
  EXPECT_EQ(slaves[0].List_Var.size(), 2u);
}

} // namespace

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

TEST_F(WiredScan, OverSerialNoGatewayCommandAndTheFramesOnTheLine) {
  int master = -1, slave = -1;
  char name[128] = {};
  ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  std::string line;
  auto read_line = [&] {
    char buf[256];
    for (ssize_t n; (n = ::read(master, buf, sizeof buf)) > 0;)
      line.append(buf, static_cast<std::size_t>(n));
  };
  TWiredScanSettings s = Wired();
  s.SelHard = TSelectHard::shSerial;
  s.IP_COM = name;
  ASSERT_TRUE(Engine->Start_Scan(s, Record()));
  EXPECT_TRUE(Engine->Serial().Enabled());
  ASSERT_TRUE(Run_Until([&] {
    read_line();
    return line.size() >= 15;
  }));
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
  read_line();
  EXPECT_EQ(TBytes(line.begin(), line.end()), Hex("10 40 FF 3F 16  10 7B 00 7B 16  10 7B 01 7C 16"));
  EXPECT_TRUE(Gateway.Requests().empty());
  EXPECT_FALSE(Engine->Serial().Enabled());
  EXPECT_EQ(Engine->Result(), 1);
  ::close(master);
  ::close(slave);
}

} // namespace

namespace {

TEST_F(WiredScan, SecondarySearchOpensWithDeselectResetAndBroadcast) {
  Gateway.SetScript(Line({}));
  TWiredScanSettings s = Wired(TScanType::saSecondaryAddress);
  s.SNDNKE = true;
  s.AppReset = true;
  s.FixCField = true;
  s.FixCFieldValue = 0;
  ASSERT_TRUE(Engine->Start_Scan(s, Record()));
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  std::vector<std::string> expected = {Enable, "SETUP 2400 2", "NKE 253", "RST 53 255", "NKE 255"};
  for (int a = 0; a <= 9; ++a)
    expected.push_back("SEL " + std::to_string(a) + "xxxxxxx");
  expected.push_back(Disable);
  EXPECT_EQ(Labels(Gateway.Requests()), expected);
  EXPECT_EQ(Notifications, (std::vector<TNotification>{{1, 0, 0, 2}, {3, 0, 0, 2}}));
}

TEST_F(WiredScan, StoppedSecondarySearchSendsNoEndNotification) {
  Gateway.SetScript(Line({}));
  ASSERT_TRUE(Engine->Start_Scan(Wired(TScanType::saSecondaryAddress), Record()));
  ASSERT_TRUE(Run_To_Step(109));
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
  Ui.Run();
  EXPECT_EQ(Notifications, (std::vector<TNotification>{{1, 0, 0, 2}}));
  EXPECT_EQ(Labels(Gateway.Requests()).back(), Disable);
}

} // namespace
