// Drops on a string grid through scripted drags: where text, columns, cells and files may go,
// what each does to the grid, the arrows beside the target, scrolling towards hidden rows, and
// drops that fail or have nowhere to land leaving the grid as it was.
#include "grid/GridDropTarget.h"

#include "ProGridFixture.h"
#include "grid/TArrowWindow.h"
#include "platform/Clock.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/HeadlessServices.h"
#include "support/MessageResponder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using TCells = std::vector<std::string>;

std::shared_ptr<TDataObject> TextData(const std::string& text) {
  auto d = std::make_shared<TDataObject>();
  d->SetText(text);
  return d;
}

std::shared_ptr<TDataObject> FileData(const std::vector<std::string>& files) {
  auto d = std::make_shared<TDataObject>();
  d->SetGlobal(CF_HDROP, DropFilesBlock(files));
  return d;
}

IDataObjectPtr ColumnData(int column) {
  return std::make_shared<TSourceDataObject>(std::string(), std::string(), column, nullptr);
}

class GridDropTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    SetAcceptDropRTF(false);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->DragDropSettings().SetOleDropTarget(true);
    ASSERT_TRUE(Grid->DragDropSettings().DropTargetRegistered());
  }
  void TearDown() override {
    Headless::ClearDragScripts();
    SetAcceptDropRTF(false);
    TProGridTest::TearDown();
  }

  TPoint Center(int c, int r) const {
    const TRect R = Grid->CellRect(c, r);
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  }
  // Enters at the first point, moves over the rest, then drops (or cancels); the effect the grid
  // showed at the last point, and in `dropped` the effect the drop took.
  unsigned Drag(IDataObjectPtr data, std::vector<TPoint> path, bool drop = true, unsigned* dropped = nullptr,
                TProStringGrid* over = nullptr) {
    TProStringGrid& target = over ? *over : *Grid;
    unsigned shown = DROPEFFECT_NONE;
    Headless::OnNextDrag([&](Headless::TDragDriver& d) {
      for (TPoint p : path)
        d.MoveOver(target, p);
      shown = d.Effect();
      if (drop)
        d.Drop();
      else
        d.Cancel();
    });
    unsigned effect = DROPEFFECT_NONE;
    DoDragDrop(std::move(data), std::make_shared<TASGDropSource>(), DROPEFFECT_COPY | DROPEFFECT_MOVE,
               effect);
    if (dropped) *dropped = effect;
    return shown;
  }
  unsigned DropAt(IDataObjectPtr data, TPoint p, TProStringGrid* over = nullptr) {
    unsigned effect = DROPEFFECT_NONE;
    Drag(std::move(data), {p}, true, &effect, over);
    return effect;
  }
  TCells Snapshot() const {
    TCells all;
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->ColCount(); ++c)
        all.push_back(Grid->Cells(c, r));
    return all;
  }
  void Fill() {
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->ColCount(); ++c)
        Grid->SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
  }
  TPoint ArrowAt(TArrowDirection dir) { return Grid->DropArrow(dir)->ClientToScreen({0, 0}); }
  TPoint Screen(TPoint client) const { return Grid->ClientToScreen(client); }
};

