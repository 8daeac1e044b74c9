#include "controls/AsgHTMLEDraw.h"

#include "controls/AsgHTMLEObjects.h"
#include "controls/AsgHTMLEParse.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Bottom of a text run: the line's text bottom, raised for superscript, lowered for subscript.
int RunBottom(const THTMLLine& line, int textBottom, THTMLShift shift) {
  if (shift == THTMLShift::Super) return textBottom - line.SupRoom;
  if (shift == THTMLShift::Sub) return textBottom + line.SubRoom;
  return textBottom;
}

void SetBrush(TCanvas& canvas, TColor color) {
  if (color == clNone) {
    canvas.Brush().SetStyle(bsClear);
  } else {
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
  }
}

// A red zig-zag in steps of 2 pixels between bottom - 1 and bottom + 1.
void DrawErrorLine(TCanvas& canvas, int left, int right, int bottom) {
  int x = left >= 0 ? left & ~1 : -((-left + 1) & ~1);
  bool low = ((x % 4) + 4) % 4 == 0;
  std::vector<TPoint> points;
  for (; x <= right; x += 2, low = !low)
    points.push_back({x, low ? bottom + 1 : bottom - 1});
  if (points.size() < 2) return;
  canvas.Pen().SetColor(clRed);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(psSolid);
  canvas.Polyline(points);
}

void DrawRun(THTMLDrawContext& ctx, const THTMLTextOp& op, int x, int bottom, int height) {
  TCanvas& canvas = ctx.Canvas;
  unsigned flags = ctx.TextFlags & ~DT_END_ELLIPSIS;
  if (op.EllipsisRoom > 0) flags |= DT_END_ELLIPSIS;
  const int right = op.EllipsisRoom > 0 ? x + op.EllipsisRoom : ctx.Rect.Right;
  canvas.Font().Assign(op.Font);
  if (op.Angle != 0) {
    // Turned around the top-left corner of its cell, as a turned font is.
    SetBrush(canvas, op.Background);
    TextOutRotated(canvas, x, bottom - height, op.Angle * 10, VisibleRunText(op.Text));
    return;
  }
  if (op.Shadow && ctx.Params.ShadowColor != clNone) {
    const int d = ctx.Params.ShadowOffset;
    canvas.Font().SetColor(ctx.Params.ShadowColor);
    SetBrush(canvas, clNone);
    TRect r = Rect(x + d, bottom - height + d, right + d, bottom + d);
    canvas.DrawText(op.Text, r, flags);
    canvas.Font().SetColor(op.Font.Color());
  }
  SetBrush(canvas, op.Background);
  TRect r = Rect(x, bottom - height, right, bottom);
  canvas.DrawText(op.Text, r, flags);
}

// The horizontal span of an anchor's steps on the line; empty when it has none there.
std::pair<int, int> AnchorSpan(const THTMLLine& line, int anchor) {
  int from = INT_MAX, to = INT_MIN;
  for (const THTMLOp& op : line.Ops)
    if (op.Anchor == anchor) {
      from = std::min(from, op.X);
      to = std::max(to, op.X + op.Width);
    }
  return {from, to};
}

} // namespace

int HTMLLineLeft(const THTMLLine& line, const TRect& rect) {
  int left = rect.Left + 1;
  if (line.Align == THTMLAlign::Right) {
    left = std::max(left, rect.Right - line.Width);
  } else if (line.Align == THTMLAlign::Center) {
    const int spare = (rect.Right - left - line.Width) / 2;
    if (spare > 0) left += spare;
  }
  return left + line.Indent;
}

