#include "controls/Splitter.h"

#include <algorithm>

TSplitter::TSplitter(TComponent* AOwner) : TCustomControl(AOwner) {
  SetAlign(alTop);
  SetHeight(3);
  SetCursor(crVSplit);
}

TControl* TSplitter::ResizedControl() const {
  TWinControl* parent = Parent();
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    switch (Align()) {
    case alTop:
      if (c->Top() + c->Height() == Top()) return c;
      break;
    case alBottom:
      if (c->Top() == Top() + Height()) return c;
      break;
    case alLeft:
      if (c->Left() + c->Width() == Left()) return c;
      break;
    case alRight:
      if (c->Left() == Left() + Width()) return c;
      break;
    default:
      break;
    }
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TControl* c = ResizedControl();
  if (Button != mbLeft || !c) return;
  FDragging = true;
  FDownAt = Vertical() ? Y + Top() : X + Left();
  FStartSize = Vertical() ? c->Height() : c->Width();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TControl* c = ResizedControl();
  if (!FDragging || !c || !Parent()) return;
  const int at = Vertical() ? Y + Top() : X + Left();
  const int moved = (Align() == alTop || Align() == alLeft) ? at - FDownAt : FDownAt - at;
  const int room = (Vertical() ? Parent()->ClientHeight() : Parent()->ClientWidth()) - FMinSize -
                   (Vertical() ? Height() : Width());
  const int size = std::clamp(FStartSize + moved, FMinSize, std::max(FMinSize, room));
  if (Vertical()) {
    c->SetHeight(size);
  } else {
    c->SetWidth(size);
  }
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FDragging = false;
}