TEST_F(GridDropTest, TextIsTakenOnNormalCellsOnly) {
  struct Case {
    const char* name;
    bool oneRowHeader;
    int col, row;
    bool allowed;
    int landsRow;
  };
  const Case cases[] = {
      {"normal cell", false, 2, 3, true, 3},
      {"fixed row", false, 2, 0, false, -1},
      {"header of a grid that is only its header row", true, 2, 0, true, 1},
  };
  for (const Case& c : cases) {
    TGridOnForm<> place;
    TProStringGrid& g = *place.Grid;
    g.SetOptions(g.Options() | goEditing);
    g.SetColCount(4);
    g.SetRowCount(c.oneRowHeader ? 1 : 6);
    g.SetFixedRowAlways(c.oneRowHeader);
    g.DragDropSettings().SetOleDropTarget(true);
    const TRect r = g.CellRect(c.col, c.row);
    const TPoint at{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    unsigned dropped = DROPEFFECT_NONE;
    const unsigned shown = Drag(TextData("dropped"), {at, at}, true, &dropped, &g);
    EXPECT_EQ(shown != DROPEFFECT_NONE, c.allowed) << c.name;
    EXPECT_EQ(dropped != DROPEFFECT_NONE, c.allowed) << c.name;
    EXPECT_EQ(g.DropArrow(arrLeft)->Visible(), false) << c.name << ": the drop hides the arrow";
    if (c.allowed) {
      ASSERT_LT(c.landsRow, g.RowCount()) << c.name;
      EXPECT_EQ(g.Cells(c.col, c.landsRow), "dropped") << c.name;
      EXPECT_EQ(g.Cells(c.col, 0), c.landsRow == 0 ? "dropped" : "") << c.name;
    } else {
      for (int row = 0; row < g.RowCount(); ++row)
        EXPECT_EQ(g.Cells(c.col, row), "") << c.name;
    }
  }
}

TEST_F(GridDropTest, ARefusedPlaceRefusesTheDropStraightAfterEntering) {
  EXPECT_EQ(DropAt(TextData("x"), Center(2, 0)), DROPEFFECT_NONE);
  EXPECT_EQ(Grid->Cells(2, 0), "");
}

TEST_F(GridDropTest, TwoLinesInWholeRows) {
  struct Case {
    const char* name;
    bool insert, append;
    bool below; // dropped below the last row, else on cell (3, 2)
    int rows;
    int col;       // the column read afterwards
    TCells values; // its texts from row 1 on
  };
  const Case cases[] = {
      {"appended below the last row, from the first normal column",
       true,
       true,
       true,
       7,
       1,
       {"1:1", "1:2", "1:3", "1:4", "a", "c"}},
      {"inserted at row 2", true, false, false, 7, 3, {"3:1", "a", "c", "3:2", "3:3", "3:4"}},
      {"over rows 2 and 3", false, false, false, 5, 3, {"3:1", "a", "c", "3:4"}},
      {"below the last row without appending: nowhere",
       true,
       false,
       true,
       5,
       1,
       {"1:1", "1:2", "1:3", "1:4"}},
  };
  for (const Case& c : cases) {
    Grid->SetRowCount(5);
    Fill();
    TDragDropSettings& dd = Grid->DragDropSettings();
    dd.SetOleEntireRows(true);
    dd.SetOleInsertRows(c.insert);
    dd.SetOleAppendRows(c.append);
    const TRect last = Grid->CellRect(3, 4);
    const TPoint at = c.below ? TPoint{last.Left + 5, last.Bottom + 10} : Center(3, 2);
    std::vector<TGridRect> reported;
    Grid->OnOleDropped = [&](TObject*, const TGridRect& r) { reported.push_back(r); };
    Drag(TextData("a\tb\r\nc\td"), {at, at});
    EXPECT_EQ(Grid->RowCount(), c.rows) << c.name;
    TCells values;
    for (int r = 1; r < Grid->RowCount(); ++r)
      values.push_back(Grid->Cells(c.col, r));
    EXPECT_EQ(values, c.values) << c.name;
    EXPECT_EQ(reported.size(), c.rows == 5 && c.below ? 0u : 1u) << c.name;
    if (c.below && c.append) {
      EXPECT_EQ(Grid->Cells(2, 5), "b");
      EXPECT_EQ(Grid->Cells(2, 6), "d");
      EXPECT_EQ(Grid->Selection(), (TGridRect{1, 5, 2, 6}));
    }
    Grid->OnOleDropped = nullptr;
  }
}

TEST_F(GridDropTest, TheArrowMarksTheRowStartAndTheAppendPosition) {
  Grid->SetRowCount(5);
  TDragDropSettings& dd = Grid->DragDropSettings();
  struct Case {
    const char* name;
    bool entireRows;
    TPoint at;
    TPoint cellCorner; // client point the arrow stands 10 pixels left of
  };
  const TRect last = Grid->CellRect(1, 4);
  const Case cases[] = {
      {"on a cell", false, Center(3, 2), {Grid->CellRect(3, 2).Left, Grid->CellRect(3, 2).Top}},
      {"whole rows: the row's first normal cell",
       true,
       Center(3, 2),
       {Grid->CellRect(1, 2).Left, Grid->CellRect(1, 2).Top}},
      {"below the last row: under it", true, {last.Left + 5, last.Bottom + 10}, {last.Left, last.Bottom}},
  };
  dd.SetOleAppendRows(true);
  for (const Case& c : cases) {
    dd.SetOleEntireRows(c.entireRows);
    Headless::OnNextDrag([&](Headless::TDragDriver& d) {
      d.MoveOver(*Grid, c.at);
      d.MoveOver(*Grid, c.at);
      EXPECT_NE(d.Effect(), DROPEFFECT_NONE) << c.name;
      EXPECT_TRUE(Grid->DropArrow(arrLeft)->Visible()) << c.name;
      EXPECT_EQ(ArrowAt(arrLeft), Screen({c.cellCorner.X - 10, c.cellCorner.Y})) << c.name;
      d.MoveOutside();
      EXPECT_FALSE(Grid->DropArrow(arrLeft)->Visible()) << c.name;
      d.Cancel();
    });
    unsigned effect = 0;
    DoDragDrop(TextData("x"), std::make_shared<TASGDropSource>(), DROPEFFECT_COPY, effect);
  }
}

TEST_F(GridDropTest, TheDroppedBlockBecomesTheSelection) {
  struct Case {
    const char* name;
    std::string text;
    bool colGrow;
    TGridRect selection;
  };
  const Case cases[] = {
      {"3 fields on 2 lines at (2, 5)", "a\tb\tc\r\nd\te\tf", true, {2, 5, 4, 6}},
      {"wider than the grid that may not grow: cut at the last column",
       "a\tb\tc\td\te\tf\r\ng",
       false,
       {2, 5, 5, 6}},
  };
  for (const Case& c : cases) {
    Grid->Navigation().SetAllowClipboardColGrow(c.colGrow);
    TGridRect reported{};
    Grid->OnOleDropped = [&](TObject*, const TGridRect& r) { reported = r; };
    EXPECT_NE(DropAt(TextData(c.text), Center(2, 5)), DROPEFFECT_NONE) << c.name;
    EXPECT_EQ(Grid->Selection(), c.selection) << c.name;
    EXPECT_EQ(reported, c.selection) << c.name;
    EXPECT_EQ(Grid->Cells(2, 5), "a") << c.name;
  }
}

TEST_F(GridDropTest, OnOleDropSeesTheCellAndMayRefuse) {
  std::vector<std::string> seen;
  Grid->OnOleDrop = [&](TObject*, int ARow, int ACol, const std::string& data, bool& Allow) {
    seen.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + data);
    Allow = false;
  };
  bool droppedFired = false;
  Grid->OnOleDropped = [&](TObject*, const TGridRect&) { droppedFired = true; };
  DropAt(TextData("no"), Center(3, 4));
  EXPECT_EQ(seen, (std::vector<std::string>{"3,4 no"}));
  EXPECT_EQ(Grid->Cells(3, 4), "");
  EXPECT_TRUE(droppedFired) << "a refused text drop still reports";
}

