// Row operations every table editor offers on its grid: delete, insert, copy and paste a row, Enter to
// the next cell and a double click on a header that sizes its column. The copied row lives in the
// shared Row_Clipboard; each window keeps its own "copied" flag and its own delete confirmation.
//
// Two families: the column grid (check-box columns hold "Y"/"N" texts) and the plain string grid whose
// check-box cells carry a state. Row 0 and column 0 are never touched; the data columns are
// 1 .. ColCount + NumHiddenColumns - 1. Every routine does nothing unless FixedRows <= Row < RowCount.
// The routines answer true when they changed the table.
#pragma once

#include "platform/ui/Controls.h"

class TProColumnGrid;
class TProStringGrid;

// Text shown when an insert would push a used last row out of the table.
constexpr int Text_Table_Full = 1106;

bool Delete_Grid_Row(int Row, TProColumnGrid* Grid);
bool Insert_Grid_Row(int Row, TProColumnGrid* Grid, bool SetEnable);
bool Copy_Grid_Row(TProColumnGrid* Grid, int Row);
bool Paste_Grid_Row(TProColumnGrid* Grid, int Row, bool Copied);
void Grid_DblClick_AutoSize(TProStringGrid* Grid, int ARow, int ACol);
void Grid_Enter_Next_Cell(TProStringGrid* Grid, WideChar& Key);

bool Delete_Grid_Row_CheckBox(int Row, TProStringGrid* Grid, bool CheckFirst);
bool Insert_Grid_Row_CheckBox(int Row, TProStringGrid* Grid, bool CheckFirst);
bool Copy_Grid_Row_CheckBox(TProStringGrid* Grid, int Row);
bool Paste_Grid_Row_CheckBox(TProStringGrid* Grid, int Row, bool Copied);
