// Cut, copy and paste of nodes: marking, the clipboard's data object, and inserting node data
// that arrives from the clipboard or a drop. Foreign or damaged node data is refused whole.
#include "tree/NodeTrees.h"

#include "platform/Process.h"
#include "platform/ui/Clipboard.h"
#include "tree/StreamValues.h"
#include "tree/VTDataObject.h"
#include "tree/VTDragManager.h"

#include <cstring>
#include <unordered_map>

namespace {

struct TLiveTrees {
  std::unordered_map<std::uint64_t, TBaseNodeTree*> Trees;
  std::uint64_t Next = 1;
};

TLiveTrees& LiveTrees() {
  static TLiveTrees trees;
  return trees;
}

TFormatEtc NodeDataRequest() {
  return {cfNodeTreeData(), nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM | TYMED_HGLOBAL};
}

} // namespace

// ---------------------------------------------------------------- live trees

TLiveTreeId::~TLiveTreeId() {
  if (FId) LiveTrees().Trees.erase(FId);
}

std::uint64_t TLiveTreeId::Get(TBaseNodeTree* Tree) {
  if (!FId) {
    FId = LiveTrees().Next++;
    LiveTrees().Trees[FId] = Tree;
  }
  return FId;
}

TBaseNodeTree* FindLiveTree(std::uint64_t Id) {
  auto it = LiveTrees().Trees.find(Id);
  return it == LiveTrees().Trees.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- formats and data objects

void TBaseNodeTree::GetOfferedFormats(TFormatEtcArray& Formats) {
  TNodeTreeClass cls = BaseNodeTreeClass();
  // The most derived registered class this tree belongs to.
  for (TNodeTreeClass c :
       {NodeStringTreeClass(), CustomNodeStringTreeClass(), NodeDrawTreeClass(), CustomNodeDrawTreeClass()})
    if (c->IsInstance(this)) {
      cls = c;
      break;
    }
  TClipboardFormatList::EnumerateFormats(cls, Formats, &FClipboardFormats);
  if (OnGetUserClipboardFormats) OnGetUserClipboardFormats(this, Formats);
}

std::shared_ptr<IVTDragManager> TBaseNodeTree::DragManager() {
  if (!FDragManager) {
    if (OnCreateDragManager) OnCreateDragManager(this, FDragManager);
    if (!FDragManager) FDragManager = std::make_shared<TVTDragManager>(this);
  }
  return FDragManager;
}

void TBaseNodeTree::DoCreateDataObject(IDataObjectPtr& DataObject) {
  if (OnCreateDataObject) OnCreateDataObject(this, DataObject);
}

TBaseNodeTree* TBaseNodeTree::TreeFromDataObject(const IDataObjectPtr& DataObject) {
  if (!DataObject) return nullptr;
  TStgMedium medium;
  const TFormatEtc request{cfNodeTreeReference(), nullptr, DVASPECT_CONTENT, -1,
                           TYMED_ISTREAM | TYMED_HGLOBAL};
  if (DataObject->GetData(request, medium) != S_OK) return nullptr;
  TBaseNodeTree* result = nullptr;
  if (medium.tymed == TYMED_HGLOBAL && medium.Global.size() == NodeTreeReferenceSize) {
    std::uint32_t process = 0;
    std::uint64_t id = 0;
    std::memcpy(&process, medium.Global.data(), 4);
    std::memcpy(&id, medium.Global.data() + 4, 8);
    if (process == CurrentProcessId()) result = FindLiveTree(id);
  }
  ReleaseStgMedium(medium);
  return result;
}

HRESULT TBaseNodeTree::DoRenderOLEData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard) {
  HRESULT result = E_FAIL;
  if (OnRenderOLEData) OnRenderOLEData(this, FormatEtcIn, Medium, ForClipboard, result);
  return result;
}

HRESULT TBaseNodeTree::RenderOLEFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard) {
  Medium = TStgMedium{};
  if (FormatEtcIn.cfFormat == cfNodeTreeData() && (FormatEtcIn.tymed & (TYMED_ISTREAM | TYMED_HGLOBAL))) {
    const TNodeArray nodes = ForClipboard ? GetSortedCutCopySet(true) : GetSortedSelection(true);
    auto stream = std::make_shared<TMemoryStream>();
    for (PVNode node : nodes)
      WriteNode(*stream, node);
    if (FormatEtcIn.tymed & TYMED_ISTREAM) {
      stream->SetPosition(0);
      Medium.tymed = TYMED_ISTREAM;
      Medium.Stream = stream;
      return S_OK;
    }
    if (stream->Size() == 0) return E_FAIL;
    const std::string bytes = stream->Bytes();
    const std::int32_t size = static_cast<std::int32_t>(bytes.size());
    Medium.Global.resize(4);
    std::memcpy(Medium.Global.data(), &size, 4);
    Medium.Global += bytes;
    Medium.tymed = TYMED_HGLOBAL;
    return S_OK;
  }
  return DoRenderOLEData(FormatEtcIn, Medium, ForClipboard);
}

