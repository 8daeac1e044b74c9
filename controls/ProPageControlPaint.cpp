// Painting of the page control's tab area, its close buttons and skins, and of a page's gradient.
#include "controls/ProPageControl.h"

#include "controls/ProUtilDraw.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>

namespace {

constexpr TColor CloseGrey = RGB(128, 128, 128);
constexpr TColor CloseDown = RGB(192, 192, 192);
constexpr TColor DisabledText = RGB(128, 128, 128);

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

TColor LowerLeftColor(const TBitmap& picture) {
  return picture.Pixel(0, picture.Height() - 1);
}

// A corner of the page border cut round: the border's last pixels before the corner repainted
// in the background, the border drawn one pixel further in around it. (x, y) is the corner pixel,
// (sx, sy) point inward.
void RoundCorner(TCanvas& canvas, int x, int y, int sx, int sy, TColor background, TColor border) {
  for (int k = 0; k <= 4; ++k) {
    canvas.SetPixels(x, y + sy * k, background);
    canvas.SetPixels(x + sx * k, y, background);
  }
  for (auto [dx, dy] : {std::pair{1, 4}, {1, 3}, {1, 2}, {2, 1}, {3, 1}, {4, 1}})
    canvas.SetPixels(x + sx * dx, y + sy * dy, border);
  canvas.SetPixels(x, y + sy * 5, border);
  canvas.SetPixels(x + sx * 5, y, border);
}

} // namespace

void DrawGradient(TCanvas& canvas, TColor fromColor, TColor toColor, TGradientDirection direction,
                  const TRect& rect, int steps) {
  if (steps <= 0) steps = 1;
  const TColor from = ColorToRGB(fromColor), to = ColorToRGB(toColor);
  const int size = direction == gdVertical ? rect.Height() : rect.Width();
  const int depth = RoundHalfEven(static_cast<double>(size) / steps) + 1;
  auto mix = [steps](unsigned a, unsigned b, int i) {
    return std::clamp(static_cast<int>(a) + RoundHalfEven(i * (static_cast<double>(b) - a) / steps), 0, 255);
  };
  for (int i = 0; i < steps; ++i) {
    const TColor band = RGB(mix(GetRValue(from), GetRValue(to), i), mix(GetGValue(from), GetGValue(to), i),
                            mix(GetBValue(from), GetBValue(to), i));
    canvas.Pen().SetColor(band);
    canvas.Brush().SetColor(band);
    // Each band reaches one pixel into the next so that no gap shows; none leaves the rectangle.
    const int start = RoundHalfEven(static_cast<double>(i) * size / steps);
    const int end = std::min(start + depth, size);
    if (direction == gdVertical)
      canvas.FillRect({rect.Left, rect.Top + start, rect.Right, rect.Top + end});
    else
      canvas.FillRect({rect.Left + start, rect.Top, rect.Left + end, rect.Bottom});
  }
}

void DrawThreeSliceVertical(TCanvas& canvas, int x, int y, int height, const TBitmap& picture) {
  if (picture.Empty()) return;
  const int w = picture.Width(), h = picture.Height(), half = h / 2;
  const TColor key = LowerLeftColor(picture);
  const TCanvas& src = picture.Canvas();
  if (half > 0) TransparentBlt(canvas, x, y, w, half, src, 0, 0, w, half, key);
  if (height - h > 0 && half > 0)
    TransparentBlt(canvas, x, y + half, w, height - h, src, 0, half - 1, w, 2, key);
  if (half > 0)
    TransparentBlt(canvas, x, y + half + std::max(0, height - h), w, half, src, 0, half, w, half, key);
}

void DrawThreeSliceHorizontal(TCanvas& canvas, int x, int y, int width, const TBitmap& picture) {
  if (picture.Empty()) return;
  const int w = picture.Width(), h = picture.Height(), half = w / 2;
  const TColor key = LowerLeftColor(picture);
  const TCanvas& src = picture.Canvas();
  if (half > 0) TransparentBlt(canvas, x, y, half, h, src, 0, 0, half, h, key);
  if (width - w > 0 && half > 0)
    TransparentBlt(canvas, x + half, y, width - w, h, src, half - 1, 0, 2, h, key);
  if (half > 0)
    TransparentBlt(canvas, x + half + std::max(0, width - w), y, half, h, src, half, 0, half, h, key);
}

