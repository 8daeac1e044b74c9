// Cells to and from spreadsheets, word-processor tables and database queries, through the
// platform's automation backend; and the grid's fonts scaled with its form.
#include "grid/ProGrid.h"
#include "platform/Files.h"
#include "platform/OfficeAutomation.h"
#include "platform/ui/Application.h"

#include <cmath>
#include <optional>
#include <stdexcept>

namespace {

// The hourglass while an application works, the previous cursor again on every way out.
class TBusyCursor {
public:
  TBusyCursor() : FPrevious(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~TBusyCursor() { Screen->SetCursor(FPrevious); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
  TCursor FPrevious;
};

// Runs a closing step of a foreign application; its own failure must not hide the first one.
template <class F> void Quietly(F&& Step) {
  try {
    Step();
  } catch (...) {
  }
}

// Column letters: 1 is A, 26 Z, 27 AA, 52 AZ.
std::string ColumnLetters(int Col) {
  std::string letters;
  while (Col > 0) {
    const int d = (Col - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + d));
    Col = (Col - 1) / 26;
  }
  return letters;
}

struct TCellRef {
  int Col = -1;
  int Row = -1;
};

int LettersToColumn(std::string_view Letters) {
  if (Letters.empty() || Letters.size() > 3) return -1;
  int col = 0;
  for (char c : Letters) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') return -1;
    col = col * 26 + (c - 'A' + 1);
  }
  return col;
}

int RowNumber(std::string_view Digits) {
  if (Digits.empty() || Digits.size() > 9) return -1;
  int row = 0;
  for (char c : Digits) {
    if (c < '0' || c > '9') return -1;
    row = row * 10 + (c - '0');
  }
  return row;
}

// One end of a used range ("B$3" once its leading "$" is gone); a part without "$" is a whole
// row, the columns 1 to 256.
TCellRef ParseRef(std::string_view Part, bool Last) {
  if (!Part.empty() && Part.front() == '$') Part.remove_prefix(1);
  const size_t dollar = Part.find('$');
  if (dollar == std::string_view::npos) return {Last ? 256 : 1, RowNumber(Part)};
  return {LettersToColumn(Part.substr(0, dollar)), RowNumber(Part.substr(dollar + 1))};
}

bool IsPlainIdentifier(std::string_view Name) {
  if (Name.empty()) return false;
  for (size_t i = 0; i < Name.size(); ++i) {
    const char c = Name[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (!letter && (i == 0 || c < '0' || c > '9')) return false;
  }
  return true;
}

// As the system's MulDiv: the product over the divisor, halves rounded away from zero.
int MulDiv(int Value, int M, int D) {
  return static_cast<int>(std::lround(static_cast<double>(Value) * M / D));
}

// A new application from `create`; an automation layer without it raises the grid's `missing` text.
template <class TCreate> auto NewOfficeApp(TCreate create, const char* missing) {
  try {
    return create();
  } catch (const EOleSysError&) {
    throw EProGridError(missing);
  }
}

// The running application, else a new one (then `created` is set, so the caller quits it).
template <class TRunning, class TCreate>
auto RunningOrNewOfficeApp(TRunning running, TCreate create, const char* missing, bool& created) {
  auto app = running();
  if (!app) {
    app = NewOfficeApp(create, missing);
    created = true;
  }
  return app;
}

} // namespace

std::vector<std::string> TProStringGrid::GetXLSSheets(const std::string& FileName) {
  TBusyCursor busy;
  std::unique_ptr<ISpreadsheetApp> app =
      NewOfficeApp([] { return OfficeAutomation().CreateSpreadsheet(); }, "Excel OLE server not found");
  std::vector<std::string> names;
  ISpreadsheetBook* book = nullptr;
  try {
    book = &app->Open(FileName);
    const int count = book->SheetCount();
    for (int i = 1; i <= count; ++i)
      names.push_back(book->Sheet(i).Name());
  } catch (...) {
    if (book) Quietly([&] { book->SetSaved(true); });
    Quietly([&] { app->Quit(); });
    throw;
  }
  book->SetSaved(true);
  app->Quit();
  return names;
}

void TProStringGrid::LoadXLS(const std::string& FileName, const std::string& SheetName) {
  TBusyCursor busy;
  std::unique_ptr<ISpreadsheetApp> app =
      NewOfficeApp([] { return OfficeAutomation().CreateSpreadsheet(); }, "Excel OLE server not found");
  ISpreadsheetBook* book = nullptr;
  auto finish = [&] {
    if (book) Quietly([&] { book->Close(false); });
    Quietly([&] { app->Quit(); });
    CellsChanged(TRect{0, 0, ColCount() - 1, RowCount() - 1});
    CellsLoaded();
  };
  try {
    book = &app->Open(FileName);
    ISpreadsheetSheet* sheet = nullptr;
    if (!SheetName.empty()) {
      for (int i = 1; i <= book->SheetCount(); ++i)
        if (book->Sheet(i).Name() == SheetName) sheet = &book->Sheet(i);
      if (!sheet) throw EProGridError("Excel worksheet " + SheetName + " not found");
    } else {
      sheet = &book->ActiveSheet();
    }
    const std::string address = sheet->UsedRangeAddress();
    TCellRef first{1, 1}, last{1, 1};
    if (const size_t colon = address.find(':'); colon != std::string::npos) {
      first = ParseRef(std::string_view(address).substr(0, colon), false);
      last = ParseRef(std::string_view(address).substr(colon + 1), true);
    } else if (address.find('$') != std::string::npos) {
      first = last = ParseRef(address, false);
    }
    if (first.Col < 1 || first.Row < 1 || last.Col < first.Col || last.Row < first.Row)
      throw std::runtime_error("Incorrect XLS file");
    const int oc = FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
    const int orow = FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows();
    const long long cols = static_cast<long long>(last.Col) - first.Col + 1 + oc;
    const long long rows = static_cast<long long>(last.Row) - first.Row + 1 + orow;
    if (cols > FFileOptions.MaxLoadColCount || rows > FFileOptions.MaxLoadRowCount)
      throw EProGridError("Excel range " + address + " is larger than the grid loads (" +
                          std::to_string(FFileOptions.MaxLoadColCount) + " columns, " +
                          std::to_string(FFileOptions.MaxLoadRowCount) + " rows)");
    // The values are read whole before the grid changes.
    TOleValues values;
    try {
      if (first.Col == last.Col && first.Row == last.Row)
        values = {{sheet->Cell(first.Row, first.Col)}};
      else
        values = sheet->RangeValue(ColumnLetters(first.Col) + std::to_string(first.Row) + ":" +
                                   ColumnLetters(last.Col) + std::to_string(last.Row));
    } catch (const std::exception&) {
      throw std::runtime_error("Incorrect XLS file");
    }
    const int fixedCols = FixedCols(), fixedRows = FixedRows();
    SetColCount(static_cast<int>(cols));
    SetRowCount(static_cast<int>(rows));
    SetFixedCols(fixedCols);
    SetFixedRows(fixedRows);
    for (size_t r = 0; r < values.size() && static_cast<long long>(r) + orow < rows; ++r)
      for (size_t c = 0; c < values[r].size() && static_cast<long long>(c) + oc < cols; ++c) {
        const TOleValue& v = values[r][c];
        if (v.Kind == TOleValue::Object || v.Kind == TOleValue::Error) continue;
        const int rc = DisplToRealCol(static_cast<int>(c) + oc);
        if (rc >= 0) LoadCellText(rc, static_cast<int>(r) + orow, v.Kind == TOleValue::Text ? v.Value : "");
      }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TProStringGrid::SaveXLS(const std::string& FileName, const std::string& SheetName, bool CreateNewSheet) {
  TBusyCursor busy;
  bool created = false;
  std::unique_ptr<ISpreadsheetApp> app = RunningOrNewOfficeApp(
      [] { return OfficeAutomation().RunningSpreadsheet(); },
      [] { return OfficeAutomation().CreateSpreadsheet(); }, "Excel OLE server not found", created);
  auto quit = [&] {
    if (created) Quietly([&] { app->Quit(); });
  };
  try {
    ISpreadsheetBook* book = nullptr;
    ISpreadsheetSheet* sheet = nullptr;
    bool inPlace = false;
    int firstRow = 1;
    if (!SheetName.empty()) {
      try {
        inPlace = FileExists(FileName);
        book = inPlace ? &app->Open(FileName) : &app->Add();
      } catch (const std::exception&) {
        inPlace = false;
        try {
          book = &app->Add();
        } catch (const std::exception&) {
          // Neither opened nor added: nothing to write into.
          quit();
          return;
        }
      }
      for (int i = 1; i <= book->SheetCount() && !sheet; ++i)
        if (book->Sheet(i).Name() == SheetName) sheet = &book->Sheet(i);
      if (!sheet) {
        sheet = &book->AddSheet();
        sheet->SetName(SheetName);
      }
    } else if (CreateNewSheet || app->BookCount() == 0) {
      book = &app->Add();
      sheet = &book->Sheet(1);
    } else {
      book = &app->ActiveBook();
      sheet = &book->ActiveSheet();
      firstRow = book->ActiveCellRow();
    }
    std::vector<std::vector<std::string>> values;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r < RowCount(); ++r) {
      ExportNotification(esExportNextRow, r);
      std::vector<std::string>& row = values.emplace_back();
      for (int c = SaveStartCol(); c < ColCount(); ++c) {
        std::string text = GetSaveCellText(DisplToRealCol(c), r);
        std::erase(text, '\r');
        row.push_back(std::move(text));
      }
    }
    ExportNotification(esExportDone, -1);
    const int width = ColCount() - SaveStartCol();
    const std::string address = "A" + std::to_string(firstRow) + ":" + ColumnLetters(width) +
                                std::to_string(firstRow + static_cast<int>(values.size()) - 1);
    sheet->SetRangeValue(address, values);
    Quietly([&] { inPlace ? book->Save() : book->SaveAs(FileName); });
  } catch (...) {
    quit();
    throw;
  }
  quit();
}

void TProStringGrid::SaveDOC(const std::string& FileName, bool CreateNewDocument, bool Append,
                             const std::string& Bookmark) {
  TBusyCursor busy;
  bool created = false;
  std::unique_ptr<IWordApp> app = RunningOrNewOfficeApp([] { return OfficeAutomation().RunningWord(); },
                                                        [] { return OfficeAutomation().CreateWord(); },
                                                        "Word OLE server not found", created);
  auto quit = [&] {
    if (created) Quietly([&] { app->Quit(); });
  };
  try {
    IWordDocument* doc = nullptr;
    if (Append)
      doc = &app->Open(FileName);
    else if (CreateNewDocument || app->DocumentCount() == 0)
      doc = &app->Add();
    else
      doc = &app->ActiveDocument();
    doc->SetShowSpellingErrors(false);
    app->TypeText(Text());
    app->TypeParagraph();
    TWordRange at;
    if (Append && doc->BookmarkExists(Bookmark)) {
      at = doc->GotoBookmark(Bookmark);
    } else if (Append) {
      doc->AddParagraph();
      app->GotoLastLine();
      const int end = app->SelectionEnd();
      at = doc->Range(end, end);
    } else {
      at = doc->Range(0, 0);
    }
    IWordTable& table = doc->AddTable(at, RowCount(), ColCount());
    ExportNotification(esExportStart, 0);
    for (int r = 1; r <= RowCount(); ++r) {
      ExportNotification(esExportNextRow, r);
      for (int c = 1; c <= ColCount(); ++c) {
        const int rc = DisplToRealCol(c - 1);
        table.InsertAfter(r, c, GetSaveCellText(rc, r - 1));
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        CalcCellAlignment(rc, r - 1, ha, va);
        if (ha == taRightJustify) table.SetAlignment(r, c, 2);
        if (ha == taCenter) table.SetAlignment(r, c, 1);
      }
    }
    ExportNotification(esExportDone, -1);
    doc->SaveAs(FileName);
  } catch (...) {
    quit();
    throw;
  }
  quit();
}

void TProStringGrid::LoadFromMDBTable(const std::string& FileName, const std::string& Table) {
  // The name goes into the query as it stands: only a plain name can go there safely.
  if (!IsPlainIdentifier(Table)) throw EProGridError("Table name \"" + Table + "\" is no plain identifier");
  LoadFromMDBSQL(FileName, "SELECT * FROM " + Table);
}

void TProStringGrid::LoadFromMDBSQL(const std::string& FileName, const std::string& SQL) {
  // A ";" would end the file name and start another setting of the connection.
  if (FileName.find(';') != std::string::npos)
    throw EProGridError("Database file name \"" + FileName + "\" holds \";\"");
  std::unique_ptr<IDbConnection> conn = OfficeAutomation().CreateConnection();
  conn->Open("Driver={Microsoft Access Driver (*.mdb)};DBQ=" + FileName);
  std::unique_ptr<IDbRecordSet> rs;
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> records;
  int recordCount = 0;
  const int fc = FixedCols(), fr = FixedRows();
  try {
    rs = conn->Query(SQL);
    const int n = rs->FieldCount();
    if (n < 0 || static_cast<long long>(n) + fc > FFileOptions.MaxLoadColCount)
      throw EProGridError("Query result of " + std::to_string(n) + " fields is wider than the grid loads");
    for (int i = 0; i < n; ++i)
      names.push_back(rs->FieldName(i));
    recordCount = rs->RecordCount();
    const long long rowLimit = static_cast<long long>(FFileOptions.MaxLoadRowCount) - fr;
    if (recordCount > rowLimit)
      throw EProGridError("Query result of " + std::to_string(recordCount) +
                          " records is longer than the grid loads");
    // Every record is read before the grid changes.
    while (!rs->Eof()) {
      if (static_cast<long long>(records.size()) >= rowLimit)
        throw EProGridError("Query result is longer than the grid loads");
      std::vector<std::string>& rec = records.emplace_back();
      for (int i = 0; i < n; ++i)
        rec.push_back(rs->FieldActualSize(i) > 0 ? rs->FieldValue(i) : std::string());
      rs->MoveNext();
    }
  } catch (...) {
    if (rs) Quietly([&] { rs->Close(); });
    Quietly([&] { conn->Close(); });
    throw;
  }
  rs->Close();
  conn->Close();

  SetColCount(static_cast<int>(names.size()) + fc);
  if (fr > 0)
    for (size_t i = 0; i < names.size(); ++i)
      SetCells(DisplToRealCol(fc + static_cast<int>(i)), fr - 1, names[i]);
  if (recordCount > 0) SetRowCount(fr + recordCount);
  if (fr + static_cast<int>(records.size()) > RowCount()) SetRowCount(fr + static_cast<int>(records.size()));
  for (size_t r = 0; r < records.size(); ++r)
    for (size_t i = 0; i < records[r].size(); ++i)
      LoadCellText(DisplToRealCol(fc + static_cast<int>(i)), fr + static_cast<int>(r), records[r][i]);
}

void TProStringGrid::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  FFixedFont.SetSize(MulDiv(FFixedFont.Size(), M, D));
  FActiveCellFont.SetSize(MulDiv(FActiveCellFont.Size(), M, D));
}
