// A speed button: a graphic button with a glyph strip (up, disabled, down, stay-down frames by
// NumGlyphs), flat or raised, that clicks when the left button is released over it.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* AOwner);

  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& glyph);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value); // 1..4
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  // Pressed now: the left button went down on it and is still held over it.
  bool Down() const { return FPressed; }
  bool MouseInControl() const { return FMouseIn; }

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  // The frame of the strip for the state: 0 up, 1 disabled, 2 down (when there are that many).
  int GlyphIndex() const;
  bool Tracking() const { return FTracking; }

private:
  bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width() && Y < Height(); }
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  bool FPressed = false;
  bool FTracking = false;
  bool FMouseIn = false;
};
