// Spreadsheet, document and database exchange on an in-memory stand-in for the applications, and on
// the default backend, which has none of them.
#include "ProGridFixture.h"
#include "platform/OfficeAutomation.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// What the fake applications were asked, one entry per call, and what they hold.
struct TOfficeState {
  std::vector<std::string> Log;
  std::string UsedRange = "$A$1";
  std::vector<std::string> SheetNames{"Sheet1"};
  int Active = 0;
  int ActiveCellRow = 1;
  int Books = 0;
  bool RangeFails = false;
  std::function<TOleValue(int Row, int Col)> Value = [](int r, int c) {
    return TOleValue{TOleValue::Text, "r" + std::to_string(r) + "c" + std::to_string(c)};
  };
  std::string WrittenAddress;
  std::vector<std::vector<std::string>> Written;
  bool Running = false;
  // Word.
  std::map<std::pair<int, int>, std::string> TableText;
  std::map<std::pair<int, int>, int> TableAlign;
  std::vector<std::string> Bookmarks;
  // Database.
  std::vector<std::string> Fields{"Id", "Name", "City"};
  std::vector<std::vector<std::string>> Records{{"1", "Ann", "Oslo"}, {"2", "Bo", ""}};
  int RecordCount = 2;
};

struct TFakeSheet : ISpreadsheetSheet {
  TFakeSheet(TOfficeState& State, int Index) : S(State), I(Index) {}
  std::string Name() override { return S.SheetNames[static_cast<size_t>(I)]; }
  void SetName(const std::string& N) override {
    S.Log.push_back("SetName " + N);
    S.SheetNames[static_cast<size_t>(I)] = N;
  }
  std::string UsedRangeAddress() override { return S.UsedRange; }
  TOleValue Cell(int Row, int Col) override {
    S.Log.push_back("Cell " + std::to_string(Row) + "," + std::to_string(Col));
    return S.Value(Row, Col);
  }
  TOleValues RangeValue(const std::string& Address) override {
    S.Log.push_back("Range " + Address + " of " + Name());
    if (S.RangeFails) throw EOleSysError("Type mismatch");
    // Rows and columns of the address, parsed the simple way the tests give them.
    auto colon = Address.find(':');
    auto split = [](const std::string& ref) {
      size_t d = ref.find_first_of("0123456789");
      int col = 0;
      for (size_t i = 0; i < d; ++i)
        col = col * 26 + (ref[i] - 'A' + 1);
      return std::pair{col, std::stoi(ref.substr(d))};
    };
    auto [c0, r0] = split(Address.substr(0, colon));
    auto [c1, r1] = split(Address.substr(colon + 1));
    TOleValues v;
    for (int r = r0; r <= r1; ++r) {
      v.emplace_back();
      for (int c = c0; c <= c1; ++c)
        v.back().push_back(S.Value(r, c));
    }
    return v;
  }
  void SetRangeValue(const std::string& Address,
                     const std::vector<std::vector<std::string>>& Values) override {
    S.Log.push_back("SetRange " + Address + " of " + Name());
    S.WrittenAddress = Address;
    S.Written = Values;
  }
  TOfficeState& S;
  int I;
};

struct TFakeBook : ISpreadsheetBook {
  explicit TFakeBook(TOfficeState& State) : S(State) {}
  int SheetCount() override { return static_cast<int>(S.SheetNames.size()); }
  ISpreadsheetSheet& Sheet(int Index) override { return Make(Index - 1); }
  ISpreadsheetSheet& ActiveSheet() override { return Make(S.Active); }
  ISpreadsheetSheet& AddSheet() override {
    S.Log.push_back("AddSheet");
    S.SheetNames.push_back("Sheet" + std::to_string(S.SheetNames.size() + 1));
    return Make(static_cast<int>(S.SheetNames.size()) - 1);
  }
  int ActiveCellRow() override { return S.ActiveCellRow; }
  void SetSaved(bool) override { S.Log.push_back("Saved"); }
  void Close(bool SaveChanges) override { S.Log.push_back(SaveChanges ? "Close save" : "Close"); }
  void Save() override { S.Log.push_back("Save"); }
  void SaveAs(const std::string& F) override { S.Log.push_back("SaveAs " + F); }
  ISpreadsheetSheet& Make(int I) {
    if (I < 0 || I >= SheetCount()) throw EOleSysError("Invalid index");
    return *Sheets.emplace_back(std::make_unique<TFakeSheet>(S, I));
  }
  TOfficeState& S;
  std::vector<std::unique_ptr<TFakeSheet>> Sheets;
};

