#include "grid/GridDatePicker.h"

#include "grid/EditTextForm.h"
#include "grid/ProGrid.h"
#include "grid/ProGridUnit.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/ui/Application.h"
#include "platform/ui/Graphics.h"

namespace {

// A cell text as the picker's value: a time for time pickers, else a date; now when it is none.
double PickerValue(const std::string& text, bool time) {
  try {
    return time ? StrToTime(text) : StrToDate(text);
  } catch (const std::exception&) {
    return Clock().LocalNow();
  }
}

} // namespace

// ---- the date or time picker

TGridDatePicker::TGridDatePicker(TComponent* AOwner)
    : TAsgDateTimePicker(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

unsigned TGridDatePicker::DialogCode() const {
  unsigned code = TAsgDateTimePicker::DialogCode();
  if (FGrid) code |= DLGC_WANTALLKEYS | (FGrid->EditorWantsTab() ? DLGC_WANTTAB : 0);
  return code;
}

void TGridDatePicker::KeyPress(WideChar& Key) {
  if (Key >= u'0' && Key <= u'9') {
    const TDateParts p = DecodeDateTime(DateTime());
    Fy = p.Year;
    Fm = p.Month;
    Fd = p.Day;
    Fth = p.Hour;
    Ftm = p.Minute;
    Fts = p.Second;
    Ftms = 0;
    TAsgDateTimePicker::KeyPress(Key);
    PostMessage(this, DTPShiftFocusMessage());
  } else {
    TAsgDateTimePicker::KeyPress(Key);
  }
  if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
}

void TGridDatePicker::WndProc(TMessage& Message) {
  TAsgDateTimePicker::WndProc(Message);
  if (Message.Msg == DTPShiftFocusMessage()) ShiftFocus();
}

void TGridDatePicker::ShiftFocus() {
  const TDateParts p = DecodeDateTime(DateTime());
  bool move;
  if (Kind() == dtkTime) {
    move = p.Hour != Fth || p.Minute != Ftm || p.Second != Fts;
  } else {
    const bool day = p.Day != Fd, month = p.Month != Fm, year = p.Year != Fy;
    if (!Format().empty()) {
      // The changed field is the last one: there is no next field.
      const char last = Format().back();
      const bool lastChanged = (day && (last == 'd' || last == 'D')) ||
                               (month && (last == 'm' || last == 'M')) ||
                               (year && (last == 'y' || last == 'Y'));
      move = !lastChanged && (day || month || year);
    } else {
      move = day || month;
    }
  }
  if (move) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  const bool handled = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                       Key == VK_NEXT || Key == VK_END;
  if (!FGrid || !handled || (Key == VK_TAB && !FGrid->EditorWantsTab())) {
    TAsgDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    const double value = PickerValue(ShownEditText(FGrid->CurrentCell()), Kind() == dtkTime);
    Kind() == dtkTime ? SetTime(value) : SetDate(value);
    // The cell keeps its text, also one that is no date.
    FGrid->SetEditRestored(true);
  }
  if (Key == VK_RETURN) {
    // A field typed in part is completed first.
    Perform(WM_KEYDOWN, VK_RIGHT, 0);
    Perform(WM_KEYUP, VK_RIGHT, 0);
    const std::string stored = StoredCurrentCellText(*FGrid, Text());
    FGrid->SetCurrentCell(stored);
    if (!FGrid->ValidateCell(stored)) {
      const double value = PickerValue(ShownEditText(FGrid->NewCellText()), Kind() == dtkTime);
      Kind() == dtkTime ? SetTime(value) : SetDate(value);
      Repaint();
      Key = 0;
      return;
    }
  }
  if (Key == VK_TAB) {
    const std::string stored = StoredCurrentCellText(*FGrid, Text());
    FGrid->SetCurrentCell(stored);
    if (!FGrid->ValidateCell(stored)) {
      Repaint();
      Key = 0;
      return;
    }
    if (FGrid->Options() & goTabs) {
      Key = 0;
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus()) FGrid->SetFocus();
      FGrid->TabNavigate(Shift & ssShift);
      return;
    }
    PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
  }
  const std::uint16_t k = Key;
  Key = 0;
  if (!DroppedDown()) FGrid->DoneInplaceEdit(k == VK_ESCAPE ? 0 : k, Shift);
}

void TGridDatePicker::DoExit() {
  if (FGrid) FGrid->HideInplaceEdit();
  TAsgDateTimePicker::DoExit();
}

void TGridDatePicker::DropDown() {
  FOldDropped = true;
  TAsgDateTimePicker::SetShowTodayCircle(FShowTodayCircle);
  TAsgDateTimePicker::DropDown();
}

void TGridDatePicker::CloseUp() {
  FOldDropped = false;
  TAsgDateTimePicker::CloseUp();
}

void TGridDatePicker::PaintOver(TCanvas& canvas) {
  if (TAsgDateTimePicker::PaintsOver()) TAsgDateTimePicker::PaintOver(canvas);
  // No border inside the cell: the two outer pixel rings take the window colour.
  canvas.Brush().SetColor(clWindow);
  TRect r{0, 0, Width(), Height()};
  canvas.FrameRect(r);
  r = {1, 1, Width() - 1, Height() - 1};
  canvas.FrameRect(r);
}

// ---- the date-and-time picker

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner)
    : TProDateTimePicker(AOwner), FGrid(static_cast<TProStringGrid*>(AOwner)) {
  if (TimePicker()) TimePicker()->OnExit = [this](TObject*) { Left(); };
}

void TGridDateTimePicker::Left() {
  if (!FGrid || Focused() || (TimePicker() && TimePicker()->Focused())) return;
  FGrid->HideInplaceEdit();
}

void TGridDateTimePicker::DoExit() {
  Left();
  TProDateTimePicker::DoExit();
}

unsigned TGridDateTimePicker::DialogCode() const {
  unsigned code = TProDateTimePicker::DialogCode();
  if (FGrid) code |= DLGC_WANTALLKEYS | (FGrid->EditorWantsTab() ? DLGC_WANTTAB : 0);
  return code;
}

void TGridDateTimePicker::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (!FGrid) {
    TProDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    Key = 0;
    SetDateTime(FGrid->OriginalDateTime());
    FGrid->SetEditRestored(true);
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    return;
  }
  if (Key == VK_RETURN) {
    Key = 0;
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    if (FGrid->Navigation().AdvanceOnEnter()) FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false);
    return;
  }
  if (Key == VK_TAB && FGrid->EditorWantsTab()) {
    Key = 0;
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->TabNavigate(Shift & ssShift);
    return;
  }
  TProDateTimePicker::KeyDown(Key, Shift);
}
