#include "GraphicsTestSupport.h"

#include <functional>

namespace {

class CanvasPixels : public GraphicsTest {};

PixelSet Frame(int l, int t, int r, int b) {
  PixelSet out;
  for (auto p : Area(l, t, r, b))
    if (p.first == l || p.first == r - 1 || p.second == t || p.second == b - 1) out.insert(p);
  return out;
}

PixelSet Union(PixelSet a, const PixelSet& b) {
  a.insert(b.begin(), b.end());
  return a;
}

struct ShapeCase {
  const char* Name;
  std::function<void(TCanvas&)> Draw;
  TColor Ink;
  PixelSet Expected; // every pixel of colour Ink, nothing else
};

// Pen red, brush blue, on a white 12 x 12 bitmap.
TEST_F(CanvasPixels, ShapesLeaveOutRightAndBottomEdges) {
  const std::vector<ShapeCase> cases = {
      {"horizontal line", [](TCanvas& c) { c.MoveTo(0, 0), c.LineTo(10, 0); }, clRed, Area(0, 0, 10, 1)},
      {"line drawn backwards", [](TCanvas& c) { c.MoveTo(9, 2), c.LineTo(0, 2); }, clRed, Area(1, 2, 10, 3)},
      {"vertical line", [](TCanvas& c) { c.MoveTo(3, 2), c.LineTo(3, 8); }, clRed, Area(3, 2, 4, 8)},
      {"diagonal line",
       [](TCanvas& c) { c.MoveTo(0, 0), c.LineTo(4, 4); },
       clRed,
       {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {"line to itself", [](TCanvas& c) { c.MoveTo(5, 5), c.LineTo(5, 5); }, clRed, {}},
      {"polyline",
       [](TCanvas& c) {
         c.Polyline({{0, 0}, {4, 0}, {4, 3}});
       },
       clRed,
       {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2}}},
      {"rectangle outline", [](TCanvas& c) { c.Rectangle(0, 0, 10, 5); }, clRed, Frame(0, 0, 10, 5)},
      {"rectangle inside", [](TCanvas& c) { c.Rectangle(0, 0, 10, 5); }, clBlue, Area(1, 1, 9, 4)},
      {"inverted rectangle", [](TCanvas& c) { c.Rectangle(10, 5, 0, 0); }, clRed, Frame(0, 0, 10, 5)},
      {"rectangle one pixel wide", [](TCanvas& c) { c.Rectangle(3, 0, 4, 4); }, clRed, Area(3, 0, 4, 4)},
      {"rectangle without pen fills one short",
       [](TCanvas& c) {
         c.Pen().SetStyle(psClear);
         c.Rectangle(0, 0, 10, 5);
       },
       clBlue, Area(0, 0, 9, 4)},
      {"rectangle with clear brush",
       [](TCanvas& c) {
         c.Brush().SetStyle(bsClear);
         c.Rectangle(2, 2, 6, 6);
       },
       clBlue,
       {}},
      {"wide pen stays inside",
       [](TCanvas& c) {
         c.Pen().SetWidth(2);
         c.Rectangle(0, 0, 8, 8);
       },
       clRed, Union(Frame(0, 0, 8, 8), Frame(1, 1, 7, 7))},
      {"fill rect", [](TCanvas& c) { c.FillRect(Rect(2, 2, 6, 5)); }, clBlue, Area(2, 2, 6, 5)},
      {"fill rect ignores the pen", [](TCanvas& c) { c.FillRect(Rect(2, 2, 6, 5)); }, clRed, {}},
      {"frame rect", [](TCanvas& c) { c.FrameRect(Rect(1, 1, 5, 4)); }, clBlue, Frame(1, 1, 5, 4)},
      {"fill color function", [](TCanvas& c) { FillRect(c, Rect(0, 0, 3, 3), clGreen); }, clGreen,
       Area(0, 0, 3, 3)},
      {"pixel", [](TCanvas& c) { c.SetPixels(4, 7, clGreen); }, clGreen, {{4, 7}}},
      {"pixel outside",
       [](TCanvas& c) { c.SetPixels(12, 0, clGreen), c.SetPixels(-1, 3, clGreen); },
       clGreen,
       {}},
      {"origin moves drawing",
       [](TCanvas& c) {
         c.SetWindowOrg({5, 5});
         c.FillRect(Rect(5, 5, 7, 7));
       },
       clBlue, Area(0, 0, 2, 2)},
      {"clip rect cuts fill",
       [](TCanvas& c) {
         IntersectClipRect(c, 2, 2, 5, 5);
         c.FillRect(Rect(0, 0, 12, 12));
       },
       clBlue, Area(2, 2, 5, 5)},
      {"excluded rect is spared",
       [](TCanvas& c) {
         ExcludeClipRect(c, 0, 0, 12, 10);
         c.FillRect(Rect(0, 0, 12, 12));
       },
       clBlue, Area(0, 10, 12, 12)},
      {"clip region of two parts",
       [](TCanvas& c) {
         TRegion r = CreateRectRgn(0, 0, 2, 2);
         r.Unite(CreateRectRgn(10, 10, 12, 12));
         SelectClipRgn(c, &r);
         c.FillRect(Rect(0, 0, 12, 12));
       },
       clBlue, Union(Area(0, 0, 2, 2), Area(10, 10, 12, 12))},
      {"clip also cuts pixels",
       [](TCanvas& c) {
         IntersectClipRect(c, 0, 0, 1, 1);
         c.SetPixels(3, 3, clBlue);
         c.SetPixels(0, 0, clBlue);
       },
       clBlue,
       {{0, 0}}},
      {"restored clip draws everywhere again",
       [](TCanvas& c) {
         int saved = SaveDC(c);
         IntersectClipRect(c, 0, 0, 1, 1);
         RestoreDC(c, saved);
         c.FillRect(Rect(0, 0, 3, 3));
       },
       clBlue, Area(0, 0, 3, 3)},
      {"empty clip draws nothing",
       [](TCanvas& c) {
         IntersectClipRect(c, 5, 5, 5, 5);
         c.FillRect(Rect(0, 0, 12, 12));
         c.Rectangle(0, 0, 12, 12);
       },
       clBlue,
       {}},
      {"degenerate rectangles draw nothing",
       [](TCanvas& c) {
         c.FillRect(Rect(5, 5, 5, 9));
         c.FillRect(Rect(6, 6, 2, 2));
         c.FrameRect(Rect(6, 6, 2, 2));
         c.Rectangle(3, 3, 3, 3);
         c.Ellipse(4, 4, 4, 9);
         c.RoundRect(1, 1, 1, 1, 4, 4);
         c.Polygon({});
         c.Polygon({{1, 1}});
         c.Polyline({});
       },
       clBlue,
       {}},
  };
  for (const ShapeCase& k : cases) {
    SCOPED_TRACE(k.Name);
    TBitmap b(12, 12);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clBlue);
    k.Draw(c);
    EXPECT_EQ(PixelsOf(b, k.Ink), k.Expected) << Sketch(b);
  }
}

TEST_F(CanvasPixels, RoundShapesStayInTheirBox) {
  const std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> cases = {
      {"ellipse", [](TCanvas& c) { c.Ellipse(2, 3, 12, 9); }},
      {"inverted ellipse", [](TCanvas& c) { c.Ellipse(12, 9, 2, 3); }},
      {"round rect", [](TCanvas& c) { c.RoundRect(2, 3, 12, 9, 4, 4); }},
      {"polygon",
       [](TCanvas& c) {
         c.Polygon({{2, 3}, {11, 3}, {11, 8}, {2, 8}});
       }},
  };
  for (const auto& [name, draw] : cases) {
    SCOPED_TRACE(name);
    TBitmap b(16, 16);
    b.Canvas().Pen().SetColor(clRed);
    b.Canvas().Brush().SetColor(clBlue);
    draw(b.Canvas());
    EXPECT_EQ(InkBounds(b), Rect(2, 3, 12, 9)) << Sketch(b);
    EXPECT_FALSE(PixelsOf(b, clBlue).empty()) << "filled with the brush";
  }
}

TEST_F(CanvasPixels, StyledPenFillsGapsOnlyWhenOpaque) {
  for (bool opaque : {true, false}) {
    SCOPED_TRACE(opaque ? "opaque" : "transparent");
    TBitmap b(20, 1);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clYellow);
    if (!opaque) SetBkMode(c, TRANSPARENT);
    c.Pen().SetStyle(psDot);
    c.MoveTo(0, 0);
    c.LineTo(20, 0);
    // Dots of three pixels with gaps of three: x 0-2, 6-8, 12-14, 18-19.
    EXPECT_EQ(PixelsOf(b, clBlack),
              Union(Union(Area(0, 0, 3, 1), Area(6, 0, 9, 1)), Union(Area(12, 0, 15, 1), Area(18, 0, 20, 1))))
        << Sketch(b);
    EXPECT_EQ(PixelsOf(b, clYellow).size(), opaque ? 9u : 0u) << "gaps in the background colour";
  }
}

