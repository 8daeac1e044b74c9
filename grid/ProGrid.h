// The program's string grid: the base grid with hidden rows and columns (two index spaces: display
// indexes as shown, real indexes counting hidden rows and columns at their places), per-cell
// queries a descendant may answer from its column definitions, and the events it reports.
//
// Hidden rows are kept aside sorted by real index, so the index mappings cost O(log n) however many
// rows are hidden; hiding and showing many rows moves the grid's rows once.
#pragma once

#include "controls/CellPainters.h"
#include "controls/ProStyleIF.h"
#include "grid/Bands.h"
#include "grid/BaseGrid.h"
#include "grid/CellGraphic.h"
#include "grid/CellNode.h"
#include "grid/ControlList.h"
#include "grid/DisjunctSelection.h"
#include "grid/DragDropSettings.h"
#include "grid/FindParams.h"
#include "grid/GridBinStream.h"
#include "grid/GridFileOptions.h"
#include "grid/GridFilter.h"
#include "grid/GridLookSettings.h"
#include "grid/GridLooks.h"
#include "grid/GridOptionTypes.h"
#include "grid/GridOwnedSettings.h"
#include "grid/GridSettings.h"
#include "grid/IntList.h"
#include "grid/MouseActions.h"
#include "grid/Navigation.h"
#include "grid/PrintSettings.h"
#include "grid/ProGridError.h"
#include "grid/ProGridEvents.h"
#include "grid/ProStringGridCheck.h"
#include "grid/SearchFooter.h"
#include "grid/SyncGrid.h"
#include "platform/StringList.h"
#include "platform/ui/BalloonHint.h"

#include <bitset>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class TFilePicture;
class TSearchPanel;
class TDropList;
class TDropCheckList;
class TArrowWindow;
class THeaderDragButton;
class TControlCombo;
class TControlEdit;
class TEditLink;
class TGridButton;
class TGridDatePicker;
class TGridDateTimePicker;
class TGridEditBtn;
class TGridSpin;
class TGridTransCombo;
class TGridTransEdit;
class TGridUnitEditBtn;
class TProRichEdit;
struct TProGridEditors;
class TForm;
class TGridFocusWindow;
class TImageList;
class TStringList;
class TStrings;
class TStream;

// A cell scroll bar's page size and range.
struct TScrollProp {
  int PageSize = 0;
  int Range = 0;
};

// The icons of cell balloons.
constexpr TBalloonIcon biNone = bhNone, biInfo = bhInfo, biWarning = bhWarning, biError = bhError;
class TIntList;
class TFooterPanel;
class TProStringGrid;
struct TPrintRun;

// Where rotated text must start so that its bounding box is aligned in R: moves R.Left and R.Top
// by the quadrant of Angle (degrees) and the extents a..d of the rotated text.
void RotatedTextOrigin(TRect& R, int HAlign, int VAlign, int a, int b, int c, int d, int Angle);

// Told of every cell that is becoming current.
class ITProStringGridSelect {
public:
  virtual ~ITProStringGridSelect() = default;
  virtual void CellSelected(int ACol, int ARow) = 0;
};

// Receives every changed rectangle of cells the grid reports; does nothing itself.
class TGridChangeNotifier : public TComponent {
public:
  using TComponent::TComponent;
  virtual void CellsChanged(TProStringGrid* Grid, const TRect& R) {}
};
class TTimer;

// One hidden row: its real index, height, cells (text and object by real column; cells never
// written may be missing at the end) and the filter level that hid it (-1 for rows hidden by
// HideRows).
struct TGridItem {
  int Idx = 0;
  int Height = 0;
  TGridCellRow Cells;
  int Level = -1;
  const std::string& Text(int ACol) const;
};

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

// The floating footer's settings; the grid owns one.
class TFloatingFooter : public TPersistent {
public:
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { Set(FVisible, Value); }
  TFooterStyle FooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle Value) { Set(FFooterStyle, Value); }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { Set(FHeight, Value); }
  bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
  void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
  bool EnableCalculation() const { return FEnableCalculation; }
  void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Set(FColor, Value); }
  // A line along the footer's top; clNone for none.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
  // The column fsColumnPreview shows.
  int Column() const { return FColumn; }
  void SetColumn(int Value) { Set(FColumn, Value); }
  // The fsCustomPreview text: "<#n>" stands for the current row's cell in column n.
  const std::string& CustomTemplate() const { return FCustomTemplate; }
  void SetCustomTemplate(const std::string& Value) { Set(FCustomTemplate, Value); }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { Set(FShowHint, Value); }
  // The calculation of a column's footer cell, kept in that cell's look (FooterPanel.cpp).
  TColumnCalcType ColumnCalc(int ACol) const;
  void SetColumnCalc(int ACol, TColumnCalcType Value);
  void SetGrid(TProStringGrid* Grid) { FGrid = Grid; }
  // Copies from another footer; other sources are ignored.
  void Assign(const TPersistent* Source) override;
  TCalcFooterEvent OnCalcFooter;
  TNotifyEvent OnChange;

private:
  template <class T> void Set(T& field, T Value) {
    if (field == Value) return;
    field = Value;
    if (OnChange) OnChange(this);
  }
  bool FVisible = false;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  int FHeight = 22;
  bool FCalculateHiddenRows = true;
  bool FEnableCalculation = true;
  TColor FColor = clBtnFace;
  TColor FBorderColor = clNone;
  int FColumn = 0;
  std::string FCustomTemplate;
  bool FShowHint = false;
  TProStringGrid* FGrid = nullptr;
};

// The fsCustomPreview text with every "<#n>" replaced by Cell(n); a marker whose inside is no
// number stands for nothing, and a "<#" without a ">" after it stays text.
std::string ExpandFooterTemplate(const std::string& Template, const std::function<std::string(int)>& Cell);

enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TGridExportState {
  esExportStart,
  esExportNewRow,
  esExportDone,
  esExportSelRow,
  esExportFail,
  esExportNextRow
};
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
enum TClipOperation { coCut, coCopy };

// The working values of one cell being painted, shared by the painter's layers (colours and text,
// graphic, borders). ACol is the display column, RCol the real one.
struct TCellPaint {
  TCanvas* Canvas = nullptr;
  int ACol = 0;
  int RCol = 0;
  int ARow = 0;
  TGridDrawState State = 0;
  TRect Rect{};     // the working rectangle, moved by the layers
  TRect CellRect{}; // the inner rectangle the base grid handed in
  bool Printing = false;
  bool Fixed = false;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WordWrap = true;
  TColor ColorTo = clNone;
  TColor MirrorColor = clNone;
  TColor MirrorColorTo = clNone;
  TCellGradientDirection GD = GradientVertical;
  TColor SavedBrush = clNone; // the unselected colours
  TColor SavedFont = clNone;
  bool FilterGlyph = false;
  int ScrollPos = 0;
  // The graphic: its size, placement and whether text shows beside it.
  TCellGraphic* Graphic = nullptr;
  int GW = 0;
  int GH = 0;
  TCellHAlign GHAlign = haLeft;
  TCellVAlign GVAlign = vaTop;
  bool TextToo = true;
  int TextWidth = 0; // of the text drawn, for a graphic placed before or after it
};

// Where the focus frame goes around a cell: window rectangle (client coordinates) and the hole
// that leaves the frame.
struct TFocusFrameGeometry {
  TRect Window{};
  TRect Hole{}; // relative to the window
  TColor Color = 0xFDD397;
  int Opacity = 230;
  int Corner = 5;
  int PenWidth = 4;
  int Blur = 3;
};
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TFilterDropDownColumns { fdNormal, fdAll };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };

class TProInplaceEdit;
class TGridCombo;
class TGridCheckBox;

class TProStringGrid : public TBaseGrid, public TProStringGridEvents {
  // The editors hand keys on to the grid's own handling.
  friend class TGridCombo;
  friend class TGridCheckBox;
  friend class TProInplaceEdit;
  // A drop works on the grid's rows, selection and drag state as a paste does.
  friend class TGridDropTarget;

public:
  explicit TProStringGrid(TComponent* AOwner);
  ~TProStringGrid() override;

  // --- Version -----------------------------------------------------------------------------
  virtual int GetVersionNr() const { return 0x06020103; }
  virtual std::string GetVersionString() const;
  std::string Version() const;
  void SetVersion(const std::string&) {}

