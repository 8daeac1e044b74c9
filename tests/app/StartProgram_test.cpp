#include "app/UStartProgram.h"

#include "platform/Clock.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A clock that never moves: the runner polls until the program really ends, without sleeping.
// It counts the waits asked of it.
class TFrozenClock : public TClock {
public:
  std::int64_t NowMs() override { return 0; }
  void SleepMs(std::int64_t ms) override { Waits.push_back(ms); }
  std::vector<std::int64_t> Waits;
};

int IdleCalls = 0;
void CountIdle() {
  ++IdleCalls;
}

class StartProgram : public ::testing::Test {
protected:
  TTempDir Dir;
  std::string SavedProgramFolder = ProgramFolder();

  void SetUp() override {
    IdleCalls = 0;
    Set_Start_Program_Idle(CountIdle);
  }
  void TearDown() override {
    Set_Start_Program_Idle(nullptr);
    SetProgramFolder(SavedProgramFolder);
  }

  std::string Script(const std::string& name, const std::string& body) {
    std::string path = Dir.Write(name, "#!/bin/sh\n" + body);
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    return path;
  }
};

TEST_F(StartProgram, ProgramThatEndsAtOnceGivesItsExitCode) {
  TFrozenClock clock;
  TScopedClock useClock(clock);
  const std::string updater = Script("bin/updater.sh", "pwd > cwd.txt\n"
                                                       "printf '%s\\n' \"$@\" > args.txt\n"
                                                       "exit 3\n");
  const TProcessResult result = Start_Program(updater, "one \"two words\"  three", false);
  ASSERT_EQ(result.Outcome, TProcessOutcome::Exited) << result.Error;
  EXPECT_EQ(result.ExitCode, 3);
  // One wait between polls after each repaint, and one more once the program has ended.
  EXPECT_EQ(clock.Waits.size(), static_cast<std::size_t>(IdleCalls) + 1);
  EXPECT_EQ(clock.Waits, std::vector<std::int64_t>(clock.Waits.size(), Start_Program_Poll_Ms));
  EXPECT_EQ(Dir.Read("bin/args.txt"), "one\ntwo words\nthree\n");
  // It runs in its own folder, where it finds its command file.
  EXPECT_EQ(fs::canonical(Dir.Read("bin/cwd.txt").substr(0, Dir.Read("bin/cwd.txt").size() - 1)),
            fs::canonical(Dir.File("bin")));
}

TEST_F(StartProgram, RelativeNameIsTakenFromTheProgramFolder) {
  TFrozenClock clock;
  TScopedClock useClock(clock);
  Script("Ethernet_Update.exe", "exit 0\n");
  SetProgramFolder(Dir.Path());
  const TProcessResult result = Start_Program("Ethernet_Update.exe", "", false);
  ASSERT_EQ(result.Outcome, TProcessOutcome::Exited) << result.Error;
  EXPECT_EQ(result.ExitCode, 0);
}

TEST_F(StartProgram, GivesUpAfterTheTimeOutAndKeepsPainting) {
  TFakeClock clock;
  TScopedClock useClock(clock);
  // Runs until stopped, or at the latest until its folder is gone; the runner's clock is fake, so
  // the wait costs no real time.
  const std::string stuck = Script("stuck.sh", "while [ -d \"$1\" ]; do sleep 0.05; done\n");
  const TProcessResult result = Start_Program(stuck, "\"" + Dir.Path() + "\"", true);
  KillProcess(result.ProcessId); // the runner leaves it running
  EXPECT_GT(result.ProcessId, 0);
  EXPECT_EQ(result.Outcome, TProcessOutcome::TimedOut);
  EXPECT_GE(clock.Now, Start_Program_Timeout_Ms);
  EXPECT_LE(clock.Now, Start_Program_Timeout_Ms + 2 * Start_Program_Poll_Ms);
  // The windows get their chance between polls, roughly once every 10 ms.
  EXPECT_GE(IdleCalls, Start_Program_Timeout_Ms / Start_Program_Poll_Ms - 1);
}

TEST_F(StartProgram, ProgramThatCannotStartIsReported) {
  TFakeClock clock;
  TScopedClock useClock(clock);
  const std::string notExecutable = Dir.Write("plain.txt", "#!/bin/sh\nexit 0\n");
  const std::string cases[] = {Dir.File("missing/Ethernet_Update.exe"), notExecutable, Dir.Path(), ""};
  for (const std::string& program : cases) {
    const TProcessResult result = Start_Program(program, "", false);
    EXPECT_EQ(result.Outcome, TProcessOutcome::NotStarted) << program;
    EXPECT_FALSE(result.Error.empty()) << program;
    EXPECT_EQ(clock.Now, 0) << program; // no waiting for a program that never ran
  }
}

} // namespace
