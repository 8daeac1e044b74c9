// Sorting child lists with a stable merge sort, and moving or copying nodes within or between trees.
#include "tree/NodeTrees.h"

namespace {
constexpr const char* SourceText = "The source tree must contain the source node.";

struct TMergeSort {
  TBaseNodeTree* Tree;
  TColumnIndex Column;
  bool Ascending;
  std::function<int(PVNode, PVNode)> Compare;

  PVNode Merge(PVNode a, PVNode b) const {
    TVNode head;
    PVNode tail = &head;
    while (a && b) {
      const int result = Compare(a, b);
      const bool takeB = Ascending ? result > 0 : result < 0;
      if (takeB) {
        tail->NextSibling = b;
        b = b->NextSibling;
      } else {
        tail->NextSibling = a;
        a = a->NextSibling;
      }
      tail = tail->NextSibling;
    }
    tail->NextSibling = a ? a : b;
    return head.NextSibling;
  }

  // Sorts `count` nodes taken from the front of the chain at `front`, which moves past them.
  PVNode Sort(PVNode& front, std::uint32_t count) const {
    if (count <= 1) {
      PVNode node = front;
      front = front->NextSibling;
      node->NextSibling = nullptr;
      return node;
    }
    PVNode a = Sort(front, count / 2);
    PVNode b = Sort(front, (count + 1) / 2);
    return Merge(a, b);
  }
};
} // namespace

void TBaseNodeTree::Sort(PVNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit) {
  if (!Node) Node = FRoot;
  if (!Node->States.Has(vsHasChildren)) return;
  StopCacheValidation();
  if (TreeStates().Has(tsEditPending)) DoStateChange({}, {tsEditPending});
  if (DoInit) {
    if (Node->ChildCount == 0) InitChildren(Node);
    ValidateChildren(Node, false);
  }
  if (Node->ChildCount > 1) {
    StartOperation(okSortNode);
    try {
      SortChildren(Node, Column, Direction);
    } catch (...) {
      EndOperation(okSortNode);
      throw;
    }
    EndOperation(okSortNode);
    InvalidatePositionCache();
  }
  if (FUpdateCount == 0) {
    ValidatePositionCache();
    InvalidateTree();
  }
}

void TBaseNodeTree::SortChildren(PVNode Node, TColumnIndex Column, TSortDirection Direction) {
  TMergeSort sorter{this, Column, Direction == sdAscending, [this, Column](PVNode a, PVNode b) {
                      // Once cancelled, nodes count as equal and the sort runs out in order.
                      return OperationCanceled() ? 0 : DoCompare(a, b, Column);
                    }};
  PVNode front = Node->FirstChild;
  Node->FirstChild = sorter.Sort(front, Node->ChildCount);
  PVNode previous = nullptr;
  std::uint32_t index = 0;
  for (PVNode run = Node->FirstChild; run; run = run->NextSibling) {
    run->PrevSibling = previous;
    run->Index = index++;
    previous = run;
  }
  Node->LastChild = previous;
}

void TBaseNodeTree::SortTree(TColumnIndex Column, TSortDirection Direction, bool DoInit) {
  if (FRoot->TotalCount < 3) return;
  ++FUpdateCount;
  auto lower = [this] {
    if (FUpdateCount > 0) --FUpdateCount;
  };
  try {
    if (Column >= NoColumn) {
      StartOperation(okSortTree);
      std::function<void(PVNode)> sortBelow = [&](PVNode node) {
        Sort(node, Column, Direction, DoInit);
        for (PVNode child = node->FirstChild; child && !OperationCanceled(); child = child->NextSibling) {
          if (DoInit && !child->States.Has(vsInitialized)) InitNode(child);
          if (child->States.Has(vsInitialized) && (!Has(toAutoSort) || child->States.Has(vsExpanded)) &&
              child->States.Has(vsHasChildren))
            sortBelow(child);
        }
      };
      try {
        sortBelow(FRoot);
      } catch (...) {
        EndOperation(okSortTree);
        throw;
      }
      EndOperation(okSortTree);
    }
    InvalidatePositionCache();
  } catch (...) {
    lower();
    throw;
  }
  lower();
  if (FUpdateCount == 0) {
    ValidatePositionCache();
    InvalidateTree();
  }
}

