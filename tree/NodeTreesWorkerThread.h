// The one worker thread shared by all trees: it builds the position caches of large trees.
// Its state changes reach a tree through a mailbox under one mutex, delivered on the
// user-interface thread by a posted message and drained by WaitForTree itself, so the worker
// never blocks on a user-interface thread that is waiting for it.
#pragma once

#include "platform/Thread.h"
#include "tree/NodeTrees.h"

#include <functional>
#include <memory>

struct TSyncCall;

// One item of a tree's mailbox: a state change (with the cache just built), or a call the worker
// needs run on the user-interface thread.
struct TTreeMail {
  TNodeTreeStates Enter;
  TNodeTreeStates Leave;
  bool HasCache = false;
  TCache Cache;
  bool UpdateScrollBars = false;
  std::shared_ptr<TSyncCall> Call;
};

class TWorkerThread : public TThread {
public:
  ~TWorkerThread() override;

  // A tree starts using the worker (the first reference makes it; its thread starts with the first
  // tree queued).
  static void AddReference();
  // A tree stops using it; the last reference ends the thread and waits for it.
  static void ReleaseReference(TBaseNodeTree* Tree);
  static bool Running();
  // Queues a tree for a cache build and wakes the worker (starting its thread the first time).
  static void AddTree(TBaseNodeTree* Tree);
  // Unqueues a tree and waits until the worker has left it.
  static void RemoveTree(TBaseNodeTree* Tree);
  // Waits while the worker works on the tree (and, with `queued`, while the tree waits in the
  // queue), applying its mailbox meanwhile; the calling thread must be the user-interface thread.
  static void WaitForTree(TBaseNodeTree* Tree, bool queued = false);
  // Applies what the worker left in the tree's mailbox (the posted message's handler).
  static void DeliverMail(TBaseNodeTree* Tree);
  // Worker side: runs `call` on the user-interface thread and waits for it; false when the tree
  // stopped the build meanwhile (the call is then dropped).
  static bool RunOnUiThread(TBaseNodeTree* Tree, std::function<void()> call);

protected:
  void Execute() override;

private:
  static void Post(TBaseNodeTree* Tree, TTreeMail mail);
};
