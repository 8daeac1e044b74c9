// In-place editing: the tree's side of the editor protocol (start, end, cancel, bounds).
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "tree/NodeTrees.h"

#include <algorithm>

bool TBaseNodeTree::CanEdit(PVNode Node, TColumnIndex Column) {
  const bool allowed = Has(toEditable) && Enabled() && !Has(toReadOnly) && Column < 0;
  return DoCanEdit(Node, Column, allowed);
}

bool TBaseNodeTree::EditNode(PVNode Node, TColumnIndex Column) {
  Assert(Node != nullptr, "Node must not be nil.");
  Assert(Column == NoColumn, "Column must be a valid column index (-1 if no header is shown).");
  if (IsEditing() || Has(toReadOnly)) return IsEditing();
  SetFocusedNode(Node);
  if (FFocusedNode != Node || !CanEdit(Node, Column)) return false;
  FEditColumn = Column;
  if (!Node->States.Has(vsInitialized)) InitNode(Node);
  StartEditing();
  return IsEditing();
}

bool TBaseNodeTree::EndEditNode() {
  if (IsEditing() || TreeStates().Has(tsEditPending)) return DoEndEdit();
  return true;
}

bool TBaseNodeTree::CancelEditNode() {
  if (IsEditing() || TreeStates().Has(tsEditPending)) return DoCancelEdit();
  return true;
}

void TBaseNodeTree::DoCreateEditor(PVNode Node, TColumnIndex Column, std::shared_ptr<IVTEditLink>& Link) {
  Link.reset();
  if (OnCreateEditor) OnCreateEditor(this, Node, Column, Link);
}

void TBaseNodeTree::GetTextInfo(PVNode, TColumnIndex, TFont& AFont, TRect& R, std::string& Text) {
  AFont.Assign(Font());
  R = Rect(0, 0, 0, 0);
  Text.clear();
}

void TBaseNodeTree::StartEditing() {
  Application->CancelHint();
  StopTreeTimer(ScrollTimer);
  StopTreeTimer(EditTimer);
  DoStateChange({}, {tsEditPending});
  if (!FFocusedNode || FFocusedNode->States.Has(vsDisabled) || Has(toReadOnly) || FEditLink) return;
  std::shared_ptr<IVTEditLink> link;
  DoCreateEditor(FFocusedNode, FEditColumn, link);
  if (!link) return;
  FEditLink = link;
  DoStateChange({tsEditing}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsDrawSelecting,
                              tsMouseCheckPending, tsOLEDragging, tsOLEDragPending, tsScrolling, tsScrollPending});
  ScrollIntoView(FFocusedNode, Has(toCenterScrollIntoView), !Has(toDisableAutoscrollOnEdit));
  if (link->PrepareEdit(this, FFocusedNode, FEditColumn)) {
    RefreshEditorBounds();
    InvalidateNode(FFocusedNode);
    if (!link->BeginEdit()) DoStateChange({}, {tsEditing});
  } else {
    DoStateChange({}, {tsEditing});
  }
  if (!IsEditing()) FEditLink.reset();
}

bool TBaseNodeTree::DoEndEdit() {
  StopTreeTimer(EditTimer);
  bool ended = false;
  if (IsEditing() && FEditLink) {
    // The link may end the edit again from inside; it stays alive until this call is done.
    std::shared_ptr<IVTEditLink> link = FEditLink;
    ended = link->EndEdit();
    if (ended) {
      DoStateChange({}, {tsEditing});
      FEditLink.reset();
      if (OnEdited) OnEdited(this, FFocusedNode, FEditColumn);
    }
  } else if (!IsEditing()) {
    ended = true;
  }
  DoStateChange({}, {tsEditPending});
  return ended;
}

bool TBaseNodeTree::DoCancelEdit() {
  StopTreeTimer(EditTimer);
  DoStateChange({}, {tsEditPending});
  bool cancelled = !IsEditing();
  if (IsEditing() && FEditLink) {
    std::shared_ptr<IVTEditLink> link = FEditLink;
    cancelled = link->CancelEdit();
    if (cancelled && IsEditing()) {
      DoStateChange({}, {tsEditing});
      if (OnEditCancelled) OnEditCancelled(this, FEditColumn);
      if (!Destroying()) FEditLink.reset();
    } else if (cancelled) {
      // The link cancelled through the tree already.
      FEditLink.reset();
    }
  }
  return cancelled;
}

void TBaseNodeTree::RefreshEditorBounds() {
  if (!IsEditing() || !FFocusedNode || !FEditLink || FEditColumn >= 0) return;
  TRect r = GetDisplayRect(FFocusedNode, FEditColumn, true, !MultiLine(FFocusedNode), false);
  if (Has(toShowHorzGridLines)) --r.Bottom;
  const TRect current = FEditLink->GetBounds();
  r.Bottom = r.Top + std::max(r.Height(), current.Height());
  FEditLink->SetBounds(r);
}
