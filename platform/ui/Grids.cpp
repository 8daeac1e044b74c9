#include "platform/ui/Grids.h"

#include "platform/TextCodec.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <algorithm>

namespace {

// Thickness of the grid's scroll bars.
constexpr int ScrollBarSize = 17;
// Pace of the automatic scrolling while a range drag is outside the cells.
constexpr unsigned AutoScrollInterval = 60;
// One notch of the wheel.
constexpr int WheelNotch = 120;

// The grid's step for a scroll request; false for requests that move nothing (SB_ENDSCROLL).
bool CodeOf(unsigned sb, TGridScrollCode& code) {
  switch (sb) {
  case SB_LINEUP:
    code = gscLineUp;
    return true;
  case SB_LINEDOWN:
    code = gscLineDown;
    return true;
  case SB_PAGEUP:
    code = gscPageUp;
    return true;
  case SB_PAGEDOWN:
    code = gscPageDown;
    return true;
  case SB_THUMBPOSITION:
    code = gscPosition;
    return true;
  case SB_THUMBTRACK:
    code = gscTrack;
    return true;
  case SB_TOP:
    code = gscTop;
    return true;
  case SB_BOTTOM:
    code = gscBottom;
    return true;
  default:
    return false;
  }
}

} // namespace

// =============================================================================================
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TEdit(AOwner) {
  SetVisible(false);
  SetTabStop(false);
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::SetParent(TWinControl* parent) {
  TEdit::SetParent(parent);
  FGrid = dynamic_cast<TCustomGrid*>(parent);
}

unsigned TInplaceEdit::DialogCode() const {
  unsigned code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
  if (FGrid && (FGrid->Options() & goTabs)) code |= DLGC_WANTTAB;
  return code;
}

void TInplaceEdit::Move(const TRect& r) {
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  BoundsChanged();
  if (!Visible()) SetVisible(true);
}

bool TInplaceEdit::HideEdit() {
  if (!Visible()) return false;
  // The grid takes the focus first, so the edit hears that it lost it (its exit may end the edit
  // and hide it already).
  if (Focused() && FGrid && FGrid->CanFocus()) FGrid->SetFocus();
  if (!Visible()) return false;
  SetVisible(false);
  return true;
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  FCol = FGrid->Col();
  FRow = FGrid->Row();
  SetEditMask(FGrid->GetEditMask(FCol, FRow));
  int limit = FGrid->GetEditLimit();
  SetMaxLength(limit > 0 ? limit : 0);
  SetText(FGrid->GetEditText(FCol, FRow));
}

void TInplaceEdit::BoundsChanged() {}

void TInplaceEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  bool toGrid = Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_ESCAPE ||
                (Key == VK_TAB && !(Shift & ssAlt));
  if (FGrid && toGrid) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  TEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(WideChar& Key) {
  if (Key == u'\r' && FGrid) {
    FGrid->KeyPress(Key);
    if (Visible()) SelectAll();
    Key = 0;
    return;
  }
  if (Key == u'\t' || Key == 27) { // handled as keys by the grid
    Key = 0;
    return;
  }
  TEdit::KeyPress(Key);
}

// =============================================================================================
// TCustomGrid

QWidget* TCustomGrid::CreateWidget() {
  QWidget* widget = TCustomControl::CreateWidget();
  if (auto* w = dynamic_cast<QtPaintWidget*>(widget)) w->QuietFocus = true;
  return widget;
}

void TCustomGrid::WidgetCreated() {
  TCustomControl::WidgetCreated();
  PlaceScrollBars();
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  // A press on a cell clicks (MouseDown); the release does not click again.
  SetControlStyle(ControlStyle() & ~csClickEvents);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 320, 120);
  FScrollTimer = new TTimer(this);
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetInterval(AutoScrollInterval);
  FScrollTimer->OnTimer = [this](TObject*) {
    AutoScrollStep();
    UpdateAutoScroll();
  };
}

TCustomGrid::~TCustomGrid() {
  // The editor and the scroll bars call back into the grid; they go while it is still whole.
  FScrollTimer->SetEnabled(false);
  DestroyControls();
  FInplaceEdit = nullptr;
  FVertBar = FHorzBar = nullptr;
}