TEST_F(GridDropTest, AColumnGoesOnTheHeaderRightOfTheFixedColumnsOrAfterTheLast) {
  const TRect lastHeader = Grid->CellRect(5, 0);
  struct Case {
    const char* name;
    TPoint at;
    bool allowed;
    int edge; // client x of the target's left edge
    int top, bottom;
  };
  const Case cases[] = {
      {"header of a normal column", Center(3, 0), true, Grid->CellRect(3, 0).Left, lastHeader.Top,
       lastHeader.Bottom},
      {"after the last column",
       {lastHeader.Right + 20, Center(3, 0).Y},
       true,
       lastHeader.Right,
       lastHeader.Top,
       lastHeader.Bottom},
      {"after the last column below the header",
       {lastHeader.Right + 20, Center(3, 4).Y},
       true,
       lastHeader.Right,
       lastHeader.Top,
       lastHeader.Bottom},
      {"header of the fixed column", Center(0, 0), false, 0, 0, 0},
      {"a normal row", Center(3, 4), false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    Headless::OnNextDrag([&](Headless::TDragDriver& d) {
      d.MoveOver(*Grid, c.at);
      d.MoveOver(*Grid, c.at);
      EXPECT_EQ(d.Effect() != DROPEFFECT_NONE, c.allowed) << c.name;
      TArrowWindow* down = Grid->DropArrow(arrDown);
      TArrowWindow* up = Grid->DropArrow(arrUp);
      EXPECT_EQ(down->Visible(), c.allowed) << c.name;
      EXPECT_EQ(up->Visible(), c.allowed) << c.name;
      if (c.allowed) {
        // The tips point at the edge from above and below the header cell.
        const TPoint downTip = down->ClientToScreen(down->Arrow()[4]);
        const TPoint upTip = up->ClientToScreen(up->Arrow()[0]);
        EXPECT_EQ(downTip.X, Screen({c.edge, 0}).X) << c.name;
        EXPECT_EQ(upTip.X, Screen({c.edge, 0}).X) << c.name;
        EXPECT_EQ(down->ClientToScreen({0, 0}).Y, Screen({0, c.top - 8}).Y) << c.name;
        EXPECT_EQ(up->ClientToScreen({0, 0}).Y, Screen({0, c.bottom}).Y) << c.name;
      }
      d.Cancel();
    });
    unsigned effect = 0;
    DoDragDrop(ColumnData(2), std::make_shared<TASGDropSource>(), DROPEFFECT_MOVE, effect);
    EXPECT_FALSE(Grid->DropArrow(arrDown)->Visible()) << c.name;
  }
}

TEST_F(GridDropTest, ADroppedColumnMovesWithReorderAndIsReported) {
  Fill();
  struct Case {
    const char* name;
    bool reorder;
    int column;
    TPoint at;
    std::string header4; // header text of column 4 afterwards
    std::string reported;
  };
  const TRect lastHeader = Grid->CellRect(5, 0);
  const Case cases[] = {
      {"reported only", false, 2, Center(4, 0), "4:0", "0,4,2"},
      {"column 2 to 4", true, 2, Center(4, 0), "2:0", "0,4,2"},
      {"after the last: the last place", true, 1, {lastHeader.Right + 20, 5}, "5:0", "-1,5,1"},
      {"a column this grid does not have", true, 99, Center(4, 0), "4:0", "0,4,99"},
      {"a fixed column stays", true, 0, Center(4, 0), "4:0", "0,4,0"},
  };
  const bool enh = Grid->EnhRowColMove();
  for (const Case& c : cases) {
    Grid->Clear();
    Fill();
    Grid->DragDropSettings().SetOleColumnReorder(c.reorder);
    std::string reported;
    Grid->OnOleDropCol = [&](TObject*, int ARow, int ACol, int DropCol) {
      reported = std::to_string(ARow) + "," + std::to_string(ACol) + "," + std::to_string(DropCol);
    };
    DropAt(ColumnData(c.column), c.at);
    EXPECT_EQ(reported, c.reported) << c.name;
    EXPECT_EQ(Grid->Cells(4, 0), c.header4) << c.name;
    EXPECT_EQ(Grid->EnhRowColMove(), enh) << c.name << ": restored";
    if (c.column == 1 && c.reorder) {
      EXPECT_EQ(Grid->Cells(5, 0), "1:0");
      // Put the order back for the next case.
      Grid->MoveColumn(5, 1);
    }
    if (c.column == 2 && c.reorder) Grid->MoveColumn(4, 2);
  }
}

TEST_F(GridDropTest, OneCsvOrSpreadsheetFileLoadsByItsExtension) {
  TTempDir dir;
  const std::string csv = "x,y\n1,2\n";
  struct Case {
    const char* name;
    std::vector<std::string> files;
    const char* message; // nullptr: none
    bool loadsCsv;
  };
  const Case cases[] = {
      {"data.csv", {"data.csv"}, nullptr, true},
      {"upper-case extension", {"DATA.CSV"}, nullptr, true},
      {"report.xls: the spreadsheet path", {"report.xls"}, "Excel OLE server not found", false},
      {"REPORT.XLS", {"REPORT.XLS"}, "Excel OLE server not found", false},
      {"a.csv.xls: the spreadsheet only", {"a.csv.xls"}, "Excel OLE server not found", false},
      {"my.csvdata", {"my.csvdata"}, nullptr, false},
      {"x.csv.bak", {"x.csv.bak"}, nullptr, false},
      {"two files", {"data.csv", "other.csv"}, nullptr, false},
      {"a CSV file that is missing", {"gone/missing.csv"}, "", false},
  };
  for (const Case& c : cases) {
    Grid->Clear();
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Fill();
    const TCells before = Snapshot();
    std::vector<std::string> paths;
    for (const std::string& f : c.files)
      paths.push_back(f.find('/') == std::string::npos ? dir.Write(f, csv) : dir.File(f));
    std::vector<std::string> fileEvents;
    Grid->OnOleDropFile = [&](TObject*, int ARow, int ACol, const std::string& name, bool&) {
      fileEvents.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + name);
    };
    TMessageResponder messages;
    if (c.message) messages.Answer(mrOk);
    DropAt(FileData(paths), Center(2, 3));
    if (c.message) {
      ASSERT_EQ(messages.Count(), 1u) << c.name;
      if (*c.message) {
        EXPECT_EQ(messages.Last().Text, c.message) << c.name;
      }
      EXPECT_EQ(messages.Last().Type, mtError) << c.name;
    } else {
      EXPECT_EQ(messages.Count(), 0u) << c.name;
    }
    if (c.loadsCsv) {
      EXPECT_EQ(Grid->Cells(0, 0), "x") << c.name;
      EXPECT_EQ(Grid->Cells(1, 1), "2") << c.name;
    } else {
      EXPECT_EQ(Snapshot(), before) << c.name << ": the grid is unchanged";
    }
    EXPECT_EQ(fileEvents.size(), c.files.size() == 1 ? 1u : 0u) << c.name;
  }
}

