// The node model: allocation, the hidden root, user data, initialisation on demand, totals and
// heights, tree states and the tree's life cycle.
#include "tree/NodeTrees.h"
#include "tree/NodeTreesWorkerThread.h"
#include "tree/VTHeader.h"

#include "platform/ui/ExtCtrls.h"

#include <algorithm>
#include <new>

namespace {
constexpr const char* NodeDataSizeText = "NodeDataSize not initialized.";
constexpr const char* InternalDataText = "Internal data allocation must be done before any node is created.";
} // namespace

TBaseNodeTree* TreeOfNode(PVNode Node) {
  Assert(Node != nullptr, "Node must not be nil.");
  while (Node->NextSibling != Node) Node = Node->Parent;
  return reinterpret_cast<TBaseNodeTree*>(Node->Parent);
}

TBaseNodeTree::TBaseNodeTree(TComponent* AOwner)
    : TCustomControl(AOwner), FOptions(std::make_unique<TCustomNodeTreeOptions>(this)) {
  FHeader = std::make_unique<TVTHeader>(this);
  SetControlStyle((ControlStyle() & ~csSetCaption) | csCaptureMouse | csOpaque);
  SetBounds(Left(), Top(), 200, 100);
  FChangeTimer = new TTimer(this);
  FChangeTimer->SetEnabled(false);
  FChangeTimer->OnTimer = [this](TObject*) { DoChange(FLastChangedNode); };
  FStructureChangeTimer = new TTimer(this);
  FStructureChangeTimer->SetEnabled(false);
  FStructureChangeTimer->OnTimer = [this](TObject*) {
    DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
  };
  CreateRootNode();
  FColors = std::make_unique<TVTColors>(this);
  RebuildBitmaps(true, true);
  TWorkerThread::AddReference();
  FWorkerReferenced = true;
}

TBaseNodeTree::~TBaseNodeTree() {
  StopCacheValidation();
  FOptions->SetMiscOptions(FOptions->MiscOptions() - TVTMiscOptions{toReadOnly});
  if (FWorkerReferenced) {
    FWorkerReferenced = false;
    TWorkerThread::ReleaseReference(this);
  }
  MarkDestroying();
  Clear();
  FreeNodeBlock(FRoot);
  FRoot = nullptr;
  FHeader.reset();
}

// ---------------------------------------------------------------- allocation

PVNode TBaseNodeTree::AllocateNode() {
  if (FNodeDataSize == -1) DoGetNodeDataSize(FNodeDataSize);
  const std::size_t dataSize = TVNode::AlignUp(static_cast<std::size_t>(std::max(FNodeDataSize, 0)));
  FAllocator.SetBlockSize(TVNode::DataOffset() + dataSize + FTotalInternalDataSize);
  auto* node = new (FAllocator.Allocate()) TVNode;
  node->TotalCount = 1;
  node->TotalHeight = node->NodeHeight = static_cast<std::uint16_t>(FDefaultNodeHeight);
  node->States.Set({vsVisible});
  node->Align = 50;
  return node;
}

void TBaseNodeTree::CreateRootNode() {
  if (FRoot) FreeNodeBlock(FRoot);
  const std::size_t size = TVNode::DataOffset() + FTotalInternalDataSize;
  void* block = ::operator new(size, std::align_val_t(TVNode::AreaAlignment));
  std::fill_n(static_cast<std::byte*>(block), size, std::byte{0});
  FRoot = new (block) TVNode;
  FRoot->TotalCount = 1;
  FRoot->TotalHeight = FRoot->NodeHeight = static_cast<std::uint16_t>(FDefaultNodeHeight);
  FRoot->Align = 50;
  FRoot->States.Set({vsInitialized, vsExpanded, vsHasChildren, vsVisible});
  FRoot->PrevSibling = FRoot->NextSibling = FRoot;
  // The root's parent names the tree: it ends every upward walk.
  FRoot->Parent = reinterpret_cast<PVNode>(this);
}

void TBaseNodeTree::FreeNodeBlock(PVNode Node) {
  if (!Node) return;
  if (!FReindexPending.empty()) FReindexPending.erase(Node);
  Node->~TVNode();
  if (Node == FRoot)
    ::operator delete(Node, std::align_val_t(TVNode::AreaAlignment));
  else
    FAllocator.Free(Node);
}

