// The base of the program's grids: the platform's string grid with a lazily created look per cell
// (TCellProperties, kept in the cell's object slot and owned by the grid), merged cells, cell texts
// that follow a merged cell to its base cell and pass through display events, and a painter that
// draws backgrounds, selection faces and grid lines itself.
//
// Cells are addressed by real column: 0 .. TotalColCount() - 1 (a descendant that hides columns
// keeps their cells behind the displayed ones). Every cell operation ignores cells outside the
// grid: reads answer nothing, writes change nothing.
#pragma once

#include "grid/CellProperties.h"
#include "grid/GridTypes.h"
#include "platform/ui/Grids.h"

#include <functional>
#include <memory>
#include <string>

class TProGridUndoRedo;

class TBaseGrid : public TStringGrid {
public:
  explicit TBaseGrid(TComponent* AOwner);
  // Frees every cell's properties (and the graphics they own).
  ~TBaseGrid() override;

  // --- Cell texts ----------------------------------------------------------------------------
  // The text as the program sees it: a cell of a merged area reads its base cell; rows below
  // NormalRowCount pass through the display events.
  std::string Cells(int ACol, int ARow) const;
  // Writes the base cell of a merged area (repainting the area); writing the last row while it
  // is hidden tells LastRowChanged.
  void SetCells(int ACol, int ARow, const std::string& Value);
  // The stored text, without merging or events.
  const std::string& GridCells(int ACol, int ARow) const { return TStringGrid::Cells(ACol, ARow); }
  void SetGridCells(int ACol, int ARow, const std::string& Value) {
    TStringGrid::SetCells(ACol, ARow, Value);
  }

