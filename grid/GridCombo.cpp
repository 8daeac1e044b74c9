#include "grid/GridCombo.h"

#include "grid/EditTextForm.h"
#include "grid/LookupCompletion.h"
#include "grid/ProGrid.h"

#include <algorithm>

TGridCombo::TGridCombo(TComponent* AOwner)
    : TAsgComboBox(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  SetButtonWidth(16);
}

bool TGridCombo::IsClosingKey(std::uint16_t Key, TShiftState Shift) const {
  if (Key == VK_DOWN && (Shift & ssAlt)) return false;
  if (Style() == csDropDownList || DroppedDown())
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
  return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
         Key == VK_END || Key == VK_UP || Key == VK_DOWN;
}

int TGridCombo::SizeDropDownWidth() {
  int w = Width();
  if (!FGrid) return w;
  TCanvas& canvas = FGrid->Canvas();
  // With more items than show, a scroll bar takes room beside the texts.
  const bool scrolls = Items().Count() > DropDownCount();
  for (int i = 0; i < Items().Count(); ++i) {
    const int t = canvas.TextWidth(Items()[i]);
    if (scrolls && t > w - 25) w = t + 25;
    if (!scrolls && t > w - 5) w = t + 8;
  }
  SetDroppedWidth(w);
  return w;
}

void TGridCombo::DoChange() {
  if (!FGrid || !FWorkMode || !FGrid->Lookup() || Style() == csDropDownList || SelLength() != 0) return;
  const bool cs = FGrid->LookupCaseSensitive();
  const std::string text = Text();
  if (const auto c = CompleteFromItems(Items().ToVector(), text, SelStart(), cs)) {
    if (c->Text != text || ItemIndex() != c->Index) {
      SetItemIndex(c->Index);
      SetText(c->Text);
      SetSelStart(c->SelStart);
      SetSelLength(c->SelLength);
    }
    return;
  }
  if (const auto c = CompleteFromItems(FGrid->LookupItems(), text, SelStart(), cs); c && c->Text != text) {
    SetText(c->Text);
    SetSelStart(c->SelStart);
    SetSelLength(c->SelLength);
  }
}

bool TGridCombo::WalkOut(bool Forward) {
  TProStringGrid* g = FGrid;
  const int span = Forward ? std::max(0, g->CellSpan(g->RealCol(), g->Row()).X) : 0;
  const int next = Forward ? g->Col() + span + 1 : g->Col() - 1;
  const bool inside =
      Forward ? g->Col() < g->ColCount() - g->FixedRightCols() - 1 : g->Col() > g->FixedCols();
  if (inside && g->HasControlGraphic(g->RealColIndex(next), g->Row())) {
    if (g->ValidateCell(StoredCurrentCellText(*g, Text()))) {
      g->SetComboTouched(true);
      g->HideInplaceEdit();
      g->SetCol(next);
    }
    return true;
  }
  // The combo's exit commits as the grid takes the focus.
  g->SetComboTouched(true);
  if (g->CanFocus()) g->SetFocus();
  TNavigation& nav = g->Navigation();
  const TAdvanceDirection dir = nav.AdvanceDirection();
  nav.SetAdvanceDirection(adLeftRight);
  g->AdvanceEdit(g->Col(), g->Row(), false, false, Forward, false, true);
  nav.SetAdvanceDirection(dir);
  if (nav.CursorWalkAlwaysEdit()) g->ShowEditor();
  return true;
}

void TGridCombo::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (FGrid && Style() != csDropDownList && FGrid->Navigation().CursorWalkEditor() && SelLength() == 0 &&
      !(Shift & (ssShift | ssCtrl | ssAlt)) && (Key == VK_LEFT || Key == VK_RIGHT)) {
    const std::string text = Text();
    const int length = static_cast<int>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    if ((Key == VK_LEFT && SelStart() == 0) || (Key == VK_RIGHT && SelStart() == length)) {
      const bool forward = Key == VK_RIGHT;
      Key = 0;
      WalkOut(forward);
      return;
    }
  }
  if (Key != VK_RETURN) TAsgComboBox::KeyUp(Key, Shift);
  if (Visible()) DoChange();
}

