#include "grid/GridEditBtn.h"

#include "grid/EditTextForm.h"
#include "grid/InplaceEditFilter.h"
#include "grid/LookupCompletion.h"
#include "grid/ProGrid.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/KeyState.h"

#include <algorithm>
#include <optional>

namespace {

bool IsEditBtnClosingKey(std::uint16_t Key) {
  return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
         Key == VK_UP || Key == VK_DOWN;
}

bool HeldNow(int vk) {
  return GetKeyState(vk) < 0;
}

// The filter of the numeric and float kinds applies to a typed character; the others type freely.
bool FilterAndType(TProStringGrid* Grid, TEdit& Edit, TMessage& Message) {
  if (!Grid) return true;
  TEditorType kind = Grid->EditControl();
  if (kind == edNumericEditBtn || kind == edNumericUnitEditBtn)
    kind = edNumeric;
  else if (kind == edFloatEditBtn || kind == edFloatUnitEditBtn)
    kind = edFloat;
  else
    return true;
  const auto ch = static_cast<WideChar>(Message.WParam);
  const bool ctrl = HeldNow(VK_CONTROL);
  if (ch >= 128) {
    MessageBeep(0);
    return false;
  }
  TEditCharRules rules;
  rules.Kind = kind;
  rules.DecimalSeparator = FormatSettings().DecimalSeparator;
  rules.ThousandSeparator = FormatSettings().ThousandSeparator;
  TEditState state;
  state.Text = Edit.Text();
  state.SelStart = Edit.SelStart();
  state.SelLength = Edit.SelLength();
  const TEditCharResult f = FilterEditChar(rules, state, static_cast<char>(ch), ctrl);
  if (f.Action == ecaBeep) {
    MessageBeep(0);
    return false;
  }
  if (f.Action == ecaDrop) return false;
  Message.WParam = static_cast<WPARAM>(static_cast<unsigned char>(f.Key));
  return true;
}

} // namespace

// ---- the ellipsis edit

TGridEditBtn::TGridEditBtn(TComponent* AOwner)
    : TAsgEditBtn(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

unsigned TGridEditBtn::DialogCode() const {
  unsigned code = TAsgEditBtn::DialogCode();
  if (FGrid) code |= DLGC_WANTALLKEYS | (FGrid->EditorWantsTab() ? DLGC_WANTTAB : 0);
  return code;
}

void TGridEditBtn::ButtonClick(TObject* Sender) {
  TAsgEditBtn::ButtonClick(Sender);
  if (!FGrid) return;
  SetText(FGrid->EllipsClick(Text()));
  // The press went to the button: the edit takes the focus back to show the answer selected.
  if (!FStopEditAfterClick && !Focused() && CanFocus()) SetFocus();
  SelectAll();
  Repaint();
  if (FStopEditAfterClick) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
  }
}

void TGridEditBtn::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (!FGrid) {
    TAsgEditBtn::KeyDown(Key, Shift);
    return;
  }
  const bool closing = IsEditBtnClosingKey(Key);
  if (!closing && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  FWorkMode = Key != VK_BACK && Key != VK_DELETE;
  FSelKeyDown = SelStart();
  if ((Shift & ssCtrl) || !closing) {
    TAsgEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (OnKeyDownEditor) OnKeyDownEditor(this, Key, Shift);
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    const TEditorType kind = FGrid->EditControl();
    const std::string stored = StoredCurrentCellText(*FGrid, Text());
    FGrid->SetCurrentCell(stored);
    const bool valid = FGrid->ValidateCell(stored);
    SetText(ShownEditText(FGrid->NewCellText()));
    if (!valid) {
      SelectAll();
      Repaint();
      Key = 0;
      FGrid->SetEditControl(kind);
      return;
    }
  }
  if (Key == VK_TAB && FGrid->EditorWantsTab()) {
    if (FGrid->Options() & goTabs) {
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus()) FGrid->SetFocus();
      FGrid->TabNavigate(Shift & ssShift);
      Key = 0;
      return;
    }
    PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_ESCAPE) {
    SetText(ShownEditText(FGrid->CellCache()));
    FGrid->SetEditRestored(true);
  }
  const std::uint16_t k = Key;
  Key = 0;
  FGrid->DoneInplaceEdit(k == VK_ESCAPE ? 0 : k, Shift);
  if (k == VK_RETURN && FGrid->Navigation().AdvanceOnEnter() && FGrid->Navigation().AdvanceAutoEdit())
    FGrid->ShowInplaceEdit();
}

void TGridEditBtn::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (FGrid && FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
  if (FGrid && CursorWalk(Key, Shift)) {
    Key = 0;
    return;
  }
  if (Key != VK_RETURN) TAsgEditBtn::KeyUp(Key, Shift);
  if (FGrid && FWorkMode && Visible() && FGrid->Lookup() && FGrid->LookupItems().Count() > 0)
    CompleteEditorText(*this, FGrid->LookupItems(), FGrid->LookupCaseSensitive());
}

