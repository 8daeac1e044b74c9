// The string grid's events: what the grid reports to its owner. Row comes before column in the
// click, hint, fixed-cell, password, colour, alignment and border events; column before row in the
// others (the combo close-up and drop-down events excepted). Unassigned events are skipped.
#pragma once

#include "controls/ProUtilDates.h"
#include "grid/GridOptionTypes.h"
#include "grid/GridTypes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/GridsCore.h"

#include <cstdint>
#include <functional>
#include <string>

class TCanvas;
class TCheckListBox;
class TEditLink;
class TPopupMenu;
class TStrings;
class TStringList;

enum TSearchAction { saFindFirst, saFindNext, saFindPrevious, saHighlight, saClose };
enum TDragScrollDirection { dsdNone, dsdUp, dsdDown, dsdLeft, dsdRight };

using TAutoAdvanceEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int ACol, int ARow,
                                                TGridDrawState AState, const TRect& ARect, bool Printing)>;
using TCustomCellSizeEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, int ACol, int ARow, TPoint& ASize, bool Printing)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TGridColorEvent = std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                           TBrush& ABrush, TFont& AFont)>;
using TCellCursorEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                       TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen& APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen& LeftPen,
                                                TPen& TopPen, TPen& RightPen, TPen& BottomPen)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, int Column, int ItemIndex,
                                              const std::string& FriendlyName, std::string& FilterCondition)>;
using TFilterCheckEvent =
    std::function<void(TObject* Sender, int Column, int ItemIndex, const std::string& FriendlyName,
                       std::string& FilterCondition, TCheckListBox* CheckList)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle,
                                            std::string& aPrefix, std::string& aSuffix)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, std::string& hintstr)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, std::string& hintstr)>;
using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TGridBalloonEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& ATitle,
                                             std::string& AText, int& AIcon)>;
using TCustomStrToDateEvent =
    std::function<void(TObject* Sender, const std::string& Value, TDateTime& ADate)>;
using TGridPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TGridPrintPageNumEvent =
    std::function<void(TObject* Sender, int PageNum, int PageColNum, std::string& PageNumString)>;
using TGridPrintPageDoneEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, int LastRow, int LastRowOffset, int LastPage,
                       int PageXSize, int PageYSize)>;
using TGridPrintStartEvent = std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;
using TGridPrintCancelEvent = std::function<void(TObject* Sender, int PageNr, bool& Cancel)>;
using TDoFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
using TGridPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TGridPrintColumnWidthEvent = std::function<void(TObject* Sender, int ACol, int& Width)>;
using TGridPrintRowHeightEvent = std::function<void(TObject* Sender, int ARow, int& Height)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, int ACol)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanDelete)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TNodeClickEvent = std::function<void(TObject* Sender, int ARow, int ARowreal)>;
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const std::string& str1, const std::string& str2, int& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
using TSearchEditChangeEvent =
    std::function<void(TObject* Sender, const std::string& Value, bool& DefaultSearch)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const std::string& Value, int ACol,
                                                    int ARow, TSearchAction SearchAction)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, bool& CanShow)>;
using TFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu*& AMenu,
                                               bool& KeepFixedCellHighlighted)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TCanClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TFixedEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Anchor, bool& AutoHandle)>;
using TAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Anchor)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, std::string& Anchor)>;
using TCellControlEvent = std::function<void(TObject* Sender, int ARow, int ACol, const std::string& CtrlID,
                                             const std::string& CtrlType, const std::string& CtrlVal)>;
using TCellComboControlEvent = std::function<void(
    TObject* Sender, int ARow, int ACol, const std::string& CtrlID, const std::string& CtrlType,
    const std::string& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)>;
using TCellComboControlSelectEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex, const std::string& CtrlID,
                       const std::string& CtrlValue)>;
using TClipboardEvent = std::function<void(TObject* Sender, const std::string& value, bool& allow)>;
using TAfterCellPasteEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TAfterCellPasteWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TBeforeCellPasteEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Allow)>;
using TBeforeCellPasteWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Allow)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Valid)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TGridProgressEvent = std::function<void(TObject* Sender, std::int16_t progress)>;
using THasComboEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasSpinEdit)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, std::string& FloatFormat)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& S)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TColorSelectedEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& Color, std::string& Value)>;
using TColorSelectEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const std::string& Value)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, int& Index)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int Index)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TRadioButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const std::string& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const std::string& ASelection, TObject* AObject)>;
using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection& DragScrollDir, bool& CanScroll)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TFooterPaintEvent =
    std::function<void(TObject* Sender, int AColumn, TCanvas& Canvas, const TRect& ARect)>;
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool AState, bool& Allow)>;
using TSelectionChanged = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TUnitChangedEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& NewUnit)>;
using TOleDragDropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& data, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, const TGridRect& ARect)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, int OLEEffect)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDropFileEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& FileName, bool& Allow)>;
using TOleDropURLEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& URL, bool& Allow)>;
using TRatingChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, std::string& hintstr)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, int ACol, int ColumnSize)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TRowSizingEvent = std::function<void(TObject* Sender, int ARow, int RowSize)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TScrollCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition,
                                            int ScrollMin, int ScrollMax)>;
