// Small windows that serve the string grid from the side: the hint window that draws mark-up,
// the thin scroll indicators of the flat scroll styles, the header shown while a column is
// dragged and the form that never takes the activation from the grid's form.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HintWindow.h"

class TProStringGrid;

// Hints as mini-HTML; the grid installs the class with UseHTMLHints.
class THTMLHintWindow : public THintWindow {
public:
  // Hints wrap at this width.
  static constexpr int MaxHintWidth = 1008;
  explicit THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
  TRect CalcHintRect(int MaxWidth, const std::string& AHint, const void* AData) override;
  // Text width + 16 by text height + 4, kept 2 pixels inside the right and bottom edges of the
  // work area of the point.
  void ActivateHint(const TRect& Rect, const std::string& AHint) override;
  const std::string& HintText() const { return FHintText; }

protected:
  void PaintHint(TCanvas& Canvas) override;

private:
  int FTextHeight = 0;
};

enum TScrollDirection { sdVertical, sdHorizontal };

// A thin bar showing where the view stands among the grid's rows (columns); a press beside the
// thumb pages, a drag on it scrolls.
class TScrollControl : public TCustomControl {
public:
  explicit TScrollControl(TComponent* AOwner);
  TColor ScrollColor() const { return FColor; }
  void SetScrollColor(TColor Value);
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value) { FScrollWidth = Value; }
  TScrollDirection Direction() const { return FDirection; }
  void SetDirection(TScrollDirection Value) { FDirection = Value; }
  // Where the thumb starts along the bar and how long it is; false while everything shows (or the
  // bar sits on no grid).
  bool Thumb(int& Start, int& Length) const;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  TProStringGrid* Grid() const;
  TColor FColor = 0xC0C0C0;
  int FScrollWidth = 4;
  TScrollDirection FDirection = sdVertical;
  bool FDownOnScroller = false;
  int FDownPos = 0;
  int FDownRow = 0;
};

// The header shown under the mouse while a column or row is dragged.
class THeaderDragButton : public TCustomControl {
public:
  THeaderDragButton(TComponent* AOwner, TProStringGrid* Grid);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }

protected:
  void Paint() override;

private:
  TProStringGrid* FGrid;
  bool FFlat = false;
};

// A form that carries pictures over the grid's form without ever taking the activation.
class TNoActiveForm : public TForm {
public:
  explicit TNoActiveForm(TComponent* AOwner);

protected:
  bool ActivatesOnShow() const override { return false; }
};