struct TFakeExcel : ISpreadsheetApp {
  explicit TFakeExcel(TOfficeState& State) : S(State) {}
  ISpreadsheetBook& Open(const std::string& F) override {
    S.Log.push_back("Open " + F);
    return Book();
  }
  ISpreadsheetBook& Add() override {
    S.Log.push_back("Add");
    ++S.Books;
    return Book();
  }
  int BookCount() override { return S.Books; }
  ISpreadsheetBook& ActiveBook() override { return Book(); }
  void Quit() override { S.Log.push_back("Quit"); }
  ISpreadsheetBook& Book() { return *Books.emplace_back(std::make_unique<TFakeBook>(S)); }
  TOfficeState& S;
  std::vector<std::unique_ptr<TFakeBook>> Books;
};

struct TFakeTable : IWordTable {
  explicit TFakeTable(TOfficeState& State) : S(State) {}
  void InsertAfter(int Row, int Column, const std::string& Text) override {
    S.TableText[{Row, Column}] += Text;
  }
  void SetAlignment(int Row, int Column, int Alignment) override { S.TableAlign[{Row, Column}] = Alignment; }
  TOfficeState& S;
};

struct TFakeDocument : IWordDocument {
  explicit TFakeDocument(TOfficeState& State) : S(State), Table(S) {}
  void SetShowSpellingErrors(bool Show) override { S.Log.push_back(Show ? "Spelling on" : "Spelling off"); }
  bool BookmarkExists(const std::string& Name) override {
    return std::find(S.Bookmarks.begin(), S.Bookmarks.end(), Name) != S.Bookmarks.end();
  }
  TWordRange GotoBookmark(const std::string& Name) override {
    S.Log.push_back("Goto " + Name);
    return {40, 45};
  }
  void AddParagraph() override { S.Log.push_back("Paragraphs.Add"); }
  TWordRange Range(int Start, int End) override { return {Start, End}; }
  IWordTable& AddTable(const TWordRange& At, int Rows, int Columns) override {
    S.Log.push_back("Table at " + std::to_string(At.Start) + "," + std::to_string(At.End) + " " +
                    std::to_string(Rows) + "x" + std::to_string(Columns));
    return Table;
  }
  void SaveAs(const std::string& F) override { S.Log.push_back("SaveAs " + F); }
  TOfficeState& S;
  TFakeTable Table;
};

struct TFakeWord : IWordApp {
  explicit TFakeWord(TOfficeState& State) : S(State), Doc(S) {}
  IWordDocument& Open(const std::string& F) override {
    S.Log.push_back("Open " + F);
    return Doc;
  }
  IWordDocument& Add() override {
    S.Log.push_back("Add");
    return Doc;
  }
  int DocumentCount() override { return S.Books; }
  IWordDocument& ActiveDocument() override {
    S.Log.push_back("Active");
    return Doc;
  }
  void TypeText(const std::string& T) override { S.Log.push_back("TypeText " + T); }
  void TypeParagraph() override { S.Log.push_back("TypeParagraph"); }
  void GotoLastLine() override { S.Log.push_back("GotoLastLine"); }
  int SelectionEnd() override { return 99; }
  void Quit() override { S.Log.push_back("Quit"); }
  TOfficeState& S;
  TFakeDocument Doc;
};

struct TFakeRecords : IDbRecordSet {
  explicit TFakeRecords(TOfficeState& State) : S(State) {}
  int FieldCount() override { return static_cast<int>(S.Fields.size()); }
  std::string FieldName(int I) override { return S.Fields[static_cast<size_t>(I)]; }
  int RecordCount() override { return S.RecordCount; }
  bool Eof() override { return At >= S.Records.size(); }
  std::string FieldValue(int I) override { return S.Records[At][static_cast<size_t>(I)]; }
  long long FieldActualSize(int I) override {
    return static_cast<long long>(S.Records[At][static_cast<size_t>(I)].size());
  }
  void MoveNext() override { ++At; }
  void Close() override { S.Log.push_back("Records closed"); }
  TOfficeState& S;
  size_t At = 0;
};

