#include "grid/GridColumns.h"

#include "grid/ProCGrid.h"

#include <vector>

// --- TGridColumnItem -------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TCollection* Collection) : TCollectionItem(Collection) {
  FBorderPen.SetColor(clSilver);
  FPrintBorderPen.SetColor(clBlack);
  if (TProColumnGrid* grid = Grid()) {
    FColor = grid->Color();
    FFont.Assign(grid->Font());
    FHeaderFont.Assign(grid->Font());
    FPrintFont.Assign(grid->Font());
    FFont.OnChange = [this] { CollectionUpdate(); };
    FHeaderFont.OnChange = [this] { CollectionUpdate(); };
    FBorderPen.OnChange = [this] { CollectionUpdate(); };
    FFilter.OnChange = [this](TObject*) { RepaintGrid(); };
  }
}

TGridColumnItem::~TGridColumnItem() = default;

TProColumnGrid* TGridColumnItem::Grid() const {
  auto* c = static_cast<TGridColumnCollection*>(Collection());
  return c ? c->Grid() : nullptr;
}

void TGridColumnItem::CollectionUpdate() {
  Changed(false);
}

void TGridColumnItem::RepaintGrid() const {
  if (TProColumnGrid* grid = Grid()) grid->Invalidate();
}

void TGridColumnItem::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  RepaintGrid();
}

void TGridColumnItem::SetBorders(TCellBorders Value) {
  FBorders = Value;
  CollectionUpdate();
}

void TGridColumnItem::SetColor(TColor Value) {
  FColor = Value;
  CollectionUpdate();
}

void TGridColumnItem::SetEditor(TEditorType Value) {
  const bool repaint = (FEditor == edDataCheckBox) != (Value == edDataCheckBox);
  FEditor = Value;
  NoteEditor();
  if (repaint) RepaintGrid();
}

void TGridColumnItem::SetFixed(bool Value) {
  FFixed = Value;
  CollectionUpdate();
}

void TGridColumnItem::SetFloatFormat(const std::string& Value) {
  FFloatFormat = Value;
  RepaintGrid();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value) {
  FHeaderAlignment = Value;
  RepaintGrid();
}

void TGridColumnItem::SetHeaderFont(const TFont& Value) {
  // The change handler would call Update; a header font write only repaints.
  auto handler = std::move(FHeaderFont.OnChange);
  FHeaderFont.Assign(Value);
  FHeaderFont.OnChange = std::move(handler);
  RepaintGrid();
}

void TGridColumnItem::SetPassword(bool Value) {
  FPassword = Value;
  CollectionUpdate();
}

void TGridColumnItem::SetShowBands(bool Value) {
  FShowBands = Value;
  CollectionUpdate();
}

void TGridColumnItem::SetHeader(const std::string& Value) {
  FHeader = Value;
  TProColumnGrid* grid = Grid();
  if (!grid) return;
  if (grid->FixedRows() > 0 && !grid->ColMoving()) {
    grid->SetAllCells(Index(), 0, Value);
    CollectionUpdate();
  }
  std::vector<std::string> headers;
  const TGridColumnCollection& cols = grid->Columns();
  for (int i = 0; i < cols.Count(); ++i)
    headers.push_back(cols.Items(i)->Header());
  grid->StoreColumnHeaders(headers);
}

int TGridColumnItem::Width() const {
  TProColumnGrid* grid = Grid();
  return grid ? grid->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int Value) {
  FWidth = Value;
  if (TProColumnGrid* grid = Grid()) grid->SetAllColWidths(Index(), Value);
}

std::string TGridColumnItem::Rows(int ARow) const {
  return Grid()->Cells(Index(), ARow);
}
void TGridColumnItem::SetRows(int ARow, const std::string& Value) {
  Grid()->SetCells(Index(), ARow, Value);
}
int TGridColumnItem::Ints(int ARow) const {
  return Grid()->Ints(Index(), ARow);
}
void TGridColumnItem::SetInts(int ARow, int Value) {
  Grid()->SetInts(Index(), ARow, Value);
}
double TGridColumnItem::Floats(int ARow) const {
  return Grid()->Floats(Index(), ARow);
}
void TGridColumnItem::SetFloats(int ARow, double Value) {
  Grid()->SetFloats(Index(), ARow, Value);
}
double TGridColumnItem::Dates(int ARow) const {
  return Grid()->Dates(Index(), ARow);
}
void TGridColumnItem::SetDates(int ARow, double Value) {
  Grid()->SetDates(Index(), ARow, Value);
}
double TGridColumnItem::Times(int ARow) const {
  return Grid()->Times(Index(), ARow);
}
void TGridColumnItem::SetTimes(int ARow, double Value) {
  Grid()->SetTimes(Index(), ARow, Value);
}

std::string TGridColumnItem::GetDisplayName() const {
  const std::string index = std::to_string(Index());
  return FName.empty() ? "Column " + index : "Col " + index + ": " + FName;
}

// Fonts, pens and lists are copied without running their change handlers: Assign changes
// nothing on screen.
namespace {
void QuietFont(TFont& Dst, const TFont& Src) {
  auto handler = std::move(Dst.OnChange);
  Dst.Assign(Src);
  Dst.OnChange = std::move(handler);
}
void QuietPen(TPen& Dst, const TPen& Src) {
  auto handler = std::move(Dst.OnChange);
  Dst.Assign(Src);
  Dst.OnChange = std::move(handler);
}
void QuietList(TStringList& Dst, const TStringList& Src) {
  auto handler = std::move(Dst.OnChange);
  Dst.Assign(Src);
  Dst.OnChange = std::move(handler);
}
} // namespace

