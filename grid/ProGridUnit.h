// Services of the grid unit beside the grid itself: the regional separators and formats the
// editors use, the version of system libraries, and unit-wide state.
#pragma once

#include <string>

class TProStringGrid;

char GetTimeSeparator();
char GetDateSeparator();
char GetThousandSeparator();
char GetDecimalSeparator();
std::string GetShortDateFormat();
// The long time format without its seconds.
std::string GetShortTimeFormat();
std::string GetLongTimeFormat();
// The most significant file-version word of a system library (major in the high 16 bits): the
// common controls answer version 6.0; any other file -1.
int GetFileVersion(const std::string& FileName);
// The grid whose in-place editor shows, or none.
TProStringGrid* CurrentGrid();
void SetCurrentGrid(TProStringGrid* Grid);
// The cursor shown over links in cells.
int LinkCursor();
// Process-wide ids, the same for every grid: the message posted when an edit ended (WParam the
// real column, LParam the row), the message that moves the focus between the parts of a date
// picker, and the clipboard format that carries cells between grids.
unsigned GridEditDoneMessage();
unsigned DTPShiftFocusMessage();
unsigned GridCellsClipboardFormat();
// The date and date-time editors need common controls 4.70 or later.
bool NewCommonControls();
