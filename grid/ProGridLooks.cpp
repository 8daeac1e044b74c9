// Preset looks of fixed cells, the named styles, the grid's own colour schemes, the flat look of
// colour tones, following the office suite's theme, and the display of links.
#include "controls/ProStyleIF.h"
#include "controls/ProUtilDraw.h"
#include "grid/ProGrid.h"
#include "platform/ui/Resources.h"

#include <array>

namespace {

constexpr TColor Keep = 0x7FFFFFFF; // a table entry that leaves the colour as it is

struct TStyleColors {
  TProGridStyle Style;
  int Look; // -1: unchanged
  TColor From, To, MirrorFrom, MirrorTo;
  TColor Active, ActiveTo;
  TColor Sel, SelText, SelTo; // Keep: the common values of the first step
  TGridSelectionStyle SelStyle;
  TColor Line, FixedLine;
  TColor FooterFrom, FooterTo;
};

constexpr TColor clBtnFaceC = clBtnFace;
const TStyleColors StyleTable[] = {
    {gsOffice2003Blue, glXP, 0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0, 0x1595EE,
     ssDefault, 0xC0C0C0, 0x808080, 0xFCE1CB, clNone},
    {gsOffice2003Silver, glXP, 0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0, 0x1595EE,
     ssDefault, 0xC0C0C0, 0x808080, 0xECE2E1, clNone},
    {gsOffice2003Olive, glXP, 0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0, 0x1595EE,
     ssDefault, 0xC0C0C0, 0x808080, 0xCFF0EA, clNone},
    {gsOffice2003Classic, glXP, 0xFFFFFF, 0xCCD4D8, clNone, clNone, 0xD8D5D4, 0xD8D5D4, Keep, Keep, Keep,
     ssDefault, 0xC0C0C0, 0x808080, 0xFFFFFF, clNone},
    {gsOffice2007Luna, glOffice2007, 0xFBF9F6, 0xE8DBD2, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, 0,
     clNone, ssOffice2007, 0xF1EDEB, 0xD1BBA4, 0xFBF9F6, clNone},
    {gsOffice2007Obsidian, glOffice2007, 0xF7F7F7, 0xDEDEDE, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, 0,
     clNone, ssDefault, 0xE5D7D0, 0x808080, 0xF7F7F7, clNone},
    {gsWindowsXP, glXP, clBtnFaceC, clBtnFaceC, clNone, clNone, clBtnFaceC, clBtnFaceC, Keep, Keep, Keep,
     ssDefault, 0xC0C0C0, 0x808080, clBtnFaceC, clNone},
    {gsWhidbey, -1, 0xFFFFFF, clBtnFaceC, clNone, clNone, 0x94E6FB, 0x1595EE, Keep, Keep, Keep, ssDefault,
     0xC0C0C0, 0x808080, 0xFFFFFF, clNone},
    {gsCustom, -1, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, ssDefault, Keep, Keep, Keep, Keep},
    {gsOffice2007Silver, glOffice2007, 0xF3F3F1, 0xCAC9C8, Keep, Keep, 0x99CCFF, 0x699CFF, 0x95C7F5, 0,
     clNone, ssDefault, 0xE5D7D0, 0x808080, 0xF3F3F1, Keep},
    {gsWindowsVista, glVista, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, 0, clNone,
     ssVista, 0xECECF0, 0xD4D2D1, 0xFFFFFF, 0xF4F2F1},
    {gsWindows7, glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, 0, clNone,
     ssWin7, 0xECECF0, 0xD4D2D1, 0xFDFCFA, 0xF7E9DD},
    {gsTerminal, glStandard, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, ssDefault, Keep, Keep,
     Keep, Keep},
    {gsOffice2010Blue, glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, 0,
     clNone, ssDefault, 0xC0C0C0, 0xC7B0A0, 0xF5E7DA, 0xF5E7DA},
    {gsOffice2010Silver, glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF, 0x71EFFF, 0xFFDBB7,
     0, clNone, ssDefault, 0xC0C0C0, 0xBAB5B1, 0xE8E3DF, 0xE8E3DF},
    {gsOffice2010Black, glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, 0,
     clNone, ssDefault, 0xC0C0C0, 0x444444, 0x6A6A6A, 0x6A6A6A},
};

// Hover and pressed colours: from, to, mirror from, mirror to, border.
struct THoverDown {
  std::array<TColor, 5> Hover, Down;
};

const THoverDown* HoverDownOf(TProGridStyle s) {
  static const THoverDown luna{{0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87},
                               {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}};
  static const THoverDown vista{{0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993},
                                {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}};
  static const THoverDown win7{{0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3},
                               {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}};
  static const THoverDown office2010{{0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8},
                                     {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2}};
  switch (s) {
  case gsOffice2007Luna:
    return &luna;
  case gsWindowsVista:
    return &vista;
  case gsWindows7:
    return &win7;
  case gsOffice2010Blue:
  case gsOffice2010Silver:
  case gsOffice2010Black:
    return &office2010;
  default:
    return nullptr;
  }
}

} // namespace