int TCustomGrid::ClientWidth() const {
  return std::max(0, Width() - (FVertShown ? ScrollBarSize : 0));
}
int TCustomGrid::ClientHeight() const {
  return std::max(0, Height() - (FHorzShown ? ScrollBarSize : 0));
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
  TGridCore::SetScrollBars(value);
  UpdateScrollBars();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
  if (value == FDefaultDrawing) return;
  FDefaultDrawing = value;
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor value) {
  if (value == FFixedColor) return;
  FFixedColor = value;
  Invalidate();
}

void TCustomGrid::SetGridLineColor(TColor value) {
  if (value == FGridLineColor) return;
  FGridLineColor = value;
  Invalidate();
}

void TCustomGrid::SetFixedLineColor(TColor value) {
  if (value == FFixedLineColor) return;
  FFixedLineColor = value;
  Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  Invalidate();
}

// --- Editing ---------------------------------------------------------------------------------

bool TCustomGrid::EditorFocused() const {
  return FInplaceEdit && FInplaceEdit->Focused();
}

bool TCustomGrid::CanEditShow() {
  TGridOptions o = Options();
  if (!(o & goEditing) || (o & goRowSelect)) return false;
  if (!FEditorMode && !(o & goAlwaysShowEditor)) return false;
  if (IsFixedCell(Col(), Row()) || Col() >= ColCount() || Row() >= RowCount()) return false;
  return Focused() || EditorFocused() || (o & goAlwaysShowEditor);
}

std::string TCustomGrid::GetEditText(int, int) {
  return {};
}
void TCustomGrid::SetEditText(int, int, const std::string&) {}
std::string TCustomGrid::GetEditMask(int, int) {
  return {};
}

TInplaceEdit* TCustomGrid::CreateEditor() {
  return new TInplaceEdit(this);
}

void TCustomGrid::SetEditorMode(bool value) {
  if (value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  ScrollCellInView(Col(), Row());
  FEditorMode = true;
  UpdateEdit();
  if (!FInplaceEdit || !FInplaceEdit->Visible()) FEditorMode = false;
}

void TCustomGrid::ShowEditorChar(WideChar ch) {
  ShowEditor();
  if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
  std::string text;
  if (ch >= 32) AppendUtf8(text, ch); // the typed character replaces the whole text
  FInplaceEdit->SetText(text);
  // Typing goes on after the character (in a mask: at the first position it left to type).
  FInplaceEdit->SetSelStart(FInplaceEdit->FirstBlankPosition());
  FInplaceEdit->SetSelLength(0);
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  if (!FInplaceEdit) return;
  // An edit whose cell is scrolled out of view is still under way.
  bool pending = FInplaceEdit->Visible() || FEditOutOfView;
  FEditOutOfView = false;
  if (!pending) return;
  int col = FInplaceEdit->FCol, row = FInplaceEdit->FRow;
  std::string text = FInplaceEdit->Text();
  // When the edit's exit ended the edit itself, the text went back there.
  if (FInplaceEdit->Visible() && !FInplaceEdit->HideEdit()) return;
  // The next edit loads its cell afresh, whatever was written to it meanwhile.
  FInplaceEdit->Reload();
  if (col >= 0 && row >= 0) SetEditText(col, row, text);
}

void TCustomGrid::InvalidateEditor() {
  if (!FInplaceEdit) return;
  FInplaceEdit->Reload();
  if (FInplaceEdit->Visible()) UpdateEdit();
}

void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) return;
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetParent(this);
  }
  if (FInplaceEdit->FCol != Col() || FInplaceEdit->FRow != Row()) FInplaceEdit->UpdateContents();
  PlaceEditor();
  if (FInplaceEdit->Visible() && Focused()) FInplaceEdit->SetFocus();
}

void TCustomGrid::PlaceEditor() {
  if (!FInplaceEdit || (!FEditorMode && !(Options() & goAlwaysShowEditor))) return;
  if (FInplaceEdit->FCol != Col() || FInplaceEdit->FRow != Row()) return;
  TRect r = CellRect(Col(), Row());
  if (r.IsEmpty()) {
    // Scrolled out of view: the edit keeps its text and comes back with the cell.
    if (FInplaceEdit->Visible()) {
      FEditOutOfView = true;
      FInplaceEdit->HideEdit();
    }
    return;
  }
  FEditOutOfView = false;
  FInplaceEdit->Move(r);
}