void TBaseNodeTree::MoveTo(PVNode Source, PVNode Target, TVTNodeAttachMode Mode, bool ChildrenOnly) {
  if (Source) Assert(TreeOfNode(Source) == this, SourceText);
  if (Mode == amNoWhere || !Source || Source == FRoot || Has(toReadOnly)) return;
  if (Target == Source && !(ChildrenOnly && (Mode == amInsertBefore || Mode == amInsertAfter))) return;
  TBaseNodeTree* targetTree = this;
  if (!Target) {
    Target = FRoot;
    Mode = amAddChildFirst;
  } else {
    targetTree = TreeOfNode(Target);
  }
  if (Target == targetTree->FRoot) {
    if (Mode == amInsertBefore) Mode = amAddChildFirst;
    if (Mode == amInsertAfter) Mode = amAddChildLast;
  } else if (!Target->States.Has(vsInitialized)) {
    targetTree->InitNode(Target);
  } else if (Target->States.Has(vsHasChildren) && Target->ChildCount == 0) {
    targetTree->InitChildren(Target);
  }
  bool allowed;
  PVNode reported = ChildrenOnly ? nullptr : Source;
  if (targetTree == this) {
    allowed = DoNodeMoving(Source, Target == FRoot ? nullptr : Target);
    if (allowed) {
      if (HasAsParent(Target, Source))
        throw ENodeTreeError("Target node cannot be a child node of the node to be moved.", 2001);
      if (!ChildrenOnly) {
        UnlinkNode(Source, true, true, false);
        LinkNode(Source, Target, this, Mode);
        DoNodeMoved(Source);
      } else {
        const bool backwards = Mode == amAddChildFirst;
        PVNode run = backwards ? Source->LastChild : Source->FirstChild;
        while (run) {
          PVNode next = backwards ? run->PrevSibling : run->NextSibling;
          UnlinkNode(run, true, false, false);
          LinkNode(run, Target, this, Mode);
          DoNodeMoved(run);
          run = next;
        }
        // Unlinking without renumbering leaves gaps among the source's remaining children.
        std::uint32_t index = 0;
        for (PVNode child = Source->FirstChild; child; child = child->NextSibling) child->Index = index++;
      }
    }
  } else {
    allowed = DoNodeMoving(Source, Target == targetTree->FRoot ? nullptr : Target);
    if (allowed) {
      TMemoryStream stream;
      if (!ChildrenOnly)
        WriteNode(stream, Source);
      else
        for (PVNode child = Source->FirstChild; child; child = child->NextSibling) WriteNode(stream, child);
      stream.SetPosition(0);
      targetTree->BeginUpdate();
      try {
        while (stream.Position() < stream.Size()) {
          PVNode node = targetTree->AllocateNode();
          targetTree->LinkNode(node, Target, targetTree, Mode);
          targetTree->LoadNodeInto(stream, 2, node);
          DoNodeMoved(node);
        }
      } catch (...) {
        targetTree->EndUpdate();
        throw;
      }
      targetTree->EndUpdate();
      BeginUpdate();
      try {
        if (ChildrenOnly)
          DeleteChildren(Source);
        else
          DeleteNode(Source);
      } catch (...) {
        EndUpdate();
        throw;
      }
      EndUpdate();
      // Source is gone: the notification must not hand it out.
      reported = nullptr;
    }
  }
  InvalidatePositionCache();
  if (FUpdateCount == 0 && allowed) {
    ValidatePositionCache();
    UpdateScrollBars(true);
    InvalidateTree();
    if (targetTree != this) targetTree->InvalidateTree();
  }
  NotifyStructureChange(reported, crNodeMoved);
}

void TBaseNodeTree::MoveTo(PVNode Node, TBaseNodeTree* Tree, TVTNodeAttachMode Mode, bool ChildrenOnly) {
  if (Tree) MoveTo(Node, Tree->FRoot, Mode, ChildrenOnly);
}

PVNode TBaseNodeTree::CopyTo(PVNode Source, PVNode Target, TVTNodeAttachMode Mode, bool ChildrenOnly) {
  if (Source) Assert(TreeOfNode(Source) == this, SourceText);
  if (Mode == amNoWhere || !Source || Source == FRoot) return nullptr;
  TBaseNodeTree* targetTree = this;
  if (!Target) {
    Target = FRoot;
    Mode = amAddChildFirst;
  } else {
    targetTree = TreeOfNode(Target);
  }
  if (targetTree->Has(toReadOnly)) return nullptr;
  if (Target == targetTree->FRoot) {
    if (Mode == amInsertBefore) Mode = amAddChildFirst;
    if (Mode == amInsertAfter) Mode = amAddChildLast;
  }
  TMemoryStream stream;
  if (!ChildrenOnly)
    WriteNode(stream, Source);
  else
    for (PVNode child = Source->FirstChild; child; child = child->NextSibling) WriteNode(stream, child);
  stream.SetPosition(0);
  PVNode result = nullptr;
  const PVNode reportedTarget = Target == targetTree->FRoot ? nullptr : Target;
  targetTree->BeginUpdate();
  try {
    while (stream.Position() < stream.Size()) {
      PVNode node = targetTree->AllocateNode();
      targetTree->LinkNode(node, Target, targetTree, Mode);
      targetTree->LoadNodeInto(stream, 2, node);
      if (!DoNodeCopying(node, reportedTarget)) {
        targetTree->DeleteNode(node);
        result = nullptr;
      } else {
        DoNodeCopied(node);
        result = node;
      }
    }
  } catch (...) {
    targetTree->EndUpdate();
    throw;
  }
  targetTree->EndUpdate();
  targetTree->InvalidatePositionCache();
  if (targetTree->FUpdateCount == 0) {
    targetTree->ValidatePositionCache();
    targetTree->UpdateScrollBars(true);
    targetTree->InvalidateTree();
  }
  targetTree->NotifyStructureChange(ChildrenOnly ? nullptr : Source, crNodeCopied);
  return ChildrenOnly ? reportedTarget : result;
}

PVNode TBaseNodeTree::CopyTo(PVNode Source, TBaseNodeTree* Tree, TVTNodeAttachMode Mode, bool ChildrenOnly) {
  return Tree ? CopyTo(Source, Tree->FRoot, Mode, ChildrenOnly) : nullptr;
}