// --- ControlLook gradients: the look keeps them, the grid's fixed cells take what is a colour -----

void TProStringGrid::ControlLookChanged(std::string_view Name) {
  if (Name == "ControlStyle" || Name == "FlatButton") {
    Invalidate();
    return;
  }
  struct TLink {
    std::string_view Name;
    TColor TProStringGrid::*Field;
    TColor (TControlLook::*Read)() const;
  };
  static const TLink links[] = {
      {"FixedGradientFrom", &TProStringGrid::FZUZGradFrom, &TControlLook::FixedGradientFrom},
      {"FixedGradientTo", &TProStringGrid::FZUZGradTo, &TControlLook::FixedGradientTo},
      {"FixedGradientMirrorFrom", &TProStringGrid::FZUZGradMirrorFrom,
       &TControlLook::FixedGradientMirrorFrom},
      {"FixedGradientMirrorTo", &TProStringGrid::FZUZGradMirrorTo, &TControlLook::FixedGradientMirrorTo},
      {"FixedGradientHoverFrom", &TProStringGrid::FZUZGradHoverFrom, &TControlLook::FixedGradientHoverFrom},
      {"FixedGradientHoverTo", &TProStringGrid::FZUZGradHoverTo, &TControlLook::FixedGradientHoverTo},
      {"FixedGradientHoverMirrorFrom", &TProStringGrid::FZUZGradHoverMirrorFrom,
       &TControlLook::FixedGradientHoverMirrorFrom},
      {"FixedGradientHoverMirrorTo", &TProStringGrid::FZUZGradHoverMirrorTo,
       &TControlLook::FixedGradientHoverMirrorTo},
      {"FixedGradientHoverBorder", &TProStringGrid::FZUZGradHoverBorder,
       &TControlLook::FixedGradientHoverBorder},
      {"FixedGradientDownFrom", &TProStringGrid::FZUZGradDownFrom, &TControlLook::FixedGradientDownFrom},
      {"FixedGradientDownTo", &TProStringGrid::FZUZGradDownTo, &TControlLook::FixedGradientDownTo},
      {"FixedGradientDownMirrorFrom", &TProStringGrid::FZUZGradDownMirrorFrom,
       &TControlLook::FixedGradientDownMirrorFrom},
      {"FixedGradientDownMirrorTo", &TProStringGrid::FZUZGradDownMirrorTo,
       &TControlLook::FixedGradientDownMirrorTo},
      {"FixedGradientDownBorder", &TProStringGrid::FZUZGradDownBorder,
       &TControlLook::FixedGradientDownBorder},
  };
  for (const TLink& l : links)
    if (l.Name == Name) {
      const TColor v = (FControlLook.*l.Read)();
      if (v != clNone && this->*l.Field != v) {
        this->*l.Field = v;
        Invalidate();
      }
      return;
    }
}

void TProStringGrid::SetFixedGradients(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
  TControlLook& l = FControlLook;
  l.SetFixedGradientFrom(From);
  l.SetFixedGradientTo(To);
  l.SetFixedGradientMirrorFrom(MirrorFrom);
  l.SetFixedGradientMirrorTo(MirrorTo);
}

void TProStringGrid::SetHoverGradients(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
  TControlLook& l = FControlLook;
  l.SetFixedGradientHoverFrom(From);
  l.SetFixedGradientHoverTo(To);
  l.SetFixedGradientHoverMirrorFrom(MirrorFrom);
  l.SetFixedGradientHoverMirrorTo(MirrorTo);
}

