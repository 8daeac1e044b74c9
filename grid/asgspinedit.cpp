#include "grid/asgspinedit.h"

#include "grid/EditButtonLayout.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Locale.h"
#include "platform/Persistent.h"
#include "platform/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/KeyState.h"

#include <algorithm>
#include <cmath>
#include <string>

TAsgSpinEdit::TAsgSpinEdit(TComponent* AOwner) : TEdit(AOwner) {
  SetControlStyle(ControlStyle() & ~csSetCaption);
  // As the system's edit: Ctrl+V and Ctrl+X pass the character filter first.
  SetClipboardKeysAsChars(true);
  SetText("0");
  FButton = new TAsgSpinButton(this);
  FButton->SetParent(this);
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetFocusControl(this);
  // Virtual, so a descendant's overrides receive the clicks.
  FButton->OnUpClick = [this](TObject*) { UpButtonClick(); };
  FButton->OnDownClick = [this](TObject*) { DownButtonClick(); };
  Relayout();
}

TAsgSpinEdit::~TAsgSpinEdit() {
  FButton = nullptr;
}

// ---- reading and writing the value

int TAsgSpinEdit::Value() const {
  return SpinTextToInt(Text(), FMinValue);
}

void TAsgSpinEdit::SetValue(int value) {
  SetText(std::to_string(ClampSpinValue(value, FMinValue, FMaxValue)));
  if (!FEditorEnabled) SelectAll();
}

double TAsgSpinEdit::FloatValue() const {
  return SpinTextToFloat(Text(), FMinFloatValue);
}

void TAsgSpinEdit::SetFloatValue(double value) {
  SetText(SpinFloatToText(ClampSpinValue(value, FMinFloatValue, FMaxFloatValue), FPrecision));
}

TDateTime TAsgSpinEdit::DateValue() const {
  const std::string text = Text();
  if (text.empty() || text == "0") return Clock().LocalNow();
  try {
    return StrToDate(text);
  } catch (const EConvertError&) {
    return FMinDateValue;
  }
}

template <class F> void TAsgSpinEdit::KeepingCaret(F write) {
  const int caret = SelStart();
  write();
  SetSelStart(std::min(caret, static_cast<int>(Text().size())));
}

void TAsgSpinEdit::SetDateValue(TDateTime value) {
  FDateValue = ClampSpinValue(value, FMinDateValue, FMaxDateValue);
  KeepingCaret([&] { SetText(DateToStr(FDateValue)); });
}

TDateTime TAsgSpinEdit::TimeValue() const {
  try {
    return StrToTime(Text());
  } catch (const EConvertError&) {
    return 0;
  }
}

void TAsgSpinEdit::SetTimeValue(TDateTime value) {
  FTimeValue = ClampSpinValue(value, FMinDateValue, FMaxDateValue);
  KeepingCaret([&] {
    if (FShowSeconds) {
      SetText(TimeToStr(FTimeValue));
      return;
    }
    // "h:nn": hours without a leading zero.
    const TDateParts p = DecodeDateTime(FTimeValue);
    const std::string minutes = (p.Minute < 10 ? "0" : "") + std::to_string(p.Minute);
    SetText(std::to_string(p.Hour) + FormatSettings().TimeSeparator + minutes);
  });
}

void TAsgSpinEdit::SetSpinType(TAsgSpinType value) {
  FSpinType = value;
  switch (value) {
  case sptNormal:
    SetValue(Value());
    break;
  case sptFloat:
    SetFloatValue(FloatValue());
    break;
  case sptDate:
    SetDateValue(DateValue());
    break;
  case sptTime:
    SetTimeValue(TimeValue());
    break;
  }
}

void TAsgSpinEdit::SetPrecision(int value) {
  FPrecision = value;
  if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

// ---- stepping

void TAsgSpinEdit::StepUp(bool Page) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
  case sptNormal:
    SetValue(Value() + FIncrement);
    break;
  case sptFloat:
    SetFloatValue(FloatValue() + (Page ? FIncrementFloatPage : FIncrementFloat));
    break;
  case sptDate:
    SetDateValue(SpinStepDate(DateValue(), Text(), SelStart(), true));
    break;
  case sptTime:
    SetTimeValue(SpinStepTime(TimeValue(), Text(), SelStart(), FShowSeconds, FIncrementHours,
                              FIncrementMinutes, FIncrementSeconds, true));
    break;
  }
}

void TAsgSpinEdit::StepDown(bool Page) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
  case sptNormal:
    SetValue(Value() - FIncrement);
    break;
  case sptFloat:
    SetFloatValue(FloatValue() - (Page ? FIncrementFloatPage : FIncrementFloat));
    break;
  case sptDate:
    SetDateValue(SpinStepDate(DateValue(), Text(), SelStart(), false));
    break;
  case sptTime:
    SetTimeValue(SpinStepTime(TimeValue(), Text(), SelStart(), FShowSeconds, FIncrementHours,
                              FIncrementMinutes, FIncrementSeconds, false));
    break;
  }
}

