// The current cell: the select-cell query, the row setter, listeners and notifiers; copying grids.
#include "grid/EditTextForm.h"
#include "grid/ProGrid.h"
#include "grid/ProInplaceEdit.h"
#include "grid/SpecialEditors.h"
#include "platform/ui/Forms.h"

#include <algorithm>

void TProStringGrid::GotoCell(int ACol, int ARow) {
  SetRow(ARow);
  SetCol(ACol);
}

void TProStringGrid::SetRow(int Value) {
  if (Col() < 0 || Col() >= ColCount()) MoveCurrentCell(FixedCols(), Value);
  TBaseGrid::SetRow(Value);
  if (Row() != FOldRowSel && OnRowUpdate) {
    OnRowUpdate(this, FOldRowSel, Row());
    FOldRowSel = Row();
  }
  if (FMouseActions->DisjunctRowSelect()) SyncRowSelect(false);
  if (Value == RowCount() - 1 && FSearchFooter->Visible()) ShowLastRowAboveSearchPanel();
}

void TProStringGrid::CellChanging(int ACol, int ARow, bool& Allow) {
  if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, Allow);
  if (ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, Allow);
  if (ACol == Col() && ARow == Row()) return;
  if (!FDisableChange && OnCellChanging) OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
}

bool TProStringGrid::CanSelectCell(int ACol, int ARow) {
  if (!Parent()) return true;
  // Leaving a cell whose text is being edited (a click, a move by code) validates it first; a
  // refused value keeps the cell current with its editor open.
  if ((ACol != Col() || ARow != Row()) && !ValidateOpenEdit()) return false;
  bool answer = false;
  const int bottomGap = FSearchFooter->Visible() ? SearchPanelHeight() + 2 : 0;
  if (FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow) {
    if (ARow == RowCount() - 1) return false; // the footer row never becomes current
    TRect r = CellRect(ACol, ARow);
    if (r.Bottom > GridClientHeight() - FFloatingFooter.Height() - bottomGap + 2 && ARow < RowCount() - 1)
      SetTopRow(TopRow() + 1);
  }
  if (FSearchFooter->Visible() && ARow >= 0 && ARow < RowCount()) {
    // Scrolls the cell clear of the panel; stops as soon as the top row no longer moves.
    while (CellRect(std::max(ACol, 0), ARow).Bottom > GridClientHeight() - SearchPanelHeight() + 2 &&
           TopRow() < RowCount() - 1) {
      int before = TopRow();
      SetTopRow(TopRow() + 1);
      if (TopRow() == before) break;
    }
  }
  if (ACol < 0 || ARow < 0) return false;
  if (IsMergedNonBaseCell(ACol, ARow) && (Options() & goRangeSelect) == 0) {
    TPoint base = BaseCell(ACol, ARow);
    MoveCurrentCell(base.X, base.Y);
    RepaintCell(base.X, base.Y);
    return false;
  }
  if (FUseEnabledRows && FNavigation.SkipDisabledRows() && !RowEnabled(ARow)) return false;
  std::string text = Cells(RealColIndex(ACol), ARow);
  PrepareEditing(ACol, ARow, text);
  bool allow = true;
  CellChanging(ACol, ARow, allow);
  if (IsFixed(ACol, ARow) || !allow)
    answer = (allow && (Options() & goRowSelect) != 0) || (FFixedRowAlways && RowCount() == FixedRows());
  else
    answer = TBaseGrid::SelectCell(ACol, ARow);
  if (FSelListener) FSelListener->CellSelected(Col(), ARow);
  if (FActiveCellShow) {
    RepaintActiveHeaders(Col(), Row(), ARow, ACol);
    const TGridRect sel = Selection();
    if (sel.Left != Col() && sel.Top != Row()) RepaintActiveHeaders(sel.Left, sel.Top, ARow, ACol);
  }
  if (ActiveRowShow()) {
    RepaintRow(ARow);
    RepaintRow(Selection().Top);
  }
  if (ARow != FOldRowSel) {
    if (OnRowUpdate) OnRowUpdate(this, FOldRowSel, ARow);
    FOldRowSel = ARow;
  }
  FCellCache = text;
  return answer;
}

