#include "grid/GridEditBtn.h"

#include "grid/InplaceEditFilter.h"
#include "grid/ProGrid.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/KeyState.h"

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
    FGrid->SetCurrentCell(Text());
    const bool valid = FGrid->ValidateCell(Text());
    SetText(FGrid->NewCellText());
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
    SetText(FGrid->CellCache());
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
  if (Key != VK_RETURN) TAsgEditBtn::KeyUp(Key, Shift);
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
    FGrid->SetCurrentCell(TextAndUnit());
    if (!FGrid->ValidateCell(TextAndUnit())) {
      SetText(FGrid->CurrentCell());
      Key = 0;
      return;
    }
    SetTextAndUnit(FGrid->CurrentCell());
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
    SetText(FGrid->CurrentCell());
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
