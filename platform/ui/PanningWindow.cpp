// The panning window: a borderless picture cut to its shape.
#include "platform/ui/PanningWindow.h"

#include "platform/ui/ExtCtrls.h"

std::vector<TRect> OpaqueRuns(const TBitmap& picture, TColor key) {
  std::vector<TRect> runs;
  for (int y = 0; y < picture.Height(); ++y) {
    int start = -1;
    for (int x = 0; x < picture.Width(); ++x) {
      const bool opaque = picture.Pixel(x, y) != key;
      if (opaque && start < 0) start = x;
      if (!opaque && start >= 0) {
        runs.push_back(Rect(start, y, x, y + 1));
        start = -1;
      }
    }
    if (start >= 0) runs.push_back(Rect(start, y, picture.Width(), y + 1));
  }
  return runs;
}

TPanningWindow::TPanningWindow(TComponent* AOwner) : TPopupForm(AOwner) {
  SetBorderStyle(bsNone);
  SetCancelOnOutsideClick(true);
  FImage = new TImage(this);
  FImage->SetParent(this);
  FImage->SetAlign(alClient);
}

TPanningWindow::~TPanningWindow() = default;

void TPanningWindow::ShowAt(TPoint screenCentre, const TBitmap& picture) {
  FPicture.Assign(picture);
  FImage->Picture().Assign(picture);
  const int w = picture.Width(), h = picture.Height();
  SetBounds(screenCentre.X - w / 2, screenCentre.Y - h / 2, w, h);
  SetClientWidth(w);
  SetClientHeight(h);
  PopupAt(Rect(screenCentre.X - w / 2, screenCentre.Y - h / 2, screenCentre.X - w / 2 + w,
               screenCentre.Y - h / 2 + h));
  SetWindowRegionRects(OpaqueRuns(picture, RGB(255, 0, 255)));
}
