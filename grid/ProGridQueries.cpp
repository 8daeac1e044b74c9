// The per-cell queries: the caller's default, then the grid's settings, then the owner's event.
#include "grid/ProGrid.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <set>

void TProStringGrid::SearchFooterAction(const std::string& Value, int ACol, int ARow, TSearchAction Action) {
  if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, Action);
}

void TProStringGrid::ButtonClick(int ACol, int ARow) {
  if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TProStringGrid::ComboCloseUp(int ARow, int ACol) {
  if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TProStringGrid::ComboDropDown(int ARow, int ACol) {
  if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TProStringGrid::GetCellHint(int ACol, int ARow, std::string& AHint, std::string& AWideHint) {
  if (OnGridHint) OnGridHint(this, ARow, ACol, AHint);
  if (OnGridWideHint) {
    OnGridWideHint(this, ARow, ACol, AWideHint);
    // Wide texts are kept as UTF-8 here, so the hint is the wide text itself.
    if (!AWideHint.empty()) AHint = AWideHint;
  }
}

void TProStringGrid::CellColorOf(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont) {
  if (FActiveCellShow) {
    int dc = RealToDisplCol(ACol);
    bool rowHead = FixedCols() > 0 && dc == FixedCols() - 1 && ARow == Row();
    bool colHead = FixedRows() > 0 && ARow == FixedRows() - 1 && dc == Col();
    if (rowHead || colHead) {
      AFont.Assign(FActiveCellFont);
      ABrush.SetColor(FActiveCellColor);
    }
  }
  if (const TCellProperties* props = FindCellProperties(ACol, ARow)) {
    // Cells with a graphic (check boxes, pictures ...) keep the brush they paint with.
    if (props->GraphicObject() == nullptr && props->BrushColor() != clNone)
      ABrush.SetColor(props->BrushColor());
    if (props->FontColor() != clNone) AFont.SetColor(props->FontColor());
    if (props->FontStyle() != 0) AFont.SetStyle(props->FontStyle());
    if (props->FontSize() != 0) AFont.SetSize(props->FontSize());
    if (!props->FontName().empty()) AFont.SetName(props->FontName());
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TProStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush,
                                       TFont& AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TProStringGrid::GetCellBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders) {
  // Node and summary rows (grouping) come with the grouping of the grid; none here yet.
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TProStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TProStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TProStringGrid::GetColumnFormat(int ACol, TSortStyle& AStyle, std::string& APrefix,
                                     std::string& ASuffix) {
  if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TProStringGrid::QueryCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TProStringGrid::HasNoEditor(int ACol, int ARow) {
  if (!OnGetEditorType) return false;
  TEditorType editor = edNormal;
  OnGetEditorType(this, ACol, ARow, editor);
  return editor == edNone;
}

void TProStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
  IsFixed = IsFixed || ACol < FixedCols() || ARow < FixedRows() ||
            (FFixedRowAlways && RowCount() == FMinFixedRows && ARow < FMinFixedRows) ||
            (FFixedColAlways && ColCount() == FMinFixedCols && ACol < FMinFixedCols);
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

bool TProStringGrid::IsFixed(int ACol, int ARow) const {
  TPoint base = BaseCell(ACol, ARow);
  if (base.Y >= RowCount() - FFixedFooters && base.Y < RowCount()) return true;
  if (base.X >= ColCount() - FFixedRightCols && base.X < ColCount()) return true;
  bool fixed = false;
  const_cast<TProStringGrid*>(this)->IsFixedCell(base.X, base.Y, fixed);
  return fixed;
}

void TProStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  TPoint base = BaseCell(ACol, ARow);
  if (const TCellProperties* props = FindCellProperties(base.X, base.Y); props && CanEdit) {
    CanEdit = !props->ReadOnly();
    if ((Options() & goEditing) == 0 && !FEditDisable && !FMouseActions->RangeSelectAndEdit())
      CanEdit = false;
  }
  if (base.X < TotalColCount())
    DoCanEditCell(base.X, base.Y, CanEdit);
  else
    CanEdit = true;
}

void TProStringGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TProStringGrid::GetCellWordWrap(int ACol, int ARow, bool& AWordWrap) {
  if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, AWordWrap);
}

bool TProStringGrid::HasComboBox(int ACol, int ARow) {
  bool has = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, has);
    return has;
  }
  if (!FDropDownAlwaysVisible) return false;
  TEditorType editor = FDefaultEditor;
  GetCellEditor(ACol, ARow, editor);
  return editor == edComboEdit || editor == edComboList;
}

bool TProStringGrid::HasSpinEdit(int ACol, int ARow) {
  if (ACol < FixedCols() || ARow < FixedRows()) return false;
  bool has = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, has);
    return has;
  }
  if (!FSpinButtonsAlwaysVisible) return false;
  TEditorType editor = FDefaultEditor;
  QueryCellEditor(ACol, ARow, editor);
  return editor == edSpinEdit || editor == edFloatSpinEdit || editor == edTimeSpinEdit ||
         editor == edDateSpinEdit;
}

void TProStringGrid::GetCheckFalse(int ACol, int ARow, std::string& Value) {
  Value = FCheckFalse;
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TProStringGrid::GetColumnFilter(int ACol) {
  FFilterList.clear();
  if (FFilterDropDownAuto && (ACol >= FixedCols() || FFilterDropDownColumns == fdAll)) {
    std::set<std::string> values;
    auto add = [&](const std::string& v) {
      values.insert(v.find(' ') != std::string::npos ? v + "=\"" + v + "\"" : v);
    };
    for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
      add(std::string(Trim(Cells(ACol, r))));
    if (!FFilterIncremental)
      for (const TGridItem& item : FGridItems)
        add(item.Text(ACol));
    FFilterList.assign(values.begin(), values.end());
    if (!FFilterDropDownClear.empty()) FFilterList.insert(FFilterList.begin(), FFilterDropDownClear);
  }
  if (OnGetColumnFilter) {
    TStringList list;
    for (const std::string& s : FFilterList)
      list.Add(s);
    OnGetColumnFilter(this, ACol, &list);
    FFilterList.clear();
    for (int i = 0; i < list.Count(); ++i)
      FFilterList.push_back(list.Strings(i));
  }
  return !FFilterList.empty();
}

void TProStringGrid::CanAddRow(bool& CanAdd) {
  if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TProStringGrid::CanInsertRow(int ARow, bool& CanInsert) {
  if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

void TProStringGrid::CheckBoxChange(int ACol, int ARow, bool State) {
  if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

bool TProStringGrid::RatingChange(int ACol, int ARow, double& NewRate) {
  bool allow = true;
  if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
  return allow;
}

TFont& TProStringGrid::GetCellFont(int ACol, int ARow) {
  const TCellProperties* props = FindCellProperties(ACol, ARow);
  if (!props) return Font();
  FCellFont.SetName(props->FontName());
  FCellFont.SetSize(props->FontSize());
  FCellFont.SetStyle(props->FontStyle());
  FCellFont.SetColor(props->FontColor());
  return FCellFont;
}
