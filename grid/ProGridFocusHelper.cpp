// The focus frame: a glowing frame window laid around the edited cell, above the form and never
// taking the activation from it.
#include "grid/ProGrid.h"
#include "grid/ProGridUnit.h"
#include "grid/TGridFocusWindow.h"

void TProStringGrid::ShowFocusHelper(const TRect& R) {
  const TFocusFrameGeometry g = FocusFrameGeometry(R);
  const int w = g.Window.Right - g.Window.Left, h = g.Window.Bottom - g.Window.Top;
  if (!FFocusWindow) FFocusWindow = new TGridFocusWindow(this);
  FFocusWindow->Hide();
  FFocusWindow->SetMask(MakeFocusGlow(w, h));
  // Only the frame shows: the cell itself stays clear of the window and of the mouse.
  FFocusWindow->SetWindowRegion(TRect{0, 0, w, h}, g.Hole);
  const TPoint at = ClientToScreen({g.Window.Left, g.Window.Top});
  FFocusWindow->SetBounds(at.X, at.Y, w, h);
  FFocusWindow->Show();
}

void TProStringGrid::MoveFocusHelper() {
  if (!FFocusWindow) return;
  const TFocusFrameGeometry g = CurrentFocusFrame();
  const TPoint at = ClientToScreen({g.Window.Left, g.Window.Top});
  FFocusWindow->SetBounds(at.X, at.Y, g.Window.Right - g.Window.Left, g.Window.Bottom - g.Window.Top);
}

void TProStringGrid::HideFocusHelper() {
  SetCurrentGrid(nullptr);
  if (FFocusWindow) FFocusWindow->Hide();
}
