// Starting other programs, waiting for them, and opening web addresses.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TProcessOutcome { NotStarted, Exited, TimedOut };

struct TProcessResult {
  TProcessOutcome Outcome = TProcessOutcome::NotStarted;
  int ExitCode = -1; // when Exited
  std::string Error; // when NotStarted: why
  int ProcessId = 0; // when TimedOut: the process, still running (the caller decides its fate)
};

class TProcess {
public:
  TProcess();
  ~TProcess(); // a process still running is left running
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  // Starts `program` with `arguments` in `workingDir` (empty: the current folder).
  bool Start(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& workingDir = {});
  std::string StartError() const;
  // True once the process has ended; then ExitCode() holds its code.
  bool Poll();
  int ExitCode() const;
  // Ends the process and everything it started; waits until it is gone.
  void Kill();
  int ProcessId() const; // 0 when not started

private:
  struct TImpl;
  std::unique_ptr<TImpl> Impl;
};

// Starts the program and polls every `pollMs` on the program clock until it ends or `timeoutMs`
// have passed; `idle` runs between polls (the windows keep painting there).
TProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingDir, std::int64_t pollMs, std::int64_t timeoutMs,
                          void (*idle)() = nullptr);
// Ends a process that RunAndWait left running, and everything it started.
void KillProcess(int processId);

// Opens a web address with the desktop's handler; tests replace the opener.
using TUrlOpener = void (*)(const std::string& url);
void OpenURL(const std::string& url);
TUrlOpener SetUrlOpener(TUrlOpener opener);

// The number of this program's process.
std::uint32_t CurrentProcessId();