void TCustomGrid::CurrentCellChanging() {
  HideEditor();
}

void TCustomGrid::CurrentCellChanged() {
  if (Options() & goAlwaysShowEditor) {
    FEditorMode = true;
    UpdateEdit();
  }
}

// --- Repainting ------------------------------------------------------------------------------

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  InvalidateCellArea(ACol, ARow);
}

void TCustomGrid::InvalidateRow(int ARow) {
  InvalidateRange({0, ARow, ColCount() - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol) {
  InvalidateRange({ACol, 0, ACol, RowCount() - 1});
}

void TCustomGrid::GridInvalidate(const TRect& r) {
  InvalidateRect(r);
}
void TCustomGrid::GridInvalidateAll() {
  Invalidate();
}

// --- Painting --------------------------------------------------------------------------------

void TCustomGrid::Paint() {
  TCanvas& canvas = Canvas();
  TRect clip = canvas.ClipRect();
  std::vector<TGridSpan> cols = VisibleColumns();
  std::vector<TGridSpan> rows = VisibleRows();
  bool focused = Focused() || EditorFocused();
  int lineWidth = GridLineWidth();
  TGridOptions o = Options();
  int right = 0, bottom = 0;
  canvas.Font().Assign(Font());
  const TColor textColor = Font().Color();
  for (const TGridSpan& r : rows) {
    bottom = r.LineEnd;
    if (r.LineEnd <= clip.Top || r.Start >= clip.Bottom) continue;
    bool fixedRow = r.Index < FixedRows();
    for (const TGridSpan& c : cols) {
      right = c.LineEnd;
      if (c.LineEnd <= clip.Left || c.Start >= clip.Right) continue;
      // Only what the paint's region touches (two far-apart cells need not bring those between).
      if (!canvas.RectVisible({c.Start, r.Start, c.LineEnd, r.LineEnd})) continue;
      bool fixedCol = c.Index < FixedCols();
      TRect cell{c.Start, r.Start, c.End, r.End};
      TGridDrawState state = CellDrawState(c.Index, r.Index, focused);
      if (!cell.IsEmpty()) {
        if (FDefaultDrawing) {
          TColor back = (state & gdFixed) ? FFixedColor : (state & gdSelected) ? clHighlight : Color();
          canvas.Brush().SetColor(back);
          canvas.Brush().SetStyle(bsSolid);
          canvas.Font().SetColor((state & gdSelected) ? clHighlightText : textColor);
          canvas.FillRect(cell);
          if (state & gdPressed) {
            TRect edge = cell;
            DrawEdge(canvas, edge, BDR_SUNKENINNER, BF_RECT);
          }
        }
        DrawCell(c.Index, r.Index, cell, state);
        if (FDefaultDrawing && (state & gdFocused) && !(o & goRowSelect) &&
            !(FInplaceEdit && FInplaceEdit->Visible()))
          DrawFocusRect(canvas, cell);
      }
      // Grid lines: right of the cell and below it, in the colour of fixed or normal lines.
      if (lineWidth > 0) {
        bool fixedCell = fixedRow || fixedCol;
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(fixedCell ? FFixedLineColor : FGridLineColor);
        if (c.LineEnd > c.End) canvas.FillRect({c.End, r.Start, c.LineEnd, r.LineEnd});
        if (r.LineEnd > r.End) canvas.FillRect({c.Start, r.End, c.End, r.LineEnd});
      }
    }
  }
  // Whatever lies right of and below the cells takes the grid's colour.
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  int w = GridClientWidth(), h = GridClientHeight();
  if (right < w) canvas.FillRect({right, 0, w, std::min(h, bottom)});
  if (bottom < h) canvas.FillRect({0, bottom, w, h});
}

void TCustomGrid::PaintOverlay() {
  const TRect mark = DragMarkRect();
  if (mark.IsEmpty()) return;
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect(mark);
}

// --- Keyboard --------------------------------------------------------------------------------

unsigned TCustomGrid::DialogCode() const {
  unsigned code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (Options() & goTabs) code |= DLGC_WANTTAB;
  if (Options() & goEditing) code |= DLGC_WANTALLKEYS;
  return code;
}

void TCustomGrid::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift); // OnKeyDown first; it may take the key
  if (Key == 0) return;
  bool shift = Shift & ssShift, ctrl = Shift & ssCtrl;
  switch (Key) {
  case VK_F2:
    if (Options() & goEditing) ShowEditor();
    return;
  case VK_ESCAPE:
    if (FInplaceEdit && FInplaceEdit->Visible()) {
      // Cancel: the cell keeps the text it had.
      FInplaceEdit->Reload();
      FInplaceEdit->UpdateContents();
      if (!(Options() & goAlwaysShowEditor)) HideEditor();
    }
    return;
  case VK_TAB:
    if (Shift & ssAlt) return;
    break;
  default:
    break;
  }
  NavigateKey(Key, shift, ctrl);
}