void TProStringGrid::SetDownGradients(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
  TControlLook& l = FControlLook;
  l.SetFixedGradientDownFrom(From);
  l.SetFixedGradientDownTo(To);
  l.SetFixedGradientDownMirrorFrom(MirrorFrom);
  l.SetFixedGradientDownMirrorTo(MirrorTo);
}

// --- Look presets --------------------------------------------------------------------------

void TProStringGrid::SetLook(TGridLook Value) {
  if (Value == FLook) return;
  FLook = Value;
  if (Value != glCustom) {
    FControlLook.SetFixedGradientFrom(clNone);
    FControlLook.SetFixedGradientTo(clNone);
    FControlLook.SetFixedGradientMirrorFrom(clNone);
    FControlLook.SetFixedGradientMirrorTo(clNone);
    FZUZGradFrom = FZUZGradTo = FZUZGradMirrorFrom = FZUZGradMirrorTo = clNone;
    FSortSettings.SetHeaderColor(clNone);
  }
  switch (Value) {
  case glVista:
    SetStyle(gsWindowsVista);
    SetSelectionStyle(ssVista);
    break;
  case glWin7:
    SetStyle(gsWindows7);
    SetSelectionStyle(ssWin7);
    break;
  case glOffice2007:
    SetStyle(gsOffice2007Luna);
    SetSelectionStyle(ssOffice2007);
    break;
  case glCustom:
    break;
  default: {
    SetSelectionStyle(ssDefault);
    const bool plain = Value == glStandard || Value == glSoft || Value == glClassic;
    const bool listView = Value == glListView;
    if (plain) SetFixedColor(clBtnFace);
    if (plain)
      SetFixedGradients(clBtnFace, clNone, clNone, clNone);
    else
      SetFixedGradients(0xFFFFFF, Value == glZUZ ? TColor(0xC0C0C0) : clBtnFace, clNone, clNone);
    SetGridFixedLineColor(0x808080);
    SetGridLineColor(0xC0C0C0);
    FActiveCellColorTo = clNone;
    if (plain || listView) {
      FActiveCellColor = 0x808080;
      FSelectionColor = clHighlight;
      FSelectionTextColor = clHighlightText;
      FSearchFooter->SetColor(clBtnFace);
      FSearchFooter->SetColorTo(clBtnFace);
    } else {
      FActiveCellColor = 0xEACAB6;
      FSelectionColor = 0xEACAB6;
      FSelectionColorTo = clNone;
      FSelectionTextColor = 0;
      // The look gradient was cleared above; the fixed cells' colours come next.
      FSearchFooter->SetColor(clNone);
      FSearchFooter->SetColorTo(clNone);
      SetHoverGradients(0xCFD0D1, 0xBEC6C8, 0xBEC6C8, 0xABBCBF);
      SetDownGradients(0x868788, 0x737C7E, 0x737C7E, 0x627376);
    }
    break;
  }
  }
  SetScrollType(ssNormal);
  SetBorderStyle(bsSingle);
  FBorderColor = 0xB99D7F;
  Invalidate();
}

void TProStringGrid::LookToString(TGridLook Value, std::string& Text) {
  static const char* const names[] = {"glStandard", "glSoft",  "glClassic", "glZUZ",       "glXP",
                                      "glListView", "glVista", "glWin7",    "glOffice2007"};
  if (Value != glCustom) Text = names[Value];
}

void TProStringGrid::LookToCaption(TGridLook Value, std::string& Text) {
  static const char* const captions[] = {"Standard", "Soft",          "Classic",   "ZUZ",       "Windows XP",
                                         "ListView", "Windows Vista", "Windows 7", "Office2007"};
  if (Value != glCustom) Text = captions[Value];
}

void TProStringGrid::SetURLColor(TColor Value) {
  FURLColor = Value;
  if (FURLShow) Invalidate();
}

void TProStringGrid::SetURLShow(bool Value) {
  SetAndRepaint(FURLShow, Value);
}

void TProStringGrid::SetURLShowInText(bool Value) {
  SetAndRepaint(FURLShowInText, Value);
}