TEST_F(GridDropTest, AFileOutsideTheCellsStillLoads) {
  TTempDir dir;
  const std::string path = dir.Write("data.csv", "p,q\n");
  std::vector<std::string> events;
  Grid->OnOleDropFile = [&](TObject*, int ARow, int ACol, const std::string&, bool&) {
    events.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
  };
  const TRect last = Grid->CellRect(5, 3);
  EXPECT_NE(DropAt(FileData({path}), {last.Right + 30, last.Top + 2}), DROPEFFECT_NONE);
  EXPECT_EQ(events, (std::vector<std::string>{"-1,-1"}));
  EXPECT_EQ(Grid->Cells(1, 0), "q");
}

TEST_F(GridDropTest, OutsideTheCellsTextRichTextAndURLsWriteNothing) {
  TTempDir dir;
  const std::string notes = dir.Write("notes.txt", "n");
  struct Case {
    const char* name;
    TClipFormat extra; // 0: plain text
    bool rtf;
  };
  const Case cases[] = {
      {"text", 0, false},
      {"rich text", CF_GRIDRTF(), true},
      {"URL", CF_GRIDURL(), false},
  };
  const TRect last = Grid->CellRect(5, 3);
  const TPoint outside{last.Right + 30, last.Top + 2};
  for (const Case& c : cases) {
    SetAcceptDropRTF(c.rtf);
    Fill();
    const TCells before = Snapshot();
    auto data = FileData({notes});
    data->SetText("http://example.invalid/\r\nsecond");
    if (c.extra) data->SetGlobal(c.extra, AnsiTextBlock(c.rtf ? "{\\rtf1 r}" : "http://example.invalid/"));
    std::vector<std::string> seen;
    Grid->OnOleDrop = [&](TObject*, int ARow, int ACol, const std::string&, bool&) {
      seen.push_back("drop " + std::to_string(ACol) + "," + std::to_string(ARow));
    };
    Grid->OnOleDropURL = [&](TObject*, int ARow, int ACol, const std::string&, bool&) {
      seen.push_back("url " + std::to_string(ACol) + "," + std::to_string(ARow));
    };
    Grid->OnOleDropFile = [&](TObject*, int, int, const std::string&, bool&) { seen.push_back("file"); };
    EXPECT_NE(DropAt(data, outside), DROPEFFECT_NONE) << c.name << ": allowed for the file";
    EXPECT_EQ(Snapshot(), before) << c.name;
    std::vector<std::string> expected{"drop -1,-1", "file"};
    if (c.extra == CF_GRIDURL()) expected.push_back("url -1,-1");
    EXPECT_EQ(seen, expected) << c.name;
  }
}

