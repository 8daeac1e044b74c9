// Look presets, named styles, colour schemes, colour tones and the link display settings.
#include "ProGridFixture.h"

#include "controls/ProStyleIFSystem.h"

#include "platform/ui/Graphics.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

namespace {

using ProGridLooksTest = TProGridTest<>;

TEST_F(ProGridLooksTest, EveryGridStartsWithTheXPLook) {
  EXPECT_EQ(Grid->Look(), glXP);
  EXPECT_EQ(Grid->ZUZGradientFrom(), TColor(0xFFFFFF));
  EXPECT_EQ(Grid->ZUZGradientTo(), clBtnFace);
  EXPECT_EQ(Grid->SelectionColor(), TColor(0xEACAB6));
}

TEST_F(ProGridLooksTest, ControlLookGradientsReachTheFixedCells) {
  // As the table editors' windows set them.
  Grid->ControlLook().SetFixedGradientHoverFrom(clGray);
  Grid->ControlLook().SetFixedGradientHoverTo(clWhite);
  Grid->ControlLook().SetFixedGradientDownFrom(clGray);
  Grid->ControlLook().SetFixedGradientDownTo(clSilver);
  EXPECT_EQ(Grid->ZUZGradHoverFrom(), clGray);
  EXPECT_EQ(Grid->ZUZGradHoverTo(), clWhite);
  EXPECT_EQ(Grid->ZUZGradDownFrom(), clGray);
  EXPECT_EQ(Grid->ZUZGradDownTo(), clSilver);
  Grid->ControlLook().SetFixedGradientFrom(clNone); // no colour: the fixed cells keep theirs
  EXPECT_EQ(Grid->ZUZGradientFrom(), TColor(0xFFFFFF));
  Grid->ControlLook().SetFixedGradientMirrorTo(0x123456);
  EXPECT_EQ(Grid->ZUZGradientMirrorTo(), TColor(0x123456));
}

TEST_F(ProGridLooksTest, PresetColours) {
  struct {
    TGridLook Look;
    TColor GradFrom, GradTo, Active, Selection, SelectionText, Footer;
  } cases[] = {
      {glStandard, clBtnFace, clNone, 0x808080, clHighlight, clHighlightText, clBtnFace},
      {glClassic, clBtnFace, clNone, 0x808080, clHighlight, clHighlightText, clBtnFace},
      {glListView, 0xFFFFFF, clBtnFace, 0x808080, clHighlight, clHighlightText, clBtnFace},
      {glZUZ, 0xFFFFFF, 0xC0C0C0, 0xEACAB6, 0xEACAB6, 0, clNone},
      {glXP, 0xFFFFFF, clBtnFace, 0xEACAB6, 0xEACAB6, 0, clNone},
  };
  for (const auto& c : cases) {
    Grid->SetLook(glCustom);
    Grid->SetLook(c.Look);
    EXPECT_EQ(Grid->ControlLook().FixedGradientFrom(), c.GradFrom) << c.Look;
    EXPECT_EQ(Grid->ControlLook().FixedGradientTo(), c.GradTo) << c.Look;
    EXPECT_EQ(Grid->ControlLook().FixedGradientMirrorFrom(), clNone) << c.Look;
    EXPECT_EQ(Grid->ActiveCellColor(), c.Active) << c.Look;
    EXPECT_EQ(Grid->ActiveCellColorTo(), clNone) << c.Look;
    EXPECT_EQ(Grid->SelectionColor(), c.Selection) << c.Look;
    EXPECT_EQ(Grid->SelectionTextColor(), c.SelectionText) << c.Look;
    EXPECT_EQ(Grid->SearchFooter().Color(), c.Footer) << c.Look;
    EXPECT_EQ(Grid->GridFixedLineColor(), TColor(0x808080)) << c.Look;
    EXPECT_EQ(Grid->GridLineColor(), TColor(0xC0C0C0)) << c.Look;
    EXPECT_EQ(Grid->SelectionStyle(), ssDefault) << c.Look;
  }
  EXPECT_EQ(Grid->ControlLook().FixedGradientHoverFrom(), TColor(0xCFD0D1));
  EXPECT_EQ(Grid->ControlLook().FixedGradientDownMirrorTo(), TColor(0x627376));
}

TEST_F(ProGridLooksTest, SameLookAgainChangesNothingAndCustomOnlyTheFrame) {
  Grid->SetSelectionColor(clRed);
  Grid->SetLook(glXP);
  EXPECT_EQ(Grid->SelectionColor(), clRed);
  Grid->SetScrollType(ssFlat);
  Grid->SetBorderColor(clGreen);
  Grid->SetBorderStyle(bsNone);
  Grid->SetLook(glCustom);
  EXPECT_EQ(Grid->SelectionColor(), clRed);
  EXPECT_EQ(Grid->ScrollType(), ssNormal);
  EXPECT_EQ(Grid->BorderStyle(), bsSingle);
  EXPECT_EQ(Grid->BorderColor(), TColor(0xB99D7F));
}

TEST_F(ProGridLooksTest, VistaWin7AndOfficeLooksTakeTheirStyles) {
  Grid->SetLook(glVista);
  EXPECT_EQ(Grid->SelectionStyle(), ssVista);
  EXPECT_EQ(Grid->SelectionColor(), TColor(0xEACAB6));
  EXPECT_EQ(Grid->ZUZGradientMirrorTo(), TColor(0xF4F2F1));
  Grid->SetLook(glWin7);
  EXPECT_EQ(Grid->SelectionStyle(), ssWin7);
  Grid->SetLook(glOffice2007);
  EXPECT_EQ(Grid->SelectionStyle(), ssOffice2007);
  EXPECT_EQ(Grid->Look(), glOffice2007);
}

TEST_F(ProGridLooksTest, LookTexts) {
  std::string s = "kept";
  TProStringGrid::LookToString(glCustom, s);
  EXPECT_EQ(s, "kept");
  TProStringGrid::LookToCaption(glCustom, s);
  EXPECT_EQ(s, "kept");
  TProStringGrid::LookToString(glOffice2007, s);
  EXPECT_EQ(s, "glOffice2007");
  TProStringGrid::LookToCaption(glXP, s);
  EXPECT_EQ(s, "Windows XP");
  TProStringGrid::LookToCaption(glVista, s);
  EXPECT_EQ(s, "Windows Vista");
}

TEST_F(ProGridLooksTest, LinkSettings) {
  Grid->SetURLColor(clGreen);
  EXPECT_EQ(Grid->URLColor(), clGreen);
  Grid->SetURLShow(true);
  Grid->SetURLFull(true);
  EXPECT_TRUE(Grid->URLShow());
  EXPECT_TRUE(Grid->URLFull());
}

TEST_F(ProGridLooksTest, EveryStyleResetsSelectionAndSortHeader) {
  for (TProGridStyle style : {gsCustom, gsTerminal}) {
    Grid->SetSelectionColor(clRed);
    Grid->SetSelectionTextColor(clGreen);
    Grid->SortSettings().SetHeaderColor(clBlue);
    Grid->SortSettings().SetHeaderMirrorColorTo(clBlue);
    Grid->SetStyle(style);
    EXPECT_EQ(Grid->SelectionColor(), clHighlight) << style;
    EXPECT_EQ(Grid->SelectionTextColor(), clHighlightText) << style;
    EXPECT_EQ(Grid->SortSettings().HeaderColor(), clNone) << style;
    EXPECT_EQ(Grid->SortSettings().HeaderMirrorColorTo(), clNone) << style;
  }
  EXPECT_EQ(Grid->Look(), glStandard);
  Grid->SetLook(glClassic);
  Grid->SetStyle(gsWhidbey);
  EXPECT_EQ(Grid->Look(), glClassic);
}

TEST_F(ProGridLooksTest, StyleColours) {
  struct {
    TProGridStyle Style;
    TGridLook Look;
    TColor From, To, Selection, FooterTo, FixedLine;
    TGridSelectionStyle SelStyle;
  } cases[] = {
      {gsOffice2003Blue, glXP, 0xFCE1CB, 0xE0A57D, 0x94E6FB, clNone, 0x808080, ssDefault},
      {gsOffice2003Classic, glXP, 0xFFFFFF, 0xCCD4D8, clHighlight, clNone, 0x808080, ssDefault},
      {gsOffice2007Luna, glOffice2007, 0xFBF9F6, 0xE8DBD2, 0x5EC1F1, clNone, 0xD1BBA4, ssOffice2007},
      {gsWindowsXP, glXP, clBtnFace, clBtnFace, clHighlight, clNone, 0x808080, ssDefault},
      {gsWindowsVista, glVista, 0xFFFFFF, 0xFFFFFF, 0xEACAB6, 0xF4F2F1, 0xD4D2D1, ssVista},
      {gsWindows7, glWin7, 0xFDFCFA, 0xFAF0E6, 0xEACAB6, 0xF7E9DD, 0xD4D2D1, ssWin7},
      {gsOffice2010Black, glOffice2007, 0x6A6A6A, 0x6A6A6A, 0xFFDBB7, 0x6A6A6A, 0x444444, ssDefault},
  };
  for (const auto& c : cases) {
    Grid->SetStyle(c.Style);
    EXPECT_EQ(Grid->Look(), c.Look) << c.Style;
    EXPECT_EQ(Grid->ZUZGradientFrom(), c.From) << c.Style;
    EXPECT_EQ(Grid->ZUZGradientTo(), c.To) << c.Style;
    EXPECT_EQ(Grid->SelectionColor(), c.Selection) << c.Style;
    EXPECT_EQ(Grid->SearchFooter().ColorTo(), c.FooterTo) << c.Style;
    EXPECT_EQ(Grid->SearchFooter().ColorTo(), Grid->ZUZGradientMirrorTo()) << c.Style;
    EXPECT_EQ(Grid->GridFixedLineColor(), c.FixedLine) << c.Style;
    EXPECT_EQ(Grid->SelectionStyle(), c.SelStyle) << c.Style;
  }
  Grid->SetStyle(gsOffice2010Silver);
  EXPECT_EQ(Grid->SortSettings().HeaderColor(), TColor(0xAAAAAA));
  EXPECT_EQ(Grid->ZUZGradHoverBorder(), TColor(0x3ABFE8));
  EXPECT_EQ(Grid->ControlLook().FixedGradientFrom(), clNone);
  EXPECT_EQ(Grid->ControlLook().FixedGradientMirrorFrom(), TColor(0xE8E3DF));
  Grid->SetStyle(gsOffice2003Olive);
  EXPECT_EQ(Grid->ControlLook().FixedGradientFrom(), TColor(0xCFF0EA));
  EXPECT_EQ(Grid->ZUZGradHoverBorder(), TColor(0x3ABFE8)) << "hover colours not listed stay";
}

TEST_F(ProGridLooksTest, ComponentStyleAndOfficeTheme) {
  Grid->SetScrollType(ssMetro);
  Grid->SetComponentStyle(tsCustom);
  EXPECT_EQ(Grid->ScrollType(), ssMetro);
  EXPECT_EQ(Grid->ComponentStyle(), tsCustom);
  Grid->SetComponentStyle(tsWindows7);
  EXPECT_EQ(Grid->ScrollType(), ssNormal);
  EXPECT_EQ(Grid->Look(), glWin7);
  // No office suite here: nothing changes, however often it is asked.
  Grid->SetSelectionColor(clRed);
  Grid->ApplyOfficeTheme();
  Grid->ApplyOfficeTheme();
  EXPECT_EQ(Grid->SelectionColor(), clRed);
}

// An office suite of version 14 whose colour theme a test chooses.
struct TOfficeSystem : TStyleSystem {
  int Theme = 1;
  bool RegistryKeyExists(const std::string& key) const override {
    return key.find("14.0") != std::string::npos;
  }
  std::optional<int> RegistryInteger(const std::string&, const std::string&) const override { return Theme; }
};

TEST_F(ProGridLooksTest, OfficeThemeIsFollowedOncePerChange) {
  TOfficeSystem office;
  TScopedStyleSystem scope(office);
  office.Theme = 3; // black
  Grid->ApplyOfficeTheme();
  EXPECT_EQ(Grid->ComponentStyle(), tsOffice2010Black);
  EXPECT_EQ(Grid->ZUZGradientFrom(), TColor(0x6A6A6A));
  Grid->SetSelectionColor(clRed);
  Grid->ApplyOfficeTheme(); // the same theme again: nothing
  EXPECT_EQ(Grid->SelectionColor(), clRed);
  office.Theme = 1;
  Grid->ApplyOfficeTheme();
  EXPECT_EQ(Grid->ComponentStyle(), tsOffice2010Blue);
}

TEST_F(ProGridLooksTest, ColourSchemes) {
  Grid->SetLook(glClassic);
  Grid->SetTheme(xpBlue);
  EXPECT_EQ(Grid->ZUZGradientFrom(), TColor(0xFCE1CB));
  EXPECT_EQ(Grid->ControlLook().FixedGradientTo(), TColor(0xE0A57D));
  EXPECT_EQ(Grid->SearchFooter().ColorTo(), TColor(0xE0A57D));
  EXPECT_EQ(Grid->Look(), glClassic);
  Grid->SetTheme(vistaAero);
  EXPECT_EQ(Grid->ZUZGradientMirrorTo(), TColor(0xF4F2F1));
  EXPECT_EQ(Grid->SearchFooter().Color(), TColor(0xECE2E1));
  Grid->SetTheme(xpNone);
  EXPECT_EQ(Grid->ActiveCellColorTo(), TColor(0xFFD9B3));
  EXPECT_EQ(Grid->ControlLook().FixedGradientFrom(), clNone);
}

TEST_F(ProGridLooksTest, ColourTonesGiveTheFlatLook) {
  TColorTones t;
  t.Background = {0xFFFFFF, 0xCCCCCC, 0x111111};
  t.Foreground = {0x808080, 0x000000, 0xFFFFFF};
  t.Selected = {0xFF0000, 0x000000, 0x00FFFF};
  Grid->SetColorTones(t);
  EXPECT_EQ(Grid->Look(), glClassic);
  EXPECT_TRUE(Grid->Flat());
  EXPECT_EQ(Grid->ScrollType(), ssMetro);
  EXPECT_EQ(Grid->FixedColor(), TColor(0x808080));
  EXPECT_EQ(Grid->FixedFont().Color(), TColor(0xFFFFFF));
  EXPECT_EQ(Grid->SelectionColor(), TColor(0xFF0000));
  EXPECT_EQ(Grid->SelectionTextColor(), TColor(0x00FFFF));
  EXPECT_EQ(Grid->GridLineColor(), TColor(0xE6E6E6));
  EXPECT_EQ(Grid->GridFixedLineColor(), TColor(0x666666));
  EXPECT_EQ(Grid->BorderStyle(), bsNone);
  EXPECT_EQ(Grid->ControlLook().ControlStyle(), csGlyph);
  EXPECT_TRUE(Grid->ControlLook().FlatButton());
  EXPECT_EQ(Grid->CellNode().NodeType(), cnFlat);
  EXPECT_EQ(Grid->Tones(), t);
  // The metro glyphs draw the check boxes now.
  TBitmap on(20, 20), off(20, 20);
  for (TBitmap* b : {&on, &off}) {
    b->Canvas().Brush().SetColor(clWhite);
    b->Canvas().FillRect(Rect(0, 0, 20, 20));
  }
  Grid->DrawCheck(on.Canvas(), Rect(0, 0, 20, 20), true, true, false, csGlyph, false, cbUnchecked);
  Grid->DrawCheck(off.Canvas(), Rect(0, 0, 20, 20), false, true, false, csGlyph, false, cbUnchecked);
  EXPECT_NE(InkBounds(off), TRect());
  EXPECT_FALSE(SamePixels(on, off));
}

} // namespace