struct TFakeConnection : IDbConnection {
  explicit TFakeConnection(TOfficeState& State) : S(State) {}
  void Open(const std::string& T) override { S.Log.push_back("Connect " + T); }
  std::unique_ptr<IDbRecordSet> Query(const std::string& SQL) override {
    S.Log.push_back("Query " + SQL);
    return std::make_unique<TFakeRecords>(S);
  }
  void Close() override { S.Log.push_back("Connection closed"); }
  TOfficeState& S;
};

struct TFakeOffice : TOfficeAutomation {
  explicit TFakeOffice(TOfficeState& State) : S(State) {}
  std::unique_ptr<ISpreadsheetApp> CreateSpreadsheet() override {
    S.Log.push_back("Create excel");
    return std::make_unique<TFakeExcel>(S);
  }
  std::unique_ptr<ISpreadsheetApp> RunningSpreadsheet() override {
    return S.Running ? std::make_unique<TFakeExcel>(S) : nullptr;
  }
  std::unique_ptr<IWordApp> CreateWord() override {
    S.Log.push_back("Create word");
    return std::make_unique<TFakeWord>(S);
  }
  std::unique_ptr<IWordApp> RunningWord() override {
    return S.Running ? std::make_unique<TFakeWord>(S) : nullptr;
  }
  std::unique_ptr<IDbConnection> CreateConnection() override {
    S.Log.push_back("Create connection");
    return std::make_unique<TFakeConnection>(S);
  }
  TOfficeState& S;
};

class TOfficeTest : public TProGridTest<TProStringGrid, false> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    SetOfficeAutomation(&Office);
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
  }
  void TearDown() override {
    SetOfficeAutomation(nullptr);
    TProGridTest::TearDown();
  }
  bool Logged(const std::string& Entry) const {
    return std::find(State.Log.begin(), State.Log.end(), Entry) != State.Log.end();
  }
  TOfficeState State;
  TFakeOffice Office{State};
};

TEST_F(TOfficeTest, UsedRangeB3ToD7LoadsThreeByFive) {
  State.UsedRange = "$B$3:$D$7";
  Grid->LoadFromXLS("book.xls");
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->RowCount(), 5);
  EXPECT_TRUE(Logged("Range B3:D7 of Sheet1"));
  EXPECT_EQ(Grid->Cells(0, 0), "r3c2");
  EXPECT_EQ(Grid->Cells(2, 4), "r7c4");
  EXPECT_EQ(State.Log.back(), "Quit");
  EXPECT_TRUE(Logged("Close"));
}

TEST_F(TOfficeTest, WithoutSavedFixedCellsTheDataGoesAfterThem) {
  State.UsedRange = "$B$3:$D$7";
  Grid->SetSaveFixedCells(false);
  Grid->SetFixedCols(1);
  Grid->SetFixedRows(1);
  Grid->LoadFromXLS("book.xls");
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(Grid->RowCount(), 6);
  EXPECT_EQ(Grid->FixedCols(), 1);
  EXPECT_EQ(Grid->FixedRows(), 1);
  EXPECT_EQ(Grid->Cells(1, 1), "r3c2");
}

TEST_F(TOfficeTest, UsedRangeAddressesAreReadThisWay) {
  struct TCase {
    const char* Address;
    int Cols, Rows;
    const char* Read; // the call reading the values
  };
  const TCase cases[] = {
      {"$A$1:$AD$2", 30, 2, "Range A1:AD2 of Sheet1"},
      {"$Y$1:$AZ$1", 28, 1, "Range Y1:AZ1 of Sheet1"},
      {"$C$4", 1, 1, "Cell 4,3"},
      {"A1", 1, 1, "Cell 1,1"},
      {"$2:$3", 256, 2, "Range A2:IV3 of Sheet1"},
  };
  for (const TCase& c : cases) {
    State.Log.clear();
    State.UsedRange = c.Address;
    Grid->LoadFromXLS("book.xls");
    EXPECT_EQ(Grid->ColCount(), c.Cols) << c.Address;
    EXPECT_EQ(Grid->RowCount(), c.Rows) << c.Address;
    EXPECT_TRUE(Logged(c.Read)) << c.Address;
  }
}

