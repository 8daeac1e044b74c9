// The grid controls: TCustomGrid (a self-drawn, scrolling grid of cells on the core of GridsCore.h),
// TDrawGrid (cells painted by OnDrawCell), TStringGrid (a text and an object per cell) and the
// in-place edit that the grid places over the current cell.
//
// Painting visits only the cells on screen: Paint calls DrawCell(ACol, ARow, Rect, State) for each
// visible cell. Keys reach KeyDown (OnKeyDown first, then the grid's navigation) and KeyPress;
// the in-place edit hands Up, Down, PgUp, PgDn, Esc and Tab (without Alt) to the grid's KeyDown and
// Enter to its KeyPress.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/GridsCells.h"
#include "platform/ui/GridsCore.h"
#include "platform/ui/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCustomGrid;
class TScrollBar;
class TTimer;

// Which scroll bars a grid may show.
using TScrollStyle = TGridScrollBars;
constexpr TScrollStyle ssNone = gsbNone, ssHorizontal = gsbHorizontal, ssVertical = gsbVertical,
                       ssBoth = gsbBoth;

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// The edit placed over the current cell. It loads the cell's edit text, limit and mask from the
// grid (UpdateContents), follows the cell (BoundsChanged), and hands the grid the keys that move
// between cells.
class TInplaceEdit : public TEdit {
public:
  explicit TInplaceEdit(TComponent* AOwner);
  ~TInplaceEdit() override;

  TCustomGrid* Grid() const { return FGrid; }
  // The cell the edit is loaded from; (-1, -1) when no edit is under way.
  int EditCol() const { return FCol; }
  int EditRow() const { return FRow; }

  // Places the edit on a client rectangle of the grid and shows it.
  void Move(const TRect& r);
  // Hides the edit without touching the cell; a focused edit first hands the focus to the grid.
  // False when it was hidden already (also by its own exit handler meanwhile).
  bool HideEdit();
  // Loads the text of (ACol, ARow) again even when it is the cell already loaded.
  void Reload() { FCol = FRow = -1; }

  void SetParent(TWinControl* parent) override;
  unsigned DialogCode() const override;

protected:
  // Loads the edit text, limit and mask of the grid's current cell (typing then follows the mask).
  virtual void UpdateContents();
  // The edit's rectangle changed (Move); places the widget.
  virtual void BoundsChanged();
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;

private:
  friend class TCustomGrid;
  TCustomGrid* FGrid = nullptr;
  int FCol = -1;
  int FRow = -1;
};

class TCustomGrid : public TCustomControl, public TGridCore {
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // Client area without the scroll bars.
  int ClientWidth() const override;
  int ClientHeight() const override;

  TScrollStyle ScrollBars() const { return TGridCore::ScrollBars(); }
  void SetScrollBars(TScrollStyle value);
  // With default drawing the grid fills each cell (fixed, selected or normal colour) before
  // DrawCell and draws the focus frame after it.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor value);
  // Colours of the grid lines of normal and of fixed cells.
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor value);
  TColor FixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);

  // --- Editing ---------------------------------------------------------------------------
  // True while the editor is wanted on the current cell.
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool value);
  // The in-place edit (nullptr until first shown).
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  // Shows the editor when CanEditShow agrees.
  void ShowEditor();
  // Shows the editor with `ch` as its whole text (Backspace: empty text).
  void ShowEditorChar(WideChar ch);
  // Writes the editor's text back through SetEditText and hides it.
  void HideEditor();
  // Loads the editor's text again from the cell.
  void InvalidateEditor();

  // --- Repainting --------------------------------------------------------------------------
  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void InvalidateCol(int ACol);
  void InvalidateGrid() { Invalidate(); }

  // Scroll bars as they show (nullptr when hidden or before the grid has a size).
  TScrollBar* VertScrollBar() const;
  TScrollBar* HorzScrollBar() const;

  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
  // --- Hooks of the editor path ------------------------------------------------------------
  // Whether the editor may show now: goEditing without goRowSelect, the editor wanted (or
  // goAlwaysShowEditor), and the grid or its editor focused (or goAlwaysShowEditor).
  virtual bool CanEditShow();
  virtual std::string GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const std::string& Value);
  // Maximum length of the edit text; 0 for none.
  virtual int GetEditLimit() { return 0; }
  virtual std::string GetEditMask(int ACol, int ARow);
  virtual TInplaceEdit* CreateEditor();

  // --- Painting ----------------------------------------------------------------------------
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
  void Paint() override;
  // The mark of a size or move drag.
  void PaintOverlay() override;

  // --- Input -------------------------------------------------------------------------------
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  // One notch towards the user (down) or away (up): OnMouseWheelDown/Up, then the current row
  // moves one row. True when handled.
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  void DoEnter() override;
  void DoExit() override;
  // The selection shows the focus: it is repainted when the focus comes or goes, except to and
  // from the grid's own editor, which covers the cell.
  void WMSetFocus(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  unsigned DialogCode() const override;
  // Scroll requests (WParam: SB_ code in the low word, the bar position in the bits above it,
  // wider than 16 bits where a bar has more positions).
  void WMVScroll(TMessage& Message) override;
  void WMHScroll(TMessage& Message) override;
  void Resize() override;

  // --- Core hooks the control uses; descendants override them and call these --------------
  bool SelectCell(int ACol, int ARow) override { return true; }
  void TopLeftChanged() override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  // An edit under way ends in its own cell before anything else sees the move; descendants call
  // these first.
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void CurrentCellChanging() override;
  void CurrentCellChanged() override;
  void GridInvalidate(const TRect& r) override;
  void GridInvalidateAll() override;
  void GridScrollBarsChanged() override;

private:
  friend class TInplaceEdit;
  void UpdateEdit();
  void PlaceEditor();
  void EditorCellMoved(bool column, int from, int to);
  void UpdateScrollBars();
  void PlaceScrollBars();
  void UpdateAutoScroll();
  void ScrollBarMoved(bool vertical, unsigned code, int pos);
  bool EditorFocused() const;
  void ScrollMessage(bool vertical, TMessage& Message);

  TInplaceEdit* FInplaceEdit = nullptr;
  bool FEditorMode = false;
  // The edit's cell scrolled out of view while it was shown: the edit is still under way.
  bool FEditOutOfView = false;
  bool FDefaultDrawing = true;
  TColor FFixedColor = clBtnFace;
  TColor FGridLineColor = clSilver;
  TColor FFixedLineColor = clGray;
  TBorderStyle FBorderStyle = bsSingle;
  TScrollBar* FVertBar = nullptr;
  TScrollBar* FHorzBar = nullptr;
  bool FVertShown = false;
  bool FHorzShown = false;
  bool FLayingOut = false;
  bool FUpdatingBars = false;
  // Until the grid has its widget, the bar controls are placed only when asked for or when the
  // widget comes: a grid is laid out again at nearly every property set while it is built.
  bool FBarsPending = false;
  TTimer* FScrollTimer = nullptr;
  int FWheelAccumulator = 0;
};

