#include "grid/TProGridButton.h"

#include "controls/ProStyleIF.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>
#include <cmath>

void DrawButtonGradient(TCanvas& canvas, TColor color, TColor colorTo, bool horizontal, const TRect& r,
                        int steps, TColor frameColor) {
  if (steps <= 0) steps = 1;
  const TColor c1 = ColorToRGB(color), c2 = ColorToRGB(colorTo);
  const int span = horizontal ? r.Right - r.Left : r.Bottom - r.Top;
  const double length = static_cast<double>(span) / steps;
  const auto mix = [steps](int a, int b, int i) {
    return a + static_cast<int>(std::lround(i * double(b - a) / steps));
  };
  for (int i = 0; i < steps; ++i) {
    const TColor band = RGB(mix(GetRValue(c1), GetRValue(c2), i), mix(GetGValue(c1), GetGValue(c2), i),
                            mix(GetBValue(c1), GetBValue(c2), i));
    canvas.Pen().SetColor(band);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetColor(band);
    canvas.Brush().SetStyle(bsSolid);
    const int from = static_cast<int>(std::lround(i * length));
    const int to = from + static_cast<int>(std::lround(length)) + 1;
    if (horizontal)
      canvas.Rectangle(r.Left + from, r.Top, r.Left + to, r.Bottom);
    else
      canvas.Rectangle(r.Left, r.Top + from, r.Right, r.Top + to);
  }
  if (frameColor != clNone) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(frameColor);
    canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
  }
}

TProGridButton::TProGridButton(TComponent* AOwner) : TGraphicControl(AOwner), FIsComCtl6(IsComCtl6()) {
  AttachPaintSurface();
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  SetBounds(0, 0, 22, 23);
  SetColor(clBtnFace);
  SetParentFont(true);
}

TProGridButton::~TProGridButton() = default;

void TProGridButton::SetParent(TWinControl* parent) {
  TGraphicControl::SetParent(parent);
}

void TProGridButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

// ---- properties

void TProGridButton::SetAllowAllUp(bool value) {
  if (FAllowAllUp == value) return;
  FAllowAllUp = value;
  UpdateExclusive();
}

void TProGridButton::SetGroupIndex(int value) {
  if (FGroupIndex == value) return;
  FGroupIndex = value;
  UpdateExclusive();
}

void TProGridButton::SetDown(bool value) {
  if (FGroupIndex == 0 && FStyle == tasButton) value = false;
  if (FStyle == tasCheck) {
    FDown = value;
    Repaint();
    return;
  }
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = value;
  if (value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Repaint();
  }
  if (value) UpdateExclusive();
}

void TProGridButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* other = dynamic_cast<TProGridButton*>(parent->Controls(i)))
      other->ButtonPressed(FGroupIndex, this);
}