void TCustomGrid::KeyPress(WideChar& Key) {
  TCustomControl::KeyPress(Key); // OnKeyPress first
  if (Key == 0 || !(Options() & goEditing)) return;
  if (Key == u'\r') {
    if (Options() & goAlwaysShowEditor) return;
    if (FInplaceEdit && FInplaceEdit->Visible())
      HideEditor();
    else
      ShowEditor();
    Key = 0;
    return;
  }
  bool typed = Key >= 32 || Key == VK_BACK;
  if (typed && !(FInplaceEdit && FInplaceEdit->Visible())) {
    ShowEditorChar(Key);
    if (FInplaceEdit && FInplaceEdit->Visible()) Key = 0;
  }
}

// --- Mouse -----------------------------------------------------------------------------------

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Focused() && !EditorFocused() && CanFocus()) SetFocus();
  if (Button == mbLeft && !(Shift & ssDouble)) {
    TGridCoord cell = MouseToCell(X, Y);
    TGridState sizing = gsNormal;
    int index = -1, pos = 0, ofs = 0;
    CalcSizingState(X, Y, sizing, index, pos, ofs);
    bool onCell = cell.X >= 0 && sizing == gsNormal && !IsFixedCell(cell.X, cell.Y);
    bool onCurrent = onCell && cell.X == Col() && cell.Y == Row();
    if (onCurrent && (Options() & goEditing) && !(Shift & ssShift) && GridState() == gsNormal) {
      ShowEditor();
    } else {
      GridMouseDown(X, Y, Shift & ssShift);
      UpdateAutoScroll();
    }
    // The cell has moved by now, so OnClick sees the pressed cell as the current one.
    if (onCell) Click();
  } else if (Button == mbLeft) {
    DblClick(); // the grid clicks itself, so the base does not double-click either
  }
  TCustomControl::MouseDown(Button, Shift, X, Y); // OnMouseDown
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  GridMouseMove(X, Y);
  UpdateAutoScroll();
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    GridMouseUp(X, Y);
    UpdateAutoScroll();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::UpdateAutoScroll() {
  bool want = GridState() == gsSelecting;
  if (FScrollTimer->Enabled() != want) FScrollTimer->SetEnabled(want);
}

void TCustomGrid::CMMouseLeave(TMessage& Message) {
  GridMouseLeave();
  TCustomControl::CMMouseLeave(Message);
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  FWheelAccumulator += WheelDelta;
  bool handled = false;
  while (FWheelAccumulator >= WheelNotch) {
    FWheelAccumulator -= WheelNotch;
    handled = DoMouseWheelUp(Shift, MousePos) || handled;
  }
  while (FWheelAccumulator <= -WheelNotch) {
    FWheelAccumulator += WheelNotch;
    handled = DoMouseWheelDown(Shift, MousePos) || handled;
  }
  return handled || WheelDelta != 0;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown && CanFire()) OnMouseWheelDown(this, Shift, MousePos, handled);
  if (handled) return true;
  return WheelDown();
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp && CanFire()) OnMouseWheelUp(this, Shift, MousePos, handled);
  if (handled) return true;
  return WheelUp();
}

void TCustomGrid::DoEnter() {
  TCustomControl::DoEnter();
  Invalidate();
  if (Options() & goAlwaysShowEditor) {
    FEditorMode = true;
    UpdateEdit();
  }
}

