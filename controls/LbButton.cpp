#include "controls/LbButton.h"

#include "controls/ProUtilUnicode.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Resources.h"

// ---------------------------------------------------------------------------------------------
// Fade stepper

TLbButtonThread::TLbButtonThread(TNotifyEvent notify) : FNotify(std::move(notify)) {}

TLbButtonThread::~TLbButtonThread() = default;

bool TLbButtonThread::Suspended() const {
  return !FTimer || !FTimer->Enabled();
}

void TLbButtonThread::Resume() {
  if (FTerminated) return;
  // Most buttons never fade: their timer is made the first time the mouse leaves them.
  if (!FTimer) {
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(LbFadeIntervalMs);
    FTimer->OnTimer = [this](TObject*) { DoEvent(); };
  }
  FTimer->SetEnabled(true);
}

void TLbButtonThread::Suspend() {
  if (FTimer) FTimer->SetEnabled(false);
}

void TLbButtonThread::Terminate() {
  FTerminated = true;
  if (FTimer) FTimer->SetEnabled(false);
}

void TLbButtonThread::DoEvent() {
  if (FNotify && !FTerminated) FNotify(this);
}

// ---------------------------------------------------------------------------------------------
// Button

namespace {

struct TKindPreset {
  TModalResult ModalResult;
  const char* Resource;
  const char* Caption;
};

TKindPreset KindPreset(TLbButtonKind kind) {
  switch (kind) {
  case bkOK:
    return {mrOk, "LBOK", "OK"};
  case bkCancel:
    return {mrCancel, "LBCANCEL", "Abbrechen"};
  case bkHelp:
    return {mrNone, "LBHELP", "Hilfe"};
  case bkYes:
    return {mrYes, "LBYES", "Ja"};
  case bkNo:
    return {mrNo, "LBNO", "Nein"};
  case bkClose:
    return {mrNone, "LBCLOSE", "Schließen"};
  case bkAbort:
    return {mrAbort, "LBABORT", "Abbrechen"};
  case bkRetry:
    return {mrRetry, "LBRETRY", "Wiederholen"};
  case bkIgnore:
    return {mrIgnore, "LBIGNORE", "Ignorieren"};
  case bkAll:
    return {mrAll, "LBALL", "Alle"};
  case bkCustom:
    break;
  }
  return {mrNone, "", ""};
}

struct TColorPreset {
  TColor Color, Light, Shadow, Down, Hot;
  TLbButtonStyle Style;
  bool Flat;
  TColor FontColor;
};

TColorPreset ColorPreset(TLbColorStyle preset) {
  switch (preset) {
  case lcsGold:
    return {RGB(192, 192, 0), RGB(255, 255, 0), RGB(128, 128, 0), clNone, RGB(223, 223, 0), bsModern, false,
            clBlack};
  case lcsChrome:
    return {
        RGB(192, 192, 192), RGB(255, 255, 255), RGB(128, 128, 128), clNone, clNone, bsModern, false, clBlack};
  case lcsBlue:
    return {RGB(0, 128, 255), RGB(0, 255, 255), RGB(0, 0, 255), clNone, clNone, bsModern, false, clBlack};
  case lcsRed:
    return {RGB(255, 0, 0), RGB(255, 192, 192), RGB(192, 0, 0), clNone, clNone, bsModern, false, clBlack};
  case lcsUltraFlat1:
    return {clBtnFace,
            RGB(132, 146, 181),
            RGB(132, 146, 181),
            RGB(132, 146, 181),
            RGB(214, 211, 222),
            bsNormal,
            true,
            clBlack};
  case lcsUltraFlat2:
    return {clBtnFace,          RGB(0, 0, 0), RGB(0, 0, 0), RGB(188, 218, 36),
            RGB(228, 246, 140), bsNormal,     true,         clBlack};
  case lcsUltraFlatXP:
    return {RGB(219, 216, 209),
            RGB(132, 146, 181),
            RGB(133, 146, 181),
            RGB(133, 146, 181),
            RGB(182, 189, 210),
            bsNormal,
            true,
            clBlack};
  case lcsAqua:
    return {RGB(148, 206, 236), RGB(212, 230, 252), RGB(0, 0, 0), clNone, clNone, bsModern, false, clBlack};
  case lcsDefault:
    return {clBtnFace, RGB(255, 255, 255), RGB(128, 128, 128), clNone, clNone, bsNormal, false, clBlack};
  case lcsQuicken:
    return {RGB(0, 48, 96),
            RGB(192, 192, 192),
            RGB(192, 192, 192),
            RGB(41, 101, 173),
            RGB(156, 174, 206),
            bsQuicken,
            false,
            clWhite};
  case lcsCustom:
    break;
  }
  return {};
}

bool IsButtonClassName(const TControl* control) {
  if (!control) return false;
  const std::string name = AsciiUpperCase(control->ClassName());
  return name.find("BUTTON") != std::string::npos && name.find("RADIOBUTTON") == std::string::npos;
}

// Styles whose face leaves the corners or the background showing.
bool SeeThroughStyle(TLbButtonStyle style) {
  return style == bsModern || style == bsShape || style == bsQuicken;
}

} // namespace