TEST_F(GridDropTest, RichTextAndURLsGoIntoTheCellUnchanged) {
  TGridOnForm<> other;
  auto rtfData = [] {
    auto d = TextData("plain");
    d->SetGlobal(CF_GRIDRTF(), AnsiTextBlock("{\\rtf1 rich}"));
    return d;
  };
  DropAt(rtfData(), Center(2, 2));
  EXPECT_EQ(Grid->Cells(2, 2), "plain") << "rich text is not taken while no grid accepts it";
  other.Grid->DragDropSettings().SetOleDropRTF(true);
  EXPECT_TRUE(AcceptDropRTF());
  DropAt(rtfData(), Center(2, 3));
  EXPECT_EQ(Grid->Cells(2, 3), "{\\rtf1 rich}") << "another grid's setting counts for this one";
  other.Grid->DragDropSettings().SetOleDropRTF(false);
  DropAt(rtfData(), Center(2, 4));
  EXPECT_EQ(Grid->Cells(2, 4), "plain");

  auto url = std::make_shared<TDataObject>();
  url->SetGlobal(CF_GRIDURL(), AnsiTextBlock("http://example.invalid/a"));
  url->SetText("http://example.invalid/a");
  std::string seen;
  Grid->OnOleDropURL = [&](TObject*, int ARow, int ACol, const std::string& u, bool&) {
    seen = std::to_string(ACol) + "," + std::to_string(ARow) + " " + u;
  };
  DropAt(url, Center(3, 5));
  EXPECT_EQ(seen, "3,5 http://example.invalid/a");
  EXPECT_EQ(Grid->Cells(3, 5), "http://example.invalid/a");
}

