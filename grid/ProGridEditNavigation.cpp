// Around an edit: Enter and Escape, the incremental search, the move on after an edit and the
// validation that decides whether an edited value is kept.
#include "grid/EditTextForm.h"
#include "grid/ProGrid.h"
#include "grid/ProInplaceEdit.h"
#include "grid/SpecialEditors.h"

#include "controls/ProUtilText.h"

#include <algorithm>

namespace {
std::string Upper(const std::string& S) {
  std::string u = S;
  std::transform(u.begin(), u.end(), u.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return u;
}
} // namespace

void TProStringGrid::KeyPress(WideChar& Key) {
  if (Key == 27) {
    if ((Options() & goEditing) && FEditing) RestoreCellCache();
    TWinControl::KeyPress(Key);
    return;
  }
  const int rc = RealColIndex(Col());
  if (Key == u'\r' && !FNavigation.AdvanceOnEnter() && !IsEditable(rc, Row())) {
    TWinControl::KeyPress(Key);
    Key = 0;
    return;
  }
  if (Key == u'\r' && (!Focused() || (rc >= 0 && HasControlGraphic(rc, Row())))) {
    AdvanceEdit(Col(), Row(), FEditMode, false, true, false, false);
    if (!FNavigation.AdvanceAutoEdit()) {
      TWinControl::KeyPress(Key);
      Key = 0;
      return;
    }
    if (rc >= 0 && HasControlGraphic(rc, Row())) {
      TWinControl::KeyPress(Key);
      if (FNavigation.AdvanceOnEnter()) ShowInplaceEdit();
      return;
    }
  }
  if (!(Options() & goEditing) && FNavigation.AutoGotoWhenSorted() && Key >= 8 && Key != u'\r') {
    if (FNavigation.AutoGotoIncremental()) {
      if (Key == 8) {
        if (!FSearchInc.empty()) FSearchInc.pop_back();
      } else if (Key < 128) {
        FSearchInc += static_cast<char>(Key);
      }
    } else if (Key < 128 && Key != 8) {
      FSearchInc = std::string(1, static_cast<char>(Key));
    }
    FSearchTics = 0;
    const int sortCol = FSortSettings.Column();
    const std::string prefix = Upper(FSearchInc);
    bool found = false;
    if (!prefix.empty() && sortCol >= 0 && sortCol < TotalColCount()) {
      for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
        if (Upper(Cells(sortCol, r)).starts_with(prefix)) {
          MoveCurrentCell(Col(), r);
          found = true;
          break;
        }
    }
    if (!found) FSearchInc.clear();
  }
  TBaseGrid::KeyPress(Key);
}

void TProStringGrid::RestoreCellCache() {
  const int rc = RealColIndex(Col());
  if (rc < 0) return;
  SetCells(rc, Row(), FCellCache);
  SetCells(Col(), Row(), Cells(Col(), Row()));
}

void TProStringGrid::AdvanceEdit(int ACol, int ARow, bool ShowEditor, bool Repeated, bool Forward,
                                 bool FromEditor, bool Force) {
  if (!FNavigation.AdvanceOnEnter() && !Force) return;
  if (FMouseActions->RangeSelectAndEdit() && !(Options() & goEditing)) SetOptions(Options() | goEditing);
  const int oldCol = Col(), oldRow = Row();
  // Each repeat passes over one read-only cell; a table without an editable cell ends after one
  // walk over every cell instead of looping.
  const long long limit = static_cast<long long>(std::max(1, ColCount())) * std::max(1, RowCount()) + 2;
  long long steps = 0;
  if (!Repeated) {
    FAECol = ACol;
    FAERow = ARow;
  }
  FStartEditChar = 0;
  const TAdvanceDirection dir = FNavigation.AdvanceDirection();
  const int lastNormalRow = RowCount() - FFixedFooters - 1;
  int rc = -1;
  bool canEdit = true;
  for (;;) {
    const TPoint span = CellSpan(RealColIndex(ACol), ARow);
    const int spanX = std::max(0, span.X);
    if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
      if (ACol + spanX < ColCount() - NumFixedRightCols() - 1) {
        ACol += spanX + 1;
      } else if (dir == adLeftRight && ARow == lastNormalRow) {
        if (FNavigation.AdvanceInsert()) {
          const int rows = RowCount();
          ACol = FirstNavCol();
          AutoAppendRow();
          if (RowCount() > rows) {
            ++ARow;
            bool any = false;
            for (int c = FixedCols(); c < ColCount() && !any; ++c)
              any = IsEditable(RealColIndex(c), ARow);
            if (!any) {
              MoveCurrentCell(ACol, ARow);
              return;
            }
          }
        } else if (FNavigation.AdvanceOnEnterLoop()) {
          ARow = FixedRows();
          ACol = FirstNavCol();
        }
      } else if (dir == adLeftRight) {
        ++ARow;
        ACol = FirstNavCol();
      } else if (FNavigation.AdvanceOnEnterLoop()) {
        ACol = FirstNavCol();
      }
    } else if (Forward) {
      if (ARow + 1 <= lastNormalRow) {
        ++ARow;
      } else if (dir == adTopBottomInCol) {
        ARow = FixedRows();
      } else {
        if (ACol + 1 != ColCount() - FFixedRightCols) {
          ARow = FixedRows();
          ++ACol;
          if (ACol >= ColCount()) ACol = FirstNavCol();
        } else if (FNavigation.AdvanceInsert()) {
          SetColCount(ColCount() + 1);
          ACol += spanX + 1;
          ARow = FixedRows();
          if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - FFixedRightCols - 1);
        } else {
          ARow = FixedRows();
          ACol = FirstNavCol();
        }
        Invalidate();
      }
    } else if (dir == adLeftRight) {
      if (ACol > FirstNavCol()) {
        --ACol;
      } else {
        ARow = ARow > FixedRows() ? ARow - 1 : lastNormalRow;
        ACol = ColCount() - FFixedRightCols - 1;
      }
    } else if (dir == adTopBottom) {
      if (ARow > FixedRows()) {
        --ARow;
      } else {
        ACol = ACol > FirstNavCol() ? ACol - 1 : ColCount() - FFixedRightCols - 1;
        ARow = lastNormalRow;
      }
    }
    rc = RealColIndex(ACol);
    canEdit = true;
    CanEditCell(rc, ARow, canEdit);
    if (canEdit || !FNavigation.AdvanceSkipReadOnlyCells() || ++steps > limit) break;
    if (ACol == oldCol && ARow == oldRow) break; // around once: nothing else to stop on
  }
  if (canEdit) {
    bool allow = true;
    if (OnAutoAdvance) OnAutoAdvance(this, FAERow, FAECol, ARow, ACol, allow);
    if (allow && OnCellChanging) OnCellChanging(this, FAERow, FAECol, ARow, ACol, allow);
    FDisableChange = true;
    if (allow && ACol >= 0 && ACol < ColCount() && ARow >= 0 && ARow < RowCount())
      MoveCurrentCell(ACol, ARow);
    else
      MoveCurrentCell(oldCol, oldRow);
    FDisableChange = false;
  } else if (ACol >= 0 && ACol < ColCount() && ARow >= 0 && ARow < RowCount()) {
    MoveCurrentCell(ACol, ARow);
  }
  if (!ShowEditor) return;
  rc = RealColIndex(Col());
  const bool control = rc >= 0 && HasControlGraphic(rc, Row());
  if ((FromEditor && FNavigation.AdvanceAutoEdit()) || control) {
    if (!IsEditable(rc, Row())) return;
    if (!control) {
      ShowInplaceEdit();
    } else {
      TBaseGrid::ShowEditor();
      const int oc = RealColIndex(oldCol);
      const bool oldControl = oc >= 0 && HasControlGraphic(oc, oldRow);
      if (!oldControl) {
        SimulateCellClick(Col(), Row());
        if (dir != adLeftRight) HideEditor();
      }
      bool allow = true;
      if (OnCellChanging) OnCellChanging(this, oldRow, oldCol, Row(), Col(), allow);
    }
  }
  if (FMouseActions->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(Row(), true);
  }
}

