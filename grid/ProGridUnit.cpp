#include "grid/ProGridUnit.h"

#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/Controls.h"

#include <algorithm>
#include <cctype>

namespace {
TProStringGrid* TheCurrentGrid = nullptr;
}

char GetTimeSeparator() {
  return FormatSettings().TimeSeparator;
}
char GetDateSeparator() {
  return FormatSettings().DateSeparator;
}
char GetThousandSeparator() {
  return FormatSettings().ThousandSeparator;
}
char GetDecimalSeparator() {
  return FormatSettings().DecimalSeparator;
}
std::string GetShortDateFormat() {
  return FormatSettings().ShortDateFormat;
}
std::string GetLongTimeFormat() {
  return FormatSettings().LongTimeFormat;
}

std::string GetShortTimeFormat() {
  std::string f = FormatSettings().LongTimeFormat;
  // Drop the seconds with the separator before them.
  size_t s = f.find_first_of("sS");
  if (s == std::string::npos) return f;
  size_t cut = s;
  while (cut > 0 && !std::isalpha(static_cast<unsigned char>(f[cut - 1])))
    --cut;
  size_t end = s;
  while (end < f.size() && (f[end] == 's' || f[end] == 'S'))
    ++end;
  return f.substr(0, cut) + f.substr(end);
}

int GetFileVersion(const std::string& FileName) {
  std::string name = FileName;
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  if (name == "comctl32.dll" || name == "comctl32") return 6 << 16;
  return -1;
}

TProStringGrid* CurrentGrid() {
  return TheCurrentGrid;
}

void SetCurrentGrid(TProStringGrid* Grid) {
  TheCurrentGrid = Grid;
}

int LinkCursor() {
  return crHandPoint;
}

unsigned GridEditDoneMessage() {
  static const unsigned id = RegisterWindowMessage("GridEditDone");
  return id;
}

unsigned DTPShiftFocusMessage() {
  static const unsigned id = RegisterWindowMessage("DTPShiftFocus");
  return id;
}

unsigned GridCellsClipboardFormat() {
  static const unsigned id = RegisterClipboardFormat("TProStringGrid Cells");
  return id;
}

bool NewCommonControls() {
  static const bool isNew = GetFileVersion("comctl32.dll") > 0x00040045;
  return isNew;
}