TEST_F(GridDropTest, CellsFromAnotherGridArriveWithTheirProperties) {
  TGridOnForm<> source;
  TProStringGrid& s = *source.Grid;
  s.SetColCount(4);
  s.SetRowCount(4);
  s.SetCells(1, 1, "a");
  s.SetCells(2, 1, "b");
  s.CellProperties(1, 1)->SetBrushColor(0x00AA00);
  s.CellProperties(2, 1)->SetFontColor(0x0000BB);
  TMemoryStream cells;
  s.SaveRectToBinStream({1, 1, 2, 1}, cells);
  struct Case {
    const char* name;
    TProStringGrid* from; // the grid the cells were dragged from
    TPoint at;
    int col, row;
  };
  const Case cases[] = {
      {"from another grid", &s, Center(3, 4), 3, 4},
      {"within the same grid", Grid, Center(1, 7), 1, 7},
  };
  for (const Case& c : cases) {
    DropAt(std::make_shared<TSourceDataObject>("a\tb", "", -1, &cells), c.at);
    EXPECT_EQ(Grid->Cells(c.col, c.row), "a") << c.name;
    EXPECT_EQ(Grid->Cells(c.col + 1, c.row), "b") << c.name;
    EXPECT_EQ(Grid->CellProperties(c.col, c.row)->BrushColor(), 0x00AA00u) << c.name;
    EXPECT_EQ(Grid->CellProperties(c.col + 1, c.row)->FontColor(), 0x0000BBu) << c.name;
  }
}

