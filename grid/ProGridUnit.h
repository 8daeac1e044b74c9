// Services of the grid unit beside the grid itself: the regional separators and formats the
// editors use, the version of system libraries, and unit-wide state.
#pragma once

#include <functional>
#include <string>
#include <vector>

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

class TComponent;
// The grid unit's classes by name, so that a stored layout can name them.
using TGridClassFactory = std::function<TComponent*(TComponent* AOwner)>;
// False (and nothing changes) for an empty name or one registered already.
bool RegisterGridClass(const std::string& Name, TGridClassFactory Factory);
// nullptr for a name not registered.
TComponent* CreateGridClass(const std::string& Name, TComponent* AOwner);
std::vector<std::string> RegisteredGridClasses();
// Once per process, before the first grid: the classes, the ids and the grid's own cursors
// (8010 row select, 8011 column select, 8012 select all and resize, 8014 cell selector).
void StartProGridUnit();