  // --- Cell objects and properties ---------------------------------------------------------
  // The cell's properties, created with the defaults of GetCellDefaults on first use; nullptr
  // for a cell outside the grid.
  TCellProperties* CellProperties(int ACol, int ARow);
  // Replaces the cell's properties (freeing the old ones); nullptr leaves the cell without.
  void SetCellProperties(int ACol, int ARow, std::unique_ptr<TCellProperties> Value);
  bool HasCellProperties(int ACol, int ARow) const {
    // FHasCellProps first: a grid of plain cells answers without touching the store.
    // The store answers nullptr outside itself; its columns may reach past the real ones.
    return FHasCellProps && TStringGrid::Objects(ACol, ARow) != nullptr && ACol < TotalColCount();
  }
  // The properties if the cell has them; never creates.
  TCellProperties* FindCellProperties(int ACol, int ARow) const {
    if (!FHasCellProps) return nullptr;
    TObject* o = TStringGrid::Objects(ACol, ARow); // one look into the store
    return o && ACol < TotalColCount() ? static_cast<TCellProperties*>(o) : nullptr;
  }
  // The user object of a cell (its properties' CellObject); the grid never frees it.
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);
  // The cell graphic; a TCellGraphic is owned by the cell, other objects stay the caller's.
  TObject* GraphicObjects(int ACol, int ARow) const;
  void SetGraphicObjects(int ACol, int ARow, TObject* Value);
  // The raw object slot, read and written without freeing anything.
  TObject* GridObjects(int ACol, int ARow) const { return TStringGrid::Objects(ACol, ARow); }
  void SetGridObjects(int ACol, int ARow, TObject* Value) {
    if (Value) FHasCellProps = true;
    TStringGrid::SetObjects(ACol, ARow, Value);
  }
  static TObject* GraphicOfCellProperties(const TCellProperties* Props) {
    return Props ? Props->GraphicObject() : nullptr;
  }
  void FreeCellProperties(int ACol, int ARow);
  void FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow);
  // Takes the cell's properties out of the grid, leaving the cell without: for code that moves a
  // cell's look elsewhere (nullptr when the cell has none or lies outside the grid).
  std::unique_ptr<TCellProperties> TakeCellProperties(int ACol, int ARow);
  // Empties the text and frees the properties the cell still holds; code that moves properties
  // elsewhere takes them out first, so nothing is freed twice and nothing is left behind.
  void ClearCell(int ACol, int ARow);
  void ClearColCells(int ACol);
  void ClearRowCells(int ARow);

  // --- Merged cells ------------------------------------------------------------------------
  // Merges SpanX columns by SpanY rows into base cell (c, r); an area not wholly inside the
  // grid, or a span below 1, merges nothing.
  virtual void MergeCells(int c, int r, int SpanX, int SpanY);
  // Splits the area holding (c, r); nothing for a cell that is not merged.
  virtual void SplitCells(int c, int r);
  TPoint BaseCell(int ACol, int ARow) const;
  bool IsBaseCell(int ACol, int ARow) const;
  bool IsMergedCell(int ACol, int ARow) const;
  bool IsMergedNonBaseCell(int ACol, int ARow) const;
  bool IsXMergedCell(int ACol, int ARow) const;
  bool IsYMergedCell(int ACol, int ARow) const;
  // Further columns (X) and rows (Y) of the cell's area; (0, 0) when not merged.
  TPoint CellSpan(int ACol, int ARow) const;
  // Columns and rows of the area right of and below the cell.
  TPoint CellExt(int ACol, int ARow) const;
  // The area as inclusive cell indexes.
  TRect FullCell(int c, int r) const;
  int MinRowSpan(int ARow) const;
  int MaxRowSpan(int ARow) const;
  bool RowSpanIdentical(int ARow1, int ARow2) const;
  bool ColSpanIdentical(int ACol1, int ACol2) const;
  // True for a cell that is its own base; false with the base cell set for a covered one.
  bool ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
  // Moves the current cell to the base cell of its area.
  void SnapToBaseCell();
  void GotoBaseCell() { SnapToBaseCell(); }
  int MergeCount() const { return FMergeCount; }

  // --- Geometry and repainting ---------------------------------------------------------------
  // Client rectangle of a cell; the whole area for a merged cell, also when it is out of view.
  TRect CellRect(int c, int r) const;
  TSize CellSize(int c, int r) const;
  // Any cell's rectangle, also out of view; costs only the sizes between it and the view.
  TRect ComputeCellRect(int ACol, int ARow) const;
  void RepaintCell(int c, int r);

  // --- Painting ------------------------------------------------------------------------------
  // Paints one cell on any canvas: as the grid does (PaintCell), or its background and lines only
  // in the rectangle given, selected cells in the active-row colours (PaintCellExt).
  void PaintCell(TCanvas& ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  void PaintCellExt(TCanvas& ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  // Number of the current paint pass; it grows by one after every paint.
  int PaintID() const { return FPaintID; }

  // --- Settings ------------------------------------------------------------------------------
  // Stored only: the platform grid's own default drawing stays off, every cell is painted here.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  // Lines are drawn inside the cells; the platform grid's line width stays 0.
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor GridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value);
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value);
  TColor ActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value);
  TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
  void SetActiveRowColorTo(TColor Value);
  TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
  void SetActiveRowMirrorColor(TColor Value);
  TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
  void SetActiveRowMirrorColorTo(TColor Value);
  TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  THoverRowCells HoverRowCells() const { return FHoverRowCells; }
  void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
  int HoverRowIdx() const { return FHoverRowIdx; }
  void SetHoverRowIdx(int Value) { FHoverRowIdx = Value; }
  // The default word wrap of new cell properties.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }
  bool ShowSel() const { return FShowSel; }
  void SetShowSel(bool Value) { FShowSel = Value; }
  // The last row belongs to a footer: painted empty, kept from the cursor by Page Down.
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value) { FHideLastRow = Value; }
  // Rows below it pass their texts through the display events.
  int NormalRowCount() const { return FNormalRowCount; }
  void SetNormalRowCount(int Value) { FNormalRowCount = Value; }
  // Set once a cell got properties; cleared only by a descendant that removed them all (cells are
  // then not looked at for properties).
  bool HasCellProps() const { return FHasCellProps; }
  void SetHasCellProps(bool Value) { FHasCellProps = Value; }
  TProGridUndoRedo* UndoRedo() const { return FUndoRedo; }
  void SetUndoRedo(TProGridUndoRedo* Value);

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

  // --- Hooks of descendants --------------------------------------------------------------------
  virtual bool IsFixed(int ACol, int ARow) const { return false; }
  virtual int GetRowIndent(int ARow) const { return 0; }
  virtual bool HasNodes() const { return false; }
  // Draws the cell's text on one line, centred both ways.
  virtual void DrawCellContent(TCanvas& Canvas, int ACol, int ARow, const TRect& Rect, TGridDrawState State);
  virtual void LastRowChanged() {}
  virtual void GetDisplText(int ACol, int ARow, std::string& Value) const;
  virtual void GetDisplWideText(int ACol, int ARow, std::string& Value) const;
  virtual void GetCellDefaults(int ACol, int ARow, TFont& Font, TBrush& Brush, TColor& ColorTo,
                               TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                               TVAlignment& VAlign, bool& WordWrap,
                               TCellGradientDirection& GradientDirection);
  virtual void CellTextChanged(int ACol, int ARow) {}
  virtual bool HasCellBorders() const { return false; }
  virtual bool IsStyled() const { return false; }
  // The look of a cell for painting; the base grid leaves the values as the caller set them.
  virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                   bool Remap, TBrush& Brush, TColor& ColorTo, TColor& MirrorColor,
                                   TColor& MirrorColorTo, TFont& Font, TAlignment& HAlign,
                                   TVAlignment& VAlign, bool& WordWrap,
                                   TCellGradientDirection& GradientDirection) {}
  virtual int DisplColIndex(int ACol) const { return ACol; }
  virtual int TotalColCount() const { return ColCount(); }

  // Called for every selected cell painted with a selection face: its segment kind (0 whole,
  // 1 left end, 2 right end, 3 middle). For tests and descendants that record painting.
  std::function<void(int ACol, int ARow, int Kind)> OnSelectionSegment;

