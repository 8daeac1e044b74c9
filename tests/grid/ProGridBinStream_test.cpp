// The binary cell stream: its bytes, what a cell carries through it, where a rectangle lands, and
// hostile streams that must leave the grid as it was.
#include "ProGridFixture.h"
#include "grid/FilePicture.h"
#include "grid/GridBinStream.h"
#include "grid/GridColumns.h"
#include "platform/ComponentStream.h"
#include "platform/ui/ExtCtrls.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

namespace {

using namespace std::literals;
using TBinStreamTest = TProGridTest<TProStringGrid, false>;

std::string Saved(TProStringGrid& g, const TGridRect& r) {
  TMemoryStream s;
  g.SaveRectToBinStream(r, s);
  return s.Bytes();
}

void Load(TProStringGrid& g, std::string_view bytes, TPoint at = {0, 0}, bool whole = false) {
  TMemoryStream s;
  s.WriteBuffer(bytes);
  s.SetPosition(0);
  if (whole)
    g.LoadFromBinStream(s);
  else
    g.LoadAtPointFromBinStream(at, s);
}

void Plain(TProStringGrid& g, int cols, int rows) {
  g.SetFixedCols(0);
  g.SetFixedRows(0);
  g.SetColCount(cols);
  g.SetRowCount(rows);
}

TEST_F(TBinStreamTest, GoldenBytesOfTheHeaderAndAPlainCell) {
  const std::string header = "TPF0\x0BTGridPropIO\0\x08"
                             "ColCount\x02\x02\x08RowCount\x02\x01\x09"
                             "ColWidths\x06\x05"
                             "64,64\x0ARowHeights\x06\x02"
                             "22\x08"
                             "FullGrid\x08\x02ID\x02\x07\0\0"s;
  EXPECT_EQ(GridStreamHeaderImage({2, 1, "64,64", "22", false, 7}), header);

  Plain(*Grid, 4, 3);
  Grid->SetDefaultRowHeight(22);
  for (int r = 0; r < 3; ++r)
    Grid->SetRowHeights(r, 22);
  Grid->SetCells(1, 2, "a");
  const std::string bytes = Saved(*Grid, {1, 2, 2, 2});
  const std::string own = GridStreamHeaderImage({2, 1, "64,64", "22", false, Grid->StreamID()});
  ASSERT_EQ(bytes.substr(0, own.size()), own);
  const std::string cell = "TPF0\x0BTGridCellIO\0\x03"
                           "Col\x02\x01\x03Row\x02\x02\x04"
                           "Cell\x06\x01"
                           "a\x07HasProp\x08\0\0"s;
  EXPECT_EQ(bytes.substr(own.size(), cell.size()), cell);
  // The second cell is empty: no text is written.
  EXPECT_EQ(bytes.substr(own.size() + cell.size()), "TPF0\x0BTGridCellIO\0\x03"
                                                    "Col\x02\x02\x03Row\x02\x02\x07HasProp\x08\0\0"s);
}

// Past a thousand live grids the numbers still differ, and each names a task of this process,
// which no other process can have while it runs.
TEST_F(TBinStreamTest, GridNumbersStayDistinctPastAThousandGrids) {
  std::vector<std::unique_ptr<TGridStreamID>> ids;
  for (int i = 0; i < 2100; ++i)
    ids.push_back(std::make_unique<TGridStreamID>());
  ids.erase(ids.begin() + 500, ids.begin() + 1500); // freed numbers are taken again
  for (int i = 0; i < 1200; ++i)
    ids.push_back(std::make_unique<TGridStreamID>());
  std::set<std::int32_t> values{Grid->StreamID()};
  for (const auto& id : ids) {
    ASSERT_TRUE(values.insert(id->Value()).second) << id->Value();
    const std::uint32_t task = static_cast<std::uint32_t>(id->Value()) >> 10;
    EXPECT_TRUE(std::filesystem::exists("/proc/self/task/" + std::to_string(task))) << task;
  }
}

TEST_F(TBinStreamTest, ACellWithPropertiesWritesThemByNameAndLoadsThemBack) {
  Plain(*Grid, 2, 2);
  Grid->SetCells(0, 0, "x");
  TCellProperties* p = Grid->CellProperties(0, 0);
  p->SetAlignment(taCenter);
  p->SetBrushColor(clWindow);
  p->SetFontColor(RGB(1, 2, 3));
  p->SetFontName("Verdana");
  p->SetFontSize(11);
  p->SetFontStyle(fsBold | fsUnderline);
  p->SetReadOnly(true);
  p->SetEditor(edComboList);
  const std::string bytes = Saved(*Grid, {0, 0, 0, 0});
  for (std::string_view piece : {"\x18"
                                 "CellProperties.Alignment\x07\x08taCenter"sv,
                                 "\x19"
                                 "CellProperties.BrushColor\x07\x08"
                                 "clWindow"sv,
                                 "\x18"
                                 "CellProperties.FontColor\x04\x01\x02\x03\x00"sv,
                                 "\x18"
                                 "CellProperties.FontStyle\x0B\x06"
                                 "fsBold\x0B"
                                 "fsUnderline\x00"sv,
                                 "\x0AHasGraphic\x08"sv})
    EXPECT_NE(bytes.find(piece), std::string::npos) << piece;
  EXPECT_EQ(bytes.find("Control"), std::string::npos);

  TGridOnForm<> other(false);
  Plain(*other.Grid, 3, 3);
  other.Grid->CellProperties(2, 2)->SetWordWrap(
      true); // the target's own look stays where the stream is silent
  Load(*other.Grid, bytes, {2, 2});
  const TCellProperties* q = other.Grid->FindCellProperties(2, 2);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(other.Grid->Cells(2, 2), "x");
  EXPECT_EQ(q->Alignment(), taCenter);
  EXPECT_EQ(q->BrushColor(), clWindow);
  EXPECT_EQ(q->FontColor(), RGB(1, 2, 3));
  EXPECT_EQ(q->FontName(), "Verdana");
  EXPECT_EQ(q->FontSize(), 11);
  EXPECT_EQ(q->FontStyle(), fsBold | fsUnderline);
  EXPECT_TRUE(q->ReadOnly());
  EXPECT_EQ(q->Editor(), edComboList);
  EXPECT_EQ(q->WordWrap(), p->WordWrap());
  EXPECT_EQ(other.Grid->GetCellGraphic(2, 2), nullptr);
}

TEST_F(TBinStreamTest, ImagesTwoZeroFiveAndABitmapRoundTrip) {
  Plain(*Grid, 3, 1);
  Grid->CreateCellGraphic(0, 0)->SetMultiImage(0, 0, 0, haLeft, vaTop);
  TIntList* list = Grid->GetCellGraphic(0, 0)->CellIntList();
  ASSERT_NE(list, nullptr);
  for (int v : {2, 0, 5})
    list->Add(v);
  TBitmap* bmp = Grid->CreateBitmap(1, 0, false, haCenter, vaCenter);
  bmp->SetSize(3, 2);
  bmp->SetPixel(0, 0, clRed);
  bmp->SetPixel(2, 1, clBlue);
  TPicture* pic = Grid->CreatePicture(2, 0, false, noStretch, 0, haLeft, vaTop);
  TBitmap small(2, 2);
  small.SetPixel(1, 1, clLime);
  pic->Assign(small);
  Grid->SetRowCount(2);
  TBitmap* icon = Grid->CreateIcon(0, 1, haLeft, vaTop);
  icon->SetSize(4, 4);
  icon->SetPixel(3, 3, clNavy);
  const std::string bytes = Saved(*Grid, {0, 0, 2, 1});
  EXPECT_NE(bytes.find("\x0FStrings.Strings\x01\x06\x01"
                       "2\x06\x01"
                       "0\x06\x01"
                       "5\x00"sv),
            std::string::npos);
  EXPECT_NE(bytes.find("\x0B"
                       "Bitmap.Data\x0A"sv),
            std::string::npos);
  EXPECT_NE(bytes.find("Picture.Data\x0A"sv), std::string::npos);
  EXPECT_NE(bytes.find("\x07TBitmap"sv), std::string::npos);

  TGridOnForm<> other(false);
  Plain(*other.Grid, 3, 2);
  Load(*other.Grid, bytes);
  const TCellGraphic* i = other.Grid->GetCellGraphic(0, 1);
  ASSERT_TRUE(i && i->CellIcon());
  EXPECT_EQ(i->CellIcon()->Pixel(3, 3), clNavy);
  const TCellGraphic* g = other.Grid->GetCellGraphic(0, 0);
  ASSERT_TRUE(g && g->CellIntList());
  EXPECT_EQ(g->CellIntList()->ToVector(), (std::vector<int>{2, 0, 5}));
  const TCellGraphic* b = other.Grid->GetCellGraphic(1, 0);
  ASSERT_TRUE(b && b->CellBitmap());
  EXPECT_EQ(b->CellType(), ctBitmap);
  EXPECT_EQ(b->CellHAlign(), haCenter);
  EXPECT_EQ(b->CellBitmap()->Width(), 3);
  EXPECT_EQ(b->CellBitmap()->Pixel(0, 0), clRed);
  EXPECT_EQ(b->CellBitmap()->Pixel(2, 1), clBlue);
  EXPECT_TRUE(b->CellCreated());
  const TPicture* q = other.Grid->GetPicture(2, 0);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->Bitmap().Pixel(1, 1), clLime);
}

