// Putting graphics into cells, reading them back and taking them out.
#include "grid/ProGrid.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"

#include <algorithm>

TCellGraphic* TProStringGrid::GetCellGraphic(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0) return nullptr;
  TObject* obj = GraphicObjects(ACol, ARow);
  auto* g = dynamic_cast<TCellGraphic*>(obj);
  if (ACol != 0 || !FMouseActions->HotmailRowSelect() || (obj && !g)) return g;
  auto* self = const_cast<TProStringGrid*>(this);
  TCellGraphic& rc = FRowCheckGraphic;
  rc.SetCellType(ctRowCheckBox);
  rc.SetCellTransparent(FControlLook.ControlStyle() == csFlat);
  if (ARow == 0) {
    const int n = RowSelectCount(), normal = RowCount() - FixedRows();
    rc.SetCellAngle(n != 0 && n < normal ? 1 : 0); // some but not all rows: the partial look
    rc.SetCellBoolean(n >= normal);
  } else {
    rc.SetCellAngle(0);
    rc.SetCellBoolean(self->RowSelect(RealRowIndex(ARow)));
  }
  return &rc;
}

TCellType TProStringGrid::GetCellType(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g ? g->CellType() : ctEmpty;
}

TCellGraphic* TProStringGrid::CreateCellGraphic(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  auto* g = new TCellGraphic;
  SetGraphicObjects(ACol, ARow, g); // frees the graphic the cell had
  if (GraphicObjects(ACol, ARow) != g) {
    delete g; // outside the grid, or the grid is going away
    return nullptr;
  }
  if (NumHiddenColumns() > 0 && RealToDisplCol(ACol) >= 0) RepaintCell(RealToDisplCol(ACol), ARow);
  return g;
}

bool TProStringGrid::RemoveCellGraphic(int ACol, int ARow) {
  if (!GetCellGraphic(ACol, ARow)) return false;
  SetGraphicObjects(ACol, ARow, nullptr);
  if (RealToDisplCol(ACol) >= 0) RepaintCell(RealToDisplCol(ACol), ARow);
  return true;
}

bool TProStringGrid::RemoveCellGraphicOfKind(int ACol, int ARow, TCellType Kind) {
  return GetCellType(ACol, ARow) == Kind && RemoveCellGraphic(ACol, ARow);
}

bool TProStringGrid::HasCellGraphicOf(int ACol, int ARow, std::initializer_list<TCellType> Kinds) const {
  if (ACol < 0 || ARow < 0) return false;
  TPoint base = BaseCell(ACol, ARow);
  const TCellGraphic* g = GetCellGraphic(base.X, base.Y);
  return g && std::find(Kinds.begin(), Kinds.end(), g->CellType()) != Kinds.end();
}

TCellGraphic* TProStringGrid::AllCellGraphic(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= TotalColCount()) return nullptr;
  if (!IsHiddenRow(ARow)) return GetCellGraphic(ACol, RealToDisplRow(ARow));
  // A hidden row's own graphic first; else only the row check box of column 0 counts.
  auto it = std::lower_bound(FGridItems.begin(), FGridItems.end(), ARow,
                             [](const TGridItem& i, int idx) { return i.Idx < idx; });
  TCellGraphic* g = nullptr;
  if (it != FGridItems.end() && it->Idx == ARow && static_cast<int>(it->Cells.size()) > ACol)
    g = dynamic_cast<TCellGraphic*>(
        GraphicOfCellProperties(dynamic_cast<TCellProperties*>(it->Cells[ACol].Object)));
  if (g || ACol != 0 || !FMouseActions->HotmailRowSelect()) return g;
  FRowCheckGraphic.SetCellType(ctRowCheckBox);
  FRowCheckGraphic.SetCellAngle(0);
  FRowCheckGraphic.SetCellBoolean(const_cast<TProStringGrid*>(this)->RowSelect(ARow));
  return &FRowCheckGraphic;
}

void TProStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                               TCellVAlign val) {
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow)) g->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TProStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal,
                                      TCellVAlign val) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  auto* bmp = new TBitmap;
  g->SetBitmap(bmp, Transparent, hal, val);
  g->MarkCreated();
  return bmp;
}

TBitmap* TProStringGrid::GetBitmap(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g && g->CellType() == ctBitmap ? g->CellBitmap() : nullptr;
}

void TProStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent,
                                TStretchMode StretchMode, int padding, TCellHAlign hal, TCellVAlign val) {
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow))
    g->SetPicture(APicture, Transparent, StretchMode, padding, hal, val);
}

TPicture* TProStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                        int padding, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  auto* pic = new TPicture;
  g->SetPicture(pic, Transparent, StretchMode, padding, hal, val);
  g->MarkCreated();
  return pic;
}

TPicture* TProStringGrid::GetPicture(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g && g->CellType() == ctPicture ? g->CellPicture() : nullptr;
}

void TProStringGrid::AddIcon(int ACol, int ARow, TBitmap* AIcon, TCellHAlign hal, TCellVAlign val) {
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow)) g->SetIcon(AIcon, hal, val);
}

TBitmap* TProStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  auto* icon = new TBitmap;
  g->SetIcon(icon, hal, val);
  g->MarkCreated();
  return icon;
}

void TProStringGrid::AddRotated(int ACol, int ARow, int AAngle, const std::string& s) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return;
  g->SetAngle(AAngle);
  SetCells(ACol, ARow, s);
}

bool TProStringGrid::IsRotated(int ACol, int ARow, int& aAngle) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRotated) return false;
  aAngle = g->CellAngle();
  return true;
}

void TProStringGrid::SetRotated(int ACol, int ARow, int AAngle) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) g = CreateCellGraphic(ACol, ARow);
  if (g) g->SetAngle(AAngle);
}
