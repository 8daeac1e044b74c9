// Editing the form controls of mini-HTML cells, and fixed cells.
#include "controls/AsgHTMLE.h"
#include "controls/HTMLControlTags.h"
#include "grid/ControlEditors.h"
#include "grid/ProGrid.h"
#include "grid/SpecialEditors.h"

#include <cctype>

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

} // namespace

TControlEdit* TProStringGrid::FormControlEdit() {
  TProGridEditors& e = Editors();
  if (!e.ControlEdit) {
    e.ControlEdit = new TControlEdit(this);
    e.ControlEdit->SetParent(this);
    e.ControlEdit->SetVisible(false);
    e.ControlEdit->SetBorderStyle(bsNone);
    e.ControlEdit->OnExit = [this](TObject*) { EndControlEdit(); };
  }
  return e.ControlEdit;
}

TControlCombo* TProStringGrid::FormControlCombo() {
  TProGridEditors& e = Editors();
  if (!e.ControlCombo) {
    e.ControlCombo = new TControlCombo(this);
    e.ControlCombo->SetParent(this);
    e.ControlCombo->SetVisible(false);
    e.ControlCombo->OnExit = [this](TObject*) { EndControlEdit(); };
    e.ControlCombo->OnSelect = [this](TObject*) { ControlComboSelect(); };
  }
  return e.ControlCombo;
}

TGridTransEdit* TProStringGrid::EditTrans() {
  TProGridEditors& e = Editors();
  if (!e.EditTrans) {
    e.EditTrans = new TGridTransEdit(this);
    e.EditTrans->SetParent(this);
  }
  return e.EditTrans;
}

TGridTransCombo* TProStringGrid::ComboTrans() {
  TProGridEditors& e = Editors();
  if (!e.ComboTrans) {
    e.ComboTrans = new TGridTransCombo(this);
    e.ComboTrans->SetParent(this);
  }
  return e.ComboTrans;
}

bool TProStringGrid::ControlEditing() const {
  return FEditors && FEditors->CtrlEditing;
}

TPoint TProStringGrid::ControlEditCell() const {
  return FEditors ? FEditors->CtrlXY : TPoint{-1, -1};
}

std::string TProStringGrid::ControlEditID() const {
  return FEditors ? FEditors->CtrlID : std::string();
}

TPoint TProStringGrid::FixedCellEditing() const {
  return FEditors ? FEditors->FixedEdit : TPoint{-1, -1};
}

TRect TProStringGrid::FormControlRect(int ACol, int ARow, const std::string& ID, std::string* Type) {
  const int rc = RealColIndex(ACol);
  const std::string text = Cells(rc, ARow);
  THTMLDrawParams p;
  p.HitTestOnly = true;
  p.ControlID = ID;
  p.X = p.Y = -10000;
  p.Window = this;
  THTMLDrawResult res;
  Canvas().Font().Assign(GetCellFont(rc, ARow));
  DrawHTML(Canvas(), text, HTMLTextRect(ACol, ARow), p, res);
  if (Type) *Type = Upper(res.ControlType);
  return res.ControlID == ID ? res.ControlRect : TRect{};
}

void TProStringGrid::StartControlEdit(int ACol, int ARow, const std::string& ID, const std::string& Type) {
  const int rc = RealColIndex(ACol);
  if (rc < 0 || ID.empty()) return;
  const std::string html = Cells(rc, ARow);
  std::string value;
  // A control that is not there (no such ID) opens nothing.
  if (!GetHTMLControlValue(html, ID, value)) return;
  const std::string type = Upper(Type);
  const TRect r = FormControlRect(ACol, ARow, ID, nullptr);
  const int maxLen = GetHTMLControlMaxLen(html, ID);
  TProGridEditors& e = Editors();
  if (type == "EDIT" || type == "PASSWORD" || type == "MASK") {
    e.CtrlXY = {ACol, ARow};
    e.CtrlID = ID;
    e.CtrlType = type;
    e.CtrlEditing = true;
    TControlEdit* edit = FormControlEdit();
    edit->SetPasswordChar(type == "PASSWORD" ? u'*' : 0);
    edit->SetEditMask(type == "MASK" ? GetHTMLControlProp(html, ID) : std::string());
    edit->SetText(value);
    edit->SetBounds(r.Left + 1, r.Top + 8, r.Width() - 4, 14);
    edit->SetMaxLength(std::max(0, maxLen));
    edit->SetVisible(true);
    edit->BringToFront();
    if (edit->CanFocus()) edit->SetFocus();
  } else if (type == "COMBO") {
    e.CtrlXY = {ACol, ARow};
    e.CtrlID = ID;
    e.CtrlType = type;
    e.CtrlEditing = true;
    TControlCombo* combo = FormControlCombo();
    TStringList values;
    bool editable = true;
    int dropCount = 8;
    if (OnControlComboList)
      OnControlComboList(this, ARow, ACol, ID, type, value, &values, editable, dropCount);
    combo->SetStyle(editable ? csDropDown : csDropDownList);
    combo->Items().Clear();
    for (int i = 0; i < values.Count(); ++i)
      combo->Items().Add(values[i]);
    const int i = combo->Items().IndexOf(value);
    if (i >= 0) combo->SetItemIndex(i);
    if (editable) combo->SetText(value);
    combo->SetDropDownCount(dropCount);
    combo->SetBounds(r.Left - 1, r.Top + 4, r.Width(), 16 * (dropCount + 2));
    combo->SetMaxLength(std::max(0, maxLen));
    combo->SetVisible(true);
    combo->SetDroppedDown(true);
    if (combo->CanFocus()) combo->SetFocus();
  }
}

