#include "grid/GridDropTarget.h"

#include "grid/GridAuxWindows.h"
#include "grid/ProGrid.h"
#include "grid/ProGridError.h"
#include "grid/TArrowWindow.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <cctype>

namespace {

bool Has(TDropFormats formats, TDropFormat f) {
  return (formats & DropFormatBit(f)) != 0;
}

// The letters after the name's last dot, lower-cased; "" when the name has no extension.
std::string Extension(const std::string& FileName) {
  const std::size_t slash = FileName.find_last_of("/\\");
  const std::size_t dot = FileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = FileName.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// Shows an arrow with its top-left corner at a screen point.
void PlaceArrow(TArrowWindow& arrow, TPoint screen) {
  const TWinControl* parent = arrow.Parent();
  const TPoint at = parent ? parent->ScreenToClient(screen) : screen;
  arrow.SetBounds(at.X, at.Y, arrow.Width(), arrow.Height());
  arrow.BringToFront();
  arrow.SetVisible(true);
}

} // namespace

void TGridDropTarget::TakeSettings() {
  const TDragDropSettings& s = FGrid->DragDropSettings();
  SetAcceptText(s.OleAcceptText());
  SetAcceptFiles(s.OleAcceptFiles());
  SetAcceptURLs(s.OleAcceptURLs());
}

HRESULT TGridDropTarget::DragEnter(const IDataObjectPtr& data, unsigned keyState, TPoint pt,
                                   unsigned& effect) {
  // Settings changed since the registration count from the next drag on.
  TakeSettings();
  const HRESULT hr = TASGDropTarget::DragEnter(data, keyState, pt, effect);
  // The place entered counts as a move there: a drop right after entering obeys it too.
  if (effect != DROPEFFECT_NONE) {
    bool allow = true;
    DragMouseMove(pt, allow, DropFormats());
    if (!allow) effect = DROPEFFECT_NONE;
  }
  return hr;
}

HRESULT TGridDropTarget::Drop(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) {
  FGrid->DragScrollOver(0, 0, true);
  FPlaced = false;
  try {
    const HRESULT hr = TASGDropTarget::Drop(data, keyState, pt, effect);
    // The source removes what it moved only when it arrived here.
    if (!FPlaced) effect = DROPEFFECT_NONE;
    return hr;
  } catch (const std::exception& e) {
    HideIndicators(true, true, true, true);
    effect = DROPEFFECT_NONE;
    MessageDlg(e.what(), mtError, mbOK);
    return S_OK;
  }
}

void TGridDropTarget::TargetCell(TPoint pt, TDropFormats formats, int& ACol, int& ARow, bool& Append) const {
  FGrid->ScreenToCell(pt, ACol, ARow);
  Append = false;
  const TDragDropSettings& s = FGrid->DragDropSettings();
  if (ARow != -1 || Has(formats, dfCol) || !s.OleEntireRows() || !s.OleAppendRows()) return;
  const int last = FGrid->RowCount() - 1;
  if (last < 0) return;
  const TRect r = FGrid->CellRect(FGrid->LeftCol(), last);
  // A last row scrolled out of sight has no bottom to be below.
  if (r.Bottom <= r.Top) return;
  if (FGrid->ScreenToClient(pt).Y >= r.Bottom) {
    ACol = FGrid->FixedCols();
    ARow = last;
    Append = true;
  }
}

void TGridDropTarget::HideIndicators(bool Left, bool Down, bool Up, bool Button) {
  TArrowWindow* const* arrows = FGrid->FDropArrows;
  const bool hide[3] = {Up, Down, Left};
  for (int i = 0; i < 3; ++i)
    if (hide[i] && arrows[i]) arrows[i]->SetVisible(false);
  if (Button && FGrid->FMoveButton) FGrid->FMoveButton->SetVisible(false);
}

void TGridDropTarget::DragMouseMove(TPoint pt, bool& Allow, TDropFormats formats) {
  TProStringGrid& g = *FGrid;
  // Data the grid does not take shows nothing wherever it is.
  if (!Allow) {
    HideIndicators(true, true, true, false);
    return;
  }
  const TDragDropSettings& s = g.DragDropSettings();
  const bool colDrag = Has(formats, dfCol);
  int ACol = -1, ARow = -1;
  bool append = false;
  TargetCell(pt, formats, ACol, ARow, append);
  const TPoint client = g.ScreenToClient(pt);
  g.DragScrollOver(client.X, client.Y, false);

  Allow = ACol >= 0 && ARow >= 0;
  if (Allow && !colDrag) {
    if ((ARow == 0 && g.TopRow() > g.FixedRows()) || (client.Y < 8 && g.FixedRows() == 0 && g.TopRow() > 0))
      g.SetTopRow(g.TopRow() - 1);
    else if (ARow == g.TopRow() + g.VisibleRowCount() && g.TopRow() + g.VisibleRowCount() < g.RowCount())
      g.SetTopRow(g.TopRow() + 1);
    // Sideways only every other move: columns are wide and would fly past.
    if (g.FTimerTicks % 2 == 0) {
      ++g.FTimerTicks;
      if (ACol == 0 && g.LeftCol() > g.FixedCols())
        g.SetLeftCol(g.LeftCol() - 1);
      else if (ACol == g.LeftCol() + g.VisibleColCount() && g.LeftCol() + g.VisibleColCount() < g.ColCount())
        g.SetLeftCol(g.LeftCol() + 1);
    }
  }

  const bool oneRowHeader = g.RowCount() == 1 && g.FixedRowAlways();
  if (!colDrag) {
    if (ARow >= 0 && ARow < g.FixedRows() && !oneRowHeader) Allow = false;
  } else if (ACol == -1) {
    ACol = g.ColCount();
    ARow = 0;
    Allow = true;
  } else if (ARow >= 0 && ARow < g.FixedRows()) {
    Allow = Allow && ACol >= g.FixedCols();
  } else {
    Allow = false;
  }

  Allow = Allow || Has(formats, dfFile) || Has(formats, dfGridCells);
  if (g.OnOleDragOver) g.OnOleDragOver(&g, ARow, ACol, Allow);
  const bool valid = ACol >= 0 && ARow >= 0;
  Allow = Allow && (valid || Has(formats, dfFile));

  if (Allow && colDrag) {
    // The arrows meet at the target column's left edge; after the last column that is its right.
    const int c = std::min(ACol, g.ColCount() - 1);
    const TRect r = g.CellRect(c, ARow);
    const int edge = ACol == c ? r.Left : r.Right;
    TArrowWindow& down = *g.DropArrow(arrDown);
    TArrowWindow& up = *g.DropArrow(arrUp);
    PlaceArrow(down, g.ClientToScreen({edge - down.Arrow()[4].X, r.Top - 8}));
    PlaceArrow(up, g.ClientToScreen({edge - up.Arrow()[0].X, r.Bottom}));
    HideIndicators(true, false, false, false);
  } else if (Allow && valid) {
    int c = s.OleEntireRows() ? g.FixedCols() : ACol;
    TRect r = g.CellRect(std::min(c, g.ColCount() - 1), ARow);
    if (ARow == 0 && oneRowHeader)
      OffsetRect(r, 0, g.RowHeights(0));
    else if (append)
      OffsetRect(r, 0, g.RowHeights(ARow));
    PlaceArrow(*g.DropArrow(arrLeft), g.ClientToScreen({r.Left - 10, r.Top}));
    HideIndicators(false, true, true, false);
  } else {
    HideIndicators(true, true, true, false);
  }
}

void TGridDropTarget::DragMouseLeave() {
  FGrid->DragScrollOver(0, 0, true);
  HideIndicators(true, true, true, false);
}

void TGridDropTarget::DropText(TPoint pt, const std::string& s) {
  TProStringGrid& g = *FGrid;
  const TDragDropSettings& dd = g.DragDropSettings();
  int ACol = -1, ARow = -1;
  bool append = false;
  TargetCell(pt, DropFormats(), ACol, ARow, append);
  const TPoint extent = g.TextCellExtent(s);
  const int C = extent.X, R = extent.Y;
  const bool rowSelect = (g.Options() & goRowSelect) != 0;
  if (rowSelect && ACol >= 0) ACol = dd.OleEntireRows() ? 0 : g.FixedCols();

  bool allow = true;
  if (g.OnOleDrop) g.OnOleDrop(&g, ARow, ACol, s, allow);
  // Outside the cells (a drop allowed for the files it also carries) there is nowhere to write.
  if (allow && ACol >= 0 && ARow >= 0) {
    const bool insert = dd.OleInsertRows();
    if (insert && dd.OleRemoveRows() && g.FDropSelection.Top >= ARow) {
      // The rows about to be inserted push the drag's source rows down.
      g.FDropSelection.Top += R + 1;
      g.FDropSelection.Bottom += R + 1;
    }
    // A grid that is only its header row takes the text in new rows below it.
    const bool headerOnly = ARow == 0 && g.RowCount() == 1 && g.FixedRowAlways();
    if (headerOnly) {
      ARow = 1;
      append = true;
    }
    const int oldRows = g.RowCount();
    int insertedAt = -1;
    if (insert || headerOnly) {
      if (static_cast<long long>(oldRows) + R + 1 > std::max(oldRows, g.FFileOptions.MaxLoadRowCount))
        throw EProGridError("The dropped text holds more rows than the grid takes");
      int top = g.TopRow();
      if (top > g.FixedRows()) ++top;
      if (append) {
        g.SetRowCount(oldRows + R + 1);
        if (!headerOnly) ++ARow;
      } else {
        g.InsertRows(ARow, R + 1);
        insertedAt = ARow;
      }
      if (top > 0) g.SetTopRow(std::clamp(top, g.FixedRows(), std::max(g.FixedRows(), g.RowCount() - 1)));
    }
    // The rows made for the text go again when it is refused or not taken.
    auto dropMadeRows = [&] {
      if (insertedAt >= 0)
        g.RemoveRows(insertedAt, R + 1);
      else if (g.RowCount() != oldRows)
        g.SetRowCount(oldRows);
    };
    int lines = 0, fields = 0;
    try {
      FPlaced = g.PasteText(ACol, ARow, s, lines, fields) > 0;
    } catch (...) {
      dropMadeRows();
      throw;
    }
    if (!FPlaced) dropMadeRows();
  }
  if (FPlaced) {
    ACol = std::max(ACol, g.FixedCols());
    const int right = rowSelect ? ACol + C - g.FixedCols() : ACol + C - 1;
    TGridRect sel{ACol, ARow, std::clamp(right, ACol, g.ColCount() - 1),
                  std::clamp(ARow + R, ARow, g.RowCount() - 1)};
    if (sel.Left < g.ColCount() && sel.Top < g.RowCount()) g.SetSelection(sel);
  }
  HideIndicators(true, true, false, true);
  if (g.OnOleDropped) g.OnOleDropped(&g, g.Selection());
}

void TGridDropTarget::DropStream(TPoint pt, TMemoryStream& ms) {
  TProStringGrid& g = *FGrid;
  int ACol = -1, ARow = -1;
  g.ScreenToCell(pt, ACol, ARow);
  ms.SetPosition(0);
  // A block lands with its top-left at the cell, as a paste places it; a stream of a whole grid
  // does not replace this one. Outside the cells it has nowhere to land.
  if (ACol >= 0 && ARow >= 0) {
    g.LoadBinStream({ACol, ARow}, ms, false, false);
    FPlaced = true;
  }
  HideIndicators(true, true, false, true);
  if (g.OnOleDropped) g.OnOleDropped(&g, g.Selection());
}

void TGridDropTarget::DropCol(TPoint pt, std::int32_t Col) {
  TProStringGrid& g = *FGrid;
  // A column drop is the target's to handle (a reorder here or the handler's own doing); its source
  // never removes anything.
  FPlaced = true;
  int ACol = -1, ARow = -1;
  g.ScreenToCell(pt, ACol, ARow);
  if (ACol == -1) ACol = g.ColCount();
  if (Has(DropFormats(), dfCol)) HideIndicators(false, true, true, true);
  if (g.DragDropSettings().OleColumnReorder()) {
    ACol = std::min(ACol, g.ColCount() - 1);
    // The index comes with the data: one that names no movable column of this grid moves nothing.
    const int from = Col >= 0 && Col < g.ColCount() + g.NumHiddenColumns() ? g.RealToDisplCol(Col) : -1;
    if (from >= g.FixedCols() && from < g.ColCount() && ACol >= g.FixedCols() && from != ACol) {
      const bool enh = g.EnhRowColMove();
      g.SetEnhRowColMove(true);
      g.MoveColumn(from, ACol);
      g.SetEnhRowColMove(enh);
    }
  }
  if (g.OnOleDropCol) g.OnOleDropCol(&g, ARow, ACol, Col);
}

void TGridDropTarget::DropCellText(TPoint pt, const std::string& s, bool Rich) {
  TProStringGrid& g = *FGrid;
  int ACol = -1, ARow = -1;
  g.ScreenToCell(pt, ACol, ARow);
  bool allow = true;
  if (Rich) {
    if (g.OnOleDrop) g.OnOleDrop(&g, ARow, ACol, s, allow);
  } else if (g.OnOleDropURL) {
    g.OnOleDropURL(&g, ARow, ACol, s, allow);
  }
  // Outside the cells there is nowhere to write.
  if (allow && ACol >= 0 && ARow >= 0) {
    const int real = g.RealColIndex(ACol);
    if (real >= 0) {
      g.SetCells(real, ARow, s);
      FPlaced = true;
    }
  }
  HideIndicators(true, true, false, false);
}

void TGridDropTarget::DropRTF(TPoint pt, const std::string& s) {
  DropCellText(pt, s, true);
}

void TGridDropTarget::DropURL(TPoint pt, const std::string& s) {
  DropCellText(pt, s, false);
}

void TGridDropTarget::DropFiles(TPoint pt, const TStringList& files) {
  TProStringGrid& g = *FGrid;
  if (files.Count() != 1) return;
  const std::string name = files[0];
  int ACol = -1, ARow = -1;
  g.ScreenToCell(pt, ACol, ARow);
  bool allow = true;
  if (g.OnOleDropFile) {
    g.OnOleDropFile(&g, ARow, ACol, name, allow);
    // A file the handler saw and let pass counts as taken; without one only a load takes it.
    FPlaced = FPlaced || allow;
  }
  // One loader, chosen by the extension alone.
  const std::string ext = Extension(name);
  const bool csv = ext == "csv", xls = ext == "xls" || ext == "xlsx";
  if (allow && (csv || xls)) {
    if (g.OnOleDrop) g.OnOleDrop(&g, -1, -1, name, allow);
    if (allow) {
      if (csv)
        g.LoadFromCSV(name, -1);
      else
        g.LoadFromXLS(name);
      FPlaced = true;
    }
  }
  HideIndicators(true, true, false, false);
}