// ---------------------------------------------------------------- cut and copy

void TBaseNodeTree::MarkSelectionForCutCopy() {
  for (PVNode node : GetSortedSelection(false))
    if (!node->States.Has(vsDisabled)) node->States.Include(vsCutOrCopy);
}

void TBaseNodeTree::CopyToClipboard() {
  if (FSelectionCount == 0) return;
  IDataObjectPtr data = std::make_shared<TVTDataObject>(this, true);
  if (OleSetClipboard(data) != S_OK) return;
  MarkSelectionForCutCopy();
  DoStateChange({tsCopyPending});
  Invalidate();
}

void TBaseNodeTree::CutToClipboard() {
  if (FSelectionCount == 0 || Has(toReadOnly)) return;
  IDataObjectPtr data = std::make_shared<TVTDataObject>(this, true);
  if (OleSetClipboard(data) != S_OK) return;
  MarkSelectionForCutCopy();
  DoStateChange({tsCutPending}, {tsCopyPending});
  Invalidate();
}

void TBaseNodeTree::CancelCutOrCopy() {
  const TNodeTreeStates s = TreeStates();
  if (s.Has(tsCutPending) || s.Has(tsCopyPending))
    for (PVNode run = GetFirstNoInit(); run; run = GetNextNoInit(run))
      run->States.Exclude(vsCutOrCopy);
  DoStateChange({}, {tsCopyPending, tsCutPending});
}

void TBaseNodeTree::FinishCutOrCopy() {
  if (!TreeStates().Has(tsCutPending)) return;
  // Deleting a marked node takes its marked descendants with it.
  for (PVNode node : GetSortedCutCopySet(true))
    DeleteNode(node, true, false);
  DoStateChange({}, {tsCutPending});
}

void TBaseNodeTree::FlushClipboard() {
  const TNodeTreeStates s = TreeStates();
  if (!s.Has(tsCutPending) && !s.Has(tsCopyPending)) return;
  DoStateChange({tsClipboardFlushing});
  OleFlushClipboard();
  CancelCutOrCopy();
  DoStateChange({}, {tsClipboardFlushing});
}

PVNode TBaseNodeTree::GetNextCutCopy(PVNode Node, bool ConsiderChildrenAbove) {
  const TNodeTreeStates s = TreeStates();
  if (!s.Has(tsCopyPending) && !s.Has(tsCutPending)) return nullptr;
  PVNode run = (!Node || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove)
                                        : GetNextNoInit(Node, ConsiderChildrenAbove);
  while (run && !run->States.Has(vsCutOrCopy))
    run = GetNextNoInit(run, ConsiderChildrenAbove);
  if (run && !run->States.Has(vsInitialized)) InitNode(run);
  return run;
}

PVNode TBaseNodeTree::GetFirstCutCopy(bool ConsiderChildrenAbove) {
  return GetNextCutCopy(nullptr, ConsiderChildrenAbove);
}

PVNode TBaseNodeTree::GetPreviousCutCopy(PVNode Node, bool ConsiderChildrenAbove) {
  const TNodeTreeStates s = TreeStates();
  if (!s.Has(tsCopyPending) && !s.Has(tsCutPending)) return nullptr;
  PVNode run = (!Node || Node == FRoot) ? GetLastNoInit(nullptr, ConsiderChildrenAbove)
                                        : GetPreviousNoInit(Node, ConsiderChildrenAbove);
  while (run && !run->States.Has(vsCutOrCopy))
    run = GetPreviousNoInit(run, ConsiderChildrenAbove);
  if (run && !run->States.Has(vsInitialized)) InitNode(run);
  return run;
}

std::uint32_t TBaseNodeTree::CutCopyCount() {
  std::uint32_t count = 0;
  for (PVNode run = GetFirstCutCopy(); run; run = GetNextCutCopy(run))
    ++count;
  return count;
}

TVTVNodeEnumeration TBaseNodeTree::CutCopyNodes(bool ConsiderChildrenAbove) {
  TVTVNodeEnumeration e;
  e.FMode = vneCutCopy;
  e.FTree = this;
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  return e;
}

TNodeArray TBaseNodeTree::GetSortedCutCopySet(bool Resolve) {
  TNodeArray result;
  PVNode run = FRoot->FirstChild;
  while (run) {
    if (run->States.Has(vsCutOrCopy)) {
      result.push_back(run);
      if (Resolve) {
        // The marked node's chunk carries its subtree: skip it.
        while (run && !run->NextSibling) {
          run = run->Parent;
          if (run == FRoot) run = nullptr;
        }
        if (run) run = run->NextSibling;
        continue;
      }
    }
    run = GetNextNoInit(run);
  }
  return result;
}

// ---------------------------------------------------------------- paste and insertion

