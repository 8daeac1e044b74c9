#include "platform/TaskNumber.h"

#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <stdexcept>
#include <sys/syscall.h>
#include <unistd.h>

struct TTaskNumberHold::TImpl {
  std::mutex Lock;
  std::condition_variable Changed;
  std::uint32_t Number = 0;
  bool Started = false;
  bool Release = false;
  pthread_t Thread{};

  static void* Run(void* self) {
    auto& impl = *static_cast<TImpl*>(self);
    std::unique_lock<std::mutex> lock(impl.Lock);
    impl.Number = static_cast<std::uint32_t>(::syscall(SYS_gettid));
    impl.Started = true;
    impl.Changed.notify_all();
    impl.Changed.wait(lock, [&] { return impl.Release; });
    return nullptr;
  }
};

TTaskNumberHold::TTaskNumberHold() : Impl(std::make_unique<TImpl>()) {
  // The thread only waits: a small stack does.
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 64 * 1024);
  const int error = pthread_create(&Impl->Thread, &attr, &TImpl::Run, Impl.get());
  pthread_attr_destroy(&attr);
  if (error != 0) throw std::runtime_error("Cannot start a thread to hold a task number");
  std::unique_lock<std::mutex> lock(Impl->Lock);
  Impl->Changed.wait(lock, [&] { return Impl->Started; });
}

TTaskNumberHold::~TTaskNumberHold() {
  {
    std::lock_guard<std::mutex> lock(Impl->Lock);
    Impl->Release = true;
  }
  Impl->Changed.notify_all();
  pthread_join(Impl->Thread, nullptr);
}

std::uint32_t TTaskNumberHold::Value() const {
  return Impl->Number;
}
