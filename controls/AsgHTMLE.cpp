#include "controls/AsgHTMLE.h"

#include "controls/AsgHTMLEDraw.h"
#include "controls/AsgHTMLELayout.h"
#include "controls/ProStyleIF.h"

namespace {

bool& WinXPOrLater() {
  static bool flag = RunsOnXPOrLater();
  return flag;
}

} // namespace

bool SysLocaleRightToLeft() {
  return false;
}

unsigned BiDiDrawTextFlags(unsigned flags, int bidiMode, bool rightToLeftLocale) {
  if (!rightToLeftLocale || bidiMode == 0) return flags;
  if (bidiMode == 1) {
    if (flags & DT_RIGHT)
      flags &= ~DT_RIGHT;
    else if (!(flags & DT_CENTER))
      flags |= DT_RIGHT;
  }
  return flags | DT_RTLREADING;
}

bool CheckWinXPOrLater() {
  WinXPOrLater() = RunsOnXPOrLater();
  return WinXPOrLater();
}

bool HTMLWinXPOrLater() {
  return WinXPOrLater();
}

bool HTMLThemedControls() {
  return HTMLWinXPOrLater() && IsThemeActive();
}

bool DrawHTML(TCanvas& canvas, std::string_view text, const TRect& rect, const THTMLDrawParams& params,
              THTMLDrawResult& result) {
  result = THTMLDrawResult{};
  const TFont savedFont(canvas.Font());
  TPen savedPen;
  savedPen.Assign(canvas.Pen());
  TBrush savedBrush;
  savedBrush.Assign(canvas.Brush());
  const TColor background = canvas.Brush().Color();

  unsigned flags =
      BiDiDrawTextFlags(DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING, params.BiDiMode);
  if (!params.WordWrap) flags |= DT_END_ELLIPSIS;
  canvas.Brush().SetStyle(bsClear);

  const THTMLLayout layout = LayoutHTML(canvas, text, rect, params, flags, background);
  result.StrippedText = layout.StrippedText;
  result.XSize = layout.Width;
  result.YSize = layout.Height > 0 ? layout.Height : MeasureHTMLRun(canvas, savedFont, "gh", flags).cy;
  result.HyperLinks = static_cast<int>(layout.Anchors.size());
  if (params.FocusLink >= 0 && params.FocusLink < result.HyperLinks)
    result.FocusAnchor = layout.Anchors[params.FocusLink].HRef;

  THTMLDrawContext ctx{
      canvas, rect, params, layout, flags, background, !params.MeasureOnly && !params.HitTestOnly, result};
  for (const THTMLLine& line : layout.Lines)
    DrawHTMLLine(ctx, line);

  canvas.Font().Assign(savedFont);
  canvas.Pen().Assign(savedPen);
  canvas.Brush().Assign(savedBrush);
  return ctx.Hit;
}