void TCustomGrid::WMSetFocus(TMessage& Message) {
  TCustomControl::WMSetFocus(Message);
  if (!FInplaceEdit || FocusPeer(Message) != FInplaceEdit) InvalidateRange(Selection());
}

void TCustomGrid::WMKillFocus(TMessage& Message) {
  TCustomControl::WMKillFocus(Message);
  if (!FInplaceEdit || FocusPeer(Message) != FInplaceEdit) InvalidateRange(Selection());
}

void TCustomGrid::DoExit() {
  TCustomControl::DoExit();
  Invalidate();
}

// --- Scrolling -------------------------------------------------------------------------------

void TCustomGrid::WMVScroll(TMessage& Message) {
  ScrollMessage(true, Message);
}
void TCustomGrid::WMHScroll(TMessage& Message) {
  ScrollMessage(false, Message);
}

void TCustomGrid::ScrollMessage(bool vertical, TMessage& Message) {
  TGridScrollCode code;
  if (CodeOf(static_cast<unsigned>(Message.WParam & 0xFFFF), code)) {
    // The position is not cut to 16 bits: a bar with a position per row reaches every row.
    int pos = static_cast<int>(std::min<WPARAM>(Message.WParam >> 16, 0x7FFFFFFF));
    if (vertical)
      ScrollVert(code, pos);
    else
      ScrollHorz(code, pos);
  }
  Message.Result = 0;
}

void TCustomGrid::UpdateScrollBars() {
  if (FUpdatingBars) return;
  bool v = false, h = false;
  FUpdatingBars = true;
  LayoutScrollBars(Width(), Height(), ScrollBarSize, ScrollBarSize, v, h);
  FUpdatingBars = false;
  FVertShown = v;
  FHorzShown = h;
  FBarsPending = true;
  if (HasWidget()) PlaceScrollBars();
}

void TCustomGrid::PlaceScrollBars() {
  if (!FBarsPending || FUpdatingBars) return;
  FBarsPending = false;
  FUpdatingBars = true;
  auto place = [this](TScrollBar*& bar, bool show, bool vertical) {
    if (!show) {
      if (bar && bar->Visible()) bar->SetVisible(false);
      return;
    }
    if (!bar) {
      bar = new TScrollBar(this);
      bar->SetKind(vertical ? sbVertical : sbHorizontal);
      bar->SetTabStop(false);
      bar->SetParent(this);
      bar->OnScroll = [this, vertical](TObject*, TScrollCode code, int& pos) {
        ScrollBarMoved(vertical, static_cast<unsigned>(code), pos);
        pos = GetScrollInfo(vertical).Pos;
      };
    }
    if (vertical)
      bar->SetBounds(Width() - ScrollBarSize, 0, ScrollBarSize, Height() - (FHorzShown ? ScrollBarSize : 0));
    else
      bar->SetBounds(0, Height() - ScrollBarSize, Width() - (FVertShown ? ScrollBarSize : 0), ScrollBarSize);
    TGridScrollInfo info = GetScrollInfo(vertical);
    bar->SetPageSize(0);
    bar->SetParams(info.Pos, info.Min, info.Max);
    bar->SetPageSize(info.Page);
    bar->SetSmallChange(1);
    bar->SetLargeChange(info.Page > 0 ? info.Page : 8);
    if (bar->Enabled() != info.Enabled) bar->SetEnabled(info.Enabled);
    if (!bar->Visible()) bar->SetVisible(true);
  };
  place(FVertBar, FVertShown, true);
  place(FHorzBar, FHorzShown, false);
  FUpdatingBars = false;
}

TScrollBar* TCustomGrid::VertScrollBar() const {
  const_cast<TCustomGrid*>(this)->PlaceScrollBars();
  return FVertShown ? FVertBar : nullptr;
}
TScrollBar* TCustomGrid::HorzScrollBar() const {
  const_cast<TCustomGrid*>(this)->PlaceScrollBars();
  return FHorzShown ? FHorzBar : nullptr;
}

void TCustomGrid::ScrollBarMoved(bool vertical, unsigned code, int pos) {
  if (FUpdatingBars) return;
  WPARAM w = (static_cast<WPARAM>(static_cast<unsigned>(std::max(0, pos))) << 16) | (code & 0xFFFF);
  Perform(vertical ? WM_VSCROLL : WM_HSCROLL, w, 0);
}