  // --- Shape -------------------------------------------------------------------------------
  // Counts are of displayed columns and rows; hidden ones keep their cells behind them. With a
  // fixed-last-row footer the footer row stays last.
  void SetColCount(int Value) override;
  void SetRowCount(int Value) override;
  void SetFixedRows(int Value) override;
  void SetFixedCols(int Value) override;
  // 1 while the base grid has none and FixedRowAlways (FixedColAlways) keeps one.
  int FixedRows() const override;
  int FixedCols() const override;
  // The same answers without the virtual call, for the per-cell queries asked for every cell.
  int FixedRowsNow() const {
    const int n = TGridCore::FixedRows();
    return n == 0 && FFixedRowAlways ? 1 : n;
  }
  int FixedColsNow() const {
    const int n = TGridCore::FixedCols();
    return n == 0 && FFixedColAlways ? 1 : n;
  }
  void RefreshPlainRange() {
    FPlainRange = {FixedColsNow(), FixedRowsNow(), ColCount() + FNumHidden - FFixedRightCols,
                   RowCount() - FFixedFooters};
  }
  int MaxRowCount() const { return FMaxRowCount; }
  int MaxColCount() const { return FMaxColCount; }
  virtual void AppendRow() { SetRowCount(RowCount() + 1); }
  TFloatingFooter& FloatingFooter() { return FFloatingFooter; }
  // Recalculates the footer cell of a column (-1: of every column).
  void CalcFooter(int ACol) { CalcFooterCells(ACol); }
  virtual void CalcFooterCells(int ACol);
  // Calculations over rows FromRow .. ToRow of a column (-1 for either: the normal rows); a ToRow
  // beyond the displayed rows reaches into the hidden ones by real index.
  double ColumnSum(int ACol, int FromRow, int ToRow);
  double ColumnAvg(int ACol, int FromRow, int ToRow);
  double ColumnMin(int ACol, int FromRow, int ToRow);
  double ColumnMax(int ACol, int FromRow, int ToRow);
  double ColumnStdDev(int ACol, int FromRow, int ToRow);
  double ColumnDistinct(int ACol, int FromRow, int ToRow);
  // OnColumnCalc's answer (0 without a handler); the rows are passed on as given.
  double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
  // Over the base cells fromCol .. toCol of a row (ProGridCalc.cpp): text is skipped, an empty
  // range gives 0.
  double RowSum(int ARow, int fromCol, int toCol);
  double RowAvg(int ARow, int fromCol, int toCol);
  double RowMin(int ARow, int fromCol, int toCol);
  double RowMax(int ARow, int fromCol, int toCol);
  int FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value) {
    FFixedRightCols = std::max(0, Value);
    RefreshPlainRange();
  }
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value) {
    FFixedFooters = std::max(0, Value);
    RefreshPlainRange();
  }
  int FixedRowHeight() const { return RowHeights(0); }
  void SetFixedRowHeight(int Value);
  int FixedColWidth() const { return ColWidths(0); }
  // Nothing when Value is the default column width.
  void SetFixedColWidth(int Value);
  bool FixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool Value) {
    FFixedRowAlways = Value;
    RefreshPlainRange();
  }
  bool FixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool Value) {
    FFixedColAlways = Value;
    RefreshPlainRange();
  }
  // The cells between the fixed ones on every side: from the fixed columns (rows) on the left
  // (top) to before the fixed ones on the right (the footers), in real column indexes (hidden
  // columns count). Painting asks for it for every cell, so every writer of these counts keeps
  // it (RefreshPlainRange) instead of each query working it out again.
  struct TPlainRange {
    int Col0 = 0, Row0 = 0, ColEnd = 0, RowEnd = 0;
  };
  const TPlainRange& PlainRange() const { return FPlainRange; }
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
  bool SizeWithForm() const { return FSizeWithForm; }
  void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
  bool EnhRowColMove() const { return FEnhRowColMove; }
  void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
  // With IntegralHeight the height is cut to whole default rows.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Records the minimum fixed rows and columns; a window building its grid in code calls it once.
  virtual void Loaded();
  bool IsLoaded() const { return FLoaded; }

  // --- Settings the queries read --------------------------------------------------------------
  bool ActiveCellShow() const { return FActiveCellShow; }
  void SetActiveCellShow(bool Value) { SetAndRepaint(FActiveCellShow, Value); }
  TFont& ActiveCellFont() { return FActiveCellFont; }
  void SetActiveCellFont(const TFont& Value) { FActiveCellFont.Assign(Value); }
  TColor ActiveCellColor() const { return FActiveCellColor; }
  void SetActiveCellColor(TColor Value) { SetAndRepaint(FActiveCellColor, Value); }
  TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
  void SetActiveCellColorTo(TColor Value) { SetAndRepaint(FActiveCellColorTo, Value); }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  // The highlight tag of cell mark-up paints with these two colours.
  TColor HighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value);
  TColor HighlightTextColor() const { return FHighlightTextColor; }
  void SetHighlightTextColor(TColor Value);
  bool ShowDesignHelper() const { return FShowDesignHelper; }
  void SetShowDesignHelper(bool Value) { SetAndRepaint(FShowDesignHelper, Value); }
  bool Hovering() const { return FHovering; }
  void SetHovering(bool Value) { FHovering = Value; }
  TPoint XYOffset() const { return FXYOffset; }
  void SetXYOffset(TPoint Value);
  void UpdateXYOffset(int X, int Y) { FXYOffset = {X, Y}; }
  // The settings objects are copied into the grid's own.
  void SetBackGround(const TBackGround& Value);
  void SetShowModified(const TShowModified& Value) { FShowModified.Assign(&Value); }
  void SetBalloon(const TBalloonSettings& Value) { FBalloon.Assign(&Value); }
  void SetFixedFont(const TFont& Value) { FFixedFont.Assign(Value); }
  TColor DisabledFontColor() const { return FDisabledFontColor; }
  TColor BorderColor() const { return FBorderColor; }
  TColor HintColor() const { return FHintColor; }
  TColor URLColor() const { return FURLColor; }
  TFont& FixedFont() { return FFixedFont; }
  TEditorType DefaultEditor() const { return FDefaultEditor; }
  void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
  const std::string& CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const std::string& Value) { FCheckTrue = Value; }
  const std::string& CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const std::string& Value) { FCheckFalse = Value; }
  const std::string& FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const std::string& Value) { FFloatFormat = Value; }
  const std::string& FilterDropDownClear() const { return FFilterDropDownClear; }
  void SetFilterDropDownClear(const std::string& Value) { FFilterDropDownClear = Value; }
  bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
  void SetFilterDropDownAuto(bool Value) { FFilterDropDownAuto = Value; }
  TFilterDropDownColumns FilterDropDownColumns() const { return FFilterDropDownColumns; }
  void SetFilterDropDownColumns(TFilterDropDownColumns Value) { FFilterDropDownColumns = Value; }
  bool FilterIncremental() const { return FFilterIncremental; }
  void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
  bool EditDisable() const { return FEditDisable; }
  void SetEditDisable(bool Value) { FEditDisable = Value; }
  // Set when selecting a cell switched goEditing on or off.
  bool EditChange() const { return FEditChange; }
  void SetEditChange(bool Value) { FEditChange = Value; }
  bool EnableHTML() const { return FEnableHTML; }
  bool EnableWheel() const { return FEnableWheel; }
  bool ShowSelection() const { return FShowSelection; }
  int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
  THoverFixedCells HoverFixedCells() const { return FHoverFixedCells; }
  void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
  TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
  // A bar it names stays shown (disabled) when everything fits.
  void SetScrollBarAlways(TScrollBarAlways Value);
  TScrollType ScrollType() const { return FScrollType; }
  int ScrollWidth() const { return FScrollWidth; }
  TInvalidEntryIcon InvalidEntryIcon() const { return FInvalidEntryIcon; }
  const std::string& PasswordChar() const { return FPasswordChar; }
  TVAlignment VAlignment() const { return FVAlignment; }
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  TProStringGridCheck* CellChecker() const { return FCellChecker; }
  void SetCellChecker(TProStringGridCheck* Value) { FCellChecker = Value; }
  TMouseActions& MouseActions() { return *FMouseActions; }
  TBands& Bands() { return *FBands; }
  // What the drop-down and spin buttons of idle cells follow.
  bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value) { FDropDownAlwaysVisible = Value; }
  bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool Value) { FSpinButtonsAlwaysVisible = Value; }
  int MinFixedRows() const { return FMinFixedRows; }
  int MinFixedCols() const { return FMinFixedCols; }

  // --- Per-cell queries (a descendant answers from its columns) ---------------------------------
  // The per-cell queries asked for every painted cell answer inline when no handler is set.
  virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit) {
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
  }
  virtual void SearchFooterAction(const std::string& Value, int ACol, int ARow, TSearchAction Action);
  virtual void ButtonClick(int ACol, int ARow);
  virtual void ComboCloseUp(int ARow, int ACol);
  virtual void ComboDropDown(int ARow, int ACol);
  virtual void GetCellHint(int ACol, int ARow, std::string& AHint, std::string& AWideHint);
  virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont) {
    if (FActiveCellShow || OnGetCellColor || FindCellProperties(ACol, ARow))
      CellColorOf(ACol, ARow, AState, ABrush, AFont);
  }
  virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont);
  virtual void GetCellBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders);
  virtual void GetCellPrintBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders);
  virtual void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void GetColumnFormat(int ACol, TSortStyle& AStyle, std::string& APrefix, std::string& ASuffix);
  virtual void QueryCellEditor(int ACol, int ARow, TEditorType& AEditor);
  virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
  }
  virtual bool HasNoEditor(int ACol, int ARow);
  virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
  virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
  virtual void GetCellWordWrap(int ACol, int ARow, bool& AWordWrap);
  virtual bool HasComboBox(int ACol, int ARow);
  // Whether the cell shows a check box, radio group, button or radio button.
  virtual bool HasControlGraphic(int ACol, int ARow);
  virtual bool HasSpinEdit(int ACol, int ARow);
  virtual void GetCheckTrue(int ACol, int ARow, std::string& Value) {
    Value = FCheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
  }
  virtual void GetCheckFalse(int ACol, int ARow, std::string& Value);
  // Fills the filter list with the values the column's filter offers; true when it holds any.
  virtual bool GetColumnFilter(int ACol);
  const std::vector<std::string>& FilterList() const { return FFilterList; }
  void SetFilterList(std::vector<std::string> Value) { FFilterList = std::move(Value); }
  virtual void CanAddRow(bool& CanAdd);
  virtual void CanInsertRow(int ARow, bool& CanInsert);
  virtual void CheckBoxChange(int ACol, int ARow, bool State);
  virtual bool RatingChange(int ACol, int ARow, double& NewRate);
  // The cell's font: the grid's, or one scratch font set from the cell's properties.
  TFont& GetCellFont(int ACol, int ARow);
  // Footers and right fixed columns are fixed; otherwise IsFixedCell decides (ACol a display column).
  bool IsFixed(int ACol, int ARow) const override;
  void DrawCellContent(TCanvas& Canvas, int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;

  // --- Painting (ProGridPaint.cpp, ProGridCellColors.cpp, ProGridCellText.cpp, ProGridBorders.cpp) ---
  bool HideFocusRect() const { return FHideFocusRect; }
  void SetHideFocusRect(bool Value) { SetAndRepaint(FHideFocusRect, Value); }
  bool NoDefaultDraw() const { return FNoDefaultDraw; }
  void SetNoDefaultDraw(bool Value) { SetAndRepaint(FNoDefaultDraw, Value); }
  bool NoImageAndText() const { return FNoImageAndText; }
  void SetNoImageAndText(bool Value) { SetAndRepaint(FNoImageAndText, Value); }
  TBitmap& RowIndicator() { return FRowIndicator; }
  void SetRowIndicator(const TBitmap& Value);
  // The fixed cell under the mouse (-1: none) and whether its drop-down button is pressed.
  void SetHoverFixedCell(int ACol, int ARow) {
    FHoverFixedX = ACol;
    FHoverFixedY = ARow;
  }
  void SetFixedDropDownDown(bool Value) { FDropDownDown = Value; }
  // Repaints each cell the moment it changes, as set.
  TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
  void SetSelectionMirrorColor(TColor Value) { SetAndRepaint(FSelectionMirrorColor, Value); }
  TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
  void SetSelectionMirrorColorTo(TColor Value) { SetAndRepaint(FSelectionMirrorColorTo, Value); }
  bool SelectionColorMixer() const { return FSelectionColorMixer; }
  void SetSelectionColorMixer(bool Value) { SetAndRepaint(FSelectionColorMixer, Value); }
  // Kept within 0 .. 100.
  void SetSelectionColorMixerFactor(int Value);
  bool SelectionRectangle() const { return FSelectionRectangle; }
  void SetSelectionRectangle(bool Value) { SetAndRepaint(FSelectionRectangle, Value); }
  bool SelectionResizer() const { return FSelectionResizer; }
  void SetSelectionResizer(bool Value) { SetAndRepaint(FSelectionResizer, Value); }
  TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
  void SetSelectionRectangleColor(TColor Value) { SetAndRepaint(FSelectionRectangleColor, Value); }
  bool SelectionRTFKeep() const { return FSelectionRTFKeep; }
  void SetSelectionRTFKeep(bool Value) { FSelectionRTFKeep = Value; }
  // The length limit of the normal in-place editor (0: none).
  int MaxEditLength() const { return FMaxEditLength; }
  void SetMaxEditLength(int Value);
  // Look-up completion of typed text from LookupItems (in the text editors); with LookupHistory
  // an edited text that is no item yet becomes one when the editor closes.
  bool Lookup() const { return FLookup; }
  void SetLookup(bool Value) { FLookup = Value; }
  bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
  void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
  bool LookupHistory() const { return FLookupHistory; }
  void SetLookupHistory(bool Value) { FLookupHistory = Value; }
  TStringList& LookupItems() { return FLookupItems; }
  void SetLookupItems(const TStringList& Value) { FLookupItems.Assign(Value); }
  // A spreadsheet: selection frame and sizing handle, smart clipboard, range selection and editing.
  bool SpreadSheet() const { return FSpreadSheet; }
  void SetSpreadSheet(bool Value);
  // Sizes the columns to their contents now and whenever it is switched on.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  void SetSortSettings(const TSortSettings& Value) { FSortSettings.Assign(&Value); }
  void SetDragScrollOptions(const TDragScrollOptions& Value) { FDragScrollOptions.Assign(&Value); }
  void SetShowSelection(bool Value);
  void SetDefaultAlignment(TAlignment Value) { SetAndRepaint(FDefaultAlignment, Value); }
  void SetVAlignment(TVAlignment Value);
  // The text-drawing flag of VAlignment: 0 top, DT_VCENTER, DT_BOTTOM.
  unsigned VAlign() const { return FVAlign; }
  bool AutoNumAlign() const { return FAutoNumAlign; }
  void SetAutoNumAlign(bool Value) { SetAndRepaint(FAutoNumAlign, Value); }
  bool UseDisabledFont() const { return FUseDisabledFont; }
  void SetUseDisabledFont(bool Value) { SetAndRepaint(FUseDisabledFont, Value); }
  bool UseEnabledRows() const { return FUseEnabledRows; }
  void SetUseEnabledRows(bool Value) { FUseEnabledRows = Value; }
  void SetDisabledFontColor(TColor Value) { SetAndRepaint(FDisabledFontColor, Value); }
  void SetEnableHTML(bool Value) { SetAndRepaint(FEnableHTML, Value); }
  void SetPasswordChar(const std::string& Value) { FPasswordChar = Value; }
  bool EnhTextSize() const { return FEnhTextSize; }
  void SetEnhTextSize(bool Value) { SetAndRepaint(FEnhTextSize, Value); }
  bool SaveVirtCells() const { return FSaveVirtCells; }
  void SetSaveVirtCells(bool Value) { FSaveVirtCells = Value; }
  bool SaveWithHTML() const { return FSaveWithHTML; }
  void SetSaveWithHTML(bool Value) { FSaveWithHTML = Value; }
  bool SaveWithRTF() const { return FSaveWithRTF; }
  void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
  int FilterRow() const { return FFilterRow; }
  void SetFilterRow(int Value) { SetAndRepaint(FFilterRow, Value); }
  TNotifyEvent OnPainted;

  // The look of a cell (ACol a display column); Select applies the selection colours.
  void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, bool Remap,
                           TBrush& Brush, TColor& ColorTo, TColor& MirrorColor, TColor& MirrorColorTo,
                           TFont& Font, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                           TCellGradientDirection& GradientDirection) override;
  // The font and brush of a cell for measuring (RCol its real column).
  void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& State, TFont& AFont, TBrush& ABrush,
                         bool Remap);
  void CalcCellAlignment(int RCol, int ARow, TAlignment& HA, TVAlignment& VA);
  static TColor MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, int Factor);

  // The shown, calculated and saved texts of a cell (ACol a real column).
  virtual std::string GetFormattedCell(int ACol, int ARow);
  std::string DisplCells(int ACol, int ARow) { return GetFormattedCell(ACol, ARow); }
  virtual std::string GetCalculatedCell(int ACol, int ARow);
  virtual std::string GetSaveCellText(int ACol, int ARow);
  virtual void LoadCellText(int ACol, int ARow, const std::string& Value);
  // Room the cell's text needs: VS for the height at the cell's width, SB leaving room for a
  // scroll bar.
  TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
  TSize GetCellTextSizeEx(int ACol, int RCol, int ARow, bool VS, bool SB);

  // The painter's layers, each on the working values of one cell.
  void DrawCellText(TCellPaint& P);
  void DrawSortIndicator(TCanvas& ACanvas, int ACol, int Y, int X);
  // The keys of a sort by several columns, first key first; the header shows their glyphs.
  TSortIndexList& SortIndexes() { return FSortIndexes; }
  // A rich-text cell shown as its plain text in R on any canvas (ACol real).
  void DrawRichCell(int ACol, int ARow, const TRect& R, TCanvas& ACanvas);
  void DrawCellBorders(TCellPaint& P, TRect R);
  void DrawCellBackground(TCellPaint& P, const TRect& R);
  void PaintEmptyArea();
  // Tree lines of a node row in column 0.
  void DrawTreeLines(TCellPaint& P);
  // The grid's paint without the update lock: cells, editor frame, empty area, OnPainted.
  void PaintGrid();
  // The one-pixel border of the soft and gradient looks, in BorderColor. The platform's grid has
  // no frame of its own, so the border lies on the outermost pixels of the grid.
  void PaintGridBorder(TCanvas& ACanvas);
  // The rectangle mini-HTML of a cell is laid out in (ACol display).
  TRect HTMLTextRect(int ACol, int ARow) const;
  // XOR lines of column and row sizing: drawing one twice erases it.
  void DrawColumnSizeLine(int X);
  void DrawRowSizeLine(int Y);

  // --- Balloons, focus frame and row hooks (ProGridBalloons.cpp) ---------------------------------
  // The balloon over client point (X, Y): title, text and icon as the tool tip shows them; false
  // when balloons are off.
  bool CellBalloon(int X, int Y, std::string& ATitle, std::string& AText, int& AIcon);
  TPoint LastBalloonPos() const { return FLastBalloonPos; }
  // Only the link under the mouse is underlined (in mini-HTML cells).
  bool URLUnderlineOnHover() const { return FURLUnderlineOnHover; }
  void SetURLUnderlineOnHover(bool Value) { SetAndRepaint(FURLUnderlineOnHover, Value); }
  // The cell and the 1-based number of the mini-HTML link under the mouse (-1: none).
  TPoint HoverCell() const { return FHoverCell; }
  int HoverLink() const { return FHoverlink; }
  // The tool tip showing the balloon of the cell under the mouse (nullptr until one showed).
  TBalloonHint* BalloonTip() const { return FBalloonTip; }
  // The frame around R (client coordinates) and around the current cell.
  static TFocusFrameGeometry FocusFrameGeometry(const TRect& R);
  TFocusFrameGeometry CurrentFocusFrame() const;
  // The focus frame's window (ProGridFocusHelper.cpp): shown around R (client coordinates) without
  // taking the activation, moved onto the current cell, hidden. nullptr until first shown.
  void ShowFocusHelper(const TRect& R);
  void MoveFocusHelper();
  void HideFocusHelper();
  TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
  // Whether the in-place editor shows the focus frame; off in a new grid.
  TFocusHelper& FocusHelper() { return *FFocusHelper; }
  virtual void FixedCellEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
  // Repaints the selection for the looks that draw it specially; fires OnSelectionChanged.
  virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
  bool SelChange() const { return FSelChange; }
  virtual void EditorKeyUp(const std::string&, int) {}
  virtual void AutoInsertRow(int ARow);
  virtual void AutoDeleteRow(int ARow);
  virtual void FilterDone() {
    if (OnFilterDone) OnFilterDone(this);
  }
  virtual void ExportNotification(TGridExportState, int) {}
  virtual void ImportNotification(TGridImportState, int) {}

  // --- Hidden columns ------------------------------------------------------------------------
  void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
  void HideColumns(int FromCol, int ToCol);
  void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
  void UnHideColumns(int FromCol, int ToCol);
  void UnHideColumnsAll();
  bool IsHiddenColumn(int ColIndex) const;
  int NumHiddenColumns() const { return FNumHidden; }
  int TotalColCount() const override { return ColCount() + FNumHidden; }
  int AllColCount() const { return TotalColCount(); }
  // -1 for a display index with no real column behind it.
  int DisplToRealCol(int ACol) const;
  int RealToDisplCol(int ACol) const;
  int RealColIndex(int ACol) const { return DisplToRealCol(ACol); }
  int DisplColIndex(int ACol) const override { return RealToDisplCol(ACol); }
  int RealCol() const { return DisplToRealCol(Col()); }
  int AllColWidths(int ACol) const;
  void SetAllColWidths(int ACol, int Value);

  // --- Hidden rows ---------------------------------------------------------------------------
  void HideRow(int RowIndex) { HideRows(RowIndex, RowIndex); }
  void HideRows(int FromRow, int ToRow);
  void HideRowsEx(int FromRow, int ToRow) { HideRows(FromRow, ToRow); }
  // Hides the listed display rows as one new filter level.
  void HideRowList(const TIntList& RowList);
  void HideRowList(const std::vector<int>& RowList);
  void UnHideRow(int RowIndex) { UnHideRows(RowIndex, RowIndex); }
  // Shows the hidden rows of a real range; nothing unless FromRow is hidden.
  void UnHideRows(int FromRow, int ToRow);
  void UnHideRowsAll();
  // Shows the rows of the newest filter level; the caller lowers FilterLevel.
  void UnHideRowList();
  bool IsHiddenRow(int RowIndex) const;
  int NumHiddenRows() const { return static_cast<int>(FGridItems.size()); }
  int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
  int AllRowCount() const { return TotalRowCount(); }
  int DisplToRealRow(int ARow) const;
  int RealToDisplRow(int ARow) const;
  int RealRowIndex(int ARow) const { return DisplToRealRow(ARow); }
  int DisplRowIndex(int ARow) const { return RealToDisplRow(ARow); }
  int RealRow() const { return DisplToRealRow(Row()); }
  int FilterLevel() const { return FFilterLevel; }
  void SetFilterLevel(int Value) { FFilterLevel = std::max(0, Value); }
  const std::vector<TGridItem>& GridItems() const { return FGridItems; }

  // --- Cells by real column and real row --------------------------------------------------------
  std::string AllCells(int ACol, int ARow) const;
  void SetAllCells(int ACol, int ARow, const std::string& Value);
  // The cell's text without mini-HTML tags.
  std::string StrippedCells(int ACol, int ARow) const;

  // --- Typed values (EProGridError for a cell that holds no such value) ---------------------------
  int Ints(int ACol, int ARow) const;
  void SetInts(int ACol, int ARow, int Value);
  int AllInts(int ACol, int ARow) const;
  void SetAllInts(int ACol, int ARow, int Value);
  double Floats(int ACol, int ARow) const;
  void SetFloats(int ACol, int ARow, double Value);
  double AllFloats(int ACol, int ARow) const;
  void SetAllFloats(int ACol, int ARow, double Value);
  // Dates and times in the regional formats; EConvertError for a text that is none.
  double Dates(int ACol, int ARow) const;
  void SetDates(int ACol, int ARow, double Value);
  double Times(int ACol, int ARow) const;
  void SetTimes(int ACol, int ARow, double Value);
  bool ShowNullDates() const { return FShowNullDates; }
  void SetShowNullDates(bool Value) { FShowNullDates = Value; }
  // The pattern the Floats setter formats with.
  virtual void GetColFloatFormat(int ACol, int ARow, std::string& Fmt);
  // The printed width (MaxWidths) and left x (Indents) of a column after the last print run, in
  // page units; EProGridError outside the columns the run laid out.
  int PrintColWidth(int ACol) const;
  int PrintColOffset(int ACol) const;

  // --- Printing and print preview (ProGridPrint*.cpp) -----------------------------------------
  // The print family prints on the program's printer (a PDF file, see TPrinter); the preview
  // family draws the pages PrintPageFrom..PrintPageTo into a rectangle of any canvas; PrintDraw
  // draws a cell range as one page onto any canvas. Page geometry is in tenths of a millimetre
  // with the y axis upward.
  void Print();
  void PrintSelection();
  void PrintRect(const TGridRect& Gridrect);
  void PrintSelectedRows();
  void PrintSelectedCols();
  void PrintPreview(TCanvas& ACanvas, const TRect& Displayrect);
  void PrintPreviewRect(TCanvas& ACanvas, const TRect& Displayrect, const TGridRect& Gridrect);
  void PrintPreviewSelection(TCanvas& ACanvas, const TRect& Displayrect);
  void PrintPreviewSelectedRows(TCanvas& ACanvas, const TRect& Displayrect);
  void PrintPreviewSelectedCols(TCanvas& ACanvas, const TRect& Displayrect);
  void PrintDraw(TCanvas& ACanvas, const TRect& DrawRect);
  void PrintDrawRect(TCanvas& ACanvas, const TRect& DrawRect, const TGridRect& Gridrect);
  // Font height in page units for a point size (scaled by Fontscalefactor), and back.
  int MapFontHeight(int PointSize) const;
  int MapFontSize(int Height) const;
  // Moves R's left and top to where Text rotated by Angle degrees starts so that it is aligned in
  // R (HAlign 0 left, 1 right, 2 centre; VAlign 0 top, 1 centre, 2 bottom).
  void AlignRotatedText(TRect& R, int Angle, int VAlign, int HAlign, const std::string& Text);
  bool FastPrint() const { return FFastPrint; }
  void SetFastPrint(bool Value) { FFastPrint = Value; }
  bool PrinterDriverFix() const { return FPrinterDriverFix; }
  void SetPrinterDriverFix(bool Value) { FPrinterDriverFix = Value; }
  bool IsPrintPreview() const { return FIsPrintPreview; }
  int PreviewPage() const { return FPrintPageFrom; }
  void SetPreviewPage(int Value) { FPrintPageFrom = FPrintPageTo = Value; }
  int PrintPageFrom() const { return FPrintPageFrom; }
  void SetPrintPageFrom(int Value) { FPrintPageFrom = Value; }
  int PrintPageTo() const { return FPrintPageTo; }
  void SetPrintPageTo(int Value) { FPrintPageTo = Value; }
  int PrintNrOfPages() const { return FPrintNrOfPages; }
  const TRect& PrintPageRect() const { return FPrintPageRect; }
  int PrintPageWidth() const { return FPrintPageWidth; }
  int PrintColStart() const { return FPrintColStart; }
  int PrintColEnd() const { return FPrintColEnd; }
  const TGridRect& PrintRect() const { return FPrintRect; }
  const TRect& PrevRect() const { return FPrevRect; }
  double Fontscalefactor() const { return FFontscalefactor; }
  void SetFontscalefactor(double Value) { FFontscalefactor = Value; }

  // --- Headers -------------------------------------------------------------------------------
  const std::vector<std::string>& ColumnHeaders() const { return FColumnHeaders; }
  void SetColumnHeaders(const std::vector<std::string>& Value);
  void ShowColumnHeaders();
  void ClearColumnHeaders();
  virtual void ColumnHeadersChanged() {}
  // The header list alone, no cell written (the column grid keeps it from its columns).
  void StoreColumnHeaders(const std::vector<std::string>& Value) { FColumnHeaders = Value; }
  const std::vector<std::string>& RowHeaders() const { return FRowHeaders; }
  void SetRowHeaders(const std::vector<std::string>& Value);
  void ShowRowHeaders();
  void ClearRowHeaders();

  // --- Highlighting, marking and checking (cells by real column) -------------------------------
  // S with every occurrence of Text in its visible text enclosed in the highlight (mark) tag.
  static std::string HilightText(bool DoCase, const std::string& S, const std::string& Text);
  static std::string UnHilightText(const std::string& S);
  static std::string MarkText(bool DoCase, const std::string& S, const std::string& Text);
  static std::string UnMarkText(const std::string& S);
  void HilightInCell(bool DoCase, int Col, int Row, const std::string& HiText);
  void HilightInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText);
  void HilightInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText);
  void HilightInGrid(bool DoFixed, bool DoCase, const std::string& HiText);
  void UnHilightInCell(int Col, int Row);
  void UnHilightInCol(bool DoFixed, int Col);
  void UnHilightInRow(bool DoFixed, int Row);
  void UnHilightInGrid(bool DoFixed);
  void MarkInCell(bool DoCase, int Col, int Row, const std::string& HiText);
  void MarkInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText);
  void MarkInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText);
  void MarkInGrid(bool DoFixed, bool DoCase, const std::string& HiText);
  void UnMarkInCell(int Col, int Row);
  void UnMarkInCol(bool DoFixed, int Col);
  void UnMarkInRow(bool DoFixed, int Row);
  void UnMarkInGrid(bool DoFixed);
  // Runs the cell checker over every cell of the rectangle; true when no cell was corrected or
  // marked (always true without a checker).
  bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
  bool CheckCell(int Col, int Row);
  bool CheckCol(bool DoFixed, int Col);
  bool CheckRow(bool DoFixed, int Row);
  bool CheckGrid(bool DoFixed);
  // The VALUE of the control with identifier ID in the cell's mini-HTML ("" without one); writing
  // stores the cell only when the control is there.
  std::string ControlValues(int ACol, int ARow, const std::string& ID) const;
  void SetControlValues(int ACol, int ARow, const std::string& ID, const std::string& Value);
  // Shows addresses in cell texts as links.
  bool URLShowInText() const { return FURLShowInText; }
  void SetURLShowInText(bool Value);
  void GetDisplText(int ACol, int ARow, std::string& Value) const override;
  // The cell under a point in screen coordinates (-1 outside the cells).
  void ScreenToCell(TPoint pt, int& ACol, int& ARow) const;

  // --- Filling and ranges (each fill ends in CellsLoaded) -------------------------------------------
  void TextFill(bool DoFixed, const std::string& Txt);
  // Fmt takes the column and row index; a pattern that does not fit leaves the cells as they are.
  void FormatFill(bool DoFixed, const std::string& Fmt);
  // Random whole numbers 0 .. Rnd - 1; 0 for Rnd of 0 or less.
  void RandomFill(bool DoFixed, int Rnd);
  void LinearFill(bool DoFixed);
  void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
  virtual TGridRect UsedCells() const;
  bool SaveFixedCells() const { return FSaveFixedCells; }
  void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
  bool SaveFixedRows() const { return FSaveFixedRows; }
  void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }
  bool SaveFixedCols() const { return FSaveFixedCols; }
  void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
  int SaveStartCol() const;
  int SaveEndCol() const;
  int SaveColCount() const;
  int SaveStartRow() const;
  int SaveEndRow() const;
  int SaveRowCount() const;
  // Cells were changed or filled in bulk: tells the owner and recalculates the footers.
  virtual void CellsChanged(const TRect& R);
  virtual void CellsLoaded();

  // --- Moving, scrolling, stretching ------------------------------------------------------------
  // Display indexes; the cells of the real columns behind them move, hidden columns keep their
  // places in the visibility map.
  void MoveColumn(int FromIndex, int ToIndex);
  // Nothing when a fixed-last-row footer would stop being last.
  void MoveRow(int FromIndex, int ToIndex);
  // Moves Count rows from FromIndex to ToIndex; a range past the last row is cut to the rows there.
  void MoveRows(int FromIndex, int ToIndex, int Count);
  void SetColumnOrder();
  const std::vector<int>& ColumnOrder() const { return FColumnOrder; }
  // An order as a stored layout holds it (entry i: the initial index of the column at place i).
  void LoadColumnOrder(const std::vector<int>& Order) { FColumnOrder = Order; }
  // Where the column first recorded at ACol stands now (ProGridColumnOrder.cpp).
  int ColumnPosition(int ACol) const;
  // The initial index of the column at a place; records the order first when there is none.
  int ColumnAtPosition(int Place);
  // Shows the hidden columns and moves every column back to its recorded place.
  void ResetColumnOrder();
  // The first column whose row-0 text is exactly AValue; -1 for none.
  int ColumnByHeader(const std::string& AValue) const;
  // Cells by the column's initial place.
  std::string OriginalCells(int ACol, int ARow) const;
  void SetOriginalCells(int ACol, int ARow, const std::string& Value);
  // Texts are UTF-8 throughout, so wide cells are the cells.
  std::string WideCells(int ACol, int ARow) const { return Cells(ACol, ARow); }
  void SetWideCells(int ACol, int ARow, const std::string& Value) { SetCells(ACol, ARow, Value); }
  // Asks the select-cell query again for the current cell.
  void UpdateEditMode() { CanSelectCell(Col(), Row()); }
  void HideSelection();
  void UnHideSelection();
  bool SelectionHidden() const { return FSelHidden; }
  // Brings a cell into view, centring it when it is out of view.
  void ScrollInView(int ColIndex, int RowIndex);
  // Values outside FixedRows .. RowCount - 1 are ignored.
  void SetTopRow(int Value) override;
  TColumnSize& ColumnSize() { return FColumnSize; }
  TSizeWhileTyping& SizeWhileTyping() { return FSizeWhileTyping; }
  THTMLSettings& HTMLSettings() { return FHTMLSettings; }
  TDragScrollOptions& DragScrollOptions() { return FDragScrollOptions; }
  TGrouping& Grouping() { return FGrouping; }
  TControlLook& ControlLook() { return FControlLook; }
  TBackGround& BackGround() { return FBackGround; }
  TBalloonSettings& Balloon() { return FBalloon; }
  TShowModified& ShowModified() { return FShowModified; }
  TSortSettings& SortSettings() { return FSortSettings; }
  TDragDropSettings& DragDropSettings() { return FDragDropSettings; }
  // A change of either repaints the grid.
  TGridProgressAppearance& ProgressAppearance() { return FProgressAppearance; }
  void SetProgressAppearance(const TGridProgressAppearance& Value) { FProgressAppearance.Assign(&Value); }
  TFilterDropDown& FilterDropDown() { return FFilterDropDown; }
  // The filter conditions (applying them is not built here).
  TFilter& Filter() { return *FFilter; }
  TPrintSettings& PrintSettings() { return FPrintSettings; }
  // The count a group header shows: GroupCountFormat applied to n, or " (n)" when there is no
  // format or it does not take one whole number.
  std::string GroupCountText(int n) const;
  // Stretches column Index (-1: the last) over the free client width. Raises "Stretch column
  // index out of range" for an index not in -1 .. ColCount - 1.
  void DoStretchColumn(int Index);
  void StretchRightColumn() { DoStretchColumn(ColCount() - 1); }
  TScrollHintType ScrollHints() const { return FScrollHints; }
  void SetScrollHints(TScrollHintType Value) { FScrollHints = Value; }
  bool ScrollSynch() const { return FScrollSynch; }
  void SetScrollSynch(bool Value) { FScrollSynch = Value; }
  // The hint shown while a thumb is dragged ("Row : 80"); empty when none shows.
  const std::string& ScrollHintText() const { return FScrollHintText; }
  // Something is dragged over the grid at client point (X, Y); Leaving when it left.
  void DragScrollOver(int X, int Y, bool Leaving);
  TDragScrollDirection DragScrollVert() const { return FDragVert; }
  TDragScrollDirection DragScrollHorz() const { return FDragHorz; }
  // After a user resize of column ACol; AWidth is the width the column keeps.
  virtual void UpdateColumnSize(int ACol, int& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
  }
  // Whether client point (X, Y) lies on a border where the mouse sizes a column or row.
  bool IsSizingBorder(int X, int Y) const;

  // --- Structural edits (ProGridStructure.cpp) -------------------------------------------------
  // Rows are display rows; hidden rows keep their real places. Everything a row carries travels
  // with it: cells and their properties and controls, height, modified, enabled and selection
  // flags; hidden rows below an insertion or removal keep their places among the rows.
  virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
  // Rows RowIndex .. RowIndex + RCount - 1 (cut to the rows there); nothing unless
  // 0 <= RowIndex < RowCount.
  virtual void RemoveRows(int RowIndex, int RCount);
  virtual void RemoveRowsEx(int RowIndex, int RCount) { RemoveRows(RowIndex, RCount); }
  void DoInsertRows(int RowIndex, int RCount, bool) { InsertRows(RowIndex, RCount); }
  void DoRemoveRows(int RowIndex, int RCount, bool) { RemoveRows(RowIndex, RCount); }
  virtual void DeleteRows(int ARow, int Count) { RemoveRows(ARow, Count); }
  // Removes every display row flagged in Remove (indexed by display row) in one pass.
  void RemoveRowSet(const std::vector<char>& Remove);
  void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
  void RemoveSelectedRows();
  void RemoveUnSelectedRows();
  // Keeps the first row of each text of ACol; DoCase compares with case.
  void RemoveDuplicates(int ACol, bool DoCase);
  void HideSelectedRows();
  void HideUnSelectedRows();
  void AddRow();
  // Columns are real columns (hidden ones counted at their places). Column widths, visibility,
  // the column selection, the column order, the sort column and keys and the filter conditions
  // follow their columns.
  virtual void InsertCols(int ColIndex, int CCount);
  virtual void RemoveCols(int ColIndex, int CCount);
  void AddColumn() { InsertCols(TotalColCount(), 1); }
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();
  void MergeCols(int ColIndex1, int ColIndex2, const std::string& Separator);
  // Ranges are inclusive; an empty grid or a count of 0 or less does nothing.
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  // Empties the cells of the rows in every real column, freeing their properties.
  void ClearRows(int RowIndex, int RCount);
  void ClearCols(int ColIndex, int CCount);
  void ClearNormalCols(int ColIndex, int CCount);
  void ClearNormalRows(int RowIndex, int RCount);
  void ClearNormalCells();
  void Clear();
  void ClearAll();
  void ClearSelection();
  bool ClearTextOnly() const { return FClearTextOnly; }
  void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
  virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
  void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
  void TrimRow(int ARow) { TrimRect(0, ARow, TotalColCount() - 1, ARow); }
  void TrimAll() { TrimRect(0, 0, TotalColCount() - 1, RowCount() - 1); }
  void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
  void MergeColumnCells(int ColIndex, bool MainMerge);
  void MergeRowCells(int RowIndex, bool MainMerge);
  void SplitColumnCells(int ColIndex);
  void SplitRowCells(int RowIndex);
  void SplitAllCells();
  bool IsWideCell(int ACol, int ARow) const;
  // The first cell (row by row) whose stored text is exactly SubStr.
  bool IsCell(const std::string& SubStr, int& ACol, int& ARow) const;
  void SwapColumns(int Index, int Index2);
  void SwapRows(int Index, int Index2);
  // The row exchange of sorting: the cross-reference, the row (or the sort column's cells with
  // SingleColumn), its height and flags, and the followed sort row.
  virtual void SortSwapRows(int Index, int Index2);
  int Swaps() const { return FSwaps; }

  // --- Current cell -------------------------------------------------------------------------
  // Row := ARow, then Col := ACol.
  void GotoCell(int ACol, int ARow);
  // Makes the cell current with the selection anchor and scrolls it into view.
  void MoveCurrentCell(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }
  void SetRow(int Value) override;
  // Whether the cell may become current (the fixed-last-row footer, merged cells, disabled rows,
  // the change events); the search footer's panel is scrolled clear of it.
  virtual bool CanSelectCell(int ACol, int ARow);
  // Repaints the headers of two cells' columns (last fixed row) and rows (last fixed column).
  void RepaintActiveHeaders(int ACol1, int ARow1, int ARow2, int ACol2);
  void RegisterSelListener(ITProStringGridSelect* AListener) { FSelListener = AListener; }
  void UnRegisterSelListener(ITProStringGridSelect*) { FSelListener = nullptr; }
  void RegisterNotifier(TGridChangeNotifier* ANotifier);
  void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
  // Fires OnRowChanging, OnColChanging and OnCellChanging; any may refuse.
  virtual void CellChanging(int ACol, int ARow, bool& Allow);
  TNavigation& Navigation() { return FNavigation; }
  TSearchFooter& SearchFooter() { return *FSearchFooter; }
  // The search footer's panel: 32 pixels high while it shows.
  int SearchPanelHeight() const { return FSearchFooter->Visible() ? 32 : 0; }
  bool IsLastRowAboveSearchPanel() const;
  void ShowLastRowAboveSearchPanel();
  const std::string& CellCache() const { return FCellCache; }

  // --- Copying -------------------------------------------------------------------------------
  // From another string grid: settings, sizes and cells; any other source is ignored.
  virtual void Assign(const TObject* Source);
  virtual void AssignCells(const TObject* Source);

  // --- Update lock ---------------------------------------------------------------------------
  // Only a visible grid locks; painting stays off until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // Raise the lock without touching the window; ResetUpdate ends every level without a repaint.
  void StartUpdate() { ++FUpdateCount; }
  void ResetUpdate();
  bool LockUpdate() const { return FUpdateCount > 0; }
  void SetLockUpdate(bool Value) { Value ? BeginUpdate() : EndUpdate(); }

  // --- Keyboard (ProGridKeys.cpp) --------------------------------------------------------------
  // One Tab step from the current cell; false when the focus was handed to the parent. A walk
  // that finds no cell to stop on within one pass stays where it began.
  bool TabNavigate(bool Backward);
  // Display column and row.
  bool CanTabToCell(int ACol, int ARow);
  // First and last column of a row that Tab may stop on; -1 when none.
  int FirstTabCol(int ARow);
  int LastTabCol(int ARow);
  // FixedCols, or 1 when column 0 holds node buttons.
  int FirstNavCol() const;
  int NumFixedRightCols() const;
  virtual void GotoFirstRow() { SetRow(FixedRows()); }
  bool IsLastNormalRow() const;
  // Appends a row below the last normal one (the floating footer stays last).
  void AutoAppendRow();
  // Hooks of the in-place editor's key handling.
  virtual void EditorKeyDown(std::uint16_t& Key, TShiftState Shift) {}
  virtual void EditorWMKeyDown(TMessage& Message) {}
  virtual void EditKeyF2() {}
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  // The incremental search text; cleared by moving keys and after 4 ticks of the grid's timer.
  const std::string& SearchInc() const { return FSearchInc; }
  void SetSearchInc(const std::string& Value) {
    FSearchInc = Value;
    FSearchTics = 0;
  }
  // The character that opened the editor, until the editor takes it.
  WideChar StartEditChar() const { return FStartEditChar; }
  void SetStartEditChar(WideChar Value) { FStartEditChar = Value; }
  // Shift, Ctrl and the left Alt key as held now.
  static TShiftState KeyShiftState();
  // Hints drawn as mini-HTML: the window class a hint request of the grid names (empty: the
  // platform's plain hints) (ProGridFocus.cpp).
  bool UseHTMLHints() const { return FUseHTMLHints; }
  void SetUseHTMLHints(bool Value);
  std::function<class THintWindow*()> HintWindowClass() const;
  // Application styles do not exist here: the grid keeps its colours (ProGridFocus.cpp).
  void ApplyStyleColors();
  bool UseVCLStyles() const { return FUseVCLStyles; }
  // Removes the hover highlight of a fixed cell.
  void ResetFixedCellHighlight();
  bool IsHoverFixedCell(int ACol, int ARow) const;
  // Focus bookkeeping: no OnEnter work, no focus loss, a swallowed focus arrival.
  void SetBlockFocus(bool Value) { FBlockFocus = Value; }
  void SetBlockKill(bool Value) { FBlockKill = Value; }
  void SetInvokedFocusChange(bool Value) { FInvokedFocusChange = Value; }
  bool InvokedFocusChange() const { return FInvokedFocusChange; }
  // Ticks of the grid's half-second timer so far.
  int TimerTicks() const { return FTimerTicks; }
  void Click() override;

  // --- Selection queries and sizing to content (ProGridSizing.cpp) -----------------------------------
  void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
  // The selected cells, tab between cells and CR LF between rows; each read at its real column.
  std::string SelectedText();
  bool IsSelected(int ACol, int ARow);
  void AutoNumberCol(int ACol);
  void AutoNumberRow(int ARow);
  void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
  void AutoSizeColumns(bool DoFixedCols, int Padding);
  // Display column: its widest content plus the insets; the limits and SizeGrowOnly apply.
  void AutoSizeCol(int Index, int Padding);
  void SizeColToContent(int Index, bool GrowOnly);
  void AutoSizeRows(bool DoFixedRows, int Padding);
  void AutoSizeRow(int Index, int Padding);
  void SizeRowToContent(int Index, bool GrowOnly, int Padding);
  void SizeRowToLines(int Index, int Lines, int Padding);
  // Spreads the available width over the columns in proportion to their widths; columns of no
  // width at all are left as they are.
  void AutoFitColumns(bool DoFixedCells);
  void SizeToCols();
  void SizeToRows();
  void SizeToCells();
  // Font size offset in points, -10 .. 10; widths and heights follow by the same amount.
  void Zoom(int x);
  int ZoomFactor() const { return FZoomFactor; }
  // A descendant may correct a width sizing to content found.
  virtual void UpdateAutoColumnSize(int ACol, int& AWidth) {}
  int TotalXOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X; }
  int TotalYOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y; }
  int MaxLinesInRow(int ARow);
  // Width and height of a cell's text as painted (real column).
  TSize CellTextSize(int ACol, int ARow);
  bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
  void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
  int MinColWidth() const { return FMinColWidth; }
  void SetMinColWidth(int Value) { FMinColWidth = Value; }
  int MaxColWidth() const { return FMaxColWidth; }
  void SetMaxColWidth(int Value) { FMaxColWidth = Value; }
  int MinRowHeight() const { return FMinRowHeight; }
  void SetMinRowHeight(int Value) { FMinRowHeight = Value; }
  int MaxRowHeight() const { return FMaxRowHeight; }
  void SetMaxRowHeight(int Value) { FMaxRowHeight = Value; }
  bool SizeGrowOnly() const { return FSizeGrowOnly; }
  void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
  int AutoNumberStart() const { return FAutoNumberStart; }
  void SetAutoNumberStart(int Value) { FAutoNumberStart = Value; }
  int AutoNumberOffset() const { return FAutoNumberOffset; }
  void SetAutoNumberOffset(int Value) { FAutoNumberOffset = Value; }
  bool AutoNumberDescending() const { return FAutoNumberDescending; }
  void SetAutoNumberDescending(bool Value) { FAutoNumberDescending = Value; }
  bool ExcelClipboardFormat() const { return FExcelClipboardFormat; }
  void SetExcelClipboardFormat(bool Value) { FExcelClipboardFormat = Value; }
  bool MultilineCells() const { return FMultilineCells; }
  void SetMultilineCells(bool Value) { FMultilineCells = Value; }

  // --- Cell text file and CSV (ProGridCellFile.cpp, ProGridCSV.cpp) ------------------------------
  // Errors raise EProGridError; a refused file leaves the grid, and a refused save the file, as
  // they were.
  void SaveToFile(const std::string& FileName, bool Unicode = true);
  void LoadFromFile(const std::string& FileName);
  void SaveToCSV(const std::string& FileName, bool Unicode = true);
  void LoadFromCSV(const std::string& FileName, int MaxRows = 0);
  // The bytes of the two formats, as the files hold them.
  std::string CellFileBytes(bool Unicode);
  void LoadCellFileBytes(std::string_view Bytes, const std::string& Name);
  // The cell's displayed number (0 when empty); text that reads as none raises EProGridError
  // naming the position of the first character that does not fit.
  double CellToReal(int ACol, int ARow);
  std::string CSVBytes(bool Unicode);
  void LoadCSVBytes(std::string_view Bytes, int MaxRows = 0);
  // The text file's stream form (ProGridCellStream.cpp): appended at the stream's position; the
  // reader stops before the first line that is not its own.
  void SaveToStream(TStream& Stream);
  void LoadFromStream(TStream& Stream);
  TGridFileOptions& FileOptions() { return FFileOptions; }
  const TGridFileOptions& FileOptions() const { return FFileOptions; }
  bool SaveHiddenCells() const { return FFileOptions.SaveHiddenCells; }
  void SetSaveHiddenCells(bool Value) { FFileOptions.SaveHiddenCells = Value; }
  char Delimiter() const { return FFileOptions.Delimiter; }
  void SetDelimiter(char Value) { FFileOptions.Delimiter = Value; }

  // --- CSV forms, column-aligned text, fixed width, XML and HTML -------------------------------
  // (ProGridCSV.cpp, ProGridASCII.cpp, ProGridFixed.cpp, ProGridXML.cpp, ProGridHTML.cpp)
  // Appending needs the file to exist; the file is written whole with the new rows after its lines.
  void AppendToCSV(const std::string& FileName, bool Unicode = true);
  // The rows go after the last row (a visible floating footer stays last).
  void InsertFromCSV(const std::string& FileName, int MaxRows = 0);
  void LoadFromCSVStream(TStream& AStream, int MaxRows = 0);
  void InsertCSVBytes(std::string_view Bytes, int MaxRows = 0);
  // With it the CSV files are in the OEM code page (CP850) instead.
  bool OemConvert() const { return FFileOptions.OemConvert; }
  void SetOemConvert(bool Value) { FFileOptions.OemConvert = Value; }
  // Column-aligned text for reading: its lines, and the file (UTF-16 LE with Unicode).
  std::vector<std::string> ASCIILines();
  void SaveToASCII(const std::string& FileName, bool Unicode = true);
  void AppendToASCII(const std::string& FileName, bool Unicode = true);
  // Positions holds field widths and is completed with one per saved column that lacks one.
  std::string FixedBytes(TIntList& Positions);
  void SaveToFixed(const std::string& FileName, TIntList& Positions);
  // Positions holds the 1-based start of each field and the end of the last (sorted by the call).
  void LoadFromFixed(const std::string& FileName, TIntList& Positions, bool DoTrim = true, int MaxRows = -1);
  void LoadFixedBytes(std::string_view Bytes, TIntList& Positions, bool DoTrim = true, int MaxRows = -1);
  // The declared encoding of the XML written: UTF-8, UTF-16 or a single-byte code page
  // (Windows-1252 for ISO-8859-1); characters outside it go out as character references.
  const std::string& XMLEncoding() const { return FFileOptions.XMLEncoding; }
  void SetXMLEncoding(const std::string& Value) { FFileOptions.XMLEncoding = Value; }
  std::string XMLBytes(const std::string& ListDescr, const std::string& RecordDescr,
                       const TStrings* FieldDescr, bool ExportEmptyCells);
  void SaveToXML(const std::string& FileName, const std::string& ListDescr, const std::string& RecordDescr,
                 const TStrings* FieldDescr = nullptr, bool ExportEmptyCells = false);
  void LoadFromXML(const std::string& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
  void LoadXMLBytes(std::string_view Bytes, bool LevelToRow = false, bool LoadFieldDescr = false);
  // The page; pictures are written as JPEG files into Dir + "images" (Dir ends with "/").
  std::string SaveToHTMLString(const std::string& Dir);
  // The page without pictures, as the clipboard takes it.
  std::string HTMLPageWithoutPictures();
  void SaveToHTML(const std::string& FileName, bool Show = false, bool Unicode = true);
  void AppendToHTML(const std::string& FileName, bool Show = false, bool Unicode = true);
  void CopyToClipBoardAsHTML();

  // --- Binary cell stream (ProGridBinStream.cpp) --------------------------------------------------
  // Cells with their properties and graphics. A stream is checked whole before the grid changes:
  // EReadError for a damaged stream, EProGridError for sizes the grid does not take; cells that
  // fall outside the grid are dropped.
  void SaveRectToBinStream(const TGridRect& Rect, TStream& Stream);
  void SaveToBinStream(TStream& Stream);
  void SaveToBinFile(const std::string& FileName);
  void LoadAtPointFromBinStream(TPoint Point, TStream& Stream);
  void LoadFromBinStream(TStream& Stream);
  void LoadFromBinFile(const std::string& FileName);
  // Tells this grid's streams apart from every other live grid's, in every running process.
  std::int32_t StreamID() const { return FStreamID.Value(); }
  // Reads and checks the whole stream, then (unless CheckOnly) places it; without FullGridApplies
  // a whole-grid stream is placed as a block too.
  void LoadBinStream(TPoint Point, TStream& Stream, bool FullGridApplies, bool CheckOnly);
  // Writes the rectangle; with RealColumns its columns are real indexes, hidden ones included.
  void WriteBinStream(const TGridRect& Rect, TStream& Stream, bool RealColumns);

  // --- Clipboard (ProGridClipboard.cpp, ProGridPaste.cpp) -----------------------------------------
  // Copies put the cells as TAB and CR LF text on the clipboard, with the top-left cell's rich text
  // and the block as a binary cell stream in the grid's own format when Navigation allows. Pastes
  // take the own format first, then rich text, then text; growth is checked against the load
  // maximums before the grid changes.
  void CopyToClipBoard();
  void CutToClipboard();
  void CopyRectToClipboard(const TGridRect& R, bool Disjunct);
  std::string GetRectAsText(const TGridRect& R, bool Disjunct);
  std::string GetSelectionAsText();
  void SetSelectionAsText(const std::string& Value);
  // The widest line's fields and the last line's number (from 0) of a TAB and CR text.
  TPoint TextCellExtent(const std::string& Text);
  void ExtendSelectionToMerges();
  void PasteFromClipboard();
  // Pastes at a cell: the number of cells the paste covered; Lines and Fields as the text had them.
  int PasteAt(int ACol, int ARow, int& Lines, int& Fields);
  int PasteText(int ACol, int ARow, const std::string& Text, int& Lines, int& Fields);
  virtual void PasteCell(int ACol, int ARow, const std::string& Value);
  virtual void BeginPaste() {}
  virtual void EndPaste() {}
  virtual void CellsPasted(TPoint FromTopLeft, const TGridRect& ToRect, TClipOperation Op);
  virtual void FormulaEditing(bool) {}
  virtual bool UseFmtClipboard() { return FNavigation.AllowFmtClipboard(); }
  TPoint ClipTopLeft() const { return FClipTopLeft; }
  TClipOperation ClipLastOp() const { return FClipLastOp; }
  bool PasteAll() const { return FPasteAll; }

  // --- Cell access (ProGridCellAccess.cpp) ------------------------------------------------------------
  // The text of the current cell (its base cell when merged), stored and as displayed.
  virtual std::string CurrentCell() const;
  virtual void SetCurrentCell(const std::string& Value);
  virtual std::string GetCurrentCellText() const;
  virtual void SetCurrentCellText(const std::string& Value);
  int LinesInCell(int ACol, int ARow) const;
  // The stored text by real column and real row, hidden rows included.
  std::string AllGridCells(int ACol, int ARow) const;
  void SetAllGridCells(int ACol, int ARow, const std::string& Value);
  // Without EditWithTags the editor shows mark-up as its plain text.
  bool EditWithTags() const { return FEditWithTags; }
  void SetEditWithTags(bool Value) { FEditWithTags = Value; }
  // The look of single cells (real column, display row). Reading a cell without a look gives the
  // default and creates nothing, but WordWraps creates it.
  TColor Colors(int ACol, int ARow) const;
  void SetColors(int ACol, int ARow, TColor Value);
  TColor ColorsTo(int ACol, int ARow) const;
  void SetColorsTo(int ACol, int ARow, TColor Value);
  TColor FontColors(int ACol, int ARow) const;
  void SetFontColors(int ACol, int ARow, TColor Value);
  TFontStyles FontStyles(int ACol, int ARow) const;
  void SetFontStyles(int ACol, int ARow, TFontStyles Value);
  std::string FontNames(int ACol, int ARow) const;
  void SetFontNames(int ACol, int ARow, const std::string& Value);
  int FontSizes(int ACol, int ARow) const;
  void SetFontSizes(int ACol, int ARow, int Value);
  TAlignment Alignments(int ACol, int ARow) const;
  void SetAlignments(int ACol, int ARow, TAlignment Value);
  bool ReadOnly(int ACol, int ARow) const;
  void SetReadOnly(int ACol, int ARow, bool Value);
  bool WordWraps(int ACol, int ARow);
  void SetWordWraps(int ACol, int ARow, bool Value);
  void SetFonts(int ACol, int ARow, const TFont& Value);
  // Whole rows from FixedCols on, hidden columns included; clNone takes the colour away again
  // (cells left with nothing else lose their look record).
  void SetRowColor(int ARow, TColor Value);
  void SetRowColorTo(int ARow, TColor Value);
  void SetRowFontColor(int ARow, TColor Value);

  // --- Saved layouts, looks and print settings (ProGridColumnStates.cpp, ProGridLookFile.cpp,
  // ProGridPrintFile.cpp) ---------------------------------------------------------------------------
  // "N#widths#order#flags": N columns (hidden ones counted), their widths, the column order and a
  // visibility flag per real column. A text that does not hold N of each, or whose order is no
  // permutation, raises EProGridError and changes nothing; a text without "#" is ignored.
  std::string ColumnStatesToString();
  void StringToColumnStates(const std::string& Value);
  // The "Col<n>" widths and "Pos<n>" order keys in ColumnSize's section; nothing without a key and
  // a section. Stored positions that are no permutation of the columns are not applied.
  void SaveColSizes();
  void LoadColSizes();
  virtual void SaveColPositions();
  virtual void LoadColPositions();
  // The INI file behind ColumnSize: Key itself with clIniFile; with clRegistry "<key>.ini" beside
  // the executable, the key's "\" and "/" turned into "."; EProGridError for a key that makes no
  // safe file name.
  std::string ColumnSizeStoreFile() const;
  // The look as key=value lines in Windows-1252; loading checks every value before applying any
  // (EConvertError for a value that is no number or colour, EProGridError for a file that cannot be
  // read or written or a number out of range).
  void SaveVisualProps(const std::string& FileName);
  void LoadVisualProps(const std::string& FileName);
  // The print settings in a section of an INI file; loading only reads the file.
  void SavePrintSettings(const std::string& Key, const std::string& Section);
  void LoadPrintSettings(const std::string& Key, const std::string& Section);
  // The colour of flat scroll bars; clNone leaves them to the system.
  TColor ScrollColor() const { return FScrollColor; }
  void SetScrollColor(TColor Value) { SetAndRepaint(FScrollColor, Value); }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  // Characters of the longest line of a real column's save texts over all rows; 0 when empty
  // (ProGridTextLength.cpp).
  int MaxColumnTextLength(int ACol);

  // --- Office and database exchange (ProGridOffice.cpp) ---------------------------------------------
  // Through the platform's automation backend; without the applications each raises as a missing
  // server does. A database file name holding ";" and a table that is no plain identifier are
  // refused before anything is opened.
  std::vector<std::string> GetXLSSheets(const std::string& FileName);
  void LoadFromXLS(const std::string& FileName) { LoadXLS(FileName, ""); }
  void LoadFromXLSSheet(const std::string& FileName, const std::string& SheetName) {
    LoadXLS(FileName, SheetName);
  }
  void SaveToXLS(const std::string& FileName, bool CreateNewSheet = false) {
    SaveXLS(FileName, "", CreateNewSheet);
  }
  void SaveToXLSSheet(const std::string& FileName, const std::string& SheetName) {
    SaveXLS(FileName, SheetName, false);
  }
  void SaveToDOC(const std::string& FileName, bool CreateNewDocument = false) {
    SaveDOC(FileName, CreateNewDocument, false, "");
  }
  void AppendToDoc(const std::string& FileName, const std::string& Bookmark) {
    SaveDOC(FileName, false, true, Bookmark);
  }
  void LoadFromMDBTable(const std::string& FileName, const std::string& Table);
  void LoadFromMDBSQL(const std::string& FileName, const std::string& SQL);
  // Scales FixedFont and ActiveCellFont with the form (M / D, rounded).
  virtual void ChangeScale(int M, int D);

  // --- Floating footer (FooterPanel.cpp) ---------------------------------------------------------------
  // The strip along the grid's bottom that shows the footer; nullptr before it is first shown.
  TFooterPanel* FooterPanel() const { return FFooterPanel; }

  // --- Disjunct selection (ProGridDisjunct.cpp) -----------------------------------------------------
  // With DisjunctCellSelect: whether the cell was picked; else whether it lies in Selection.
  bool SelectedCells(int ACol, int ARow) const;
  // Picks or unpicks a cell in either mode, repainting it when that changed anything.
  void SetSelectedCells(int ACol, int ARow, bool Value);
  // Without DisjunctCellSelect the list is first rebuilt from Selection, column by column.
  int SelectedCellsCount();
  TGridCoord SelectedCell(int Index) const { return FPickedCells.Cell(Index); }
  void ClearSelectedCells();
  int SelectedRowCount() const;
  // -1 beyond the selection.
  int SelectedRow(int Index) const;
  int SelectedColCount() const;
  void ClearModifiedRows();
  // Repaints the screen rectangles of a range's corner cells and what lies between.
  void InvalidateCellRange(const TGridRect& R);

  // --- Editing host (ProGridEditHost.cpp) ----------------------------------------------------------
  // ACol is a real column in these queries.
  bool IsEditable(int ACol, int ARow);
  bool IsCellEditable(int ACol, int ARow);
  virtual void CheckBoxClick(int ACol, int ARow, bool State);
  // Descendants may adjust what Ctrl+A selects.
  virtual void GetSelectAllRect(TGridRect& R) {}
  // Opens the editor on the current cell (nothing on a control cell).
  void ShowInplaceEdit();
  // Closes the open editor and commits its value.
  void HideInplaceEdit();
  // A left click on a cell with the user's mouse events silenced.
  void SimulateCellClick(int ACol, int ARow);
  bool EditMode() const { return FEditMode; }
  void SetEditMode(bool Value) { FEditMode = Value; }
  bool ForceSel() const { return FForceSel; }
  // Remembers the cell about to be edited and its text.
  virtual void SaveOldCell(int ACol, int ARow);
  int OldCol() const { return FOldCol; }
  int OldRow() const { return FOldRow; }
  const std::string& OldCellText() const { return FOldCellText; }
  // OnEditingDone now; OnEditCellDone once the message loop delivers "GridEditDone".
  void PostEditDone(int ACol, int ARow);
  // Filled by the editing, clipboard and filter work.
  virtual void CommitSpecialEdit(int ACol, int ARow);
  // The move on after an edit (Navigation's Advance settings); only with AdvanceOnEnter or Force.
  virtual void AdvanceEdit(int ACol, int ARow, bool ShowEditor, bool Repeated, bool Forward, bool FromEditor,
                           bool Force);
  // An editor's Enter: forward, from the editor, showing the next editor where it opens by itself.
  void AdvanceEdit(int ACol, int ARow, bool Forward, bool Forced) {
    AdvanceEdit(ACol, ARow, true, false, Forward, true, Forced);
  }
  virtual void EditControlByID(const std::string& ID);
  virtual void MouseWheelMoved(int Moved, bool& Handled) {}
  virtual void CopySelectionToClipboard();
  virtual void CutSelectionToClipboard();
  virtual void PasteSelectionFromClipboard();
  // --- Grouping (ProGridGroup.cpp) --------------------------------------------------------------
  // Rows with equal values in a column gathered under header rows (nodes), the column removed;
  // SubGroup adds a level inside the groups. UnGroup undoes the newest level, so Group, SubGroup,
  // UnGroup, UnGroup gives the flat grid back.
  virtual void Group(int Colindex);
  virtual void UnGroup();
  virtual void SubGroup(int Colindex);
  // Undoes the sub-group of Colindex when it is the newest level.
  virtual void SubUnGroup(int Colindex);
  // The newest grouped column; -1 when the grid is not grouped.
  int GroupColumn() const { return FGroupStack.empty() ? -1 : FGroupStack.back().Column; }
  // -1 ungroups everything, a value above 0 groups by that column, 0 does nothing.
  void SetGroupColumn(int Value);
  bool SubGrouped() const { return !FGroupStack.empty() && FGroupStack.back().Sub; }
  // Per group: 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom, 7 distinct, 8 standard
  // deviation, written into the header row (the summary row with Grouping.Summary).
  void GroupCalc(int Colindex, int Method);
  void GroupSum(int Colindex);
  void GroupAvg(int Colindex);
  void GroupMin(int Colindex);
  void GroupMax(int Colindex);
  void GroupCount(int Colindex);
  void GroupCustomCalc(int Colindex) { GroupCalc(Colindex, 6); }
  void GroupDistinct(int Colindex) { GroupCalc(Colindex, 7); }
  void GroupStdDev(int Colindex) { GroupCalc(Colindex, 8); }
  double DoGroupCalc(int ACol, int FromRow, int ToRow);

  // --- Filtering (ProGridFilter.cpp) ------------------------------------------------------------
  // Applying the conditions hides the failing normal rows as one new filter level.
  virtual bool FilterActive() const { return FFilterActive; }
  virtual void SetFilterActive(bool Value);
  // Whether display row ARow passes all conditions (OnCustomFilter has the last word).
  virtual bool MatchFilter(int ARow);
  void FilterRow(int ARow);
  void ApplyFilter();
  // Brings back the newest level's rows; true while more than one level remains.
  bool RemoveLastFilter();
  // Every level's rows back (conditions kept); without levels the conditions are emptied.
  void RemoveAllFilters();
  // Narrows the rows as a search text grows one character at a time (AColumn -1: whole rows).
  void NarrowDown(const std::string& ACondition, int AColumn);
  bool FilterNormalCellsOnly() const { return FFilterNormalCellsOnly; }
  void SetFilterNormalCellsOnly(bool Value) { FFilterNormalCellsOnly = Value; }
  bool AutoFilterUpdate() const { return FAutoFilterUpdate; }
  void SetAutoFilterUpdate(bool Value) { FAutoFilterUpdate = Value; }
  const std::string& LastFilter() const { return FLastFilter; }

  // --- Find and replace (ProGridFind.cpp) ------------------------------------------------------
  // The next matching cell after StartCell ((-1, -1): from the range's first cell, its last one
  // with fnBackward); (-1, -1) when none. The column is a display column unless
  // fnIncludeHiddenColumns, the row a display row unless fnIncludeHiddenRows.
  TPoint Find(TPoint StartCell, const std::string& s, TFindParams FindParams);
  TPoint FindWide(TPoint StartCell, const std::string& s, TFindParams FindParams);
  TPoint FindFirst(const std::string& s, TFindParams FindParams);
  TPoint FindNext();
  // Replaces OrigStr in every matching cell; the number of cells changed.
  int Replace(const std::string& OrigStr, const std::string& NewStr, TFindParams FindParams);
  // The first row whose key column starts with s (given upper-cased), or -1.
  int Search(const std::string& s);
  TPoint SearchCell() const { return FSearchCell; }
  void SetSearchCell(TPoint Value) { FSearchCell = Value; }
  TFindParams FindParams() const { return FFindParams; }
  const std::string& SearchCache() const { return FSearchCache; }
  bool FindBusy() const { return FFindBusy; }
  int FindCol() const { return FFindCol; }
  void SetFindCol(int Value) { FFindCol = Value; }
  int FindRow() const { return FFindRow; }
  void SetFindRow(int Value) { FFindRow = Value; }

  // --- The search bar (ProGridSearchFooter.cpp) --------------------------------------------------
  // The bar's panel, made when SearchFooter first shows (nullptr before).
  TSearchPanel* SearchPanel() const { return FSearchPanel; }
  TSearchPanel* EnsureSearchPanel();
  // Applies SearchFooter to the panel: texts, looks, which controls show, the layout.
  void SearchFooterChange();
  void SearchEditChange(TObject* Sender);
  void SearchForwardClick(TObject* Sender);
  void SearchBackwardClick(TObject* Sender);
  void SearchExitClick(TObject* Sender);
  void SearchHighLightClick(TObject* Sender);

private:
  TPoint FindCell(TPoint StartCell, const std::string& s, TFindParams FindParams);
  bool FindCellMatches(int ACol, int ARow, TFindParams FindParams) const;
  void GotoFoundCell(TPoint Cell, TFindParams FindParams);
  bool SearchHighlightOn() const;
  TFindParams SearchFooterParams(bool Backward) const;
  void HighlightSearchText(const std::string& Text);
  void RemoveSearchHighlight();
  void SearchFindStep(bool Backward);
  void OpenFilterList(int RealCol, int DisplayCol, const TRect& CellR);

public:
  // --- Mouse (ProGridMousePress.cpp, ProGridMouseMove.cpp, ProGridMouseRelease.cpp,
  // ProGridRightButton.cpp, ProGridEditorHosting.cpp, ProGridPanning.cpp) ---------------------------
  // What the pointer is over, as the press selects by it.
  enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
  TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
  void SetMouseSelectMode(TMouseSelectMode Value) { FMouseSelectMode = Value; }
  // Picks the item of the radio group cell (ACol real) under (X, Y), relative to the cell.
  void RadioGroupClick(int ACol, int ARow, int X, int Y);
  // Hooks a descendant may fill.
  virtual void GetCornerSelectRect(TGridRect& R) {}
  virtual void CellSelectorClick(int ACol, int ARow) {}
  virtual void ExpandClick(int ACol, int ARow, bool Expanded) {
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
  }
  virtual void ClickSort(int ACol) {
    if (OnClickSort) OnClickSort(this, ACol);
  }
  virtual bool CanShowFixedDropDown(int ACol);
  // --- Sorting (ProGridSort.cpp) ----------------------------------------------------------------
  // The normal rows by SortSettings.Column in SortSettings.Direction, stably; ties go to the
  // columns on the right with SortSettings.Full. Each column's style is resolved once per sort.
  virtual void QSort();
  // By the sort keys (SortIndexes); EProGridError "No indexes specified for indexed sort" without.
  virtual void QSortIndexed();
  // The child rows inside each expanded node of the deepest node level.
  virtual void QSortGroup();
  virtual void QSortGroupIndexed();
  // Puts every row back where the cross-reference says it came from; a cross-reference that no
  // longer covers the rows is reset and nothing moves.
  virtual void QUnSort();
  virtual void InitSortXRef();
  void Sort(int Column, TSortDirection Direction);
  void SortByColumn(int Col);
  // Sorts rows Left .. Right only.
  void QuickSort(int Col, int Left, int Right);
  void QuickSortIndexed(int Left, int Right);
  // Compares two rows from column Col on and exchanges them when out of order.
  bool SortLine(int Col, int ARow1, int ARow2);
  // -1, 0 or 1 without the direction applied (but blanks placed for Direction).
  int CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction);
  // The row a row came from before the sorts since the last reset, and the reverse.
  int UnSortedRowIndex(int ARow) const;
  int SortedRowIndex(int ARow) const;
  const std::vector<int>& SortRowXRef() const { return FSortRowXRef; }
  virtual void StartControlEdit(int ACol, int ARow, const std::string& ID, const std::string& Type);
  virtual void EndControlEdit();
  virtual void StartFixedCellEdit(int ACol, int ARow);
  virtual void ShowFilterList(int ACol, int ARow) {}
  // The pick of entry ItemIndex of column FilterCol's filter list: the column's condition becomes
  // the entry's (the clear entry removes it) and, with AutoFilterUpdate, the filter is applied.
  virtual void FilterSelect(int FilterCol, int ItemIndex);
  // The real column whose filter list is open, -1 when none.
  int FilterCol() const { return FFilterCol; }
  void SetFilterCol(int Value) { FFilterCol = Value; }
  // The plain filter list and the check list (each made on first use).
  TDropList* DropList();
  TDropCheckList* DropCheckList();
  // The check list offers several values of a column instead of the plain list's one.
  bool FilterDropDownCheck() const { return FFilterDropDownCheck; }
  void SetFilterDropDownCheck(bool Value) { FFilterDropDownCheck = Value; }
  // A check toggled in the check list: the checked values of the open column become the only
  // conditions, any of them passing a row.
  virtual void FilterCheck(int ItemIndex);
  // A mouse release opens the filter list of the filter button under it, or closes the list.
  void FilterListRelease(int X, int Y);
  // The drag of the kept selection (or, by its header, of a column) that a mouse move starts from
  // the pressed cell (ProGridOleDrag.cpp). A move that is taken removes what was dragged.
  virtual void StartOleDrag(int ACol, int ARow);
  virtual void StartBlockFocus();
  virtual void EndBlockFocus();
  // A floating picture of the range's visible cells on a form that never activates, made hidden;
  // nullptr when none of them shows. The caller shows, moves and frees it.
  TForm* SelectionToForm(const TGridRect& ARect);
  // The picture of the drag running now (nullptr when none), placed 4 pixels right of and below a
  // screen point, and freed.
  TForm* MoveForm() const { return FMoveForm; }
  void MoveOleDragPicture(TPoint Screen);
  void FreeMoveForm();
  // The header button of a column drag with its bottom-left corner at a screen point.
  void MoveOleDragButton(TPoint Screen);
  // The arrows that mark a drop's target (ArwU, ArwD, ArwL; made on first use, placed in screen
  // coordinates) and the header that follows the mouse while a column is dragged.
  TArrowWindow* DropArrow(TArrowDirection Dir);
  void HideDropArrows();
  THeaderDragButton* MoveButton();
  virtual void FillFromResizedSelection();
  // The sort of the last header click, in clock milliseconds.
  std::int64_t SortTime() const { return FSortTime; }
  bool UndoSort() const { return FUndoSort; }
  void SetUndoSort(bool Value) { FUndoSort = Value; }
  bool InitSortDescending() const { return FInitSortDescending; }
  void SetInitSortDescending(bool Value) { FInitSortDescending = Value; }
  // Columns a header click never sorts by (real indexes).
  std::set<int>& IgnoreColumns() { return FIgnoreColumns; }
  bool HintShowSizing() const { return FHintShowSizing; }
  void SetHintShowSizing(bool Value) { FHintShowSizing = Value; }
  bool HintShowCells() const { return FHintShowCells; }
  void SetHintShowCells(bool Value) { FHintShowCells = Value; }
  // The sizing hint shown now ("" when none).
  const std::string& SizingHint() const { return FSizingHint; }
  TPoint SizingHintPos() const { return FSizingHintPos; }
  // Fills the hint of the cell under Info's cursor; the hint belongs to the cell's (merged) area.
  void BuildCellHint(std::string& HintStr, THintInfo& Info);
  // The base cell whose hint shows, (-1, -1) when none.
  TPoint LastHintPos() const { return FLastHintPos; }
  void SetLastHintPos(TPoint Value) { FLastHintPos = Value; }
  // The button or pushed fixed cell held down, (-1, -1) when none.
  TPoint PushedCellButton() const { return FPushedCellButton; }
  bool FixedCellPushed() const { return FFixedCellPushed; }
  // Fixed cells show pressed while the left button holds them.
  bool FixedAsButtons() const { return FFixedAsButtons; }
  void SetFixedAsButtons(bool Value) { FFixedAsButtons = Value; }
  // The control placed over a cell (real column); the grid never frees it.
  TControl* CellControls(int ACol, int ARow) const;
  void SetCellControls(int ACol, int ARow, TControl* Value);
  // Middle-button panning.
  enum TIntelliPan { ipBoth, ipVertical, ipHorizontal, ipNone };
  TIntelliPan IntelliPan() const { return FIntelliPan; }
  void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
  bool Panning() const { return FPanning; }
  TPoint PanOrigin() const { return FPanOrigin; }
  // The editor closes on a key: commits, then the key acts as it does in the grid.
  void DoneInplaceEdit(std::uint16_t Key, TShiftState Shift);
  // Re-places the controls of cells after a scroll, size or move.
  void CellControlsUpdate(bool RebuildList);

  // --- Editing flow (ProGridEditing.cpp) ---------------------------------------------------------
  // The kind of the open editor (set before the editor shows).
  TEditorType EditControl() const { return FEditControl; }
  void SetEditControl(TEditorType Value) { FEditControl = Value; }
  // The characters an edValidChars cell takes: the string when it is not empty, else the set.
  const std::string& ValidChars() const { return FValidChars; }
  void SetValidChars(const std::string& Value) { FValidChars = Value; }
  std::bitset<256>& ValidCharSet() { return FValidCharSet; }
  // The grid's text editor (nullptr before it first showed).
  TProInplaceEdit* NormalEdit() const;
  // Set while the grid itself loads the edit text: no OnEditChange then.
  bool NoEditChange() const { return FNoEditChange; }
  void SetNoEditChange(bool Value) { FNoEditChange = Value; }
  int EditLimit() { return GetEditLimit(); }
  // The special editors (lazily created) and the edit under way.
  TGridCombo* EditCombo();
  TGridCheckBox* EditCheck();
  bool SpecialEditor() const { return FSpecialEditor; }
  bool EditActive() const { return FEditActive; }
  // Shows the editor of EditControl over a display cell; writes it back, hides it and announces
  // the end of the edit.
  virtual void ShowSpecialEdit(int ACol, int ARow);
  void HideCellEdit() { CommitSpecialEdit(Col(), Row()); }
  // Escape: the cell gets back the text it had when the edit began.
  virtual void RestoreCellCache();
  // The text goes into the cell (real column) as the text editor's would.
  virtual void StoreEditValue(int ACol, int ARow, const std::string& Value);
  // The user changed the combo's choice or closed it with a key: the commit stores its value.
  void SetComboTouched(bool Value) { FComboTouched = Value; }
  bool ComboTouched() const { return FComboTouched; }
  // The combo editor's items, loaded into it when a combo edit starts.
  TStringList& ComboStrings() { return FComboStrings; }
  void ClearComboString() { FComboStrings.Clear(); }
  void AddComboString(const std::string& S) { FComboStrings.Add(S); }
  void AddComboStringObject(const std::string& S, TObject* AObject) { FComboStrings.AddObject(S, AObject); }
  bool RemoveComboString(const std::string& S);
  bool SetComboSelectionString(const std::string& S);
  void SetComboSelection(int Index) { FComboIdx = Index; }
  int GetComboCount() const { return FComboStrings.Count(); }
  int ComboIndex(int ACol, int ARow);
  void SetComboIndex(int ACol, int ARow, int Index);
  // Real column and row: fires OnComboChange and OnComboObjectChange for the combo's choice.
  void FireComboChange(int AItemIndex, const std::string& ASelection);
  // The editors keep Tab for themselves: goTabs, or a validation handler wants to see it.
  bool EditorWantsTab() const;
  // The edited cell's new text through OnCellValidate; the cell gets the accepted text, a refusal
  // puts the old text back. Validation is off again afterwards, also when a handler raises.
  virtual bool ValidateCell(const std::string& NewValue);
  // The twin for wide-text editors: OnCellValidateWide decides; the footer is recalculated first.
  virtual bool ValidateCellWide(const std::string& NewValue);
  bool Validating() const { return FValidating; }
  void SetValidating(bool Value) { FValidating = Value; }
  // Validate also a text that did not change.
  bool AlwaysValidate() const { return FAlwaysValidate; }
  void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
  // Some cell was changed by an edit; a refused value puts back what it was.
  bool Modified() const { return FGridModified; }
  void SetModified(bool Value) { FGridModified = Value; }
  // The balloon on the editor that tells why a value was refused; none while both are empty.
  const std::string& InvalidEntryTitle() const { return FInvalidEntryTitle; }
  void SetInvalidEntryTitle(const std::string& Value) { FInvalidEntryTitle = Value; }
  const std::string& InvalidEntryText() const { return FInvalidEntryText; }
  void SetInvalidEntryText(const std::string& Value) { FInvalidEntryText = Value; }
  void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
  // Cleared by a refused value; an editor reads it before it lets Enter move on.
  bool LastValidation() const { return FLastValidation; }
  bool Editing() const { return FEditing; }
  const std::string& NewCellText() const { return FNewCellText; }

  // --- Spin, button, picker, link, rich-text, form-control and header editors
  // (ProGridSpecialEdit.cpp, ProGridControlEdit.cpp, ProGridRichText.cpp) ------------------------
  TGridSpin* SpinEdit();
  TGridEditBtn* EditBtn();
  TGridUnitEditBtn* UnitEditBtn();
  TGridButton* GridButton();
  TGridDatePicker* DateTimePicker();
  TGridDateTimePicker* DateAndTimePicker();
  // The hidden rich edit that converts and measures, and the editor of edRichEdit cells.
  TProRichEdit* RichEdit();
  TProRichEdit* InplaceRichEdit();
  // The editors of a cell's form controls and of fixed cells.
  TControlEdit* FormControlEdit();
  TControlCombo* FormControlCombo();
  TGridTransEdit* EditTrans();
  TGridTransCombo* ComboTrans();
  // The link of edCustom cells (a column's link or OnGetEditorProp may set it).
  TEditLink* EditLink() const;
  void SetEditLink(TEditLink* Value);
  // The edit-button and button editors' relay to OnEllipsClick: text in, text out.
  virtual std::string EllipsClick(const std::string& Text);
  void UnitChanged(const std::string& NewUnit);
  // An editor left with Esc: the cell keeps the text it had when editing began.
  bool EditRestored() const;
  void SetEditRestored(bool Value);
  // The date-and-time editor's value when its edit began.
  double OriginalDateTime() const;
  void SetLastValidation(bool Value) { FLastValidation = Value; }
  // The control edit under way: its cell, ID and TYPE ("" when none).
  bool ControlEditing() const;
  TPoint ControlEditCell() const;
  std::string ControlEditID() const;
  void ControlComboSelect();
  // The rectangle of a cell's form control (ACol display), and its TYPE; empty when none has the ID.
  TRect FormControlRect(int ACol, int ARow, const std::string& ID, std::string* Type);
  // The fixed cell being edited, (-1, -1) when none.
  TPoint FixedCellEditing() const;
  void FixedEditChange();
  // Rich-text cells: the cell's RTF into a rich edit (an empty cell clears it), and back.
  void CellToRich(int ACol, int ARow, TProRichEdit* Richeditor);
  std::string RichToString(TProRichEdit* Richeditor);
  void RichToCell(int ACol, int ARow, TProRichEdit* Richeditor);
  TProGridEditors& Editors();
  // The per-kind show and write-back of these editors (the editing flow calls them).
  void ShowOtherEdit(int ACol, int ARow);
  void CommitOtherEdit(int ACol, int ARow);
  // The text the open special editor would store if committed now; none when it would store
  // nothing (a button, a check box, an untouched combo, an edit left with Esc).
  std::optional<std::string> PendingEditValue();
  // Shows a refused or corrected value in the open special editor, as if the user had put it there.
  void ShowPendingEditValue(const std::string& Value);

  // --- Selection -----------------------------------------------------------------------------
  void FocusCell(int ACol, int ARow);
  void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
  void SelectRows(int RowIndex, int RCount);
  void UnSelectRows(int RowIndex, int RCount);
  void SelectCols(int ColIndex, int CCount);
  void UnSelectCols(int ColIndex, int CCount);
  bool RowSelect(int ARow);
  void SetRowSelect(int ARow, bool Value);
  bool ColSelect(int ACol);
  void SetColSelect(int ACol, bool Value);
  void ClearRowSelect();
  void ClearColSelect();
  int RowSelectCount() const;
  int ColSelectCount() const;
  void SyncRowSelect(bool All);
  void SyncColSelect(bool All);
  // Rows selected one by one, in the order they were selected (fixed rows never).
  const std::vector<int>& SelectedRows() const { return FSelectedRows; }
  bool RowModified(int ARow) const;
  void SetRowModified(int ARow, bool Value);
  int ModifiedRowCount() const;
  bool RowEnabled(int ARow) const;
  void SetRowEnabled(int ARow, bool Value);
  void RepaintRow(int ARow);
  void RepaintCol(int ACol);
  void RepaintRect(const TRect& R);

  // Characters are wanted also while editing is off, so typing can search.
  unsigned DialogCode() const override;

  // --- Cell graphics (CellGraphic*.cpp, ProGridCheckBoxes.cpp) -----------------------------------
  // ACol is a real column, ARow a display row unless said otherwise.
  virtual TCellGraphic* GetCellGraphic(int ACol, int ARow) const;
  // ctEmpty for a cell without a graphic and for negative indexes.
  virtual TCellType GetCellType(int ACol, int ARow) const;
  // Replaces whatever graphic the cell had with a new one of kind ctNone.
  TCellGraphic* CreateCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphicOfKind(int ACol, int ARow, TCellType Kind);
  // Whether the base cell of (ACol, ARow) holds a graphic of one of the kinds.
  bool HasCellGraphicOf(int ACol, int ARow, std::initializer_list<TCellType> Kinds) const;
  // The graphic of the real cell (ACol, ARow), shown or hidden.
  TCellGraphic* AllCellGraphic(int ACol, int ARow) const;
  void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* GetBitmap(int ACol, int ARow) const;
  bool HasBitmap(int ACol, int ARow) const { return GetBitmap(ACol, ARow) != nullptr; }
  bool RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctBitmap); }
  void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                  int padding, TCellHAlign hal, TCellVAlign val);
  TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int padding,
                          TCellHAlign hal, TCellVAlign val);
  TPicture* GetPicture(int ACol, int ARow) const;
  bool HasPicture(int ACol, int ARow) const { return GetPicture(ACol, ARow) != nullptr; }
  bool RemovePicture(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctPicture); }
  void AddIcon(int ACol, int ARow, TBitmap* AIcon, TCellHAlign hal, TCellVAlign val);
  TBitmap* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
  bool RemoveIcon(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctIcon); }
  void AddRotated(int ACol, int ARow, int AAngle, const std::string& s);
  bool IsRotated(int ACol, int ARow, int& aAngle) const;
  void SetRotated(int ACol, int ARow, int AAngle);
  bool RemoveRotated(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctRotated); }

  // Check boxes and radio buttons. Add... raise "Invalid cell" outside the grid's real cells.
  void AddCheckBox(int ACol, int ARow, bool State, bool Data);
  void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
  void AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox);
  void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
  void RemoveCheckBox(int ACol, int ARow);
  void RemoveCheckBoxColumn(int ACol);
  void AddRadioButton(int ACol, int ARow, bool State);
  void AddRadioButtonColumn(int ACol);
  void RemoveRadioButton(int ACol, int ARow);
  void RemoveRadioButtonColumn(int ACol);
  bool HasCheckBox(int ACol, int ARow) const;
  bool HasDataCheckBox(int ACol, int ARow) const;
  bool HasRadioButton(int ACol, int ARow) const { return HasCellGraphicOf(ACol, ARow, {ctRadioButton}); }
  bool IsDataGraphicCell(int ACol, int ARow) const;
  // ARow is a real row here.
  bool GetCheckBoxState(int ACol, int ARow, bool& State);
  bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
  bool SetCheckBoxState(int ACol, int ARow, bool State);
  bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
  bool IsChecked(int ACol, int ARow);
  static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }
  // Writes the state and tells CheckBoxChange only on a real change.
  bool ChangeCheckBoxState(int ACol, int ARow, bool State);
  void CheckAll(int ACol);
  void UnCheckAll(int ACol);
  bool ToggleCheckBox(int ACol, int ARow) { return DoToggleCheck(ACol, ARow, false); }
  virtual bool DoToggleCheck(int ACol, int ARow, bool UserAction);
  virtual bool DoToggleRadioButton(int ACol, int ARow, bool UserAction);
  bool IsRadioButtonChecked(int ACol, int ARow) const;
  int GetRadioButtonColumnIndex(int ACol) const;
  bool SetRadioButtonState(int ACol, int ARow, bool State);
  void SetRadioButtonColumnIndex(int ACol, int Index);
  // Whether (XPos, YPos) hits the cell's check box or radio button; the whole cell unless
  // MouseActions.PreciseCheckBoxCheck asks for the glyph's square.
  bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
  // Screen size of a cell's graphic; Reserve is a height kept free for pictures.
  TPoint GetCellGraphicSize(int ACol, int ARow) {
    TPoint Size;
    CalcCellGraphicSize(ACol, ARow, Size, 0);
    return Size;
  }
  virtual void CalcCellGraphicSize(int ACol, int ARow, TPoint& Size, int Reserve);
  // One check box glyph in R, on the grid's canvas or on another one. With TriState, State gives
  // the checked and grayed looks.
  void DrawCheck(const TRect& R, bool Checked, bool Enabled, bool Grayed, TGridControlStyle Style,
                 bool TriState, TCheckBoxState State) {
    DrawCheck(Canvas(), R, Checked, Enabled, Grayed, Style, TriState, State);
  }
  void DrawCheck(TCanvas& ACanvas, const TRect& R, bool Checked, bool Enabled, bool Grayed,
                 TGridControlStyle Style, bool TriState, TCheckBoxState State);

  // --- Cell graphic painting (ProGridGraphicPaint.cpp, ProGridRadioGlyphs.cpp) -------------------
  // The graphic of cell (ACol real, ARow display) with the size it takes in the layout, its
  // alignments and whether the text shows beside it; nullptr (0 x 0, haLeft, vaTop, text shown)
  // for a cell without one.
  TCellGraphic* GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& GVAlign, TCellHAlign& GHAlign,
                                   bool& TextToo, int& H, int& W);
  // Paints the graphic of cell (RCol real, ARow display) into the cell's inner rectangle R on any
  // canvas. HA and VA are the text's alignments, TW the width of the text drawn (0: none). With
  // BeforeText only an interface object that asks to come before the text paints; without it
  // every other graphic does. A node symbol moves R's left edge for what the painter does after.
  void DrawCellGraphic(TCanvas& ACanvas, TRect& R, int RCol, int ARow, TAlignment HA, TVAlignment VA, int TW,
                       TGridDrawState State, bool BeforeText = false);
  // x kept within 0 .. 100.
  static double LimitPercent(double x) { return x < 0 ? 0 : x > 100 ? 100 : x; }
  // Num radio buttons in R with the item texts of List (may be null). Index: the checked item;
  // -1 checks the item equal to the cell's text. HV: side by side. Scale sizes the classic
  // glyphs for printing (1 on screen); ReverseY stacks upward.
  void DrawRadioButtons(TCanvas& ACanvas, const TRect& R, int Num, int Index, bool HV, bool Disabled,
                        const TStrings* List, bool Selected, int ACol, int ARow, TGridControlStyle Style,
                        double Scale, bool ReverseY);
  // Images of GridImages in cells; the Add... operations need the image list.
  void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool GetImageIdx(int ACol, int ARow, int& idx) const;
  void SetImageIdx(int ACol, int ARow, int Idx);
  bool RemoveImageIdx(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctImageList); }
  // The image shown is the cell's number plus Aidx; an empty cell takes Aidx as its number.
  void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool HasDataImage(int ACol, int ARow) const { return HasCellGraphicOf(ACol, ARow, {ctDataImage}); }
  // Also empties the cell's text.
  bool RemoveDataImage(int ACol, int ARow);
  // Several images side by side (Dir 0) or stacked; their index list is the graphic's.
  void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
  bool RemoveMultiImage(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctImages); }
  void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                      TStretchMode stretchmode, int padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode stretchmode, int padding,
                                  TCellHAlign hal, TCellVAlign val);
  TFilePicture* GetFilePicture(int ACol, int ARow) const;
  bool RemoveFilePicture(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctFilePicture); }
  // An object that paints itself (it answers IGridCellObject); it stays the caller's.
  void AddInterfacedCell(int ACol, int ARow, TPersistent* AObject);
  TPersistent* GetInterfacedCell(int ACol, int ARow) const;
  bool RemoveInterfacedCell(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctInterface); }
  TImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value) { FGridImages = Value; }
  virtual TImageList* GetGridImages() const { return FGridImages; }
  // The cell whose button the mouse is over ({-1, -1}: none); its button paints hot.
  TPoint HoverButton() const { return FHoverButton; }
  void SetHoverButton(TPoint Value) { FHoverButton = Value; }

  // --- Looks, styles and tones (ProGridLooks.cpp) ---------------------------------------------
  TGridLook Look() const { return FLook; }
  void SetLook(TGridLook Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { SetAndRepaint(FFlat, Value); }
  const TColorTones& Tones() const { return FTones; }
  TZUZStyle ComponentStyle() const { return FStyle; }
  // Fixed-cell gradients: plain, under the mouse and pressed.
  TColor ZUZGradientFrom() const { return FZUZGradFrom; }
  void SetZUZGradientFrom(TColor Value) { SetAndRepaint(FZUZGradFrom, Value); }
  TColor ZUZGradientTo() const { return FZUZGradTo; }
  void SetZUZGradientTo(TColor Value) { SetAndRepaint(FZUZGradTo, Value); }
  TColor ZUZGradientMirrorFrom() const { return FZUZGradMirrorFrom; }
  void SetZUZGradientMirrorFrom(TColor Value) { SetAndRepaint(FZUZGradMirrorFrom, Value); }
  TColor ZUZGradientMirrorTo() const { return FZUZGradMirrorTo; }
  void SetZUZGradientMirrorTo(TColor Value) { SetAndRepaint(FZUZGradMirrorTo, Value); }
  TColor ZUZGradHoverFrom() const { return FZUZGradHoverFrom; }
  TColor ZUZGradHoverTo() const { return FZUZGradHoverTo; }
  TColor ZUZGradHoverMirrorFrom() const { return FZUZGradHoverMirrorFrom; }
  TColor ZUZGradHoverMirrorTo() const { return FZUZGradHoverMirrorTo; }
  TColor ZUZGradHoverBorder() const { return FZUZGradHoverBorder; }
  TColor ZUZGradDownFrom() const { return FZUZGradDownFrom; }
  TColor ZUZGradDownTo() const { return FZUZGradDownTo; }
  TColor ZUZGradDownMirrorFrom() const { return FZUZGradDownMirrorFrom; }
  TColor ZUZGradDownMirrorTo() const { return FZUZGradDownMirrorTo; }
  TColor ZUZGradDownBorder() const { return FZUZGradDownBorder; }

  // A change of the look sets its group of colours; glCustom sets none.
  static void LookToString(TGridLook Value, std::string& Text);
  static void LookToCaption(TGridLook Value, std::string& Text);
  virtual void SetStyle(TProGridStyle AStyle);
  void SetComponentStyle(TZUZStyle AStyle);
  void SetTheme(TXPColorScheme Scheme);
  // The flat look of colour tones.
  void SetColorTones(const TColorTones& ATones);
  // Follows the office suite's colour theme (none is found on this platform).
  void ApplyOfficeTheme();
  TColor SelectionColorTo() const { return FSelectionColorTo; }
  void SetSelectionColorTo(TColor Value) { SetAndRepaint(FSelectionColorTo, Value); }
  void SetSelectionTextColor(TColor Value) { SetAndRepaint(FSelectionTextColor, Value); }
  void SetScrollType(TScrollType Value);
  // Redraws the grid's border when it is shown.
  void SetBorderColor(TColor Value);
  // Links in cells: shown with URLShow, in URLColor; URLFull shows the whole address.
  void SetURLColor(TColor Value);
  bool URLShow() const { return FURLShow; }
  void SetURLShow(bool Value);
  bool URLFull() const { return FURLFull; }
  void SetURLFull(bool Value);

  // --- Node rows (ProGridNodes.cpp) -----------------------------------------------------------
  TCellNode& CellNode() { return FCellNode; }
  const TCellNode& CellNode() const { return FCellNode; }
  // 0 without node rows, for a negative row and for a row without cell properties in column 0;
  // else its level times the indent.
  int GetRowIndent(int ARow) const override;
  bool HasNodes() const override { return FNumNodes > 0; }
  int NodeCount() const { return FNumNodes; }
  // ARow is a real row for the operations that change nodes, a display row for the queries.
  // A span past the last row takes the rows there are; a real row outside the grid adds no node.
  void AddNode(int ARow, int Span);
  void AddSummary(int ARow);
  void RemoveNode(int ARow);
  void RemoveAllNodes();
  bool IsNode(int ARow) const;
  bool IsSummary(int ARow) const;
  // True for a collapsed node.
  bool GetNodeState(int ARow) const;
  void SetNodeState(int ARow, bool Value);
  // -1 for a row that is no node.
  int GetNodeLevel(int ARow) const;
  int GetNodeSpan(int ARow) const;
  void SetNodeSpan(int ARow, int Span);
  void UpdateNodeSpan(int ARow, int Delta);
  int GetSubNodeCount(int ARow) const;
  void UpdateSubNodeCount(int ARow, int Delta);
  // 0 a node row, 2 a row whose tree line goes on to the next row, 1 one where it ends.
  int GetNodeSpanType(int ARow) const;
  void ExpandNode(int ARow);
  void DoExpandNode(int ARow);
  void ContractNode(int ARow);
  void ExpandAll();
  void ContractAll();
  // The node row heading the group ARow lies in (a node row answers itself); -1 outside groups.
  int GetParentRow(int ARow) const;
  void InsertChildRow(int ARow, int InsertAt);
  void RemoveChildRow(int ARow);
  void InsertNormalRow(int ARow);
  void RemoveNormalRow(int ARow);
  // Whether client X on the row hits its node symbol.
  bool IsNodeClick(int ARow, int X) const;

  // --- Indicators and annotations (ProGridIndicators.cpp); ACol real, ARow display ---------------
  // Each Add... replaces whatever graphic the cell had; each Remove... only its own kind.
  void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                     TColor BKTextColor);
  void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, const std::string& Fmt, int Min, int Max);
  bool HasProgress(int ACol, int ARow) const { return HasCellGraphicOf(ACol, ARow, {ctProgress}); }
  bool RemoveProgress(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctProgress); }
  void AddProProgress(int ACol, int ARow, int Min, int Max);
  bool RemoveProProgress(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctXPProgress); }
  void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
  // Only a pie cell takes the value.
  void SetProgressPie(int ACol, int ARow, int Value);
  bool RemoveProgressPie(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctProgressPie); }
  void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
  bool RemoveRangeIndicator(int ACol, int ARow) {
    return RemoveCellGraphicOfKind(ACol, ARow, ctRangeIndicator);
  }
  void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                TCellVAlign val);
  void SetShapeColor(int ACol, int ARow, TColor FillColor);
  // clNone for a cell that holds no shape.
  TColor GetShapeColor(int ACol, int ARow) const;
  bool RemoveShape(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctShape); }
  void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
  bool HasRating(int ACol, int ARow) const { return HasCellGraphicOf(ACol, ARow, {ctRating}); }
  bool RemoveRating(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctRating); }
  void AddComment(int ACol, int ARow, const std::string& Comment);
  void AddColorComment(int ACol, int ARow, const std::string& Comment, TColor Color);
  bool IsComment(int ACol, int ARow, std::string& comment) const;
  std::string GetComment(int ACol, int ARow) const;
  // A cell without a graphic gets a comment; a cell with another graphic is left alone.
  void SetComment(int ACol, int ARow, const std::string& Value);
  bool RemoveComment(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctComment); }
  void RemoveAllComments();
  // A marked text range on the cell's graphic of any kind (a marker-only graphic when it has none).
  void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
  void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen) const;
  void RemoveMarker(int ACol, int ARow);
  void RemoveAllMarkers();
  // A check box or radio button takes the balloon beside itself; other graphics take none.
  void AddBalloon(int ACol, int ARow, const std::string& Title, const std::string& Text, TBalloonIcon Icon);
  bool HasBalloon(int ACol, int ARow) const;
  bool IsBalloon(int ACol, int ARow, std::string& Title, std::string& Text, TBalloonIcon& Icon) const;
  void RemoveBalloon(int ACol, int ARow);

  // --- Interactive cell objects (ProGridCellObjects.cpp) ---------------------------------------
  // Buttons: ACol is a display column for the text, push and rectangle operations.
  void AddButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TCellHAlign hal,
                 TCellVAlign val);
  void AddBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TBitmap* Glyph,
                    TCellHAlign hal, TCellVAlign val);
  // The glyph is the cell's; the caller draws into it.
  TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TCellHAlign hal,
                           TCellVAlign val);
  void SetButtonText(int ACol, int ARow, const std::string& Caption);
  std::string GetButtonText(int ACol, int ARow) const;
  void PushButton(int ACol, int ARow, bool push);
  bool HasButton(int ACol, int ARow) const;
  bool RemoveButton(int ACol, int ARow);
  bool RemoveBitButton(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctBitButton); }
  void RemoveAllButtons();
  // Where the painter last placed the button; (0, 0, 0, 0) for a cell without a graphic.
  TRect GetCellButtonRect(int ACol, int ARow) const;
  // Radio groups; sl stays the caller's, CreateRadio's list is the cell's.
  void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl);
  TStringList* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
  bool IsRadio(int ACol, int ARow) const;
  TStringList* GetRadioStrings(int ACol, int ARow) const;
  bool GetRadioIdx(int ACol, int ARow, int& IdxRadio) const;
  bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
  // Selects the next item (wrapping); nothing for a group without items. Answers False.
  bool AdvanceRadio(int ACol, int ARow, bool UserAction);
  bool RemoveRadio(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctRadio); }
  // Expand cells switch their row between two heights.
  void AddExpand(int ACol, int ARow, int ExpandedHeight);
  bool HasExpand(int ACol, int ARow) const;
  bool ToggleExpand(int ACol, int ARow);
  bool GetExpandState(int ACol, int ARow) const;
  int GetExpandHeight(int ACol, int ARow, bool Expanded) const;
  TRect GetExpandRect(int ACol, int ARow) const;
  bool RemoveExpand(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctExpand); }
  // Cell scroll bars.
  void AddScrollBar(int ACol, int ARow, bool AutoRange);
  bool HasScrollBar(int ACol, int ARow) const;
  bool HasAutoRangeScrollBar(int ACol, int ARow) const;
  void SetScrollPosition(int ACol, int ARow, int Pos);
  int GetScrollPosition(int ACol, int ARow) const;
  void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
  TScrollProp GetScrollProp(int ACol, int ARow) const;
  bool RemoveScrollBar(int ACol, int ARow) { return RemoveCellGraphicOfKind(ACol, ARow, ctScrollbar); }

