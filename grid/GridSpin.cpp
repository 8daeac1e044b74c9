#include "grid/GridSpin.h"

#include "grid/EditTextForm.h"
#include "grid/ProGrid.h"

TGridSpin::TGridSpin(TComponent* AOwner)
    : TAsgSpinEdit(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  SetMaxValue(100);
  SetMinValue(0);
  SetIncrement(1);
}

unsigned TGridSpin::DialogCode() const {
  unsigned code = TAsgSpinEdit::DialogCode();
  if (FGrid) code |= DLGC_WANTALLKEYS | ((FGrid->Options() & goTabs) ? DLGC_WANTTAB : 0);
  return code;
}

void TGridSpin::FireSpinClick(bool UpDown) {
  if (!FGrid) return;
  switch (SpinType()) {
  case sptNormal:
    if (FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), UpDown);
    break;
  case sptFloat:
    if (FGrid->OnFloatSpinClick)
      FGrid->OnFloatSpinClick(FGrid, FGrid->Col(), FGrid->Row(), FloatValue(), UpDown);
    break;
  case sptDate:
    if (FGrid->OnDateSpinClick)
      FGrid->OnDateSpinClick(FGrid, FGrid->Col(), FGrid->Row(), DateValue(), UpDown);
    break;
  case sptTime:
    if (FGrid->OnTimeSpinClick)
      FGrid->OnTimeSpinClick(FGrid, FGrid->Col(), FGrid->Row(), TimeValue(), UpDown);
    break;
  }
}

void TGridSpin::UpButtonClick() {
  TAsgSpinEdit::UpButtonClick();
  FireSpinClick(true);
}

void TGridSpin::DownButtonClick() {
  TAsgSpinEdit::DownButtonClick();
  FireSpinClick(false);
}

void TGridSpin::ValueKey(std::uint16_t Key) {
  if (SpinType() == sptNormal) {
    const int v = Value();
    if (Key == VK_PRIOR && v + Increment() <= MaxValue()) SetValue(v + Increment());
    if (Key == VK_NEXT && v - Increment() >= MinValue()) SetValue(v - Increment());
    if (Key == VK_END) SetValue(MinValue());
    if (Key == VK_HOME) SetValue(MaxValue());
  } else {
    const double v = FloatValue();
    if (Key == VK_PRIOR && v + IncrementFloat() <= MaxFloatValue()) SetFloatValue(v + IncrementFloat());
    if (Key == VK_NEXT && v - IncrementFloat() >= MinFloatValue()) SetFloatValue(v - IncrementFloat());
    if (Key == VK_END) SetFloatValue(MinFloatValue());
    if (Key == VK_HOME) SetFloatValue(MaxFloatValue());
  }
  // Reported whether or not the value moved.
  if (FGrid && FGrid->OnSpinClick)
    FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
}

void TGridSpin::WMKeyDown(TMessage& Message) {
  // The base steps the value on these keys itself; in a cell they mean what KeyDown says.
  switch (Message.WParam) {
  case VK_PRIOR:
  case VK_NEXT:
  case VK_HOME:
  case VK_END:
  case VK_UP:
  case VK_DOWN:
  case VK_TAB:
  case VK_RETURN:
  case VK_ESCAPE:
    if (FGrid) {
      auto key = static_cast<std::uint16_t>(Message.WParam);
      KeyDown(key, ShiftOfKeyData(Message.LParam));
      Message.Result = 0;
      return;
    }
    break;
  default:
    break;
  }
  TAsgSpinEdit::WMKeyDown(Message);
}

void TGridSpin::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (!FGrid) {
    TAsgSpinEdit::KeyDown(Key, Shift);
    return;
  }
  const bool numeric = SpinType() == sptNormal || SpinType() == sptFloat;
  if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END) {
    if (numeric)
      ValueKey(Key);
    else if (Key == VK_HOME || Key == VK_END)
      TAsgSpinEdit::KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  const bool closing =
      Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_UP || Key == VK_DOWN;
  if (!closing || (Key == VK_TAB && !FGrid->EditorWantsTab())) {
    TAsgSpinEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    SetText(ShownEditText(FGrid->CellCache()));
    FGrid->SetEditRestored(true);
  } else {
    const std::string stored = StoredCurrentCellText(*FGrid, Text());
    FGrid->SetCurrentCell(stored);
    if (!FGrid->ValidateCell(stored)) {
      SetText(ShownEditText(FGrid->CurrentCell()));
      SetSelStart(static_cast<int>(Text().size()));
      Key = 0;
      Repaint();
      return;
    }
    SetText(ShownEditText(FGrid->CurrentCell()));
  }
  const std::uint16_t k = Key;
  Key = 0;
  if (k == VK_TAB && (FGrid->Options() & goTabs)) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->TabNavigate(Shift & ssShift);
    return;
  }
  FGrid->DoneInplaceEdit(k == VK_ESCAPE ? 0 : k, Shift);
  if (k == VK_RETURN && FGrid->Navigation().AdvanceOnEnter() && FGrid->Navigation().AdvanceAutoEdit())
    FGrid->ShowInplaceEdit();
}

void TGridSpin::WMChar(TMessage& Message) {
  if (FGrid && (Message.WParam == '\t' || Message.WParam == '\r')) {
    Message.Result = 0;
    return;
  }
  TAsgSpinEdit::WMChar(Message);
}

void TGridSpin::KeyPress(WideChar& Key) {
  if (Key == 27) Key = 0;
  if (Key == u'\r') return;
  TAsgSpinEdit::KeyPress(Key);
}

void TGridSpin::Change() {
  TAsgSpinEdit::Change();
  if (FGrid && FGrid->OnEditChange && !FGrid->NoEditChange())
    FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridSpin::DoExit() {
  if (FGrid) FGrid->HideInplaceEdit();
  TAsgSpinEdit::DoExit();
}