TEST_F(TBinStreamTest, EachEnumerationKeepsItsIdentifierSpellings) {
  auto names = [](auto e) {
    using E = decltype(e);
    std::vector<std::string> out;
    for (int i = 0; i < EnumCount<E>(); ++i)
      out.emplace_back(EnumNameAt<E>(i));
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(names(TCellType{}), (V{"ctBitmap",      "ctIcon",         "ctNone",      "ctImageList",
                                   "ctCheckBox",    "ctDataCheckBox", "ctRotated",   "ctDataImage",
                                   "ctNode",        "ctRadio",        "ctEmpty",     "ctImages",
                                   "ctPicture",     "ctFilePicture",  "ctValue",     "ctProgress",
                                   "ctComment",     "ctButton",       "ctBitButton", "ctVirtCheckBox",
                                   "ctRowCheckBox", "ctProgressPie",  "ctSummary",   "ctRangeIndicator",
                                   "ctXPProgress",  "ctInterface",    "ctScrollbar", "ctRadioButton",
                                   "ctBalloon",     "ctShape",        "ctRating",    "ctTriStateCheckBox",
                                   "ctExpand"}));
  EXPECT_EQ(names(TCellVAlign{}),
            (V{"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"}));
  EXPECT_EQ(names(TCellHAlign{}),
            (V{"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"}));
  EXPECT_EQ(names(TCheckBoxState{}), (V{"cbUnchecked", "cbChecked", "cbGrayed"}));
  EXPECT_EQ(names(TBrushStyle{}), (V{"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                     "bsBDiagonal", "bsCross", "bsDiagCross"}));
  EXPECT_EQ(names(TAlignment{}), (V{"taLeftJustify", "taRightJustify", "taCenter"}));
  EXPECT_EQ(names(TVAlignment{}), (V{"vtaTop", "vtaCenter", "vtaBottom"}));
  EXPECT_EQ(names(TCellGradientDirection{}), (V{"GradientVertical", "GradientHorizontal"}));
  EXPECT_EQ(V(FontStyleNames.begin(), FontStyleNames.end()),
            (V{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
  EXPECT_EQ(names(TEditorType{}).front(), "edNormal");
}

TEST_F(TBinStreamTest, AWholeGridLoadsIntoAnotherWithItsSizeWidthsAndHeights) {
  Plain(*Grid, 3, 4);
  Grid->SetFixedRows(1);
  Grid->SetFixedCols(1);
  Grid->SetColWidths(2, 40);
  Grid->SetRowHeights(3, 30);
  Grid->SetCells(2, 3, "last");
  Grid->SetColors(1, 1, clYellow);
  TMemoryStream s;
  Grid->SaveToBinStream(s); // SaveFixedCells is on by default: the whole grid
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  s.SetPosition(0);
  other.Grid->LoadFromBinStream(s);
  EXPECT_EQ(other.Grid->ColCount(), 3);
  EXPECT_EQ(other.Grid->RowCount(), 4);
  EXPECT_EQ(other.Grid->ColWidths(2), 40);
  EXPECT_EQ(other.Grid->RowHeights(3), 30);
  EXPECT_EQ(other.Grid->Cells(2, 3), "last");
  EXPECT_EQ(other.Grid->Colors(1, 1), clYellow);
}

TEST_F(TBinStreamTest, AFullGridSavedWithoutFixedCellsIsAppliedAfterThem) {
  Plain(*Grid, 3, 3);
  Grid->SetFixedCols(1);
  Grid->SetFixedRows(1);
  Grid->SetSaveFixedCells(false);
  Grid->SetColWidths(1, 41);
  Grid->SetColWidths(2, 42);
  Grid->SetRowHeights(2, 33);
  Grid->SetCells(1, 1, "first");
  const std::string bytes = Saved(*Grid, {1, 1, 2, 2});
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  other.Grid->SetColWidths(0, 17);
  Load(*other.Grid, bytes, {0, 0}, true);
  EXPECT_EQ(other.Grid->ColCount(), 3);
  EXPECT_EQ(other.Grid->RowCount(), 3);
  EXPECT_EQ(other.Grid->ColWidths(0), 17); // before the saved columns: untouched
  EXPECT_EQ(other.Grid->ColWidths(1), 41);
  EXPECT_EQ(other.Grid->ColWidths(2), 42);
  EXPECT_EQ(other.Grid->RowHeights(2), 33);
  EXPECT_EQ(other.Grid->Cells(1, 1), "first");
}

TEST_F(TBinStreamTest, ARectangleLandsAtThePointAndCellsOutsideAreDropped) {
  Plain(*Grid, 6, 8);
  for (int r = 5; r <= 6; ++r)
    for (int c = 3; c <= 4; ++c)
      Grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
  const std::string bytes = Saved(*Grid, {3, 5, 4, 6});
  TGridOnForm<> other(false);
  Plain(*other.Grid, 3, 3);
  Load(*other.Grid, bytes, {0, 1});
  EXPECT_EQ(other.Grid->ColCount(), 3);
  EXPECT_EQ(other.Grid->RowCount(), 3);
  EXPECT_EQ(other.Grid->Cells(0, 1), "3,5");
  EXPECT_EQ(other.Grid->Cells(1, 2), "4,6");
  // Near the edge only the cells inside the grid arrive; the grid does not grow.
  TGridOnForm<> edge(false);
  Plain(*edge.Grid, 3, 3);
  Load(*edge.Grid, bytes, {2, 2});
  EXPECT_EQ(edge.Grid->Cells(2, 2), "3,5");
  EXPECT_EQ(edge.Grid->ColCount(), 3);
  EXPECT_EQ(edge.Grid->RowCount(), 3);
  // A rectangle reaching past the saving grid writes only its cells.
  EXPECT_EQ(Saved(*Grid, {4, 6, 9, 9}), Saved(*Grid, {4, 6, 5, 7}));
}

TEST_F(TBinStreamTest, EdgeCasesOfTheRecords) {
  // Mended: each graphic record starts from its defaults, so a value of 0 is not inherited.
  Plain(*Grid, 2, 1);
  Grid->AddProgress(0, 0, clRed, clWhite);
  Grid->GetCellGraphic(0, 0)->SetCellValue(50);
  Grid->AddProgress(1, 0, clRed, clWhite);
  Grid->GetCellGraphic(1, 0)->SetCellValue(0);
  std::string bytes = Saved(*Grid, {0, 0, 1, 0});
  TGridOnForm<> other(false);
  Plain(*other.Grid, 2, 1);
  Load(*other.Grid, bytes + "\x01"); // and a one-byte remainder is ignored
  ASSERT_TRUE(other.Grid->GetCellGraphic(0, 0) && other.Grid->GetCellGraphic(1, 0));
  EXPECT_EQ(other.Grid->GetCellGraphic(0, 0)->CellValue(), 50);
  EXPECT_EQ(other.Grid->GetCellGraphic(1, 0)->CellValue(), 0);

  // Mended: a column past 65535 keeps its index (a 4-byte tag) instead of wrapping to 4464.
  TComponentWriter w("TGridCellIO");
  w.WriteInteger("Col", 70000);
  w.WriteInteger("Row", 0);
  w.WriteString("Cell", "far");
  w.WriteBoolean("HasProp", false);
  TComponentWriter near("TGridCellIO");
  near.WriteInteger("Col", 70001);
  near.WriteInteger("Row", 1);
  near.WriteString("Cell", "near");
  near.WriteBoolean("HasProp", false);
  TGridOnForm<> wide(false);
  Plain(*wide.Grid, 5, 5);
  Load(*wide.Grid, GridStreamHeaderImage({2, 2, "", "", false, 1}) + w.Finish() + near.Finish(), {1, 1});
  EXPECT_EQ(wide.Grid->Cells(1, 1), "far");
  EXPECT_EQ(wide.Grid->Cells(2, 2), "near");

  // Mended: a file picture's file is not opened while the stream is read.
  Plain(*Grid, 1, 1);
  Grid->CreateFilePicture(0, 0, false, noStretch, 0, haLeft, vaTop);
  TComponentWriter fp("TGridFilePicIO");
  fp.WriteString("Picture.Filename", "/dev/zero");
  TComponentWriter cell("TGridCellIO");
  cell.WriteInteger("Col", 0);
  cell.WriteInteger("Row", 0);
  cell.WriteBoolean("HasProp", true);
  TComponentWriter props("TGridCellPropIO");
  props.WriteBoolean("HasGraphic", true);
  TComponentWriter graphic("TGridGraphicIO");
  graphic.WriteIdent("CellGraphic.CellType", "ctFilePicture");
  Load(*Grid, GridStreamHeaderImage({1, 1, "", "", false, 1}) + cell.Finish() + props.Finish() +
                  graphic.Finish() + fp.Finish());
  const TCellGraphic* g = Grid->GetCellGraphic(0, 0);
  ASSERT_TRUE(g && g->CellFilePicture());
  EXPECT_EQ(g->CellFilePicture()->Filename(), "/dev/zero");
  EXPECT_EQ(g->CellFilePicture()->Width(), 0);
}

std::string HostileCell(std::string_view cls, std::string_view extra) {
  std::string image = "TPF0"s + static_cast<char>(cls.size()) + std::string(cls) + '\0' +
                      "\x03"
                      "Col\x02\x00\x03Row\x02\x00"s +
                      std::string(extra) + "\x07HasProp\x08\0\0"s;
  return image;
}

TEST_F(TBinStreamTest, HostileStreamsAreRefusedAndTheGridStaysAsItWas) {
  const std::string good = GridStreamHeaderImage({1, 1, "", "", false, 1});
  const struct {
    const char* Name;
    std::string Bytes;
  } cases[] = {
      {"empty", ""},
      {"counts of 2^31 in a full grid",
       GridStreamHeaderImage({0x7FFFFFFF, 0x7FFFFFFF, "64", "22", true, 1}) + HostileCell("TGridCellIO", "")},
      {"short width list", GridStreamHeaderImage({3, 1, "64,64", "22", true, 1})},
      {"width list with junk", GridStreamHeaderImage({2, 1, "64,x", "22", true, 1})},
      {"more columns than the grid loads", GridStreamHeaderImage({20000, 1, "", "22", true, 1})},
      {"negative count", GridStreamHeaderImage({-1, 1, "", "", false, 1})},
      {"unknown class", good + HostileCell("TGridEvilIO", "")},
      {"unknown property", good + HostileCell("TGridCellIO", "\x04Evil\x08")},
      {"unknown tag", good + HostileCell("TGridCellIO", "\x04"
                                                        "Cell\x0E")},
      {"length past the end", good + HostileCell("TGridCellIO", "\x04"
                                                                "Cell\x0C\xFF\xFF\xFF\x0F")},
      {"odd wide string", good + HostileCell("TGridCellIO", "\x04"
                                                            "Cell\x12\x05\0\0\0a\0")},
      {"negative column", good + "TPF0\x0BTGridCellIO\0\x03"
                                 "Col\x02\xFF\x03Row\x02\x00\x07HasProp\x08\0\0"s},
      {"property record missing", good + "TPF0\x0BTGridCellIO\0\x03"
                                         "Col\x02\x00\x03Row\x02\x00\x07HasProp\x09\0\0"s},
      {"unknown enumeration", good + "TPF0\x0BTGridCellIO\0\x03"
                                     "Col\x02\x00\x03Row\x02\x00\x07HasProp\x09\0\0"
                                     "TPF0\x0FTGridCellPropIO\0\x18"
                                     "CellProperties.Alignment\x07\x04taUp\x0AHasGraphic\x08\0\0"s},
      {"a good cell before a damaged one", good +
                                               HostileCell("TGridCellIO", "\x04"
                                                                          "Cell\x06\x03new") +
                                               HostileCell("TGridCellIO", "\x04"
                                                                          "Cell\x0E")},
  };
  for (const auto& c : cases) {
    Plain(*Grid, 3, 3);
    Grid->SetColWidths(0, 50);
    Grid->SetCells(0, 0, "old");
    try {
      Load(*Grid, c.Bytes, {0, 0}, true);
      ADD_FAILURE() << c.Name << ": loaded";
    } catch (const EReadError&) {
    } catch (const EProGridError&) {
    }
    EXPECT_EQ(Grid->ColCount(), 3) << c.Name;
    EXPECT_EQ(Grid->RowCount(), 3) << c.Name;
    EXPECT_EQ(Grid->ColWidths(0), 50) << c.Name;
    EXPECT_EQ(Grid->Cells(0, 0), "old") << c.Name;
  }
}

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces = {"\t",
                                                  "a",
                                                  "\"",
                                                  ",",
                                                  ";",
                                                  "&",
                                                  "<",
                                                  ">",
                                                  "\r\n",
                                                  " ",
                                                  "\xC3\xA9",
                                                  "\xD0\x96",
                                                  "\xE4\xB8\xAD",
                                                  "\xF0\x9F\x98\x80",
                                                  "\xF0\x90\x8D\x88",
                                                  "1",
                                                  "\x7F",
                                                  std::string(300, 'x')};
  std::string s;
  int n = std::uniform_int_distribution<int>(0, 6)(rng);
  for (int i = 0; i < n; ++i)
    s += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
  return s;
}

// Without SaveHiddenCells the visible columns go out; with it every real column, loading visible.
TEST_F(TBinStreamTest, RandomTextsComeBackExactly) {
  for (bool saveHidden : {false, true})
    for (unsigned seed = 1; seed <= 12; ++seed) {
      std::mt19937 rng(seed);
      TGridOnForm<> from(false);
      TProStringGrid& g = *from.Grid;
      FillRoundTripGrid(g, [&] { return RandomText(rng); });
      g.SetColWidths(3, 41);
      g.HideColumn(2);
      g.HideColumn(4);
      g.SetSaveHiddenCells(saveHidden);
      TMemoryStream s;
      g.SaveToBinStream(s);
      TGridOnForm<> to(false);
      s.SetPosition(0);
      to.Grid->LoadFromBinStream(s);
      const int cols = saveHidden ? g.TotalColCount() : g.ColCount();
      ASSERT_EQ(to.Grid->ColCount(), cols) << seed;
      ASSERT_EQ(to.Grid->RowCount(), g.RowCount()) << seed;
      EXPECT_EQ(to.Grid->ColWidths(saveHidden ? 3 : 2), 41) << seed;
      for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < cols; ++c)
          ASSERT_EQ(to.Grid->GridCells(c, r), g.GridCells(saveHidden ? c : g.DisplToRealCol(c), r))
              << "hidden " << saveHidden << " seed " << seed << " cell " << c << "," << r;
    }
}

TEST_F(TBinStreamTest, FilesAreWrittenWholeAndAMissingFileChangesNothing) {
  TTempDir dir;
  Plain(*Grid, 2, 2);
  Grid->SetCells(1, 1, "f");
  const std::string path = dir.Path() + "/g.bin";
  Grid->SaveToBinFile(path);
  TGridOnForm<> other(false);
  other.Grid->LoadFromBinFile(path);
  EXPECT_EQ(other.Grid->Cells(1, 1), "f");
  EXPECT_THROW(other.Grid->LoadFromBinFile(dir.Path() + "/none.bin"), EStreamError);
  EXPECT_EQ(other.Grid->Cells(1, 1), "f");
}

} // namespace

namespace {

TEST_F(TBinStreamTest, TheFuzzSeedsAreStreamsThatLoad) {
  for (const char* name : {"header_plain_cell", "full_grid_merged_images"}) {
    TMemoryStream s;
    ASSERT_TRUE(s.LoadFromFile(std::string(VELMARIC_TEST_DATA) + "/fuzz/grid_bin_stream/" + name)) << name;
    Plain(*Grid, 3, 3);
    EXPECT_NO_THROW(Grid->LoadFromBinStream(s)) << name;
  }
  EXPECT_EQ(Grid->Cells(1, 1), "z");
  EXPECT_TRUE(Grid->IsMergedCell(1, 0));
  EXPECT_EQ(Grid->GetCellGraphic(0, 0)->CellValue(), 1.0);
}

} // namespace