void TProGridButton::ButtonPressed(int group, TProGridButton* sender) {
  if (group != FGroupIndex || sender == this) return;
  if (sender->FDown && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->FAllowAllUp;
}

void TProGridButton::SetStyle(TProGridButtonStyle value) {
  FStyle = value;
  Invalidate();
}

void TProGridButton::SetFlat(bool value) {
  if (FFlat == value) return;
  FFlat = value;
  Invalidate();
}

void TProGridButton::SetLayout(TLbButtonLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TProGridButton::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  Invalidate();
}

void TProGridButton::SetMargin(int value) {
  if (FMargin == value || value < -1) return;
  FMargin = value;
  Invalidate();
}

void TProGridButton::SetShowCaption(bool value) {
  if (FShowCaption == value) return;
  FShowCaption = value;
  Invalidate();
}

void TProGridButton::SetRounded(bool value) {
  FRounded = value;
  Invalidate();
}

void TProGridButton::SetDropDownButton(bool value) {
  FDropDownButton = value;
  Invalidate();
}

void TProGridButton::SetShaded(bool value) {
  FShaded = value;
  if (value) BuildShade();
}

void TProGridButton::SetAutoThemeAdapt(bool value) {
  FAutoThemeAdapt = value;
  if (!value) return;
  switch (IsThemeActive() && RunsOnXPOrLater() ? DetectXPColorScheme() : 0) {
  case 1:
    SetLook(2);
    break;
  case 2:
    SetLook(3);
    break;
  case 3:
    SetLook(4);
    break;
  default:
    SetLook(1);
    break;
  }
}

void TProGridButton::SetColorTo(TColor c) {
  FColorTo = c;
  Invalidate();
}

void TProGridButton::SetColorChecked(TColor c) {
  FColorChecked = c;
  Invalidate();
}

void TProGridButton::SetColorCheckedTo(TColor c) {
  FColorCheckedTo = c;
  Invalidate();
}

void TProGridButton::SetBorderColor(TColor c) {
  FBorderColor = c;
  Invalidate();
}

void TProGridButton::SetGlyph(const TBitmap& glyph) {
  FGlyph.Assign(glyph);
  if (FGlyphDisabled.Empty() && !FGlyph.Empty()) {
    FGlyphDisabled.Assign(FGlyph);
    for (int y = 0; y < FGlyphDisabled.Height(); ++y)
      for (int x = 0; x < FGlyphDisabled.Width(); ++x) {
        const TColor c = FGlyphDisabled.Pixel(x, y);
        const int grey = ((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3) / 2 + 96;
        FGlyphDisabled.SetPixel(x, y, RGB(grey, grey, grey));
      }
  }
  if (FShaded) BuildShade();
  Invalidate();
}

// A grey silhouette of the glyph on its transparent colour.
void TProGridButton::BuildShade() {
  if (FGlyph.Empty()) return;
  FGlyphShade.SetSize(FGlyph.Width(), FGlyph.Height());
  const TColor key = FGlyph.Pixel(0, FGlyph.Height() - 1);
  for (int y = 0; y < FGlyph.Height(); ++y)
    for (int x = 0; x < FGlyph.Width(); ++x)
      FGlyphShade.SetPixel(x, y, FGlyph.Pixel(x, y) == key ? key : static_cast<TColor>(0x808080));
}

void TProGridButton::SetLook(int value) {
  struct Preset {
    TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
    bool Rounded;
  };
  static const Preset presets[] = {
      {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE,
       true},
      {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31, false},
      {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
      {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
      {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
      {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, false},
      {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080,
       false},
  };
  FLook = value;
  if (value < 0 || value > 6) return;
  const Preset& p = presets[value];
  SetColor(p.Color);
  FColorTo = p.ColorTo;
  FColorHot = p.Hot;
  FColorHotTo = p.HotTo;
  FColorDown = p.Down;
  FColorDownTo = p.DownTo;
  FColorChecked = p.Checked;
  FColorCheckedTo = p.CheckedTo;
  FBorderDownColor = p.BorderDown;
  FBorderHotColor = p.BorderHot;
  FRounded = p.Rounded;
  FBorderColor = clNone;
  FFlat = true;
  Invalidate();
}

void TProGridButton::SetEnabled(bool enabled) {
  TGraphicControl::SetEnabled(enabled);
  UpdateTracking(FMouseInControl);
  Repaint();
}

// ---- mouse

void TProGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (FDropDownButton && X > ClientWidth() - 12) {
    FState = bsUp;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu && Parent()) {
      const TPoint p = Parent()->ClientToScreen(TPoint{Left(), Top() + Height()});
      FDropDownMenu->SetPopupComponent(this);
      FDropDownMenu->Popup(p.X, p.Y);
    }
    return;
  }
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = bsDown;
    Repaint();
  }
  FDragging = true;
}

void TProGridButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) {
    if (!FMouseInControl) UpdateTracking(true);
    return;
  }
  TProButtonState next = FDown ? bsExclusive : bsUp;
  if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight()) next = FDown ? bsExclusive : bsDown;
  if (FStyle == tasCheck && FDown) next = bsDown;
  if (next != FState) {
    FState = next;
    Invalidate();
  }
}

void TProGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  if (FGroupIndex == 0) {
    FState = bsUp;
    if (FStyle == tasCheck) {
      SetDown(!FDown);
      FState = bsUp;
    }
    if (inside && FState != bsExclusive && FState != bsDown) Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    if (FDown) FState = bsExclusive;
    Repaint();
  }
  if (inside) Click();
  UpdateTracking(inside);
}

void TProGridButton::UpdateTracking(bool inControl) {
  if (!FFlat || !Enabled()) return;
  TMessage m{};
  if (inControl)
    CMMouseEnter(m);
  else
    CMMouseLeave(m);
}

void TProGridButton::CMMouseEnter(TMessage& Message) {
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    Repaint();
  }
  TGraphicControl::CMMouseEnter(Message);
}

void TProGridButton::CMMouseLeave(TMessage& Message) {
  if (FMouseInControl && Enabled() && !FDragging) {
    FMouseInControl = false;
    Invalidate();
  }
  TGraphicControl::CMMouseLeave(Message);
}