// One validation of an edited value, started when an edit is open and no validation runs. Its end
// runs whatever the handlers do, an exception included: the current cell is remembered anew.
// RealCol is the real column of the cell to validate, -1 when the value needs no validation (the
// edit is not open, or NewValue is the cell's old value and not every value is validated).
class TProStringGrid::TValidationRun {
public:
  TValidationRun(TProStringGrid& Grid, const std::string& NewValue, const std::string& OldValue) : G(Grid) {
    if (!G.FEditing || G.FValidating) return;
    Started = true;
    if (G.FEditors) G.FEditors->Unvalidated = false;
    G.FEditing = false;
    G.FValidating = true;
    G.FNewCellText = NewValue;
    const int rc = G.RealColIndex(G.FOldCol);
    if (rc < 0 || G.FOldRow < 0 || G.FOldRow >= G.RowCount()) return;
    if (NewValue == OldValue && !G.FAlwaysValidate) return;
    RealCol = rc;
  }
  ~TValidationRun() {
    if (!Started) return;
    G.SaveOldCell(G.Col(), G.Row());
    G.FValidating = false;
  }
  TValidationRun(const TValidationRun&) = delete;
  TValidationRun& operator=(const TValidationRun&) = delete;

  int RealCol = -1;

private:
  TProStringGrid& G;
  bool Started = false;
};