TEST_F(TOfficeTest, EmptyObjectAndErrorElements) {
  State.UsedRange = "$A$1:$D$1";
  State.Value = [](int, int c) {
    switch (c) {
    case 1:
      return TOleValue{TOleValue::Empty, ""};
    case 2:
      return TOleValue{TOleValue::Object, "obj"};
    case 3:
      return TOleValue{TOleValue::Error, "err"};
    default:
      return TOleValue{TOleValue::Text, "2.5"};
    }
  };
  Grid->SetColCount(4);
  for (int c = 0; c < 4; ++c)
    Grid->SetCells(c, 0, "old");
  Grid->LoadFromXLS("book.xls");
  EXPECT_EQ(Grid->Cells(0, 0), "");
  EXPECT_EQ(Grid->Cells(1, 0), "old");
  EXPECT_EQ(Grid->Cells(2, 0), "old");
  EXPECT_EQ(Grid->Cells(3, 0), "2.5");
}

TEST_F(TOfficeTest, NamedSheetIsTheLastOfThatName) {
  State.SheetNames = {"Data", "Other", "Data"};
  State.UsedRange = "$A$1:$B$1";
  Grid->LoadFromXLSSheet("book.xls", "Data");
  EXPECT_TRUE(Logged("Range A1:B1 of Data"));
  EXPECT_EQ(Grid->GetXLSSheets("book.xls"), State.SheetNames);
  Grid->SetColCount(5);
  try {
    Grid->LoadFromXLSSheet("book.xls", "Missing");
    FAIL();
  } catch (const EProGridError& e) {
    EXPECT_STREQ(e.what(), "Excel worksheet Missing not found");
  }
  EXPECT_EQ(Grid->ColCount(), 5);
  EXPECT_EQ(State.Log.back(), "Quit");
}

// Each refused: the grid keeps its size and cells, and the application is closed.
TEST_F(TOfficeTest, HostileRangesLeaveTheGridAsItWas) {
  struct TCase {
    const char* Why;
    std::string Address;
    bool Fails = false;
  };
  const TCase cases[] = {
      {"rows past the load maximum", "$A$1:$B$2147483647"},
      {"row past 32 bits", "$A$1:$B$99999999999"},
      {"columns past the load maximum", "$A$1:$ZZZ$2"},
      {"row that is no number", "$A$x:$B$2"},
      {"reversed range", "$D$7:$B$3"},
      {"four letters", "$A$1:$ABCD$2"},
      {"second part missing", "$A$1:"},
      {"values that cannot be read (mended: the grid was already resized)", "$A$1:$C$3", true},
  };
  Grid->FileOptions().MaxLoadColCount = 500;
  Grid->SetCells(1, 1, "kept");
  for (const TCase& c : cases) {
    State.UsedRange = c.Address;
    State.RangeFails = c.Fails;
    State.Log.clear();
    EXPECT_ANY_THROW(Grid->LoadFromXLS("book.xls")) << c.Why;
    EXPECT_EQ(Grid->ColCount(), 2) << c.Why;
    EXPECT_EQ(Grid->RowCount(), 2) << c.Why;
    EXPECT_EQ(Grid->Cells(1, 1), "kept") << c.Why;
    EXPECT_EQ(State.Log.back(), "Quit") << c.Why;
  }
  State.UsedRange = "$A$1:$C$3";
  State.RangeFails = true;
  try {
    Grid->LoadFromXLS("book.xls");
  } catch (const EProGridError&) {
    FAIL() << "a read failure is the plain exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Incorrect XLS file");
  }
}

TEST_F(TOfficeTest, SavingWritesUpToTheLastColumnsLetters) {
  for (auto [cols, last] : {std::pair{3, "C"}, {26, "Z"}, {27, "AA"}, {30, "AD"}, {52, "AZ"}, {53, "BA"}}) {
    Grid->SetColCount(cols);
    Grid->SetRowCount(4);
    Grid->SaveToXLS("out.xls", true);
    EXPECT_EQ(State.WrittenAddress, std::string("A1:") + last + "4") << cols;
    ASSERT_EQ(State.Written.size(), 4u);
    EXPECT_EQ(State.Written[0].size(), static_cast<size_t>(cols));
  }
}

TEST_F(TOfficeTest, SavedValuesLoseTheirCarriageReturns) {
  Grid->SetCells(1, 1, "a\r\nb");
  Grid->SaveToXLS("out.xls", true);
  EXPECT_EQ(State.Written[1][1], "a\nb");
  EXPECT_TRUE(Logged("SaveAs out.xls"));
  EXPECT_EQ(State.Log.back(), "Quit");
}

