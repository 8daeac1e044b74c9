#include "app/GridRowRoutines.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "grid/ProCGrid.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

#include <string>

namespace {

constexpr int Text_Row_Used = 1100;
constexpr int Text_Copy_Mismatch = 1101;
constexpr int Text_Nothing_Copied = 1102;

int DataColumnEnd(const TProStringGrid* Grid) {
  return Grid->ColCount() + Grid->NumHiddenColumns();
}

// Header rows and rows outside the table are never touched.
bool IsDataRow(const TProStringGrid* Grid, int Row) {
  return Grid && Row >= Grid->FixedRows() && Row < Grid->RowCount();
}

bool IsCheckBoxColumn(TProColumnGrid* Grid, int Col) {
  return Col < Grid->Columns().Count() && Grid->Columns().Items(Col)->Editor() == edDataCheckBox;
}

// The paste's test of a used row: a text column that holds more than blanks.
bool ColumnRowUsed(TProColumnGrid* Grid, int Row) {
  for (int c = 1; c < DataColumnEnd(Grid); ++c)
    if (!IsCheckBoxColumn(Grid, c) && !IsBlank(Grid->Cells(c, Row))) return true;
  return false;
}

bool IsCheckBoxCell(TProStringGrid* Grid, int Col, int Row) {
  bool state = false;
  return Grid->GetCheckBoxState(Col, Row, state);
}

// The check-box family counts blanks as text.
bool CheckBoxRowUsed(TProStringGrid* Grid, int Row) {
  for (int c = 1; c < DataColumnEnd(Grid); ++c)
    if (!IsCheckBoxCell(Grid, c, Row) && !Grid->Cells(c, Row).empty()) return true;
  return false;
}

bool RefuseFullTable() {
  MessageDlg(Lang_Text(Text_Table_Full), mtError, mbOK);
  return false;
}

bool PasteAllowed(bool Copied, int Columns, bool RowUsed) {
  if (!Copied) {
    MessageDlg(Lang_Text(Text_Nothing_Copied), mtError, mbOK);
    return false;
  }
  if (static_cast<int>(Row_Clipboard.size()) + 1 != Columns) {
    MessageDlg(Lang_Text(Text_Copy_Mismatch), mtError, mbOK);
    return false;
  }
  return !RowUsed || MessageDlg(Lang_Text(Text_Row_Used), mtConfirmation, mbYesNo) == mrYes;
}

void MoveColumnRow(TProColumnGrid* Grid, int From, int To) {
  for (int c = 1; c < DataColumnEnd(Grid); ++c)
    Grid->SetCells(c, To, Grid->Cells(c, From));
}

void MoveCheckBoxRow(TProStringGrid* Grid, int From, int To) {
  for (int c = 1; c < DataColumnEnd(Grid); ++c) {
    bool state = false;
    if (Grid->GetCheckBoxState(c, From, state))
      Grid->SetCheckBoxState(c, To, state);
    else
      Grid->SetCells(c, To, Grid->Cells(c, From));
    Grid->SetReadOnly(c, To, Grid->ReadOnly(c, From));
  }
}

void ResetCheckBoxRow(TProStringGrid* Grid, int Row, bool CheckFirst, bool ReadOnly) {
  for (int c = 1; c < DataColumnEnd(Grid); ++c) {
    if (IsCheckBoxCell(Grid, c, Row))
      Grid->SetCheckBoxState(c, Row, c == 1 && CheckFirst);
    else
      Grid->SetCells(c, Row, "");
    Grid->SetReadOnly(c, Row, ReadOnly);
  }
}

} // namespace

bool Delete_Grid_Row(int Row, TProColumnGrid* Grid) {
  if (!IsDataRow(Grid, Row)) return false;
  const int last = Grid->RowCount() - 1;
  for (int r = Row; r < last; ++r)
    MoveColumnRow(Grid, r + 1, r);
  for (int c = 1; c < DataColumnEnd(Grid); ++c)
    Grid->SetCells(c, last, "");
  return true;
}

bool Insert_Grid_Row(int Row, TProColumnGrid* Grid, bool SetEnable) {
  if (!IsDataRow(Grid, Row)) return false;
  const int last = Grid->RowCount() - 1;
  if (ColumnRowUsed(Grid, last)) return RefuseFullTable();
  for (int r = last; r > Row; --r)
    MoveColumnRow(Grid, r - 1, r);
  for (int c = 1; c < DataColumnEnd(Grid); ++c)
    Grid->SetCells(c, Row, "");
  if (SetEnable && DataColumnEnd(Grid) > 1) Grid->SetCells(1, Row, "Y");
  return true;
}

