// Classic 3-D drawing: DrawEdge and DrawFrameControl.
#include "platform/ui/GraphicsImpl.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

void Fill(QPainter& p, const TRect& r, TColor color) {
  if (!r.IsEmpty()) p.fillRect(ToQRect(r), QColor(ToQRgb(color)));
}

// One border line pair: top and left in one colour, bottom and right in the other; the corner
// pixels at the upper right and lower left belong to the bottom-right colour.
void Border(QPainter& p, const TRect& r, unsigned sides, TColor topLeft, TColor bottomRight) {
  if (r.IsEmpty()) return;
  // Without the opposite side a top or left line runs to the end.
  if (sides & BF_TOP) Fill(p, {r.Left, r.Top, r.Right - ((sides & BF_RIGHT) ? 1 : 0), r.Top + 1}, topLeft);
  if (sides & BF_LEFT)
    Fill(p, {r.Left, r.Top, r.Left + 1, r.Bottom - ((sides & BF_BOTTOM) ? 1 : 0)}, topLeft);
  if (sides & BF_BOTTOM) Fill(p, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
  if (sides & BF_RIGHT) Fill(p, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

struct TEdgeColors {
  TColor TopLeft, BottomRight;
};

// Colours of the outer and inner borders for the edge bits.
std::optional<TEdgeColors> OuterColors(unsigned edge, unsigned flags) {
  if (flags & BF_MONO)
    return (edge & BDR_OUTER) ? std::optional(TEdgeColors{clWindowFrame, clWindowFrame}) : std::nullopt;
  if (flags & BF_FLAT)
    return (edge & BDR_OUTER) ? std::optional(TEdgeColors{clBtnShadow, clBtnShadow}) : std::nullopt;
  const bool soft = (flags & BF_SOFT) != 0;
  if (edge & BDR_RAISEDOUTER) return TEdgeColors{soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
  if (edge & BDR_SUNKENOUTER) return TEdgeColors{soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
  return std::nullopt;
}

std::optional<TEdgeColors> InnerColors(unsigned edge, unsigned flags) {
  if (flags & BF_MONO)
    return (edge & BDR_INNER) ? std::optional(TEdgeColors{clWindow, clWindow}) : std::nullopt;
  if (flags & BF_FLAT)
    return (edge & BDR_INNER) ? std::optional(TEdgeColors{clBtnFace, clBtnFace}) : std::nullopt;
  const bool soft = (flags & BF_SOFT) != 0;
  if (edge & BDR_RAISEDINNER) return TEdgeColors{soft ? cl3DLight : clBtnHighlight, clBtnShadow};
  if (edge & BDR_SUNKENINNER) return TEdgeColors{soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
  return std::nullopt;
}

void Shrink(TRect& r, unsigned sides) {
  if (sides & BF_LEFT) ++r.Left;
  if (sides & BF_TOP) ++r.Top;
  if (sides & BF_RIGHT) --r.Right;
  if (sides & BF_BOTTOM) --r.Bottom;
}

void DiagonalEdge(QPainter& p, const TRect& r, unsigned flags, const std::optional<TEdgeColors>& outer) {
  if (!outer || r.IsEmpty()) return;
  // A one-pixel diagonal from corner to corner: the sides named choose the corners.
  const bool down =
      (flags & (BF_TOP | BF_LEFT)) == BF_TOPLEFT || (flags & (BF_BOTTOM | BF_RIGHT)) == BF_BOTTOMRIGHT;
  const int n = std::min(r.Width(), r.Height());
  p.setPen(QPen(QColor(ToQRgb((flags & BF_BOTTOM) ? outer->BottomRight : outer->TopLeft)), 0));
  for (int i = 0; i < n; ++i)
    p.drawPoint(r.Left + i, down ? r.Top + i : r.Bottom - 1 - i);
}

} // namespace

bool DrawEdge(TCanvas& canvas, TRect& r, unsigned edge, unsigned flags) {
  if ((edge & ~0xFu) != 0) return false;
  QPainter* p = canvas.impl().Painter();
  const auto outer = OuterColors(edge, flags), inner = InnerColors(edge, flags);
  const unsigned sides = flags & BF_RECT;
  TRect work = r;
  if (p) p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (flags & BF_DIAGONAL) {
    if (p) DiagonalEdge(*p, work, flags, outer);
    return true;
  }
  if (outer) {
    if (p) Border(*p, work, sides, outer->TopLeft, outer->BottomRight);
    Shrink(work, sides);
  }
  if (inner) {
    if (p) Border(*p, work, sides, inner->TopLeft, inner->BottomRight);
    Shrink(work, sides);
  }
  if ((flags & BF_MIDDLE) && p) Fill(*p, work, (flags & BF_MONO) ? clWindow : clBtnFace);
  if (flags & BF_ADJUST) r = work;
  return true;
}

namespace {

QColor Q(TColor c) {
  return QColor(ToQRgb(c));
}

// The largest centred square in r.
TRect Square(const TRect& r, int limit = 0) {
  int side = std::min(r.Width(), r.Height());
  if (limit > 0) side = std::min(side, limit);
  const int l = r.Left + (r.Width() - side) / 2, t = r.Top + (r.Height() - side) / 2;
  return {l, t, l + side, t + side};
}

void CheckMark(QPainter& p, const TRect& box, TColor color) {
  // A tick scaled to the box: down-stroke from 1/4 to 3/7, up-stroke to 3/4.
  const int w = box.Width();
  if (w < 5) return;
  const double s = w / 13.0;
  QPolygonF tick;
  tick << QPointF(box.Left + 3 * s, box.Top + 5.5 * s) << QPointF(box.Left + 5.5 * s, box.Top + 8 * s)
       << QPointF(box.Left + 10 * s, box.Top + 3.5 * s);
  QPen pen(Q(color), std::max(1.0, std::round(2 * s)), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(tick);
}

void Arrow(QPainter& p, const TRect& r, int direction, TColor color) {
  // direction: 0 up, 1 down, 2 left, 3 right
  const int size = std::max(1, std::min(r.Width(), r.Height()) / 3);
  const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
  p.setPen(Qt::NoPen);
  p.setBrush(Q(color));
  QPolygon tri;
  const int half = (size + 1) / 2;
  switch (direction) {
  case 0:
    tri << QPoint(cx - size, cy + half - 1) << QPoint(cx + size, cy + half - 1) << QPoint(cx, cy - half);
    break;
  case 1:
    tri << QPoint(cx - size, cy - half) << QPoint(cx + size, cy - half) << QPoint(cx, cy + half);
    break;
  case 2:
    tri << QPoint(cx + half - 1, cy - size) << QPoint(cx + half - 1, cy + size) << QPoint(cx - half, cy);
    break;
  default:
    tri << QPoint(cx - half, cy - size) << QPoint(cx - half, cy + size) << QPoint(cx + half, cy);
    break;
  }
  p.drawPolygon(tri);
}

void ButtonFace(TCanvas& canvas, TRect& r, unsigned state) {
  unsigned edge = (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED;
  unsigned flags = BF_RECT | BF_MIDDLE | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0) |
                   ((state & DFCS_MONO) ? BF_MONO : 0);
  if ((state & DFCS_FLAT) && !(state & DFCS_PUSHED)) edge = BDR_OUTER;
  DrawEdge(canvas, r, edge, flags);
}

void CheckBox(TCanvas& canvas, QPainter& p, const TRect& r, unsigned state) {
  TRect box = Square(r, 13);
  const bool inactive = (state & DFCS_INACTIVE) != 0, pushed = (state & DFCS_PUSHED) != 0;
  TRect inside = box;
  if (state & (DFCS_FLAT | DFCS_MONO)) {
    Border(p, box, BF_RECT, (state & DFCS_MONO) ? clWindowFrame : clBtnShadow,
           (state & DFCS_MONO) ? clWindowFrame : clBtnShadow);
    Shrink(inside, BF_RECT);
  } else {
    DrawEdge(canvas, inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  const bool grey = inactive || pushed || (state & DFCS_BUTTON3STATE && state & DFCS_CHECKED);
  if (!(state & DFCS_TRANSPARENT)) Fill(p, inside, grey ? clBtnFace : clWindow);
  if (state & DFCS_CHECKED)
    CheckMark(p, box, (inactive || (state & DFCS_BUTTON3STATE)) ? clBtnShadow : clWindowText);
}

void RadioButton(QPainter& p, const TRect& r, unsigned state) {
  const TRect box = Square(r, 12);
  if (box.IsEmpty()) return;
  const bool inactive = (state & DFCS_INACTIVE) != 0, pushed = (state & DFCS_PUSHED) != 0;
  const QRectF outer(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
  p.setPen(Qt::NoPen);
  if ((state & 0xF) == DFCS_BUTTONRADIOMASK) { // the mask: black disc on white
    p.fillRect(ToQRect(box), Qt::white);
    p.setBrush(Qt::black);
    p.drawEllipse(outer);
    return;
  }
  if (state & (DFCS_FLAT | DFCS_MONO)) {
    p.setPen(QPen(Q((state & DFCS_MONO) ? clWindowFrame : clBtnShadow), 0));
    p.setBrush(Q(inactive || pushed ? clBtnFace : clWindow));
    p.drawEllipse(outer);
  } else {
    // Sunken ring: dark upper left, light lower right.
    p.setBrush(Q(clBtnHighlight));
    p.drawEllipse(outer);
    p.setBrush(Q(clBtnShadow));
    p.drawPie(outer, 45 * 16, 180 * 16);
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    p.setBrush(Q(cl3DLight));
    p.drawEllipse(inner);
    p.setBrush(Q(cl3DDkShadow));
    p.drawPie(inner, 45 * 16, 180 * 16);
    p.setBrush(Q(inactive || pushed ? clBtnFace : clWindow));
    p.drawEllipse(inner.adjusted(1, 1, -1, -1));
  }
  if (state & DFCS_CHECKED) {
    const double d = std::max(2.0, box.Width() / 3.0);
    const QPointF c(box.Left + (box.Width() - 1) / 2.0, box.Top + (box.Height() - 1) / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Q(inactive ? clBtnShadow : clWindowText));
    p.drawEllipse(QRectF(c.x() - d / 2, c.y() - d / 2, d, d));
  }
}

void CaptionGlyph(QPainter& p, const TRect& r, unsigned part, TColor color) {
  const int s = std::max(2, std::min(r.Width(), r.Height()) / 2);
  const int l = r.Left + (r.Width() - s) / 2, t = r.Top + (r.Height() - s) / 2;
  const QColor c = Q(color);
  switch (part) {
  case DFCS_CAPTIONCLOSE:
    p.setPen(QPen(c, 0));
    for (int i = 0; i < s; ++i) {
      p.drawPoint(l + i, t + i);
      p.drawPoint(l + s - 1 - i, t + i);
      if (i + 1 < s) {
        p.drawPoint(l + i + 1, t + i);
        p.drawPoint(l + s - 2 - i, t + i);
      }
    }
    break;
  case DFCS_CAPTIONMIN:
    p.fillRect(QRect(l, t + s - 2, s, 2), c);
    break;
  case DFCS_CAPTIONMAX:
    p.fillRect(QRect(l, t, s, 2), c);
    p.fillRect(QRect(l, t, 1, s), c);
    p.fillRect(QRect(l + s - 1, t, 1, s), c);
    p.fillRect(QRect(l, t + s - 1, s, 1), c);
    break;
  case DFCS_CAPTIONRESTORE: {
    const int h = std::max(2, s * 2 / 3);
    p.fillRect(QRect(l + s - h, t, h, 2), c);
    p.fillRect(QRect(l + s - 1, t, 1, h), c);
    p.fillRect(QRect(l, t + s - h, h, 2), c);
    p.fillRect(QRect(l, t + s - h, 1, h), c);
    p.fillRect(QRect(l + h - 1, t + s - h, 1, h), c);
    p.fillRect(QRect(l, t + s - 1, h, 1), c);
    break;
  }
  case DFCS_CAPTIONHELP: {
    // A question mark from small strokes.
    const int u = std::max(1, s / 6);
    p.fillRect(QRect(l + u, t, s - 2 * u, u), c);
    p.fillRect(QRect(l + s - 2 * u, t, u, 2 * u + u), c);
    p.fillRect(QRect(l + s / 2 - u / 2, t + 3 * u, u, 2 * u), c);
    p.fillRect(QRect(l + s / 2 - u / 2, t + s - u, u, u), c);
    break;
  }
  default:
    break;
  }
}

} // namespace

bool DrawFrameControl(TCanvas& canvas, TRect& r, unsigned type, unsigned state) {
  QPainter* p = canvas.impl().Painter();
  if (type < DFC_CAPTION || type > DFC_POPUPMENU) return false;
  if (!p || r.IsEmpty()) return true;
  p->save();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->setRenderHint(QPainter::Antialiasing, false);
  const bool inactive = (state & DFCS_INACTIVE) != 0;
  const unsigned part = state & 0xFF;
  switch (type) {
  case DFC_BUTTON:
    if (part & DFCS_BUTTONPUSH) {
      TRect face = r;
      ButtonFace(canvas, face, state);
      if (state & DFCS_ADJUSTRECT) r = face;
    } else if (part & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
      RadioButton(*p, r, (state & ~0xFu) | ((part & DFCS_BUTTONRADIOMASK) ? DFCS_BUTTONRADIOMASK : 0));
    } else {
      CheckBox(canvas, *p, r, state);
    }
    break;
  case DFC_SCROLL: {
    TRect face = r;
    if (part == DFCS_SCROLLSIZEGRIP || part == DFCS_SCROLLSIZEGRIPRIGHT) {
      if (!(state & DFCS_TRANSPARENT)) Fill(*p, r, clBtnFace);
      for (int i = 0; i < 3; ++i) {
        const int off = 3 + i * 4;
        for (int k = 0; k < 2; ++k) {
          p->setPen(QPen(Q(k == 0 ? clBtnHighlight : clBtnShadow), 0));
          p->drawLine(r.Right - off - 2 + k, r.Bottom - 1, r.Right - 1, r.Bottom - off - 2 + k);
        }
      }
      break;
    }
    ButtonFace(canvas, face, state);
    int direction = 1;
    if (part == DFCS_SCROLLUP)
      direction = 0;
    else if (part == DFCS_SCROLLLEFT)
      direction = 2;
    else if (part == DFCS_SCROLLRIGHT)
      direction = 3;
    if (state & DFCS_PUSHED) OffsetRect(face, 1, 1);
    if (inactive) {
      TRect shadow = face;
      OffsetRect(shadow, 1, 1);
      Arrow(*p, shadow, direction, clBtnHighlight);
      Arrow(*p, face, direction, clBtnShadow);
    } else {
      Arrow(*p, face, direction, clBtnText);
    }
    break;
  }
  case DFC_CAPTION: {
    TRect face = r;
    ButtonFace(canvas, face, state);
    if (state & DFCS_PUSHED) OffsetRect(face, 1, 1);
    CaptionGlyph(*p, face, part, inactive ? clBtnShadow : clBtnText);
    break;
  }
  case DFC_MENU:
  case DFC_POPUPMENU: {
    const TColor color = inactive ? clGrayText : clMenuText;
    if (part == DFCS_MENUCHECK) {
      CheckMark(*p, Square(r), color);
    } else if (part == DFCS_MENUBULLET) {
      const TRect s = Square(r);
      const double d = std::max(2.0, s.Width() / 3.0);
      p->setPen(Qt::NoPen);
      p->setBrush(Q(color));
      p->drawEllipse(QRectF(s.Left + (s.Width() - d) / 2, s.Top + (s.Height() - d) / 2, d, d));
    } else {
      Arrow(*p, r, part == DFCS_MENUARROWRIGHT ? 2 : 3, color);
    }
    break;
  }
  default:
    break;
  }
  p->restore();
  return true;
}