TLbButton::TLbButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 100, 23);
  SetTabStop(true);
  SetControlStyle(csCaptureMouse | csSetCaption);
  if (auto* owner = dynamic_cast<TWinControl*>(AOwner)) FHTFont.Assign(owner->Font());
  FThread = std::make_unique<TLbButtonThread>([this](TObject* Sender) { FadeStep(Sender); });
}

TLbButton::~TLbButton() {
  EndThread();
}

void TLbButton::EndThread() {
  if (!FThread) return;
  FThread->Terminate();
  FThread.reset();
}

bool TLbButton::ParentShowing() const {
  return Parent() && Parent()->Showing();
}

void TLbButton::RepaintNow() {
  Repaint();
}

// ---- properties

void TLbButton::SetAlignment(TAlignment value) {
  FAlignment = value;
  RepaintNow();
}

void TLbButton::SetColorStyle(TLbColorStyle value) {
  if (value == lcsCustom) return;
  const TColorPreset p = ColorPreset(value);
  FFlat = false;
  Font().SetColor(clBlack);
  SetColor(p.Color);
  FLightColor = p.Light;
  FShadowColor = p.Shadow;
  FColorWhenDown = p.Down;
  FHotTrackColor = p.Hot;
  FFlat = p.Flat;
  if (p.FontColor != clBlack) Font().SetColor(p.FontColor);
  FStyle = p.Style;
  RepaintNow();
}

void TLbButton::SetEnabled(bool enabled) {
  TCustomControl::SetEnabled(enabled);
  FEnabled = enabled;
  bDown = false;
  RepaintNow();
}

void TLbButton::SetFlat(bool value) {
  FFlat = value;
  RepaintNow();
}

void TLbButton::SetGlyph(const TBitmap* glyph) {
  if (glyph && !glyph->Empty()) {
    FGlyph.Assign(*glyph);
    FNumGlyphs = FGlyph.Height() > 0 ? FGlyph.Width() / FGlyph.Height() : 0;
  } else {
    FGlyph.SetSize(0, 0);
    FNumGlyphs = 0;
  }
  FKind = bkCustom;
  Invalidate();
}

void TLbButton::SetKind(TLbButtonKind value) {
  if (value != bkCustom) {
    const TKindPreset p = KindPreset(value);
    const TBitmap& strip = ResourceBitmap(p.Resource); // a missing resource throws EResNotFound
    FNumGlyphs = 2;
    SetModalResult(p.ModalResult);
    FGlyph.Assign(strip);
    SetCaption(p.Caption);
  }
  FKind = value;
  Invalidate();
}

void TLbButton::SetLayout(TLbButtonLayout value) {
  FLayout = value;
  RepaintNow();
}

void TLbButton::SetLightColor(TColor value) {
  FLightColor = value;
  RepaintNow();
}

void TLbButton::SetModalResult(TModalResult value) {
  FModalResult = value;
  FKind = bkCustom;
}

void TLbButton::SetNumGlyphs(int value) {
  FNumGlyphs = value;
  Invalidate();
}

void TLbButton::SetShadowColor(TColor value) {
  FShadowColor = value;
  RepaintNow();
}

void TLbButton::SetSlowDecease(bool value) {
  FSlowDecease = value;
  if (value) {
    if (!FThread) FThread = std::make_unique<TLbButtonThread>([this](TObject* Sender) { FadeStep(Sender); });
  } else if (FThread) {
    FHotTrackStep = 0;
    EndThread();
  }
  Invalidate();
}

void TLbButton::SetStyle(TLbButtonStyle value) {
  // The see-through styles need nothing of the window: the control never paints its key-colour
  // pixels, so what lies beneath shows there.
  FStyle = value;
  Invalidate();
}

void TLbButton::SetWordWrap(bool value) {
  FWordWrap = value;
  RepaintNow();
}

// ---- click

void TLbButton::Click() {
  bDown = true;
  ClickSequence();
}

void TLbButton::ClickSequence() {
  if (!Visible() || !Enabled() || !bDown) return;
  bDown = false;
  if (OnClick && CanFire()) OnClick(this);
  if (FModalResult != 0)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  if (TPopupMenu* menu = PopupMenu()) {
    const TPoint at = ClientToScreen(Point(0, Height()));
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
  }
}

// ---- painting

TLbButtonPaintState TLbButton::PaintState() const {
  TLbButtonPaintState s;
  s.Width = Width();
  s.Height = Height();
  s.HotTrackStep = FHotTrackStep;
  s.Glyph = &FGlyph;
  s.NumGlyphs = FNumGlyphs;
  s.Pressed = bDown;
  s.Hot = bCursorOnButton || Focused();
  s.Enabled = Enabled();
  s.Flat = FFlat;
  s.WordWrap = FWordWrap;
  s.HasPopupMenu = PopupMenu() != nullptr;
  s.Style = FStyle;
  s.Color = Color();
  s.ColorWhenDown = FColorWhenDown;
  s.HotTrackColor = FHotTrackColor;
  s.LightColor = FLightColor;
  s.ShadowColor = FShadowColor;
  s.Font = FUseHTFont && s.Hot ? FHTFont : Font();
  s.Layout = FLayout;
  s.Caption = Caption();
  s.Alignment = FAlignment;
  return s;
}

