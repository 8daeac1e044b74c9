#include "grid/AsgCombo.h"

#include "controls/ProStyleIF.h"
#include "platform/ui/Application.h"

namespace {

// The system's vertical scroll bar width.
constexpr int ScrollBarWidth = 17;

} // namespace

TAsgCustomCombo::TAsgCustomCombo(TComponent* AOwner)
    : TComboBox(AOwner), FButtonWidth(ScrollBarWidth + 2), FIsThemed(IsComCtl6()) {
  FLabelFont.OnChange = [this] {
    if (FLabel) PlaceLabel();
  };
  // Made in code, the combo is loaded once it is built: the colour to come back to is its own.
  Init();
}

TAsgCustomCombo::~TAsgCustomCombo() {
  FLabelFont.OnChange = nullptr;
}

void TAsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TComboBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TAsgCustomCombo::Init() {
  FNormalColor = Color();
}

void TAsgCustomCombo::SelectItem(const std::string& text) {
  const int index = Items().IndexOf(text);
  if (index >= 0) SetItemIndex(index);
}

bool TAsgCustomCombo::ThemesOn() const {
  return FIsThemed && IsThemeActive();
}

bool TAsgCustomCombo::Hot() const {
  return FHotState.Hot(*this);
}

// ---- properties

void TAsgCustomCombo::SetButtonWidth(int value) {
  if (value < 14 || value > 32) return;
  FButtonWidth = value;
  Invalidate();
}

void TAsgCustomCombo::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  if (FFlatParentColor && FFlat && Parent())
    SetColor(Parent()->Color());
  else
    SetColor(FLoadedColor);
  Invalidate();
}

void TAsgCustomCombo::SetEtched(bool value) {
  if (value == FEtched) return;
  FEtched = value;
  Invalidate();
}

void TAsgCustomCombo::SetFlatLineColor(TColor value) {
  FFlatLineColor = value;
  Invalidate();
}

void TAsgCustomCombo::SetFlatParentColor(bool value) {
  FFlatParentColor = value;
  Invalidate();
}

void TAsgCustomCombo::SetBorderColor(TColor value) {
  if (value == FBorderColor) return;
  FBorderColor = value;
  Invalidate();
}

void TAsgCustomCombo::SetButtonColor(TColor c) {
  FButtonColors.Color = c;
  Invalidate();
}

void TAsgCustomCombo::SetDropWidth(int value) {
  FDropWidth = value;
  if (value > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(value));
}

void TAsgCustomCombo::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (FFlat) {
    if (!enabled) {
      FOldParentColor = ParentColor();
      FOldColor = Color();
      SetParentColor(true);
    } else {
      SetParentColor(FOldParentColor);
      SetColor(FOldColor);
    }
  }
  TComboBox::SetEnabled(enabled);
  if (FLabel) {
    if (!FLabelAlwaysEnabled) FLabel->SetEnabled(enabled);
    PlaceLabel();
  }
}

// ---- the label

std::string TAsgCustomCombo::LabelCaption() const {
  return FLabel ? FLabel->Caption() : std::string();
}

void TAsgCustomCombo::SetLabelCaption(const std::string& caption) {
  if (!FLabel) {
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->SetFont(FLabelFont);
    FLabel->SetParentFont(ParentFont());
  }
  FLabel->SetCaption(caption);
  PlaceLabel();
}

void TAsgCustomCombo::SetLabelPosition(TLabelPosition value) {
  FLabelPosition = value;
  if (FLabel) PlaceLabel();
}

void TAsgCustomCombo::SetLabelMargin(int value) {
  FLabelMargin = value;
  if (FLabel) PlaceLabel();
}

void TAsgCustomCombo::SetLabelTransparent(bool value) {
  FLabelTransparent = value;
  if (FLabel) PlaceLabel();
}

void TAsgCustomCombo::SetLabelAlwaysEnabled(bool value) {
  FLabelAlwaysEnabled = value;
  if (FLabel) {
    FLabel->SetEnabled(value || Enabled());
    PlaceLabel();
  }
}

void TAsgCustomCombo::SetLabelFont(const TFont& font) {
  if (!ParentFont()) FLabelFont.Assign(font);
  if (FLabel) PlaceLabel();
}

void TAsgCustomCombo::PlaceLabel() {
  if (!FLabel) return;
  FLabel->SetTransparent(FLabelTransparent);
  if (!ParentFont()) FLabel->SetFont(FLabelFont);
  TRect measure = Rect(0, 0, 1000, 255);
  FLabel->Canvas().Font().Assign(FLabel->Font());
  FLabel->Canvas().DrawText(FLabel->Caption(), measure, DT_CALCRECT | DT_HIDEPREFIX);
  const TPoint at = LabelPlace(FLabelPosition, BoundsRect(), measure.Width(), FLabel->Width(),
                               FLabel->Height(), FLabelMargin);
  FLabel->SetBounds(at.X, at.Y, FLabel->Width(), FLabel->Height());
  FLabel->SetVisible(Visible());
}

void TAsgCustomCombo::SetBounds(int left, int top, int width, int height) {
  TComboBox::SetBounds(left, top, width, height);
  if (FLabel && CanFire()) PlaceLabel();
}

void TAsgCustomCombo::SetParent(TWinControl* parent) {
  TComboBox::SetParent(parent);
  if (FLabel) {
    FLabel->SetParent(parent);
    PlaceLabel();
  }
}

