#include "grid/ProGrid.h"

#include "controls/AsgHTMLEColors.h"
#include "grid/ProGridUnit.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Messages.h"

#include <algorithm>

namespace {
// One grid's link in its form's resize chain. The link outlives the grid when a later grid
// hooked the form after it: then it only passes the call on.
struct TResizeLink {
  TProStringGrid* Grid = nullptr;
  std::function<void(TObject*)> Handler; // the grid's own step
  TNotifyEvent Next;                     // the handler found on the form
};
struct TResizeHook {
  std::shared_ptr<TResizeLink> Link;
  void operator()(TObject* Sender) const {
    TResizeLink link = *Link; // the grid may unhook while it runs
    if (link.Grid && link.Handler) link.Handler(Sender);
    if (link.Next) {
      try {
        link.Next(Sender);
      } catch (...) {
        // the form's own handler failing must not stop the grid following the form
      }
    }
  }
};
} // namespace

TProStringGrid::TProStringGrid(TComponent* AOwner)
    : TBaseGrid(AOwner), FMouseActions(std::make_unique<TMouseActions>(this)),
      FBands(std::make_unique<TBands>()) {
  StartProGridUnit();
  FSearchFooter = std::make_unique<TSearchFooter>(this, false);
  FSortSettings.SetGrid(this);
  FFixedFont.SetName("Tahoma");
  FFixedFont.SetStyle(fsBold);
  FActiveCellFont.SetStyle(fsBold);
  FFixedFont.OnChange = [this] { Invalidate(); };
  FActiveCellFont.OnChange = [this] { Invalidate(); };
  FProgressAppearance.OnChange = [this](TObject*) { Invalidate(); };
  FFilterDropDown.OnChange = [this](TObject*) { Invalidate(); };
  FBands->OnChange = [this](TObject*) { Invalidate(); };
  FCellNode.OnChange = [this](TObject*) { Invalidate(); };
  FControlLook.OnChange = [this](std::string_view Name) { ControlLookChanged(Name); };
  FColumnSize.OnStretchChange = [this](TObject*) {
    if (Parent()) StretchIfWanted();
  };
  TBaseGrid::SetColCount(5);
  TBaseGrid::SetRowCount(10);
  TBaseGrid::SetFixedCols(1);
  TBaseGrid::SetFixedRows(1);
  RefreshPlainRange();
  SetDefaultRowHeight(22);
  SetRowHeights(0, 22);
  SetDefaultColWidth(64);
  FVisibleCol.assign(TotalColCount(), true);
  FAllColWidths.assign(TotalColCount(), 0);
  FMaxRowCount = RowCount();
  SetNormalRowCount(RowCount());
  FMaxColCount = ColCount();
  SetBounds(Left(), Top(), 400, 250);
  HookForm();
  StartGridTimer();
  FFloatingFooter.SetGrid(this);
  FFloatingFooter.OnChange = [this](TObject*) { FloatingFooterChanged(); };
  FSearchFooter->OnChange = [this](TObject*) { SearchFooterChange(); };
}

TProStringGrid::~TProStringGrid() {
  if (FColumnSize.Save()) {
    // A store that cannot be written keeps what it held; there is no one left to tell.
    try {
      SaveColSizes();
    } catch (const std::exception&) {
    }
  }
  UnhookForm();
  if (CurrentGrid() == this) SetCurrentGrid(nullptr);
  // Hidden rows come back so the base grid frees their cells' properties with the others.
  UnHideRowsAll();
  StopDragScroll();
}

std::string TProStringGrid::Version() const {
  int v = GetVersionNr();
  return std::to_string((v >> 24) & 0xFF) + "." + std::to_string((v >> 16) & 0xFF) + "." +
         std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
}

std::string TProStringGrid::GetVersionString() const {
  return Version() + " Sep, 2012";
}

// --- Shape -------------------------------------------------------------------------------------

void TProStringGrid::SetColCount(int Value) {
  Value = std::max(0, Value);
  if (FNumHidden > 0 && Value < ColCount()) KeepHiddenColumns(Value);
  TBaseGrid::SetColCount(Value);
  if (FFixedColAlways && FFixedColsMin < ColCount()) TBaseGrid::SetFixedCols(FFixedColsMin);
  RefreshPlainRange();
  FMaxColCount = std::max(FMaxColCount, Value);
}

