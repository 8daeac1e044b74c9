// The grid's side of editing: the text editor it creates.
#include "grid/EditTextForm.h"
#include "grid/GridCheckBox.h"
#include "grid/GridCombo.h"
#include "grid/ProGrid.h"
#include "grid/ProInplaceEdit.h"
#include "grid/SpecialEditors.h"

TInplaceEdit* TProStringGrid::CreateEditor() {
  return new TProInplaceEdit(this);
}

TProInplaceEdit* TProStringGrid::NormalEdit() const {
  return dynamic_cast<TProInplaceEdit*>(InplaceEditor());
}

TGridCombo* TProStringGrid::EditCombo() {
  if (!FEditCombo) {
    FEditCombo = new TGridCombo(this);
    FEditCombo->SetParent(this);
    FEditCombo->SetVisible(false);
    FEditCombo->SetEnabled(false);
  }
  return FEditCombo;
}

TGridCheckBox* TProStringGrid::EditCheck() {
  if (!FEditCheck) {
    FEditCheck = new TGridCheckBox(this);
    FEditCheck->SetParent(this);
    FEditCheck->SetVisible(false);
    FEditCheck->SetEnabled(false);
  }
  return FEditCheck;
}

bool TProStringGrid::RemoveComboString(const std::string& S) {
  const int i = FComboStrings.IndexOf(S);
  if (i < 0) return false;
  FComboStrings.Delete(i);
  return true;
}

bool TProStringGrid::SetComboSelectionString(const std::string& S) {
  const int i = FComboStrings.IndexOf(S);
  if (i < 0) return false;
  FComboIdx = i;
  return true;
}

int TProStringGrid::ComboIndex(int ACol, int ARow) {
  if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, nullptr);
  return FComboStrings.IndexOf(Cells(ACol, ARow));
}

void TProStringGrid::SetComboIndex(int ACol, int ARow, int Index) {
  if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, nullptr);
  if (Index >= 0 && Index < FComboStrings.Count()) SetCells(ACol, ARow, FComboStrings[Index]);
}

void TProStringGrid::FireComboChange(int AItemIndex, const std::string& ASelection) {
  const int rc = RealCol();
  if (OnComboChange) OnComboChange(this, rc, Row(), AItemIndex, ASelection);
  TObject* obj = FEditCombo && AItemIndex >= 0 && AItemIndex < FEditCombo->Items().Count()
                     ? FEditCombo->Items().Objects(AItemIndex)
                     : nullptr;
  if (OnComboObjectChange) OnComboObjectChange(this, rc, Row(), AItemIndex, ASelection, obj);
}

namespace {
bool IsTextKind(TEditorType Kind) {
  switch (Kind) {
  case edNormal:
  case edNumeric:
  case edPositiveNumeric:
  case edFloat:
  case edCapital:
  case edMixedCase:
  case edPassword:
  case edLowerCase:
  case edUpperCase:
  case edValidChars:
  case edPositiveFloat:
    return true;
  default:
    return false;
  }
}
} // namespace

bool TProStringGrid::CanEditShow() {
  if (FValidating) return false;
  bool result = TBaseGrid::CanEditShow();
  const TPoint base = BaseCell(RealCol(), Row());
  if (base.X < 0) return false;
  // An edit that ended without the commit (the cell moved under it) starts afresh.
  if (FEditMode && !FSpecialEditor && !(InplaceEditor() && InplaceEditor()->Visible())) FEditMode = false;
  if (result && !FEditMode && HasControlGraphic(base.X, base.Y)) return false;
  if (!result || FEditMode) return result;
  FNoEditChange = true;
  FCellCache = GetCurrentCellText();
  if (FEditors) FEditors->Unvalidated = false;
  FEditControl = FDefaultEditor;
  GetCellEditor(base.X, base.Y, FEditControl);
  if (FEditControl == edNone || FEditControl == edDataCheckBox) return false;
  FEditMode = true;
  SaveOldCell(Col(), Row());
  if (IsTextKind(FEditControl)) {
    FEditing = true;
    return true;
  }
  ShowSpecialEdit(Col(), Row());
  return false;
}

