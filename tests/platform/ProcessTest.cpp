#include "platform/Process.h"

#include "platform/Clock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

int IdleCalls = 0;
void CountIdle() {
  ++IdleCalls;
}

} // namespace

TEST(RunAndWait, ProgramThatEndsAtOnceGivesItsExitCode) {
  TTempDir dir;
  std::string program = dir.WriteScript("quick.sh", "echo \"$1 $2\" > \"$PWD/args.txt\"\nexit 3");
  dir.MakeDir("work");
  TFakeClock clock;
  TScopedClock scope(clock);
  // A time-out far away on the fake clock: the real process always ends first.
  TProcessResult r = RunAndWait(program, {"two words", "x"}, dir.File("work"), 10, 1'000'000'000, nullptr);
  EXPECT_EQ(r.Outcome, TProcessOutcome::Exited);
  EXPECT_EQ(r.ExitCode, 3);
  EXPECT_EQ(dir.Read("work/args.txt"), "two words x\n");
}

TEST(RunAndWait, ProgramStillRunningIsGivenUpAfterTheTimeOut) {
  TTempDir dir;
  std::string program = dir.WriteScript("slow.sh", "sleep 600");
  TFakeClock clock;
  TScopedClock scope(clock);
  IdleCalls = 0;
  TProcessResult r = RunAndWait(program, {}, {}, 10, 149999, CountIdle);
  EXPECT_EQ(r.Outcome, TProcessOutcome::TimedOut);
  EXPECT_EQ(clock.NowMs(), 150000);
  EXPECT_EQ(IdleCalls, 15000);
  ASSERT_GT(r.ProcessId, 0);
  EXPECT_TRUE(ProcessAlive(r.ProcessId)); // left running
  KillProcess(r.ProcessId);
  EXPECT_FALSE(ProcessAlive(r.ProcessId));
}

TEST(RunAndWait, ProgramsThatCannotStartSayWhy) {
  TTempDir dir;
  dir.Write("plain.txt", "not a program");
  std::string noShebang = dir.Write("noshebang", "\x7f"
                                                 "ELF broken");
  dir.SetMode("noshebang", 0755);
  std::string ok = dir.WriteScript("ok.sh", "exit 0");
  struct TCase {
    std::string Program;
    std::string WorkingDir;
  };
  const TCase cases[] = {
      {dir.File("Ethernet_Update.exe"), ""}, // missing
      {dir.File("plain.txt"), ""},           // not executable
      {dir.Path(), ""},                      // a folder
      {noShebang, ""},                       // the system refuses it
      {ok, dir.File("missing")},             // no such working folder
      {"", ""},
  };
  TFakeClock clock;
  TScopedClock scope(clock);
  for (const auto& c : cases) {
    TProcessResult r = RunAndWait(c.Program, {}, c.WorkingDir, 10, 1000, nullptr);
    EXPECT_EQ(r.Outcome, TProcessOutcome::NotStarted) << c.Program;
    EXPECT_FALSE(r.Error.empty()) << c.Program;
    EXPECT_EQ(clock.NowMs(), 0) << c.Program; // no waiting for nothing
  }
}

TEST(TProcess, PollKillAndExitCode) {
  TTempDir dir;
  TProcess process;
  EXPECT_FALSE(process.Poll());
  EXPECT_EQ(process.ProcessId(), 0);
  ASSERT_TRUE(process.Start(dir.WriteScript("wait.sh", "sleep 600 & wait"), {}));
  EXPECT_FALSE(process.Poll());
  process.Kill();
  EXPECT_TRUE(process.Poll());
  EXPECT_EQ(process.ExitCode(), 128 + 9);
}

namespace {
std::vector<std::string> Opened;
void RecordUrl(const std::string& url) {
  Opened.push_back(url);
}
} // namespace

TEST(OpenURL, GoesThroughTheReplaceableOpener) {
  Opened.clear();
  TUrlOpener before = SetUrlOpener(RecordUrl);
  OpenURL("http://www.example.com/HOME/default.asp?frompg=SWZ9K59");
  SetUrlOpener(before);
  EXPECT_EQ(Opened, std::vector<std::string>{"http://www.example.com/HOME/default.asp?frompg=SWZ9K59"});
}