void TLbButton::PaintTo(TBitmap& target) const {
  const TLbButtonPaintState s = PaintState();
  const int W = s.Width, H = s.Height;
  target.SetSize(W, H);
  TCanvas& canvas = target.Canvas();
  if (SeeThroughStyle(FStyle)) {
    target.SetTransparent(true);
    target.SetTransparentColor(LbKeyColor);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(LbKeyColor);
    canvas.FillRect(Rect(0, 0, W, H));
  } else {
    target.SetTransparent(false);
  }
  if (FStyle == bsOld && Focused()) {
    // The focused old-style button: face one pixel in, black frame around it.
    TLbButtonPaintState inner = s;
    inner.Width = W - 2;
    inner.Height = H - 2;
    if (s.Pressed && s.Enabled) inner.LightColor = s.ShadowColor;
    DrawLbButtonFace(canvas, inner);
    const TBitmap face(target);
    BitBlt(canvas, 1, 1, W, H, &face.Canvas(), 0, 0, SRCCOPY);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(clBlack);
    canvas.Rectangle(0, 0, W, H);
  } else {
    DrawLbButtonFace(canvas, s);
  }
}

void TLbButton::Paint() {
  if (!Visible() || Destroying()) return;
  if (!SeeThroughStyle(FStyle) && !(FStyle == bsOld && Focused())) {
    // The face covers the whole button: drawn straight onto the window, with no picture between.
    DrawLbButtonFace(Canvas(), PaintState());
  } else {
    TBitmap picture;
    PaintTo(picture);
    Canvas().Draw(0, 0, picture);
  }
  if (Focused() && Enabled() && FStyle != bsShape)
    Canvas().DrawFocusRect(Rect(4, 4, Width() - 4, Height() - 4));
}

// ---- mouse

void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled() || !CanFire()) return;
  bDown = true;
  SetFocus();
  RepaintNow();
}

void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (bDown) Click(); // the button has the mouse captured: released anywhere, it clicks
  bDown = false;
  if (CanFire()) RepaintNow();
}

void TLbButton::CMMouseEnter(TMessage&) {
  if (!Enabled() || !Visible() || !ParentShowing()) return;
  bCursorOnButton = true;
  FHotTrackStep = LbHotTrackSteps;
  RepaintNow();
  if (OnMouseEnter && CanFire()) OnMouseEnter(this);
}

void TLbButton::CMMouseLeave(TMessage&) {
  bCursorOnButton = false;
  if (FSlowDecease && FThread) {
    if (FThread->Suspended()) FThread->Resume();
  } else {
    FHotTrackStep = 0;
    RepaintNow();
  }
  if (Enabled() && Visible() && ParentShowing() && OnMouseExit && CanFire()) OnMouseExit(this);
}

void TLbButton::FadeStep(TObject*) {
  if (Destroying()) return;
  --FHotTrackStep;
  if (FHotTrackStep <= 0) {
    FHotTrackStep = 0;
    if (FThread && !FThread->Suspended()) FThread->Suspend();
  }
  RepaintNow();
}

// ---- messages

void TLbButton::CMFocusChanged(TMessage& Message) {
  TCustomControl::CMFocusChanged(Message);
  RepaintNow();
}

void TLbButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WideChar>(Message.WParam), Caption()) && Visible() && Enabled() &&
      ParentShowing()) {
    Click();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}

void TLbButton::CMDialogKey(TMessage& Message) {
  const auto key = static_cast<std::uint16_t>(Message.WParam);
  const auto shift = static_cast<TShiftState>(Message.LParam) & (ssShift | ssAlt | ssCtrl);
  // A focused button takes Enter itself; Escape belongs to the cancel button wherever the focus is.
  const bool enter = key == VK_RETURN && FDefault && !ActiveControlIsButton();
  const bool escape = key == VK_ESCAPE && FCancel;
  if ((enter || escape) && shift == 0 && Visible() && Enabled()) {
    Click();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(Message);
}

bool TLbButton::ActiveControlIsButton() const {
  TComponent* owner = Owner();
  while (owner && !dynamic_cast<TForm*>(owner))
    owner = owner->Owner();
  auto* form = owner ? static_cast<TForm*>(owner) : GetParentForm(this);
  return form && IsButtonClassName(form->ActiveControl());
}

void TLbButton::CNKeyDown(TMessage& Message) {
  TCustomControl::CNKeyDown(Message);
  if (Message.Result != 0) return; // a dialog key another control took
  if (Enabled() && (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE)) {
    bDown = true;
    RepaintNow();
  }
}

void TLbButton::CNKeyUp(TMessage& Message) {
  TCustomControl::CNKeyUp(Message);
  // Only a key that went down on this button clicks it: the key-up of an Enter that closed another
  // window (a dialog, a message box) must not click the button that gets the focus back.
  if ((Message.WParam == VK_RETURN || Message.WParam == VK_SPACE) && bDown) Click();
  if (CanFire()) RepaintNow();
}
