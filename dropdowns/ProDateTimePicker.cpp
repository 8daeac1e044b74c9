#include "dropdowns/ProDateTimePicker.h"

#include "platform/DateText.h"
#include "platform/ui/Application.h"
#include "platform/ui/StdCtrls.h"

#include <cmath>

unsigned DTPShiftFocusMsg() {
  static const unsigned id = RegisterWindowMessage("DTPShiftFocus");
  return id;
}

namespace {

void SplitTime(double value, int& h, int& m, int& s, int& ms) {
  const double frac = value - std::floor(value);
  auto total = static_cast<long long>(std::llround(frac * 86400000.0));
  ms = static_cast<int>(total % 1000);
  total /= 1000;
  s = static_cast<int>(total % 60);
  m = static_cast<int>(total / 60 % 60);
  h = static_cast<int>(total / 3600 % 24);
}

// Whole seconds: the picker keeps no milliseconds.
double DropMilliseconds(double value) {
  const double day = std::floor(value);
  return day + std::floor((value - day) * 86400.0 + 1e-6) / 86400.0;
}

} // namespace

// ---- the auto-tab picker

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner)
    : TFlatDateTimePicker(AOwner, clBlack, false) {}

void TCustomDateTimePicker::KeyPress(WideChar& Key) {
  if (FAutoTab && Key >= u'0' && Key <= u'9') {
    SplitTime(TDateTimePicker::DateTime(), Fh, Fm, Fs, Fms);
    TDateTimePicker::KeyPress(Key);
    PostMessage(this, DTPShiftFocusMsg());
    return;
  }
  TDateTimePicker::KeyPress(Key);
}

void TCustomDateTimePicker::WndProc(TMessage& Message) {
  if (Message.Msg == DTPShiftFocusMsg()) DoShiftFocus();
  TDateTimePicker::WndProc(Message);
}

void TCustomDateTimePicker::DoShiftFocus() {
  if (Kind() != dtkTime) return;
  int h, m, s, ms;
  SplitTime(TDateTimePicker::DateTime(), h, m, s, ms);
  if (h != Fh || m != Fm || s != Fs) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
}

// ---- the date, time or date-and-time picker

TProDateTimePicker::TProDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner) {
  SetBorderStyle(bsSingle);
  SetCtl3D(true);
  FLabelFont.OnChange = [this] { UpdateLabel(); };
  CreateTimePicker();
  UpdateTimePicker();
}

TProDateTimePicker::~TProDateTimePicker() {
  FLabelFont.OnChange = nullptr;
  // The label sits on the parent: it is taken off before it goes with the picker.
  if (FLabel) {
    TLabel* label = FLabel;
    FLabel = nullptr;
    label->SetParent(nullptr);
    delete label;
  }
}

void TProDateTimePicker::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomDateTimePicker::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

std::string TProDateTimePicker::LabelCaption() const {
  return FLabel ? FLabel->Caption() : std::string();
}

void TProDateTimePicker::SetLabelCaption(const std::string& Value) {
  if (!FLabel) {
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->SetFont(FLabelFont);
    FLabel->OnClick = [this](TObject*) {
      if (OnLabelClick && CanFire()) OnLabelClick(this);
    };
    FLabel->OnDblClick = [this](TObject*) {
      if (OnLabelDblClick && CanFire()) OnLabelDblClick(this);
    };
    FLabel->SetEnabled(Enabled() || FLabelAlwaysEnabled);
  }
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TProDateTimePicker::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  UpdateLabel();
}

void TProDateTimePicker::SetLabelMargin(int Value) {
  FLabelMargin = Value;
  UpdateLabel();
}

void TProDateTimePicker::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  UpdateLabel();
}

void TProDateTimePicker::SetLabelAlwaysEnabled(bool Value) {
  FLabelAlwaysEnabled = Value;
  if (FLabel && Value) FLabel->SetEnabled(true);
  Invalidate();
}

void TProDateTimePicker::SetLabelFont(const TFont& Value) {
  FLabelFont.Assign(Value);
  UpdateLabel();
}

void TProDateTimePicker::UpdateLabel() {
  if (!FLabel) return;
  FLabel->SetTransparent(FLabelTransparent);
  TFont font;
  font.Assign(ParentFont() ? Font() : FLabelFont);
  if (FFocusLabel && Focused()) font.SetStyle(font.Style() | fsBold);
  FLabel->SetFont(font);
  TRect measure = Rect(0, 0, 1000, 255);
  FLabel->Canvas().Font().Assign(FLabel->Font());
  FLabel->Canvas().DrawText(FLabel->Caption(), measure, DT_CALCRECT | DT_HIDEPREFIX);
  const TPoint at = LabelPlace(FLabelPosition, BoundsRect(), measure.Width(), FLabel->Width(),
                               FLabel->Height(), FLabelMargin);
  FLabel->SetBounds(at.X, at.Y, FLabel->Width(), FLabel->Height());
  FLabel->SetVisible(Visible());
}

void TProDateTimePicker::SetParent(TWinControl* AParent) {
  TCustomDateTimePicker::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    UpdateLabel();
  }
}

void TProDateTimePicker::SetEnabled(bool Value) {
  TCustomDateTimePicker::SetEnabled(Value);
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
  UpdateTimePicker();
}

void TProDateTimePicker::CMVisibleChanged(TMessage& Message) {
  TCustomDateTimePicker::CMVisibleChanged(Message);
  if (FLabel) FLabel->SetVisible(Visible());
}

