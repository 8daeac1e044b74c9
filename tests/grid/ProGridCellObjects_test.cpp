// Indicator, comment, marker and balloon cells; buttons, radio groups, expand cells and cell
// scroll bars; radio button glyphs.
#include "ProGridFixture.h"

#include "controls/ProStyleIFSystem.h"

#include "platform/StringList.h"
#include "platform/ui/Graphics.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

namespace {

using ProGridIndicatorsTest = TProGridTest<>;

TEST_F(ProGridIndicatorsTest, AddingReplacesTheGraphicAndRemovingTakesOnlyItsKind) {
  Grid->AddCheckBox(1, 1, true, false);
  Grid->AddProgress(1, 1, clRed, clWhite);
  EXPECT_TRUE(Grid->HasProgress(1, 1));
  EXPECT_FALSE(Grid->HasCheckBox(1, 1));
  const TCellGraphic* g = Grid->GetCellGraphic(1, 1);
  EXPECT_EQ(g->CellColor(), clRed);
  EXPECT_EQ(g->CellColorTo(), clWhite);
  EXPECT_EQ(g->CellErrFrom(), 0);
  EXPECT_EQ(g->CellErrLen(), 100);
  EXPECT_FALSE(g->CellBoolean());
  EXPECT_FALSE(Grid->RemoveRating(1, 1));
  EXPECT_TRUE(Grid->HasProgress(1, 1));
  EXPECT_TRUE(Grid->RemoveProgress(1, 1));
  EXPECT_EQ(Grid->GetCellType(1, 1), ctEmpty);
}

TEST_F(ProGridIndicatorsTest, ProgressTakesTheRightAlignmentOfNumbers) {
  Grid->AddProgress(1, 1, clRed, clWhite);
  EXPECT_EQ(Grid->CellProperties(1, 1)->Alignment(), taLeftJustify);
  Grid->SetAutoNumAlign(true);
  Grid->AddProgress(2, 1, clRed, clWhite);
  EXPECT_EQ(Grid->CellProperties(2, 1)->Alignment(), taRightJustify);
}

TEST_F(ProGridIndicatorsTest, PieShapeAndRatingValues) {
  Grid->SetProgressPie(1, 1, 40); // no pie: nothing
  EXPECT_EQ(Grid->GetCellGraphic(1, 1), nullptr);
  Grid->AddProgressPie(1, 1, clBlue, 10);
  Grid->SetProgressPie(1, 1, 40);
  EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellAngle(), 40);
  Grid->AddShape(2, 1, csCircle, clRed, clBlack, haCenter, vaCenter);
  EXPECT_EQ(Grid->GetShapeColor(2, 1), clRed);
  Grid->SetShapeColor(2, 1, clGreen);
  EXPECT_EQ(Grid->GetShapeColor(2, 1), clGreen);
  Grid->SetCells(3, 1, "text");
  EXPECT_EQ(Grid->GetShapeColor(3, 1), clNone);
  Grid->AddRating(3, 1, 5, clRed, clSilver);
  EXPECT_TRUE(Grid->HasRating(3, 1));
  EXPECT_EQ(Grid->GetCellGraphic(3, 1)->CellHAlign(), haFull);
}

TEST_F(ProGridIndicatorsTest, CommentsOnlyWhereThereIsRoom) {
  std::string c;
  Grid->SetComment(1, 1, "new");
  EXPECT_TRUE(Grid->IsComment(1, 1, c));
  EXPECT_EQ(c, "new");
  EXPECT_EQ(static_cast<TColor>(Grid->GetCellGraphic(1, 1)->CellIndex()), Grid->ControlLook().CommentColor());
  Grid->SetComment(1, 1, "changed");
  EXPECT_EQ(Grid->GetComment(1, 1), "changed");
  TBitmap bmp(4, 4);
  Grid->AddBitmap(2, 1, &bmp, false, haLeft, vaTop);
  Grid->SetComment(2, 1, "none");
  EXPECT_EQ(Grid->GetBitmap(2, 1), &bmp);
  EXPECT_EQ(Grid->GetComment(2, 1), "");
  Grid->RemoveAllComments();
  EXPECT_FALSE(Grid->IsComment(1, 1, c));
  EXPECT_EQ(Grid->GetBitmap(2, 1), &bmp);
}

