#include "platform/ui/Buttons.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  AttachPaintSurface();
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
  FGlyph.Assign(glyph);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
  FNumGlyphs = std::clamp(value, 1, 4);
  Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
  FFlat = value;
  Invalidate();
}

int TSpeedButton::GlyphIndex() const {
  int index = !Enabled() ? 1 : FPressed ? 2 : 0;
  return index < FNumGlyphs ? index : 0;
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  FTracking = true;
  FPressed = true;
  Repaint();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FTracking) return;
  const bool inside = Inside(X, Y);
  if (inside != FPressed) {
    FPressed = inside;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FTracking || Button != mbLeft) return;
  FTracking = false;
  FPressed = false;
  Repaint();
  if (Inside(X, Y)) Click();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  FMouseIn = true;
  if (FFlat) Invalidate();
  TGraphicControl::CMMouseEnter(Message);
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  FMouseIn = false;
  if (FFlat) Invalidate();
  TGraphicControl::CMMouseLeave(Message);
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  if (!FFlat || FMouseIn || FPressed) {
    DrawFrameControl(canvas, r, DFC_BUTTON, DFCS_BUTTONPUSH | (FPressed ? DFCS_PUSHED : 0u));
  } else {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  if (FGlyph.Empty()) return;
  const int w = FGlyph.Width() / FNumGlyphs, h = FGlyph.Height();
  TBitmap frame(w, h);
  BitBlt(frame.Canvas(), 0, 0, w, h, &FGlyph.Canvas(), GlyphIndex() * w, 0, SRCCOPY);
  frame.SetTransparent(true);
  const int shift = FPressed ? 1 : 0;
  canvas.Draw((Width() - w) / 2 + shift, (Height() - h) / 2 + shift, frame);
}