TEST_F(GridDropTest, CellBlocksObeyTheStreamRulesAndAWholeGridDoesNotReplaceThisOne) {
  Fill();
  TGridOnForm<> source;
  TProStringGrid& s = *source.Grid;
  s.SetColCount(3);
  s.SetRowCount(3);
  s.SetCells(0, 0, "w");
  TMemoryStream whole;
  s.SaveToBinStream(whole);
  DropAt(std::make_shared<TSourceDataObject>("w", "", -1, &whole), Center(2, 2));
  EXPECT_EQ(Grid->ColCount(), 6);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->Cells(2, 2), "w");
  EXPECT_EQ(Grid->Cells(1, 1), "1:1");

  // A damaged block is refused whole: shown, the grid as it was, no effect for the source.
  Fill();
  const TCells before = Snapshot();
  TMemoryStream damaged;
  const std::string bytes = whole.Bytes().substr(0, whole.Bytes().size() - 3);
  damaged.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  TMessageResponder messages{mrOk};
  EXPECT_EQ(DropAt(std::make_shared<TSourceDataObject>("w", "", -1, &damaged), Center(2, 2)),
            DROPEFFECT_NONE);
  EXPECT_EQ(messages.Count(), 1u);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(GridDropTest, DroppedTextObeysTheLoadMaximums) {
  struct Case {
    const char* name;
    bool insert;
    int maxCols, maxRows;
    std::string text;
  };
  const std::string wide = "1\t2\t3\t4\t5\t6\t7\t8\t9";
  const Case cases[] = {
      {"more columns than the grid takes", false, 8, 1000, wide},
      {"inserted rows past the maximum", true, 100, 11, "a\r\nb"},
      {"rows inserted, then the columns refused: the rows go again", true, 8, 1000, wide + "\r\nx"},
  };
  for (const Case& c : cases) {
    Grid->SetRowCount(10);
    Fill();
    const TCells before = Snapshot();
    Grid->FileOptions().MaxLoadColCount = c.maxCols;
    Grid->FileOptions().MaxLoadRowCount = c.maxRows;
    Grid->DragDropSettings().SetOleInsertRows(c.insert);
    TMessageResponder messages{mrOk};
    EXPECT_EQ(DropAt(TextData(c.text), Center(2, 3)), DROPEFFECT_NONE) << c.name;
    EXPECT_EQ(messages.Count(), 1u) << c.name;
    EXPECT_EQ(Grid->RowCount(), 10) << c.name;
    EXPECT_EQ(Snapshot(), before) << c.name;
  }
}

TEST_F(GridDropTest, DraggingNearTheEdgesScrolls) {
  Grid->SetRowCount(60);
  Grid->SetColCount(30);
  Grid->SetTopRow(10);
  const int visible = Grid->VisibleRowCount();
  // Over the row below the visible ones: one row down per move.
  const TRect below = Grid->CellRect(2, 10 + visible);
  ASSERT_GT(below.Bottom, below.Top) << "the partly shown row below";
  Drag(TextData("x"), {{below.Left + 3, below.Top + 2}, {below.Left + 3, below.Top + 2}}, false);
  EXPECT_EQ(Grid->TopRow(), 12) << "one for the enter and one for the move";
  // Over the header: up.
  Drag(TextData("x"), {Center(2, 0)}, false);
  EXPECT_EQ(Grid->TopRow(), 11);

  // Near an edge with drag scrolling on: on the test clock, until the drag leaves.
  TFakeClock clock;
  TScopedClock use(clock);
  Grid->DragScrollOptions().SetActive(true);
  const int top = Grid->TopRow();
  Headless::OnNextDrag([&](Headless::TDragDriver& d) {
    d.MoveOver(*Grid, Center(2, top + 2));
    d.MoveOver(*Grid, {Center(2, top + 2).X, Grid->ClientHeight() - 5});
    const int moved = Grid->TopRow();
    EXPECT_EQ(Grid->DragScrollVert(), dsdDown);
    clock.Advance(999);
    Application->ProcessTimers();
    EXPECT_EQ(Grid->TopRow(), moved) << "not before the initial delay";
    clock.Advance(1);
    Application->ProcessTimers();
    EXPECT_EQ(Grid->TopRow(), moved + 1);
    clock.Advance(250);
    Application->ProcessTimers();
    EXPECT_EQ(Grid->TopRow(), moved + 2) << "then at the repeat delay";
    const int now = Grid->TopRow();
    d.MoveOutside();
    clock.Advance(1000);
    Application->ProcessTimers();
    EXPECT_EQ(Grid->TopRow(), now) << "leaving stops it";
    d.Cancel();
  });
  unsigned effect = 0;
  DoDragDrop(TextData("x"), std::make_shared<TASGDropSource>(), DROPEFFECT_COPY, effect);
}