void DrawHTMLLine(THTMLDrawContext& ctx, const THTMLLine& line) {
  TCanvas& canvas = ctx.Canvas;
  const THTMLDrawParams& params = ctx.Params;
  THTMLDrawResult& result = ctx.Result;
  const int left = HTMLLineLeft(line, ctx.Rect);
  const int top = ctx.Rect.Top + line.Top;
  const int bottom = top + line.Height();
  const int objectBottom = bottom - line.SubRoom;
  const int textBottom = objectBottom - line.TextRaise;
  const TPoint point{params.X, params.Y};
  const bool hasPoint = params.X != -1 || params.Y != -1;
  int hitAnchor = 0;

  for (const THTMLOp& op : line.Ops) {
    const int x = left + op.X;
    if (const auto* text = std::get_if<THTMLTextOp>(&op.Item)) {
      const int b = RunBottom(line, textBottom, text->Shift);
      if (hasPoint && op.Anchor && Rect(x, b - op.Height, x + op.Width, b).Contains(point))
        hitAnchor = op.Anchor;
      if (ctx.Draw) {
        DrawRun(ctx, *text, x, b, op.Height);
        if (text->Error) DrawErrorLine(canvas, x, x + op.Width, b);
      }
    } else if (const auto* image = std::get_if<THTMLImageOp>(&op.Item)) {
      const TRect dest = Rect(x, objectBottom - op.Height, x + op.Width, objectBottom);
      if (hasPoint && op.Anchor && dest.Contains(point)) hitAnchor = op.Anchor;
      if (ctx.Draw) DrawHTMLImage(canvas, *image, dest, params, ctx.Background);
    } else if (const auto* control = std::get_if<THTMLControlOp>(&op.Item)) {
      const TRect area = Bounds(x, top, control->LayoutWidth, control->LayoutHeight);
      const bool over = hasPoint && area.Contains(point);
      // Hit-testing for a control's ID finds that control wherever the point lies.
      const bool wanted =
          over || (params.HitTestOnly && !params.ControlID.empty() && control->Tag.ID == params.ControlID);
      if (wanted) {
        ctx.Hit = true;
        result.AnchorHRef = "ctrl";
        result.ControlRect = area;
        result.ControlID = control->Tag.ID;
        result.ControlValue = control->Tag.Value;
        result.ControlType = control->Tag.Type;
      }
      if (ctx.Draw)
        DrawHTMLControl(canvas, params.Window, *control, x, bottom, line.Height(), over,
                        over && params.MouseDown);
    } else if (const auto* bullet = std::get_if<THTMLBulletOp>(&op.Item)) {
      if (ctx.Draw) {
        canvas.Font().Assign(bullet->Font);
        SetBrush(canvas, clNone);
        TRect r = Rect(x, textBottom - op.Height, ctx.Rect.Right, textBottom);
        canvas.DrawText(bullet->Text, r, ctx.TextFlags & ~DT_END_ELLIPSIS);
      }
    } else if (const auto* band = std::get_if<THTMLBandOp>(&op.Item)) {
      if (ctx.Draw && band->Color != clNone)
        FillRect(canvas, Rect(ctx.Rect.Left, top, ctx.Rect.Right, bottom), band->Color);
    } else if (const auto* body = std::get_if<THTMLBodyOp>(&op.Item)) {
      if (ctx.Draw) DrawHTMLBody(canvas, *body, ctx.Rect);
    } else if (std::holds_alternative<THTMLRuleOp>(op.Item)) {
      if (ctx.Draw) {
        canvas.Pen().SetColor(clBlack);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetStyle(psSolid);
        canvas.MoveTo(ctx.Rect.Left, bottom);
        canvas.LineTo(ctx.Rect.Right, bottom);
      }
    }
  }

  if (hitAnchor && hitAnchor <= static_cast<int>(ctx.Layout.Anchors.size())) {
    const THTMLAnchorInfo& anchor = ctx.Layout.Anchors[hitAnchor - 1];
    const auto [from, to] = AnchorSpan(line, hitAnchor);
    ctx.Hit = true;
    result.AnchorHRef = anchor.HRef;
    result.AnchorTitle = anchor.Title;
    result.MouseLink = hitAnchor;
    result.MouseRect = Rect(left + from, top, left + to, bottom);
  }

  if (ctx.Draw && params.FocusLink >= 0) {
    const int focused = params.FocusLink + 1;
    const auto [from, to] = AnchorSpan(line, focused);
    if (from < to) {
      int gh = 0;
      for (const THTMLOp& op : line.Ops)
        if (op.Anchor == focused) {
          gh = op.Height;
          break;
        }
      canvas.DrawFocusRect(Rect(left + from - 1, textBottom - gh, left + to + 1, textBottom));
    }
  }
}
