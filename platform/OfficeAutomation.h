// The spreadsheet, word processor and database objects the grid drives by automation, reduced to
// the calls it makes. No such applications exist here: the default backend answers as a system
// without them does, and tests install a backend of their own.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The automation layer's error for an object it cannot create or reach.
class EOleSysError : public std::runtime_error {
public:
  explicit EOleSysError(const std::string& Message, long ErrorCode = 0)
      : std::runtime_error(Message), FErrorCode(ErrorCode) {}
  long ErrorCode() const { return FErrorCode; }

private:
  long FErrorCode;
};

// The text of a program identifier that is not registered.
inline constexpr const char* OleInvalidClassString = "Invalid class string";
inline constexpr long CO_E_CLASSSTRING = static_cast<long>(0x800401F3);

// One element of a range's values: converted to text by the automation layer, or an element the
// grid skips.
struct TOleValue {
  enum TKind { Empty, Text, Object, Error };
  TKind Kind = Empty;
  std::string Value;
};
// Rows of columns, both counted from 0 here (the applications count from 1).
using TOleValues = std::vector<std::vector<TOleValue>>;

class ISpreadsheetSheet {
public:
  virtual ~ISpreadsheetSheet() = default;
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& Name) = 0;
  virtual std::string UsedRangeAddress() = 0;
  // Rows.Cells(Row, Col), 1-based.
  virtual TOleValue Cell(int Row, int Col) = 0;
  // Range(Address).Value and its assignment.
  virtual TOleValues RangeValue(const std::string& Address) = 0;
  virtual void SetRangeValue(const std::string& Address,
                             const std::vector<std::vector<std::string>>& Values) = 0;
};

class ISpreadsheetBook {
public:
  virtual ~ISpreadsheetBook() = default;
  virtual int SheetCount() = 0;
  virtual ISpreadsheetSheet& Sheet(int Index) = 0; // 1-based
  virtual ISpreadsheetSheet& ActiveSheet() = 0;
  virtual ISpreadsheetSheet& AddSheet() = 0; // WorkSheets.Add
  virtual int ActiveCellRow() = 0;
  virtual void SetSaved(bool Saved) = 0;
  virtual void Close(bool SaveChanges) = 0;
  virtual void Save() = 0;
  virtual void SaveAs(const std::string& FileName) = 0;
};

// The books belong to the application object.
class ISpreadsheetApp {
public:
  virtual ~ISpreadsheetApp() = default;
  virtual ISpreadsheetBook& Open(const std::string& FileName) = 0;
  virtual ISpreadsheetBook& Add() = 0;
  virtual int BookCount() = 0;
  virtual ISpreadsheetBook& ActiveBook() = 0;
  virtual void Quit() = 0;
};

struct TWordRange {
  int Start = 0;
  int End = 0;
};

class IWordTable {
public:
  virtual ~IWordTable() = default;
  // Cell(Row, Column).Range.InsertAfter and its paragraph alignment (1 centred, 2 right), 1-based.
  virtual void InsertAfter(int Row, int Column, const std::string& Text) = 0;
  virtual void SetAlignment(int Row, int Column, int Alignment) = 0;
};

class IWordDocument {
public:
  virtual ~IWordDocument() = default;
  virtual void SetShowSpellingErrors(bool Show) = 0;
  virtual bool BookmarkExists(const std::string& Name) = 0;
  // Goto(what = -1, name): the bookmark's range.
  virtual TWordRange GotoBookmark(const std::string& Name) = 0;
  virtual void AddParagraph() = 0;
  virtual TWordRange Range(int Start, int End) = 0;
  // The table belongs to the document.
  virtual IWordTable& AddTable(const TWordRange& At, int Rows, int Columns) = 0;
  virtual void SaveAs(const std::string& FileName) = 0;
};

class IWordApp {
public:
  virtual ~IWordApp() = default;
  virtual IWordDocument& Open(const std::string& FileName) = 0;
  virtual IWordDocument& Add() = 0;
  virtual int DocumentCount() = 0;
  virtual IWordDocument& ActiveDocument() = 0;
  // The application's Selection.
  virtual void TypeText(const std::string& Text) = 0;
  virtual void TypeParagraph() = 0;
  // Selection.Goto(what = 3, which = -1) and the selection's End afterwards.
  virtual void GotoLastLine() = 0;
  virtual int SelectionEnd() = 0;
  virtual void Quit() = 0;
};

class IDbRecordSet {
public:
  virtual ~IDbRecordSet() = default;
  virtual int FieldCount() = 0;
  virtual std::string FieldName(int Index) = 0;
  virtual int RecordCount() = 0;
  virtual bool Eof() = 0;
  // The field's Value as text and its ActualSize.
  virtual std::string FieldValue(int Index) = 0;
  virtual long long FieldActualSize(int Index) = 0;
  virtual void MoveNext() = 0;
  virtual void Close() = 0;
};

class IDbConnection {
public:
  virtual ~IDbConnection() = default;
  virtual void Open(const std::string& ConnectionText) = 0;
  // A record set on this connection, opened with the query.
  virtual std::unique_ptr<IDbRecordSet> Query(const std::string& SQL) = 0;
  virtual void Close() = 0;
};

// Creates the objects by their program identifiers. Creating raises EOleSysError for an
// identifier that is not registered; the running instances are nullptr when there is none.
class TOfficeAutomation {
public:
  virtual ~TOfficeAutomation() = default;
  virtual std::unique_ptr<ISpreadsheetApp> CreateSpreadsheet(); // "excel.application"
  virtual std::unique_ptr<ISpreadsheetApp> RunningSpreadsheet() { return nullptr; }
  virtual std::unique_ptr<IWordApp> CreateWord(); // "word.application"
  virtual std::unique_ptr<IWordApp> RunningWord() { return nullptr; }
  virtual std::unique_ptr<IDbConnection> CreateConnection(); // "ADODB.Connection"
};

// The backend in use: the default one (no applications) unless a test replaced it.
TOfficeAutomation& OfficeAutomation();
// Replaces the backend; nullptr restores the default.
void SetOfficeAutomation(TOfficeAutomation* Backend);
