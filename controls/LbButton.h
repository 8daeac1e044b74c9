// The glow button: a self-drawn push button with a hot face while the mouse is over it, a face
// colour while pressed, six drawing styles, colour presets, kind presets with glyph strips,
// default / cancel keys, accelerators and a modal result for its window.
//
//   auto* b = new TLbButton(form);
//   b->SetParent(form);
//   b->SetBounds(16, 120, 89, 25);
//   b->SetStyle(bsEncarta);
//   b->SetColor(RGB(248, 247, 237));
//   b->SetHotTrackColor(clYellow);
//   b->SetColorWhenDown(RGB(255, 128, 0));
//   b->SetModalResult(mrCancel);
//   b->OnClick = [](TObject*) { ... };
//   b->SetCaption("Cancel");            // Caption() reads it back
#pragma once

#include "controls/LbButtons.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"

#include <memory>
#include <string>

class TLbButton : public TCustomControl {
public:
  // 100 x 23, TabStop on, face clBtnFace, fade stepper created suspended; HotTrackFont copies the
  // owner's font when the owner is a windowed control.
  explicit TLbButton(TComponent* AOwner);
  ~TLbButton() override;

  // ---- properties (setters marked "repaints" paint at once, "invalidates" ask for a repaint)
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value); // repaints
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  // Reads lcsCustom always; any other value applies its colour preset and repaints.
  TLbColorStyle ColorStyle() const { return FDummyStyle; }
  void SetColorStyle(TLbColorStyle value);
  TColor ColorWhenDown() const { return FColorWhenDown; }
  void SetColorWhenDown(TColor value) { FColorWhenDown = value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool value) { FDefault = value; }
  // Also clears the pressed state and repaints.
  void SetEnabled(bool enabled) override;
  bool Flat() const { return FFlat; }
  void SetFlat(bool value); // repaints
  // The glyph strip. SetGlyph copies the bitmap and counts its square frames (width / height);
  // nullptr empties it. Either way Kind becomes bkCustom. Editing Glyph() in place keeps NumGlyphs.
  TBitmap& Glyph() { return FGlyph; }
  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap* glyph);
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor value) { FHotTrackColor = value; }
  TFont& HotTrackFont() { return FHTFont; }
  const TFont& HotTrackFont() const { return FHTFont; }
  void SetHotTrackFont(const TFont& font) { FHTFont.Assign(font); }
  // bkCustom only stores the kind; any other kind sets glyph strip, NumGlyphs 2, modal result
  // and caption.
  TLbButtonKind Kind() const { return FKind; }
  void SetKind(TLbButtonKind value);
  TLbButtonLayout Layout() const { return FLayout; }
  void SetLayout(TLbButtonLayout value); // repaints
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor value); // repaints
  // Stores the value and sets Kind back to bkCustom.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value); // invalidates
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor value); // repaints
  // Fade the hot colour out in 8 steps of 30 ms when the mouse leaves, instead of dropping it.
  bool SlowDecease() const { return FSlowDecease; }
  void SetSlowDecease(bool value);
  TLbButtonStyle Style() const { return FStyle; }
  void SetStyle(TLbButtonStyle value); // invalidates
  bool UseHotTrackFont() const { return FUseHTFont; }
  void SetUseHotTrackFont(bool value) { FUseHTFont = value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value); // repaints

  // OnClick and OnMouseEnter are the control's; the button fires OnMouseExit when the mouse leaves.
  TNotifyEvent OnMouseExit;

  // Marks the button pressed and runs the click: OnClick, then the modal result of its form, then
  // the attached pop-up menu under the button. Does nothing when invisible or disabled.
  void Click() override;
  unsigned DialogCode() const override { return DLGC_BUTTON; }

  // ---- state, for drawing and for tests
  bool Down() const { return bDown; }
  bool CursorOnButton() const { return bCursorOnButton; }
  int HotTrackStep() const { return FHotTrackStep; }
  // The fade stepper; nullptr after SlowDecease was switched off.
  const TLbButtonThread* FadeThread() const { return FThread.get(); }
  // What a paint would draw now (state, colours, font, caption).
  TLbButtonPaintState PaintState() const;
  // Draws the button as Paint does into a bitmap of its size (see-through pixels keep the key colour).
  void PaintTo(TBitmap& target) const;

protected:
  void Paint() override;
  // The button paints everything from its own colours and fonts and holds no Qt widgets of its
  // own: the widget's palette and font are never read, so they are not pushed to it.
  void ApplyLook() override {}
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMFocusChanged(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CNKeyDown(TMessage& Message) override;
  void CNKeyUp(TMessage& Message) override;

private:
  void RepaintNow();
  void ClickSequence();
  void FadeStep(TObject* Sender);
  void EndThread();
  bool ParentShowing() const;
  bool ActiveControlIsButton() const;

  TAlignment FAlignment = taCenter;
  TColor FShadowColor = RGB(128, 128, 128);
  TColor FColorWhenDown = clNone;
  bool FEnabled = true;
  bool FFlat = false;
  bool FWordWrap = false;
  TBitmap FGlyph;
  TColor FHotTrackColor = clNone;
  TFont FHTFont;
  TLbButtonKind FKind = bkCustom;
  TLbButtonLayout FLayout = blGlyphLeft;
  TColor FLightColor = RGB(255, 255, 255);
  TModalResult FModalResult = 0;
  int FNumGlyphs = 0;
  bool FUseHTFont = false;
  TLbColorStyle FDummyStyle = lcsCustom;
  TLbButtonStyle FStyle = bsNormal;
  bool FDefault = false;
  bool FCancel = false;
  bool FSlowDecease = false;
  bool bDown = false;
  bool bCursorOnButton = false;
  std::unique_ptr<TLbButtonThread> FThread;
  int FHotTrackStep = 0;
};