void TProStringGrid::EndControlEdit() {
  if (!FEditors || !FEditors->CtrlEditing) return;
  TProGridEditors& e = *FEditors;
  e.CtrlEditing = false;
  TWinControl* editor = e.CtrlType == "COMBO" ? static_cast<TWinControl*>(e.ControlCombo)
                                              : static_cast<TWinControl*>(e.ControlEdit);
  const std::string value = editor ? editor->Text() : std::string();
  const int rc = RealColIndex(e.CtrlXY.X);
  if (rc >= 0 && e.CtrlXY.Y >= 0 && e.CtrlXY.Y < RowCount()) {
    std::string html = Cells(rc, e.CtrlXY.Y);
    if (SetHTMLControlValue(html, e.CtrlID, value)) SetCells(rc, e.CtrlXY.Y, html);
  }
  if (editor) editor->SetVisible(false);
  if (OnControlEditDone) OnControlEditDone(this, e.CtrlXY.Y, e.CtrlXY.X, e.CtrlID, e.CtrlType, value);
  e.CtrlType.clear();
}

void TProStringGrid::ControlComboSelect() {
  if (!FEditors || !FEditors->ControlCombo || !OnControlComboSelect) return;
  TControlCombo* combo = FEditors->ControlCombo;
  const int i = combo->ItemIndex();
  OnControlComboSelect(this, FEditors->CtrlXY.Y, FEditors->CtrlXY.X, i, FEditors->CtrlID,
                       i >= 0 ? combo->Items()[i] : std::string());
}

void TProStringGrid::EditControlByID(const std::string& ID) {
  const int rc = RealColIndex(Col());
  const std::string next = rc >= 0 ? NextHTMLEditControlID(Cells(rc, Row()), ID) : std::string();
  if (next.empty()) {
    if (CanFocus()) SetFocus();
    return;
  }
  std::string type;
  FormControlRect(Col(), Row(), next, &type);
  StartControlEdit(Col(), Row(), next, type);
}

void TProStringGrid::FixedEditChange() {
  if (!FEditors || !OnEditChange) return;
  const TPoint c = FEditors->FixedEdit;
  TWinControl* editor = FEditors->EditTrans && FEditors->EditTrans->Visible()
                            ? static_cast<TWinControl*>(FEditors->EditTrans)
                            : static_cast<TWinControl*>(FEditors->ComboTrans);
  if (editor) OnEditChange(this, c.X, c.Y, editor->Text());
}

void TProStringGrid::StartFixedCellEdit(int ACol, int ARow) {
  TProGridEditors& e = Editors();
  if (e.EditTrans && e.EditTrans->Visible() && !e.EditTrans->StopEdit()) return;
  if (e.ComboTrans && e.ComboTrans->Visible() && !e.ComboTrans->StopEdit()) return;
  bool canEdit = true;
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, canEdit);
  if (!canEdit) return;
  const int rc = RealColIndex(ACol);
  if (rc < 0) return;
  e.FixedEdit = {ACol, ARow};
  TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
  TStringList values;
  values.Assign(FMouseActions->FixedComboValues());
  TGridFixedCellEditor asked = kind;
  FixedCellEdit(ACol, ARow, asked, &values);
  TRect r = CellRect(ACol, ARow);
  r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  TWinControl* editor;
  if (kind == fceEdit) {
    TGridTransEdit* edit = EditTrans();
    edit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    edit->OnChange = [this](TObject*) { FixedEditChange(); };
    edit->SetText(Cells(rc, ARow));
    edit->SetCol(rc);
    edit->SetRow(ARow);
    editor = edit;
  } else {
    TGridTransCombo* combo = ComboTrans();
    combo->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height());
    combo->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
    combo->Items().Clear();
    for (int i = 0; i < values.Count(); ++i)
      combo->Items().Add(values[i]);
    combo->OnChange = [this](TObject*) { FixedEditChange(); };
    const std::string text = Cells(rc, ARow);
    if (kind == fceComboEdit)
      combo->SetText(text);
    else
      combo->SetItemIndex(combo->Items().IndexOf(text));
    combo->SetCol(rc);
    combo->SetRow(ARow);
    editor = combo;
  }
  editor->SetVisible(true);
  if (editor->CanFocus()) editor->SetFocus();
}
