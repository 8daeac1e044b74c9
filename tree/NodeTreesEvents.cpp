// The dispatchers: each fires its event when one is assigned, with the presets of its arguments,
// and adds the tree's own step before or after.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include "platform/ui/ExtCtrls.h"

void TBaseNodeTree::DoInitNode(PVNode Parent, PVNode Node, TVNodeInitStates& InitStates) {
  if (OnInitNode) OnInitNode(this, Parent, Node, InitStates);
}

bool TBaseNodeTree::DoInitChildren(PVNode Node, std::uint32_t& ChildCount) {
  if (!OnInitChildren) return false;
  OnInitChildren(this, Node, ChildCount);
  return true;
}

void TBaseNodeTree::DoGetNodeDataSize(int& Size) {
  Size = 4;
  if (OnGetNodeDataSize) OnGetNodeDataSize(this, Size);
}

void TBaseNodeTree::DoMeasureItem(TCanvas* TargetCanvas, PVNode Node, int& Height) {
  if (!Node->States.Has(vsInitialized)) InitNode(Node);
  if (OnMeasureItem) OnMeasureItem(this, TargetCanvas, Node, Height);
}

void TBaseNodeTree::DoResetNode(PVNode Node) {
  if (OnResetNode) OnResetNode(this, Node);
}

void TBaseNodeTree::DoChange(PVNode Node) {
  FChangeTimer->SetEnabled(false);
  if (OnChange) OnChange(this, Node);
  DoStateChange({}, {tsChangePending});
  FLastChangedNode = nullptr;
}

void TBaseNodeTree::DoStructureChange(PVNode Node, TChangeReason Reason) {
  FStructureChangeTimer->SetEnabled(false);
  if (OnStructureChange) OnStructureChange(this, Node, Reason);
  DoStateChange({}, {tsStructureChangePending});
  FLastStructureChangeNode = nullptr;
  FLastStructureChangeReason = crIgnore;
}

bool TBaseNodeTree::DoExpanding(PVNode Node) {
  bool allowed = true;
  if (OnExpanding) OnExpanding(this, Node, allowed);
  return allowed;
}

void TBaseNodeTree::DoExpanded(PVNode Node) {
  if (OnExpanded) OnExpanded(this, Node);
}

bool TBaseNodeTree::DoCollapsing(PVNode Node) {
  bool allowed = true;
  if (OnCollapsing) OnCollapsing(this, Node, allowed);
  return allowed;
}

void TBaseNodeTree::DoCollapsed(PVNode Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
  if (Has(toAlwaysSelectNode)) {
    PVNode first = GetFirstSelected();
    if (first && !FullyVisible(first)) {
      SetSelected(first, false);
      PVNode parent = GetVisibleParent(first);
      if (parent != FRoot) SetSelected(parent, true);
    }
    if (FSelectionCount == 0) EnsureNodeSelected();
  }
}

bool TBaseNodeTree::DoChecking(PVNode Node, TCheckState& NewCheckState) {
  if (Has(toReadOnly)) return false;
  bool allowed = true;
  if (OnChecking) OnChecking(this, Node, NewCheckState, allowed);
  return allowed;
}

void TBaseNodeTree::DoChecked(PVNode Node) {
  if (OnChecked) OnChecked(this, Node);
}

int TBaseNodeTree::DoCompare(PVNode Node1, PVNode Node2, TColumnIndex Column) {
  int result = 0;
  if (OnCompareNodes) OnCompareNodes(this, Node1, Node2, Column, result);
  return result;
}

bool TBaseNodeTree::DoNodeMoving(PVNode Node, PVNode Target) {
  bool allowed = true;
  if (OnNodeMoving) OnNodeMoving(this, Node, Target, allowed);
  return allowed;
}

void TBaseNodeTree::DoNodeMoved(PVNode Node) {
  if (OnNodeMoved) OnNodeMoved(this, Node);
}

bool TBaseNodeTree::DoNodeCopying(PVNode Node, PVNode Target) {
  bool allowed = true;
  if (OnNodeCopying) OnNodeCopying(this, Node, Target, allowed);
  return allowed;
}

void TBaseNodeTree::DoNodeCopied(PVNode Node) {
  if (OnNodeCopied) OnNodeCopied(this, Node);
}

void TBaseNodeTree::DoUpdating(TVTUpdateState State) {
  if (OnUpdating) OnUpdating(this, State);
}

void TBaseNodeTree::DoRemoveFromSelection(PVNode Node) {
  if (OnRemoveFromSelection) OnRemoveFromSelection(this, Node);
}