std::uint32_t TBaseNodeTree::ReserveInternalNodeData(std::uint32_t Size) {
  Assert(FRoot == nullptr || FRoot->ChildCount == 0, InternalDataText);
  const std::uint32_t position = FTotalInternalDataSize;
  FTotalInternalDataSize += static_cast<std::uint32_t>(TVNode::AlignUp(Size));
  const std::uint32_t childCount = FRoot ? FRoot->ChildCount : 0;
  (void)childCount;
  CreateRootNode();
  return position;
}

void* TBaseNodeTree::InternalData(PVNode Node, std::uint32_t position) const {
  if (!Node) return nullptr;
  const std::size_t data = Node == FRoot ? 0 : TVNode::AlignUp(static_cast<std::size_t>(std::max(FNodeDataSize, 0)));
  return static_cast<std::byte*>(Node->GetData()) + data + position;
}

// ---------------------------------------------------------------- user data

void TBaseNodeTree::SetNodeDataSize(int value) {
  if (value < -1) value = -1;
  if (value == FNodeDataSize) return;
  const std::uint32_t count = RootNodeCount();
  Clear();
  FNodeDataSize = value;
  FDataType = nullptr;
  FDataConstruct = FDataDestroy = nullptr;
  SetRootNodeCount(count);
}

void* TBaseNodeTree::GetNodeData(PVNode Node) {
  Assert(FNodeDataSize > 0, NodeDataSizeText);
  if (FNodeDataSize <= 0 || !Node || Node == FRoot) return nullptr;
  Node->States.Include(vsOnFreeNodeCallRequired);
  return Node->GetData();
}

void TBaseNodeTree::SetNodeData(PVNode Node, void* UserData) {
  // A pointer needs a whole pointer's room; less would write past the node's data area.
  Assert(FNodeDataSize >= static_cast<int>(sizeof(void*)),
         ClassName() + ": Cannot set initial user data because there is not enough user data space allocated.");
  if (!Node || Node == FRoot) return;
  *static_cast<void**>(Node->GetData()) = UserData;
  Node->States.Include(vsOnFreeNodeCallRequired);
}

std::uint32_t TBaseNodeTree::GetNodeLevel(PVNode Node) const {
  std::uint32_t level = 0;
  if (!Node || Node == FRoot) return 0;
  for (PVNode p = Node->Parent; p != FRoot; p = p->Parent) ++level;
  return level;
}

// ---------------------------------------------------------------- simple properties

std::uint32_t TBaseNodeTree::TotalCount() {
  ++FUpdateCount;
  try {
    ValidateNode(FRoot, true);
  } catch (...) {
    --FUpdateCount;
    throw;
  }
  --FUpdateCount;
  return FRoot->TotalCount - 1;
}

std::uint32_t TBaseNodeTree::ChildCount(PVNode Node) const {
  return (Node ? Node : FRoot)->ChildCount;
}

bool TBaseNodeTree::ChildrenInitialized(PVNode Node) const {
  return !(Node->States.Has(vsHasChildren) && Node->ChildCount == 0);
}

bool TBaseNodeTree::HasChildren(PVNode Node) const {
  return (Node ? Node : FRoot)->States.Has(vsHasChildren);
}

void TBaseNodeTree::SetHasChildren(PVNode Node, bool value) {
  if (!Node || Has(toReadOnly)) return;
  if (value) {
    Node->States.Include(vsHasChildren);
  } else {
    DeleteChildren(Node);
    Node->States.Exclude(vsHasChildren);
  }
  InvalidateNode(Node);
}

bool TBaseNodeTree::IsDisabled(PVNode Node) const {
  return Node && Node->States.Has(vsDisabled);
}

void TBaseNodeTree::SetDisabled(PVNode Node, bool value) {
  if (!Node || Node->States.Has(vsDisabled) == value) return;
  value ? Node->States.Include(vsDisabled) : Node->States.Exclude(vsDisabled);
  if (FUpdateCount == 0) InvalidateNode(Node);
}

bool TBaseNodeTree::MultiLine(PVNode Node) const {
  return Node && Node != FRoot && Node->States.Has(vsMultiline);
}

void TBaseNodeTree::SetMultiLine(PVNode Node, bool value) {
  if (!Node || Node == FRoot || Node->States.Has(vsMultiline) == value) return;
  value ? Node->States.Include(vsMultiline) : Node->States.Exclude(vsMultiline);
  if (FUpdateCount == 0) InvalidateNode(Node);
}