bool TProStringGrid::ValidateCell(const std::string& NewValue) {
  const TValidationRun run(*this, NewValue, FOldCellText);
  const int rc = run.RealCol;
  if (rc < 0) return true;
  bool valid = true;
  const bool changed = NewValue != FOldCellText;
  const bool advance = FNavigation.AdvanceOnEnter();
  FNavigation.SetAdvanceOnEnter(false);
  struct TRestore {
    TNavigation& N;
    bool V;
    ~TRestore() { N.SetAdvanceOnEnter(V); }
  } restore{FNavigation, advance};
  std::string value = NewValue;
  if (OnCellValidate) OnCellValidate(this, rc, FOldRow, value, valid);
  if (value != FOldCellText) {
    FGridModified = true;
    if (FixedCols() > 0) {
      SetRowModified(FOldRow, true);
      if (FShowModified.Enabled()) RepaintCell(0, FOldRow);
    }
  }
  if (valid) CalcFooter(rc);
  if (valid && changed) CellsChanged(TRect{rc, FOldRow, rc, FOldRow});
  FNewCellText = value;
  if (valid) {
    SetCells(rc, FOldRow, value);
    const TPoint base = BaseCell(rc, FOldRow);
    if (base.X >= 0 && (base.X != rc || base.Y != FOldRow)) SetCells(base.X, base.Y, value);
    return true;
  }
  FLastValidation = false;
  RefuseValue(NewValue, value);
  if (!FInvalidEntryTitle.empty() || !FInvalidEntryText.empty()) {
    static constexpr TBalloonIcon icons[] = {bhNone, bhInfo, bhWarning, bhError};
    TProInplaceEdit* edit = NormalEdit();
    if (edit && edit->Visible() && !FSpecialEditor)
      edit->ShowBalloonTip(FInvalidEntryTitle, FInvalidEntryText, icons[FInvalidEntryIcon]);
  }
  return false;
}

void TProStringGrid::RefuseValue(const std::string& NewValue, const std::string& Value) {
  // The cell shows the handler's correction or its old text, and the edit goes on there.
  const int oldCol = FOldCol, oldRow = FOldRow;
  const bool oldModified = FOldModifiedValue;
  HideEditor();
  SetCells(RealColIndex(oldCol), oldRow, Value != NewValue ? Value : FOldCellText);
  if (Col() != oldCol || Row() != oldRow) MoveCurrentCell(oldCol, oldRow);
  FValidating = false;
  FEditing = true;
  ShowInplaceEdit();
  FEditing = true;
  FGridModified = oldModified;
}

bool TProStringGrid::ValidateCellWide(const std::string& NewValue) {
  // The value is the edited text; a cell that held encoded wide text keeps that form.
  const std::string old = FOldCellText, oldWide = DecodeWideCellText(old);
  const TValidationRun run(*this, NewValue, oldWide);
  const int rc = run.RealCol;
  if (rc < 0) return true;
  bool valid = true;
  // The footer follows the typed value, whatever the verdict.
  CalcFooter(rc);
  std::string value = NewValue;
  if (OnCellValidateWide) OnCellValidateWide(this, rc, FOldRow, value, valid);
  if (NewValue != oldWide) {
    FGridModified = true;
    if (FShowModified.Enabled() && FixedCols() > 0) SetRowModified(FOldRow, true);
  }
  FNewCellText = value;
  if (valid) {
    SetWideCells(rc, FOldRow, StoredEditText(old, value));
    return true;
  }
  RefuseValue(StoredEditText(old, NewValue), StoredEditText(old, value));
  return false;
}