void TProStringGrid::KeepHiddenColumns(int NewCount) {
  // The hidden columns after the last column that stays move up behind it, so the cut drops only
  // displayed columns.
  int next = NewCount > 0 ? DisplToRealCol(NewCount - 1) + 1 : 0;
  const int total = TotalColCount();
  for (int c = next; c < total; ++c) {
    if (FVisibleCol[c]) continue;
    if (c != next) {
      for (int r = 0; r < RowCount(); ++r)
        SwapCells({c, r}, {next, r});
      for (TGridItem& item : FGridItems) {
        const size_t need = static_cast<size_t>(c) + 1;
        if (item.Cells.size() < need) item.Cells.resize(need);
        std::swap(item.Cells[c], item.Cells[next]);
      }
      std::swap(FAllColWidths[c], FAllColWidths[next]);
      FVisibleCol[next] = false;
      FVisibleCol[c] = true;
    }
    ++next;
  }
  // The dropped columns' cells now lie beyond the real ones; hidden rows drop theirs here.
  const size_t kept = static_cast<size_t>(NewCount + FNumHidden);
  for (TGridItem& item : FGridItems) {
    for (size_t c = kept; c < item.Cells.size(); ++c)
      DeleteCellProperties(item.Cells[c].Object);
    if (item.Cells.size() > kept) item.Cells.resize(kept);
  }
  std::fill(FVisibleCol.begin() + static_cast<std::ptrdiff_t>(kept), FVisibleCol.end(), true);
}

void TProStringGrid::SetRowCount(int Value) {
  Value = std::max(0, Value);
  const int old = RowCount();
  // The footer row's cells are taken before the count changes, so a shrinking grid keeps them.
  const bool moveFooter = FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow &&
                          Value != old && old > 0 && Value > 0;
  TGridCellRow footer;
  int footerHeight = 0;
  if (moveFooter) {
    footer = TakeRowCells(old - 1);
    footerHeight = RowHeights(old - 1);
  }
  if (Value < old && !FGridItems.empty()) {
    // Hidden rows behind the cut move up behind the last row that stays, keeping their order.
    int next = Value > 0 ? DisplToRealRow(Value - 1) + 1 : 0;
    for (TGridItem& item : FGridItems)
      if (item.Idx >= next) item.Idx = next++;
  }
  TBaseGrid::SetRowCount(Value);
  if (FFixedRowAlways && FFixedRowsMin < RowCount()) TBaseGrid::SetFixedRows(FFixedRowsMin);
  RefreshPlainRange();
  FMaxRowCount = std::max(FMaxRowCount, Value);
  SetNormalRowCount(Value);
  if (moveFooter) {
    // The row the footer comes to gives up its cells' properties first.
    FreeCellPropertiesRange(0, Value - 1, TotalColCount() - 1, Value - 1);
    PutRowCells(Value - 1, std::move(footer));
    SetRowHeights(Value - 1, footerHeight);
    CalcFooter(-1);
    Invalidate();
  }
}

void TProStringGrid::SetFixedRows(int Value) {
  TBaseGrid::SetFixedRows(Value >= RowCount() && FFixedRowAlways ? RowCount() - 1 : Value);
  FFixedRowsMin = Value;
  RefreshPlainRange();
}

void TProStringGrid::SetFixedCols(int Value) {
  TBaseGrid::SetFixedCols(Value >= ColCount() && FFixedColAlways ? ColCount() - 1 : Value);
  FFixedColsMin = Value;
  RefreshPlainRange();
}

int TProStringGrid::FixedRows() const {
  const int n = TBaseGrid::FixedRows();
  return n == 0 && FFixedRowAlways ? 1 : n;
}

int TProStringGrid::FixedCols() const {
  const int n = TBaseGrid::FixedCols();
  return n == 0 && FFixedColAlways ? 1 : n;
}

void TProStringGrid::SetHighlightColor(TColor Value) {
  if (Value == FHighlightColor) return;
  FHighlightColor = Value;
  SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
  Invalidate();
}

void TProStringGrid::SetHighlightTextColor(TColor Value) {
  if (Value == FHighlightTextColor) return;
  FHighlightTextColor = Value;
  SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
  Invalidate();
}

void TProStringGrid::SetXYOffset(TPoint Value) {
  FXYOffset = Value;
  Invalidate();
}

void TProStringGrid::SetBackGround(const TBackGround& Value) {
  FBackGround.Assign(&Value);
  Invalidate();
}

unsigned TProStringGrid::DialogCode() const {
  unsigned code = TBaseGrid::DialogCode();
  if (FNavigation.AutoGotoWhenSorted() || !(Options() & goEditing)) code |= DLGC_WANTCHARS;
  return code;
}

void TProStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  // Every count change ends here, also those made past this grid's setters.
  RefreshPlainRange();
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
  if (Parent()) StretchIfWanted();
  // The column maps follow the real columns, however many there are.
  size_t total = static_cast<size_t>(std::max(0, TotalColCount()));
  if (FVisibleCol.size() < total) {
    FVisibleCol.resize(total, true);
    FAllColWidths.resize(total, 0);
  }
  // New columns behind hidden ones need cells of their own.
  if (CellCapacity() < TotalColCount()) SetCellCapacity(TotalColCount());
}

void TProStringGrid::SetFixedRowHeight(int Value) {
  if (Value == DefaultRowHeight()) {
    SetDefaultRowHeight(Value);
    return;
  }
  for (int r = 0; r < FixedRows(); ++r)
    SetRowHeights(r, Value);
}

void TProStringGrid::SetFixedColWidth(int Value) {
  if (Value == DefaultColWidth()) return;
  for (int c = 0; c < FixedCols(); ++c)
    SetColWidths(c, Value);
}

void TFloatingFooter::Assign(const TPersistent* Source) {
  auto* other = dynamic_cast<const TFloatingFooter*>(Source);
  if (!other) return;
  FVisible = other->FVisible;
  FFooterStyle = other->FFooterStyle;
  FHeight = other->FHeight;
  FColumn = other->FColumn;
  FCustomTemplate = other->FCustomTemplate;
  FShowHint = other->FShowHint;
  FCalculateHiddenRows = other->FCalculateHiddenRows;
  FEnableCalculation = other->FEnableCalculation;
  FColor = other->FColor;
  if (OnChange) OnChange(this);
}

void TProStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int rh = DefaultRowHeight();
  if (FIntegralHeight && rh > 0) {
    int total = 0;
    for (int c = 0; c < ColCount() && total <= AWidth; ++c)
      total += ColWidths(c);
    int h = total > AWidth && ScrollBars() != ssNone && ScrollBars() != ssVertical ? FScrollWidth : 0;
    int b = BorderStyle() == bsSingle ? 2 : 0;
    AHeight = AHeight + b - ((AHeight - h - b) % rh);
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TProStringGrid::Loaded() {
  ShowColumnHeaders();
  ShowRowHeaders();
  FMinFixedRows = FixedRows();
  FMinFixedCols = FixedCols();
  FMaxRowCount = std::max(FMaxRowCount, RowCount());
  FLoaded = true;
  if (FColumnSize.Save()) LoadColSizes();
  // The editor always showing is the navigation's business here.
  if (Options() & goAlwaysShowEditor) {
    SetOptions(Options() & ~goAlwaysShowEditor);
    FNavigation.SetAlwaysEdit(true);
  }
}

void TProStringGrid::SetScrollBarAlways(TScrollBarAlways Value) {
  FScrollBarAlways = Value;
  SetScrollBars(ScrollBars()); // lays the bars out again
}

// --- The owner form's resize chain ----------------------------------------------------------------

void TProStringGrid::HookForm() {
  auto* form = dynamic_cast<TForm*>(Owner());
  if (!form) return;
  auto link = std::make_shared<TResizeLink>();
  link->Grid = this;
  link->Handler = [this](TObject* Sender) { FormResized(Sender); };
  link->Next = form->OnResize;
  form->OnResize = TResizeHook{link};
  FHookedForm = form;
  FFormWidth = form->Width();
  FFormHeight = form->Height();
  FResizeLink = link;
}

void TProStringGrid::UnhookForm() {
  if (!FHookedForm || !FResizeLink) return;
  auto link = std::static_pointer_cast<TResizeLink>(FResizeLink);
  link->Grid = nullptr;
  link->Handler = nullptr;
  // Only when ours is the outermost link is the form given back what we found; otherwise our
  // link stays in the chain and just passes calls on. A form being destroyed (its grid goes with
  // it as one of its components) has let go of its handlers already: nothing to give back.
  if (!FHookedForm->Destroying())
    if (auto* hook = FHookedForm->OnResize.target<TResizeHook>(); hook && hook->Link == link)
      FHookedForm->OnResize = link->Next;
  FResizeLink.reset();
  FHookedForm = nullptr;
}

void TProStringGrid::FormResized(TObject*) {
  if (!FHookedForm) return;
  if (FSizeWithForm) {
    int w = Width() + FHookedForm->Width() - FFormWidth;
    int h = Height() + FHookedForm->Height() - FFormHeight;
    if (w > 0 && h > 0) {
      SetBounds(Left(), Top(), w, h);
      FFormWidth = FHookedForm->Width();
      FFormHeight = FHookedForm->Height();
    }
  }
  StretchIfWanted();
}
