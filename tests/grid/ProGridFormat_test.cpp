// The texts a cell shows, saves and loads, and the room its text needs.
#include "ProGridFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProGridFormatTest : public TProGridTest<TProStringGrid, false> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
  }
};

} // namespace

TEST_F(ProGridFormatTest, WithoutAHandlerTheStoredTextShows) {
  Grid->SetCells(1, 1, "3.14159");
  EXPECT_EQ(Grid->GetFormattedCell(1, 1), "3.14159");
}

// Mended: a failing format (a pattern that does not fit, a value Ints cannot read) keeps the stored
// text, and the owner's pattern only ever reaches the safe formatter.
TEST_F(ProGridFormatTest, FloatFormatHandlerCases) {
  struct TCase {
    const char* Text;
    const char* Format;
    bool KeepFloat;
    const char* Expected;
  } cases[] = {
      {"3.14159", "%.2f", true, "3.14"},     {"2", "%.1f", true, "2.0"},       {"42", "%d", true, "42"},
      {"3.14159", "%.2f", false, "3.14159"}, {"3.14159", "", true, "3.14159"}, {"3.7", "%d", true, "3.7"},
      {"1.5", "%s %s %s", true, "1.5"},      {"1.5", "%n%n", true, "1.5"},     {"abc", "%.2f", true, "abc"},
  };
  for (const TCase& c : cases) {
    Grid->OnGetFloatFormat = [&](TObject*, int, int, bool& IsFloat, std::string& Fmt) {
      IsFloat = c.KeepFloat;
      Fmt = c.Format;
    };
    Grid->SetCells(2, 2, c.Text);
    EXPECT_EQ(Grid->GetFormattedCell(2, 2), c.Expected) << c.Text << " with " << c.Format;
  }
}

TEST_F(ProGridFormatTest, HandlerSeesTheGridFormatOnlyForNumbers) {
  int calls = 0;
  std::string seen;
  Grid->OnGetFloatFormat = [&](TObject*, int, int, bool&, std::string& Fmt) {
    ++calls;
    seen = Fmt;
  };
  Grid->SetCells(1, 1, "text");
  Grid->GetFormattedCell(1, 1);
  EXPECT_EQ(calls, 0);
  Grid->SetCells(1, 1, "1e3");
  Grid->GetFormattedCell(1, 1);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, "%.2f");
}

TEST_F(ProGridFormatTest, SavedTexts) {
  Grid->AddCheckBox(1, 1, true, false);
  Grid->AddCheckBox(1, 2, false, false);
  EXPECT_EQ(Grid->GetSaveCellText(1, 1), "Y") << "an empty plain check box saves its state";
  EXPECT_EQ(Grid->GetSaveCellText(1, 2), "N");
  Grid->AddCheckBox(1, 3, cbChecked);
  EXPECT_EQ(Grid->GetSaveCellText(1, 3), "Y");

  Grid->SetCells(2, 1, "<b>bold</b> text");
  EXPECT_EQ(Grid->GetSaveCellText(2, 1), "bold text");
  Grid->SetSaveWithHTML(true);
  EXPECT_EQ(Grid->GetSaveCellText(2, 1), "<b>bold</b> text");

  Grid->SetCells(3, 1, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n\\f0 Hello\\par\r\nWorld\\par}");
  EXPECT_EQ(Grid->GetSaveCellText(3, 1), "Hello\r\nWorld");
  Grid->SetSaveWithRTF(true);
  EXPECT_EQ(Grid->GetSaveCellText(3, 1), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello\\parWorld\\par}");

  Grid->OnSaveCell = [](TObject*, int ACol, int, std::string& Value) {
    if (ACol == 4) Value = "[" + Value + "]";
  };
  Grid->SetCells(4, 1, "x");
  EXPECT_EQ(Grid->GetSaveCellText(4, 1), "[x]");
}

TEST_F(ProGridFormatTest, SavedTextsAreFormattedOnlyWithSaveVirtCells) {
  Grid->OnGetFloatFormat = [](TObject*, int, int, bool&, std::string& Fmt) { Fmt = "%.1f"; };
  Grid->SetCells(1, 1, "2.25");
  EXPECT_EQ(Grid->GetSaveCellText(1, 1), "2.25");
  Grid->SetSaveVirtCells(true);
  EXPECT_EQ(Grid->GetSaveCellText(1, 1).substr(0, 2), "2.");
  EXPECT_EQ(Grid->GetSaveCellText(1, 1).size(), 3u);
}

TEST_F(ProGridFormatTest, LoadedTextsPassTheLoadEvent) {
  Grid->OnLoadCell = [](TObject*, int, int, std::string& Value) { Value += "!"; };
  Grid->LoadCellText(2, 3, "v");
  EXPECT_EQ(Grid->Cells(2, 3), "v!");
}

TEST_F(ProGridFormatTest, MeasuredSizes) {
  TCanvas& c = Grid->Canvas();
  Grid->SetCells(1, 1, "Some text");
  c.Font().Assign(Grid->Font());
  const int w = c.TextWidth("Some text"), h = c.TextHeight("gh");
  TSize plain = Grid->GetCellTextSize(1, 1, false, false);
  EXPECT_EQ(plain.cx, w);
  EXPECT_EQ(plain.cy, h);

  Grid->SetCells(1, 2, "one\rtwo");
  EXPECT_EQ(Grid->GetCellTextSize(1, 2, false, false).cy, h) << "one line without Multilinecells";
  Grid->SetMultilineCells(true);
  EXPECT_EQ(Grid->GetCellTextSize(1, 2, false, false).cy, 2 * h);

  // Turned by 90 degrees, width and height swap and each gains 12.
  Grid->AddRotated(1, 3, 90, "Some text");
  Grid->SetCells(1, 3, "Some text");
  TSize turned = Grid->GetCellTextSize(1, 3, false, false);
  EXPECT_EQ(turned.cx, h + 12);
  EXPECT_EQ(turned.cy, w + 12);
}

TEST_F(ProGridFormatTest, HeightForTheWidthWrapsInsideTheCell) {
  Grid->SetColWidths(2, 100);
  Grid->SetCells(2, 1, "many words that need more than one line to show");
  TSize s = Grid->GetCellTextSize(2, 1, true, true);
  EXPECT_LE(s.cx, 100 - 17 - 4);
  EXPECT_GT(s.cy, Grid->Canvas().TextHeight("gh"));
}
