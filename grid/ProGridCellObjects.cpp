// Cell objects that react to the mouse: push buttons, radio groups, expand buttons and cell
// scroll bars.
#include "grid/ProGrid.h"
#include "platform/StringList.h"
#include "platform/ui/Graphics.h"

#include <memory>

namespace {

TCellGraphic* OfKind(TCellGraphic* g, std::initializer_list<TCellType> Kinds) {
  if (!g) return nullptr;
  for (TCellType k : Kinds)
    if (g->CellType() == k) return g;
  return nullptr;
}

} // namespace

TCellGraphic* TProStringGrid::BaseGraphic(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0) return nullptr;
  const TPoint base = BaseCell(ACol, ARow);
  return GetCellGraphic(base.X, base.Y);
}

// --- Buttons ------------------------------------------------------------------------------

void TProStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const std::string& Caption,
                               TCellHAlign hal, TCellVAlign val) {
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow)) {
    g->SetButton(bw, bh, Caption, hal, val);
    RepaintGraphicCell(ACol, ARow);
  }
}

void TProStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption,
                                  TBitmap* Glyph, TCellHAlign hal, TCellVAlign val) {
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow)) {
    g->SetBitButton(bw, bh, Caption, Glyph, hal, val);
    RepaintGraphicCell(ACol, ARow);
  }
}

TBitmap* TProStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption,
                                         TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  auto glyph = std::make_unique<TBitmap>();
  g->SetBitButton(bw, bh, Caption, glyph.get(), hal, val);
  g->MarkCreated();
  return glyph.release();
}

void TProStringGrid::SetButtonText(int ACol, int ARow, const std::string& Caption) {
  const int rc = DisplToRealCol(ACol);
  if (TCellGraphic* g = GetCellGraphic(rc, ARow)) {
    g->SetCellText(Caption);
    RepaintGraphicCell(rc, ARow);
  }
}

std::string TProStringGrid::GetButtonText(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(DisplToRealCol(ACol), ARow);
  return g ? g->CellText() : std::string();
}

void TProStringGrid::PushButton(int ACol, int ARow, bool push) {
  const int rc = DisplToRealCol(ACol);
  TCellGraphic* g = GetCellGraphic(rc, ARow);
  if (!g || g->CellType() == ctNode) return;
  g->SetCellBoolean(push);
  RepaintGraphicCell(rc, ARow);
}

bool TProStringGrid::HasButton(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow, {ctButton, ctBitButton});
}

bool TProStringGrid::RemoveButton(int ACol, int ARow) {
  return RemoveCellGraphicOfKind(ACol, ARow, ctButton) || RemoveCellGraphicOfKind(ACol, ARow, ctBitButton);
}

void TProStringGrid::RemoveAllButtons() {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c) {
      const int rc = DisplToRealCol(c);
      if (HasButton(rc, r)) RemoveButton(rc, r);
    }
}

TRect TProStringGrid::GetCellButtonRect(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(DisplToRealCol(ACol), ARow);
  if (!g) return TRect{0, 0, 0, 0};
  const TRect cell = CellRect(ACol, ARow);
  const unsigned offset = static_cast<unsigned>(g->CellValue());
  const int x = offset & 0xFFFF, y = offset >> 16;
  const int bw = g->CellIndex() & 0xFFFF;
  const int bh = static_cast<int>(static_cast<unsigned>(g->CellIndex()) >> 16);
  TRect r = Rect(cell.Left + x, cell.Top + y, cell.Left + x + bw, cell.Top + y + bh);
  if (g->CellVAlign() == vaFull) r.Bottom = r.Top + cell.Height();
  if (g->CellHAlign() == haFull) r.Right = r.Left + cell.Width();
  return r;
}

// --- Radio groups -------------------------------------------------------------------------

void TProStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return;
  g->SetCellType(ctRadio);
  g->SetCellObjectSlot(sl);
  g->SetCellIndex(IdxRadio);
  g->SetCellBoolean(DirRadio != 0);
  g->SetCellAngle(sl ? sl->Count() : 0);
  RepaintGraphicCell(ACol, ARow);
}

TStringList* TProStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio) {
  auto sl = std::make_unique<TStringList>();
  TStringList* p = sl.get();
  AddRadio(ACol, ARow, DirRadio, IdxRadio, p);
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellStrings() != p) return nullptr;
  g->MarkCreated();
  sl.release();
  return p;
}

bool TProStringGrid::IsRadio(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow, {ctRadio});
}

