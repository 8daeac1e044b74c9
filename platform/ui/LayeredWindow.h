// A borderless top-most tool window that never takes the activation (not in the task bar, not
// activated by a click or when shown), painted from a 32-bit picture with per-pixel alpha and an
// overall opacity, as the system's layered windows are: soft shadows and glows over other windows.
#pragma once

#include "platform/ui/Forms.h"

#include <cstdint>
#include <vector>

class TLayeredWindow : public TForm {
public:
  explicit TLayeredWindow(TComponent* AOwner);

  // The picture: width x height pixels, row by row, each 0xAARRGGBB with the colours premultiplied
  // by alpha; `opacity` scales the whole. The window takes the picture's size. Pixels missing from
  // a short list are transparent.
  void SetLayeredImage(int width, int height, const std::vector<std::uint32_t>& pixels, std::uint8_t opacity);
  int ImageWidth() const { return FWidth; }
  int ImageHeight() const { return FHeight; }
  std::uint8_t Opacity() const { return FOpacity; }
  // What the screen shows at a client pixel over `background`: the pixel scaled by the opacity
  // and laid over the background by its alpha.
  TColor ComposedPixel(int x, int y, TColor background) const;

  bool TopMost() const { return true; }
  bool ToolWindow() const { return true; }

protected:
  bool ActivatesOnShow() const override { return false; }
  void PaintWidget(QPainter& painter) override;
  void DoShow() override;

private:
  void ApplyLayeredFlags();
  int FWidth = 0, FHeight = 0;
  std::uint8_t FOpacity = 255;
  std::vector<std::uint32_t> FPixels;
};
