// A thread object: derive, put the work into Execute, Start it, and Terminate plus WaitFor to end it.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

class TThread {
public:
  TThread() = default;
  // A thread still running is told to end and waited for (a derived class that Execute uses must
  // do that in its own destructor, before its members go).
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Runs Execute on a new thread; a second call, from any thread, does nothing.
  void Start();
  // Asks Execute to end; it checks Terminated between steps.
  virtual void Terminate() { FTerminated.store(true); }
  bool Terminated() const { return FTerminated.load(); }
  // Waits until Execute has returned; at once when never started.
  void WaitFor();
  bool Finished() const { return FFinished.load(); }

  // The thread that started the program (the user-interface thread).
  static bool IsMainThread();

protected:
  virtual void Execute() = 0;
  // Names the calling thread for debuggers (up to 15 characters are kept).
  static void NameThreadForDebugging(const std::string& name);

private:
  std::mutex FStartLock; // callers may race to start a thread made on first use
  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
};