void TProStringGrid::SetURLFull(bool Value) {
  FURLFull = Value;
  if (FURLShow) Invalidate();
}

void TProStringGrid::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  if (Parent()) Invalidate();
}

void TProStringGrid::SetScrollType(TScrollType Value) {
  SetAndRepaint(FScrollType, Value);
}

// --- Named styles --------------------------------------------------------------------------

void TProStringGrid::SetStyle(TProGridStyle AStyle) {
  FSelectionColor = clHighlight;
  FSelectionColorTo = clNone;
  FSelectionTextColor = clHighlightText;
  SetSelectionStyle(ssDefault);
  FSortSettings.SetHeaderColor(clNone);
  FSortSettings.SetHeaderColorTo(clNone);
  FSortSettings.SetHeaderMirrorColor(clNone);
  FSortSettings.SetHeaderMirrorColorTo(clNone);
  FControlLook.Init();

  const TStyleColors& t = StyleTable[AStyle];
  const auto keep = [](TColor& field, TColor v) {
    if (v != Keep) field = v;
  };
  if (t.Look >= 0) FLook = static_cast<TGridLook>(t.Look);
  keep(FZUZGradFrom, t.From);
  keep(FZUZGradTo, t.To);
  keep(FZUZGradMirrorFrom, t.MirrorFrom);
  keep(FZUZGradMirrorTo, t.MirrorTo);
  keep(FActiveCellColor, t.Active);
  keep(FActiveCellColorTo, t.ActiveTo);
  keep(FSelectionColor, t.Sel);
  keep(FSelectionTextColor, t.SelText);
  keep(FSelectionColorTo, t.SelTo);
  if (t.SelStyle != ssOffice2007 || FLook == glOffice2007) SetSelectionStyle(t.SelStyle);
  if (t.Line != Keep) SetGridLineColor(t.Line);
  if (t.FixedLine != Keep) SetGridFixedLineColor(t.FixedLine);
  if (t.FooterFrom != Keep) FSearchFooter->SetColor(t.FooterFrom);
  // The search footer's colour-to follows the gradient's mirror-to.
  if (t.FooterTo != Keep || AStyle == gsOffice2007Silver) FSearchFooter->SetColorTo(FZUZGradMirrorTo);

  switch (AStyle) {
  case gsOffice2003Blue:
  case gsOffice2003Silver:
  case gsOffice2003Olive:
  case gsOffice2007Luna:
  case gsOffice2007Obsidian:
  case gsOffice2007Silver:
    FControlLook.SetFixedGradientFrom(FZUZGradFrom);
    FControlLook.SetFixedGradientTo(FZUZGradTo);
    break;
  case gsWindowsVista:
  case gsWindows7:
  case gsOffice2010Blue:
  case gsOffice2010Silver:
  case gsOffice2010Black:
    FControlLook.SetFixedGradientMirrorFrom(FZUZGradMirrorFrom);
    FControlLook.SetFixedGradientMirrorTo(FZUZGradMirrorTo);
    break;
  default:
    break;
  }
  if (const THoverDown* hd = HoverDownOf(AStyle)) {
    SetHoverGradients(hd->Hover[0], hd->Hover[1], hd->Hover[2], hd->Hover[3]);
    FControlLook.SetFixedGradientHoverBorder(hd->Hover[4]);
    SetDownGradients(hd->Down[0], hd->Down[1], hd->Down[2], hd->Down[3]);
    FControlLook.SetFixedGradientDownBorder(hd->Down[4]);
  }
  switch (AStyle) {
  case gsWindowsVista:
  case gsWindows7:
    FSortSettings.SetHeaderColor(0xFCF9F2);
    FSortSettings.SetHeaderColorTo(0xFCF9F2);
    FSortSettings.SetHeaderMirrorColor(0xF9F1E1);
    FSortSettings.SetHeaderMirrorColorTo(0xF6ECD8);
    break;
  case gsOffice2010Blue:
  case gsOffice2010Silver:
  case gsOffice2010Black: {
    const TColor c = AStyle == gsOffice2010Blue     ? 0xD6CEC7
                     : AStyle == gsOffice2010Silver ? 0xAAAAAA
                                                    : 0xBABABA;
    FSortSettings.SetHeaderColor(c);
    FSortSettings.SetHeaderColorTo(c);
    FSortSettings.SetHeaderMirrorColor(c);
    FSortSettings.SetHeaderMirrorColorTo(c);
    break;
  }
  default:
    break;
  }
  Invalidate();
}