TStringList* TProStringGrid::GetRadioStrings(int ACol, int ARow) const {
  TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctRadio});
  return g ? g->CellStrings() : nullptr;
}

bool TProStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio) const {
  const TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctRadio});
  if (!g) return false;
  IdxRadio = g->CellIndex();
  return true;
}

bool TProStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio) {
  TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctRadio});
  if (!g) return false;
  g->SetCellIndex(IdxRadio);
  if (IdxRadio == -1) SetCells(ACol, ARow, "");
  RepaintGraphicCell(ACol, ARow);
  return true;
}

bool TProStringGrid::AdvanceRadio(int ACol, int ARow, bool UserAction) {
  TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctRadio});
  if (!g) return false;
  if (UserAction && !ControlLook().RadioAlwaysActive()) {
    bool can = true;
    CanEditCell(ACol, ARow, can);
    if (!can) return false;
  }
  const TStringList* items = g->CellStrings();
  // Nothing to choose from.
  if (!items || items->Count() == 0) return false;
  int current = g->CellIndex();
  if (current < 0) current = items->IndexOf(Cells(ACol, ARow));
  int next = current + 1;
  if (next >= items->Count()) next = 0;
  if (g->CellIndex() >= -1) g->SetCellIndex(next);
  g->SetCellVar(next);
  SetCells(ACol, ARow, items->Strings(next));
  RepaintGraphicCell(ACol, ARow);
  return false;
}

// --- Expand cells -------------------------------------------------------------------------

void TProStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight) {
  const int height = ARow >= 0 && ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight();
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return;
  g->SetCellType(ctExpand);
  g->SetCellAngle(ExpandedHeight);
  g->SetCellIndex(height);
  g->SetCellVar(false);
  RepaintGraphicCell(ACol, ARow);
}

bool TProStringGrid::HasExpand(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow, {ctExpand});
}

bool TProStringGrid::ToggleExpand(int ACol, int ARow) {
  TCellGraphic* g = BaseGraphic(ACol, ARow);
  if (!g) return false;
  const bool* state = std::get_if<bool>(&g->CellVar());
  const bool now = !(state && *state);
  g->SetCellVar(now);
  return now;
}

bool TProStringGrid::GetExpandState(int ACol, int ARow) const {
  const TCellGraphic* g = BaseGraphic(ACol, ARow);
  const bool* state = g ? std::get_if<bool>(&g->CellVar()) : nullptr;
  return state && *state;
}

int TProStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded) const {
  const TCellGraphic* g = BaseGraphic(ACol, ARow);
  if (!g) return DefaultRowHeight();
  return Expanded ? g->CellAngle() : g->CellIndex();
}

TRect TProStringGrid::GetExpandRect(int ACol, int ARow) const {
  if (!HasExpand(ACol, ARow)) return TRect{0, 0, 0, 0};
  const TRect cell = CellRect(RealToDisplCol(ACol), ARow);
  return Rect(cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13);
}

// --- Cell scroll bars ---------------------------------------------------------------------

void TProStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return;
  g->SetCellType(ctScrollbar);
  g->SetCellIndex(0);
  g->SetCellAngle(0);
  g->SetCellErrFrom(100);
  g->SetCellBoolean(AutoRange);
  if (AutoRange) CellTextChanged(ACol, ARow);
  RepaintGraphicCell(ACol, ARow);
}

bool TProStringGrid::HasScrollBar(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow, {ctScrollbar});
}

bool TProStringGrid::HasAutoRangeScrollBar(int ACol, int ARow) const {
  const TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctScrollbar});
  return g && g->CellBoolean();
}

void TProStringGrid::SetScrollPosition(int ACol, int ARow, int Pos) {
  if (TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctScrollbar})) {
    g->SetCellIndex(Pos);
    RepaintGraphicCell(ACol, ARow);
  }
}

int TProStringGrid::GetScrollPosition(int ACol, int ARow) const {
  const TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctScrollbar});
  return g ? g->CellIndex() : -1;
}

void TProStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop) {
  if (TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctScrollbar})) {
    g->SetCellAngle(Prop.PageSize);
    g->SetCellErrFrom(Prop.Range);
  }
}

TScrollProp TProStringGrid::GetScrollProp(int ACol, int ARow) const {
  const TCellGraphic* g = OfKind(BaseGraphic(ACol, ARow), {ctScrollbar});
  return g ? TScrollProp{g->CellAngle(), g->CellErrFrom()} : TScrollProp{-1, -1};
}
