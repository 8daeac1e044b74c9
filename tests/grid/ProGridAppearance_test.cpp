#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "controls/AsgHTMLEColors.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HeadlessPaint.h"
#include "platform/ui/Messages.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class ProGridAppearanceTest : public TProGridTest<> {
protected:
  void TearDown() override {
    SetHTMLHighlightColors(clHighlight, clHighlightText);
    TProGridTest::TearDown();
  }
  int BaseFixedRows() const { return static_cast<const TGridCore*>(Grid)->TGridCore::FixedRows(); }
  int BaseFixedCols() const { return static_cast<const TGridCore*>(Grid)->TGridCore::FixedCols(); }
};

} // namespace

TEST_F(ProGridAppearanceTest, FixedRowAndColumnKeptByTheAlwaysFlags) {
  struct Case {
    bool always;
    int readOnOne, baseOnOne, readAfterGrow;
  } cases[] = {
      {true, 1, 0, 1},
      {false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    Grid->SetFixedRowAlways(c.always);
    Grid->SetFixedColAlways(c.always);
    Grid->SetRowCount(1);
    Grid->SetColCount(1);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
    EXPECT_EQ(BaseFixedRows(), c.baseOnOne);
    EXPECT_EQ(Grid->FixedRows(), c.readOnOne) << c.always;
    EXPECT_EQ(BaseFixedCols(), c.baseOnOne);
    EXPECT_EQ(Grid->FixedCols(), c.readOnOne);
    Grid->SetRowCount(5);
    Grid->SetColCount(5);
    EXPECT_EQ(Grid->FixedRows(), c.readAfterGrow);
    EXPECT_EQ(BaseFixedRows(), c.readAfterGrow);
    EXPECT_EQ(Grid->FixedCols(), c.readAfterGrow);
    // Back to the start for the next case.
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
  }
}

TEST_F(ProGridAppearanceTest, AppearanceSettersRepaint) {
  TBackGround bg;
  bg.SetLeft(12);
  TFont font;
  font.SetHeight(30);
  struct Case {
    const char* name;
    std::function<void()> set;
    bool repaints;
  } cases[] = {
      {"ActiveCellShow", [&] { Grid->SetActiveCellShow(true); }, true},
      {"ActiveCellColor", [&] { Grid->SetActiveCellColor(0x123456); }, true},
      {"ActiveCellColorTo", [&] { Grid->SetActiveCellColorTo(0x654321); }, true},
      {"ActiveCellColor same", [&] { Grid->SetActiveCellColor(0x123456); }, false},
      {"ShowDesignHelper", [&] { Grid->SetShowDesignHelper(false); }, true},
      {"Hovering", [&] { Grid->SetHovering(true); }, false},
      {"XYOffset",
       [&] {
         Grid->SetXYOffset({3, 4});
       },
       true},
      {"UpdateXYOffset", [&] { Grid->UpdateXYOffset(5, 6); }, false},
      {"BackGround", [&] { Grid->SetBackGround(bg); }, true},
      {"FixedFont", [&] { Grid->SetFixedFont(font); }, true},
      {"ActiveCellFont change", [&] { Grid->ActiveCellFont().SetColor(0x00FF00); }, true},
      {"HighlightColor", [&] { Grid->SetHighlightColor(0x00FFFF); }, true},
      {"ProgressAppearance change", [&] { Grid->ProgressAppearance().SetSteps(5); }, true},
      {"FilterDropDown glyph", [&] { Grid->FilterDropDown().SetGlyph(TBitmap(4, 4)); }, true},
  };
  for (const Case& c : cases) {
    Headless::TPaintObserver seen;
    c.set();
    Application->ProcessMessages();
    EXPECT_EQ(seen.Count(*Grid) > 0, c.repaints) << c.name;
  }
  EXPECT_EQ(Grid->XYOffset().X, 5);
  EXPECT_EQ(Grid->BackGround().Left(), 12);
  EXPECT_EQ(Grid->FixedFont().Height(), 30);
  EXPECT_EQ(HTMLHighlightColor(), TColor(0x00FFFF));
  Grid->SetHighlightTextColor(0x0000FF);
  EXPECT_EQ(HTMLHighlightTextColor(), TColor(0x0000FF));
}

TEST_F(ProGridAppearanceTest, SettingsObjectsAreCopied) {
  TShowModified modified;
  modified.SetEnabled(true);
  TBalloonSettings balloon;
  balloon.SetEnable(true);
  Grid->SetShowModified(modified);
  Grid->SetBalloon(balloon);
  modified.SetEnabled(false);
  EXPECT_TRUE(Grid->ShowModified().Enabled());
  EXPECT_TRUE(Grid->Balloon().Enable());
}

TEST_F(ProGridAppearanceTest, CharactersWantedWhetherEditingOrNot) {
  for (bool editing : {false, true}) {
    Grid->SetOptions(editing ? Grid->Options() | goEditing : Grid->Options() & ~goEditing);
    EXPECT_TRUE(Grid->DialogCode() & DLGC_WANTCHARS) << editing;
    EXPECT_TRUE(Grid->DialogCode() & DLGC_WANTARROWS);
  }
}
