#include "grid/BaseGrid.h"

#include "controls/ProUtilCellText.h"
#include "grid/CellGraphic.h"
#include "grid/UndoRedo.h"

#include <algorithm>

TBaseGrid::TBaseGrid(TComponent* AOwner) : TStringGrid(AOwner) {
  TGridCore::SetGridLineWidth(0); // the lines are drawn inside the cells
  TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid() {
  FDestroying = true;
  // Every object slot may hold properties now. A row stores its cells from the first up to the
  // last ever written, so the look ends at the first cell it does not store: rows never written
  // (most of a grid made and never shown) cost one look each.
  FHasCellProps = true;
  const int columns = CellCapacity();
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < columns; ++c) {
      const TGridCell* cell = StoredCell(c, r);
      if (!cell) break;
      if (TObject* o = cell->Object) {
        TStringGrid::SetObjects(c, r, nullptr);
        DeleteCellProperties(o);
      }
    }
}

// --- Texts ---------------------------------------------------------------------------------------

std::string TBaseGrid::Cells(int ACol, int ARow) const {
  // One look into the store gives the text and the properties; only a covered cell of a merged
  // area looks again, for its base cell.
  const TGridCell* cell = StoredCell(ACol, ARow);
  int bc = ACol, br = ARow;
  if (cell && cell->Object && FHasCellProps && ACol < TotalColCount()) {
    const TPoint b = static_cast<const TCellProperties*>(cell->Object)->GetBaseCell(ACol, ARow);
    if (b.X != ACol || b.Y != ARow) {
      bc = b.X;
      br = b.Y;
      cell = StoredCell(bc, br);
    }
  }
  if (br >= FNormalRowCount || br < 0) return cell ? cell->Text : std::string();
  std::string value = cell ? cell->Text : std::string();
  {
    GetDisplText(bc, br, value);
    if (OnGetDisplWideText) {
      std::string wide = DecodeWideCellText(value);
      GetDisplWideText(bc, br, wide);
      return EncodeWideCellText(wide);
    }
  }
  return value;
}

void TBaseGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  // The column count is asked once: without hidden columns (total equal to the displayed count)
  // every real column shows at its own index, so the mapping is not asked for.
  const int total = TotalColCount();
  if (ACol < 0 || ARow < 0 || ACol >= total || ARow >= RowCount()) return;
  const TObject* o = FHasCellProps ? TStringGrid::Objects(ACol, ARow) : nullptr;
  if (o) {
    TPoint b = static_cast<const TCellProperties*>(o)->GetBaseCell(ACol, ARow);
    SetGridCells(b.X, b.Y, Value);
    CellTextChanged(b.X, b.Y);
    if (Parent()) RepaintCell(ACol, ARow);
  } else if (const int shown = total == ColCount() ? ACol : DisplColIndex(ACol); shown == ACol) {
    SetGridCells(ACol, ARow, Value);
  } else if (GridCells(ACol, ARow) != Value) {
    // Behind a hidden column the cell shows further left than its real column, by which the
    // store repaints (or, past the displayed columns, does not).
    SetGridCells(ACol, ARow, Value);
    if (Parent()) InvalidateCell(shown, ARow);
  }
  if (FHideLastRow && ARow == RowCount() - 1) LastRowChanged();
}

void TBaseGrid::GetDisplText(int ACol, int ARow, std::string& Value) const {
  if (OnGetDisplText) OnGetDisplText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, std::string& Value) const {
  if (OnGetDisplWideText) OnGetDisplWideText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

// --- Properties and objects -------------------------------------------------------------------

void TBaseGrid::GetCellDefaults(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TColor& ColorTo,
                                TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                TVAlignment& VAlign, bool& AWordWrap,
                                TCellGradientDirection& GradientDirection) {
  AFont.Assign(Font());
  ABrush.SetColor(Color());
  ColorTo = MirrorColor = MirrorColorTo = clNone;
  HAlign = taLeftJustify;
  VAlign = vtaTop;
  AWordWrap = FWordWrap;
  GradientDirection = GradientVertical;
}

TCellProperties* TBaseGrid::NewCellProperties(int ACol, int ARow) {
  auto* p = new TCellProperties(this, ACol, ARow);
  SetGridObjects(ACol, ARow, p);
  TFont font;
  TBrush brush;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrap;
  TCellGradientDirection gd = GradientVertical;
  GetCellDefaults(ACol, ARow, font, brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
  p->FCalcType = acNONE;
  p->FAlignment = ha;
  p->FVAlignment = va;
  p->FWordWrap = ww;
  p->FFontName = font.Name();
  p->FFontSize = font.Size();
  p->FFontStyle = font.Style();
  p->FFontColor = font.Color();
  p->FBrushColor = brush.Color();
  p->FBrushColorTo = colorTo;
  p->FGradientDirection = gd;
  return p;
}

TCellProperties* TBaseGrid::CellProperties(int ACol, int ARow) {
  if (!InGrid(ACol, ARow)) return nullptr;
  if (TCellProperties* p = FindCellProperties(ACol, ARow)) return p;
  return NewCellProperties(ACol, ARow);
}

void TBaseGrid::DeleteCellProperties(TObject* Props) {
  auto* p = dynamic_cast<TCellProperties*>(Props);
  if (!p) return; // not ours: an object slot written raw
  TCellGraphic::FreeFromCell(p->GraphicObject());
  delete p;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, std::unique_ptr<TCellProperties> Value) {
  if (!InGrid(ACol, ARow)) return;
  TObject* old = GridObjects(ACol, ARow);
  if (old == Value.get()) {
    Value.release();
    return;
  }
  SetGridObjects(ACol, ARow, Value.release());
  DeleteCellProperties(old);
}

TObject* TBaseGrid::Objects(int ACol, int ARow) const {
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  return p ? p->CellObject() : nullptr;
}

template <class F> void TBaseGrid::WithBlankText(int ACol, int ARow, F&& body) {
  bool blank = Cells(ACol, ARow).empty();
  if (blank) SetCells(ACol, ARow, " ");
  body();
  if (blank) SetCells(ACol, ARow, "");
}

void TBaseGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  if (!InGrid(ACol, ARow)) return;
  WithBlankText(ACol, ARow, [&] { CellProperties(ACol, ARow)->SetCellObject(Value); });
}

TObject* TBaseGrid::GraphicObjects(int ACol, int ARow) const {
  return GraphicOfCellProperties(FindCellProperties(ACol, ARow));
}

void TBaseGrid::SetGraphicObjects(int ACol, int ARow, TObject* Value) {
  if (FDestroying || !InGrid(ACol, ARow)) return;
  WithBlankText(ACol, ARow, [&] {
    TCellProperties* p = CellProperties(ACol, ARow);
    TObject* old = p->GraphicObject();
    p->SetGraphicObject(Value);
    if (old != Value) TCellGraphic::FreeFromCell(old); // a graphic the cell owned
  });
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow) {
  if (!InGrid(ACol, ARow)) return;
  TObject* old = GridObjects(ACol, ARow);
  if (!old) return;
  SetGridObjects(ACol, ARow, nullptr);
  DeleteCellProperties(old);
}

void TBaseGrid::FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow) {
  if (!FHasCellProps) return;
  FromCol = std::max(FromCol, 0);
  FromRow = std::max(FromRow, 0);
  ToCol = std::min(ToCol, TotalColCount() - 1);
  ToRow = std::min(ToRow, RowCount() - 1);
  if (FromCol > ToCol || FromRow > ToRow) return;
  FreeStoreRange(FromCol, ToCol + 1, FromRow, ToRow + 1);
}

