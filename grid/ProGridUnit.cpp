#include "grid/ProGridUnit.h"

#include "grid/FooterPanel.h"
#include "grid/ProGrid.h"

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

namespace {
std::vector<std::pair<std::string, TGridClassFactory>>& Registry() {
  static std::vector<std::pair<std::string, TGridClassFactory>> registry;
  return registry;
}

// A cursor picture: an arrow from the hot spot along (dx, dy), black on white, on magenta.
void RegisterArrowCursor(TCursor Index, int dx, int dy, TPoint HotSpot) {
  TBitmap b;
  b.SetSize(32, 32);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clFuchsia);
  c.FillRect({0, 0, 32, 32});
  const TPoint tip = HotSpot;
  const TPoint end{tip.X + dx * 12, tip.Y + dy * 12};
  // The head: a triangle at the tip pointing along the direction, framed in white.
  const TPoint side1{tip.X + dx * 6 - dy * 4, tip.Y + dy * 6 - dx * 4};
  const TPoint side2{tip.X + dx * 6 + dy * 4, tip.Y + dy * 6 + dx * 4};
  c.Pen().SetColor(clWhite);
  c.Pen().SetWidth(3);
  c.MoveTo(tip.X, tip.Y);
  c.LineTo(end.X, end.Y);
  c.Pen().SetColor(clBlack);
  c.Pen().SetWidth(1);
  c.Brush().SetColor(clBlack);
  c.Polygon({tip, side1, side2});
  c.MoveTo(tip.X, tip.Y);
  c.LineTo(end.X, end.Y);
  Screen->SetCursors(Index, b, HotSpot, clFuchsia);
}

void RegisterCrossCursor(TCursor Index) {
  TBitmap b;
  b.SetSize(32, 32);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clFuchsia);
  c.FillRect({0, 0, 32, 32});
  c.Brush().SetColor(clBlack);
  c.FillRect({15, 6, 17, 26});
  c.FillRect({6, 15, 26, 17});
  Screen->SetCursors(Index, b, {16, 16}, clFuchsia);
}
} // namespace

bool RegisterGridClass(const std::string& Name, TGridClassFactory Factory) {
  if (Name.empty() || !Factory) return false;
  for (const auto& entry : Registry())
    if (entry.first == Name) return false;
  Registry().emplace_back(Name, std::move(Factory));
  return true;
}

TComponent* CreateGridClass(const std::string& Name, TComponent* AOwner) {
  for (const auto& entry : Registry())
    if (entry.first == Name) return entry.second(AOwner);
  return nullptr;
}

std::vector<std::string> RegisteredGridClasses() {
  std::vector<std::string> names;
  for (const auto& entry : Registry())
    names.push_back(entry.first);
  return names;
}

void StartProGridUnit() {
  static const bool started = [] {
    RegisterGridClass("TProStringGrid", [](TComponent* o) -> TComponent* { return new TProStringGrid(o); });
    RegisterGridClass("TFooterPanel", [](TComponent* o) -> TComponent* {
      auto* grid = dynamic_cast<TProStringGrid*>(o);
      return grid ? new TFooterPanel(grid) : nullptr;
    });
    GridEditDoneMessage();
    DTPShiftFocusMessage();
    GridCellsClipboardFormat();
    NewCommonControls();
    SetCurrentGrid(nullptr);
    RegisterArrowCursor(8010, 1, 0, {2, 16});
    RegisterArrowCursor(8011, 0, 1, {16, 2});
    RegisterArrowCursor(8012, 1, 1, {2, 2});
    RegisterCrossCursor(8014);
    return true;
  }();
  (void)started;
}