void TProStringGrid::SetComponentStyle(TZUZStyle AStyle) {
  FStyle = AStyle;
  SetStyle(static_cast<TProGridStyle>(AStyle));
  if (AStyle != tsCustom && FScrollType == ssMetro) SetScrollType(ssNormal);
}

void TProStringGrid::SetTheme(TXPColorScheme Scheme) {
  struct TScheme {
    TColor From, To, MirrorFrom, MirrorTo, Active, ActiveTo, Footer, FooterTo;
  };
  static const TScheme schemes[] = {
      {0xFFFFFF, clBtnFace, clNone, clNone, 0xFFFFFF, 0xFFD9B3, 0xFFFFFF, 0xFFD9B3},    // xpNone
      {0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D},     // xpBlue
      {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1},     // xpGreen
      {0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},     // xpGray
      {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698}, // vistaAero
  };
  const TScheme& s = schemes[Scheme];
  FZUZGradFrom = s.From;
  FZUZGradTo = s.To;
  FZUZGradMirrorFrom = s.MirrorFrom;
  FZUZGradMirrorTo = s.MirrorTo;
  FActiveCellColor = s.Active;
  FActiveCellColorTo = s.ActiveTo;
  FSearchFooter->SetColor(s.Footer);
  FSearchFooter->SetColorTo(s.FooterTo);
  FControlLook.SetFixedGradientFrom(Scheme == xpNone ? clNone : s.From);
  FControlLook.SetFixedGradientTo(Scheme == xpNone ? clNone : s.To);
  Invalidate();
}

void TProStringGrid::SetColorTones(const TColorTones& ATones) {
  FTones = ATones;
  FLook = glClassic;
  FFlat = true;
  SetScrollType(ssMetro);
  SetFixedColor(ATones.Foreground.BrushColor);
  FFixedFont.SetColor(ATones.Foreground.TextColor);
  FFixedFont.SetName(DefaultUIFontName());
  Font().SetName(DefaultUIFontName());
  SetColor(ATones.Background.BrushColor);
  Font().SetColor(ATones.Background.TextColor);
  FSelectionColor = ATones.Selected.BrushColor;
  FSelectionTextColor = ATones.Selected.TextColor;
  FSelectionColorTo = clNone;
  SetGridLineColor(0xE6E6E6);
  SetGridFixedLineColor(ScaleColorPercent(ATones.Foreground.BrushColor, -20));
  SetBorderStyle(bsNone);
  FControlLook.SetControlStyle(csGlyph);
  FControlLook.SetCheckedGlyph(ResourceBitmap("metrocheckon"));
  FControlLook.SetUnCheckedGlyph(ResourceBitmap("metrocheckoff"));
  FControlLook.SetRadioOffGlyph(ResourceBitmap("metroradiooff"));
  FControlLook.SetRadioOnGlyph(ResourceBitmap("metroradioon"));
  FControlLook.SetFlatButton(true);
  FFloatingFooter.SetColor(ATones.Foreground.BrushColor);
  FSearchFooter->SetColor(ATones.Foreground.BrushColor);
  FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
  FCellNode.SetNodeType(cnFlat);
  Invalidate();
}

void TProStringGrid::ApplyOfficeTheme() {
  // Without an office suite there is no theme to follow (the probe's answer then only names the
  // desktop's colour scheme).
  if (DetectOfficeVersion() == 0) return;
  const TOfficeTheme theme = DetectOfficeTheme();
  if (theme == FOldOfficeTheme) return;
  static const TZUZStyle styles[] = {
      tsOffice2003Blue,   tsOffice2003Silver,   tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
      tsOffice2007Silver, tsOffice2007Obsidian, tsOffice2010Blue,  tsOffice2010Silver,  tsOffice2010Black};
  if (theme != otUnknown) SetComponentStyle(styles[theme]);
  FOldOfficeTheme = theme;
}
