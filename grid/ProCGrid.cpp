#include "grid/ProCGrid.h"

#include "grid/CellGraphic.h"
#include "platform/Format.h"
#include "platform/ui/Menus.h"

#include <algorithm>

TProColumnGrid::TProColumnGrid(TComponent* AOwner) : TProStringGrid(AOwner) {
  FColumnCollection = CreateColumns();
  SyncColumnsQuiet();
  FCellGraphic = std::make_unique<TCellGraphic>();
  FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TProColumnGrid::~TProColumnGrid() {
  // The items ask the grid for nothing while they go.
  FColumnCollection->SetNoRecursiveUpdate(true);
  FColumnCollection->BeginUpdate();
  FColumnCollection.reset();
}

std::unique_ptr<TGridColumnCollection> TProColumnGrid::CreateColumns() {
  return std::make_unique<TGridColumnCollection>(this);
}

void TProColumnGrid::Loaded() {
  TProStringGrid::Loaded();
  SyncColumns();
  FColumnCollection->SetOrganization();
}

void TProColumnGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TProStringGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || !FColumnCollection) return;
  for (int i = 0; i < FColumnCollection->Count(); ++i) {
    TGridColumnItem* item = Item(i);
    // Edit links and menus are components of their own; a column only refers to them.
    if (static_cast<const void*>(item->EditLink()) == static_cast<const void*>(AComponent))
      item->SetEditLink(nullptr);
    if (static_cast<const void*>(item->ColumnPopup()) == static_cast<const void*>(AComponent))
      item->SetColumnPopup(nullptr);
  }
}

void TProColumnGrid::SetColCount(int Value) {
  TProStringGrid::SetColCount(Value);
  if (FColumnCollection) SyncColumnsQuiet();
}

void TProColumnGrid::SyncColumnsQuiet() {
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  SyncColumns();
  FColumnCollection->SetNoRecursiveUpdate(was);
}

void TProColumnGrid::SyncColumns() {
  TGridColumnCollection& cols = *FColumnCollection;
  const int want = ColCount() + NumHiddenColumns();
  while (cols.Count() < want)
    cols.Add();
  while (cols.Count() > want)
    cols.Delete(cols.Count() - 1);
}

TGridColumnItem* TProColumnGrid::ColumnByName(const std::string& AValue) const {
  for (int i = 0; i < FColumnCollection->Count(); ++i)
    if (Item(i)->Name() == AValue) return Item(i);
  return nullptr;
}

void TProColumnGrid::UpdateColumnHeaders() {
  if (FixedRows() <= 0) return;
  std::vector<std::string> headers;
  for (int i = 0; i < FColumnCollection->Count(); ++i) {
    TGridColumnItem* item = Item(i);
    if (item->Header().empty() && RowCount() > 0) {
      std::string cell = AllCells(i, 0);
      if (!cell.empty()) item->StoreHeader(cell);
    }
    headers.push_back(item->Header());
  }
  StoreColumnHeaders(headers);
}

void TProColumnGrid::ColumnHeadersChanged() {
  const auto& headers = ColumnHeaders();
  for (int i = 0; i < FColumnCollection->Count() && i < static_cast<int>(headers.size()); ++i)
    Item(i)->StoreHeader(headers[static_cast<std::size_t>(i)]);
}

void TProColumnGrid::ColWidthsChanged() {
  TProStringGrid::ColWidthsChanged();
  if (!FColumnCollection) return;
  for (int c = 0; c < ColCount(); ++c) {
    const int real = RealColIndex(c);
    if (real >= 0 && real < FColumnCollection->Count()) Item(real)->StoreWidth(ColWidths(c));
  }
}

void TProColumnGrid::ColumnMoved(int FromIndex, int ToIndex) {
  TGridColumnCollection& cols = *FColumnCollection;
  const bool was = cols.NoRecursiveUpdate();
  cols.SetNoRecursiveUpdate(true);
  const int top = TopRow();
  const int from = RealColIndex(FromIndex), to = RealColIndex(ToIndex);
  TProStringGrid::ColumnMoved(FromIndex, ToIndex);
  if (from >= 0 && to >= 0 && from < cols.Count() && to < cols.Count()) {
    cols.BeginUpdate();
    FColMoving = true;
    // The item travels with every setting; its width already moved with the grid's.
    TCollectionItem* moved = cols.TCollection::Items(from);
    moved->SetIndex(to);
    SetTopRow(top);
    FColMoving = false;
    cols.EndUpdate();
  }
  cols.SetNoRecursiveUpdate(was);
  if (from >= 0 && to >= 0 && OnAfterColumnMoved) OnAfterColumnMoved(this, from, to);
}

void TProColumnGrid::ChangeScale(int M, int D) {
  TProStringGrid::ChangeScale(M, D);
  if (M == D || D == 0) return;
  for (int i = 0; i < ColCount() && i < FColumnCollection->Count(); ++i) {
    TGridColumnItem* item = Item(i);
    const auto scale = [&](int size) {
      return static_cast<int>((static_cast<long long>(size) * M + D / 2) / D);
    };
    item->Font().SetSize(scale(item->Font().Size()));
    item->HeaderFont().SetSize(scale(item->HeaderFont().Size()));
  }
}

std::string TProColumnGrid::GetVersionString() const {
  const int v = GetVersionNr();
  return std::to_string((v >> 24) & 0xFF) + "." + std::to_string((v >> 16) & 0xFF) + "." +
         std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF) + " Aug, 2012";
}

void TProColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TProStringGrid::MouseDown(Button, Shift, X, Y);
  const TGridCoord cell = MouseToCell(X, Y);
  if (cell.X < 0 || cell.Y < 0) return;
  ColumnPopupClick(Button, cell.X, cell.Y);
}

void TProColumnGrid::ColumnPopupClick(TMouseButton Button, int ACol, int ARow) {
  // The click names a display column; the item is that of the real column behind it.
  const int real = RealColIndex(ACol);
  TGridColumnItem* item = Item(real);
  if (!item || !item->ColumnPopup()) return;
  const TColumnPopupType t = item->ColumnPopupType();
  const bool left = t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick;
  const bool right = t == cpFixedCellsRClick || t == cpNormalCellsRClick || t == cpAllCellsRClick;
  if (!((Button == mbLeft && left) || (Button == mbRight && right))) return;
  TPopupMenu* menu = item->ColumnPopup();
  if (OnColumnPopup) OnColumnPopup(this, ACol, ARow, menu);
  const bool fixedType = t == cpFixedCellsLClick || t == cpFixedCellsRClick;
  const bool normalType = t == cpNormalCellsLClick || t == cpNormalCellsRClick;
  const bool all = !fixedType && !normalType;
  const bool inFixed = ARow < FixedRows();
  if (!menu || !((inFixed && (fixedType || all)) || (!inFixed && (normalType || all)))) return;
  const TRect r = CellRect(ACol, ARow);
  const TPoint p = ClientToScreen(TPoint{r.Left, r.Bottom});
  FLastPopup = menu;
  menu->Popup(p.X, p.Y);
}
