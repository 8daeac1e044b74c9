// The hint window: a pop-up form whose one child draws what the window paints.
#include "platform/ui/HintWindow.h"

#include "platform/ui/Application.h"

class THintSurface : public TCustomControl {
public:
  THintSurface(THintWindow* owner) : TCustomControl(owner), FWindow(owner) {}

protected:
  void Paint() override { FWindow->PaintHint(Canvas()); }

private:
  THintWindow* FWindow;
};

THintWindow::THintWindow(TComponent* AOwner) : TPopupForm(AOwner) {
  SetBorderStyle(bsNone);
  FSurface = new THintSurface(this);
  FSurface->SetParent(this);
  FSurface->SetAlign(alClient);
}

THintWindow::~THintWindow() = default;

TRect THintWindow::Desktop() {
  return Rect(0, 0, Screen->Width(), Screen->Height());
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, const void*) {
  TCanvas& c = FSurface->Canvas();
  TRect r = Rect(0, 0, std::min(MaxWidth, c.TextWidth(AHint) + 8), c.TextHeight("Tj") + 4);
  return r;
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
  FHintText = AHint;
  PopupAt(Rect);
  RepaintHint();
}

void THintWindow::ReleaseHint() {
  if (PoppedUp()) ClosePopup(true);
  Hide();
}

void THintWindow::RepaintHint() {
  FSurface->Repaint();
}

void THintWindow::PaintHint(TCanvas& Canvas) {
  const TRect r = FSurface->ClientRect();
  Canvas.Brush().SetColor(clInfoBk);
  Canvas.Pen().SetColor(clBlack);
  Canvas.Rectangle(r);
  Canvas.Font().SetColor(clInfoText);
  Canvas.Brush().SetStyle(bsClear);
  Canvas.TextOut(r.Left + 3, r.Top + 2, FHintText);
}