PVNode TBaseNodeTree::NodeParent(PVNode Node) const {
  if (!Node || Node->Parent == FRoot) return nullptr;
  return Node->Parent;
}

void TBaseNodeTree::SetNodeParent(PVNode Node, PVNode value) {
  if (Node && value && Node->Parent != value) MoveTo(Node, value, amAddChildLast, false);
}

void TBaseNodeTree::SetVerticalAlignment(PVNode Node, std::uint8_t value) {
  value = std::min<std::uint8_t>(value, 100);
  if (Node->Align == value) return;
  Node->Align = value;
  if (FullyVisible(Node) && !IsEffectivelyFiltered(Node)) InvalidateNode(Node);
}

void TBaseNodeTree::SetNodeAlignment(TVTNodeAlignment value) {
  if (FNodeAlignment == value) return;
  FNodeAlignment = value;
  InvalidateTree();
}

// ---------------------------------------------------------------- heights

std::uint32_t TBaseNodeTree::NodeHeight(PVNode Node) {
  if (!Node || Node == FRoot) return 0;
  if (Has(toVariableNodeHeight) && !Node->States.Has(vsDeleting)) {
    if (!Node->States.Has(vsInitialized)) InitNode(Node);
    MeasureItemHeight(&Canvas(), Node);
  }
  return Node->NodeHeight;
}

void TBaseNodeTree::MeasureItemHeight(TCanvas* TargetCanvas, PVNode Node) {
  if (Node->States.Has(vsHeightMeasured)) return;
  Node->States.Include(vsHeightMeasured);
  if (!Has(toVariableNodeHeight)) return;
  int newHeight = Node->NodeHeight;
  DoMeasureItem(TargetCanvas, Node, newHeight);
  SetNodeHeight(Node, static_cast<std::uint32_t>(std::max(newHeight, 0)));
}

void TBaseNodeTree::SetNodeHeight(PVNode Node, std::uint32_t value) {
  if (!Node || Node == FRoot || Has(toReadOnly)) return;
  value = std::min<std::uint32_t>(value, 0xFFFF);
  if (Node->NodeHeight == value) return;
  // The worker reads heights: it must have left the tree, unless it is the one asking.
  if (!FInWorkerCall) StopCacheValidation();
  const std::uint32_t old = Node->NodeHeight;
  Node->NodeHeight = static_cast<std::uint16_t>(value);
  if (IsEffectivelyFiltered(Node)) return;
  AddToTotalHeight(Node, static_cast<std::int64_t>(value) - old, true);
  UpdateEditBounds();
  InvalidatePositionCache();
  const TNodeTreeStates states = TreeStates();
  if (!states.Has(tsValidating) && FullyVisible(Node) && FUpdateCount == 0 && !states.Has(tsPainting) &&
      !states.Has(tsSizing)) {
    ValidatePositionCache();
    InvalidateToBottom(Node);
    UpdateScrollBars(true);
  }
}

void TBaseNodeTree::SetDefaultNodeHeight(std::uint32_t value) {
  if (value == 0) value = 18;
  if (value == FDefaultNodeHeight) return;
  StopCacheValidation();
  const std::int64_t diff = static_cast<std::int64_t>(value) - FDefaultNodeHeight;
  FRoot->TotalHeight = static_cast<std::uint32_t>(FRoot->TotalHeight + diff);
  FRoot->NodeHeight = static_cast<std::uint16_t>(FRoot->NodeHeight + diff);
  FDefaultNodeHeight = value;
  InvalidatePositionCache();
  if (FUpdateCount == 0) {
    ValidatePositionCache();
    UpdateScrollBars(true);
    if (FFocusedNode) ScrollIntoView(FFocusedNode, Has(toCenterScrollIntoView), true);
    InvalidateTree();
  }
}

// ---------------------------------------------------------------- initialisation

