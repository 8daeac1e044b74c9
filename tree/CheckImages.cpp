#include "tree/CheckImages.h"

void DrawCheckImage(TCanvas& canvas, int x, int y, int index) {
  if (index < 1 || index > 24) return;
  const int group = (index - 1) / 4;   // 0,1 radio; 2,3,4 check box; 5 push button
  const int variant = (index - 1) % 4; // normal, hot, pressed, disabled
  const TColor face = variant == 0 ? clWindow : variant == 1 ? TColor(0xFFF0E0) : clBtnFace;
  const TColor ink = variant == 3 ? clGrayText : clWindowText;
  canvas.Pen().SetColor(variant == 3 ? clGrayText : clBtnShadow);
  canvas.Brush().SetColor(face);
  canvas.Brush().SetStyle(bsSolid);
  // The box covers 13 x 13 pixels, inset by 1 and centred in the 16 x 16 image.
  const TRect box{x + 1, y + 1, x + 14, y + 14};
  if (group <= 1) {
    canvas.Ellipse(box);
    if (group == 1) {
      canvas.Brush().SetColor(ink);
      canvas.Pen().SetColor(ink);
      canvas.Ellipse(x + 5, y + 5, x + 10, y + 10);
    }
    return;
  }
  if (group == 5) {
    canvas.Brush().SetColor(variant == 2 ? clBtnShadow : clBtnFace);
    canvas.Rectangle(box);
    return;
  }
  canvas.Rectangle(box);
  canvas.Pen().SetColor(ink);
  if (group == 3) {
    // A tick of three-pixel-thick strokes.
    for (int d = 0; d < 3; ++d) {
      canvas.MoveTo(x + 4, y + 6 + d);
      canvas.LineTo(x + 6, y + 8 + d);
      canvas.LineTo(x + 11, y + 3 + d);
    }
  } else if (group == 4) {
    canvas.Brush().SetColor(ink);
    canvas.FillRect(TRect{x + 4, y + 4, x + 11, y + 11});
  }
}
