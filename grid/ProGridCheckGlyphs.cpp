// Check box glyphs drawn by the grid itself: cells hold no controls.
#include "controls/ProStyleIF.h"
#include "grid/GlyphDraw.h"
#include "grid/ProGrid.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Resources.h"
#include "platform/ui/ThemeDraw.h"

#include <string>

namespace {

const char* CheckResource(TGridControlStyle Style, bool Checked, bool Enabled) {
  static const char* const names[2][2][2] = {// [xp][checked][enabled]
                                             {{"ASGCHK04", "ASGCHK02"}, {"ASGCHK03", "ASGCHK01"}},
                                             {{"ASGCHK08", "ASGCHK06"}, {"ASGCHK07", "ASGCHK05"}}};
  return names[Style == csWinXP][Checked][Enabled];
}

} // namespace

void TProStringGrid::DrawCheck(TCanvas& ACanvas, const TRect& R, bool Checked, bool Enabled, bool Grayed,
                               TGridControlStyle Style, bool TriState, TCheckBoxState State) {
  TControlLook& look = ControlLook();
  if (look.NoDisabledCheckRadioLook() || look.CheckAlwaysActive()) Enabled = true;
  if (Style == csTheme && !(IsComCtl6() && IsThemeActive())) Style = csClassic;
  if (TriState) {
    Checked = State == cbChecked;
    Grayed = State == cbGrayed;
  }
  const int size = look.CheckSize();
  switch (Style) {
  case csWinXP:
  case csZUZ:
    DrawTransparentGlyph(ACanvas, R.Left, R.Top, ResourceBitmap(CheckResource(Style, Checked, Enabled)));
    return;
  case csGlyph: {
    const TBitmap& glyph = Checked ? look.CheckedGlyph() : look.UnCheckedGlyph();
    if (!glyph.Empty()) DrawTransparentGlyph(ACanvas, R.Left, R.Top, glyph);
    return;
  }
  case csTheme: {
    HTHEME theme = OpenThemeData(this, "button");
    int state = Grayed    ? (Enabled ? CBS_MIXEDNORMAL : CBS_MIXEDDISABLED)
                : Checked ? (Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                          : (Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED);
    if (theme) {
      DrawThemeBackground(theme, ACanvas, BP_CHECKBOX, state,
                          Rect(R.Left, R.Top, R.Left + size, R.Top + size));
      CloseThemeData(theme);
      return;
    }
    break; // no theme to draw with: the classic look below
  }
  case csBorland: {
    ACanvas.Brush().SetColor(Enabled ? clBtnFace : clBtnShadow);
    ACanvas.Pen().SetColor(clBtnFace);
    ACanvas.Pen().SetWidth(1);
    ACanvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    ACanvas.Pen().SetColor(clBtnHighlight);
    ACanvas.MoveTo(R.Left, R.Bottom);
    ACanvas.LineTo(R.Left, R.Top);
    ACanvas.LineTo(R.Right, R.Top);
    ACanvas.Pen().SetColor(clBtnShadow);
    ACanvas.LineTo(R.Right, R.Bottom);
    ACanvas.LineTo(R.Left, R.Bottom);
    if (Checked) {
      ACanvas.Pen().SetColor(Enabled ? look.Color() : TColor(0x808080));
      const int s = size / 2, T = R.Top;
      const int top = R.Top - 1, bottom = R.Bottom - 1;
      ACanvas.MoveTo(R.Left + 2, T + s);
      ACanvas.LineTo(R.Left + 2, bottom - 1);
      ACanvas.MoveTo(R.Left + 3, top + s);
      ACanvas.LineTo(R.Left + 3, bottom - 2);
      ACanvas.MoveTo(R.Left + 2, bottom - 1);
      ACanvas.LineTo(R.Right - 2, top + 3);
      ACanvas.MoveTo(R.Left + 3, bottom - 1);
      ACanvas.LineTo(R.Right - 1, top + 3);
    }
    return;
  }
  default:
    break;
  }
  // csClassic and csFlat: a frame control centred in R.
  const int x = R.Left + (R.Width() - size) / 2, y = R.Top + (R.Height() - size) / 2;
  TRect box = Rect(x, y, x + size, y + size);
  unsigned state = DFCS_BUTTONCHECK;
  if (Checked) state |= DFCS_CHECKED;
  if (Grayed) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (Style == csFlat) state |= DFCS_FLAT;
  if (!Enabled) state |= DFCS_INACTIVE;
  DrawFrameControl(ACanvas, box, DFC_BUTTON, state);
}