TEST_F(GridDropTest, RegistrationFollowsOleDropTarget) {
  TDragDropSettings& dd = Grid->DragDropSettings();
  EXPECT_NE(DropTargetAt(Grid), nullptr);
  EXPECT_EQ(DropTargetAt(Grid).get(), static_cast<IDropTarget*>(dd.DropTarget()));
  dd.SetOleDropTarget(false);
  EXPECT_FALSE(dd.DropTargetRegistered());
  EXPECT_EQ(DropTargetAt(Grid), nullptr);
  EXPECT_EQ(DropAt(TextData("x"), Center(2, 2)), DROPEFFECT_NONE);
  dd.SetOleDropTarget(true);
  EXPECT_TRUE(dd.DropTargetRegistered());

  // What the settings accept counts from the next drag on.
  struct Case {
    const char* name;
    std::function<void(TDragDropSettings&)> set;
    IDataObjectPtr data;
  };
  const Case cases[] = {
      {"no text", [](TDragDropSettings& s) { s.SetOleAcceptText(false); }, TextData("x")},
      {"no files", [](TDragDropSettings& s) { s.SetOleAcceptFiles(false); }, FileData({"/tmp/a.csv"})},
  };
  for (const Case& c : cases) {
    TDragDropSettings fresh;
    dd.Assign(&fresh);
    EXPECT_TRUE(dd.DropTargetRegistered()) << "Assign registers nothing and revokes nothing";
    c.set(dd);
    EXPECT_EQ(Drag(c.data, {Center(2, 2), Center(2, 2)}, false), DROPEFFECT_NONE) << c.name;
  }
}

TEST_F(GridDropTest, SettingsDefaultsAndAssign) {
  const TDragDropSettings d;
  EXPECT_TRUE(d.ShowCells() && d.OleAcceptFiles() && d.OleAcceptText() && d.OleAcceptURLs());
  EXPECT_FALSE(d.OleAppendRows() || d.OleColumnDragDrop() || d.OleColumnReorder() || d.OleColumnsOnly() ||
               d.OleCopyAlways() || d.OleDropTarget() || d.OleDropSource() || d.OleEntireRows() ||
               d.OleInsertRows() || d.OleRemoveRows() || d.OleDropRTF());
  TDragDropSettings a;
  a.SetOleDropTarget(true); // without a grid: stored only
  a.SetOleInsertRows(true);
  a.SetShowCells(false);
  TGridOnForm<> other;
  other.Grid->DragDropSettings().Assign(&a);
  EXPECT_TRUE(other.Grid->DragDropSettings().OleDropTarget());
  EXPECT_TRUE(other.Grid->DragDropSettings().OleInsertRows());
  EXPECT_FALSE(other.Grid->DragDropSettings().ShowCells());
  EXPECT_FALSE(other.Grid->DragDropSettings().DropTargetRegistered());
  EXPECT_EQ(DropTargetAt(other.Grid), nullptr);
}

} // namespace