protected:
  // The print engine (ProGridPrintPages.cpp): lays PrintRect out on pages and counts them (Mode 2
  // for a print, 3 for a preview) or draws them (0 preview, 1 print or one page); returns the
  // number of pages laid out.
  int PrintPages(TCanvas& ACanvas, int Mode, bool SelectedOnly, int TotalPages);
  // A cell's printed width and height (ProGridPrintCells.cpp; ACol real).
  TPoint MeasurePrintCell(TPrintRun& Run, int ACol, int ARow);
  // Draws the printed cells of display columns First..Last of a row with their top at Y; returns
  // the row's advance.
  int PrintRow(TPrintRun& Run, int Y, int First, int Last, int ARow);
  int PrintRowHeight(TPrintRun& Run, int ARow);
  bool IsPrintedRow(const TPrintRun& Run, int ARow);
  bool IsPrintedCol(const TPrintRun& Run, int ACol);
  virtual void PrintGetPageNum(int PageNum, int PageColNum, std::string& PageNumString) {
    if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
  }

  bool SelectCell(int ACol, int ARow) override { return CanSelectCell(ACol, ARow); }
  int GetEditLimit() override { return FMaxEditLength; }
  TInplaceEdit* CreateEditor() override;
  bool CanEditShow() override;
  // Tracks the mini-HTML link and shows the balloon of the cell under the mouse (from MouseMove).
  void BalloonMouseMove(int X, int Y);
  // The mouse left: no link is under it.
  void HoverLinkLeave();
  bool ScrollBarAlwaysShown(bool Vertical) const override {
    return FScrollBarAlways == saBoth || FScrollBarAlways == (Vertical ? saVert : saHorz);
  }
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The grid's own key commands around the runtime grid's (ProGridKeys.cpp).
  void WMKeyDown(TMessage& Message) override;
  // Alt with a letter runs the search bar's find or highlight button of that accelerator.
  void CMDialogChar(TMessage& Message) override;
  void WMChar(TMessage& Message) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  // Enter and Escape around an edit, and the incremental search (ProGridEditNavigation.cpp).
  void KeyPress(WideChar& Key) override;
  // Fires OnSelectionChanged when the selection moved since FMoveSelection.
  void ReportSelectionChange();
  // "GridEditDone" becomes OnEditCellDone (ProGridFocus.cpp).
  void WndProc(TMessage& Message) override;
  // The editor's text of a display cell: its merged area's base cell at its real column.
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  // Nothing while the update lock is held.
  void Paint() override;
  void WMMouseWheel(TMessage& Message) override;
  // The mouse's messages before the runtime grid sees them; true when handled in full.
  bool MouseMessage(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void CMMouseLeave(TMessage& Message) override;
  // The hint of the cell under the pointer (BuildCellHint).
  void CMHintShow(TMessage& Message) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void TopLeftChanged() override;
  void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) override;
  void PaintOverlay() override;
  void DoEnter() override;
  void DoExit() override;
  void WMKillFocus(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override;
  void WMVScroll(TMessage& Message) override;
  void WMHScroll(TMessage& Message) override;

private:
  // The colours of the active cell's headers, the cell's properties and the handler.
  void CellColorOf(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont);
  // Validates the value of the open editor (or of a special editor that stored its value when it
  // lost the focus to the grid) before the current cell moves; false: refused, the edit goes on.
  bool ValidateOpenEdit();
  // The focus is on a control placed in the grid (an editor), not on the grid itself.
  bool ChildHasFocus() const;
  // Commits and closes an open special editor, the grid taking the focus it had.
  void CloseSpecialEdit();
  // A refused value: the cell gets the handler's text (or its old one) and the edit reopens there.
  void RefuseValue(const std::string& NewValue, const std::string& Value);
  class TValidationRun;
  void StartGridTimer();
  void GridTimerTick();
  struct TTabStep;
  TTabStep NextTabCell(TGridCoord At, bool Backward);
  // Home and End by Navigation.HomeEndKey; false when the runtime grid takes the key.
  bool HomeEndKey(std::uint16_t Key, TShiftState Shift);
  // Arrow keys over fixed cells inside the grid; true when the key was taken.
  bool SkipFixedCellsKey(std::uint16_t Key);

  // A new graphic of a kind in the cell, replacing the one it had.
  TCellGraphic* NewGraphic(int ACol, int ARow, TCellType Kind, TCellHAlign hal, TCellVAlign val);
  void RepaintGraphicCell(int ACol, int ARow);
  // The graphic of the cell's merge origin.
  TCellGraphic* BaseGraphic(int ACol, int ARow) const;
  // A setting of the control look was stored: fixed-cell colours that are colours become the
  // grid's, the style repaints.
  void ControlLookChanged(std::string_view Name);
  // The fixed-cell gradients of the control look; the grid's fixed cells take those that are colours.
  void SetFixedGradients(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo);
  void SetHoverGradients(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo);
  void SetDownGradients(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo);
  // Painting parts of DrawCellGraphic.
  void DrawNodeGlyph(TCanvas& C, TRect& R, const TCellGraphic& g, int RCol, int ARow, TGridDrawState State);
  void DrawCellButton(TCanvas& C, const TRect& R, TCellGraphic& g, int RCol, int ARow, int gl, int gt, int gr,
                      int gb);
  // Node levels of column 0 (0 without cell properties).
  int RowNodeLevel(int ARow) const;
  void ChangeRowLevels(int FromRow, int Count, int Delta);
  // The first node row after ARow, RowCount when there is none.
  int NextNodeRow(int ARow) const;
  // Before the column count drops to NewCount: hidden columns behind the cut are renumbered to
  // stay inside the real columns, with their cells, widths and hidden rows' cells.
  void KeepHiddenColumns(int NewCount);
  // Switches editing on or off for the cell about to become current; T is re-read when an edit
  // was closed.
  void PrepareEditing(int ACol, int ARow, std::string& T);
  template <class T> void SetAndRepaint(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  // Adds (Add) or removes the tag around HiText in the base cells of a rectangle.
  void TagCells(int FromCol, int FromRow, int ToCol, int ToRow, const char* Tag, bool Add, bool DoCase,
                const std::string& HiText);
  // Rows and real columns of the DoFixed ranges.
  void FixedRangeRows(bool DoFixed, int& FromRow, int& ToRow) const;
  void FixedRangeCols(bool DoFixed, int& FromCol, int& ToCol) const;
  // Takes the visible real rows of Rows (sorted, unique) out of the grid into items of Level.
  void HideRealRows(const std::vector<int>& Rows, int Level);
  // Puts the items at the given positions of FGridItems (ascending) back into the grid.
  void RestoreItems(const std::vector<size_t>& Positions);
  void ScrollHint(bool Vertical, TMessage& Message);
  void DragScrollTick();
  void StopDragScroll();
  // Internal stretches skip an index that no longer exists instead of raising.
  void StretchIfWanted();
  void HookForm();
  void UnhookForm();
  void FormResized(TObject* Sender);
  // The office exchange behind the public entry points (ProGridOffice.cpp).
  void LoadXLS(const std::string& FileName, const std::string& SheetName);
  void SaveXLS(const std::string& FileName, const std::string& SheetName, bool CreateNewSheet);
  void SaveDOC(const std::string& FileName, bool CreateNewDocument, bool Append, const std::string& Bookmark);
  // Puts the layout of a checked column states text into the grid (ProGridColumnStates.cpp).
  struct TColumnStates;
  void ApplyColumnStates(const TColumnStates& States);

  // Hidden columns: one entry per real column, grown as columns are.
  std::vector<bool> FVisibleCol;
  std::vector<int> FAllColWidths;
  int FNumHidden = 0;
  std::vector<TGridItem> FGridItems; // sorted by Idx
  int FFilterLevel = 0;

  int FFixedRightCols = 0;
  int FFixedFooters = 0;
  bool FFixedRowAlways = false;
  bool FFixedColAlways = false;
  TPlainRange FPlainRange;
  bool FIntegralHeight = false;
  bool FSizeWithForm = false;
  bool FEnhRowColMove = true;
  bool FLoaded = false;
  int FMinFixedRows = 1;
  int FMinFixedCols = 1;
  int FFixedRowsMin = 1;
  int FFixedColsMin = 1;
  int FMaxRowCount = 0;
  int FMaxColCount = 0;
  TFloatingFooter FFloatingFooter;
  TColumnSize FColumnSize;
  TSizeWhileTyping FSizeWhileTyping;
  THTMLSettings FHTMLSettings;
  TDragScrollOptions FDragScrollOptions;
  TGrouping FGrouping;
  TControlLook FControlLook;
  TBackGround FBackGround;
  TBalloonSettings FBalloon;
  TShowModified FShowModified;
  TSortSettings FSortSettings;
  TDragDropSettings FDragDropSettings{this};
  TGridProgressAppearance FProgressAppearance;
  TFilterDropDown FFilterDropDown;
  TPrintSettings FPrintSettings;
  std::unique_ptr<TFilter> FFilter = std::make_unique<TFilter>(this);
  std::vector<int> FColumnOrder;
  TGridRect FOldSelection;
  bool FSelHidden = false;
  bool FIsColChanging = false;
  TScrollHintType FScrollHints = shNone;
  bool FScrollSynch = false;
  std::string FScrollHintText;
  TTimer* FDragTimer = nullptr;
  TDragScrollDirection FDragVert = dsdNone;
  TDragScrollDirection FDragHorz = dsdNone;
  int FUpdateCount = 0;
  // The column or row the mouse is sizing (-1: none), its size when the drag began, and whether
  // the size change now reported ends that drag.
  int FColClicked = -1;
  int FRowClicked = -1;
  int FColClickedSize = 0;
  int FRowClickedSize = 0;
  bool FColSized = false;
  bool FRowSized = false;
  TNavigation FNavigation;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  ITProStringGridSelect* FSelListener = nullptr;
  std::vector<TGridChangeNotifier*> FNotifiers;
  int FOldRowSel = -1;
  std::string FCellCache;

  bool FActiveCellShow = false;
  TFont FActiveCellFont;
  TFont FFixedFont;
  TFont FCellFont;
  TColor FActiveCellColor = 0x808080;
  TColor FActiveCellColorTo = clNone;
  TColor FSelectionColor = 0xEACAB6;
  TColor FSelectionTextColor = 0;
  TColor FHighlightColor = clHighlight;
  TColor FHighlightTextColor = clHighlightText;
  TColor FDisabledFontColor = 0xC0C0C0;
  TColor FBorderColor = 0xB99D7F;
  TColor FHintColor = clInfoBk;
  TColor FScrollColor = clNone;
  TColor FURLColor = 0xFF0000;
  TEditorType FDefaultEditor = edNormal;
  std::string FCheckTrue = "Y";
  std::string FCheckFalse = "N";
  std::string FFloatFormat = "%.2f";
  std::string FFilterDropDownClear = "(All)";
  std::string FPasswordChar = "*";
  bool FFilterDropDownAuto = false;
  TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
  bool FFilterIncremental = false;
  bool FEditDisable = false;
  bool FEditChange = false;
  bool FEnableHTML = true;
  bool FEnableWheel = true;
  bool FShowSelection = true;
  int FSelectionColorMixerFactor = 50;
  THoverFixedCells FHoverFixedCells = hfNone;
  TScrollBarAlways FScrollBarAlways = saNone;
  TScrollType FScrollType = ssNormal;
  int FScrollWidth = 17;
  TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
  TVAlignment FVAlignment = vtaTop;
  TAlignment FDefaultAlignment = taLeftJustify;
  bool FDropDownAlwaysVisible = false;
  bool FSpinButtonsAlwaysVisible = false;
  TProStringGridCheck* FCellChecker = nullptr;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TBands> FBands;
  std::vector<std::string> FFilterList;
  TEditorType FEditControl = edNormal;
  std::string FValidChars;
  std::bitset<256> FValidCharSet;
  bool FNoEditChange = false;
  TGridCombo* FEditCombo = nullptr;
  TGridCheckBox* FEditCheck = nullptr;
  std::shared_ptr<TProGridEditors> FEditors;
  bool FSpecialEditor = false;
  bool FEditActive = false;
  bool FComboTouched = false;
  bool FValidating = false;
  bool FEditing = false;
  std::string FNewCellText;
  int FComboIdx = -1;
  TStringList FComboStrings;
  TStringList FLookupItems;
  bool FLookup = false;
  bool FLookupCaseSensitive = false;
  bool FLookupHistory = false;
  bool FShowNullDates = true;
  bool FShowDesignHelper = true;
  bool FHovering = false;
  TPoint FXYOffset{2, 2};
  bool FURLShowInText = false;
  bool FSaveFixedCells = true;
  bool FSaveFixedRows = false;
  bool FSaveFixedCols = false;
  std::vector<int> FPrintColWidths = std::vector<int>(513, 0);
  std::vector<int> FPrintColOffsets = std::vector<int>(513, 0);
  bool FFastPrint = false;
  bool FPrinterDriverFix = false;
  bool FIsPrintPreview = false;
  int FPrintPageFrom = 1;
  int FPrintPageTo = 1;
  int FPrintNrOfPages = 0;
  TRect FPrintPageRect{};
  int FPrintPageWidth = 0;
  int FPrintColStart = 0;
  int FPrintColEnd = 0;
  TGridRect FPrintRect{};
  TRect FPrevRect{};
  double FFontscalefactor = 1.0;
  TPrinter* FPrintJob = nullptr; // the printer while a print job runs
  // Each step of a print or preview run: the entry points funnel into these.
  void DoPrint(const TGridRect& Range, bool SelectedOnly);
  void DoPrintPreview(TCanvas& ACanvas, const TRect& DisplayRect, bool SelectedOnly, const TGridRect& Range);
  void MeasurePrintColumns(TPrintRun& Run);
  void FitPrintColumns(TPrintRun& Run);
  void LayOutPrintStrip(TPrintRun& Run, int First);
  void ComputePrintBlocks(TPrintRun& Run);
  int PrintPageTexts(TPrintRun& Run);
  int MeasurePrintTitle(TPrintRun& Run);
  void PrintPageBorders(TPrintRun& Run, int Y);
  void StartNextPage(TPrintRun& Run);
  void PrintCellGraphic(TPrintRun& Run, const TRect& R, int ACol, int ARow, TAlignment HA, TVAlignment VA);
  std::vector<std::string> FColumnHeaders;
  std::vector<std::string> FRowHeaders;
  unsigned FRandomState = 1;
  std::vector<char> FRowSelect;
  // The one row check box column 0 shows with HotmailRowSelect; filled each time it is asked for.
  mutable TCellGraphic FRowCheckGraphic;
  std::vector<char> FColSelect;
  std::vector<int> FSelectedRows;
  std::vector<char> FModifiedRows;
  std::vector<char> FDisabledRows;
  bool FUseEnabledRows = false;

  // Keyboard and editing host.
  int FLastTabCol = -1;
  int FLastTabRow = -1;
  bool FForceSel = false;
  WideChar FStartEditChar = 0;
  TGridRect FMoveSelection;
  TGridCoord FLastKeyCell;
  std::string FSearchInc;
  TPoint FSearchCell{-1, -1};
  TFindParams FFindParams = 0;
  std::string FSearchCache;
  int FFindCol = 0, FFindRow = 0;
  bool FFindBusy = false;
  int FSearchTics = 0;
  bool FExcelStyleDecimalSeparator = false;
  bool FEditMode = false;
  int FOldCol = -1;
  int FOldRow = -1;
  std::string FOldCellText;
  bool FOldModifiedValue = false;
  bool FGridModified = false;
  bool FAlwaysValidate = false;
  bool FLastValidation = true;
  bool FDisableChange = false;
  int FAECol = -1;
  int FAERow = -1;
  std::string FInvalidEntryTitle;
  std::string FInvalidEntryText;
  bool FBlockFocus = false;
  bool FBlockKill = false;
  bool FInvokedFocusChange = false;
  bool FUseVCLStyles = false;
  bool FUseHTMLHints = false;
  TTimer* FGridTimer = nullptr;
  int FTimerTicks = 0;
  TPickedCells FPickedCells;
  TFooterPanel* FFooterPanel = nullptr;
  TSearchPanel* FSearchPanel = nullptr; // owned as a child component
  bool FFooterWasVisible = false;
  void FloatingFooterChanged();
  bool FEditWithTags = false;
  // Sizing.
  bool FXYOffsetTopLeftOnly = false;
  int FMinColWidth = 0;
  int FMaxColWidth = 0;
  int FMinRowHeight = 0;
  int FMaxRowHeight = 0;
  bool FSizeGrowOnly = false;
  int FZoomFactor = 0;
  int FAutoNumberStart = 0;
  int FAutoNumberOffset = 0;
  bool FAutoNumberDescending = false;
  bool FExcelClipboardFormat = false;
  bool FMultilineCells = false;
  std::unique_ptr<TBitmap> FMeasure;

  // Painting.
  TSortIndexList FSortIndexes;
  // Grouping: one entry per level, newest last.
  struct TGroupLevel {
    int Column = -1;
    int Width = 0;
    std::string Caption, Footer;
    bool Sub = false;
  };
  std::vector<TGroupLevel> FGroupStack;
  // Grows the grid to Order's size: row i takes old row Order[i], or a new empty row for entries
  // at or past the old count; heights and row flags follow.
  void InsertRowsByOrder(const std::vector<int>& Order);
  // Filtering.
  bool FFilterActive = false;
  bool FFilterNormalCellsOnly = true;
  bool FAutoFilterUpdate = true;
  int FFilterFixedRows = 1;
  std::string FLastFilter;
  // Structural edits and sorting.
  bool FClearTextOnly = false;
  int FSwaps = 0;
  std::vector<int> FSortRowXRef;
  int FSortRow = -1;
  // Applies a row order (row i takes row Order[i], rows of Order's size) with everything the rows
  // carry; the cross-reference and the followed sort row go along.
  void ApplyRowOrder(const std::vector<int>& Order);
  // Puts the rows sorted from Left on in their new order; with MoveRowOnSort the current row
  // follows its row (unless FollowRow is off).
  void ApplySortedRows(const std::vector<int>& Rows, int Left, bool FollowRow);
  // Moves the flags lists' entries of the rows as ApplyRowOrder moves the rows.
  void PermuteRowFlags(const std::vector<int>& Order);
  // Exchanges two rows' cells and heights; answers the row order used.
  std::vector<int> ExchangeRows(int Index, int Index2);
  // Shifts what is kept per column (real index) after columns were inserted (Delta > 0) at At or
  // removed (Delta < 0) from At.
  void ShiftColumnState(int At, int Delta);
  int FMaxEditLength = 0;
  bool FSpreadSheet = false;
  bool FAutoSize = false;
  bool FHideFocusRect = false;
  bool FNoDefaultDraw = false;
  bool FNoImageAndText = false;
  TBitmap FRowIndicator;
  TImageList* FGridImages = nullptr;
  TPoint FHoverButton{-1, -1};
  TCellNode FCellNode;
  int FNumNodes = 0;
  TGridLook FLook = glXP;
  TColor FSelectionColorTo = clNone;
  bool FURLShow = false;
  bool FURLFull = false;
  bool FFlat = false;
  TColorTones FTones;
  TZUZStyle FStyle = tsCustom;
  TOfficeTheme FOldOfficeTheme = otUnknown;
  // The glXP look's colours: every grid starts with them.
  TColor FZUZGradFrom = 0xFFFFFF;
  TColor FZUZGradTo = clBtnFace;
  TColor FZUZGradMirrorFrom = clNone;
  TColor FZUZGradMirrorTo = clNone;
  TColor FZUZGradHoverFrom = 0xCFD0D1;
  TColor FZUZGradHoverTo = 0xBEC6C8;
  TColor FZUZGradHoverMirrorFrom = 0xBEC6C8;
  TColor FZUZGradHoverMirrorTo = 0xABBCBF;
  TColor FZUZGradHoverBorder = 0xC0C0C0;
  TColor FZUZGradDownFrom = 0x868788;
  TColor FZUZGradDownTo = 0x737C7E;
  TColor FZUZGradDownMirrorFrom = 0x737C7E;
  TColor FZUZGradDownMirrorTo = 0x627376;
  TColor FZUZGradDownBorder = 0x808080;
  int FHoverFixedX = -1;
  int FHoverFixedY = -1;
  bool FDropDownDown = false;
  TColor FSelectionMirrorColor = clNone;
  TColor FSelectionMirrorColorTo = clNone;
  bool FSelectionColorMixer = false;
  bool FSelectionRectangle = false;
  bool FSelectionResizer = false;
  TColor FSelectionRectangleColor = clHighlight;
  bool FSelectionRTFKeep = false;
  unsigned FVAlign = 0;
  bool FAutoNumAlign = false;
  bool FUseDisabledFont = false;
  bool FEnhTextSize = false;
  bool FSaveVirtCells = false;
  bool FSaveWithHTML = false;
  bool FSaveWithRTF = false;
  int FFilterRow = -1;
  int FFilterCol = -1;
  TDropList* FDropList = nullptr;           // owned as a child component
  TDropCheckList* FDropCheckList = nullptr; // owned as a child component
  bool FFilterDropDownCheck = false;
  TPoint FLastBalloonPos{-1, -1};
  bool FURLUnderlineOnHover = false;
  TPoint FHoverCell{-1, -1};
  int FHoverlink = -1;
  TBalloonHint* FBalloonTip = nullptr;
  TGridFocusWindow* FFocusWindow = nullptr; // owned as a component of the grid
  std::unique_ptr<TFocusHelper> FFocusHelper = std::make_unique<TFocusHelper>(this);
  bool FSelChange = false;

  // Mouse: the press, release and move fields, and their parts.
  void PressClassify(int ACol, int ARow, int PressCol, int PressRow, int X, int Y, TMessage& Message,
                     TShiftState KeyShift);
  void PressCheckOrCell(int ACol, int ARow, int PressCol, int PressRow, int X, int Y, TMessage& Message,
                        TShiftState KeyShift);
  bool PressAnchor(int ACol, int ARow, int PressCol, int PressRow, int X, int Y);
  bool PressNode(int ACol, int ARow, int X, int Y, TShiftState KeyShift);
  bool PressCellButton(int ACol, int ARow, int X, int Y);
  void ReleaseHeldButton(int ACol, int ARow, int X, int Y);
  void HeaderClickSort(int ACol, int ARow, int X, int Y);
  // What the string grid keeps per column besides the cells follows a moved column.
  void ColumnMovedFollow(int FromIndex, int ToIndex, int RealFrom, int RealTo);
  void RuntimeWndProc(TMessage& Message) { TBaseGrid::WndProc(Message); }
  void FireMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown && CanFire()) OnMouseDown(this, Button, Shift, X, Y);
  }
  TRect HTMLTextRect(int ACol, int RCol, int ARow) const;
  void ShowSizingHint(const std::string& Text, TPoint At);
  void HideSizingHint();
  void PanStep();
  void StopPanning();
  bool FDoOnClick = false;
  bool FMouseDownMove = false;
  bool FMouseKeepDown = false;
  bool FSpinUpClick = false;
  bool FSpinDnClick = false;
  bool FMouseDownDisjunct = false;
  bool FDeselectState = false;
  bool FSelectionClick = false;
  TPoint FPushedCellButton{-1, -1};
  bool FFixedCellPushed = false;
  TRect FPushedFixedCell{};
  bool FDblClk = false;
  bool FEditStart = false;
  bool FLButFlg = false;
  bool FColMoveFlg = false;
  bool FColSizeFlg = false;
  TMouseSelectMode FMouseSelectMode = msNormal;
  int FMouseSelectStart = -1;
  int FMoveCell = -1;
  int FMoveOfsX = 0;
  int FMoveOfsY = 0;
  TPoint FClickPos{-1, -1};
  int FClickPosDX = 0;
  int FClickPosDY = 0;
  int FOldTopRow = 0;
  int FOldKeepLeftCol = 0;
  int FMoveColInd = -1;
  int FMoveRowInd = -1;
  TPoint FLastHintPos{-1, -1};
  std::string FSizingHint;
  TPoint FSizingHintPos{-1, -1};
  bool FHintShowSizing = false;
  bool FHintShowCells = false;
  std::int64_t FSortTime = 0;
  bool FUndoSort = false;
  bool FInitSortDescending = false;
  std::set<int> FIgnoreColumns;
  TIntelliPan FIntelliPan = ipBoth;
  bool FPanning = false;
  TPoint FPanOrigin{0, 0};
  TCursor FPanPrevCursor = 0;
  TTimer* FPanTimer = nullptr;
  TPoint FPanPoint{0, 0};
  bool FCellSelectorMode = false;
  TGridRect FDropSelection{};
  TArrowWindow* FDropArrows[4] = {}; // by TArrowDirection; owned as child components
  TForm* FMoveForm = nullptr;
  bool FOleColumnDrag = false;
  TGridCoord FOlePressCell{-1, -1}; // the cell whose press kept the selection for a drag
  // The range's cells as they show now, cut to the client area (empty when none shows).
  TBitmap RangePicture(const TGridRect& ARect);
  // What a taken move takes away: the dragged rows or the dragged cells' contents, except where
  // the drop landed on this grid itself (Kept: the cells it wrote).
  void RemoveOleDragged(const TGridRect& Kept);
  // The cells a drop ending at the screen point wrote into this grid itself; (-1, -1, -1, -1)
  // when it landed elsewhere.
  TGridRect DroppedOnSelf(TPoint EndPoint);
  THeaderDragButton* FMoveButton = nullptr;
  bool FMouseResize = false;
  bool FFixedAsButtons = false;
  TPoint FCtrlXY{-1, -1};
  bool FCtrlDown = false;
  bool FEnhMoving = false;
  TControlList FControlList;
  int FOldLeftCol = 0;
  int FOldTopRowScroll = 0;

  // The owner form's resize chain: the handler found there runs after ours.
  TForm* FHookedForm = nullptr;
  std::shared_ptr<void> FResizeLink;
  int FFormWidth = 0;
  int FFormHeight = 0;
  TGridFileOptions FFileOptions;
  // Loads CSV bytes that Owner keeps unchanged while it lives (null: they are copied if kept), or
  // with a file name the file's bytes, each piece read scanned while the processor holds it.
  void LoadCSV(std::string_view Bytes, std::shared_ptr<const void> Owner, const std::string* FileName, int MaxRows,
               bool Insert);
  // The CSV text in pieces that end at row ends, each handed to Take once written.
  void WriteCSV(bool Unicode, const std::function<void(std::string_view)>& Take);
  std::string HTMLPage(const std::string* PictureDir, const char* Encoding);
  TGridStreamID FStreamID;
  TPoint FClipTopLeft{0, 0};
  TClipOperation FClipLastOp = coCopy;
  bool FPasteAll = false;
  TSize FPastedSize; // the block of the last paste, for the fill that repeats it
  bool PasteAllowedAt(int ACol, int ARow);
  bool PasteField(int ACol, int ARow, std::string Field, bool Events);
};