struct TProPageControl::TPaintState {
  int W = 0, H = 0;
  int MaxBottom = 0, MinTop = 0, MinLeft = 0, MaxRight = 0;
  bool FramePainted = false;
  int D3 = 0;
  int Ext = 0;
  TProTabSheet* Postponed = nullptr; // the active tab with a skin of its own, drawn last
  TRect PostponedRect;
  int PostponedX = 0, PostponedY = 0;
};

void TProPageControl::AfterPaintTabs(TCanvas& canvas) {
  if (!FTabBorder3D) PaintTabArea(canvas);
}

void TProPageControl::PaintTabArea(TCanvas& canvas) {
  TPaintState s;
  s.W = ClientWidth();
  s.H = ClientHeight();
  const int W = s.W, H = s.H;
  const TTabPosition pos = TabPosition();
  const bool side = pos == tpLeft || pos == tpRight;

  canvas.Brush().SetColor(Parent() ? Parent()->Color() : clBtnFace);
  canvas.Font().Assign(Font());
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);

  // Erase around the tabs and find the strip's extents.
  s.MinTop = TabRect(0).Top;
  s.MinLeft = W;
  bool anyTab = false;
  for (TProTabSheet* page : FPages) {
    if (!page->FTabShowing) continue;
    anyTab = true;
    TRect r = TabRect(page->TabIndex());
    s.MaxBottom = std::max(s.MaxBottom, r.Bottom);
    s.MinTop = std::min(s.MinTop, r.Top);
    s.MinLeft = std::min(s.MinLeft, r.Left);
    s.MaxRight = std::max(s.MaxRight, r.Right);
    r.Right += 2;
    switch (pos) {
    case tpTop:
      r.Left -= 2;
      r.Top -= 2;
      break;
    case tpBottom:
      r.Left -= 2;
      r.Bottom += 2;
      break;
    case tpLeft:
      r.Left -= 2;
      r.Top -= 2;
      r.Bottom += 2;
      r.Right -= 2;
      break;
    case tpRight:
      r.Top -= 2;
      r.Bottom += 2;
      break;
    }
    canvas.FillRect(r);
  }
  if (!anyTab) {
    switch (pos) {
    case tpTop:
      s.MaxBottom = 2;
      break;
    case tpBottom:
      s.MinTop = H - 2;
      break;
    case tpLeft:
      s.MaxRight = 2;
      break;
    case tpRight:
      s.MinLeft = W - 2;
      break;
    }
  }

  // The strip's background.
  canvas.Brush().SetColor(FTabBackGroundColor);
  switch (pos) {
  case tpLeft:
    canvas.FillRect({0, 0, s.MaxRight, H - 1});
    break;
  case tpRight:
    canvas.FillRect({s.MinLeft, 0, W, H - 1});
    break;
  case tpTop:
    canvas.FillRect({0, 0, W, s.MaxBottom});
    break;
  case tpBottom:
    canvas.FillRect({0, s.MinTop, W, H});
    break;
  }

  // Where the scroll arrows of a single row sit (after the strip, which would cover it).
  if (!MultiLine() && !side) {
    canvas.Brush().SetColor(Color());
    const int from = std::max(W - 35, s.MaxRight);
    if (pos == tpTop) {
      canvas.FillRect({W - 35, 0, W, s.MaxBottom});
      canvas.Pen().SetColor(clWhite);
      Line(canvas, from, s.MaxBottom, W, s.MaxBottom);
    } else {
      canvas.FillRect({W - 35, s.MinTop, W, H});
      canvas.Pen().SetColor(cl3DDkShadow);
      Line(canvas, from, s.MinTop - 1, W, s.MinTop - 1);
    }
  }

  // The active page's colour spread over the margin between the page and the control's edges.
  s.FramePainted = FActivePage && (FActivePage->ColorTo() != clNone || FActivePage->Color() != Color());
  s.D3 = FTabSheet3D ? 1 : 0;
  if (s.FramePainted) {
    TRect bands[4];
    TRect topBand;
    switch (pos) {
    case tpTop: {
      const int t = s.MaxBottom + s.D3;
      bands[0] = {1, t, W - 1, s.MaxBottom + 4};
      bands[1] = {1, t, 4, H - 1};
      bands[2] = {W - 4, t, W - 1, H - 1};
      bands[3] = {1, H - 4, W - 1, H - 1};
      topBand = bands[0];
      break;
    }
    case tpBottom: {
      const int b = s.MinTop - s.D3;
      bands[0] = {1, s.MinTop - 4, W - 1, b};
      bands[1] = {1, 1, W - 1, 4};
      bands[2] = {1, 1, 4, b};
      bands[3] = {W - 4, 1, W - 1, b};
      topBand = bands[1];
      break;
    }
    case tpLeft: {
      const int l = s.MaxRight + s.D3;
      bands[0] = {l, 1, s.MaxRight + 4, H - 1};
      bands[1] = {l, 1, W - 1, 4};
      bands[2] = {l, H - 4, W - 1, H - 1};
      bands[3] = {W - 4, 1, W - 1, H - 1};
      topBand = bands[1];
      break;
    }
    case tpRight: {
      const int r = s.MinLeft - s.D3;
      bands[0] = {s.MinLeft - 4, 1, r, H - 1};
      bands[1] = {1, 1, r, 4};
      bands[2] = {1, H - 4, r, H - 1};
      bands[3] = {1, 1, 4, H - 1};
      topBand = bands[1];
      break;
    }
    }
    TRegion region;
    for (const TRect& band : bands)
      if (!band.IsEmpty()) region.Unite(TRegion(band));
    canvas.SelectClipRegion(&region);
    if (FActivePage->ColorTo() != clNone) {
      DrawGradient(canvas, FActivePage->Color(), FActivePage->ColorTo(), gdVertical, ClientRect(), 16);
      canvas.Brush().SetColor(FActivePage->Color());
      canvas.FillRect(topBand);
    } else {
      canvas.Pen().SetColor(FActivePage->Color());
      canvas.Brush().SetColor(FActivePage->Color());
      canvas.FillRect(ClientRect());
    }
    canvas.SelectClipRegion(nullptr);
  }

  // The page border.
  if (!FTabSheet3D) {
    canvas.Pen().SetColor(FTabSheetBorderColor);
    switch (pos) {
    case tpTop:
      Line(canvas, 0, s.MaxBottom, 0, H);
      Line(canvas, 0, H - 1, W, H - 1);
      Line(canvas, W - 1, H - 2, W - 1, s.MaxBottom);
      Line(canvas, 0, s.MaxBottom, W, s.MaxBottom);
      if (!s.FramePainted) {
        canvas.Pen().SetColor(Color());
        Line(canvas, 1, H - 2, W - 1, H - 2);
        Line(canvas, W - 2, H - 2, W - 2, s.MaxBottom);
      }
      break;
    case tpBottom:
      Line(canvas, 0, 0, 0, s.MinTop);
      Line(canvas, 0, s.MinTop - 1, W, s.MinTop - 1);
      Line(canvas, W - 1, s.MinTop - 1, W - 1, 0);
      Line(canvas, 0, 0, W, 0);
      if (!s.FramePainted) {
        canvas.Pen().SetColor(Color());
        Line(canvas, 1, s.MinTop - 2, W - 1, s.MinTop - 2);
        Line(canvas, W - 2, s.MinTop - 2, W - 2, 0);
      }
      break;
    case tpLeft:
      Line(canvas, s.MaxRight, 0, s.MaxRight, H);
      Line(canvas, s.MaxRight, H - 2, W - 2, H - 2);
      Line(canvas, W - 2, H, W - 2, 0);
      Line(canvas, W - 2, 0, s.MaxRight, 0);
      canvas.Pen().SetColor(Color());
      Line(canvas, s.MaxRight, H - 1, W - 1, H - 1);
      Line(canvas, W - 1, H - 1, W - 1, -1);
      break;
    case tpRight:
      Line(canvas, 0, 0, 0, H);
      Line(canvas, 0, H, s.MinLeft, H);
      Line(canvas, s.MinLeft - 1, H, s.MinLeft - 1, 0);
      Line(canvas, s.MinLeft - 1, 0, 0, 0);
      canvas.Pen().SetColor(Color());
      Line(canvas, 0, H - 1, s.MinLeft, H - 1);
      if (!s.FramePainted) Line(canvas, s.MinLeft - 2, H - 3, s.MinLeft - 2, 0);
      break;
    }
  }

  // Rounded corners away from the tabs.
  if (FRoundEdges && !FTabSheet3D) {
    const TColor bg = ColorToRGB(Color()), border = ColorToRGB(FTabSheetBorderColor);
    switch (pos) {
    case tpTop:
      RoundCorner(canvas, 0, H - 1, 1, -1, bg, border);
      RoundCorner(canvas, W - 1, H - 1, -1, -1, bg, border);
      break;
    case tpBottom:
      RoundCorner(canvas, 0, 0, 1, 1, bg, border);
      RoundCorner(canvas, W - 1, 0, -1, 1, bg, border);
      break;
    case tpLeft:
      RoundCorner(canvas, W - 2, 0, -1, 1, bg, border);
      RoundCorner(canvas, W - 2, H - 2, -1, -1, bg, border);
      break;
    case tpRight:
      RoundCorner(canvas, 0, 0, 1, 1, bg, border);
      RoundCorner(canvas, 0, H - 1, 1, -1, bg, border);
      break;
    }
  }

  // The tabs join the page: the border under them in the page's colour.
  if (!FTabSheet3D && !FTabSplitLine && PageCount() > 0) {
    s.Ext = 1;
    TColor join = Color();
    if (s.FramePainted) {
      join = FActivePage->Color();
      if (pos == tpBottom && FActivePage->ColorTo() != clNone) join = FActivePage->ColorTo();
    }
    canvas.Pen().SetColor(join);
    switch (pos) {
    case tpTop:
      Line(canvas, 2, s.MaxBottom, s.MaxRight + FTabOverlap, s.MaxBottom);
      break;
    case tpBottom:
      Line(canvas, 2, s.MinTop - 1, s.MaxRight + FTabOverlap, s.MinTop - 1);
      break;
    case tpLeft: {
      const int extra = FTabStyle == tsClassic && !FTabBackGround.Empty() ? 2 : 0;
      Line(canvas, s.MaxRight, 2, s.MaxRight, s.MaxBottom + FTabOverlap + extra);
      break;
    }
    case tpRight:
      Line(canvas, s.MinLeft - 1, s.MaxBottom + FTabOverlap - 1, s.MinLeft - 1, 2);
      break;
    }
  }

  for (int i = PageCount() - 1; i >= 0; --i) {
    TProTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (page->FTabShowing) PaintTab(canvas, s, page, false);
  }
  if (s.Postponed) PaintTab(canvas, s, s.Postponed, true);

  // Outline of the hovered tab.
  TProTabSheet* hovered = Pages(FHoverTab);
  if (hovered && hovered != FActivePage && hovered->FTabShowing && FTabHoverBorder != clNone) {
    TRect r = TabRect(hovered->TabIndex());
    if (side) {
      if (r.Bottom > H - 5) --r.Bottom;
    } else if (r.Right > W - 5) {
      --r.Right;
    }
    canvas.Pen().SetColor(FTabHoverBorder);
    switch (pos) {
    case tpBottom:
      canvas.Polyline({{r.Left, r.Top + 1}, {r.Left, r.Bottom}, {r.Right, r.Bottom}, {r.Right, r.Top}});
      break;
    case tpLeft:
      r.Left -= 1;
      r.Top -= 2;
      canvas.Polyline(
          {{r.Right - 1, r.Top + 2}, {r.Left, r.Top + 2}, {r.Left, r.Bottom}, {r.Right, r.Bottom}});
      break;
    case tpRight:
      r.Left += 1;
      canvas.Polyline({{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
      break;
    case tpTop:
      r.Top -= 1;
      canvas.Polyline({{r.Left, r.Bottom - 2}, {r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom - 1}});
      break;
    }
  }

  // The active close button while the mouse is over it or presses it.
  if (FActivePage && FActivePage->ShowClose() && FActivePage->FTabShowing && FCloseState != csNormalClose)
    PaintCloseButton(canvas, FActivePage, FCloseState, FLowerActive);
  canvas.Font().Assign(Font());
}

void TProPageControl::PaintTab(TCanvas& canvas, TPaintState& s, TProTabSheet* page, bool postponed) {
  const TTabPosition pos = TabPosition();
  const bool side = pos == tpLeft || pos == tpRight;
  const bool active = page == FActivePage;
  const TRect native = TabRect(page->TabIndex());

  if (postponed) {
    const TRect& r = s.PostponedRect;
    const int height = r.Bottom + FTabOverlap - r.Top + 3;
    const int width = r.Right + FTabOverlap - r.Left + 2;
    const bool lowered = FLowerActive >= 1;
    switch (pos) {
    case tpBottom:
      DrawThreeSliceHorizontal(canvas, r.Left - 2, r.Top - (lowered ? 3 : 1), width, FTabBackGroundActive);
      break;
    case tpLeft:
      DrawThreeSliceVertical(canvas, r.Left + (lowered ? 1 : 0), r.Top, height, FTabBackGroundActive);
      break;
    case tpRight:
      DrawThreeSliceVertical(canvas, r.Left - (lowered ? 3 : 1), r.Top - 2, height, FTabBackGroundActive);
      break;
    case tpTop:
      DrawThreeSliceHorizontal(canvas, r.Left - 2, r.Top - (lowered ? 1 : 2), width, FTabBackGroundActive);
      break;
    }
    PaintTabContents(canvas, s, page, r, s.PostponedX, s.PostponedY);
    return;
  }

  // Colours of the tab.
  TColor from = page->TabColor(), to = page->TabColorTo();
  TGradientDirection direction = page->TabGradientDirection();
  if (active && FActiveColor != clNone) {
    from = FActiveColor;
    to = FActiveColorTo;
  } else if (page->PageIndex() == FHoverTab && (FTabHoverColor != clNone || FTabHoverColorTo != clNone)) {
    from = FTabHoverColor;
    to = FTabHoverColorTo;
    direction = page->HoverGradientDirection();
  }
  auto fill = [&](const TRect& area) {
    if (from == clNone && to == clNone) return;
    if (to != clNone && from != clNone) {
      DrawGradient(canvas, from, to, direction, area, 16);
    } else {
      const TColor solid = from != clNone ? from : to;
      canvas.Pen().SetColor(solid);
      canvas.Brush().SetColor(solid);
      canvas.FillRect(area);
    }
  };

  TRect R = native;
  int tx = 0, ty = 0;
  const bool skin = !FTabBackGround.Empty();
  switch (pos) {
  case tpLeft:
    tx = R.Left + 1;
    ty = R.Bottom - 4;
    if (active) tx += FLowerActive;
    if (page->ShowClose()) ty -= 13;
    break;
  case tpRight:
    tx = R.Right - 1;
    ty = R.Top + 4;
    if (active) tx -= FLowerActive;
    if (page->ShowClose()) ty += 13;
    break;
  case tpBottom:
    tx = R.Left + 4;
    ty = R.Top;
    if (active) ty += FLowerActive + 1;
    if (page->ShowClose()) tx += 14;
    if (!active && FTabStyle == tsClassic && !skin) ty += 2;
    break;
  case tpTop:
    tx = R.Left + 4;
    ty = R.Top + 1;
    if (active) ty += FLowerActive;
    if (page->ShowClose()) tx += 14;
    break;
  }

  if (!skin) {
    TRect area;
    switch (pos) {
    case tpLeft:
      R.Left -= 1;
      area = R;
      area.Right -= 1;
      if (direction == gdVertical) area.Bottom -= 1;
      fill(area);
      break;
    case tpRight:
      area = R;
      if (!active && direction == gdVertical) area.Bottom -= 1;
      fill(area);
      R.Right += 1;
      tx = R.Right - 1;
      if (active) tx -= FLowerActive;
      break;
    case tpBottom:
      R.Bottom += 1;
      area = R;
      if (direction == gdHorizontal)
        area.Right -= 1;
      else
        area.Bottom -= 1;
      fill(area);
      break;
    case tpTop:
      R.Top -= 1;
      area = R;
      area.Bottom -= 1;
      if (direction == gdHorizontal) area.Right -= 1;
      fill(area);
      break;
    }

    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(FTabBorderColor);
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    if (FTabStyle == tsClassic && active) {
      switch (pos) {
      case tpLeft:
        canvas.Polyline({{Rt - 1, T}, {L, T}, {L, B}, {Rt, B}});
        break;
      case tpRight:
        canvas.Polyline({{L, T}, {Rt - 1, T}, {Rt - 1, B}, {L - 1, B}});
        break;
      case tpBottom:
        canvas.Polyline({{L, T}, {L, B}, {Rt, B}, {Rt, T - 1}});
        break;
      case tpTop:
        canvas.Polyline({{L, B - 1}, {L, T}, {Rt, T}, {Rt, B}});
        break;
      }
    } else if (FTabStyle == tsClassic) {
      bool reaches = true;
      switch (pos) {
      case tpLeft:
        reaches = R.Right >= s.MaxRight;
        break;
      case tpRight:
        reaches = R.Left <= s.MinLeft;
        break;
      case tpBottom:
        reaches = R.Top <= s.MinTop;
        break;
      case tpTop:
        reaches = R.Bottom >= s.MaxBottom;
        break;
      }
      if (!reaches) s.Ext = 0;
      TRect box = R;
      switch (pos) {
      case tpLeft:
        box.Right += s.Ext;
        if (R.Bottom <= s.H - 5) ++box.Bottom;
        break;
      case tpRight:
        box.Left -= s.Ext;
        if (R.Bottom <= s.H - 5) ++box.Bottom;
        break;
      case tpBottom:
        box.Top -= s.Ext;
        if (R.Right <= s.W - 5) ++box.Right;
        break;
      case tpTop:
        box.Bottom += s.Ext;
        if (R.Right <= s.W - 5) ++box.Right;
        break;
      }
      canvas.Rectangle(box);
      if (!FTabSheet3D && !FTabSplitLine) s.Ext = 1;
    } else if (active) {
      switch (pos) {
      case tpLeft:
        canvas.Polyline({{Rt, T}, {L, T}, {L, B}, {Rt, B}});
        break;
      case tpRight:
        canvas.Polyline({{L - 1, T}, {Rt - 1, T}, {Rt - 1, B}, {L - 1, B}});
        break;
      case tpBottom:
        canvas.Polyline({{L, T - 1}, {L, B}, {Rt, B}, {Rt, T - 1}});
        break;
      case tpTop:
        canvas.Polyline({{L, B}, {L, T}, {Rt, T}, {Rt, B}});
        break;
      }
    } else {
      switch (pos) {
      case tpLeft:
        Line(canvas, Rt, T, Rt, B);
        break;
      case tpRight:
        Line(canvas, L - 1, T, L - 1, B);
        break;
      case tpBottom:
        Line(canvas, L, T - 1, Rt, T - 1);
        break;
      case tpTop:
        Line(canvas, L, B, Rt, B);
        break;
      }
      // The separator, left out above the active tab but kept after the strip's last tab.
      TProTabSheet* next = nullptr;
      for (int i = page->PageIndex() + 1; i < PageCount() && !next; ++i)
        if (FPages[static_cast<std::size_t>(i)]->FTabShowing) next = FPages[static_cast<std::size_t>(i)];
      const bool last = side ? R.Bottom > s.MaxBottom - 3 : R.Right > s.MaxRight - 3;
      if ((next != FActivePage || last) && FActiveColor != clNone) {
        canvas.Pen().SetColor(FActiveColor);
        if (side) {
          Line(canvas, L + 2, B - 2, Rt - 2, B - 2);
          Line(canvas, L + 2, B - 3, Rt - 2, B - 3);
        } else {
          Line(canvas, Rt - 2, B - 3, Rt - 2, T + 2);
          Line(canvas, Rt - 3, B - 3, Rt - 3, T + 2);
        }
      }
    }
  } else {
    const TBitmap& picture = FTabBackGround;
    const int height = R.Bottom + FTabOverlap - R.Top + 3;
    const int width = R.Right + FTabOverlap - R.Left + 2;
    const bool ownSkin = active && !FTabBackGroundActive.Empty();
    if (!ownSkin) {
      switch (pos) {
      case tpLeft:
        DrawThreeSliceVertical(canvas, R.Left, R.Top, height, picture);
        break;
      case tpRight:
        DrawThreeSliceVertical(canvas, R.Left - 1, R.Top - 2, height, picture);
        break;
      case tpBottom:
        DrawThreeSliceHorizontal(canvas, R.Left - 2, R.Top - 1, width, picture);
        break;
      case tpTop:
        DrawThreeSliceHorizontal(canvas, R.Left - 1, R.Top - 2, width, picture);
        break;
      }
    }
    switch (pos) {
    case tpLeft:
      tx -= 2;
      ty -= 3;
      break;
    case tpRight:
      tx -= TabHeight() / 3;
      ty -= 3;
      break;
    case tpBottom:
      ty += 3;
      break;
    case tpTop:
      break;
    }
  }

  // Margins.
  tx += FTabMargin.LeftMargin();
  if (pos == tpLeft) {
    ty -= FTabMargin.TopMargin();
    if (!FTabBackGroundActive.Empty()) ty += FTabOverlap + 3;
  } else {
    ty += FTabMargin.TopMargin();
  }

  if (skin && active && !FTabBackGroundActive.Empty()) {
    s.Postponed = page;
    s.PostponedRect = R;
    s.PostponedX = tx;
    s.PostponedY = ty;
    return;
  }
  PaintTabContents(canvas, s, page, R, tx, ty);
}

void TProPageControl::PaintTabContents(TCanvas& canvas, TPaintState& s, TProTabSheet* page, const TRect& r,
                                       int tx, int ty) {
  const TTabPosition pos = TabPosition();
  const bool side = pos == tpLeft || pos == tpRight;
  const bool active = page == FActivePage;
  const bool postponed = page == s.Postponed;

  if (page->ShowClose()) PaintCloseButton(canvas, page, csNormalClose, active ? FLowerActive : 0);

  if (FImages && page->ImageIndex() >= 0) {
    switch (pos) {
    case tpLeft:
      FImages->Draw(canvas, tx, ty - 14, page->ImageIndex(), true);
      ty -= FImages->Height();
      break;
    case tpRight:
      FImages->Draw(canvas, tx - 14, ty, page->ImageIndex(), true);
      ty += FImages->Height();
      break;
    default:
      FImages->Draw(canvas, tx - 2, ty, page->ImageIndex(), true);
      tx += FImages->Width();
      break;
    }
  }

  if (postponed) {
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(page->TextColor());
  } else if (active) {
    canvas.Font().Assign(FActiveFont);
    if (side) canvas.Font().SetColor(page->TextColor());
  } else {
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(page->TextColor());
  }
  if (!page->TabEnable()) canvas.Font().SetColor(DisabledText);

  canvas.Brush().SetStyle(bsClear);
  const std::string caption = page->Caption();
  if (side) {
    TextOutRotated(canvas, tx, ty, pos == tpLeft ? 900 : 2700, caption);
  } else {
    TRect textRect = TabRect(page->TabIndex());
    textRect.Left = tx;
    textRect.Top = postponed && pos == tpBottom ? ty - 2 : ty;
    DrawText(canvas, caption, textRect, DT_SINGLELINE | DT_NOCLIP);
  }
  canvas.Font().Assign(Font());

  if (active && FShowFocus && Focused()) {
    const int k = postponed ? FTabOverlap : 0;
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psDot);
    canvas.Brush().SetStyle(bsClear);
    if (side)
      canvas.Rectangle(r.Left + 5, r.Top + 3, r.Right - 5, r.Bottom - 3 - k);
    else
      canvas.Rectangle(r.Left + 5, r.Top + 3, r.Right - 5 - k, r.Bottom - 3);
    canvas.Pen().SetStyle(psSolid);
  }
}

void TProPageControl::PaintCloseButton(TCanvas& canvas, const TProTabSheet* page, TCloseState state,
                                       int lowerActive) {
  const TRect p = TabRect(page->TabIndex());
  const int lm = FTabMargin.LeftMargin(), tm = FTabMargin.TopMargin();
  int x0 = p.Left + lm, y0 = p.Top + tm;
  switch (TabPosition()) {
  case tpLeft: {
    const int c = p.Bottom - tm + (FTabBackGroundActive.Empty() ? 0 : FTabOverlap);
    x0 = p.Left + lm + lowerActive;
    y0 = c - 15;
    break;
  }
  case tpRight:
    x0 = state == csHotClose ? p.Left + lm : p.Left + lm - lowerActive + 2;
    break;
  default:
    y0 += lowerActive;
    break;
  }
  if (!FCloseGlyph.Empty()) {
    const int w = std::min(12, FCloseGlyph.Width()), h = std::min(11, FCloseGlyph.Height());
    TransparentBlt(canvas, x0 + 2, y0 + 2, w, h, FCloseGlyph.Canvas(), 0, 0, w, h,
                   LowerLeftColor(FCloseGlyph));
    return;
  }
  const TColor box = state == csPressedClose ? CloseDown : clWhite;
  const TColor frame = state == csNormalClose ? CloseGrey : clBlack;
  const TColor cross = state == csHotClose ? CloseGrey : clBlack;
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(frame);
  canvas.Brush().SetColor(box);
  canvas.Rectangle(x0 + 2, y0 + 2, x0 + 14, y0 + 13);
  // The cross is its own mirror image, so left tabs draw the same lines.
  canvas.Pen().SetColor(cross);
  Line(canvas, x0 + 5, y0 + 5, x0 + 11, y0 + 10);
  Line(canvas, x0 + 6, y0 + 5, x0 + 10, y0 + 10);
  Line(canvas, x0 + 5, y0 + 9, x0 + 11, y0 + 4);
  Line(canvas, x0 + 6, y0 + 9, x0 + 10, y0 + 4);
}

TRect TProPageControl::CloseButtonHitRect(const TProTabSheet* page) const {
  if (!page || !page->ShowClose() || !page->FTabShowing || page->FProPageControl != this) return {};
  const TRect p = TabRect(page->TabIndex());
  const int lm = FTabMargin.LeftMargin(), tm = FTabMargin.TopMargin();
  if (TabPosition() == tpLeft) {
    const bool activeSkin = !FTabBackGroundActive.Empty();
    const int left = p.Left + lm + 2 + (activeSkin ? 2 : 0);
    const int c = p.Bottom - tm + (activeSkin ? FTabOverlap : 0);
    return {left, c - 13, left + 12, c - 2};
  }
  return {p.Left + lm + 2, p.Top + tm + 2, p.Left + lm + 14, p.Top + tm + 13};
}
