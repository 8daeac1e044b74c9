#include "controls/DrawListBox.h"

#include <algorithm>

TDrawListBox::TDrawListBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
}

void TDrawListBox::Add(const std::string& item) {
  FItems.push_back(item);
  Invalidate();
}

void TDrawListBox::Clear() {
  FItems.clear();
  FTopIndex = 0;
  Invalidate();
}

void TDrawListBox::SetItemHeight(int height) {
  FItemHeight = std::max(height, 1);
  Invalidate();
}

void TDrawListBox::SetTopIndex(int index) {
  const int top = std::clamp(index, 0, std::max(Count() - 1, 0));
  if (top == FTopIndex) return;
  FTopIndex = top;
  Invalidate();
}

TRect TDrawListBox::ItemRect(int index) const {
  const int top = (index - FTopIndex) * FItemHeight;
  return TRect{0, top, ClientWidth(), top + FItemHeight};
}

void TDrawListBox::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  for (int i = FTopIndex; i < Count(); ++i) {
    const TRect r = ItemRect(i);
    if (r.Top >= ClientHeight()) break;
    if (OnDrawItem) {
      OnDrawItem(this, i, r, canvas);
    } else {
      canvas.Brush().SetStyle(bsClear);
      canvas.TextRect(r, r.Left + 2, r.Top, FItems[static_cast<std::size_t>(i)]);
    }
  }
}

bool TDrawListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  SetTopIndex(FTopIndex - WheelDelta / 120 * 3);
  return true;
}