bool TProStringGrid::ChildHasFocus() const {
  const TForm* form = GetParentForm(this);
  TWinControl* c = form ? form->ActiveControl() : nullptr;
  if (c == this) return false;
  for (; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TProStringGrid::CloseSpecialEdit() {
  if (!FEditMode || !FSpecialEditor) return;
  // The grid takes the focus the editor had (its exit commits); otherwise the commit is direct.
  if (ChildHasFocus() && CanFocus()) SetFocus();
  HideInplaceEdit();
}

bool TProStringGrid::ValidateOpenEdit() {
  if (!FEditing || FValidating) return true;
  // A cell that held encoded wide text when the edit began is validated as wide text.
  const bool wide = IsEncodedWideText(FOldCellText);
  auto validate = [&](const std::string& Value) {
    return wide ? ValidateCellWide(Value) : ValidateCell(Value);
  };
  if (FSpecialEditor && FEditMode) {
    const std::optional<std::string> value = PendingEditValue();
    if (value && !validate(*value)) {
      ShowPendingEditValue(FNewCellText);
      return false;
    }
    const std::string validated = FNewCellText;
    // The editor ends on its own cell before the cell moves.
    CloseSpecialEdit();
    if (value && validated != *value)
      StoreEditValue(RealCol(), Row(), StoredCurrentCellText(*this, validated));
    return true;
  }
  TProInplaceEdit* edit = NormalEdit();
  if (edit && edit->Visible() && !FSpecialEditor) {
    if (!validate(edit->Text())) return false;
    // The move writes the edit's text: the text as validated.
    edit->SetText(FNewCellText);
    return true;
  }
  // A special editor that lost the focus to the grid (a click on another cell) has stored its
  // value: that value is validated now, and a refusal reopens the editor on its cell.
  if (!FEditors || !FEditors->Unvalidated) return true;
  FEditors->Unvalidated = false;
  if (Col() != FOldCol || Row() != FOldRow) return true;
  // The wide twin takes the text as edited.
  if (validate(wide ? ShownEditText(CurrentCell()) : CurrentCell())) return true;
  ShowPendingEditValue(FNewCellText);
  return false;
}

void TProStringGrid::PrepareEditing(int ACol, int ARow, std::string& T) {
  const int rc = RealColIndex(ACol);
  if (rc < 0) return;
  const bool editing = (Options() & goEditing) != 0;
  auto closeEdit = [&] {
    if (EditorMode()) HideEditor();
    T = Cells(rc, ARow);
  };
  if (HasControlGraphic(rc, ARow)) {
    bool allow = true;
    CanEditCell(rc, ARow, allow);
    if (!FEditDisable && !allow && (editing || MouseActions().RangeSelectAndEdit())) FEditDisable = true;
    if (!editing && (Options() & goRowSelect) == 0 && allow) {
      SetOptions(Options() | goEditing);
      FEditChange = true;
    }
    return;
  }
  bool allow = editing || FEditDisable;
  CanEditCell(rc, ARow, allow);
  if (allow && MouseActions().DirectEdit()) {
    TEditorType editor = FDefaultEditor;
    GetCellEditor(rc, ARow, editor);
    if (HasNoEditor(rc, ARow)) allow = false;
  }
  if (MouseActions().EditOnDblClickOnly()) allow = false;
  if (allow) {
    FEditDisable = false;
    if (!editing) {
      FEditChange = true;
      TGridOptions options = Options();
      if ((options & goRowSelect) && MouseActions().RangeSelectAndEdit()) options &= ~goRowSelect;
      SetOptions(options | goEditing);
    }
    closeEdit();
    return;
  }
  closeEdit();
  if (editing) {
    FEditDisable = true;
    FEditChange = true;
    SetOptions(Options() & ~goEditing);
    SetEditorMode(false);
  }
}

void TProStringGrid::RepaintActiveHeaders(int ACol1, int ARow1, int ARow2, int ACol2) {
  const int fr = FixedRows(), fc = FixedCols();
  for (const TGridCoord cell : {TGridCoord{ACol1, ARow1}, TGridCoord{ACol2, ARow2}}) {
    if (fr > 0) RepaintCell(cell.X, fr - 1);
    if (fc > 0) RepaintCell(fc - 1, cell.Y);
  }
}

void TProStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier) {
  if (ANotifier && std::find(FNotifiers.begin(), FNotifiers.end(), ANotifier) == FNotifiers.end())
    FNotifiers.push_back(ANotifier);
}

void TProStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier) {
  FNotifiers.erase(std::remove(FNotifiers.begin(), FNotifiers.end(), ANotifier), FNotifiers.end());
}