bool TBaseNodeTree::PasteFromClipboard() {
  if (Has(toReadOnly)) return false;
  IDataObjectPtr data;
  if (OleGetClipboard(data) != S_OK || !data) throw ENodeTreeError("Clipboard operation failed.", 2007);
  TBaseNodeTree* source = TreeFromDataObject(data);
  const bool result = ProcessOLEData(source, data, FFocusedNode, FDefaultPasteMode,
                                     source && source->TreeStates().Has(tsCutPending));
  if (source) {
    if (source == this)
      DoStateChange({}, {tsCutPending});
    else
      source->FinishCutOrCopy();
  }
  return result;
}

bool TBaseNodeTree::ProcessOLEData(TBaseNodeTree* Source, const IDataObjectPtr& DataObject, PVNode TargetNode,
                                   TVTNodeAttachMode Mode, bool Optimized) {
  const TFormatEtc request = NodeDataRequest();
  if (!DataObject || DataObject->QueryGetData(request) != S_OK) return false;
  if (Has(toReadOnly)) return true;
  if (!TargetNode) TargetNode = FRoot;
  if (TargetNode == FRoot) {
    if (Mode == amInsertBefore) Mode = amAddChildFirst;
    if (Mode == amInsertAfter) Mode = amAddChildLast;
  }
  BeginUpdate();
  bool result = false;
  try {
    if (Optimized && Source) {
      TNodeArray nodes = Source->TreeStates().Has(tsOLEDragging) ? Source->FDragSelection
                                                                 : Source->GetSortedCutCopySet(true);
      const bool forward = Mode == amInsertBefore || Mode == amAddChildLast;
      auto move = [&](PVNode node) {
        if (node != TargetNode && !HasAsParent(TargetNode, node))
          Source->MoveTo(node, TargetNode, Mode, false);
      };
      // One update of the source for the whole move, not one (with its sorting) per node.
      if (Source != this) Source->BeginUpdate();
      try {
        if (forward)
          for (PVNode node : nodes)
            move(node);
        else
          for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
            move(*it);
      } catch (...) {
        if (Source != this) Source->EndUpdate();
        throw;
      }
      if (Source != this) Source->EndUpdate();
      result = true;
    } else {
      const TChangeReason reason = Source == this ? crNodeCopied : crNodeAdded;
      TStgMedium medium;
      if (DataObject->GetData(request, medium) == S_OK) {
        std::string bytes;
        bool accepted = false;
        if (medium.tymed == TYMED_ISTREAM && medium.Stream) {
          bytes = medium.Stream->ReadRest();
          accepted = true;
        } else if (medium.tymed == TYMED_HGLOBAL && medium.Global.size() >= 4) {
          // The count must lie within the block; anything else is not our data.
          std::int32_t count = 0;
          std::memcpy(&count, medium.Global.data(), 4);
          if (count >= 0 && static_cast<std::size_t>(count) <= medium.Global.size() - 4) {
            bytes.assign(medium.Global, 4, static_cast<std::size_t>(count));
            accepted = true;
          }
        }
        ReleaseStgMedium(medium);
        TMemoryStream stream;
        Fill(stream, bytes);
        // Every chunk is checked before a single node is inserted.
        if (accepted && CheckNodeChunks(stream)) {
          stream.SetPosition(0);
          while (stream.Position() < stream.Size()) {
            PVNode node = AllocateNode();
            LinkNode(node, TargetNode, this, Mode);
            ReadNode(stream, 2, node, stream.Size());
            if (DoNodeCopying(node, TargetNode == FRoot ? nullptr : TargetNode)) {
              DoNodeCopied(node);
              NotifyStructureChange(node, reason);
              if (Mode == amInsertAfter) TargetNode = node;
            } else {
              DeleteNode(node);
            }
          }
          result = true;
        }
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return result;
}

bool TBaseNodeTree::ProcessDrop(const IDataObjectPtr& DataObject, PVNode TargetNode, unsigned& Effect,
                                TVTNodeAttachMode Mode) {
  if (Mode == amNoWhere) {
    Effect = DROPEFFECT_NONE;
    return false;
  }
  bool result = false;
  TBaseNodeTree* source = TreeFromDataObject(DataObject);
  BeginUpdate();
  if (source) source->BeginUpdate();
  try {
    if ((Effect & DROPEFFECT_MOVE) && source) {
      result = ProcessOLEData(source, DataObject, TargetNode, Mode, !(Effect & DROPEFFECT_COPY));
      // The move is complete: the drag source must not delete anything.
      Effect = DROPEFFECT_NONE;
    } else if (Effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) {
      result = ProcessOLEData(source, DataObject, TargetNode, Mode, false);
    }
  } catch (...) {
    Effect = DROPEFFECT_NONE;
    result = false;
  }
  if (source) source->EndUpdate();
  EndUpdate();
  return result;
}
