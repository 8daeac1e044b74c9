// A program-wide list of slaves shared between the thread that decodes and the window: every
// access goes through its one lock, and other threads work on snapshots taken under it.
#pragma once

#include <mutex>
#include <optional>
#include <utility>
#include <vector>

template <class TSlave> class TSlaveList {
public:
  // Runs `work` on the slaves with the lock held; keep it short and call out of it nothing that
  // could come back to the list.
  template <class TWork> decltype(auto) Locked(TWork&& work) {
    std::lock_guard lock(Mutex);
    return std::forward<TWork>(work)(Slaves);
  }
  template <class TWork> decltype(auto) Locked(TWork&& work) const {
    std::lock_guard lock(Mutex);
    return std::forward<TWork>(work)(std::as_const(Slaves));
  }

  std::vector<TSlave> Snapshot() const {
    std::lock_guard lock(Mutex);
    return Slaves;
  }
  std::optional<TSlave> SnapshotAt(int index) const {
    std::lock_guard lock(Mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= Slaves.size()) return std::nullopt;
    return Slaves[static_cast<std::size_t>(index)];
  }
  int Count() const {
    std::lock_guard lock(Mutex);
    return static_cast<int>(Slaves.size());
  }
  void Clear() {
    std::lock_guard lock(Mutex);
    Slaves.clear();
  }

private:
  mutable std::mutex Mutex;
  std::vector<TSlave> Slaves;
};