TEST_F(TOfficeTest, RunningSpreadsheetGetsTheActiveSheetFromTheActiveRowAndIsNotQuit) {
  State.Running = true;
  State.Books = 1;
  State.ActiveCellRow = 5;
  Grid->SaveToXLS("out.xls");
  EXPECT_EQ(State.WrittenAddress, "A5:B6");
  EXPECT_FALSE(Logged("Quit"));
  EXPECT_FALSE(Logged("Create excel"));
}

TEST_F(TOfficeTest, NamedSheetIsAddedWhenMissing) {
  Grid->SaveToXLSSheet("/nonexistent/out.xls", "Totals");
  EXPECT_TRUE(Logged("Add"));
  EXPECT_TRUE(Logged("AddSheet"));
  EXPECT_TRUE(Logged("SetName Totals"));
  EXPECT_TRUE(Logged("SetRange A1:B2 of Totals"));
  EXPECT_TRUE(Logged("SaveAs /nonexistent/out.xls"));
}

TEST_F(TOfficeTest, DocumentTableHoldsTheWholeGridWithAlignment) {
  Grid->SetCells(0, 0, "h");
  Grid->SetCells(1, 1, "9");
  Grid->OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& H, TVAlignment&) {
    if (ACol == 1 && ARow == 1) H = taRightJustify;
    if (ACol == 0 && ARow == 1) H = taCenter;
  };
  Grid->SaveToDOC("out.doc", true);
  EXPECT_TRUE(Logged("Spelling off"));
  EXPECT_TRUE(Logged("Table at 0,0 2x2"));
  EXPECT_EQ((State.TableText[{1, 1}]), "h");
  EXPECT_EQ((State.TableText[{2, 2}]), "9");
  EXPECT_EQ((State.TableAlign[{2, 2}]), 2);
  EXPECT_EQ((State.TableAlign[{2, 1}]), 1);
  EXPECT_EQ(State.TableAlign.count({1, 1}), 0u);
  EXPECT_TRUE(Logged("SaveAs out.doc"));
  EXPECT_EQ(State.Log.back(), "Quit");
}

TEST_F(TOfficeTest, AppendingGoesToTheBookmarkOrTheEnd) {
  State.Bookmarks = {"here"};
  Grid->AppendToDoc("doc.doc", "here");
  EXPECT_TRUE(Logged("Open doc.doc"));
  EXPECT_TRUE(Logged("Table at 40,45 2x2"));
  State.Log.clear();
  Grid->AppendToDoc("doc.doc", "elsewhere");
  EXPECT_TRUE(Logged("Paragraphs.Add"));
  EXPECT_TRUE(Logged("Table at 99,99 2x2"));
}

TEST_F(TOfficeTest, RecordsGoBelowTheFieldNames) {
  Grid->SetFixedRows(1);
  Grid->SetFixedCols(0);
  Grid->LoadFromMDBTable("/data/db.mdb", "People");
  EXPECT_TRUE(Logged("Connect Driver={Microsoft Access Driver (*.mdb)};DBQ=/data/db.mdb"));
  EXPECT_TRUE(Logged("Query SELECT * FROM People"));
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->RowCount(), 3);
  EXPECT_EQ(Grid->Cells(1, 0), "Name");
  EXPECT_EQ(Grid->Cells(1, 1), "Ann");
  EXPECT_EQ(Grid->Cells(2, 2), "");
  EXPECT_TRUE(Logged("Records closed"));
  EXPECT_EQ(State.Log.back(), "Connection closed");
}

TEST_F(TOfficeTest, RecordsPastTheCountGrowTheGrid) {
  Grid->SetFixedRows(1);
  Grid->SetFixedCols(0);
  State.RecordCount = -1; // not known to the cursor
  State.Records.push_back({"3", "Cy", "Rome"});
  Grid->SetRowCount(2);
  Grid->LoadFromMDBSQL("db.mdb", "SELECT 1");
  EXPECT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(Grid->Cells(2, 3), "Rome");
}

