// Images of the grid's image list in cells (by index, by the cell's number, several at once),
// file pictures and objects that paint themselves.
#include "grid/FilePicture.h"
#include "grid/IntList.h"
#include "grid/ProGrid.h"

#include <memory>

void TProStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  if (!FGridImages) return;
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow)) {
    g->SetImageIdx(Aidx, hal, val);
    RepaintGraphicCell(ACol, ARow);
  }
}

bool TProStringGrid::GetImageIdx(int ACol, int ARow, int& idx) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!FGridImages || !g || g->CellType() != ctImageList) return false;
  idx = g->CellIndex();
  return true;
}

void TProStringGrid::SetImageIdx(int ACol, int ARow, int Idx) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!FGridImages || !g || g->CellType() != ctImageList) return;
  g->SetCellIndex(Idx);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  if (!FGridImages) return;
  const bool empty = Cells(ACol, ARow).empty();
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return;
  g->SetDataImage(Aidx, hal, val);
  if (empty) SetInts(ACol, ARow, Aidx);
  RepaintGraphicCell(ACol, ARow);
}

bool TProStringGrid::RemoveDataImage(int ACol, int ARow) {
  if (!RemoveCellGraphicOfKind(ACol, ARow, ctDataImage)) return false;
  SetCells(ACol, ARow, "");
  return true;
}

void TProStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val) {
  if (!FGridImages) return;
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return;
  g->SetMultiImage(ACol, ARow, Dir, hal, val);
  if (TIntList* list = g->CellIntList())
    list->OnChange = [this](TObject*, int c, int r) { RepaintGraphicCell(c, r); };
}

void TProStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                    TStretchMode stretchmode, int padding, TCellHAlign hal, TCellVAlign val) {
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow)) {
    g->SetFilePicture(AFilePicture, Transparent, stretchmode, padding, hal, val);
    RepaintGraphicCell(ACol, ARow);
  }
}

TFilePicture* TProStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent,
                                                TStretchMode stretchmode, int padding, TCellHAlign hal,
                                                TCellVAlign val) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  auto picture = std::make_unique<TFilePicture>();
  g->SetFilePicture(picture.get(), Transparent, stretchmode, padding, hal, val);
  g->MarkCreated();
  return picture.release();
}

TFilePicture* TProStringGrid::GetFilePicture(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g && g->CellType() == ctFilePicture ? g->CellFilePicture() : nullptr;
}

void TProStringGrid::AddInterfacedCell(int ACol, int ARow, TPersistent* AObject) {
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow)) {
    g->SetInterfacedCell(AObject);
    RepaintGraphicCell(ACol, ARow);
  }
}

TPersistent* TProStringGrid::GetInterfacedCell(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g && g->CellType() == ctInterface ? g->CellInterface() : nullptr;
}