void TAsgCustomCombo::CMVisibleChanged(TMessage& Message) {
  TComboBox::CMVisibleChanged(Message);
  if (FLabel) FLabel->SetVisible(Visible());
}

// ---- focus, mouse and the list

void TAsgCustomCombo::DoEnter() {
  FHotState.HasFocus = true;
  if (FFocusColor != clNone) SetColor(FFocusColor);
  if (FFocusLabel && FLabel) FLabel->Font().SetStyle(FLabel->Font().Style() | fsBold);
  Invalidate();
  TComboBox::DoEnter();
}

void TAsgCustomCombo::DoExit() {
  FHotState.HasFocus = false;
  if (FFocusColor != clNone && FNormalColor != clNone) SetColor(FNormalColor);
  if (FLabel) FLabel->Font().SetStyle(FLabel->Font().Style() & ~fsBold);
  Invalidate();
  TComboBox::DoExit();
}

void TAsgCustomCombo::CMMouseEnter(TMessage& Message) {
  TComboBox::CMMouseEnter(Message);
  if (FHotState.MouseEnter(Enabled())) Invalidate();
  if (FAutoFocus) {
    TForm* form = GetParentForm(this);
    if ((!form || form == Screen->ActiveForm()) && CanFocus()) SetFocus();
  }
  if (FIsWinXP) Invalidate();
}

void TAsgCustomCombo::CMMouseLeave(TMessage& Message) {
  TComboBox::CMMouseLeave(Message);
  if (FHotState.MouseLeave(Enabled())) Invalidate();
  if (FIsWinXP) Invalidate();
}

void TAsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y) {
  TComboBox::MouseMove(Shift, X, Y);
  if (FHotState.MouseMove(X, Width(), FButtonWidth)) InvalidateButton();
}

void TAsgCustomCombo::InvalidateButton() {
  InvalidateRect(Rect(ClientWidth() - FButtonWidth, 0, ClientWidth(), ClientHeight()));
}

void TAsgCustomCombo::DropDown() {
  TComboBox::DropDown();
  InvalidateButton();
}

void TAsgCustomCombo::CloseUp() {
  TComboBox::CloseUp();
  InvalidateButton();
  if (OnDropUp && CanFire()) OnDropUp(this);
}

// ---- painting

// The client painting of its own (WM_PAINT) and the frame over the platform's (WM_NCPAINT).
bool TAsgCustomCombo::CustomPainting() const {
  if (FIsVista && FButtonColors.Color == clNone) return false;
  return FFlat || FButtonColors.Color != clNone || FBorderColor != clNone ||
         (FFocusBorderColor != clNone && FHotState.HasFocus) ||
         (!Enabled() && ThemesOn() && !FDisabledBorder);
}

bool TAsgCustomCombo::FrameOverPlatform() const {
  return FFlat || (!Enabled() && ThemesOn() && !FDisabledBorder) ||
         (FFocusBorderColor != clNone && FHotState.HasFocus) || FBorderColor != clNone;
}

bool TAsgCustomCombo::PaintsOver() const {
  return CustomPainting() || FrameOverPlatform();
}

void TAsgCustomCombo::PaintOver(TCanvas& canvas) {
  if (CustomPainting() && Style() != csSimple) DrawButton(canvas);
  DrawBorders(canvas);
}

void TAsgCustomCombo::DrawButton(TCanvas& canvas) {
  const TRect r = Rect(ClientWidth() - FButtonWidth + 3, 1, Width() - 1, Height() - 1);
  TDropDownButton b;
  b.Colors = FButtonColors;
  b.Face = Rect(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  b.ArrowInset = 4;
  b.Themed = r;
  b.Classic = Rect(r.Left - 4, r.Top + 1, r.Right, r.Bottom - 1);
  b.Enabled = Enabled();
  b.ThemesOn = ThemesOn();
  b.Down = DropDownMouseHeld();
  b.Hover = FHotState.ButtonHover;
  b.DroppedDown = DroppedDown();
  DrawDropDownButton(canvas, *this, b);
}

void TAsgCustomCombo::DrawBorders(TCanvas& canvas) {
  if ((Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) ||
      (FIsVista && FBorderColor == clNone))
    return;
  const auto inner = DrawDropDownFrame(canvas, Rect(0, 0, Width(), Height()), FrameLook());
  if (inner && FFlat && FFlatLineColor != clNone) {
    canvas.Pen().SetColor(FFlatLineColor);
    canvas.Pen().SetStyle(psSolid);
    canvas.MoveTo(inner->Left - 2, Height() - 1);
    canvas.LineTo(inner->Right - FButtonWidth - 1, Height() - 1);
  }
  if (Style() == csSimple || (FIsWinXP && ThemesOn())) return;
  // The button's area, flat.
  TRect b = Rect(ClientWidth() - FButtonWidth - 2 + 2, 2, Width() - 2, Height() - 2);
  if (!Hot()) FillButtonFaceAroundArrow(canvas, b, ClientWidth(), ClientHeight(), FButtonWidth);
}

TDropDownFrame TAsgCustomCombo::FrameLook() const {
  return DropDownFrameOf(*this, FHotState, FFocusBorder, FIsThemed, FDisabledBorder, FBorderColor,
                         FFocusBorderColor, FButtonWidth);
}
