// The small shaped window shown where wheel panning started: a picture whose key-coloured pixels
// are cut away, so only the picture's shape shows. It never takes the activation or the focus.
#pragma once

#include "platform/ui/Popup.h"

#include <vector>

// The opaque part of a picture as one-pixel-high runs: each run of pixels not of `key` in a row
// becomes a rectangle; a run reaching the right edge ends there.
std::vector<TRect> OpaqueRuns(const TBitmap& picture, TColor key);

class TPanningWindow : public TPopupForm {
public:
  explicit TPanningWindow(TComponent* AOwner);
  ~TPanningWindow() override;
  // Shows the picture centred on a screen point, shaped by its opaque runs (key RGB(255, 0, 255)).
  void ShowAt(TPoint screenCentre, const TBitmap& picture);
  const TBitmap& Picture() const { return FPicture; }

private:
  TBitmap FPicture;
  class TImage* FImage = nullptr;
};
