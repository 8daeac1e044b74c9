#include "controls/CheckListBox.h"

#include "platform/ui/Messages.h"

#include <algorithm>

namespace {
constexpr int BoxSize = 13;
constexpr int Edge = 2;
} // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

void TCheckListBox::Clear() {
  FItems.clear();
  FChecked.clear();
  FItemIndex = -1;
  FTopIndex = 0;
  Invalidate();
}

void TCheckListBox::Add(const std::string& Item) {
  FItems.push_back(Item);
  FChecked.push_back(false);
  Invalidate();
}

bool TCheckListBox::Checked(int Index) const {
  return Index >= 0 && Index < Count() && FChecked[static_cast<size_t>(Index)];
}

void TCheckListBox::SetChecked(int Index, bool Value) {
  if (Index < 0 || Index >= Count()) return;
  FChecked[static_cast<size_t>(Index)] = Value;
  Invalidate();
}

void TCheckListBox::SetItemIndex(int Index) {
  FItemIndex = Index >= 0 && Index < Count() ? Index : -1;
  const int visible = VisibleItems();
  if (FItemIndex >= 0) {
    if (FItemIndex < FTopIndex) FTopIndex = FItemIndex;
    if (FItemIndex >= FTopIndex + visible) FTopIndex = FItemIndex - visible + 1;
  }
  Invalidate();
}

int TCheckListBox::VisibleItems() const {
  return std::max(1, (ClientHeight() - 2 * Edge) / ItemHeight());
}

void TCheckListBox::SetTopIndex(int Index) {
  const int top = std::clamp(Index, 0, std::max(0, Count() - VisibleItems()));
  if (top == FTopIndex) return;
  FTopIndex = top;
  Invalidate();
}

bool TCheckListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  SetTopIndex(FTopIndex - WheelDelta / 120 * 3);
  return true;
}

int TCheckListBox::ItemHeight() const {
  return std::max(BoxSize + 3, const_cast<TCheckListBox*>(this)->Canvas().TextHeight("Wg") + 2);
}

int TCheckListBox::ItemAt(TPoint P) const {
  if (P.X < 0 || P.X >= Width() || P.Y < Edge) return -1;
  const int i = FTopIndex + (P.Y - Edge) / ItemHeight();
  return i < Count() ? i : -1;
}

void TCheckListBox::ToggleByUser(int Index) {
  if (Index < 0 || Index >= Count() || !Enabled()) return;
  SetItemIndex(Index);
  SetChecked(Index, !Checked(Index));
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) ToggleByUser(ItemAt({X, Y}));
}

void TCheckListBox::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE) ToggleByUser(FItemIndex);
  if (Key == VK_DOWN && FItemIndex + 1 < Count()) SetItemIndex(FItemIndex + 1);
  if (Key == VK_UP && FItemIndex > 0) SetItemIndex(FItemIndex - 1);
}

void TCheckListBox::Paint() {
  TCanvas& C = Canvas();
  const TRect r = ClientRect();
  FillRect(C, r, Color());
  C.Pen().SetColor(clGray);
  C.Brush().SetStyle(bsClear);
  C.Rectangle(r);
  const int h = ItemHeight();
  C.Font().Assign(Font());
  for (int i = FTopIndex, y = Edge; i < Count() && y < r.Bottom - Edge; ++i, y += h) {
    const TRect row{Edge, y, r.Right - Edge, y + h};
    const bool current = i == FItemIndex;
    if (current) FillRect(C, row, clHighlight);
    const TRect box{row.Left + 2, y + (h - BoxSize) / 2, row.Left + 2 + BoxSize,
                    y + (h - BoxSize) / 2 + BoxSize};
    FillRect(C, box, clWindow);
    C.Brush().SetStyle(bsClear);
    C.Pen().SetColor(clGray);
    C.Rectangle(box);
    if (Checked(i)) {
      // A tick of two strokes.
      C.Pen().SetColor(clBlack);
      for (int t = 0; t < 2; ++t) {
        C.MoveTo(box.Left + 3, box.Top + 5 + t);
        C.LineTo(box.Left + 5, box.Top + 7 + t);
        C.LineTo(box.Left + 10, box.Top + 2 + t);
      }
    }
    C.Font().SetColor(current ? clHighlightText : Font().Color());
    C.TextOut(box.Right + 4, y + (h - C.TextHeight("Wg")) / 2, Item(i));
  }
}
