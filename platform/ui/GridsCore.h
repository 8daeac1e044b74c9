// The window-free heart of the grid control: counts, sizes, the current cell and the selection,
// scrolling, hit-testing, keyboard navigation and the mouse drags. The control (Grids.h) feeds it
// client sizes, keys and mouse events and paints what it says; tests drive it directly.
#pragma once

#include "platform/ui/Types.h"

#include <cstdint>
#include <vector>

// Options of the grid (bit values; TGridOptions is a set of them).
enum TGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goRowMoving = 1u << 8,
  goColMoving = 1u << 9,
  goEditing = 1u << 10,
  goTabs = 1u << 11,
  goRowSelect = 1u << 12,
  goAlwaysShowEditor = 1u << 13,
  goThumbTracking = 1u << 14,
  goFixedColClick = 1u << 15,
  goFixedRowClick = 1u << 16,
  goFixedHotTrack = 1u << 17,
};
using TGridOptions = unsigned;

constexpr TGridOptions DefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

// How a cell is to be drawn (bit values; TGridDrawState is a set of them).
enum TGridDrawStateItem : unsigned {
  gdSelected = 1u << 0,
  gdFocused = 1u << 1,
  gdFixed = 1u << 2,
  gdRowSelected = 1u << 3,
  gdHotTrack = 1u << 4,
  gdPressed = 1u << 5,
};
using TGridDrawState = unsigned;

// What a mouse drag is doing.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// Which scroll bars the grid may show.
enum TGridScrollBars { gsbNone, gsbHorizontal, gsbVertical, gsbBoth };

// One step of a scroll bar.
enum TGridScrollCode {
  gscLineUp,
  gscLineDown,
  gscPageUp,
  gscPageDown,
  gscTrack,
  gscPosition,
  gscTop,
  gscBottom
};

// A cell by column (X) and row (Y); -1 for "none".
struct TGridCoord {
  int X = 0;
  int Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// What a scroll bar shows: positions Min .. Max, a page (0: none; the last position is then
// Max - Page + 1), the position, and whether it can be used.
struct TGridScrollInfo {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
  bool Enabled = true;
  bool operator==(const TGridScrollInfo&) const = default;
};

// A range of cells; Right and Bottom are inclusive.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
};

// A column or row on screen: its index, where its cell starts and ends (exclusive) and where its
// trailing grid line ends.
struct TGridSpan {
  int Index = 0;
  int Start = 0;
  int End = 0;
  int LineEnd = 0;
};

// Virtual key codes the grid acts on (numeric values as on Windows).
namespace GridKeys {
constexpr unsigned Back = 0x08, Tab = 0x09, Enter = 0x0D, Escape = 0x1B, PageUp = 0x21, PageDown = 0x22,
                   End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, F2 = 0x71;
}

class TGridCore {
public:
  // Largest width or height of one column or row; bigger values are cut to it, negative ones to 0.
  static constexpr int MaxCellExtent = 32767;
  // Thumb positions of the scroll bars run from 0 to this value.
  static constexpr int ThumbMax = 127;
  // Distance in pixels from a border within which a press in the fixed cells starts sizing.
  static constexpr int SizingMargin = 3;

  TGridCore();
  virtual ~TGridCore() = default;
  TGridCore(const TGridCore&) = delete;
  TGridCore& operator=(const TGridCore&) = delete;

  // --- Model -------------------------------------------------------------------------------
  int ColCount() const { return FCols.Count; }
  int RowCount() const { return FRows.Count; }
  // Counts below 0 become 0. FixedCols/FixedRows follow so that at least one column or row stays
  // normal (none when the count is 0); the current cell and the view are pulled inside.
  // The count, fixed-count and position setters are virtual, so a descendant sees and may adjust
  // what is set, also by the grid itself (DeleteRow sets RowCount, key scrolling sets TopRow and
  // LeftCol). Every count change ends in SizeChanged, every move of the view in TopLeftChanged and
  // every move of the current cell in CurrentCellChanged, whichever way they came.
  virtual void SetColCount(int value);
  virtual void SetRowCount(int value);
  // Virtual so a descendant may report a fixed row or column it keeps shown on a grid too small
  // to hold one.
  virtual int FixedCols() const { return FCols.Fixed; }
  virtual int FixedRows() const { return FRows.Fixed; }
  // Clamped to 0 .. count - 1 (0 for an empty grid).
  virtual void SetFixedCols(int value);
  virtual void SetFixedRows(int value);