bool TBaseNodeTree::DoFocusChanging(PVNode OldNode, PVNode NewNode, TColumnIndex OldColumn,
                                    TColumnIndex NewColumn) {
  // Without columns every column index allows the focus; with them only a focusable column does.
  bool allowed = NewColumn == OldColumn || !FHeader->UseColumns() || FHeader->AllowFocus(NewColumn);
  if (OnFocusChanging) OnFocusChanging(this, OldNode, NewNode, OldColumn, NewColumn, allowed);
  return allowed;
}

void TBaseNodeTree::DoFocusChange(PVNode Node, TColumnIndex Column) {
  if (OnFocusChanged) OnFocusChanged(this, Node, Column);
}

void TBaseNodeTree::DoLoadUserData(PVNode Node, TStream& Stream) {
  if (OnLoadNode) OnLoadNode(this, Node == FRoot ? nullptr : Node, Stream);
}

void TBaseNodeTree::DoSaveUserData(PVNode Node, TStream& Stream) {
  if (OnSaveNode) OnSaveNode(this, Node == FRoot ? nullptr : Node, Stream);
}

TImageList* TBaseNodeTree::DoGetImageIndex(PVNode Node, TVTImageKind Kind, TColumnIndex Column, bool& Ghosted,
                                           int& Index) {
  if (OnGetImageIndexEx) {
    TImageList* list = Kind == ikState ? FStateImages : FImages;
    OnGetImageIndexEx(this, Node, Kind, Column, Ghosted, Index, list);
    return list;
  }
  if (OnGetImageIndex) OnGetImageIndex(this, Node, Kind, Column, Ghosted, Index);
  return nullptr;
}

bool TBaseNodeTree::DoGetCellIsEmpty(PVNode Node, TColumnIndex Column) {
  bool empty = true;
  if (OnGetCellIsEmpty) OnGetCellIsEmpty(this, Node, Column, empty);
  return empty;
}

void TBaseNodeTree::DoHotChange(PVNode OldNode, PVNode NewNode) {
  if (OnHotChange) OnHotChange(this, OldNode, NewNode);
}

void TBaseNodeTree::DoNodeClick(const THitInfo& HitInfo) {
  if (OnNodeClick) OnNodeClick(this, HitInfo);
}

void TBaseNodeTree::DoNodeDblClick(const THitInfo& HitInfo) {
  if (OnNodeDblClick) OnNodeDblClick(this, HitInfo);
}

void TBaseNodeTree::DoColumnClick(TColumnIndex Column, TShiftState Shift) {
  if (OnColumnClick) OnColumnClick(this, Column, Shift);
}

void TBaseNodeTree::DoColumnDblClick(TColumnIndex Column, TShiftState Shift) {
  if (OnColumnDblClick) OnColumnDblClick(this, Column, Shift);
}

bool TBaseNodeTree::DoKeyAction(std::uint16_t& CharCode, TShiftState& Shift) {
  bool doDefault = true;
  if (OnKeyAction) OnKeyAction(this, CharCode, Shift, doDefault);
  return doDefault;
}

int TBaseNodeTree::DoIncrementalSearch(PVNode Node, const std::string& Text) {
  int result = 0;
  if (OnIncrementalSearch) OnIncrementalSearch(this, Node, Text, result);
  return result;
}

void TBaseNodeTree::DoGetCursor(TCursor& Cursor) {
  if (OnGetCursor) OnGetCursor(this, Cursor);
}

void TBaseNodeTree::DoScroll(int DeltaX, int DeltaY) {
  if (OnScroll) OnScroll(this, DeltaX, DeltaY);
}

void TBaseNodeTree::DoShowScrollBar(int Bar, bool Show) {
  if (OnShowScrollBar) OnShowScrollBar(this, Bar, Show);
}

bool TBaseNodeTree::DoCanSplitterResizeNode(TPoint P, PVNode Node, TColumnIndex Column, bool Allowed) {
  if (OnCanSplitterResizeNode) OnCanSplitterResizeNode(this, P, Node, Column, Allowed);
  return Allowed;
}

bool TBaseNodeTree::DoNodeHeightTracking(PVNode Node, TColumnIndex Column, TShiftState Shift,
                                         TPoint& TrackPoint, TPoint P) {
  bool allowed = true;
  if (OnNodeHeightTracking) OnNodeHeightTracking(this, Node, Column, Shift, TrackPoint, P, allowed);
  return allowed;
}

bool TBaseNodeTree::DoNodeHeightDblClickResize(PVNode Node, TColumnIndex Column, TShiftState Shift,
                                               TPoint P) {
  bool allowed = true;
  if (OnNodeHeightDblClickResize) OnNodeHeightDblClickResize(this, Node, Column, Shift, P, allowed);
  return allowed;
}