TEST_F(CanvasPixels, InvertingDrawsUndoThemselves) {
  const std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> cases = {
      {"focus rect", [](TCanvas& c) { c.DrawFocusRect(Rect(1, 1, 9, 7)); }},
      {"xor pen line",
       [](TCanvas& c) {
         c.Pen().SetMode(pmXor);
         c.Pen().SetColor(clRed);
         c.MoveTo(0, 3);
         c.LineTo(10, 3);
       }},
      {"not pen rectangle",
       [](TCanvas& c) {
         c.Pen().SetMode(pmNot);
         c.Brush().SetStyle(bsClear);
         c.Rectangle(1, 1, 8, 8);
       }},
      {"invert rect", [](TCanvas& c) { InvertRect(c, Rect(2, 2, 5, 5)); }},
  };
  for (const auto& [name, draw] : cases) {
    SCOPED_TRACE(name);
    TBitmap b(10, 8);
    b.Canvas().Brush().SetColor(RGB(10, 200, 90));
    b.Canvas().FillRect(Rect(0, 0, 10, 8));
    const TBitmap before = b;
    draw(b.Canvas());
    EXPECT_FALSE(SamePixels(b, before)) << "first call changes the picture";
    draw(b.Canvas());
    EXPECT_TRUE(SamePixels(b, before)) << Sketch(b, RGB(10, 200, 90));
  }
}