TEST_F(ProGridIndicatorsTest, MarkersKeepTheGraphicTheyAreOn) {
  Grid->AddProgress(1, 1, clRed, clWhite);
  Grid->AddMarker(1, 1, 3, 4);
  int pos, len;
  Grid->GetMarker(1, 1, pos, len);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(len, 4);
  EXPECT_TRUE(Grid->HasProgress(1, 1));
  Grid->RemoveMarker(1, 1);
  Grid->GetMarker(1, 1, pos, len);
  EXPECT_EQ(pos + len, 0);
  EXPECT_TRUE(Grid->HasProgress(1, 1));
  Grid->AddMarker(2, 1, 1, 2);
  EXPECT_EQ(Grid->GetCellType(2, 1), ctEmpty);
  EXPECT_NE(Grid->GetCellGraphic(2, 1), nullptr);
  Grid->RemoveMarker(2, 1);
  EXPECT_EQ(Grid->GetCellGraphic(2, 1), nullptr);
}

TEST_F(ProGridIndicatorsTest, BalloonsBesideCheckBoxesAndOnBareCells) {
  std::string title, text;
  TBalloonIcon icon = biNone;
  Grid->AddCheckBox(1, 1, true, false);
  Grid->AddBalloon(1, 1, "T", "tip", biWarning);
  EXPECT_TRUE(Grid->HasCheckBox(1, 1));
  EXPECT_FALSE(Grid->HasBalloon(1, 1));
  ASSERT_TRUE(Grid->IsBalloon(1, 1, title, text, icon));
  EXPECT_EQ(title, "T");
  EXPECT_EQ(text, "tip");
  EXPECT_EQ(icon, biWarning);
  Grid->AddBalloon(1, 1, "T2", "tip2", biInfo); // replaces the one attached before
  ASSERT_TRUE(Grid->IsBalloon(1, 1, title, text, icon));
  EXPECT_EQ(title, "T2");
  Grid->RemoveBalloon(1, 1);
  EXPECT_TRUE(Grid->HasCheckBox(1, 1));
  EXPECT_FALSE(Grid->IsBalloon(1, 1, title, text, icon));

  Grid->AddBalloon(2, 1, "Bare", "cell", biError);
  EXPECT_TRUE(Grid->HasBalloon(2, 1));
  Grid->AddProgress(3, 1, clRed, clWhite);
  Grid->AddBalloon(3, 1, "no", "room", biInfo);
  EXPECT_TRUE(Grid->HasProgress(3, 1));
  EXPECT_FALSE(Grid->IsBalloon(3, 1, title, text, icon));
}

using ProGridCellObjectsTest = TProGridTest<>;

TEST_F(ProGridCellObjectsTest, ButtonsOfBothKinds) {
  Grid->AddButton(1, 1, 60, 20, "Go", haLeft, vaTop);
  TBitmap* glyph = Grid->CreateBitButton(2, 1, 30, 20, "", haLeft, vaTop);
  ASSERT_NE(glyph, nullptr);
  EXPECT_TRUE(Grid->HasButton(1, 1));
  EXPECT_TRUE(Grid->HasButton(2, 1));
  EXPECT_EQ(Grid->GetButtonText(1, 1), "Go");
  Grid->SetButtonText(1, 1, "Stop");
  EXPECT_EQ(Grid->GetButtonText(1, 1), "Stop");
  Grid->PushButton(1, 1, true);
  EXPECT_TRUE(Grid->GetCellGraphic(1, 1)->CellBoolean());
  EXPECT_FALSE(Grid->RemoveBitButton(1, 1)) << "a plain button stays";
  EXPECT_TRUE(Grid->HasButton(1, 1));
  EXPECT_TRUE(Grid->RemoveButton(2, 1));
  EXPECT_TRUE(Grid->RemoveButton(1, 1));
  EXPECT_EQ(Grid->GetButtonText(1, 1), "");
}