  int DefaultColWidth() const { return FCols.Default; }
  int DefaultRowHeight() const { return FRows.Default; }
  // Every column (row) takes the new default.
  void SetDefaultColWidth(int value);
  void SetDefaultRowHeight(int value);
  // Sizes of columns and rows outside the grid read as the default and are not stored.
  int ColWidths(int index) const;
  int RowHeights(int index) const;
  void SetColWidths(int index, int value);
  void SetRowHeights(int index, int value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int value); // below 0 counts as 0

  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions value);
  TGridScrollBars ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TGridScrollBars value);

  // --- View --------------------------------------------------------------------------------
  // The current cell. Setting either moves the current cell (asking SelectCell) and scrolls it into
  // view; indexes outside the grid are ignored.
  int Col() const { return FCurrent.X; }
  int Row() const { return FCurrent.Y; }
  virtual void SetCol(int value);
  virtual void SetRow(int value);
  // The selected range, ordered; with goRowSelect it spans all normal columns.
  TGridRect Selection() const;
  // Anchor := (Left, Top), current cell := (Right, Bottom), taken as given (also outside the grid,
  // which selects nothing); no SelectCell, no scrolling.
  void SetSelection(const TGridRect& value);
  TGridCoord Anchor() const { return FAnchor; }

  int TopRow() const { return FTopRow; }
  int LeftCol() const { return FLeftCol; }
  // Clamped to FixedRows .. MaxTopRow() (columns likewise).
  virtual void SetTopRow(int value);
  virtual void SetLeftCol(int value);
  // Largest top row (left column) that the scrolling can reach: the last row then shows fully.
  int MaxTopRow() const;
  int MaxLeftCol() const;
  // Scrolling columns (rows) from LeftCol (TopRow) that show completely.
  int VisibleColCount() const;
  int VisibleRowCount() const;

  int GridClientWidth() const { return FClientWidth; }
  int GridClientHeight() const { return FClientHeight; }
  void SetGridClientSize(int width, int height);
  // Lays the scroll bars out for a control of totalWidth x totalHeight whose bars are barWidth wide
  // (vertical) and barHeight high (horizontal); sets the client size and tells which bars show.
  void LayoutScrollBars(int totalWidth, int totalHeight, int barWidth, int barHeight, bool& showVert,
                        bool& showHorz);

  // Client rectangle of a cell; empty (all 0) when the cell is not in view. Partly visible cells
  // get their whole rectangle.
  TRect CellRect(int col, int row) const;
  // The cell under a client point; (-1, -1) outside the cells. A grid line belongs to the cell
  // before it.
  TGridCoord MouseToCell(int x, int y) const;
  // Columns (rows) on screen, fixed ones first, up to the first one starting at or after the
  // client edge. Costs only what is visible.
  std::vector<TGridSpan> VisibleColumns() const;
  std::vector<TGridSpan> VisibleRows() const;
  // Pixel rectangle covering the visible part of a cell range; empty when none of it shows.
  TRect RangeRect(const TGridRect& range) const;
  // Draw state of a cell; `focused` tells whether the control has the keyboard focus.
  TGridDrawState CellDrawState(int col, int row, bool focused) const;
  bool IsFixedCell(int col, int row) const { return col < FCols.Fixed || row < FRows.Fixed; }

  // --- Scroll bars -------------------------------------------------------------------------
  // Whether the rows (columns) need scrolling at all.
  bool CanScrollVert() const { return MaxTopRow() > FRows.Fixed; }
  bool CanScrollHorz() const { return MaxLeftCol() > FCols.Fixed; }
  // Thumb position 0..ThumbMax of the current top row (left column).
  int VertThumb() const;
  int HorzThumb() const;
  // A scroll bar step; pos is the bar position for gscTrack and gscPosition. Tracking moves only
  // with goThumbTracking.
  void ScrollVert(TGridScrollCode code, int pos = 0);
  void ScrollHorz(TGridScrollCode code, int pos = 0);
  // The vertical (horizontal) bar's numbers. The default maps the rows (columns) onto the thumb
  // positions 0 .. ThumbMax; a descendant may give its own mapping together with ScrollPosToIndex.
  virtual TGridScrollInfo GetScrollInfo(bool vertical) const;
  // The first row (column) a bar position stands for (the inverse of GetScrollInfo's Pos).
  virtual int ScrollPosToIndex(bool vertical, int pos) const;
  // A bar that is not needed shows disabled instead of hiding (scroll bars permitting). Default off.
  virtual bool ScrollBarAlwaysShown(bool vertical) const { return false; }
  // One bar position per row (column): Min the first scrolling index, the position the top row
  // (left column), the page the visible rows (columns). For descendants' GetScrollInfo, whose
  // ScrollPosToIndex then returns the position itself.
  TGridScrollInfo IndexScrollInfo(bool vertical) const;

  // --- Current cell ------------------------------------------------------------------------
  // Moves the current cell after SelectCell agreed; moveAnchor collapses the selection onto it,
  // show scrolls it into view. False when refused or outside the grid.
  bool MoveColRow(int col, int row, bool moveAnchor, bool show);
  // Scrolls so that the cell shows completely (as far as the client allows).
  void ScrollCellInView(int col, int row);

  // --- Structure ---------------------------------------------------------------------------
  // Moves a column (row) with its width (height) and then calls ColumnMoved (RowMoved). The
  // current cell keeps its indexes. Indexes outside the grid do nothing.
  void MoveColumn(int fromIndex, int toIndex);
  void MoveRow(int fromIndex, int toIndex);
  // Removes one row: it is moved to the end (RowMoved) and the count drops by one.
  void DeleteRow(int index);
  void DeleteColumn(int index);

  // --- Input -------------------------------------------------------------------------------
  // The navigation keys (arrows, PgUp, PgDn, Home, End, Tab with goTabs); true when the key is
  // one of them (also when nothing could move).
  bool NavigateKey(unsigned key, bool shift, bool ctrl);
  // The left button went down, moved or came up at a client point. The right button does not
  // come here.
  void GridMouseDown(int x, int y, bool shift);
  void GridMouseMove(int x, int y);
  void GridMouseUp(int x, int y);
  // One step of automatic scrolling while a range drag is outside the cells (timer driven).
  void AutoScrollStep();
  // The mouse left the control.
  void GridMouseLeave();
  // Wheel: one notch down (towards the user) moves the current row down one row.
  bool WheelDown();
  bool WheelUp();

  TGridState GridState() const { return FGridState; }
  // Descendants end (gsNormal) or start (gsSelecting) drags themselves.
  void SetGridState(TGridState value);
  // During a size drag: the column (row) being sized and the pointer position.
  int SizingIndex() const { return FSizingIndex; }
  int SizingPos() const { return FSizingPos; }
  // During a move drag: the column (row) grabbed and where it would go.
  int MoveIndex() const { return FMoveIndex; }
  int MovePos() const { return FMovePos; }
  // Where the drag shows its mark (the sizing line, or the bar where a moved column or row
  // would land); empty when there is none.
  TRect DragMarkRect() const;
  // The fixed cell under the mouse (goFixedHotTrack) and the fixed cell held down
  // (goFixedColClick / goFixedRowClick); (-1, -1) when none.
  TGridCoord HotCell() const { return FHotCell; }
  TGridCoord PressedCell() const { return FPressedCell; }