TEST_F(CanvasPixels, FocusRectIsDotted) {
  TBitmap b(8, 1);
  b.Canvas().DrawFocusRect(Rect(0, 0, 8, 1));
  EXPECT_EQ(PixelsOf(b, clBlack), PixelSet({{0, 0}, {2, 0}, {4, 0}, {6, 0}}));
}

TEST_F(CanvasPixels, PixelsReadBackAndOutsideIsNone) {
  TBitmap b(4, 4);
  b.Canvas().SetPixels(1, 2, RGB(1, 2, 3));
  EXPECT_EQ(b.Canvas().Pixels(1, 2), RGB(1, 2, 3));
  EXPECT_EQ(b.Canvas().Pixels(0, 0), clWhite);
  EXPECT_EQ(b.Canvas().Pixels(4, 0), clNone);
  EXPECT_EQ(b.Canvas().Pixels(0, -1), clNone);
  b.Canvas().SetPixels(0, 0, clBtnFace);
  EXPECT_EQ(b.Canvas().Pixels(0, 0), ColorToRGB(clBtnFace)) << "system colours resolve";
}

TEST_F(CanvasPixels, ClipRectAndRegionKinds) {
  TBitmap b(20, 10);
  TCanvas& c = b.Canvas();
  EXPECT_EQ(c.ClipRect(), Rect(0, 0, 20, 10));
  EXPECT_EQ(IntersectClipRect(c, 5, 2, 30, 8), SIMPLEREGION);
  EXPECT_EQ(c.ClipRect(), Rect(5, 2, 20, 8));
  EXPECT_EQ(ExcludeClipRect(c, 8, 0, 10, 10), COMPLEXREGION);
  EXPECT_EQ(IntersectClipRect(c, 0, 0, 1, 1), NULLREGION);
  EXPECT_EQ(c.ClipRect(), TRect{});
  EXPECT_EQ(SelectClipRgn(c, nullptr), SIMPLEREGION);
  EXPECT_EQ(c.ClipRect(), Rect(0, 0, 20, 10));
  c.SetWindowOrg({3, 4});
  EXPECT_EQ(c.ClipRect(), Rect(3, 4, 23, 14)) << "clip box in logical coordinates";
}

TEST_F(CanvasPixels, SaveAndRestoreStates) {
  TBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clRed);
  const int first = c.SaveDC();
  c.Pen().SetColor(clBlue);
  c.Font().SetHeight(-20);
  c.SetWindowOrg({1, 1});
  const int second = c.SaveDC();
  c.Pen().SetColor(clGreen);
  EXPECT_EQ(second, first + 1);
  EXPECT_TRUE(c.RestoreDC(-1));
  EXPECT_EQ(c.Pen().Color(), clBlue);
  EXPECT_TRUE(c.RestoreDC(first));
  EXPECT_EQ(c.Pen().Color(), clRed);
  EXPECT_EQ(c.Font().Height(), -11);
  EXPECT_EQ(c.WindowOrg(), TPoint{});
  EXPECT_FALSE(c.RestoreDC(second)) << "dropped with the earlier state";
  EXPECT_FALSE(c.RestoreDC(0));
}

