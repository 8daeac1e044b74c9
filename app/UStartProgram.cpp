#include "app/UStartProgram.h"

#include "platform/Clock.h"
#include "platform/Files.h"

#include <filesystem>
#include <vector>

namespace {

TStartProgramIdle Idle = nullptr;

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false, quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

} // namespace

TStartProgramIdle Set_Start_Program_Idle(TStartProgramIdle idle) {
  TStartProgramIdle previous = Idle;
  Idle = idle;
  return previous;
}

TProcessResult Start_Program(const std::string& NomeSW, const std::string& Parameter, bool /*tipo*/) {
  if (NomeSW.empty()) return {TProcessOutcome::NotStarted, -1, "No program named"};
  std::filesystem::path program(NomeSW);
  if (program.is_relative()) program = std::filesystem::path(ProgramFolder()) / program;
  const std::string folder = program.parent_path().string();
  TProcessResult result = RunAndWait(program.string(), SplitCommandLine(Parameter), folder,
                                     Start_Program_Poll_Ms, Start_Program_Timeout_Ms, Idle);
  // One more poll interval after the end, so the program has let go of what it wrote.
  if (result.Outcome == TProcessOutcome::Exited) Clock().SleepMs(Start_Program_Poll_Ms);
  return result;
}
