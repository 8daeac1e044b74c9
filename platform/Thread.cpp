#include "platform/Thread.h"

#include <pthread.h>

namespace {
// Static initialisation runs on the thread that starts the program.
const std::thread::id MainThreadId = std::this_thread::get_id();
} // namespace

TThread::~TThread() {
  Terminate();
  WaitFor();
}

void TThread::Start() {
  std::lock_guard lock(FStartLock);
  if (FThread.joinable() || FFinished.load()) return;
  FThread = std::thread([this] {
    Execute();
    FFinished.store(true);
  });
}

void TThread::WaitFor() {
  if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id()) FThread.join();
}

bool TThread::IsMainThread() {
  return std::this_thread::get_id() == MainThreadId;
}

void TThread::NameThreadForDebugging(const std::string& name) {
  pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
}
