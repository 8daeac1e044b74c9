// A windowed check box that paints itself: a themed or classic box, the caption left or right of
// it (optionally cut with an ellipsis), see-through over its parent, and read-only.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

class TProCheckBox : public TCustomControl {
public:
  // 98 x 20, clWindow, captioned with its class name.
  explicit TProCheckBox(TComponent* AOwner);
  ~TProCheckBox() override;

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool value);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState value);
  // Flips Checked unless ReadOnly.
  virtual void Toggle();
  // taLeftJustify: the box left of the caption; taRightJustify: right of it.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
  void SetButtonVertAlign(TTextLayout value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  // Enter acts as Tab.
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool value) { FReturnIsTab = value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool TransparentChaching() const { return FTransparentCaching; }
  void SetTransparentChaching(bool value) { FTransparentCaching = value; }
  bool Down() const { return FDown; }
  void SetDown(bool value) { FDown = value; }
  bool Hot() const { return FHot; }
  void SetEnabled(bool enabled) override;
  void SetBounds(int left, int top, int width, int height) override;

  // The theme state (1..12) the box is drawn in now.
  int ThemeState() const;
  // The rectangles the last changes asked to be repainted, for tests.
  const std::vector<TRect>& InvalidatedRects() const { return FInvalidated; }
  void ClearInvalidatedRects() { FInvalidated.clear(); }

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void CNKeyUp(TMessage& Message) override;
  void WMKeyDown(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;

private:
  void InvalidatePart(const TRect& r);

  bool FDown = false;
  TCheckBoxState FState = cbUnchecked;
  bool FFocused = false;
  bool FReturnIsTab = false;
  TTextLayout FBtnVAlign = tlTop;
  TAlignment FAlignment = taLeftJustify;
  bool FEllipsis = false;
  bool FIsWinXP;
  bool FHot = false;
  bool FClicksDisabled = false;
  bool FReadOnly = false;
  bool FMouseDown = false;
  TBitmap FBkgBmp;
  bool FBkgCache = false;
  bool FTransparentCaching = false;
  bool FTransparent = false;
  std::vector<TRect> FInvalidated;
};
