#include "tree/NodeTreesWorkerThread.h"

#include "platform/SyncObjects.h"
#include "platform/ui/Application.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <unordered_map>

struct TSyncCall {
  std::function<void()> Fn;
  bool Running = false;
  bool Done = false;
  bool Abandoned = false;
};

namespace {

// The worker's program-wide state; one mutex guards the queue, the current tree and every mailbox.
struct TWorkerState {
  std::mutex Lock;
  std::condition_variable Changed;
  TAutoResetEvent WorkEvent;
  std::deque<TBaseNodeTree*> Waiters;
  TBaseNodeTree* Current = nullptr;
  std::unordered_map<TBaseNodeTree*, std::vector<TTreeMail>> Mail;
  int RefCount = 0;
  TWorkerThread* Thread = nullptr;
};

TWorkerState& State() {
  static auto* state = new TWorkerState;
  return *state;
}

} // namespace

TWorkerThread::~TWorkerThread() {
  Terminate();
  State().WorkEvent.SetEvent();
  WaitFor();
}

void TWorkerThread::AddReference() {
  TWorkerState& s = State();
  std::lock_guard lock(s.Lock);
  // The object stands for the worker while trees use it; its thread starts with the first tree
  // queued, as most programs never hold a tree large enough to need one.
  if (s.RefCount++ == 0) {
    s.WorkEvent.ResetEvent();
    s.Thread = new TWorkerThread;
  }
}

void TWorkerThread::ReleaseReference(TBaseNodeTree* Tree) {
  TWorkerState& s = State();
  RemoveTree(Tree);
  TWorkerThread* ending = nullptr;
  {
    std::lock_guard lock(s.Lock);
    s.Mail.erase(Tree);
    if (--s.RefCount == 0) std::swap(ending, s.Thread);
  }
  if (ending) {
    ending->Terminate();
    s.WorkEvent.SetEvent();
    delete ending; // waits for the thread's end
  }
}

bool TWorkerThread::Running() {
  TWorkerState& s = State();
  std::lock_guard lock(s.Lock);
  return s.Thread != nullptr && !s.Thread->Finished();
}

void TWorkerThread::AddTree(TBaseNodeTree* Tree) {
  Assert(Tree != nullptr, "Tree must not be nil.");
  Tree->DoStateChange({}, {tsStopValidation});
  TWorkerState& s = State();
  {
    std::lock_guard lock(s.Lock);
    if (std::find(s.Waiters.begin(), s.Waiters.end(), Tree) == s.Waiters.end()) s.Waiters.push_back(Tree);
    if (s.Thread) s.Thread->Start(); // at once when already started
  }
  s.WorkEvent.SetEvent();
}

void TWorkerThread::RemoveTree(TBaseNodeTree* Tree) {
  Assert(Tree != nullptr, "Tree must not be nil.");
  TWorkerState& s = State();
  {
    std::lock_guard lock(s.Lock);
    std::erase(s.Waiters, Tree);
  }
  // A worker waiting for a call of this tree looks at the stop mark again.
  s.Changed.notify_all();
  WaitForTree(Tree);
}

void TWorkerThread::WaitForTree(TBaseNodeTree* Tree, bool queued) {
  TWorkerState& s = State();
  std::unique_lock lock(s.Lock);
  for (;;) {
    auto it = s.Mail.find(Tree);
    if (it != s.Mail.end() && !it->second.empty()) {
      std::vector<TTreeMail> mail = std::move(it->second);
      it->second.clear();
      lock.unlock();
      Tree->ApplyMail(mail);
      lock.lock();
      continue;
    }
    const bool busy = s.Current == Tree ||
                      (queued && std::find(s.Waiters.begin(), s.Waiters.end(), Tree) != s.Waiters.end());
    if (!busy) break;
    s.Changed.wait(lock);
  }
}

