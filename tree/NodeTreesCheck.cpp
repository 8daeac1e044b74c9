// Check boxes: accepting, applying and propagating check states; radio buttons; checked walks.
#include "tree/CheckImages.h"
#include "tree/NodeTrees.h"

#include "platform/ui/Application.h"
#include "platform/ui/ImageList.h"

namespace {

bool IsCheckBoxType(TCheckType t) {
  return t == ctTriStateCheckBox || t == ctCheckBox;
}

bool IsDisabledState(TCheckState s) {
  return s >= csUncheckedDisabled;
}

bool IsCheckedState(TCheckState s) {
  return s == csCheckedNormal || s == csCheckedPressed || s == csCheckedDisabled;
}

constexpr TCheckState ToggledForm[] = {csCheckedNormal,     csCheckedPressed,  csUncheckedNormal,
                                       csUncheckedPressed,  csCheckedNormal,   csCheckedPressed,
                                       csUncheckedDisabled, csCheckedDisabled, csMixedDisabled};
constexpr TCheckState EnabledForm[] = {csUncheckedNormal, csUncheckedPressed, csCheckedNormal,
                                       csCheckedPressed,  csMixedNormal,      csMixedPressed,
                                       csUncheckedNormal, csCheckedNormal,    csMixedNormal};

} // namespace

void TBaseNodeTree::SetCheckState(PVNode Node, TCheckState Value) {
  Assert(Node != nullptr, "Node must not be nil.");
  if (Node->CheckState == Value || Node->States.Has(vsDisabled)) return;
  if (DoChecking(Node, Value)) ApplyCheckState(Node, Value);
}

void TBaseNodeTree::ApplyCheckState(PVNode Node, TCheckState Value) {
  if (ChangeCheckState(Node, Value)) DoChecked(Node);
}