TEST_F(ProGridCellObjectsTest, RadioGroupAdvances) {
  TStringList items;
  items.Add("a");
  items.Add("b");
  items.Add("c");
  struct {
    int Index;
    const char* Text;
    int NextIndex;
    const char* NextText;
  } cases[] = {
      {2, "c", 0, "a"}, {0, "a", 1, "b"}, {-2, "b", -2, "c"}, {-1, "x", 0, "a"}, {-2, "zz", -2, "a"}};
  for (const auto& c : cases) {
    Grid->AddRadio(1, 1, 0, c.Index, &items);
    Grid->SetCells(1, 1, c.Text);
    EXPECT_FALSE(Grid->AdvanceRadio(1, 1, false));
    int idx = 99;
    ASSERT_TRUE(Grid->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, c.NextIndex) << c.Index << " " << c.Text;
    EXPECT_EQ(Grid->Cells(1, 1), c.NextText) << c.Index << " " << c.Text;
  }
  EXPECT_EQ(Grid->GetRadioStrings(1, 1), &items);
  EXPECT_TRUE(Grid->SetRadioIdx(1, 1, -1));
  EXPECT_EQ(Grid->Cells(1, 1), "");
  EXPECT_FALSE(Grid->SetRadioIdx(2, 1, 0));
  Grid->RemoveRadio(1, 1);
}

TEST_F(ProGridCellObjectsTest, RadioGroupWithoutItemsStaysAsItIs) {
  // Mended: the next item of an empty list was item 0 of nothing.
  TStringList* items = Grid->CreateRadio(1, 1, 1, 0);
  ASSERT_NE(items, nullptr);
  Grid->SetCells(1, 1, "kept");
  EXPECT_NO_THROW(Grid->AdvanceRadio(1, 1, true));
  EXPECT_EQ(Grid->Cells(1, 1), "kept");
  int idx = 9;
  Grid->GetRadioIdx(1, 1, idx);
  EXPECT_EQ(idx, 0);
}

TEST_F(ProGridCellObjectsTest, RadioGroupClickAsksWhetherTheCellMayChange) {
  TStringList* items = Grid->CreateRadio(1, 1, 0, 0);
  items->Add("a");
  items->Add("b");
  Grid->OnCanEditCell = [](TObject*, int, int, bool& Can) { Can = false; };
  Grid->AdvanceRadio(1, 1, true);
  int idx = 9;
  Grid->GetRadioIdx(1, 1, idx);
  EXPECT_EQ(idx, 0);
  Grid->ControlLook().SetRadioAlwaysActive(true);
  Grid->AdvanceRadio(1, 1, true);
  Grid->GetRadioIdx(1, 1, idx);
  EXPECT_EQ(idx, 1);
}

TEST_F(ProGridCellObjectsTest, ExpandCellsAndScrollBars) {
  EXPECT_EQ(Grid->GetExpandHeight(1, 1, true), Grid->DefaultRowHeight());
  EXPECT_EQ(Grid->GetExpandHeight(1, 1, false), Grid->DefaultRowHeight());
  Grid->SetRowHeights(1, 30);
  Grid->AddExpand(1, 1, 80);
  EXPECT_FALSE(Grid->GetExpandState(1, 1));
  EXPECT_EQ(Grid->GetExpandHeight(1, 1, true), 80);
  EXPECT_EQ(Grid->GetExpandHeight(1, 1, false), 30);
  EXPECT_TRUE(Grid->ToggleExpand(1, 1));
  EXPECT_TRUE(Grid->GetExpandState(1, 1));
  const TRect cell = Grid->CellRect(1, 1);
  EXPECT_EQ(Grid->GetExpandRect(1, 1), Rect(cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13));
  EXPECT_EQ(Grid->GetExpandRect(2, 1), Rect(0, 0, 0, 0));
  EXPECT_FALSE(Grid->ToggleExpand(2, 1));

  EXPECT_EQ(Grid->GetScrollProp(2, 2).PageSize, -1);
  EXPECT_EQ(Grid->GetScrollProp(2, 2).Range, -1);
  EXPECT_EQ(Grid->GetScrollPosition(2, 2), -1);
  Grid->AddScrollBar(2, 2, false);
  EXPECT_EQ(Grid->GetScrollProp(2, 2).Range, 100);
  EXPECT_EQ(Grid->GetScrollProp(2, 2).PageSize, 0);
  Grid->SetScrollProp(2, 2, {10, 50});
  Grid->SetScrollPosition(2, 2, 7);
  EXPECT_EQ(Grid->GetScrollPosition(2, 2), 7);
  EXPECT_EQ(Grid->GetScrollProp(2, 2).Range, 50);
  EXPECT_FALSE(Grid->HasAutoRangeScrollBar(2, 2));
}