bool TBaseNodeTree::DoCanEdit(PVNode Node, TColumnIndex Column, bool Allowed) {
  if (OnEditing) OnEditing(this, Node, Column, Allowed);
  return Allowed;
}

std::string TBaseNodeTree::DoGetImageText(PVNode Node, TVTImageKind Kind, TColumnIndex Column) {
  std::string text;
  if (OnGetImageText) OnGetImageText(this, Node, Kind, Column, text);
  return text;
}

int TBaseNodeTree::DoGetHelpContext(PVNode Node, TColumnIndex Column) {
  int context = 0;
  if (!OnGetHelpContext) return 0;
  for (PVNode run = Node; run && run != FRoot && context == 0; run = run->Parent)
    OnGetHelpContext(this, run, Column < 0 ? 0 : Column, context);
  return context;
}

void TBaseNodeTree::DoBeforePaint(TCanvas& TargetCanvas) {
  if (OnBeforePaint) OnBeforePaint(this, TargetCanvas);
}

void TBaseNodeTree::DoAfterPaint(TCanvas& TargetCanvas) {
  if (OnAfterPaint) OnAfterPaint(this, TargetCanvas);
}

bool TBaseNodeTree::DoPaintBackground(TCanvas& TargetCanvas, const TRect& R) {
  bool handled = false;
  if (OnPaintBackground) OnPaintBackground(this, TargetCanvas, R, handled);
  return handled;
}

void TBaseNodeTree::DoBeforeItemErase(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect,
                                      TColor& Color, TItemEraseAction& EraseAction) {
  if (OnBeforeItemErase) OnBeforeItemErase(this, TargetCanvas, Node, ItemRect, Color, EraseAction);
}

void TBaseNodeTree::DoAfterItemErase(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect) {
  if (OnAfterItemErase) OnAfterItemErase(this, TargetCanvas, Node, ItemRect);
}

bool TBaseNodeTree::DoBeforeItemPaint(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect) {
  bool customDraw = false;
  if (OnBeforeItemPaint) OnBeforeItemPaint(this, TargetCanvas, Node, ItemRect, customDraw);
  return customDraw;
}

void TBaseNodeTree::DoAfterItemPaint(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect) {
  if (OnAfterItemPaint) OnAfterItemPaint(this, TargetCanvas, Node, ItemRect);
}

void TBaseNodeTree::DoBeforeCellPaint(TCanvas& TargetCanvas, PVNode Node, TColumnIndex Column,
                                      TVTCellPaintMode CellPaintMode, const TRect& CellRect,
                                      TRect& ContentRect) {
  if (!OnBeforeCellPaint) return;
  TargetCanvas.Font().Assign(Font());
  // Asking for a margin must not paint: redrawing is off around the handler.
  const bool quiet = CellPaintMode == cpmGetContentMargin && Visible() && FUpdateCount == 0;
  if (quiet) SuspendRedraw(true);
  try {
    OnBeforeCellPaint(this, TargetCanvas, Node, Column, CellPaintMode, CellRect, ContentRect);
  } catch (...) {
    if (quiet) SuspendRedraw(false);
    throw;
  }
  if (quiet) SuspendRedraw(false);
}

void TBaseNodeTree::DoAfterCellPaint(TCanvas& TargetCanvas, PVNode Node, TColumnIndex Column,
                                     const TRect& CellRect) {
  if (OnAfterCellPaint) OnAfterCellPaint(this, TargetCanvas, Node, Column, CellRect);
}

void TBaseNodeTree::DoGetLineStyle(void*& Bits) {
  if (OnGetLineStyle) OnGetLineStyle(this, Bits);
}

void TBaseNodeTree::DoBeforeDrawLineImage(PVNode Node, int Level, int& PosX) {
  if (OnBeforeDrawTreeLine) OnBeforeDrawTreeLine(this, Node, Level, PosX);
}

TPopupMenu* TBaseNodeTree::DoGetPopupMenu(PVNode Node, TColumnIndex Column, TPoint Position) {
  TPopupMenu* menu = nullptr;
  if (!OnGetPopupMenu) return nullptr;
  if (!Node) {
    bool askParent = false;
    OnGetPopupMenu(this, nullptr, NoColumn, Position, askParent, menu);
    return menu;
  }
  bool askParent = true;
  for (PVNode run = Node; run && run != FRoot; run = run->Parent) {
    askParent = true;
    OnGetPopupMenu(this, run, Column, Position, askParent, menu);
    if (menu || !askParent) break;
  }
  return menu;
}

bool TBaseNodeTree::DoBeforeDrag(PVNode Node, TColumnIndex Column) {
  bool allowed = false;
  if (OnDragAllowed) OnDragAllowed(this, Node, Column, allowed);
  return allowed;
}
