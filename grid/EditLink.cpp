#include "grid/EditLink.h"

#include "grid/EditTextForm.h"
#include "grid/ProGrid.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink() {
  // The pop-up form is the link's own and goes with it.
  delete FPopupForm;
  FPopupForm = nullptr;
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupForm) FPopupForm = nullptr;
}

TForm* TEditLink::MakePopupForm() {
  if (!FPopupForm) {
    // Made, reused and freed by this link alone: no other component is looked up or touched.
    FPopupForm = new TForm(nullptr);
    FPopupForm->SetName("gridform");
    FPopupForm->SetBorderStyle(bsNone);
    FPopupForm->SetFormStyle(fsStayOnTop);
    FPopupForm->FreeNotification(this);
    FPopupForm->OnDeactivate = [this](TObject* Sender) { FormExit(Sender); };
  }
  return FPopupForm;
}

TWinControl* TEditLink::GetParent() {
  if (FEditStyle == esPopup && FPopupForm) return FPopupForm;
  return FOwner;
}

void TEditLink::SetFocus(bool Value) {
  TWinControl* c = GetEditControl();
  if (Value && c) {
    c->SetVisible(true);
    c->SetEnabled(true);
    if (FEditStyle == esInplace && !FSubClassed) {
      // Taken over: the control receives arrows, Tab and characters while it edits a cell.
      FSavedDialogCode = c->ExtraDialogCode();
      c->SetExtraDialogCode(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS | DLGC_WANTALLKEYS);
      FSubClassed = true;
    }
  }
  if (Value && c && c->CanFocus())
    c->SetFocus();
  else if (!Value && FOwner && FOwner->CanFocus())
    FOwner->SetFocus();
}

void TEditLink::RestoreWinProc() {
  TWinControl* c = GetEditControl();
  if (FEditStyle != esInplace || !c) return;
  if (FSubClassed) c->SetExtraDialogCode(FSavedDialogCode);
  FSubClassed = false;
  c->SetVisible(false);
}

void TEditLink::SetRect(TRect r) {
  TWinControl* c = GetEditControl();
  if (!c) return;
  const int line = FOwner ? FOwner->GridLineWidth() : 0;
  c->SetBounds(r.Left, r.Top, r.Width() - line, r.Height() - line);
}

void TEditLink::SetVisible(bool Value) {
  if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

std::string TEditLink::GetCellValue() {
  if (!FOwner) return std::string();
  return ShownEditText(FOwner->Cells(FOwner->RealColIndex(FOwner->Col()), FOwner->Row()));
}

void TEditLink::SetCellValue(const std::string& s) {
  if (!FOwner) return;
  FOwner->StoreEditValue(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(),
                         StoredCurrentCellText(*FOwner, s));
}

void TEditLink::HideEditor() {
  SetCellValue(GetEditorValue());
  if (FOwner) FOwner->HideInplaceEdit();
  RestoreWinProc();
}

void TEditLink::EditExit(TObject*) {
  // The link itself moving the focus commits through its key handling, validated.
  if (FForcedExit) return;
  // Leaving by the focus is validated as the keys are: a refused value gives way to what the
  // validation left in the cell.
  if (FOwner) {
    FOwner->ValidateCell(StoredCurrentCellText(*FOwner, GetEditorValue()));
    if (!FOwner->LastValidation()) SetEditorValue(GetCellValue());
  }
  HideEditor();
  if (FOwner) FOwner->SetLastValidation(true);
  if (FEditStyle == esPopup && FPopupForm) {
    DestroyEditor();
    FPopupForm->SetVisible(false);
  }
}

void TEditLink::FormExit(TObject* Sender) {
  if (!FOwner) return;
  if (FForcedExit) {
    SetCellValue(GetEditorValue());
    return;
  }
  EditExit(Sender);
  FOwner->SetInvokedFocusChange(true);
}

void TEditLink::FocusGrid() {
  FForcedExit = true;
  if (FOwner && FOwner->CanFocus()) FOwner->SetFocus();
  FForcedExit = false;
}

void TEditLink::EditKeyDown(TObject*, std::uint16_t& Key, TShiftState Shift) {
  if (!FOwner) return;
  bool leaves = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                Key == VK_END || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN ||
                (Shift & ssAlt);
  if (((Key == VK_UP || Key == VK_DOWN) && FWantKeyUpDown) ||
      ((Key == VK_LEFT || Key == VK_RIGHT) && FWantKeyLeftRight) ||
      ((Key == VK_END || Key == VK_HOME) && FWantKeyHomeEnd) ||
      ((Key == VK_PRIOR || Key == VK_NEXT) && FWantKeyPriorNext) || (Key == VK_RETURN && FWantKeyReturn) ||
      (Key == VK_ESCAPE && FWantKeyEscape) || (Key == VK_TAB && FWantTabs))
    leaves = false;
  if (!leaves) return;
  TProStringGrid* grid = FOwner;
  const int col = grid->Col(), row = grid->Row();
  const std::uint16_t key = Key;
  if (key == VK_ESCAPE) {
    SetEditorValue(ShownEditText(grid->CellCache()));
    grid->SetEditRestored(true);
  } else {
    grid->ValidateCell(StoredCurrentCellText(*grid, GetEditorValue()));
  }
  if (Key == VK_TAB && grid->Navigation().TabToNextAtEnd() && grid->LastValidation()) {
    FocusGrid();
    grid->CommitSpecialEdit(col, row);
    RestoreWinProc();
    if (grid->TabNavigate(Shift & ssShift) &&
        !grid->HasControlGraphic(grid->RealColIndex(grid->Col()), grid->Row()))
      PostMessage(grid, WM_KEYDOWN, VK_F2, 0);
    Key = 0;
    return;
  }
  FocusGrid();
  grid->CommitSpecialEdit(col, row);
  // A refused value keeps the pop-up open: it is not validated a second time on the way out.
  if (FEditStyle == esPopup && grid->LastValidation()) EditExit(this);
  grid->SetEditMode(false);
  if (grid->LastValidation()) {
    if (key == VK_RETURN) {
      grid->AdvanceEdit(grid->Col(), grid->Row(), !(Shift & ssShift), false);
      Key = 0;
    } else if (key == VK_ESCAPE) {
      Key = 0;
    } else {
      if (key == VK_TAB || (key >= VK_LEFT && key <= VK_DOWN)) {
        std::uint16_t k = key;
        grid->Perform(WM_KEYDOWN, k, static_cast<LPARAM>(Shift));
      }
      if (TWinControl* c = GetEditControl()) c->SetEnabled(false);
      FocusGrid();
      if (key == VK_TAB && (grid->Options() & goTabs) &&
          !grid->HasControlGraphic(grid->RealColIndex(grid->Col()), grid->Row()))
        PostMessage(grid, WM_KEYDOWN, VK_F2, 0);
      Key = 0;
    }
  } else {
    // Refused: the editor opens again on the same cell, showing the value for correction.
    grid->SetEditMode(true);
    grid->ShowSpecialEdit(grid->Col(), grid->Row());
    SetEditorValue(ShownEditText(grid->NewCellText()));
    Key = 0;
  }
  grid->SetLastValidation(true);
}
