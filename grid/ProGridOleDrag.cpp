// Dragging cells or a column out of the grid: the start from a kept selection, the data offered,
// the picture that follows the pointer and what a taken move removes afterwards.
#include "grid/GridAuxWindows.h"
#include "grid/GridDropSource.h"
#include "grid/ProGrid.h"

#include "platform/ui/DragDrop.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

#include <algorithm>

namespace {

// The pointer's corner of the picture: right of and below it, so that the target under the
// pointer stays visible.
constexpr TPoint PictureOffset{4, 4};

// The indexes of an axis that may show: the fixed ones and those from the first scrolled one on,
// within [From, To].
template <class F> void ForShownIndexes(int From, int To, int Fixed, int First, int Count, F f) {
  for (int i = std::max(From, 0); i <= To && i < Count; ++i) {
    if (i >= Fixed && i < First) {
      i = First - 1;
      continue;
    }
    if (!f(i)) return;
  }
}

} // namespace

void TProStringGrid::StartBlockFocus() {
  if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TProStringGrid::EndBlockFocus() {
  if (OnEndBlockFocus) OnEndBlockFocus(this);
}

TBitmap TProStringGrid::RangePicture(const TGridRect& ARect) {
  const int left = std::min(ARect.Left, ARect.Right), right = std::max(ARect.Left, ARect.Right);
  const int top = std::min(ARect.Top, ARect.Bottom), bottom = std::max(ARect.Top, ARect.Bottom);
  const TRect client{0, 0, ClientWidth(), ClientHeight()};
  struct TShown {
    int Col, Row;
    TRect R;
  };
  std::vector<TShown> cells;
  TRect area{0, 0, 0, 0};
  ForShownIndexes(top, bottom, FixedRows(), TopRow(), RowCount(), [&](int r) {
    bool below = false;
    ForShownIndexes(left, right, FixedCols(), LeftCol(), ColCount(), [&](int c) {
      const TRect cr = CellRect(c, r);
      if (cr.Left >= client.Right) return false;
      if (cr.Top >= client.Bottom) {
        below = true;
        return false;
      }
      const TRect shown{std::max(cr.Left, 0), std::max(cr.Top, 0), std::min(cr.Right, client.Right),
                        std::min(cr.Bottom, client.Bottom)};
      if (shown.Right <= shown.Left || shown.Bottom <= shown.Top) return true;
      area = cells.empty() ? shown
                           : TRect{std::min(area.Left, shown.Left), std::min(area.Top, shown.Top),
                                   std::max(area.Right, shown.Right), std::max(area.Bottom, shown.Bottom)};
      cells.push_back({c, r, cr});
      return true;
    });
    return !below;
  });
  TBitmap picture;
  if (cells.empty()) return picture;
  picture.SetSize(area.Width(), area.Height());
  const TGridRect sel = Selection();
  for (const TShown& s : cells) {
    TGridDrawState state = 0;
    if (s.Col < FixedCols() || s.Row < FixedRows()) state |= gdFixed;
    if (s.Col >= sel.Left && s.Col <= sel.Right && s.Row >= sel.Top && s.Row <= sel.Bottom)
      state |= gdSelected;
    const TRect at{s.R.Left - area.Left, s.R.Top - area.Top, s.R.Right - area.Left, s.R.Bottom - area.Top};
    PaintCell(picture.Canvas(), s.Col, s.Row, at, state);
  }
  return picture;
}

TForm* TProStringGrid::SelectionToForm(const TGridRect& ARect) {
  const TBitmap picture = RangePicture(ARect);
  if (picture.Empty()) return nullptr;
  auto* form = new TNoActiveForm(this);
  form->SetFormStyle(fsStayOnTop);
  form->SetClientWidth(picture.Width());
  form->SetClientHeight(picture.Height());
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetAlign(alClient);
  image->Picture().Assign(picture);
  return form;
}

void TProStringGrid::MoveOleDragPicture(TPoint Screen) {
  if (!FMoveForm) return;
  FMoveForm->SetBounds(Screen.X + PictureOffset.X, Screen.Y + PictureOffset.Y, FMoveForm->Width(),
                       FMoveForm->Height());
  if (!FMoveForm->Visible()) FMoveForm->Show();
}

void TProStringGrid::FreeMoveForm() {
  if (!FMoveForm) return;
  TForm* form = FMoveForm;
  FMoveForm = nullptr;
  form->Free();
}

void TProStringGrid::MoveOleDragButton(TPoint Screen) {
  if (!FOleColumnDrag) return;
  THeaderDragButton* button = MoveButton();
  TPoint at{Screen.X, Screen.Y - button->Height()};
  if (TWinControl* parent = button->Parent()) at = parent->ScreenToClient(at);
  button->SetBounds(at.X, at.Y, button->Width(), button->Height());
  if (!button->Visible()) button->Show();
}

void TProStringGrid::StartOleDrag(int ACol, int ARow) {
  FSelectionClick = false;
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
  const int RealCol = RealColIndex(ACol);
  if (RealCol < 0) return;
  bool allow = !(FDragDropSettings.OleColumnsOnly() && ARow >= FixedRows());
  if (allow && OnOleDrag) OnOleDrag(this, ARow, RealCol, Cells(RealCol, ARow), allow);
  if (!allow) {
    // The press becomes the start of a range selection from the pressed cell.
    if (ARow >= FixedRows() && ACol >= FixedCols()) MoveColRow(ACol, ARow, true, true);
    if (GridState() == gsNormal) SetGridState(gsSelecting);
    return;
  }

  auto source = std::make_shared<TGridDropSource>(this);
  FDropSelection = Selection();
  FOleColumnDrag = ARow < FixedRows() && FDragDropSettings.OleColumnDragDrop();
  if (OnOleDragStart) OnOleDragStart(this, ARow, RealCol);
  StartBlockFocus();

  // Whatever the drag or a handler throws, the picture goes and the focus is given back.
  struct TDragEnd {
    TProStringGrid& G;
    ~TDragEnd() {
      G.FreeMoveForm();
      if (G.FOleColumnDrag) {
        G.MoveButton()->Hide();
        G.HideDropArrows();
      }
      G.FOleColumnDrag = false;
      // The button went up during the drag: no press is left to end.
      G.FMouseDownMove = G.FMouseKeepDown = false;
      G.EndBlockFocus();
    }
  } end{*this};

  FreeMoveForm();
  if (FDragDropSettings.ShowCells()) {
    const TGridRect range = FOleColumnDrag ? TGridRect{ACol, 0, ACol, RowCount() - 1} : FDropSelection;
    const TBitmap picture = RangePicture(range);
    if (!picture.Empty()) {
      FMoveForm = SelectionToForm(range);
      SetDragPicture(picture, PictureOffset);
    }
  } else if (FOleColumnDrag) {
    THeaderDragButton* button = MoveButton();
    button->SetCaption(Cells(RealCol, ARow));
    button->SetBounds(button->Left(), button->Top(), ColWidths(ACol), RowHeights(ARow));
    const TBitmap header = RangePicture(TGridRect{ACol, ARow, ACol, ARow});
    if (!header.Empty()) SetDragPicture(header, TPoint{0, -header.Height()});
  }

  const unsigned offered = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  unsigned effect = DROPEFFECT_NONE;
  HRESULT result = DRAGDROP_S_CANCEL;
  if (FOleColumnDrag) {
    result = RunColumnDrag(source, RealCol, offered, effect);
  } else {
    const std::string text =
        FMouseActions->DisjunctRowSelect()
            ? GetRectAsText({FixedCols(), SaveStartRow(), ColCount() - FFixedRightCols - 1, SaveEndRow()},
                            true)
            : GetSelectionAsText();
    std::unique_ptr<TMemoryStream> cells;
    if (UseFmtClipboard()) {
      cells = std::make_unique<TMemoryStream>();
      SaveRectToBinStream(FDropSelection, *cells);
    }
    result = RunTextDrag(source, text, Cells(RealCol, ARow), cells.get(), offered, effect);
  }
  if (result != DRAGDROP_S_DROP) return;

  // Only what the target took counts: a drop it refused leaves the source as it was, and a dragged
  // column is no cells of this grid to take away.
  if (effect == DROPEFFECT_MOVE && !FOleColumnDrag && !FDragDropSettings.OleCopyAlways())
    RemoveOleDragged(DroppedOnSelf(source->EndPoint()));
  if (OnOleDragStop) OnOleDragStop(this, static_cast<int>(effect));
}

TGridRect TProStringGrid::DroppedOnSelf(TPoint EndPoint) {
  const TGridRect none{-1, -1, -1, -1};
  // Inserted rows take a drop away from the source rows (the target moves those down).
  if (!FDragDropSettings.OleDropTarget() || FDragDropSettings.OleInsertRows()) return none;
  const TPoint client = ScreenToClient(EndPoint);
  if (!TRect{0, 0, ClientWidth(), ClientHeight()}.Contains(client)) return none;
  int c = -1, r = -1;
  ScreenToCell(EndPoint, c, r);
  if (c < 0 || r < 0) return none;
  if (Options() & goRowSelect) c = FDragDropSettings.OleEntireRows() ? 0 : FixedCols();
  c = std::max(c, FixedCols());
  r = std::max(r, FixedRows());
  const TGridRect s = FDropSelection;
  return {c, r, c + s.Right - s.Left, r + s.Bottom - s.Top};
}

void TProStringGrid::RemoveOleDragged(const TGridRect& Kept) {
  const TGridRect s = FDropSelection;
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  const auto kept = [&](int c, int r) {
    return c >= Kept.Left && c <= Kept.Right && r >= Kept.Top && r <= Kept.Bottom;
  };
  if (FDragDropSettings.OleRemoveRows() && (Options() & goRowSelect)) {
    if (disjunct) {
      RemoveSelectedRows();
      return;
    }
    // From the bottom up, so that the rows above keep their places; rows that took the drop stay.
    const int top = std::max(s.Top, FixedRows());
    int r = std::min(s.Bottom, RowCount() - 1);
    while (r >= top) {
      if (r >= Kept.Top && r <= Kept.Bottom) {
        --r;
        continue;
      }
      int first = r;
      while (first - 1 >= top && !(first - 1 >= Kept.Top && first - 1 <= Kept.Bottom))
        --first;
      RemoveRows(first, r - first + 1);
      r = first - 1;
    }
    return;
  }
  if (disjunct) {
    ClearSelection();
    return;
  }
  const bool overlap =
      Kept.Left <= s.Right && Kept.Right >= s.Left && Kept.Top <= s.Bottom && Kept.Bottom >= s.Top;
  if (!overlap) {
    const int left = RealColIndex(s.Left), right = RealColIndex(s.Right);
    if (left >= 0 && right >= 0) ClearRect(left, s.Top, right, s.Bottom);
    return;
  }
  for (int r = std::max(s.Top, 0); r <= s.Bottom && r < RowCount(); ++r) {
    for (int c = s.Left; c <= s.Right; ++c) {
      if (kept(c, r)) continue;
      int last = c;
      while (last + 1 <= s.Right && !kept(last + 1, r))
        ++last;
      const int left = RealColIndex(c), right = RealColIndex(last);
      if (left >= 0 && right >= 0) ClearRect(left, r, right, r);
      c = last;
    }
  }
}