TEST_F(TOfficeTest, UnsafeNamesAndHugeResultsAreRefusedWithTheGridUnchanged) {
  struct TCase {
    const char* Why;
    std::function<void(TProStringGrid&)> Load;
    bool Opens; // whether the database is reached at all
  };
  const TCase cases[] = {
      {"mended: file name with ;", [](TProStringGrid& g) { g.LoadFromMDBSQL("a.mdb;PWD=x", "SELECT 1"); },
       false},
      {"mended: table with a blank", [](TProStringGrid& g) { g.LoadFromMDBTable("a.mdb", "People; DROP"); },
       false},
      {"mended: table with a quote", [](TProStringGrid& g) { g.LoadFromMDBTable("a.mdb", "x'y"); }, false},
      {"mended: empty table", [](TProStringGrid& g) { g.LoadFromMDBTable("a.mdb", ""); }, false},
      {"mended: table starting with a digit", [](TProStringGrid& g) { g.LoadFromMDBTable("a.mdb", "1x"); },
       false},
      {"record count of 2^31 - 1",
       [this](TProStringGrid& g) {
         State.RecordCount = 2147483647;
         g.LoadFromMDBTable("a.mdb", "People");
       },
       true},
      {"100,000 fields",
       [this](TProStringGrid& g) {
         State.RecordCount = 0;
         State.Fields.assign(100000, "F");
         g.LoadFromMDBTable("a.mdb", "People");
       },
       true},
  };
  Grid->SetCells(1, 1, "kept");
  for (const TCase& c : cases) {
    State.Log.clear();
    EXPECT_THROW(c.Load(*Grid), EProGridError) << c.Why;
    EXPECT_EQ(Logged("Create connection"), c.Opens) << c.Why;
    if (c.Opens) {
      EXPECT_EQ(State.Log.back(), "Connection closed") << c.Why;
    }
    EXPECT_EQ(Grid->ColCount(), 2) << c.Why;
    EXPECT_EQ(Grid->RowCount(), 2) << c.Why;
    EXPECT_EQ(Grid->Cells(1, 1), "kept") << c.Why;
  }
}

using TNoOfficeTest = TProGridTest<TProStringGrid, false>;

TEST_F(TNoOfficeTest, DefaultBackendAnswersAsMissingServers) {
  struct TCase {
    const char* Entry;
    std::function<void(TProStringGrid&)> Call;
    const char* Text;
  };
  const TCase cases[] = {
      {"GetXLSSheets", [](TProStringGrid& g) { g.GetXLSSheets("a.xls"); }, "Excel OLE server not found"},
      {"LoadFromXLS", [](TProStringGrid& g) { g.LoadFromXLS("a.xls"); }, "Excel OLE server not found"},
      {"LoadFromXLSSheet", [](TProStringGrid& g) { g.LoadFromXLSSheet("a.xls", "S"); },
       "Excel OLE server not found"},
      {"SaveToXLS", [](TProStringGrid& g) { g.SaveToXLS("a.xls", true); }, "Excel OLE server not found"},
      {"SaveToXLSSheet", [](TProStringGrid& g) { g.SaveToXLSSheet("a.xls", "S"); },
       "Excel OLE server not found"},
      {"SaveToDOC", [](TProStringGrid& g) { g.SaveToDOC("a.doc", true); }, "Word OLE server not found"},
      {"AppendToDoc", [](TProStringGrid& g) { g.AppendToDoc("a.doc", "b"); }, "Word OLE server not found"},
  };
  Screen->SetCursor(crDefault);
  for (const TCase& c : cases) {
    try {
      c.Call(*Grid);
      ADD_FAILURE() << c.Entry;
    } catch (const EProGridError& e) {
      EXPECT_STREQ(e.what(), c.Text) << c.Entry;
    }
    EXPECT_EQ(Screen->Cursor(), crDefault) << c.Entry;
  }
  for (auto call : {+[](TProStringGrid& g) { g.LoadFromMDBTable("a.mdb", "T"); },
                    +[](TProStringGrid& g) { g.LoadFromMDBSQL("a.mdb", "SELECT 1"); }}) {
    try {
      call(*Grid);
      ADD_FAILURE();
    } catch (const EOleSysError& e) {
      EXPECT_STREQ(e.what(), "Invalid class string");
      EXPECT_EQ(e.ErrorCode(), CO_E_CLASSSTRING);
    }
  }
}

TEST_F(TNoOfficeTest, FontsScaleWithTheForm) {
  Grid->FixedFont().SetSize(8);
  Grid->ActiveCellFont().SetSize(9);
  Grid->ChangeScale(96, 96);
  EXPECT_EQ(Grid->FixedFont().Size(), 8);
  Grid->ChangeScale(120, 96);
  EXPECT_EQ(Grid->FixedFont().Size(), 10);
  EXPECT_EQ(Grid->ActiveCellFont().Size(), 11); // 11.25
}

} // namespace