void TProDateTimePicker::DoEnter() {
  TCustomDateTimePicker::DoEnter();
  if (FFocusLabel) UpdateLabel();
}

void TProDateTimePicker::DoExit() {
  TCustomDateTimePicker::DoExit();
  if (FFocusLabel) UpdateLabel();
}

void TProDateTimePicker::CreateTimePicker() {
  if (FKind != dkDateTime || FTimePicker) return;
  FTimePicker = new TCustomDateTimePicker(this);
  FTimePicker->SetParent(this);
  FTimePicker->SetKind(dtkTime);
  FTimePicker->SetBounds(0, 0, 90, 17);
  FTimePicker->OnChange = [this](TObject*) {
    Change();
    if (OnTimeChange && CanFire()) OnTimeChange(this);
  };
  FTimePicker->OnKeyDown = [this](TObject*, std::uint16_t& Key, TShiftState Shift) { KeyDown(Key, Shift); };
  // A click into the time field is a click on the picker.
  FTimePicker->OnClick = [this](TObject*) {
    if (OnClick && CanFire()) OnClick(this);
  };
}

void TProDateTimePicker::UpdateTimePicker() {
  if (!FTimePicker) return;
  if (FKind != dkDateTime) {
    delete FTimePicker;
    FTimePicker = nullptr;
    return;
  }
  FTimePicker->SetAutoTab(AutoTab());
  if (!FTimeFormat.empty()) FTimePicker->SetFormat(FTimeFormat);
  FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
  // Inside the right end, as wide as its text needs.
  const int w = std::min(Width(), 90);
  FTimePicker->SetBounds(Width() - w - 21, 1, w, std::max(0, Height() - 2));
  FTimePicker->SetVisible(true);
}

void TProDateTimePicker::SetBounds(int left, int top, int width, int height) {
  TCustomDateTimePicker::SetBounds(left, top, width, height);
  UpdateTimePicker();
  if (FLabel && Parent()) UpdateLabel();
}

void TProDateTimePicker::SetKind(TProDateTimeKind Value) {
  if (Value == FKind) return;
  const double value = DateTime();
  FKind = Value;
  TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
  CreateTimePicker();
  UpdateTimePicker();
  SetDateTime(value);
}

double TProDateTimePicker::DateTime() const {
  const double own = TDateTimePicker::DateTime();
  if (FKind != dkDateTime || !FTimePicker) return DropMilliseconds(own);
  const double t = FTimePicker->Time();
  return DropMilliseconds(std::floor(own) + t);
}

void TProDateTimePicker::SetDateTime(double Value) {
  Value = DropMilliseconds(Value);
  TDateTimePicker::SetDateTime(Value);
  CreateTimePicker();
  if (FTimePicker) FTimePicker->SetDateTime(Value);
}

void TProDateTimePicker::SetDate(double Value) {
  const double t = Time();
  SetDateTime(std::floor(Value) + t);
}

double TProDateTimePicker::Time() const {
  if (FKind == dkDateTime && FTimePicker) return FTimePicker->Time();
  return TDateTimePicker::Time();
}

void TProDateTimePicker::SetTime(double Value) {
  const double frac = Value - std::floor(Value);
  TDateTimePicker::SetTime(frac);
  if (FTimePicker) FTimePicker->SetTime(frac);
}

void TProDateTimePicker::SetTimeFormat(const std::string& Value) {
  FTimeFormat = Value;
  if (FKind == dkTime) SetFormat(Value);
  UpdateTimePicker();
}

void TProDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  TCustomDateTimePicker::SetBorderStyle(Value);
  UpdateTimePicker();
}

void TProDateTimePicker::SetAutoTab(bool Value) {
  TCustomDateTimePicker::SetAutoTab(Value);
  if (FTimePicker) FTimePicker->SetAutoTab(Value);
}

void TProDateTimePicker::SetChecked(bool Value) {
  TCustomDateTimePicker::SetChecked(Value);
  UpdateTimePicker();
}

void TProDateTimePicker::Change() {
  if (FTimePicker && ShowCheckbox()) FTimePicker->SetEnabled(Enabled() && Checked());
  TCustomDateTimePicker::Change();
}

void TProDateTimePicker::KeyPress(WideChar& Key) {
  if (AutoTab() && Key >= u'0' && Key <= u'9') {
    const TDateParts p = DecodeDateTime(TDateTimePicker::DateTime());
    Fy = p.Year;
    Fmo = p.Month;
    Fd = p.Day;
  }
  TCustomDateTimePicker::KeyPress(Key);
}

void TProDateTimePicker::DoShiftFocus() {
  if (FKind == dkTime) {
    TCustomDateTimePicker::DoShiftFocus();
    return;
  }
  const TDateParts p = DecodeDateTime(TDateTimePicker::DateTime());
  const bool day = p.Day != Fd, month = p.Month != Fmo, year = p.Year != Fy;
  auto focusTime = [this] {
    if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
  };
  if (!Format().empty()) {
    const char last = Format().back();
    if ((day && (last == 'd' || last == 'D')) || (month && (last == 'm' || last == 'M')) ||
        (year && (last == 'y' || last == 'Y'))) {
      focusTime();
      return;
    }
    if (day || month || year) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
    return;
  }
  if (day || month)
    PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
  else if (year)
    focusTime();
}
