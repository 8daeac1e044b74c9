// A bar between two aligned controls: dragging it gives the control before it (the one aligned to
// the same side just above or left of it) the new size, within a least size for both.
#pragma once

#include "platform/ui/Controls.h"

class TSplitter : public TCustomControl {
public:
  explicit TSplitter(TComponent* AOwner);

  int MinSize() const { return FMinSize; }
  void SetMinSize(int size) { FMinSize = size; }
  // The control it resizes: the sibling aligned to its side that touches it; nullptr for none.
  TControl* ResizedControl() const;

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  bool Vertical() const { return Align() == alTop || Align() == alBottom; }
  int FMinSize = 30;
  bool FDragging = false;
  int FDownAt = 0;
  int FStartSize = 0;
};