bool Copy_Grid_Row(TProColumnGrid* Grid, int Row) {
  if (!IsDataRow(Grid, Row)) return false;
  Row_Clipboard.clear();
  for (int c = 1; c < DataColumnEnd(Grid); ++c)
    Row_Clipboard.push_back(Grid->Cells(c, Row));
  return true;
}

bool Paste_Grid_Row(TProColumnGrid* Grid, int Row, bool Copied) {
  if (!IsDataRow(Grid, Row)) return false;
  if (!PasteAllowed(Copied, DataColumnEnd(Grid), Copied && ColumnRowUsed(Grid, Row))) return false;
  for (int c = 1; c < DataColumnEnd(Grid); ++c)
    Grid->SetCells(c, Row, Row_Clipboard[c - 1]);
  return true;
}

void Grid_DblClick_AutoSize(TProStringGrid* Grid, int ARow, int ACol) {
  if (Grid && Opt_Double_Click_Auto_Size && ARow == 0) Grid->AutoSizeCol(ACol, 0);
}

void Grid_Enter_Next_Cell(TProStringGrid* Grid, WideChar& Key) {
  if (!Grid || !Opt_Jump_Field_Tables || Key != 13) return;
  if (Grid->Col() > 0 && Grid->Row() > 0) {
    if (Grid->Col() < Grid->ColCount() - 1) {
      Grid->SetCol(Grid->Col() + 1);
    } else {
      const int next = Grid->Row() < Grid->RowCount() - 1 ? Grid->Row() + 1 : 1;
      // The cell it goes to may lie outside the view: going there scrolls.
      Grid->MoveCurrentCell(1, next);
    }
  }
  Key = 0;
}

bool Delete_Grid_Row_CheckBox(int Row, TProStringGrid* Grid, bool CheckFirst) {
  if (!IsDataRow(Grid, Row)) return false;
  const int last = Grid->RowCount() - 1;
  for (int r = Row; r < last; ++r)
    MoveCheckBoxRow(Grid, r + 1, r);
  ResetCheckBoxRow(Grid, last, CheckFirst, true);
  return true;
}

bool Insert_Grid_Row_CheckBox(int Row, TProStringGrid* Grid, bool CheckFirst) {
  if (!IsDataRow(Grid, Row)) return false;
  const int last = Grid->RowCount() - 1;
  if (CheckBoxRowUsed(Grid, last)) return RefuseFullTable();
  for (int r = last; r > Row; --r)
    MoveCheckBoxRow(Grid, r - 1, r);
  ResetCheckBoxRow(Grid, Row, CheckFirst, false);
  return true;
}

bool Copy_Grid_Row_CheckBox(TProStringGrid* Grid, int Row) {
  if (!IsDataRow(Grid, Row)) return false;
  Row_Clipboard.clear();
  Clipboard_CheckBox_Cols.assign(DataColumnEnd(Grid) - 1, false);
  for (int c = 1; c < DataColumnEnd(Grid); ++c) {
    bool state = false;
    if (Grid->GetCheckBoxState(c, Row, state)) {
      Row_Clipboard.push_back(state ? "Y" : "N");
      Clipboard_CheckBox_Cols[c - 1] = true;
    } else {
      Row_Clipboard.push_back(Grid->Cells(c, Row));
    }
  }
  return true;
}

bool Paste_Grid_Row_CheckBox(TProStringGrid* Grid, int Row, bool Copied) {
  if (!IsDataRow(Grid, Row)) return false;
  if (!PasteAllowed(Copied, DataColumnEnd(Grid), Copied && CheckBoxRowUsed(Grid, Row))) return false;
  for (int c = 1; c < DataColumnEnd(Grid); ++c) {
    const std::string& entry = Row_Clipboard[c - 1];
    const bool fromCheckBox =
        c - 1 < static_cast<int>(Clipboard_CheckBox_Cols.size()) && Clipboard_CheckBox_Cols[c - 1];
    if (fromCheckBox)
      Grid->SetCheckBoxState(c, Row, entry == "Y");
    else
      Grid->SetCells(c, Row, entry);
  }
  return true;
}