void TCustomGrid::Resize() {
  TCustomControl::Resize();
  UpdateScrollBars();
}

void TCustomGrid::TopLeftChanged() {
  PlaceEditor();
}

void TCustomGrid::ColWidthsChanged() {
  PlaceEditor();
}
void TCustomGrid::RowHeightsChanged() {
  PlaceEditor();
}

void TCustomGrid::SizeChanged(int, int) {
  if (FInplaceEdit && (FInplaceEdit->FCol >= ColCount() || FInplaceEdit->FRow >= RowCount())) {
    // Its cell is gone, and its text with it.
    FInplaceEdit->HideEdit();
    FInplaceEdit->Reload();
    FEditorMode = false;
    FEditOutOfView = false;
  }
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) {
  EditorCellMoved(true, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex) {
  EditorCellMoved(false, FromIndex, ToIndex);
}

void TCustomGrid::EditorCellMoved(bool column, int from, int to) {
  if (!FInplaceEdit) return;
  int& index = column ? FInplaceEdit->FCol : FInplaceEdit->FRow;
  if (index < 0) return;
  if (index == from)
    index = to;
  else if (from < to && index > from && index <= to)
    --index;
  else if (from > to && index >= to && index < from)
    ++index;
  // The edit ends in the cell it was loaded from, wherever that went; the current cell keeps its
  // place and shows what moved there.
  bool always = Options() & goAlwaysShowEditor;
  if (FInplaceEdit->Visible() || FEditOutOfView) HideEditor();
  FInplaceEdit->Reload();
  if (always) {
    FEditorMode = true;
    UpdateEdit();
  }
}

void TCustomGrid::GridScrollBarsChanged() {
  UpdateScrollBars();
}

// =============================================================================================
// TDrawGrid

TDrawGrid::TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell && CanFire()) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell && CanFire()) OnSelectCell(this, ACol, ARow, can);
  return can;
}

void TDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged && CanFire()) OnTopLeftChanged(this);
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  TCustomGrid::ColumnMoved(FromIndex, ToIndex);
  if (OnColumnMoved && CanFire()) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  TCustomGrid::RowMoved(FromIndex, ToIndex);
  if (OnRowMoved && CanFire()) OnRowMoved(this, FromIndex, ToIndex);
}

std::string TDrawGrid::GetEditText(int ACol, int ARow) {
  std::string value;
  if (OnGetEditText && CanFire()) OnGetEditText(this, ACol, ARow, value);
  return value;
}

std::string TDrawGrid::GetEditMask(int ACol, int ARow) {
  std::string value;
  if (OnGetEditMask && CanFire()) OnGetEditMask(this, ACol, ARow, value);
  return value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  if (OnSetEditText && CanFire()) OnSetEditText(this, ACol, ARow, Value);
}

// =============================================================================================
// TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {
  FCells.Resize(ColCount(), RowCount());
}

void TStringGrid::ChangeCellInView(int ACol, int ARow, const std::string& Value) {
  if (FCells.ChangeText(ACol, ARow, Value)) InvalidateCell(ACol, ARow);
}

bool TStringGrid::PermuteRows(const std::vector<int>& Order) {
  // An edit under way is stored in its own cell before the cells move under it.
  if (Order.size() == static_cast<size_t>(RowCount()) && InplaceEditor() && InplaceEditor()->Visible())
    HideEditor();
  if (!FCells.PermuteRows(Order)) return false;
  InvalidateGrid();
  return true;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  FCells.SetObject(ACol, ARow, Value);
}

void TStringGrid::SetRows(int ARow, const std::vector<std::string>& Value) {
  FCells.SetRowTexts(ARow, Value);
  InvalidateRow(ARow);
}

void TStringGrid::SetCols(int ACol, const std::vector<std::string>& Value) {
  FCells.SetColTexts(ACol, Value);
  InvalidateCol(ACol);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) {
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    canvas.Brush().SetStyle(bsSolid);
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string value = Cells(ACol, ARow);
  if (OnGetEditText && CanFire()) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  FCells.MoveColumn(FromIndex, ToIndex);
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  FCells.MoveRow(FromIndex, ToIndex);
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  FCells.Resize(ColCount(), RowCount());
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}