void TGridCombo::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  FWorkMode = Key != VK_BACK && Key != VK_DELETE;
  if (FGrid && (Key == VK_UP || Key == VK_DOWN) && !(Shift & ssAlt) &&
      !FGrid->Navigation().ComboGetUpDown() && !DroppedDown()) {
    // Up and Down belong to the grid: commit and move.
    FGrid->SetComboTouched(true);
    FGrid->HideInplaceEdit();
    TNavigation& nav = FGrid->Navigation();
    const bool always = nav.AlwaysEdit();
    nav.SetAlwaysEdit(false);
    if (FGrid->CanFocus()) FGrid->SetFocus();
    std::uint16_t k = Key;
    FGrid->KeyDown(k, Shift);
    nav.SetAlwaysEdit(always);
    Key = 0;
    return;
  }
  if (FGrid && Key == VK_END && Style() != csDropDownList && !DroppedDown()) {
    // A closed editable combo: End moves the caret to the text's end.
    TAsgComboBox::KeyDown(Key, Shift);
    return;
  }
  if (!FGrid || !IsClosingKey(Key, Shift)) {
    TAsgComboBox::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    // The cell keeps exactly the text it had, whatever was picked meanwhile.
    FGrid->SetComboTouched(false);
    const int i = Items().IndexOf(ShownEditText(FGrid->CurrentCell()));
    if (i >= 0) SetItemIndex(i);
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    Key = 0;
    return;
  }
  if (Key == VK_TAB && !FGrid->EditorWantsTab()) {
    TAsgComboBox::KeyDown(Key, Shift);
    return;
  }
  // A closing key: what the combo shows is the value, once validated.
  if (!FGrid->ValidateCell(StoredCurrentCellText(*FGrid, Text()))) {
    const std::string shown = ShownEditText(FGrid->NewCellText());
    if (Style() == csDropDownList) {
      const int i = Items().IndexOf(shown);
      if (i >= 0) SetItemIndex(i);
    } else {
      SetText(shown);
    }
    Key = 0;
    return;
  }
  FGrid->SetComboTouched(true);
  const std::uint16_t k = Key;
  Key = 0;
  FGrid->DoneInplaceEdit(k == VK_TAB || k == VK_RETURN || (k >= VK_LEFT && k <= VK_DOWN) ? k : 0, Shift);
}

void TGridCombo::KeyPress(WideChar& Key) {
  const int before = ItemIndex();
  if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
  if (Key == 27) Key = 0;
  if (Key == u'\r' && OnReturnKey) OnReturnKey(this);
  if (Key == u'\r' || Key == u'\t') Key = 0;
  TAsgComboBox::KeyPress(Key);
  if (FGrid && ItemIndex() != before) {
    FGrid->SetComboTouched(true);
    FGrid->FireComboChange(ItemIndex(), Text());
  }
}

void TGridCombo::Change() {
  TAsgComboBox::Change();
  if (!FGrid) return;
  FGrid->SetComboTouched(true);
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridCombo::Select() {
  TAsgComboBox::Select();
  if (!FGrid) return;
  FGrid->SetComboTouched(true);
  FGrid->FireComboChange(ItemIndex(), Text());
}

void TGridCombo::DoEnter() {
  TAsgComboBox::DoEnter();
  if (!FGrid) return;
  if (Style() != csDropDownList && !FGrid->Navigation().EditSelectAll()) {
    // Clamped to the text's end.
    SetSelStart(static_cast<int>(Text().size()));
    SetSelLength(0);
  }
  if (!FGrid->FLButFlg) return;
  // Opened by a click: the caret goes to the character clicked, when the click was on the edit.
  const int i = CharFromPos({FGrid->FClickPos.X - Left(), FGrid->FClickPos.Y - Top()});
  if (i < 0) return;
  SetSelStart(i);
  SetSelLength(0);
  FGrid->FLButFlg = false;
}

void TGridCombo::DoExit() {
  if (FGrid && FGrid->LookupHistory() && !Text().empty() && Items().IndexOf(Text()) < 0) Items().Add(Text());
  if (FGrid) FGrid->HideInplaceEdit();
  TAsgComboBox::DoExit();
}

void TGridCombo::DropDown() {
  TAsgComboBox::DropDown();
  if (FGrid) FGrid->ComboDropDown(FGrid->Row(), FGrid->Col());
}

void TGridCombo::CloseUp() {
  TAsgComboBox::CloseUp();
  if (!FGrid) return;
  // A pick ends the edit at once; with nothing picked the text stays and nothing happens.
  if (FGrid->MouseActions().DirectComboClose() && FGrid->EditMode() && ItemIndex() >= 0) {
    const std::string item = Items()[ItemIndex()];
    SetText(item);
    FGrid->SetComboTouched(true);
    FGrid->FireComboChange(ItemIndex(), item);
    const bool direct = FGrid->MouseActions().DirectEdit();
    FGrid->MouseActions().SetDirectEdit(false);
    FGrid->HideInplaceEdit();
    FGrid->MouseActions().SetDirectEdit(direct);
    if (FGrid->CanFocus()) FGrid->SetFocus();
  }
  FGrid->ComboCloseUp(FGrid->Row(), FGrid->Col());
}

bool TGridCombo::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (!FGrid) return TAsgComboBox::DoMouseWheel(Shift, WheelDelta, MousePos);
  // Towards the user: the next item; away: the previous one; never past the list's ends.
  const int last = Items().Count() - 1;
  if (WheelDelta < 0 && ItemIndex() < last) SetItemIndex(ItemIndex() + 1);
  if (WheelDelta > 0 && ItemIndex() > 0) SetItemIndex(ItemIndex() - 1);
  FGrid->SetComboTouched(true);
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->RealCol(), FGrid->Row(), Text());
  FGrid->FireComboChange(ItemIndex(), Text());
  return true;
}