// A grid whose cells the program paints in OnDrawCell.
class TDrawGrid : public TCustomGrid {
public:
  explicit TDrawGrid(TComponent* AOwner);

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TGetEditEvent OnGetEditText;
  TGetEditEvent OnGetEditMask;
  TSetEditEvent OnSetEditText;

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  std::string GetEditText(int ACol, int ARow) override;
  std::string GetEditMask(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
};

// A grid of texts with one object reference per cell (the grid never frees the objects).
// Cells are addressed by real column: a descendant that hides columns keeps their cells behind the
// displayed ones (SetCellCapacity) and maps display columns to real ones where it paints.
class TStringGrid : public TDrawGrid {
public:
  explicit TStringGrid(TComponent* AOwner);

  // Cells outside CellCapacity x RowCount read as empty (nullptr) and ignore writes.
  const std::string& Cells(int ACol, int ARow) const { return FCells.Text(ACol, ARow); }
  void SetCells(int ACol, int ARow, const std::string& Value) {
    if (ACol < 0 || ARow < 0 || ACol >= CellCapacity() || ARow >= RowCount()) return;
    // Only a cell that may show is compared with its old text, to learn whether to repaint it.
    if (ACol >= ColCount() || CellPastView(ACol, ARow))
      FCells.SetText(ACol, ARow, Value);
    else
      ChangeCellInView(ACol, ARow, Value);
  }
  TObject* Objects(int ACol, int ARow) const { return FCells.Object(ACol, ARow); }
  void SetObjects(int ACol, int ARow, TObject* Value);
  // Text and object of a stored cell in one look-up; nullptr reads as an empty cell.
  const TGridCell* StoredCell(int ACol, int ARow) const { return FCells.CellAt(ACol, ARow); }
  // A row's stored cells by real column (fewer than CellCapacity when its later cells were never
  // written), for readers going through whole rows.
  const TGridCellRow& StoredRow(int ARow) const { return FCells.RowCells(ARow); }
  // A row (column) as ColCount (RowCount) texts, read without copying; writing takes the texts
  // in order and empties the cells it has no text for.
  TGridCellLine Rows(int ARow) const { return FCells.Row(ARow); }
  void SetRows(int ARow, const std::vector<std::string>& Value);
  TGridCellLine Cols(int ACol) const { return FCells.Col(ACol); }
  void SetCols(int ACol, const std::vector<std::string>& Value);
  // Columns whose cells are kept; never below ColCount, and a smaller ColCount keeps the cells.
  int CellCapacity() const { return FCells.Capacity(); }

protected:
  // A descendant keeps hidden columns' cells behind the displayed ones; lowering it drops the
  // cells at or beyond the new capacity.
  void SetCellCapacity(int Columns) { FCells.SetCapacity(Columns); }
  // Reorders the rows (sorting): row i takes the cells of row Order[i]. Refused (false) unless
  // Order holds each row once. Heights and the current cell stay where they are.
  bool PermuteRows(const std::vector<int>& Order);
  // A row's cells moved out (the row left empty) and put back, without repainting: for a
  // descendant that keeps rows aside and repaints once when done.
  TGridCellRow TakeRowCells(int ARow) { return FCells.TakeRow(ARow); }
  void PutRowCells(int ARow, TGridCellRow Cells) { FCells.PutRow(ARow, std::move(Cells)); }
  // Rows from ARow on take their texts from Source when first reached (a loaded file's rows).
  void PutLazyRows(int ARow, std::shared_ptr<const TGridRowSource> Source, std::span<const TGridLazyRow> Rows) {
    FCells.PutLazyRows(ARow, std::move(Source), Rows);
  }
  // With default drawing the text is drawn 2 pixels in from the left and top.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;

private:
  // Writes a cell that may show and repaints it when its text changed.
  void ChangeCellInView(int ACol, int ARow, const std::string& Value);
  TGridCellStore FCells;
};
