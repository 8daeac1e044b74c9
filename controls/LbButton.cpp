#include "controls/LbButton.h"

#include "platform/ui/ExtCtrls.h"

TLbButtonThread::TLbButtonThread(TNotifyEvent notify) : FNotify(std::move(notify)) {}
TLbButtonThread::~TLbButtonThread() = default;
bool TLbButtonThread::Suspended() const {
  return true;
}
void TLbButtonThread::Resume() {}
void TLbButtonThread::Suspend() {}
void TLbButtonThread::Terminate() {
  FTerminated = true;
}
void TLbButtonThread::DoEvent() {
  if (FNotify) FNotify(nullptr);
}

TLbButton::TLbButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 100, 23);
  SetTabStop(true);
}
TLbButton::~TLbButton() = default;
void TLbButton::SetAlignment(TAlignment value) {
  FAlignment = value;
}
void TLbButton::SetColorStyle(TLbColorStyle) {}
void TLbButton::SetEnabled(bool enabled) {
  TCustomControl::SetEnabled(enabled);
  FEnabled = enabled;
}
void TLbButton::SetFlat(bool value) {
  FFlat = value;
}
void TLbButton::SetGlyph(const TBitmap* glyph) {
  if (glyph) FGlyph.Assign(*glyph);
}
void TLbButton::SetKind(TLbButtonKind value) {
  FKind = value;
}
void TLbButton::SetLayout(TLbButtonLayout value) {
  FLayout = value;
}
void TLbButton::SetLightColor(TColor value) {
  FLightColor = value;
}
void TLbButton::SetModalResult(TModalResult value) {
  FModalResult = value;
  FKind = bkCustom;
}
void TLbButton::SetNumGlyphs(int value) {
  FNumGlyphs = value;
}
void TLbButton::SetShadowColor(TColor value) {
  FShadowColor = value;
}
void TLbButton::SetSlowDecease(bool value) {
  FSlowDecease = value;
}
void TLbButton::SetStyle(TLbButtonStyle value) {
  FStyle = value;
}
void TLbButton::SetWordWrap(bool value) {
  FWordWrap = value;
}
void TLbButton::Click() {
  if (OnClick) OnClick(this);
  if (FModalResult != 0)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
}
TLbButtonPaintState TLbButton::PaintState() const {
  TLbButtonPaintState s;
  s.Width = Width();
  s.Height = Height();
  s.Color = Color();
  return s;
}
void TLbButton::PaintTo(TBitmap& target) const {
  target.SetSize(Width(), Height());
  DrawLbButtonFace(target.Canvas(), PaintState());
}
void TLbButton::Paint() {
  DrawLbButtonFace(Canvas(), PaintState());
}
void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
}
void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
}
void TLbButton::CMMouseEnter(TMessage& M) {
  TCustomControl::CMMouseEnter(M);
}
void TLbButton::CMMouseLeave(TMessage& M) {
  TCustomControl::CMMouseLeave(M);
}
void TLbButton::CMTextChanged(TMessage& M) {
  TCustomControl::CMTextChanged(M);
  Invalidate();
}
void TLbButton::CMFocusChanged(TMessage& M) {
  TCustomControl::CMFocusChanged(M);
}
void TLbButton::CMDialogChar(TMessage& M) {
  TCustomControl::CMDialogChar(M);
}
void TLbButton::CMDialogKey(TMessage& M) {
  TCustomControl::CMDialogKey(M);
}
void TLbButton::CNKeyDown(TMessage& M) {
  TCustomControl::CNKeyDown(M);
}
void TLbButton::CNKeyUp(TMessage& M) {
  TCustomControl::CNKeyUp(M);
}
void TLbButton::RepaintNow() {
  Repaint();
}
void TLbButton::ClickSequence() {}
void TLbButton::FadeStep(TObject*) {}
void TLbButton::EndThread() {}
bool TLbButton::ParentShowing() const {
  return Parent() && Parent()->Showing();
}
