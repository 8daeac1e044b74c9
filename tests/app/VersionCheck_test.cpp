// The version check: reading version texts, the request, the replies that do and do not announce a
// newer version, failures that never block beyond the time-out, the timer, and the two links.
#include "MainWindowFixture.h"

#include "app/USoftOptions.h"
#include "platform/Clock.h"
#include "support/LocalHttpServer.h"

#include <chrono>
#include <string>
#include <vector>

namespace {

using TVersionCheckTest = TShellTest;

TEST(ConvVersion, ReadsTheFourDigitsAroundThePoint) {
  const std::pair<const char*, int> cases[] = {
      {"VER. 1.234", 1234},
      {"1.000", 1000},
      {"ver. 2.000", 2000},
      {"VER.  0.999 ", 999},
      {"VER. 12.34", -1},
      {"VER. 1.2", -1},
      {"", -1},
      {"VER.", -1},
      {"VER. a.bcd", -1},
      {"VER. -.001", -1},
      {"VER. 1,234", 1234},
      {"VER. 1.2345", 1234},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(Conv_Version(text), value) << "\"" << text << "\"";
}

TEST_F(TVersionCheckTest, TheRequestAsksForThisProgramsVersion) {
  TLocalHttpServer server;
  server.Reply(200, "VER. 1.000");
  SetVersionCheckHost(server.Host());
  EXPECT_FALSE(Check_Version());
  ASSERT_EQ(server.RequestCount(), 1u);
  const TRecordedRequest r = server.Requests()[0];
  EXPECT_EQ(r.RequestLine, "GET /home/download/GetversionSW.asp?nomesw=SWZ9K59 HTTP/1.0");
  auto header = [&](const std::string& name) {
    for (const auto& [n, v] : r.Headers)
      if (n == name) return v;
    return std::string("(missing)");
  };
  EXPECT_EQ(header("Accept"), "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  EXPECT_EQ(header("User-Agent"), "Mozilla/3.0 (compatible; HTTP client)");
}

TEST_F(TVersionCheckTest, OnlyANewerVersionShowsTheUpdateLink) {
  TLocalHttpServer server;
  SetVersionCheckHost(server.Host());
  TFVelmariceFirmWare& f = Start();
  struct TCase {
    int Status;
    std::string Body;
    bool Newer;
  };
  const TCase cases[] = {
      {200, "VER. 1.001", true},  {200, "ver. 2.000", true},  {200, " VER. 1.500\r\n", true},
      {200, "", false},           {200, "VER. 1.000", false}, {200, "VER. 0.999", false},
      {200, "VER. 0.000", false}, {500, "VER. 2.000", false}, {404, "", false},
      {200, "VER. 12.34", false}, {200, "2.0", false},        {200, "<html>oops</html>", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Status) + " \"" + c.Body + "\"");
    server.Reply(c.Status, c.Body);
    f.LL_Update->SetVisible(!c.Newer);
    f.Timer_UpdateTimer(f.Timer_Update);
    EXPECT_EQ(f.LL_Update->Visible(), c.Newer);
    if (c.Newer) {
      EXPECT_EQ(f.LL_Update->Caption(), "<a href=\"" + Download_Page_Url() +
                                            "\">New Version Available. Click Here for more Details</a>");
      EXPECT_EQ(f.LL_Update->LinkCount(), 1);
    }
  }
  EXPECT_EQ(server.RequestCount(), std::size(cases));
}

TEST_F(TVersionCheckTest, FailuresCountAsNoNewerVersionWithinTheTimeOut) {
  Set_Version_Check_Timeout(300);
  struct TCase {
    const char* Name;
    void (*Serve)(TLocalHttpServer&);
  };
  const TCase cases[] = {
      {"1 MB reply", [](TLocalHttpServer& s) { s.ReplyHuge(1 << 20); }},
      {"never answers", [](TLocalHttpServer& s) { s.Hang(); }},
      {"no server", nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TLocalHttpServer server;
    if (c.Serve) {
      c.Serve(server);
      SetVersionCheckHost(server.Host());
    } else {
      SetVersionCheckHost("127.0.0.1:" + std::to_string(TLocalHttpServer::ClosedPort()));
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Ask_Version(), TVersionAnswer::NoAnswer);
    // Far below the default time-out: the shortened one was used.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  }
}

TEST_F(TVersionCheckTest, TheTimerChecksAfterAMinuteThenEveryTwoHoursWhenBothOptionsAreOn) {
  TFakeClock clock;
  TScopedClock use(clock);
  TLocalHttpServer server;
  server.Reply(200, "VER. 1.001");
  SetVersionCheckHost(server.Host());
  Dir.Write("Velmaric.xml", "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
                            "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
  TFVelmariceFirmWare& f = Start();
  ASSERT_TRUE(f.Timer_Update->Enabled());

  const std::pair<std::int64_t, std::size_t> steps[] = {
      {59999, 0}, {1, 1}, {7199999, 1}, {1, 2}, {7200000, 3},
  };
  for (const auto& [advance, requests] : steps) {
    clock.Advance(advance);
    Application->ProcessTimers();
    EXPECT_EQ(server.RequestCount(), requests) << "at " << clock.Now;
  }
  EXPECT_TRUE(f.LL_Update->Visible());
  EXPECT_EQ(f.Timer_Update->Interval(), Version_Check_Every_Ms);
}

TEST_F(TVersionCheckTest, TheTimerStaysOffUnlessBothOptionsAreOnAndOptionsOkStartsIt) {
  TFakeClock clock;
  TScopedClock use(clock);
  TLocalHttpServer server;
  server.Reply(200, "VER. 1.000");
  SetVersionCheckHost(server.Host());
  Dir.Write("Velmaric.xml", "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
                            "<enable_update>0</enable_update></lastinternet></Conf_Settings>");
  TFVelmariceFirmWare& f = Start();
  EXPECT_FALSE(f.Timer_Update->Enabled());
  clock.Advance(3 * Version_Check_Every_Ms);
  Application->ProcessTimers();
  EXPECT_EQ(server.RequestCount(), 0u);

  Headless::OnNextModal([](TForm& d) {
    Headless::PickItem(d, "PC_Options", 1);
    Headless::Tick(d, "CB_Update");
    Headless::Click(d, "Btn_OK");
  });
  Headless::Click(f, "Btn_Opz");
  ASSERT_TRUE(f.Timer_Update->Enabled());
  clock.Advance(Version_Check_First_Ms - 1);
  Application->ProcessTimers();
  EXPECT_EQ(server.RequestCount(), 0u);
  clock.Advance(1);
  Application->ProcessTimers();
  EXPECT_EQ(server.RequestCount(), 1u);
  EXPECT_FALSE(f.LL_Update->Visible());
}

TEST_F(TVersionCheckTest, TheOptionsWindowShowsTheLinkThatThereIsNoUpdateOrThatItGotNoAnswer) {
  TLocalHttpServer server;
  SetVersionCheckHost(server.Host());
  TFVelmariceFirmWare& f = Start();
  const std::string link =
      "<a href=\"" + Download_Page_Url() + "\">New Version Available. Click Here for more Details</a>";
  struct TCase {
    int Status; // 0: no server at all
    std::string Body;
    std::string Shown;
  };
  const TCase cases[] = {
      {200, "VER. 1.001", link},
      {200, "VER. 1.000", "No Update Available"},
      {200, "", "No Update Available"},
      {500, "VER. 2.000", "Update Check not Possible. Check the Internet Connection"},
      {404, "", "Update Check not Possible. Check the Internet Connection"},
      {0, "", "Update Check not Possible. Check the Internet Connection"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Status) + " \"" + c.Body + "\"");
    if (c.Status) {
      server.Reply(c.Status, c.Body);
      SetVersionCheckHost(server.Host());
    } else {
      SetVersionCheckHost("127.0.0.1:" + std::to_string(TLocalHttpServer::ClosedPort()));
    }
    Headless::OnNextModal([&c, &link](TForm& form) {
      auto& d = static_cast<TFSoftOptions&>(form);
      Headless::PickItem(d, "PC_Options", 1);
      EXPECT_FALSE(d.LL_Check_Update->Visible());
      Headless::Tick(d, "CB_En_Con");
      Headless::Tick(d, "CB_Update");
      Headless::Click(d, "Btn_Check_Update");
      EXPECT_TRUE(d.LL_Check_Update->Visible());
      EXPECT_EQ(d.LL_Check_Update->Caption(), c.Shown);
      EXPECT_EQ(d.LL_Check_Update->LinkCount(), c.Shown == link ? 1 : 0);
      if (c.Shown == link) {
        EXPECT_TRUE(d.LL_Check_Update->ClickLink(0));
      }
      Headless::Click(d, "Btn_Cancel");
    });
    Headless::Click(f, "Btn_Opz");
  }
  EXPECT_EQ(Opened(),
            std::vector<std::string>{"http://" + server.Host() + "/Home/download/download.asp#HDZ9K59"});
}

} // namespace