bool TGridEditBtn::CursorWalk(std::uint16_t Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  if (!g->Navigation().CursorWalkEditor() || (Shift & (ssShift | ssCtrl | ssAlt)) || SelLength() != 0)
    return false;
  const int end = TextCharCount(Text(), static_cast<int>(Text().size()));
  // The caret was already at that end when the key went down: arriving there does not walk on.
  const bool forward = Key == VK_RIGHT && FSelKeyDown >= end && SelStart() >= end;
  if (!forward && !(Key == VK_LEFT && FSelKeyDown == 0 && SelStart() == 0)) return false;
  const int span = forward ? std::max(0, g->CellSpan(g->RealCol(), g->Row()).X) : 0;
  const int next = forward ? g->Col() + span + 1 : g->Col() - 1;
  const bool inside =
      forward ? g->Col() < g->ColCount() - g->FixedRightCols() - 1 : g->Col() > g->FixedCols();
  if (inside && g->HasControlGraphic(g->RealColIndex(next), g->Row())) {
    if (g->ValidateCell(StoredCurrentCellText(*g, Text()))) {
      g->HideInplaceEdit();
      g->SetCol(next);
    }
    return true;
  }
  // The grid takes the focus (the exit commits), then moves along the row.
  if (g->CanFocus()) g->SetFocus();
  g->HideInplaceEdit();
  TNavigation& nav = g->Navigation();
  const TAdvanceDirection dir = nav.AdvanceDirection();
  nav.SetAdvanceDirection(adLeftRight);
  g->AdvanceEdit(g->Col(), g->Row(), false, false, forward, false, true);
  nav.SetAdvanceDirection(dir);
  if (nav.CursorWalkAlwaysEdit()) g->ShowInplaceEdit();
  return true;
}

void TGridEditBtn::WndProc(TMessage& Message) {
  if (FGrid && Message.Msg == WM_PASTE && EditorEnabled() && !ReadOnly()) {
    PasteMessage();
    Message.Result = 0;
    return;
  }
  TAsgEditBtn::WndProc(Message);
  if (FGrid && Message.Msg == WM_LBUTTONDBLCLK && FGrid->OnDblClickCell)
    FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::PasteMessage() {
  TProStringGrid* g = FGrid;
  bool allow = Clipboard()->HasFormat(CF_TEXT) || Clipboard()->HasFormat(CF_UNICODETEXT);
  std::string pasted = Clipboard()->AsText();
  if (g->OnClipboardPaste) g->OnClipboardPaste(this, pasted, allow);
  if (allow && g->OnClipboardBeforePasteCell)
    g->OnClipboardBeforePasteCell(this, g->Col(), g->Row(), pasted, allow);
  if (!allow) return;
  // No length limit and no test by kind here: only a closing line break is dropped.
  TEditState state;
  state.Text = Text();
  state.SelStart = TextByteOffset(state.Text, SelStart());
  state.SelLength = TextByteOffset(state.Text, SelStart() + SelLength()) - state.SelStart;
  const std::optional<TEditState> r = PasteEditText(TEditCharRules{}, state, pasted, 0);
  if (!r) return;
  SetText(r->Text);
  const int start = TextCharCount(r->Text, r->SelStart);
  SetSelStart(start);
  SetSelLength(TextCharCount(r->Text, r->SelStart + r->SelLength) - start);
  g->SetCurrentCellText(r->Text);
}

void TGridEditBtn::KeyPress(WideChar& Key) {
  if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  if (Key == u'\t') return;
  TAsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::WMChar(TMessage& Message) {
  if (FGrid && (Message.WParam == '\r' || Message.WParam == '\t')) {
    Message.Result = 1;
    return;
  }
  if (!FilterAndType(FGrid, *this, Message)) return;
  TAsgEditBtn::WMChar(Message);
}

void TGridEditBtn::Change() {
  TAsgEditBtn::Change();
  if (FGrid && FGrid->OnEditChange && !FGrid->NoEditChange())
    FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridEditBtn::DoExit() {
  if (FGrid) FGrid->HideInplaceEdit();
  TAsgEditBtn::DoExit();
}

// ---- the value-and-unit edit

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner)
    : TAsgUnitEditBtn(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

unsigned TGridUnitEditBtn::DialogCode() const {
  unsigned code = TAsgUnitEditBtn::DialogCode();
  if (FGrid) code |= DLGC_WANTALLKEYS | ((FGrid->Options() & goTabs) ? DLGC_WANTTAB : 0);
  return code;
}

void TGridUnitEditBtn::ButtonClick(TObject* Sender) {
  TAsgUnitEditBtn::ButtonClick(Sender);
  if (!FGrid) return;
  SetText(FGrid->EllipsClick(Text()));
  SelectAll();
  Repaint();
}

void TGridUnitEditBtn::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (!FGrid || !IsEditBtnClosingKey(Key) || (Key == VK_TAB && !(FGrid->Options() & goTabs))) {
    TAsgUnitEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    const std::string stored = StoredCurrentCellText(*FGrid, TextAndUnit());
    FGrid->SetCurrentCell(stored);
    if (!FGrid->ValidateCell(stored)) {
      SetText(ShownEditText(FGrid->CurrentCell()));
      Key = 0;
      return;
    }
    SetTextAndUnit(ShownEditText(FGrid->CurrentCell()));
  }
  const std::uint16_t k = Key;
  Key = 0;
  if (k == VK_RETURN && FGrid->Navigation().AdvanceOnEnter()) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false);
    return;
  }
  if (k == VK_TAB) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->TabNavigate(Shift & ssShift);
    return;
  }
  if (k == VK_ESCAPE) {
    // The cell keeps its text, unit included.
    SetUnitID("");
    SetText(ShownEditText(FGrid->CurrentCell()));
    FGrid->SetEditRestored(true);
  }
  FGrid->DoneInplaceEdit(k == VK_ESCAPE ? 0 : k, Shift);
}

void TGridUnitEditBtn::WMChar(TMessage& Message) {
  if (FGrid && Message.WParam == '\r') {
    Message.Result = 0;
    return;
  }
  if (!FilterAndType(FGrid, *this, Message)) return;
  TAsgUnitEditBtn::WMChar(Message);
}

void TGridUnitEditBtn::DoExit() {
  if (FGrid) FGrid->HideInplaceEdit();
  TAsgUnitEditBtn::DoExit();
}