void TBaseGrid::FreeStoreRange(int FromCol, int ToCol, int FromRow, int ToRow) {
  if (!FHasCellProps) return;
  for (int r = FromRow; r < ToRow; ++r)
    for (int c = FromCol; c < ToCol; ++c)
      if (TObject* o = TStringGrid::Objects(c, r)) {
        TStringGrid::SetObjects(c, r, nullptr);
        DeleteCellProperties(o);
      }
}

std::unique_ptr<TCellProperties> TBaseGrid::TakeCellProperties(int ACol, int ARow) {
  TCellProperties* p = InGrid(ACol, ARow) ? dynamic_cast<TCellProperties*>(GridObjects(ACol, ARow)) : nullptr;
  if (p) TStringGrid::SetObjects(ACol, ARow, nullptr);
  return std::unique_ptr<TCellProperties>(p);
}

void TBaseGrid::ClearCell(int ACol, int ARow) {
  if (!InGrid(ACol, ARow)) return;
  SetCells(ACol, ARow, "");
  FreeCellProperties(ACol, ARow);
}

void TBaseGrid::ClearColCells(int ACol) {
  if (ACol < 0 || ACol >= TotalColCount()) return;
  for (int r = 0; r < RowCount(); ++r) {
    FreeCellProperties(ACol, r);
    SetCells(ACol, r, "");
  }
}

void TBaseGrid::ClearRowCells(int ARow) {
  if (ARow < 0 || ARow >= RowCount()) return;
  for (int c = 0; c < TotalColCount(); ++c) {
    FreeCellProperties(c, ARow);
    SetCells(c, ARow, "");
  }
}

void TBaseGrid::SizeChanged(int OldColCount, int OldRowCount) {
  // Rows leaving the store take their cells' properties with them.
  if (RowCount() < OldRowCount) FreeStoreRange(0, CellCapacity(), RowCount(), OldRowCount);
  TStringGrid::SizeChanged(OldColCount, OldRowCount);
  // So do columns beyond the real ones; a descendant's hidden columns count as real.
  int total = std::max(TotalColCount(), ColCount());
  if (CellCapacity() > total) {
    FreeStoreRange(total, CellCapacity(), 0, RowCount());
    SetCellCapacity(total);
  }
}

// --- Settings ------------------------------------------------------------------------------------

void TBaseGrid::SetDefaultDrawing(bool Value) {
  FDefaultDrawing = Value;
  TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = Value;
  TGridCore::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value) {
  FGridFixedLineColor = Value;
  Invalidate();
}

namespace {
template <class T> bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}
} // namespace

void TBaseGrid::SetActiveRowShow(bool Value) {
  if (Store(FActiveRowShow, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowColor(TColor Value) {
  if (Store(FActiveRowColor, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowColorTo(TColor Value) {
  if (Store(FActiveRowColorTo, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowMirrorColor(TColor Value) {
  if (Store(FActiveRowMirrorColor, Value)) Invalidate();
}
void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value) {
  if (Store(FActiveRowMirrorColorTo, Value)) Invalidate();
}
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) {
  if (Store(FSelectionStyle, Value)) Invalidate();
}

void TBaseGrid::SetUndoRedo(TProGridUndoRedo* Value) {
  FUndoRedo = Value;
  if (Value) {
    FreeNotification(Value);
    Value->SetGrid(this);
  }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
}