class ProGridRadioGlyphsTest : public TProGridTest<> {
protected:
  TBitmap Draw(int Num, int Index, bool HV, const TStrings* List, TGridControlStyle Style = csWinXP,
               int w = 200, int h = 80) {
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    b.Canvas().Font().SetColor(clWhite); // texts out of the way of the glyphs
    Grid->DrawRadioButtons(b.Canvas(), Rect(0, 0, w, h), Num, Index, HV, false, List, false, 1, 1, Style, 1.0,
                           false);
    return b;
  }
};

TEST_F(ProGridRadioGlyphsTest, OnlyTheIndexedItemIsChecked) {
  TStringList items;
  for (const char* s : {"one", "two", "", "four"})
    items.Add(s);
  const TBitmap none = Draw(4, -2, false, &items);
  const TBitmap third = Draw(4, 2, false, &items);
  // Stacked items, each max(16, text height) apart from y = 2 (an item without text centred);
  // only the third glyph changes.
  const int step = std::max(16, Grid->Canvas().TextHeight("gh"));
  for (int i = 0; i < 4; ++i) {
    const TRect glyph = Rect(0, 2 + i * step, 200, 2 + i * step + 16);
    bool same = true;
    for (int y = glyph.Top; y < glyph.Bottom; ++y)
      for (int x = glyph.Left; x < glyph.Right; ++x)
        same = same && none.Pixel(x, y) == third.Pixel(x, y);
    EXPECT_EQ(same, i != 2) << "item " << i;
  }
  // Index -1 checks the item equal to the cell text; without a list nothing.
  Grid->SetCells(1, 1, "two");
  EXPECT_FALSE(SamePixels(Draw(4, -1, false, &items), none));
  EXPECT_TRUE(SamePixels(Draw(4, -1, false, nullptr), Draw(4, -2, false, nullptr)));
}

TEST_F(ProGridRadioGlyphsTest, SideBySideItemsMakeRoomForEarlierTexts) {
  TStringList shortTexts, longTexts;
  shortTexts.Add("a");
  shortTexts.Add("b");
  longTexts.Add("a long first item");
  longTexts.Add("b");
  const TRect narrow = InkBounds(Draw(2, 1, true, &shortTexts, csWinXP, 300, 20));
  const TRect wide = InkBounds(Draw(2, 1, true, &longTexts, csWinXP, 300, 20));
  EXPECT_GT(wide.Right - narrow.Right, 60);
}

TEST_F(ProGridRadioGlyphsTest, EveryStyleDrawsCheckedAndUnchecked) {
  for (TGridControlStyle style : {csClassic, csFlat, csWinXP, csBorland, csZUZ, csTheme}) {
    const TBitmap on = Draw(1, 0, false, nullptr, style, 30, 30);
    const TBitmap off = Draw(1, -2, false, nullptr, style, 30, 30);
    EXPECT_NE(InkBounds(off), TRect()) << style;
    EXPECT_FALSE(SamePixels(on, off)) << style;
  }
}

TEST_F(ProGridRadioGlyphsTest, ThemedStyleWithoutThemesDrawsClassicButtons) {
  ASSERT_FALSE(
      SamePixels(Draw(1, 0, false, nullptr, csTheme, 30, 30), Draw(1, 0, false, nullptr, csClassic, 30, 30)));
  struct TNoThemes : TStyleSystem {
    bool ThemeActive() const override { return false; }
  } system;
  TScopedStyleSystem scope(system);
  for (int index : {0, -2})
    EXPECT_TRUE(SamePixels(Draw(1, index, false, nullptr, csTheme, 30, 30),
                           Draw(1, index, false, nullptr, csClassic, 30, 30)));
}

} // namespace
