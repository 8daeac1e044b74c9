// The column grid: a string grid whose columns each have a definition (TGridColumnItem) that
// decides header, width, look, editor, lists, read-only state and check texts. The per-cell
// queries of the string grid are answered from these definitions.
#pragma once

#include "grid/GridColumns.h"
#include "grid/ProGrid.h"

#include <functional>
#include <memory>
#include <string>

class TStream;

using TColumnPopupEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu*& PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TProColumnGrid : public TProStringGrid {
public:
  explicit TProColumnGrid(TComponent* AOwner);
  ~TProColumnGrid() override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Visible columns; writing keeps one column item per real column.
  void SetColCount(int Value) override;
  TGridColumnCollection& Columns() { return *FColumnCollection; }
  const TGridColumnCollection& Columns() const { return *FColumnCollection; }
  void SetColumns(const TGridColumnCollection& Value) { FColumnCollection->Assign(&Value); }
  // The first column (lowest index) whose Name is exactly AValue; nullptr for none.
  TGridColumnItem* ColumnByName(const std::string& AValue) const;
  bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
  void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
  bool ColMoving() const { return FColMoving; }

  // One item per real column: adds (copying the look of the column before) or drops the last.
  void SyncColumns();
  void UpdateColumnHeaders();
  void ColumnHeadersChanged() override;
  // The string grid's scaling, then the fonts of the displayed columns' items by M / D.
  void ChangeScale(int M, int D) override;

  // --- Answers from the column items ---------------------------------------------------------
  void GetCellDefaults(int ACol, int ARow, TFont& Font, TBrush& Brush, TColor& ColorTo, TColor& MirrorColor,
                       TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                       TCellGradientDirection& GradientDirection) override;
  std::string GetFormattedCell(int ACol, int ARow) override;
  void GetColFloatFormat(int ACol, int ARow, std::string& Fmt) override;
  TCellType GetCellType(int ACol, int ARow) const override;
  TCellGraphic* GetCellGraphic(int ACol, int ARow) const override;
  void UpdateColumnSize(int ACol, int& AWidth) override;
  void UpdateAutoColumnSize(int ACol, int& AWidth) override;
  void CellsLoaded() override;
  // GetCellColor, GetCellEditor, CanEditCell and GetCheckTrue are asked for every painted cell:
  // they are final and inline (below the class), so a caller holding the column grid pays no call.
  void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont) final;
  void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont) override;
  void GetCellBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders) override;
  void GetCellPrintBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders) override;
  void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
  void GetColumnFormat(int ACol, TSortStyle& AStyle, std::string& APrefix, std::string& ASuffix) override;
  void GetCellEditor(int ACol, int ARow, TEditorType& AEditor) final;
  void IsFixedCell(int ACol, int ARow, bool& IsFixed) override;
  void CanEditCell(int ACol, int ARow, bool& CanEdit) final;
  // Final: CanEditCell asks OnCanEditCell itself when nothing else is to be asked.
  void DoCanEditCell(int ACol, int ARow, bool& CanEdit) final {
    TProStringGrid::DoCanEditCell(ACol, ARow, CanEdit);
  }
  void IsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
  bool HasComboBox(int ACol, int ARow) override;
  void GetCheckTrue(int ACol, int ARow, std::string& Value) final;
  void GetCheckFalse(int ACol, int ARow, std::string& Value) override;
  bool GetColumnFilter(int ACol) override;
  // The user picked entry ItemIndex of the filter drop-down of FilterCol.
  void FilterSelect(int FilterCol, int ItemIndex) override;
  // The condition the last pick handed on (the handler may have changed it).
  const std::string& LastFilterCondition() const { return FLastFilterCondition; }
  int GetVersionNr() const override { return 0x03010301; }
  std::string GetVersionString() const override;
  std::string GetEditMask(int ACol, int ARow) override;
  // The combo list the last editor query loaded (a column's ComboItems).
  TStringList& ComboList() { return ComboStrings(); }
  int ComboDropDownCount() const { return FEditorSettings.DropDownCount; }
  int SpinMin() const { return FEditorSettings.SpinMin; }
  int SpinMax() const { return FEditorSettings.SpinMax; }
  int SpinStep() const { return FEditorSettings.SpinStep; }
  TEditLink* CellEditLink() const { return FEditorSettings.EditLink; }
  // The column's spin bounds and edit link go to the grid's editors (ProCGridEditors.cpp).
  void ApplyColumnEditor(const TGridColumnItem& Item);

  // --- Structural edits (ProCGridStructure.cpp) -------------------------------------------------
  // The column items follow: inserted columns get fresh items with the defaults, removed ones
  // lose theirs.
  void InsertCols(int ColIndex, int CCount) override;
  void RemoveCols(int ColIndex, int CCount) override;
  // The grouped column's item is kept while the column is away and comes back with it.
  void Group(int Colindex) override;
  void UnGroup() override;

  // --- Column persistence ---------------------------------------------------------------------
  // Every column setting in a self-describing text stream; a stream that does not read back
  // whole raises EProGridError and leaves the columns as they were.
  void SaveColumnsToStream(TStream& S);
  void LoadColumnsFromStream(TStream& S);
  // Column order as "CP<position>=<organisation index>" keys of an INI file section. Loading
  // applies only a complete permutation; anything else changes nothing (false).
  void SaveColumnPositions(const std::string& Key, const std::string& Section);
  bool LoadColumnPositions(const std::string& Key, const std::string& Section);
  // With an INI file as ColumnSize's store the "CP" keys above; otherwise the string grid's.
  void SaveColPositions() override;
  void LoadColPositions() override;

  // Pops up a column's menu for a click (what MouseDown does after the string grid's handling).
  void ColumnPopupClick(TMouseButton Button, int ACol, int ARow);
  // The menu popped up last and where (tests and the headless platform look at it).
  TPopupMenu* LastPopup() const { return FLastPopup; }

  TColumnPopupEvent OnColumnPopup;
  TAfterColumnMoved OnAfterColumnMoved;

