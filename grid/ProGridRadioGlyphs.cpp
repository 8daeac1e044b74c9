// Radio buttons drawn by the grid itself, one or a group with their item texts.
#include "controls/ProStyleIF.h"
#include "grid/GlyphDraw.h"
#include "grid/ProGrid.h"
#include "platform/StringList.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Resources.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const char* RadioResource(TGridControlStyle Style, bool Checked, bool Enabled) {
  static const char* const names[2][2][2] = {// [xp][checked][enabled]
                                             {{"ASGRAD04", "ASGRAD02"}, {"ASGRAD03", "ASGRAD01"}},
                                             {{"ASGRAD08", "ASGRAD06"}, {"ASGRAD07", "ASGRAD05"}}};
  return names[Style == csWinXP][Checked][Enabled];
}

} // namespace

void TProStringGrid::DrawRadioButtons(TCanvas& C, const TRect& R, int Num, int Index, bool HV, bool Disabled,
                                      const TStrings* List, bool Selected, int ACol, int ARow,
                                      TGridControlStyle Style, double Scale, bool ReverseY) {
  TControlLook& look = ControlLook();
  if (look.NoDisabledCheckRadioLook() || look.RadioAlwaysActive()) Disabled = false;
  const int dir = ReverseY ? -1 : 1;
  int acc = 0;
  const int oldBkMode = C.BkMode();
  C.SetBkMode(TRANSPARENT);
  if (Num <= 0) return;
  if (Style == csTheme && !IsThemeActive()) Style = csClassic;
  const int h = C.TextHeight("gh");
  const int h16 = std::max(16, h);
  const int rs = look.RadioSize();
  const std::string cellText = List && Index == -1 ? Cells(ACol, ARow) : std::string();
  for (int i = 1; i <= Num; ++i) {
    bool checked = false;
    std::string text;
    if (List) {
      if (Selected && ShowSelection()) C.Font().SetColor(SelectionTextColor());
      if (List->Count() >= i) {
        text = List->Strings(i - 1);
        if (Index == -1) checked = text == cellText;
      }
    }
    if (i == Index + 1) checked = true;

    int x = 0, y = 0, tx = 0, ty = 0;
    if (Style == csClassic || Style == csFlat) {
      if (HV) {
        x = (i - 1) * rs + acc + R.Left + 2;
        y = R.Top + (R.Height() - rs) / 2;
        tx = x + static_cast<int>(std::lround(Scale * rs));
        ty = y - 2;
        acc += C.TextWidth(text);
      } else {
        y = R.Top + h * (i - 1) * dir + 2;
        if (!text.empty()) {
          x = R.Left + 2;
          tx = x + static_cast<int>(std::lround(Scale * (rs + 4)));
        } else {
          x = R.Left + (R.Width() - static_cast<int>(std::lround(Scale * rs))) / 2;
        }
        ty = y - 2;
      }
      const int side = static_cast<int>(std::lround(Scale * (Style == csFlat ? rs + 2 : rs)));
      TRect box = Rect(x, y, x + side, y + side);
      unsigned state = DFCS_BUTTONRADIO;
      if (Style == csFlat) state |= DFCS_FLAT;
      if (Disabled) state |= DFCS_INACTIVE;
      if (checked) state |= DFCS_CHECKED;
      DrawFrameControl(C, box, DFC_BUTTON, state);
    } else {
      const bool bitmapText = Style == csWinXP || Style == csZUZ || Style == csGlyph;
      if (HV) {
        x = acc + R.Left + 16 * i - 14;
        y = R.Top + (R.Height() - 16) / 2;
        tx = x + 16;
        ty = bitmapText ? y + 1 : y - 2;
        acc += C.TextWidth(text);
      } else {
        y = R.Top + h16 * (i - 1) * dir + 2;
        x = text.empty() ? R.Left + (R.Width() - 16) / 2 : R.Left + 2;
        tx = bitmapText ? R.Left + 18 : R.Left + 20;
        ty = bitmapText ? y + 1 : y - 2;
      }
      if (Style == csBorland) {
        const TColor oldBrush = C.Brush().Color();
        C.Brush().SetColor(clBtnFace);
        C.Pen().SetColor(clBtnFace);
        C.Polygon({{x + 2, y + 8}, {x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}});
        C.Pen().SetColor(checked ? TColor(0x808080) : clWhite);
        C.Polyline({{x + 8, y + 14}, {x + 2, y + 8}, {x + 8, y + 2}});
        C.Pen().SetColor(checked ? clWhite : TColor(0x808080));
        C.Polyline({{x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}});
        if (checked) {
          C.Brush().SetColor(look.Color());
          C.Pen().SetColor(look.Color());
          C.Polygon({{x + 6, y + 8}, {x + 8, y + 6}, {x + 10, y + 8}, {x + 8, y + 10}});
        }
        C.Brush().SetColor(oldBrush);
      } else if (Style == csTheme) {
        if (HTHEME theme = OpenThemeData(this, "button")) {
          const int state = checked ? (Disabled ? RBS_CHECKEDDISABLED : RBS_CHECKEDNORMAL)
                                    : (Disabled ? RBS_UNCHECKEDDISABLED : RBS_UNCHECKEDNORMAL);
          DrawThemeBackground(theme, C, BP_RADIOBUTTON, state, Rect(x, y, x + 16, y + 16));
          CloseThemeData(theme);
        }
      } else if (Style == csGlyph) {
        const TBitmap& glyph = checked ? look.RadioOnGlyph() : look.RadioOffGlyph();
        if (!glyph.Empty()) DrawTransparentGlyph(C, x, y, glyph);
      } else {
        DrawTransparentGlyph(C, x, y, ResourceBitmap(RadioResource(Style, checked, !Disabled)));
      }
    }
    if (!text.empty()) {
      C.Brush().SetStyle(bsClear);
      C.TextOut(tx, ty, text);
    }
  }
  C.SetBkMode(oldBkMode);
}
