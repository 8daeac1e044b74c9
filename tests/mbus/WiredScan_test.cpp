#include "ScanFixture.h"
#include "mbus/GatewayProtocol.h"
#include "mbus/RequestFrames.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

// A meter on the simulated line: its primary address, its identification number and the frames
// it answers REQ_UD2 with, one after the other.
struct TSimSlave {
  int Primary = -1;
  std::string Id; // eight digits
  std::vector<TBytes> Frames;
};

// A long frame from the meter with this identification number; `more` announces a further frame.
TBytes Meter_Frame(const std::string& id, int address, bool more = false, int value = 10000) {
  char body[200];
  std::snprintf(body, sizeof body,
                "08 %02X 72 %c%c %c%c %c%c %c%c 93 15 33 03 2A 00 00 00 04 13 %02X %02X 00 00 %s", address,
                id[6], id[7], id[4], id[5], id[2], id[3], id[0], id[1], value & 0xFF, (value >> 8) & 0xFF,
                more ? "1F" : "");
  return LongFrame(body);
}

struct TLineOptions {
  bool Confirm_Analyzer = true;
  bool Confirm_Setup = true;
  int Confirm_Disable_After = 0; // disable attempts answered wrongly before the right answer; -1 never
  std::vector<TGatewayReply> Extra_Before_Enable; // sent before the answer to the enable command
  std::optional<TGatewayBytes> Enable_Answer;     // replaces the right answer
};

TLineOptions Opts(const std::function<void(TLineOptions&)>& edit) {
  TLineOptions o;
  edit(o);
  return o;
}

std::string Text_Of(const TGatewayBytes& b) {
  return std::string(b.begin(), b.end());
}

// The gateway in analyzer mode with the meters behind it.
TFakeGateway::TScript Line(std::vector<TSimSlave> slaves, TLineOptions o = {}) {
  struct TState {
    std::vector<TSimSlave> Slaves;
    TLineOptions Options;
    std::map<int, std::size_t> Next_Frame; // per slave
    int Selected = -1;
    int Disable_Seen = 0;
  };
  auto state = std::make_shared<TState>(TState{std::move(slaves), std::move(o), {}, -1, 0});
  return [state](const TGatewayBytes& r) -> std::vector<TGatewayReply> {
    TState& s = *state;
    const std::string text = Text_Of(r);
    if (text == Gateway_Text::Enable_Analyzer) {
      std::vector<TGatewayReply> replies = s.Options.Extra_Before_Enable;
      if (s.Options.Enable_Answer)
        replies.push_back({*s.Options.Enable_Answer});
      else if (s.Options.Confirm_Analyzer)
        replies.push_back({Bytes_Of(Gateway_Text::Analyzer_Enabled)});
      return replies;
    }
    if (text.starts_with("Ormida_S_M:"))
      return s.Options.Confirm_Setup ? std::vector<TGatewayReply>{{Bytes_Of(Gateway_Text::Setup_Done)}}
                                     : std::vector<TGatewayReply>{};
    if (text == Gateway_Text::Disable_Analyzer) {
      const int seen = s.Disable_Seen++;
      if (s.Options.Confirm_Disable_After < 0) return {};
      if (seen < s.Options.Confirm_Disable_After) return {{Bytes_Of("\n\rAnalyzer_Mode Disabled!\n\r!")}};
      return {{Bytes_Of(Gateway_Text::Analyzer_Disabled)}};
    }
    auto slave_at = [&](int a) -> TSimSlave* {
      for (TSimSlave& m : s.Slaves)
        if (m.Primary == a) return &m;
      return nullptr;
    };
    const TGatewayReply ack{Hex("E5")};
    if (r.size() == 5 && r[0] == 0x10 && r[1] == 0x40) { // SND_NKE
      if (r[2] == 0xFD) s.Selected = -1;
      if (r[2] == 0xFF && !s.Slaves.empty()) return {ack};
      if (slave_at(r[2])) return {ack};
      return {};
    }
    if (r.size() == 9 && r[6] == 0x50)
      return slave_at(r[5]) || r[5] == 0xFF ? std::vector{ack} : std::vector<TGatewayReply>{};
    if (r.size() == 5 && r[0] == 0x10) { // REQ_UD2
      TSimSlave* m = r[2] == 0xFD
                         ? (s.Selected >= 0 ? &s.Slaves[static_cast<std::size_t>(s.Selected)] : nullptr)
                         : slave_at(r[2]);
      if (!m || m->Frames.empty()) return {};
      std::size_t& next = s.Next_Frame[m->Primary * 1000 + static_cast<int>(m - s.Slaves.data())];
      const TBytes frame = m->Frames[std::min(next, m->Frames.size() - 1)];
      ++next;
      return {{frame}};
    }
    if (r.size() == 17 && r[6] == 0x52) { // selection
      char mask[9] = {};
      for (int pair = 0; pair < 4; ++pair) {
        const std::uint8_t b = r[static_cast<std::size_t>(10 - pair)];
        mask[pair * 2] = (b >> 4) == 0xF ? '?' : static_cast<char>('0' + (b >> 4));
        mask[pair * 2 + 1] = (b & 0xF) == 0xF ? '?' : static_cast<char>('0' + (b & 0xF));
      }
      std::vector<int> matches;
      for (std::size_t i = 0; i < s.Slaves.size(); ++i) {
        bool match = true;
        for (int d = 0; d < 8; ++d)
          if (mask[d] != '?' && mask[d] != s.Slaves[i].Id[static_cast<std::size_t>(d)]) match = false;
        if (match) matches.push_back(static_cast<int>(i));
      }
      if (matches.empty()) return {{Bytes_Of("NO_SLAVE\n\r")}};
      if (matches.size() == 1) {
        s.Selected = matches[0];
        s.Next_Frame[s.Slaves[static_cast<std::size_t>(s.Selected)].Primary * 1000 + s.Selected] = 0;
        return {ack};
      }
      return {{Hex("E5 E5")}};
    }
    return {};
  };
}

// Requests as short labels: gateway texts as they are, frames by kind.
std::string Label(const TGatewayBytes& r) {
  const std::string text = Text_Of(r);
  if (text.starts_with("Ormida_S_M:"))
    return "SETUP " + std::to_string(r[11] << 24 | r[12] << 16 | r[13] << 8 | r[14]) + " " +
           std::to_string(r[16]);
  if (text.starts_with("Ormida")) return text;
  char buf[40];
  if (r.size() == 5 && r[1] == 0x40) return std::snprintf(buf, sizeof buf, "NKE %d", r[2]), buf;
  if (r.size() == 5) return std::snprintf(buf, sizeof buf, "UD2 %02X %d", r[1], r[2]), buf;
  if (r.size() == 9) return std::snprintf(buf, sizeof buf, "RST %02X %d", r[4], r[5]), buf;
  if (r.size() == 17) {
    std::string mask;
    for (int pair = 0; pair < 4; ++pair)
      for (int nib :
           {r[static_cast<std::size_t>(10 - pair)] >> 4, r[static_cast<std::size_t>(10 - pair)] & 0xF})
        mask += nib == 0xF ? 'x' : static_cast<char>('0' + nib);
    return "SEL " + mask;
  }
  return "?";
}

std::vector<std::string> Labels(const std::vector<TGatewayBytes>& requests) {
  std::vector<std::string> out;
  for (const auto& r : requests)
    out.push_back(Label(r));
  return out;
}

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
