#include "grid/TArrowWindow.h"

#include <vector>

namespace {

std::array<TPoint, 7> Outline(TArrowDirection d) {
  switch (d) {
  case arrUp:
    return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
  case arrDown:
    return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
  case arrLeft:
    return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
  case arrRight:
    return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
  }
  return {};
}

} // namespace

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection direction)
    : TCustomControl(AOwner), FDir(direction), FArrow(Outline(direction)) {
  SetColor(static_cast<TColor>(0x00FF00));
  SetTabStop(false);
  SetVisible(false);
  if (AOwner) SetParent(AOwner);
  SetBounds(0, 0, 11, 11);
  SetWindowRegion(std::vector<TPoint>(FArrow.begin(), FArrow.end()));
}

void TArrowWindow::Paint() {
  Canvas().Pen().SetColor(Color());
  Canvas().Brush().SetColor(Color());
  Canvas().Brush().SetStyle(bsSolid);
  Canvas().FillRect(ClientRect());
}