void TWorkerThread::DeliverMail(TBaseNodeTree* Tree) {
  TWorkerState& s = State();
  std::vector<TTreeMail> mail;
  {
    std::lock_guard lock(s.Lock);
    auto it = s.Mail.find(Tree);
    if (it == s.Mail.end() || it->second.empty()) return;
    mail = std::move(it->second);
    it->second.clear();
  }
  Tree->ApplyMail(mail);
}

void TWorkerThread::Post(TBaseNodeTree* Tree, TTreeMail mail) {
  TWorkerState& s = State();
  {
    std::lock_guard lock(s.Lock);
    s.Mail[Tree].push_back(std::move(mail));
  }
  s.Changed.notify_all();
  // The tree cannot go while the worker is on it: its destructor waits for the worker.
  PostMessage(Tree, WM_TREESTATECHANGE);
}

bool TWorkerThread::RunOnUiThread(TBaseNodeTree* Tree, std::function<void()> call) {
  auto sync = std::make_shared<TSyncCall>();
  sync->Fn = std::move(call);
  TTreeMail mail;
  mail.Call = sync;
  Post(Tree, std::move(mail));
  TWorkerState& s = State();
  std::unique_lock lock(s.Lock);
  s.Changed.wait(lock,
                 [&] { return sync->Done || (!sync->Running && Tree->TreeStates().Has(tsStopValidation)); });
  if (!sync->Done) sync->Abandoned = true;
  return sync->Done;
}

void TBaseNodeTree::ApplyMail(std::vector<TTreeMail>& mail) {
  TWorkerState& s = State();
  for (TTreeMail& item : mail) {
    if (item.Call) {
      bool run;
      {
        std::lock_guard lock(s.Lock);
        run = !item.Call->Abandoned && !TreeStates().Has(tsStopValidation);
        item.Call->Running = run;
      }
      if (run) {
        FInWorkerCall = true;
        try {
          item.Call->Fn();
        } catch (...) {
        }
        FInWorkerCall = false;
      }
      {
        std::lock_guard lock(s.Lock);
        item.Call->Running = false;
        item.Call->Done = run;
      }
      s.Changed.notify_all();
      continue;
    }
    if (item.HasCache) FPositionCache = std::move(item.Cache);
    DoStateChange(item.Enter, item.Leave);
    if (item.UpdateScrollBars) UpdateScrollBars(true);
    // The end of a build: an edit box follows the node it edits.
    if (item.Leave.Has(tsValidating)) UpdateEditBounds();
  }
}

void TWorkerThread::Execute() {
  NameThreadForDebugging("NodeTrees.TWorkerThread");
  TWorkerState& s = State();
  while (!Terminated()) {
    s.WorkEvent.WaitFor();
    if (Terminated()) break;
    TBaseNodeTree* tree = nullptr;
    {
      std::lock_guard lock(s.Lock);
      if (!s.Waiters.empty()) {
        tree = s.Waiters.front();
        s.Waiters.pop_front();
      }
      s.Current = tree;
      if (!s.Waiters.empty()) s.WorkEvent.SetEvent();
    }
    if (!tree) continue;
    TTreeMail start;
    start.Enter = {tsValidating};
    start.Leave = {tsUseCache, tsValidationNeeded};
    Post(tree, std::move(start));
    TTreeMail result;
    result.Leave = {tsStopValidation, tsValidating};
    try {
      TCache cache;
      if (!tree->TreeStates().Has(tsStopValidation) && tree->BuildPositionCache(cache) &&
          !tree->TreeStates().Has(tsStopValidation)) {
        result.Enter = {tsUseCache};
        result.HasCache = true;
        result.Cache = std::move(cache);
        // The scroll bars follow measured heights; the tree updates them on its own thread.
        result.UpdateScrollBars = tree->Has(toVariableNodeHeight);
      }
    } catch (...) {
    }
    Post(tree, std::move(result));
    {
      std::lock_guard lock(s.Lock);
      s.Current = nullptr;
    }
    s.Changed.notify_all();
  }
}

bool TBaseNodeTree::WorkerThreadRunning() {
  return TWorkerThread::Running();
}
