#include "grid/ControlList.h"

#include "platform/ui/Controls.h"

TControlItem* TControlList::Control(int i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return FItems[static_cast<std::size_t>(i)].get();
}

void TControlList::AddControl(int X, int Y, TControl* AObject) {
  FItems.push_back(std::make_unique<TControlItem>(X, Y, AObject));
}

int TControlList::ControlIndex(int X, int Y) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<std::size_t>(i)]->X() == X && FItems[static_cast<std::size_t>(i)]->Y() == Y)
      return i;
  return -1;
}

void TControlList::RemoveControl(int i) {
  if (i >= 0 && i < Count()) FItems.erase(FItems.begin() + i);
}

bool TControlList::HasHandle(const TWinControl* Window) const {
  if (!Window) return false;
  for (const auto& item : FItems)
    if (dynamic_cast<const TWinControl*>(item->Control()) == Window) return true;
  return false;
}