void TBaseNodeTree::InitNode(PVNode Node) {
  // Initialisation commonly maps the node's Index to its data, so it gets the final number.
  if (!FReindexPending.empty()) ReindexPendingChildren(Node->Parent);
  Node->States.Include(vsInitializing);
  TVNodeInitStates initStates;
  const bool wasFiltered = Node->States.Has(vsFiltered);
  try {
    if (Node->States.Has(vsInitialized)) initStates.Include(ivsReInit);
    Node->States.Include(vsInitialized);
    DoInitNode(Node->Parent == FRoot ? nullptr : Node->Parent, Node, initStates);
  } catch (...) {
    Node->States.Exclude(vsInitializing);
    throw;
  }
  Node->States.Exclude(vsInitializing);
  if (initStates.Has(ivsDisabled)) Node->States.Include(vsDisabled);
  if (initStates.Has(ivsHasChildren)) Node->States.Include(vsHasChildren);
  if (initStates.Has(ivsSelected)) {
    FSingletonNodeArray.assign(1, Node);
    AddNodesToSelection(FSingletonNodeArray, 1, false);
  }
  if (initStates.Has(ivsMultiline)) Node->States.Include(vsMultiline);
  if (initStates.Has(ivsFiltered)) {
    Node->States.Include(vsFiltered);
    if (!(wasFiltered && initStates.Has(ivsReInit)) && !wasFiltered && !Has(toShowFilteredNodes)) {
      StopCacheValidation();
      AddToTotalHeight(Node, -static_cast<std::int64_t>(Node->NodeHeight), true);
      if (FullyVisible(Node)) --FVisibleCount;
      InvalidatePositionCache();
      if (Node->Parent != FRoot) {
        if (FUpdateCount == 0)
          UpdateAllChildrenHiddenFlag(Node->Parent);
        else
          DoStateChange({tsUpdateHiddenChildrenNeeded});
      }
      if (FUpdateCount == 0) UpdateScrollBars(true);
    }
  }
  const bool expanded = Node->States.Has(vsExpanded);
  if (expanded != initStates.Has(ivsExpanded)) {
    if (initStates.Has(ivsExpanded))
      ToggleNode(Node);
    else if (Node->States.Has(vsHasChildren))
      InitChildren(Node);
  }
}

void TBaseNodeTree::InitChildren(PVNode Node) {
  if (!Node || Node == FRoot || !Node->States.Has(vsHasChildren)) return;
  std::uint32_t count = Node->ChildCount;
  if (DoInitChildren(Node, count)) {
    SetChildCount(Node, count);
    if (count == 0) Node->States.Exclude(vsHasChildren);
  }
}

void TBaseNodeTree::InitRecursive(PVNode Node, std::uint32_t Levels, bool VisibleOnly) {
  if (!Node) Node = FRoot;
  if (Node != FRoot && !Node->States.Has(vsInitialized)) InitNode(Node);
  if (Levels == 0 || (VisibleOnly && !Node->States.Has(vsExpanded))) return;
  for (PVNode child = Node->FirstChild; child; child = child->NextSibling)
    InitRecursive(child, Levels - 1, VisibleOnly);
}

void TBaseNodeTree::ValidateNode(PVNode Node, bool Recursive) {
  if (!Node) Node = FRoot;
  if (Node != FRoot && !Node->States.Has(vsInitialized)) InitNode(Node);
  if (!Recursive) return;
  if (Node->States.Has(vsHasChildren) && Node->ChildCount == 0) InitChildren(Node);
  for (PVNode child = Node->FirstChild; child; child = child->NextSibling) ValidateNode(child, true);
}

void TBaseNodeTree::ValidateChildren(PVNode Node, bool Recursive) {
  if (!Node) Node = FRoot;
  if (Node->States.Has(vsHasChildren) && Node->ChildCount == 0) InitChildren(Node);
  for (PVNode child = Node->FirstChild; child; child = child->NextSibling) ValidateNode(child, Recursive);
}

void TBaseNodeTree::ReinitNode(PVNode Node, bool Recursive) {
  if (!Node || Node == FRoot) return;
  Node->States.Exclude({vsChecking, vsCutOrCopy, vsDeleting, vsHeightMeasured});
  if (Node->States.Has(vsInitialized)) InitNode(Node);
  if (Recursive) ReinitChildren(Node, true);
}

void TBaseNodeTree::ReinitChildren(PVNode Node, bool Recursive) {
  if (!Node) Node = FRoot;
  InitChildren(Node);
  for (PVNode child = Node->FirstChild; child; child = child->NextSibling) ReinitNode(child, Recursive);
}