void TProStringGrid::ShowSpecialEdit(int ACol, int ARow) {
  FSpecialEditor = FEditActive = FEditing = true;
  FComboTouched = false;
  const TRect r = CellRect(ACol, ARow);
  const int rc = RealColIndex(ACol);
  const std::string text = GetEditText(ACol, ARow);
  switch (FEditControl) {
  case edComboList:
  case edComboEdit: {
    TGridCombo* combo = EditCombo();
    combo->SetStyle(FEditControl == edComboList ? csDropDownList : csDropDown);
    combo->Items().Clear();
    for (int i = 0; i < FComboStrings.Count(); ++i)
      combo->Items().AddObject(FComboStrings[i], FComboStrings.Objects(i));
    combo->SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    if (FNavigation.AutoComboDropSize())
      combo->SizeDropDownWidth();
    else
      combo->SetDroppedWidth(combo->DropWidth());
    if (OnGetEditorProp) OnGetEditorProp(this, rc, ARow, nullptr);
    if (FEditControl == edComboEdit) {
      combo->SetText(text);
    } else {
      int i = combo->Items().IndexOf(text);
      bool announce = false;
      if (i < 0 && FComboIdx >= 0 && FComboIdx < combo->Items().Count()) {
        i = FComboIdx;
      } else if (i < 0 && combo->Items().Count() > 0) {
        i = 0;
        announce = true;
      }
      combo->SetItemIndex(i);
      // What is reported is what is selected; the cell keeps its text unless the user picks.
      if (announce) FireComboChange(combo->ItemIndex(), combo->Text());
    }
    FComboTouched = false;
    combo->SetEnabled(true);
    combo->SetVisible(true);
    if (combo->CanFocus()) combo->SetFocus();
    break;
  }
  case edCheckBox: {
    TGridCheckBox* check = EditCheck();
    check->SetCaption(text);
    check->SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    if (OnGetEditorProp) OnGetEditorProp(this, rc, ARow, nullptr);
    check->SetEnabled(true);
    check->SetVisible(true);
    if (check->CanFocus()) check->SetFocus();
    break;
  }
  default:
    // A kind whose control is not here (or an edit link missing) shows nothing; the edit stays
    // open and its commit writes nothing.
    ShowOtherEdit(ACol, ARow);
    break;
  }
  FStartEditChar = 0;
}

void TProStringGrid::StoreEditValue(int ACol, int ARow, const std::string& Value) {
  const int dc = RealToDisplCol(ACol);
  if (dc >= 0) TBaseGrid::SetEditText(ACol, ARow, Value);
  SetCells(ACol, ARow, Value);
}

void TProStringGrid::CommitSpecialEdit(int ACol, int ARow) {
  // Still editing: no closing key validated the value, so the next move of the cell does.
  if (FSpecialEditor && FEditMode && FEditing) Editors().Unvalidated = true;
  FSpecialEditor = false;
  const int rc = RealColIndex(ACol);
  FStartEditChar = 0;
  switch (FEditControl) {
  case edComboList:
  case edComboEdit:
    if (FEditMode && FEditCombo) {
      // An untouched combo (or one left with Esc) leaves the cell exactly as it was.
      if (FComboTouched && rc >= 0)
        StoreEditValue(rc, ARow, StoredCurrentCellText(*this, FEditCombo->Text()));
      FComboTouched = false;
      FEditCombo->SetVisible(false);
      FEditCombo->SetEnabled(false);
      FEditMode = false;
    }
    break;
  case edCheckBox:
    if (FEditCheck) {
      FEditCheck->SetVisible(false);
      FEditCheck->SetEnabled(false);
    }
    FEditMode = false;
    break;
  default:
    CommitOtherEdit(ACol, ARow);
    break;
  }
  if (FEditControl != edNormal && FEditActive) {
    FEditActive = false;
    PostEditDone(rc, ARow);
  }
}

bool TProStringGrid::EditorWantsTab() const {
  return (Options() & goTabs) || OnCellValidate || OnCellValidateWide;
}