bool TBaseNodeTree::ChangeCheckState(PVNode Node, TCheckState Value) {
  if (Node->States.Has(vsChecking)) return false;
  Node->States.Include(vsChecking);
  bool counted = false;
  auto finish = [&] {
    Node->States.Exclude(vsChecking);
    if (counted && --FCheckPropagationCount == 0) DoStateChange({}, {tsCheckPropagation});
  };
  bool result;
  try {
    if (!Node->States.Has(vsInitialized))
      InitNode(Node);
    else if (Node->CheckState == Value) {
      finish();
      return false;
    }
    if (FCheckPropagationCount == 0) DoStateChange({tsCheckPropagation});
    ++FCheckPropagationCount;
    counted = true;

    if (Node->CheckType == ctTriStateCheckBox && Has(toAutoTristateTracking) && Node->ChildCount > 0 &&
        (Value == csUncheckedNormal || Value == csCheckedNormal)) {
      for (PVNode child = Node->FirstChild; child; child = child->NextSibling)
        if (IsCheckBoxType(child->CheckType) && !IsDisabledState(child->CheckState))
          SetCheckState(child, Value);
      int unchecked = 0, checked = 0, mixed = 0;
      const bool unchecking = Value == csUncheckedNormal;
      for (PVNode child = Node->FirstChild; child; child = child->NextSibling) {
        if (!IsCheckBoxType(child->CheckType)) continue;
        const TCheckState s = child->CheckState;
        if (s == csUncheckedNormal || (unchecking && s == csUncheckedDisabled)) ++unchecked;
        if (s == csCheckedNormal || (unchecking && s == csCheckedDisabled)) ++checked;
        if (s == csMixedNormal) ++mixed;
      }
      if (mixed > 0)
        Value = csMixedNormal;
      else if (checked > 0)
        Value = unchecked > 0 ? csMixedNormal : csCheckedNormal;
    }

    if (Node->CheckType == ctRadioButton && Value == csCheckedNormal) {
      for (PVNode sibling = Node->Parent->FirstChild; sibling; sibling = sibling->NextSibling)
        if (sibling->CheckType == ctRadioButton) sibling->CheckState = csUncheckedNormal;
      InvalidateTree();
    }

    Node->CheckState = Value;

    PVNode parent = Node->Parent;
    if (parent != FRoot && !parent->States.Has(vsInitialized)) InitNode(parent);
    if (Has(toAutoTristateTracking) && parent != FRoot && !parent->States.Has(vsChecking) &&
        !parent->States.Has(vsDisabled) && IsCheckBoxType(Node->CheckType) &&
        parent->CheckType == ctTriStateCheckBox)
      result = UpdateParentCheckState(Node, Value);
    else
      result = true;
    InvalidateNode(Node);
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return result;
}

bool TBaseNodeTree::UpdateParentCheckState(PVNode Node, TCheckState NewCheckState) {
  PVNode parent = Node->Parent;
  int total = 0, checked = 0;
  bool mixed = false;
  for (PVNode child = parent->FirstChild; child; child = child->NextSibling) {
    if (!IsCheckBoxType(child->CheckType)) continue;
    const TCheckState s = child == Node ? NewCheckState : child->CheckState;
    ++total;
    if (IsCheckedState(s)) ++checked;
    if (s == csMixedNormal) mixed = true;
  }
  TCheckState newState;
  if (checked == 0 && !mixed)
    newState = csUncheckedNormal;
  else if (checked < total)
    newState = csMixedNormal;
  else
    newState = csCheckedNormal;
  const bool allowed = DoChecking(parent, newState);
  if (allowed) ApplyCheckState(parent, newState);
  return allowed;
}

void TBaseNodeTree::SetCheckType(PVNode Node, TCheckType Value) {
  if (Node->CheckType == Value || Has(toReadOnly)) return;
  Node->CheckType = Value;
  if (Value != ctTriStateCheckBox &&
      (Node->CheckState == csMixedNormal || Node->CheckState == csMixedPressed))
    Node->CheckState = csUncheckedNormal;
  if (Has(toAutoTristateTracking) && IsCheckBoxType(Value) && Node->Parent != FRoot) {
    PVNode parent = Node->Parent;
    if (!parent->States.Has(vsInitialized)) InitNode(parent);
    if (parent->CheckType == ctTriStateCheckBox) {
      if (parent->CheckState == csUncheckedNormal || parent->CheckState == csUncheckedDisabled)
        SetCheckState(Node, csUncheckedNormal);
      else if (parent->CheckState == csCheckedNormal || parent->CheckState == csCheckedDisabled)
        SetCheckState(Node, csCheckedNormal);
    }
  }
  InvalidateNode(Node);
}

TCheckState TBaseNodeTree::NextCheckState(TCheckType Type, TCheckState State) {
  switch (Type) {
  case ctTriStateCheckBox:
  case ctCheckBox:
    return ToggledForm[State];
  case ctRadioButton:
    return csCheckedNormal;
  case ctButton:
    return csUncheckedNormal;
  case ctNone:
    break;
  }
  return csMixedNormal;
}

void TBaseNodeTree::SetCheckStateForAll(TCheckState aCheckState, bool pSelectedOnly, bool pExcludeDisabled) {
  Screen->SetCursor(crHourGlass);
  BeginUpdate();
  auto finish = [this] {
    Screen->SetCursor(crDefault);
    EndUpdate();
  };
  try {
    PVNode node = pSelectedOnly ? GetFirstSelected() : GetFirst();
    while (node) {
      if (!(pExcludeDisabled && IsDisabledState(node->CheckState))) SetCheckState(node, aCheckState);
      node = pSelectedOnly ? GetNextSelected(node) : GetNext(node);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TBaseNodeTree::ClearChecked() {
  for (PVNode node = FRoot->FirstChild; node; node = GetNextNoInit(node))
    if (node->CheckState != csUncheckedNormal) SetCheckState(node, csUncheckedNormal);
}

std::uint32_t TBaseNodeTree::CheckedCount() {
  std::uint32_t count = 0;
  for (PVNode node = GetFirstChecked(csCheckedNormal); node; node = GetNextChecked(node, csCheckedNormal))
    ++count;
  return count;
}

PVNode TBaseNodeTree::GetFirstChecked(TCheckState State, bool ConsiderChildrenAbove) {
  return GetNextChecked(nullptr, State, ConsiderChildrenAbove);
}

PVNode TBaseNodeTree::GetNextChecked(PVNode Node, TCheckState State, bool ConsiderChildrenAbove) {
  PVNode run = (!Node || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove)
                                        : GetNextNoInit(Node, ConsiderChildrenAbove);
  while (run && run->CheckState != State)
    run = GetNextNoInit(run, ConsiderChildrenAbove);
  if (run && !run->States.Has(vsInitialized)) InitNode(run);
  return run;
}

PVNode TBaseNodeTree::GetNextChecked(PVNode Node, bool ConsiderChildrenAbove) {
  return GetNextChecked(Node, csCheckedNormal, ConsiderChildrenAbove);
}

PVNode TBaseNodeTree::GetPreviousChecked(PVNode Node, TCheckState State, bool ConsiderChildrenAbove) {
  PVNode run = (!Node || Node == FRoot) ? GetLastNoInit(nullptr, ConsiderChildrenAbove)
                                        : GetPreviousNoInit(Node, ConsiderChildrenAbove);
  while (run && run->CheckState != State)
    run = GetPreviousNoInit(run, ConsiderChildrenAbove);
  if (run && !run->States.Has(vsInitialized)) InitNode(run);
  return run;
}

void TBaseNodeTree::SetCheckImageKind(TCheckImageKind kind) {
  if (FCheckImageKind == kind) return;
  FCheckImageKind = kind;
  if (FUpdateCount == 0) InvalidateTree();
}

void TBaseNodeTree::SetCustomCheckImages(TImageList* list) {
  if (FCustomCheckImages == list) return;
  FCustomCheckImages = list;
  if (FCheckImageKind == ckCustom && FUpdateCount == 0) InvalidateTree();
}

int TBaseNodeTree::CheckImageWidth() const {
  // The built-in check image sets are 16 pixels wide; ckCustom takes its list's width, none without one.
  if (FCheckImageKind == ckCustom) return FCustomCheckImages ? FCustomCheckImages->Width() : 0;
  return 16;
}

void TBaseNodeTree::DrawCheckImageAt(TCanvas& Canvas, int X, int Y, int Index) const {
  if (FCheckImageKind != ckCustom) {
    DrawCheckImage(Canvas, X, Y, Index);
  } else if (FCustomCheckImages) {
    FCustomCheckImages->Draw(Canvas, X, Y, Index);
  }
}

int TBaseNodeTree::CheckImageIndex(PVNode Node, TCheckType Type, TCheckState State, bool Enabled) const {
  bool hot = false;
  if (Node) {
    Type = Node->CheckType;
    State = Node->CheckState;
    Enabled = !Node->States.Has(vsDisabled) && this->Enabled();
    hot = Node == FCurrentHotNode;
  }
  if (IsDisabledState(State)) {
    State = EnabledForm[State];
    Enabled = false;
  }
  if (Type == ctTriStateCheckBox) Type = ctCheckBox;
  if (Type == ctNone) return -1;
  // Per state: disabled, enabled, enabled and hot; for check box, radio button and button.
  static constexpr int Table[6][3][3] = {
      {{12, 9, 10}, {4, 1, 2}, {24, 21, 22}},     {{12, 11, 11}, {4, 3, 3}, {24, 23, 23}},
      {{16, 13, 14}, {8, 5, 6}, {24, 21, 22}},    {{16, 15, 15}, {8, 7, 7}, {24, 23, 23}},
      {{20, 17, 18}, {20, 17, 18}, {20, 17, 18}}, {{20, 19, 19}, {20, 19, 19}, {20, 19, 19}},
  };
  const int column = Type == ctCheckBox ? 0 : Type == ctRadioButton ? 1 : 2;
  return Table[State][column][!Enabled ? 0 : hot ? 2 : 1];
}