void TBaseNodeTree::ResetNode(PVNode Node) {
  CancelEditNode();
  if (!Node || Node == FRoot) {
    Clear();
    return;
  }
  DoResetNode(Node);
  DeleteChildren(Node);
  Node->States.Exclude(
      {vsInitialized, vsChecking, vsCutOrCopy, vsDeleting, vsExpanded, vsHasChildren, vsHeightMeasured});
  InvalidateNode(Node);
}

// ---------------------------------------------------------------- totals

void TBaseNodeTree::AddToTotalCount(PVNode Node, std::int64_t Value, bool Relative) {
  if (!Relative) Value -= Node->TotalCount;
  if (Value == 0) return;
  for (PVNode run = Node;; run = run->Parent) {
    run->TotalCount = static_cast<std::uint32_t>(run->TotalCount + Value);
    if (run == FRoot) break;
  }
}

void TBaseNodeTree::AddToTotalHeight(PVNode Node, std::int64_t Value, bool Relative) {
  if (!Relative) Value -= Node->TotalHeight;
  if (Value != 0) {
    PVNode run = Node;
    run->TotalHeight = static_cast<std::uint32_t>(run->TotalHeight + Value);
    while (run->States.Has(vsVisible) && run != FRoot && run->Parent && run->Parent->States.Has(vsExpanded)) {
      run = run->Parent;
      run->TotalHeight = static_cast<std::uint32_t>(run->TotalHeight + Value);
    }
  }
  UpdateVerticalRange();
}

std::uint32_t TBaseNodeTree::CountVisibleDescendants(PVNode Node) const {
  if (!Node->States.Has(vsExpanded)) return 0;
  std::uint32_t count = 0;
  for (PVNode child = Node->FirstChild; child; child = child->NextSibling)
    if (child->States.Has(vsVisible))
      count += CountVisibleDescendants(child) + (IsEffectivelyVisible(child) ? 1 : 0);
  return count;
}

void TBaseNodeTree::UpdateAllChildrenHiddenFlag(PVNode Node) {
  bool hidden;
  if (Node->ChildCount > 0) {
    hidden = true;
    for (PVNode child = Node->FirstChild; child; child = child->NextSibling)
      if (IsEffectivelyVisible(child)) {
        hidden = false;
        break;
      }
  } else {
    hidden = !Node->States.Has(vsHasChildren);
  }
  hidden ? Node->States.Include(vsAllChildrenHidden) : Node->States.Exclude(vsAllChildrenHidden);
}

void TBaseNodeTree::RefreshAllChildrenHiddenFlags() {
  for (PVNode node = GetFirstNoInit(false); node; node = GetNextNoInit(node, false))
    UpdateAllChildrenHiddenFlag(node);
}

// ---------------------------------------------------------------- tree states

void TBaseNodeTree::DoStateChange(TNodeTreeStates Enter, TNodeTreeStates Leave) {
  const TNodeTreeStates states = TreeStates();
  // A tree being destroyed tells no one of its states any more.
  if (OnStateChange && !Destroying() && !((Enter - states) + (states * Leave)).Empty())
    OnStateChange(this, Enter, Leave);
  FStates.store(((TreeStates() + Enter) - Leave).Bits(), std::memory_order_relaxed);
}

// ---------------------------------------------------------------- copying properties

void TBaseNodeTree::Assign(const TBaseNodeTree& Source) {
  if (Has(toReadOnly)) return;
  SetChangeDelay(Source.FChangeDelay);
  SetCheckImageKind(Source.FCheckImageKind);
  SetDefaultNodeHeight(Source.FDefaultNodeHeight);
  FIndent = Source.FIndent;
  FMargin = Source.FMargin;
  SetNodeAlignment(Source.FNodeAlignment);
  SetNodeDataSize(Source.FNodeDataSize);
  FOptions->Assign(*Source.FOptions);
  SetRootNodeCount(Source.RootNodeCount());
  FSelectionCurveRadius = Source.FSelectionCurveRadius;
  FAnimationDuration = Source.FAnimationDuration;
  FImages = Source.FImages;
  FStateImages = Source.FStateImages;
  FHeader->Assign(Source.FHeader.get());
}

void TBaseNodeTree::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TREESTATECHANGE) {
    TWorkerThread::DeliverMail(this);
    return;
  }
  if (RouteHeaderMessage(Message)) return;
  if (DispatchTreeMessage(Message)) return;
  TCustomControl::WndProc(Message);
}