// ---- painting

const TBitmap& TProGridButton::StateGlyph() const {
  if (!Enabled()) return FGlyphDisabled.Empty() ? FGlyph : FGlyphDisabled;
  if (FState == bsDown || FState == bsExclusive) return FGlyphDown.Empty() ? FGlyph : FGlyphDown;
  if (FMouseInControl) return FGlyphHot.Empty() ? FGlyph : FGlyphHot;
  return FGlyph;
}

void TProGridButton::CalcLayout(TPoint& glyphPos, TRect& textRect) const {
  const int W = ClientWidth(), H = ClientHeight();
  const TBitmap& glyph = StateGlyph();
  const int gw = glyph.Empty() ? 0 : glyph.Width(), gh = glyph.Empty() ? 0 : glyph.Height();
  const std::string caption = FShowCaption ? Caption() : std::string();
  int tw = 0, th = 0;
  if (!caption.empty()) {
    TRect m = Rect(0, 0, W, 0);
    auto& canvas = const_cast<TProGridButton*>(this)->Canvas();
    canvas.Font().Assign(Font());
    DrawText(canvas, caption, m, DT_CALCRECT | DT_SINGLELINE);
    tw = std::min(m.Right - m.Left, W);
    th = m.Bottom - m.Top;
  }
  const TLbButtonLayout layout = FLayout;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  TPoint gp{}, tp{};
  if (horizontal) {
    gp.Y = (H - gh + 1) / 2;
    tp.Y = (H - th + 1) / 2;
  } else {
    gp.X = (W - gw + 1) / 2;
    tp.X = (W - tw + 1) / 2;
  }
  int spacing = FSpacing, margin = FMargin;
  if (caption.empty() || gw == 0) spacing = 0;
  const int S = horizontal ? W : H, g = horizontal ? gw : gh, t = horizontal ? tw : th;
  if (margin == -1 && spacing == -1) {
    margin = (S - (g + t)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (S - (spacing + g + t) + 1) / 2;
  } else if (spacing == -1) {
    spacing = ((S - (margin + g)) - t) / 2;
  }
  int glyphAt = margin, textAt = margin + g + spacing;
  if (layout == blGlyphRight || layout == blGlyphBottom) {
    glyphAt = S - margin - g;
    textAt = glyphAt - spacing - t;
  }
  (horizontal ? gp.X : gp.Y) = glyphAt;
  (horizontal ? tp.X : tp.Y) = textAt;
  glyphPos = caption.empty() ? TPoint{0, 0} : gp;
  textRect = Rect(tp.X, tp.Y, tp.X + tw, tp.Y + th);
}

void TProGridButton::Paint() {
  TCanvas& canvas = Canvas();
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  if (FStyle == tasCheck && FDown) FState = bsDown;
  canvas.Font().Assign(Font());
  TRect R = ClientRect();
  const auto shrink = [&R](int d) { R = Rect(R.Left + d, R.Top + d, R.Right - d, R.Bottom - d); };
  if (FFlat) {
    if (FBorderDownColor == clNone || FRounded) shrink(1);
    canvas.Pen().SetWidth(1);
    if (!FMouseInControl || !Enabled()) {
      if (FStyle == tasCheck && FDown) {
        canvas.Pen().SetColor(FBorderDownColor == clNone ? FColorChecked : FBorderDownColor);
        canvas.Brush().SetColor(FColorChecked);
        canvas.Brush().SetStyle(bsSolid);
        if (FColorCheckedTo == clNone)
          canvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
        else
          DrawButtonGradient(canvas, FColorChecked, FColorCheckedTo, false, R, 16, FBorderDownColor);
      } else {
        canvas.Brush().SetColor(Color());
        canvas.Brush().SetStyle(bsSolid);
        if (FColorTo == clNone)
          canvas.FillRect(R);
        else
          DrawButtonGradient(canvas, Color(), FColorTo, false, R, 16,
                             FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor));
        if (FBorderColor != clNone) {
          canvas.Pen().SetColor(FBorderColor);
          canvas.Brush().SetStyle(bsClear);
          if (FRounded) {
            shrink(-1);
            canvas.RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
          } else {
            canvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
          }
        }
      }
    } else {
      TColor from = FColorHot, to = FColorHotTo, pen = FBorderHotColor;
      if (FState == bsDown) {
        from = FColorDown;
        to = FColorDownTo;
        pen = FBorderDownColor;
      } else if (FStyle == tasCheck && FDown) {
        from = FColorChecked;
        to = FColorCheckedTo;
        pen = FBorderDownColor;
      }
      const TColor frame = FRounded ? clNone : pen;
      canvas.Brush().SetColor(from);
      canvas.Brush().SetStyle(bsSolid);
      if (to == clNone) {
        canvas.Pen().SetColor(frame == clNone ? from : frame);
        canvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
      } else {
        DrawButtonGradient(canvas, from, to, false, R, 16, frame);
      }
      if (FRounded) {
        shrink(-1);
        canvas.Brush().SetStyle(bsClear);
        canvas.Pen().SetColor(FState == bsDown ? FBorderDownColor : FBorderHotColor);
        canvas.RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
      }
      if (FDropDownButton && pen != clNone) {
        canvas.Pen().SetColor(pen);
        canvas.MoveTo(R.Right - 12, R.Top);
        canvas.LineTo(R.Right - 12, R.Bottom);
      }
    }
    shrink(1);
  } else {
    const bool pressed = FState == bsDown || FState == bsExclusive;
    HTHEME theme = nullptr;
    if (RunsOnXPOrLater() && FAutoXPStyle && FIsComCtl6 && IsThemeActive())
      theme = OpenThemeData(this, "button");
    if (theme) {
      DrawThemeBackground(theme, canvas, BP_PUSHBUTTON,
                          pressed ? PBS_PRESSED : (FMouseInControl ? PBS_HOT : PBS_NORMAL), R);
      CloseThemeData(theme);
    } else {
      DrawFrameControl(canvas, R, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    }
  }
  TPoint offset{0, 0};
  if (FState == bsDown || FState == bsExclusive) {
    if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
      shrink(-1);
      canvas.Brush().SetColor(FColorChecked);
      canvas.Brush().SetStyle(bsSolid);
      if (FColorCheckedTo == clNone)
        canvas.FillRect(R);
      else
        DrawButtonGradient(canvas, FColorChecked, FColorCheckedTo, false, R, 16,
                           FDown ? FBorderDownColor : FBorderColor);
    }
    if (!FFlat) offset = TPoint{1, 1};
  } else if (FFlat && FMouseInControl && Enabled() && FShaded) {
    offset = TPoint{-1, -1};
  }
  if (FDropDownButton) {
    const int m = R.Top + (R.Bottom - R.Top) / 2;
    canvas.Pen().SetColor(Font().Color());
    canvas.Brush().SetColor(Font().Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Polygon({TPoint{R.Right - 8, m - 1}, TPoint{R.Right - 4, m - 1}, TPoint{R.Right - 6, m + 1}});
    R.Right -= 12;
  }
  TPoint glyphPos;
  TRect text;
  CalcLayout(glyphPos, text);
  const bool captioned = FShowCaption && !Caption().empty();
  if (captioned) {
    glyphPos = TPoint{glyphPos.X + R.Left + offset.X, glyphPos.Y + R.Top + offset.Y};
    text = Rect(text.Left + R.Left + offset.X, text.Top + R.Top + offset.X, text.Right + R.Left + offset.X,
                text.Bottom + R.Top + offset.X);
  }
  const TBitmap& glyph = StateGlyph();
  const bool stateDown = FState == bsDown || FState == bsExclusive;
  if (!glyph.Empty()) {
    if (FMouseInControl && FShaded && Enabled() && !stateDown && !FGlyphShade.Empty()) {
      TBitmap shade(FGlyphShade);
      shade.SetTransparent(true);
      shade.SetTransparentMode(tmAuto);
      canvas.Draw(glyphPos.X + (captioned ? 2 : 0), glyphPos.Y + (captioned ? 2 : 0), shade);
    }
    TBitmap copy(glyph);
    copy.SetTransparent(true);
    copy.SetTransparentMode(tmAuto);
    canvas.Draw(glyphPos.X, glyphPos.Y, copy);
  }
  if (!stateDown && FMouseInControl && FShaded && Enabled() && FFlat)
    text = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
  if (captioned) {
    canvas.Brush().SetStyle(bsClear);
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!Enabled()) {
      TRect shadow = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
      canvas.Font().SetColor(clBtnHighlight);
      DrawText(canvas, Caption(), shadow, flags);
      canvas.Font().SetColor(clBtnShadow);
    }
    DrawText(canvas, Caption(), text, flags);
  }
}
