// A list of equally sized images drawn by index, with an optional mask per image.
#pragma once

#include "platform/ui/Graphics.h"

#include <functional>
#include <memory>

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TImageList {
public:
  explicit TImageList(int width = 16, int height = 16);
  TImageList(const TImageList& other);
  TImageList& operator=(const TImageList& other);
  ~TImageList();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Changing the size empties the list (as on Windows). Sizes below 1 count as 1.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  int Count() const;

  bool Masked() const { return FMasked; }
  void SetMasked(bool masked) { FMasked = masked; }
  // Colour under transparent pixels in dsNormal; clNone draws them transparent.
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor color) { FBkColor = color; }
  // Colour mixed in by dsFocus (25 %) and dsSelected (50 %); clNone and clDefault mean clHighlight.
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor color) { FBlendColor = color; }
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle style) { FDrawingStyle = style; }

  // Adds the picture cut into images of Width (a wider picture gives several images); pixels
  // where the mask is white are transparent. Returns the index of the first image, -1 when empty.
  int Add(const TBitmap& image, const TBitmap* mask = nullptr);
  // As Add, transparent where the picture has maskColor (clDefault: the colour of its top-left pixel).
  int AddMasked(const TBitmap& image, TColor maskColor);
  bool Replace(int index, const TBitmap& image, const TBitmap* mask = nullptr);
  bool ReplaceMasked(int index, const TBitmap& image, TColor maskColor);
  bool Delete(int index);
  bool Move(int from, int to);
  void Clear();

  // Draws image `index` at (x, y); bad indexes draw nothing. Disabled images are drawn greyed.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  void Draw(TCanvas& canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
            bool enabled = true) const;
  // Sizes `bitmap` to the list's image size and draws the image onto it (transparent parts
  // keep what the bitmap had). False for a bad index.
  bool GetBitmap(int index, TBitmap& bitmap) const;

  std::function<void()> OnChange;

private:
  struct Impl;
  void Changed();
  std::unique_ptr<Impl> d;
  int FWidth;
  int FHeight;
  bool FMasked = true;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
};