protected:
  // A descendant may supply another collection class.
  virtual std::unique_ptr<TGridColumnCollection> CreateColumns();
  int GetEditLimit() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void ColWidthsChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  friend class TGridColumnCollection;
  friend class TGridColumnItem;
  // The item of a column in the collection, nullptr outside it.
  TGridColumnItem* Item(int ACol) const {
    // The collection's own look-up answers nullptr outside: one bound check, not two.
    return static_cast<TGridColumnItem*>(FColumnCollection->TCollection::Items(ACol));
  }
  // Past the last column before the fixed ones on the right (hidden columns count: the answers
  // take real indexes), and past the last row above the footers; all from the string grid's kept
  // range, one read each.
  int NormalColEnd() const { return PlainRange().ColEnd; }
  int BodyRowEnd() const { return PlainRange().RowEnd; }
  bool IsHeaderRow(int ARow) const { return ARow < PlainRange().Row0; }
  bool IsNormalCell(int ACol, int ARow) const {
    const TPlainRange& p = PlainRange();
    return ACol >= p.Col0 && ARow >= p.Row0;
  }
  // Between the fixed columns on the left and those on the right.
  bool IsNormalCol(int ACol) const {
    const TPlainRange& p = PlainRange();
    return ACol >= p.Col0 && ACol < p.ColEnd;
  }
  bool IsBodyCell(int ACol, int ARow) const {
    const TPlainRange& p = PlainRange();
    return ACol >= p.Col0 && ACol < p.ColEnd && ARow >= p.Row0 && ARow < p.RowEnd;
  }
  void CanEditCellWithProperties(int ACol, int ARow, bool& CanEdit);
  // The answers' long ways, out of line so that the inline ones need no frame.
  void GetCellEditorFull(int ACol, int ARow, TEditorType& AEditor);
  void CanEditCellFull(int ACol, int ARow, bool& CanEdit);
  void GetCheckTrueFull(int ACol, int ARow, std::string& Value);
  // The column's brush colour and font for a cell of a normal column.
  void ColumnCellColor(const TGridColumnItem& Item, bool Header, TBrush& ABrush, TFont& AFont);
  // GetCellColor with cell properties, active-cell headers and the colour handler.
  void GetCellColorFull(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont);
  void SyncColumnsQuiet();

  std::unique_ptr<TGridColumnCollection> FColumnCollection;
  std::unique_ptr<TGridColumnItem> FSaveCol;
  std::unique_ptr<TCellGraphic> FCellGraphic;
  bool FColMoving = false;
  bool FAutoFilterDisplay = false;
  // The editor settings of the column the last editor query loaded.
  TColumnEditorSettings FEditorSettings;
  TPopupMenu* FLastPopup = nullptr;
  std::string FLastFilterCondition;
};

// --- The per-cell answers asked for every painted cell ------------------------------------------

// A grid without cell properties, active-cell headers or a colour handler (the common case) takes
// its answer from the column alone, inline; anything else goes the full way.
inline void TProColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush,
                                         TFont& AFont) {
  if (HasCellProps() || ActiveCellShow() || OnGetCellColor) {
    GetCellColorFull(ACol, ARow, AState, ABrush, AFont);
    return;
  }
  if (const TGridColumnItem* item = Item(ACol); item && IsNormalCol(ACol) && ARow < BodyRowEnd())
    ColumnCellColor(*item, IsHeaderRow(ARow), ABrush, AFont);
}

inline void TProColumnGrid::ColumnCellColor(const TGridColumnItem& Item, bool Header, TBrush& ABrush,
                                            TFont& AFont) {
  if (Item.Fixed())
    ABrush.SetColor(FixedColor());
  else if (!Header && !(Item.ShowBands() && Bands().Active()))
    ABrush.SetColor(Item.Color());
  // Most cells already hold the column's font: one compare of the fonts' identities, no copy.
  AFont.Assign(Header ? Item.HeaderFont() : Item.Font());
}

// The plain case (a normal cell of a column without lists, spin, edit link or float format, and no
// handler) is a few moves inline; anything else goes the full way.
inline void TProColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  const TGridColumnItem* item = Item(ACol);
  if (item && IsNormalCell(ACol, ARow) && item->PlainEditor() && ComboStrings().Empty() && !OnGetEditorType) {
    AEditor = item->Editor();
    FEditorSettings = item->EditorSettings();
    return;
  }
  GetCellEditorFull(ACol, ARow, AEditor);
}

inline void TProColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  const TGridColumnItem* item = Item(ACol);
  CanEdit = item && IsNormalCell(ACol, ARow) && item->Editable();
  // Cell properties (a cell's own read-only state, merged areas) and the handler are asked apart.
  if (HasCellProps() || OnCanEditCell) CanEditCellFull(ACol, ARow, CanEdit);
}

// The string grid's answer first (its handler still hears the question); a body cell of the
// collection then takes its column's text whatever that answer was.
inline void TProColumnGrid::GetCheckTrue(int ACol, int ARow, std::string& Value) {
  const TGridColumnItem* item = Item(ACol);
  if (item && IsBodyCell(ACol, ARow) && !OnGetCheckTrue)
    Value = item->CheckTrue();
  else
    GetCheckTrueFull(ACol, ARow, Value);
}
