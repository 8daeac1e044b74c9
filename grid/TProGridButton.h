// The light-weight owner-drawn button of the grid's search panel: flat or 3D, hot, pressed and
// checked colours with optional gradients, per-state glyphs with a grey shadow, rounded corners,
// groups that stay down exclusively, a check style and an optional drop-down part.
//
//   auto* b = new TProGridButton(panel);
//   b->SetParent(panel);
//   b->SetLook(1);
//   b->OnClick = [](TObject*) { ... };
#pragma once

#include "controls/LbButtons.h"
#include "grid/GridOptionTypes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Menus.h"

#include <string>

enum TProButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Vertical or horizontal gradient in `steps` bands from `color` to `colorTo` over r, framed in
// `frameColor` unless that is clNone.
void DrawButtonGradient(TCanvas& canvas, TColor color, TColor colorTo, bool horizontal, const TRect& r,
                        int steps, TColor frameColor);

class TProGridButton : public TGraphicControl {
public:
  // 22 x 23, clBtnFace, flat and shaded.
  explicit TProGridButton(TComponent* AOwner);
  ~TProGridButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  void SetDown(bool value);
  TProGridButtonStyle Style() const { return FStyle; }
  void SetStyle(TProGridButtonStyle value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  TLbButtonLayout Layout() const { return FLayout; }
  void SetLayout(TLbButtonLayout value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  int Margin() const { return FMargin; }
  void SetMargin(int value); // ignored below -1
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  bool Rounded() const { return FRounded; }
  void SetRounded(bool value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* menu) { FDropDownMenu = menu; }
  bool Shaded() const { return FShaded; }
  void SetShaded(bool value);
  bool AutoXPStyle() const { return FAutoXPStyle; }
  void SetAutoXPStyle(bool value) { FAutoXPStyle = value; }
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool value);

  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor c);
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor c) { FColorHot = c; }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor c) { FColorHotTo = c; }
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor c) { FColorDown = c; }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor c) { FColorDownTo = c; }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor c);
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor c);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor c);
  TColor BorderDownColor() const { return FBorderDownColor; }
  void SetBorderDownColor(TColor c) { FBorderDownColor = c; }
  TColor BorderHotColor() const { return FBorderHotColor; }
  void SetBorderHotColor(TColor c) { FBorderHotColor = c; }

  // Copies the bitmap; an empty GlyphDisabled becomes a grey copy of it.
  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& glyph);
  const TBitmap& GlyphHot() const { return FGlyphHot; }
  void SetGlyphHot(const TBitmap& glyph) { FGlyphHot.Assign(glyph); }
  const TBitmap& GlyphDown() const { return FGlyphDown; }
  void SetGlyphDown(const TBitmap& glyph) { FGlyphDown.Assign(glyph); }
  const TBitmap& GlyphDisabled() const { return FGlyphDisabled; }
  void SetGlyphDisabled(const TBitmap& glyph) { FGlyphDisabled.Assign(glyph); }
  const TBitmap& GlyphShade() const { return FGlyphShade; }

  // Applies a colour preset 0..6; other values are stored and change nothing.
  int Look() const { return FLook; }
  void SetLook(int value);

  TNotifyEvent OnDropDown;

  TProButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  void SetEnabled(bool enabled) override;
  void SetParent(TWinControl* parent) override;
  // Where the glyph and the caption go for the current size and state (glyph first).
  void CalcLayout(TPoint& glyphPos, TRect& textRect) const;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void UpdateExclusive();
  void ButtonPressed(int group, TProGridButton* sender);
  void UpdateTracking(bool inControl);
  void BuildShade();
  const TBitmap& StateGlyph() const;

  bool FIsComCtl6;
  int FGroupIndex = 0;
  TBitmap FGlyph;
  bool FDown = false;
  bool FDragging = false;
  bool FAllowAllUp = false;
  TLbButtonLayout FLayout = blGlyphLeft;
  int FSpacing = 4;
  int FMargin = -1;
  bool FFlat = true;
  bool FMouseInControl = false;
  TColor FColorTo = clNone;
  TColor FColorHot = static_cast<TColor>(0xCAC7C7);
  TColor FColorHotTo = clNone;
  TColor FColorDown = static_cast<TColor>(0xD8D3D2);
  TColor FColorDownTo = clNone;
  TColor FBorderColor = clNone;
  TColor FBorderDownColor = clNone;
  TColor FBorderHotColor = clNone;
  TBitmap FGlyphDisabled, FGlyphHot, FGlyphDown, FGlyphShade;
  bool FShaded = true;
  TColor FColorChecked = static_cast<TColor>(0x808080);
  TColor FColorCheckedTo = clNone;
  TProGridButtonStyle FStyle = tasButton;
  int FLook = 0;
  bool FRounded = false;
  bool FDropDownButton = false;
  bool FAutoThemeAdapt = false;
  bool FAutoXPStyle = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FShowCaption = true;
  TProButtonState FState = bsUp;
};