TEST_F(CanvasPixels, BackgroundModeFollowsTheBrush) {
  TCanvas c;
  EXPECT_EQ(c.BkMode(), OPAQUE);
  c.SetBkMode(TRANSPARENT);
  EXPECT_EQ(c.BkMode(), TRANSPARENT);
  c.Brush().SetColor(clRed);
  EXPECT_EQ(c.BkMode(), OPAQUE) << "selecting a solid brush makes text opaque again";
  EXPECT_EQ(c.BkColor(), clRed);
  c.Brush().SetStyle(bsClear);
  EXPECT_EQ(c.BkMode(), TRANSPARENT);
  c.Brush().SetColor(clBlue);
  EXPECT_EQ(c.Brush().Style(), bsSolid) << "a colour asked for makes a clear brush solid";
}

// Strokes coming from far outside the surface (once a walk over every pixel of them) draw what
// the same stroke started near the surface draws, pen pattern included.
TEST_F(CanvasPixels, StrokesFromFarOutsideDrawWhatShows) {
  struct Case {
    const char* Name;
    std::function<void(TCanvas&)> Far, Near;
  };
  const int big = 1 << 30;
  const std::vector<Case> cases = {
      {"shallow line", [](TCanvas& c) { c.MoveTo(-3000000, -1000000), c.LineTo(30, 10); },
       [](TCanvas& c) { c.MoveTo(-30, -10), c.LineTo(30, 10); }},
      {"dotted line keeps its phase", // 2^20 and 4 leave the same remainder in the dot cycle of 6
       [](TCanvas& c) {
         c.Pen().SetStyle(psDot);
         c.MoveTo(-(1 << 20), 5), c.LineTo(20, 5);
       },
       [](TCanvas& c) {
         c.Pen().SetStyle(psDot);
         c.MoveTo(-4, 5), c.LineTo(20, 5);
       }},
      {"line across the whole range", [big](TCanvas& c) { c.MoveTo(-big, 3), c.LineTo(big, 3); },
       [](TCanvas& c) { c.MoveTo(-1, 3), c.LineTo(21, 3); }},
      {"diagonal across the whole range", [big](TCanvas& c) { c.MoveTo(-big, -big), c.LineTo(big, big); },
       [](TCanvas& c) { c.MoveTo(-1, -1), c.LineTo(21, 21); }},
      {"rectangle larger than any surface", [big](TCanvas& c) { c.Rectangle(-big / 2, 2, big / 2, 8); },
       [](TCanvas& c) { c.Rectangle(-2, 2, 22, 8); }},
      {"focus rectangle larger than any surface",
       [big](TCanvas& c) { c.DrawFocusRect(Rect(-big, -big, 10, 10)); },
       [](TCanvas& c) { c.DrawFocusRect(Rect(-2, -2, 10, 10)); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    TBitmap far = White(20, 20), near = White(20, 20);
    for (TBitmap* b : {&far, &near})
      b->Canvas().Pen().SetColor(clRed);
    k.Far(far.Canvas());
    k.Near(near.Canvas());
    EXPECT_TRUE(SamePixels(far, near)) << Sketch(far) << "\n" << Sketch(near);
    EXPECT_FALSE(PixelsOf(near, clRed).empty() && PixelsOf(near, clBlack).empty());
  }
}

TEST_F(CanvasPixels, UnboundCanvasIgnoresDrawing) {
  TCanvas c;
  EXPECT_FALSE(c.HandleAllocated());
  c.MoveTo(0, 0);
  c.LineTo(5, 5);
  c.Rectangle(0, 0, 5, 5);
  c.FillRect(Rect(0, 0, 5, 5));
  c.TextOut(0, 0, "text");
  c.DrawFocusRect(Rect(0, 0, 5, 5));
  TRect r = Rect(0, 0, 50, 50);
  c.DrawText("text", r, DT_WORDBREAK);
  TRect e = Rect(0, 0, 10, 10);
  EXPECT_TRUE(DrawEdge(c, e, EDGE_RAISED, BF_RECT | BF_ADJUST));
  EXPECT_EQ(e, Rect(2, 2, 8, 8)) << "adjusting still works";
  EXPECT_EQ(c.Pixels(0, 0), clNone);
  EXPECT_EQ(c.PenPos(), (TPoint{c.TextWidth("text"), 0}));
  EXPECT_GT(c.TextWidth("text"), 0) << "measuring works without a surface";
}

TEST_F(CanvasPixels, EmptyBitmapCanvasIsSafe) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.Canvas().FillRect(Rect(0, 0, 10, 10));
  b.Canvas().TextOut(0, 0, "x");
  b.SetSize(-3, 5);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
  b.Canvas().Rectangle(0, 0, 4, 4);
  EXPECT_EQ(b.Canvas().Pixels(0, 0), clNone);
}

} // namespace