void TGridColumnItem::CopyCommon(const TGridColumnItem& Src) {
  FAlignment = Src.FAlignment;
  FHeaderAlignment = Src.FHeaderAlignment;
  QuietPen(FBorderPen, Src.FBorderPen);
  FBorders = Src.FBorders;
  FCheckFalse = Src.FCheckFalse;
  FCheckTrue = Src.FCheckTrue;
  FEditLength = Src.FEditLength;
  FEditorSettings.EditLink = Src.FEditorSettings.EditLink;
  FEditMask = Src.FEditMask;
  FEditor = Src.FEditor;
  NoteEditor();
  FFixed = Src.FFixed;
  FPassword = Src.FPassword;
  QuietPen(FPrintBorderPen, Src.FPrintBorderPen);
  FPrintBorders = Src.FPrintBorders;
  FPrintColor = Src.FPrintColor;
  QuietFont(FPrintFont, Src.FPrintFont);
  FReadOnly = Src.FReadOnly;
  FSortPrefix = Src.FSortPrefix;
  FSortStyle = Src.FSortStyle;
  FSortSuffix = Src.FSortSuffix;
  FEditorSettings.SpinMax = Src.FEditorSettings.SpinMax;
  FEditorSettings.SpinMin = Src.FEditorSettings.SpinMin;
  FEditorSettings.SpinStep = Src.FEditorSettings.SpinStep;
  FColumnPopup = Src.FColumnPopup;
  // A column outside a grid has no width there; it carries its stored one.
  FWidth = Src.Grid() ? Src.Width() : Src.FWidth;
  FShowBands = Src.FShowBands;
  FMinSize = Src.FMinSize;
  FMaxSize = Src.FMaxSize;
  FAutoMinSize = Src.FAutoMinSize;
  FAutoMaxSize = Src.FAutoMaxSize;
  QuietList(FFilter, Src.FFilter);
  FFilterCaseSensitive = Src.FFilterCaseSensitive;
  FDefIdx = Src.FDefIdx;
  FFloatFormat = Src.FFloatFormat;
}

void TGridColumnItem::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TGridColumnItem*>(Source);
  if (!src || src == this) return;
  CopyCommon(*src);
  FColor = src->FColor;
  QuietList(FComboItems, src->FComboItems);
  FEditorSettings.DropDownCount = src->FEditorSettings.DropDownCount;
  QuietFont(FFont, src->FFont);
  QuietFont(FHeaderFont, src->FHeaderFont);
  FHeader = src->FHeader;
  FName = src->FName;
  FTag = src->FTag;
}

void TGridColumnItem::AssignVisuals(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TGridColumnItem*>(Source);
  if (!src || src == this) return;
  CopyCommon(*src);
  if (TProColumnGrid* grid = Grid()) {
    FColor = grid->Color();
    QuietFont(FFont, grid->Font());
  }
}

// --- TGridColumnCollection -------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TProColumnGrid* AOwner)
    : TCollection(ItemClassOf<TGridColumnItem>()), FOwner(AOwner) {}

TCollection::TItemFactory TGridColumnCollection::GetItemClass() const {
  return ItemClassOf<TGridColumnItem>();
}

TGridColumnItem* TGridColumnCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return static_cast<TGridColumnItem*>(TCollection::Items(Index));
}

TGridColumnItem* TGridColumnCollection::Add() {
  auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
  if (Count() > 1) item->AssignVisuals(Items(Count() - 2));
  return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index) {
  return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner) return;
  TProColumnGrid& grid = *FOwner;
  const int n = Count() - grid.NumHiddenColumns();
  if (n != grid.ColCount() && n > grid.FixedCols()) grid.SetColCount(n);
  grid.UpdateColumnHeaders();
  grid.Invalidate();
}

void TGridColumnCollection::SetOrganization() {
  FNoRecursiveUpdate = true;
  if (FOwner) FOwner->SyncColumns();
  FNoRecursiveUpdate = false;
  for (int i = 0; i < Count(); ++i)
    Items(i)->SetDefIdx(i);
}

bool TGridColumnCollection::ResetOrganization() {
  const int n = Count();
  std::vector<bool> seen(static_cast<std::size_t>(n), false);
  for (int i = 0; i < n; ++i) {
    const int d = Items(i)->DefIdx();
    if (d < 0 || d >= n || seen[static_cast<std::size_t>(d)]) return false;
    seen[static_cast<std::size_t>(d)] = true;
  }
  if (!FOwner) return false;
  // With a permutation each clean-up pass puts at least one column home, so n passes suffice.
  for (int pass = 0; pass <= n; ++pass) {
    bool clean = true;
    for (int i = 0; i < Count(); ++i) {
      const int d = Items(i)->DefIdx();
      if (d < i) {
        FOwner->MoveColumn(FOwner->RealToDisplCol(i), FOwner->RealToDisplCol(d));
        clean = false;
      }
    }
    if (clean) break;
  }
  return true;
}