void TAsgSpinEdit::UpButtonClick() {
  StepUp(false);
}

void TAsgSpinEdit::DownButtonClick() {
  StepDown(false);
}

// ---- keys

bool TAsgSpinEdit::IsValidChar(WideChar& Key) {
  TSpinCharContext c;
  c.Kind = FSpinType;
  c.Text = Text();
  c.SelStart = SelStart();
  c.SelLength = SelLength();
  c.Precision = FPrecision;
  c.EditorEnabled = FEditorEnabled;
  return SpinIsValidChar(Key, c);
}

void TAsgSpinEdit::WMKeyDown(TMessage& Message) {
  switch (Message.WParam) {
  case VK_PRIOR:
    StepUp(true);
    break;
  case VK_NEXT:
    StepDown(true);
    break;
  case VK_UP:
    StepUp(false);
    break;
  case VK_DOWN:
    StepDown(false);
    break;
  case VK_TAB:
    // Only the Tab posted for Enter comes here (a typed Tab goes to the form): move on as Tab does.
    if (TWinControl* form = GetParentForm(this)) form->SelectNext(this, true, true);
    break;
  default:
    TEdit::WMKeyDown(Message);
    return;
  }
  Message.Result = 0;
}

void TAsgSpinEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
  TEdit::KeyDown(Key, Shift);
}

void TAsgSpinEdit::KeyPress(WideChar& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
  }
  TEdit::KeyPress(Key);
}

void TAsgSpinEdit::WMChar(TMessage& Message) {
  // The keypad's decimal key types the regional separator.
  if (FExcelStyleDecimalSeparator && Message.WParam == '.' && IsKeypadKey(Message.LParam))
    Message.WParam = static_cast<unsigned char>(FormatSettings().DecimalSeparator);
  TEdit::WMChar(Message);
}

void TAsgSpinEdit::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_PASTE || Message.Msg == WM_CUT) && (!FEditorEnabled || ReadOnly())) return;
  TEdit::WndProc(Message);
}

void TAsgSpinEdit::DoEnter() {
  if (AutoSelect() && (GetKeyState(VK_LBUTTON) >= 0 || !FEditorEnabled)) SelectAll();
  TEdit::DoEnter();
}

void TAsgSpinEdit::DoExit() {
  TEdit::DoExit();
  // A value outside the bounds is written back clamped; text that does not read stays.
  switch (FSpinType) {
  case sptNormal: {
    const int v = Value();
    if (ClampSpinValue(v, FMinValue, FMaxValue) != v) SetValue(v);
    break;
  }
  case sptFloat: {
    const double v = FloatValue();
    if (ClampSpinValue(v, FMinFloatValue, FMaxFloatValue) != v) SetFloatValue(v);
    break;
  }
  case sptDate: {
    const TDateTime v = DateValue();
    if (ClampSpinValue(v, FMinDateValue, FMaxDateValue) != v) SetDateValue(v);
    break;
  }
  case sptTime: {
    const TDateTime v = TimeValue();
    if (ClampSpinValue(v, FMinDateValue, FMaxDateValue) != v) SetTimeValue(v);
    break;
  }
  }
}

// ---- look and layout

void TAsgSpinEdit::SetEditAlign(TEditAlign value) {
  FEditAlign = value;
  SetAlignment(value == eaRight ? taRightJustify : value == eaCenter ? taCenter : taLeftJustify);
}

void TAsgSpinEdit::SetDirection(TSpinDirection value) {
  FDirection = value;
  FButton->SetDirection(value);
  Relayout();
}

void TAsgSpinEdit::SetSpinFlat(bool value) {
  FSpinFlat = value;
  FButton->UpButton()->SetFlat(value);
  FButton->DownButton()->SetFlat(value);
}

void TAsgSpinEdit::SetSpinTransparent(bool value) {
  FSpinTransparent = value;
  Relayout();
}

void TAsgSpinEdit::SetIsWinXP(bool value) {
  FIsWinXP = value;
  FButton->SetIsWinXP(value);
}

int TAsgSpinEdit::MinHeight() const {
  TBitmap measure;
  measure.Canvas().Font().Assign(Font());
  const int fontHeight = measure.Canvas().TextHeight("0");
  measure.Canvas().Font().Assign(TFont());
  const int systemHeight = measure.Canvas().TextHeight("0");
  return fontHeight + std::min(fontHeight, systemHeight) / 4 + 2 + (BorderStyle() == bsSingle ? 4 : 0);
}

void TAsgSpinEdit::SetEditRect() {
  if (!FButton) return;
  const int k = BorderStyle() == bsNone ? 3 : 0;
  SetFormattingRect(Rect(k, k, ClientWidth() - FButton->Width() - 2 - k, ClientHeight() + 1));
}

// The edit and its button are laid out anew as a resize would.
void TAsgSpinEdit::Relayout() {
  Resize();
}

void TAsgSpinEdit::Resize() {
  TEdit::Resize();
  if (FButton && PlaceEditButton(*this, *FButton, MinHeight(), FSizing)) SetEditRect();
}