protected:
  // Hooks for descendants and the control.
  virtual bool SelectCell(int col, int row) { return true; }
  virtual void TopLeftChanged() {}
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  virtual void ColumnMoved(int fromIndex, int toIndex) {}
  virtual void RowMoved(int fromIndex, int toIndex) {}
  virtual void SizeChanged(int oldColCount, int oldRowCount) {}
  // Decides whether a press at (x, y) starts sizing: state gsColSizing or gsRowSizing with the
  // index of the column (row) whose right (bottom) border is grabbed, the border position and the
  // offset of the pointer from it; gsNormal otherwise.
  virtual void CalcSizingState(int x, int y, TGridState& state, int& index, int& sizingPos, int& sizingOfs);
  // The current cell is about to change (after SelectCell agreed) and has changed.
  virtual void CurrentCellChanging() {}
  virtual void CurrentCellChanged() {}
  // A left press on a fixed cell ended on the same cell (goFixedColClick / goFixedRowClick).
  virtual void FixedCellClick(int col, int row) {}
  // Something on screen must be drawn again.
  virtual void GridInvalidate(const TRect& r) {}
  virtual void GridInvalidateAll() {}
  // Scroll bar ranges or positions may have changed.
  virtual void GridScrollBarsChanged() {}

  // Invalidates one cell when it shows.
  void InvalidateCellArea(int col, int row);
  // The cell lies past the client edge (right of or below the view), told in constant time; a
  // cell answering false may still be out of view. Writing many cells asks this once per cell, so
  // a row below the remembered view end answers here.
  bool CellPastView(int col, int row) const {
    const ViewEndMemo& m = FRows.ViewEnd;
    if (row >= FRows.Fixed && m.Valid && row >= m.End && m.Gen == FRows.Gen && m.First == FTopRow &&
        m.Client == FClientHeight && m.Count == FRows.Count && m.Fixed == FRows.Fixed)
      return true;
    return CellPastViewMeasured(col, row);
  }
  void InvalidateRange(const TGridRect& range);

