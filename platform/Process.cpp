#include "platform/Process.h"

#include "platform/Clock.h"
#include "platform/Files.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string Absolute(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  char buffer[4096];
  if (!::getcwd(buffer, sizeof buffer)) return path;
  return std::string(buffer) + "/" + path;
}

// Reaps the child; true when it has ended and `code` holds its exit code (128 + signal when killed).
bool Reap(pid_t pid, int options, int& code) {
  int status = 0;
  pid_t r;
  do {
    r = ::waitpid(pid, &status, options);
  } while (r < 0 && errno == EINTR);
  if (r == 0) return false;
  if (r < 0) { // not ours any more: count it as ended
    code = -1;
    return true;
  }
  if (WIFEXITED(status))
    code = WEXITSTATUS(status);
  else if (WIFSIGNALED(status))
    code = 128 + WTERMSIG(status);
  else
    return false;
  return true;
}

void KillGroup(pid_t pid) {
  // The child leads its own process group, so helpers it started end with it.
  if (::kill(-pid, SIGKILL) != 0) ::kill(pid, SIGKILL);
}

} // namespace

struct TProcess::TImpl {
  pid_t Pid = 0;
  bool Ended = false;
  int Code = -1;
  std::string Error;
};

TProcess::TProcess() : Impl(std::make_unique<TImpl>()) {}
TProcess::~TProcess() = default;

bool TProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir) {
  *Impl = TImpl{};
  std::string path = Absolute(program);
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) {
    Impl->Error = "The program \"" + program + "\" does not exist";
    return false;
  }
  if (!S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0) {
    Impl->Error = "The file \"" + program + "\" is not an executable program";
    return false;
  }
  if (!workingDir.empty() && !DirectoryExists(workingDir)) {
    Impl->Error = "The folder \"" + workingDir + "\" does not exist";
    return false;
  }

  std::vector<std::string> argvText;
  argvText.push_back(path);
  argvText.insert(argvText.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : argvText)
    argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  if (!workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  pid_t pid = 0;
  int error = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    Impl->Error = "The program \"" + program + "\" cannot be started: " + std::strerror(error);
    return false;
  }
  Impl->Pid = pid;
  return true;
}

std::string TProcess::StartError() const {
  return Impl->Error;
}

bool TProcess::Poll() {
  if (Impl->Pid == 0) return false;
  if (!Impl->Ended) Impl->Ended = Reap(Impl->Pid, WNOHANG, Impl->Code);
  return Impl->Ended;
}

int TProcess::ExitCode() const {
  return Impl->Ended ? Impl->Code : -1;
}

void TProcess::Kill() {
  if (Impl->Pid == 0 || Impl->Ended) return;
  KillGroup(Impl->Pid);
  Impl->Ended = Reap(Impl->Pid, 0, Impl->Code);
}

int TProcess::ProcessId() const {
  return Impl->Pid;
}

TProcessResult RunAndWait(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingDir, std::int64_t pollMs, std::int64_t timeoutMs,
                          void (*idle)()) {
  TProcessResult result;
  TProcess process;
  if (!process.Start(program, arguments, workingDir)) {
    result.Error = process.StartError();
    return result;
  }
  if (pollMs < 1) pollMs = 1; // a wait must let the clock move
  const std::int64_t start = Clock().NowMs();
  for (;;) {
    if (process.Poll()) {
      result.Outcome = TProcessOutcome::Exited;
      result.ExitCode = process.ExitCode();
      return result;
    }
    if (Clock().NowMs() - start > timeoutMs) {
      result.Outcome = TProcessOutcome::TimedOut;
      result.ProcessId = process.ProcessId();
      return result;
    }
    if (idle) idle();
    Clock().SleepMs(pollMs);
  }
}

void KillProcess(int processId) {
  if (processId <= 0) return;
  KillGroup(processId);
  int code = 0;
  Reap(processId, 0, code);
}

// --- Web addresses ----------------------------------------------------------------------------

namespace {

// Hands the address to the desktop's opener without waiting for it; a shell in between detaches it.
void DesktopOpener(const std::string& url) {
  const char* argv[] = {"/bin/sh", "-c", "xdg-open \"$1\" >/dev/null 2>&1 &", "sh", url.c_str(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) == 0) {
    int code = 0;
    Reap(pid, 0, code);
  }
}

TUrlOpener& Opener() {
  static TUrlOpener opener = DesktopOpener;
  return opener;
}

} // namespace

void OpenURL(const std::string& url) {
  Opener()(url);
}

TUrlOpener SetUrlOpener(TUrlOpener opener) {
  TUrlOpener previous = Opener();
  Opener() = opener ? opener : DesktopOpener;
  return previous;
}

std::uint32_t CurrentProcessId() {
  return static_cast<std::uint32_t>(::getpid());
}