using TSelectionResizeEvent =
    std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>;
using TCellSaveLoadEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;

// The 160 events as members; the grid derives from this so they read as its own.
struct TProStringGridEvents {
  TAutoAdvanceEvent OnAutoAdvance;
  TCustomCellDrawEvent OnCustomCellBkgDraw;
  TCustomCellDrawEvent OnCustomCellDraw;
  TCustomCellSizeEvent OnCustomCellSize;
  TCustomFilterEvent OnCustomFilter;
  TGridColorEvent OnGetCellColor;
  TCellCursorEvent OnGetCellCursor;
  TGridGradientEvent OnGetCellGradient;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellPrintBorder;
  TGridBorderEvent OnGetCellBorder;
  TGridBorderPropEvent OnGetCellBorderProp;
  TGridAlignEvent OnGetAlignment;
  TWordWrapEvent OnGetWordWrap;
  TGetColumnFilterEvent OnGetColumnFilter;
  TNotifyEvent OnFilterDone;
  TFilterSelectEvent OnFilterSelect;
  TFilterCheckEvent OnFilterCheck;
  TGridFormatEvent OnGetFormat;
  TGetCheckEvent OnGetCheckTrue;
  TGetCheckEvent OnGetCheckFalse;
  TGridHintEvent OnGridHint;
  TGridWideHintEvent OnGridWideHint;
  TGroupCalcEvent OnColumnCalc;
  TGroupCalcEvent OnGroupCalc;
  TRowChangedEvent OnRowUpdate;
  TRowChangingEvent OnRowChanging;
  TColChangingEvent OnColChanging;
  TCellChangingEvent OnCellChanging;
  TGridBalloonEvent OnCellBalloon;
  TCustomStrToDateEvent OnCustomStrToDate;
  TGridPrintPageEvent OnPrintPage;
  TGridPrintPageNumEvent OnPrintGetPageNum;
  TGridPrintPageDoneEvent OnPrintPageDone;
  TGridPrintStartEvent OnPrintStart;
  TGridPrintCancelEvent OnPrintCancel;
  TDoFitToPageEvent OnFitToPage;
  TGridPrintNewPageEvent OnPrintNewPage;
  TGridPrintColumnWidthEvent OnPrintSetColumnWidth;
  TGridPrintRowHeightEvent OnPrintSetRowHeight;
  TCanAddRowEvent OnCanAddRow;
  TAutoAddRowEvent OnAutoAddRow;
  TCanInsertRowEvent OnCanInsertRow;
  TAutoInsertRowEvent OnAutoInsertRow;
  TAutoInsertColEvent OnAutoInsertCol;
  TCanDeleteRowEvent OnCanDeleteRow;
  TAutoDeleteRowEvent OnAutoDeleteRow;
  TClickSortEvent OnClickSort;
  TCanSortEvent OnCanSort;
  TNodeClickEvent OnExpandNode;
  TNodeClickEvent OnContractNode;
  TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
  TDropDownButtonClickEvent OnDropDownFooterButtonClick;
  TNodeAllowEvent OnBeforeExpandNode;
  TNodeAllowEvent OnBeforeContractNode;
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;
  TSearchEditChangeEvent OnSearchEditChange;
  TSearchFooterActionEvent OnSearchFooterAction;
  TNotifyEvent OnSearchFooterClose;
  TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
  TFixedDropDownEvent OnFixedDropDownClick;
  TClickCellEvent OnClickCell;
  TClickCellEvent OnRightClickCell;
  TDblClickCellEvent OnDblClickCell;
  TCanClickCellEvent OnCanClickCell;
  TCanEditCellEvent OnCanEditCell;
  TFixedEditEvent OnFixedEdit;
  TIsFixedCellEvent OnIsFixedCell;
  TIsPasswordCellEvent OnIsPasswordCell;
  TAnchorClickEvent OnAnchorClick;
  TAnchorEvent OnAnchorEnter;
  TAnchorEvent OnAnchorExit;
  TAnchorHintEvent OnAnchorHint;
  TCellControlEvent OnControlClick;
  TCellControlEvent OnControlEditDone;
  TCellComboControlEvent OnControlComboList;
  TCellComboControlSelectEvent OnControlComboSelect;
  TClipboardEvent OnClipboardPaste;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardCut;
  TAfterCellPasteEvent OnClipboardAfterPasteCell;
  TAfterCellPasteWideEvent OnClipboardAfterPasteWideCell;
  TBeforeCellPasteEvent OnClipboardBeforePasteCell;
  TBeforeCellPasteWideEvent OnClipboardBeforePasteWideCell;
  TCellValidateEvent OnCellValidate;
  TCellValidateWideEvent OnCellValidateWide;
  TCellsChangedEvent OnCellsChanged;
  TGridProgressEvent OnFileProgress;
  TGridProgressEvent OnFilterProgress;
  THasComboEvent OnHasComboBox;
  THasSpinEditEvent OnHasSpinEdit;
  TGetEditorTypeEvent OnGetEditorType;
  TGetEditorPropEvent OnGetEditorProp;
  TFloatFormatEvent OnGetFloatFormat;
  TEllipsClickEvent OnEllipsClick;
  TButtonClickEvent OnButtonClick;
  TCheckBoxClickEvent OnCheckBoxChange;
  TCheckBoxClickEvent OnCheckBoxClick;
  TCheckBoxClickEvent OnCheckBoxMouseUp;
  TColorSelectedEvent OnColorSelected;
  TColorSelectEvent OnColorSelect;
  TExpandClickEvent OnExpandClick;
  TImageSelectedEvent OnImageSelected;
  TImageSelectEvent OnImageSelect;
  TRadioClickEvent OnRadioClick;
  TRadioClickEvent OnRadioMouseUp;
  TRadioButtonClickEvent OnRadioButtonClick;
  TClickCellEvent OnDatePickerCloseUp;
  TClickCellEvent OnDatePickerDropDown;
  TComboChangeEvent OnComboChange;
  TClickCellEvent OnComboCloseUp;
  TClickCellEvent OnComboDropDown;
  TComboObjectChangeEvent OnComboObjectChange;
  TSpinClickEvent OnSpinClick;
  TFloatSpinClickEvent OnFloatSpinClick;
  TDateTimeSpinClickEvent OnTimeSpinClick;
  TDateTimeSpinClickEvent OnDateSpinClick;
  TNotifyEvent OnRichEditSelectionChange;
  TDragScrollEvent OnDragScroll;
  TNotifyEvent OnEditingDone;
  TEditCellDoneEvent OnEditCellDone;
  TEditChangeEvent OnEditChange;
  TDateTimeChangeEvent OnDateTimeChange;
  TFooterPaintEvent OnFooterPaint;
  TCalcFooterEvent OnFooterCalc;
  TRowDisjunctSelectEvent OnRowDisjunctSelect;
  TAutoInsertRowEvent OnRowDisjunctSelected;
  TSelectionChanged OnSelectionChanged;
  TUnitChangedEvent OnUnitChanged;
  TOleDragDropEvent OnOleDrop;
  TOleDroppedEvent OnOleDropped;
  TOleDragDropEvent OnOleDrag;
  TOleDragOverEvent OnOleDragOver;
  TOleDragStartEvent OnOleDragStart;
  TOleDragStopEvent OnOleDragStop;
  // Around a drag that leaves the grid, so that a form holds back its focus handling meanwhile.
  TNotifyEvent OnStartBlockFocus;
  TNotifyEvent OnEndBlockFocus;
  TOleDropColEvent OnOleDropCol;
  TOleDropFileEvent OnOleDropFile;
  TOleDropURLEvent OnOleDropURL;
  TRatingChangeEvent OnRatingChange;
  TScrollHintEvent OnScrollHint;
  TColumnSizeEvent OnColumnSize;
  TColumnSizingEvent OnColumnSizing;
  TColumnSizeEvent OnColumnMove;
  TColumnSizeEvent OnColumnMoving;
  TRowSizeEvent OnRowSize;
  TRowSizingEvent OnRowSizing;
  TRowSizeEvent OnRowMove;
  TRowSizeEvent OnRowMoving;
  TEndColumnSizeEvent OnEndColumnSize;
  TUpdateColumnSizeEvent OnUpdateColumnSize;
  TEndRowSizeEvent OnEndRowSize;
  TScrollCellEvent OnScrollCell;
  TSelectionResizeEvent OnSelectionResize;
  TSelectionResizeEvent OnSelectionResized;
  TNotifyEvent OnCreatedFloatingFooter;
  TNotifyEvent OnCreatedSearchFooter;
  TCellSaveLoadEvent OnSaveCell;
  TCellSaveLoadEvent OnLoadCell;
};