protected:
  void Paint() override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void TopLeftChanged() override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PaintCellCore(TCanvas& Canvas, int ACol, int ARow, TRect R, TGridDrawState State, bool Full);

  // Frees a properties object and the graphic it owns.
  static void DeleteCellProperties(TObject* Props);

private:
  friend class TCellProperties;
  bool InGrid(int ACol, int ARow) const {
    return ACol >= 0 && ARow >= 0 && ACol < TotalColCount() && ARow < RowCount();
  }
  // Creates the cell's properties seeded with the cell defaults (the cell must be in the grid).
  TCellProperties* NewCellProperties(int ACol, int ARow);
  // Frees the properties in the store's columns [FromCol, ToCol) of rows [FromRow, ToRow).
  void FreeStoreRange(int FromCol, int ToCol, int FromRow, int ToRow);
  // Writes through Cells with a blank around it, so an empty cell stays empty.
  template <class F> void WithBlankText(int ACol, int ARow, F&& body);
  int FixedColsWidth() const;
  int FixedRowsHeight() const;
  // Asks for the area to be drawn again.
  void InvalidateArea(const TRect& r);
  // Whether any cell of the range (inclusive indexes) can show: a cheap test that costs only
  // what is visible, so repainting far-off cells never sums the rows between.
  bool CellsMayShow(const TRect& cells) const;
  // Before an arrow or the wheel moves the cursor out of a merged area: the cursor goes to the
  // area's edge so the move leaves it.
  void MoveToAreaEdge(unsigned Key);

  bool FDefaultDrawing = false;
  int FGridLineWidth = 1;
  TColor FGridLineColor = 0xC0C0C0;
  TColor FGridFixedLineColor = 0x808080;
  int FPaintID = 1;
  bool FHideLastRow = false;
  int FNormalRowCount = 0;
  TProGridUndoRedo* FUndoRedo = nullptr;
  bool FWordWrap = true;
  bool FActiveRowShow = false;
  TColor FActiveRowColor = clInfoBk;
  TColor FActiveRowColorTo = clNone;
  TColor FActiveRowMirrorColor = clNone;
  TColor FActiveRowMirrorColorTo = clNone;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  int FHoverRowIdx = -1;
  bool FHoverRow = false;
  THoverRowCells FHoverRowCells{hcNormal, hcSelected};
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  bool FShowSel = true;
  bool FHasCellProps = false;
  int FMergeCount = 0;
  bool FDestroying = false;
};
