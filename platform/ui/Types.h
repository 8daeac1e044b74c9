// Geometry of the user interface: points, sizes and rectangles with exclusive right and bottom edges.
#pragma once

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const TSize&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;  // exclusive
  int Bottom = 0; // exclusive
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
inline void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Top -= dy;
  r.Right += dx;
  r.Bottom += dy;
}
inline void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}
inline bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }
// False with an empty result when they do not overlap.
inline bool IntersectRect(TRect& out, const TRect& a, const TRect& b) {
  out = {a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
         a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (out.IsEmpty()) {
    out = {};
    return false;
  }
  return true;
}