private:
  bool CellPastViewMeasured(int col, int row) const;
  // The first scrolling index that starts at or past the client edge, kept for the inputs it
  // was found with, so a cell out of view is told in constant time.
  struct ViewEndMemo {
    bool Valid = false;
    unsigned Gen = 0;
    int First = 0, Client = 0, Count = 0, Fixed = 0;
    int End = 0;
  };
  struct Axis {
    int Count = 0;
    int Fixed = 0;
    int Default = 0;
    std::vector<int> Sizes;
    unsigned Gen = 0; // bumped whenever Sizes, line widths or options change
    mutable ViewEndMemo ViewEnd;
  };
  int ViewEnd(const Axis& a, bool horizontalAxis, int first, int client) const;
  int ExtentOf(const Axis& a, int i) const;
  int FixedLine(bool horizontalAxis) const;
  int NormalLine(bool horizontalAxis) const;
  int FixedExtent(const Axis& a, bool horizontalAxis) const;
  int MaxFirst(const Axis& a, bool horizontalAxis, int client) const;
  int VisibleCount(const Axis& a, bool horizontalAxis, int first, int client) const;
  std::vector<TGridSpan> Spans(const Axis& a, bool horizontalAxis, int first, int client) const;
  bool SpanOf(const Axis& a, bool horizontalAxis, int first, int client, int index, TGridSpan& out) const;
  int Hit(const Axis& a, bool horizontalAxis, int first, int client, int pos) const;
  int FirstInView(const Axis& a, bool horizontalAxis, int client, int index) const;
  void ClampView(); // keeps the view in range after a change of sizes or counts
  void Relayout();  // the view clamped, redrawn and its scroll bars updated
  void MoveTopLeft(int left, int top);
  int ClampNormal(int v, const Axis& a) const;
  void ScrollAxis(bool vertical, TGridScrollCode code, int pos);
  void DragSelectTo(int x, int y);

  Axis FCols;
  Axis FRows;
  int FGridLineWidth = 1;
  TGridOptions FOptions = DefaultGridOptions;
  TGridScrollBars FScrollBars = gsbBoth;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  int FTopRow = 1;
  int FLeftCol = 1;
  int FClientWidth = 0;
  int FClientHeight = 0;
  TGridState FGridState = gsNormal;
  int FSizingIndex = -1;
  int FSizingPos = 0;
  int FSizingOfs = 0;
  int FMoveIndex = -1;
  int FMovePos = -1;
  TGridCoord FHotCell{-1, -1};
  TGridCoord FPressedCell{-1, -1};
  TPoint FLastMouse;
};