bool TProStringGrid::IsLastRowAboveSearchPanel() const {
  if (!FSearchFooter->Visible() || TopRow() + VisibleRowCount() < RowCount() - 1) return false;
  return CellRect(0, RowCount() - 1).Bottom <= GridClientHeight() - SearchPanelHeight() + 2;
}

void TProStringGrid::ShowLastRowAboveSearchPanel() {
  if (!FSearchFooter->Visible() || GridClientHeight() <= DefaultRowHeight() + SearchPanelHeight()) return;
  while (CellRect(0, RowCount() - 1).Bottom > GridClientHeight() - SearchPanelHeight() + 2 && Row() >= 0 &&
         Row() < RowCount() && TopRow() < RowCount()) {
    int before = TopRow();
    SetTopRow(TopRow() + 1);
    if (TopRow() == before) break; // the clamped top row cannot move further
  }
}

// --- Copying -------------------------------------------------------------------------------------

void TProStringGrid::Assign(const TObject* Source) {
  auto* src = dynamic_cast<const TProStringGrid*>(Source);
  if (!src) return;
  Font().Assign(src->Font());
  FActiveCellColor = src->FActiveCellColor;
  FActiveCellColorTo = src->FActiveCellColorTo;
  FActiveCellFont.Assign(src->FActiveCellFont);
  FActiveCellShow = src->FActiveCellShow;
  SetActiveRowShow(src->ActiveRowShow());
  FMouseActions->Assign(src->FMouseActions.get());
  FNavigation.Assign(&src->FNavigation);
  FSearchFooter->Assign(src->FSearchFooter.get());
  FHTMLSettings.Assign(&src->FHTMLSettings);
  FBands->Assign(src->FBands.get());
  FDragScrollOptions.Assign(&src->FDragScrollOptions);
  FColumnSize.Assign(&src->FColumnSize);
  FFloatingFooter.Assign(&src->FFloatingFooter);
  FGrouping.Assign(&src->FGrouping);
  FControlLook.Assign(&src->FControlLook);
  FBackGround.Assign(&src->FBackGround);
  FBalloon.Assign(&src->FBalloon);
  FShowModified.Assign(&src->FShowModified);
  FSortSettings.Assign(&src->FSortSettings);
  FDragDropSettings.Assign(&src->FDragDropSettings);
  FProgressAppearance.Assign(&src->FProgressAppearance);
  FFilterDropDown.Assign(&src->FFilterDropDown);
  FPrintSettings.Assign(&src->FPrintSettings);
  SetFixedRowAlways(src->FFixedRowAlways);
  SetColCount(src->ColCount());
  SetRowCount(src->RowCount());
  SetFixedRows(src->FixedRows());
  SetFixedCols(src->FixedCols());
  SetDefaultColWidth(src->DefaultColWidth());
  SetDefaultRowHeight(src->DefaultRowHeight());
  FInvalidEntryIcon = src->FInvalidEntryIcon;
  SetOptions(src->Options());
  for (int c = 0; c < ColCount(); ++c)
    SetColWidths(c, src->ColWidths(c));
  FColumnHeaders = src->FColumnHeaders;
  for (int r = 0; r < RowCount(); ++r)
    SetRowHeights(r, src->RowHeights(r));
  FScrollSynch = src->FScrollSynch;
  FScrollHints = src->FScrollHints;
  FScrollBarAlways = src->FScrollBarAlways;
  SetScrollBars(src->ScrollBars());
  AssignCells(Source);
}

void TProStringGrid::AssignCells(const TObject* Source) {
  auto* src = dynamic_cast<const TProStringGrid*>(Source);
  if (!src || src == this) return;
  // Through the text file's stream form, so that a copy holds what a saved grid holds.
  TMemoryStream stream;
  const_cast<TProStringGrid*>(src)->SaveToStream(stream);
  stream.SetPosition(0);
  LoadFromStream(stream);
}
