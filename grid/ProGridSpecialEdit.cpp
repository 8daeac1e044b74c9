// The spin, edit-button, unit, button, picker, link and rich-text editors: created on first use,
// loaded from the cell when an edit starts and written back when it ends.
#include "controls/ProUtilNumbers.h"
#include "grid/EditLink.h"
#include "grid/EditTextForm.h"
#include "grid/GridButton.h"
#include "grid/GridCombo.h"
#include "grid/GridDatePicker.h"
#include "grid/GridEditBtn.h"
#include "grid/GridSpin.h"
#include "grid/ProGrid.h"
#include "grid/ProGridUnit.h"
#include "grid/ProRichEdit.h"
#include "grid/SpecialEditors.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Locale.h"
#include "platform/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

#include <cctype>

namespace {

// The leading integer of a text ("12 kg" reads 12); 0 when it starts with none.
int LeadingInteger(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  long long v = 0;
  bool any = false;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    if (v < 1000000000000LL) v = v * 10 + (text[i] - '0');
    any = true;
    ++i;
  }
  if (!any) return 0;
  if (text[start] == '-') v = -v;
  if (v > 2147483647LL) v = 2147483647LL;
  if (v < -2147483648LL) v = -2147483648LL;
  return static_cast<int>(v);
}

// The date of a cell text (through OnCustomStrToDate when assigned); now for an empty text or
// one that is no date.
double CellDate(TProStringGrid& Grid, const std::string& Text) {
  const double now = Clock().LocalNow();
  if (Text.empty()) return now;
  try {
    if (Grid.OnCustomStrToDate) {
      double d = now;
      Grid.OnCustomStrToDate(&Grid, Text, d);
      return d;
    }
    return StrToDate(Text);
  } catch (const std::exception&) {
    return now;
  }
}

// Date and time: the date, then after a blank the time; now when either is none.
double CellDateTime(const std::string& Text) {
  const double now = Clock().LocalNow();
  try {
    const std::size_t blank = Text.find(' ');
    if (blank == std::string::npos) return StrToDate(Text);
    return StrToDate(Text.substr(0, blank)) + StrToTime(Text.substr(blank + 1));
  } catch (const std::exception&) {
    return now;
  }
}

template <class T> T* MakeEditor(TProStringGrid* Grid) {
  auto* e = new T(Grid);
  e->SetParent(Grid);
  e->SetVisible(false);
  e->SetEnabled(false);
  return e;
}

void HideControl(TWinControl* c) {
  if (!c) return;
  c->SetVisible(false);
  c->SetEnabled(false);
}

// The time in the regional short time format (the long one without its seconds).
std::string ShortTimeText(double value) {
  TFormatSettings fs = FormatSettings();
  const TFormatSettings saved = fs;
  fs.LongTimeFormat = GetShortTimeFormat();
  SetFormatSettings(fs);
  const std::string text = TimeToStr(value);
  SetFormatSettings(saved);
  return text;
}

// What the date-and-time editor stores: short date, a blank and short time; empty unchecked.
std::string DateAndTimeText(const TGridDateTimePicker& Picker) {
  if (!Picker.Checked()) return {};
  const double v = Picker.DateTime();
  return DateToStr(v) + " " + ShortTimeText(v);
}

} // namespace

TProGridEditors& TProStringGrid::Editors() {
  if (!FEditors) FEditors = std::make_shared<TProGridEditors>();
  return *FEditors;
}

TGridSpin* TProStringGrid::SpinEdit() {
  TProGridEditors& e = Editors();
  if (!e.Spin) {
    e.Spin = MakeEditor<TGridSpin>(this);
    e.Spin->SetBorderStyle(bsNone);
  }
  return e.Spin;
}

TGridEditBtn* TProStringGrid::EditBtn() {
  TProGridEditors& e = Editors();
  if (!e.EditBtn) {
    e.EditBtn = MakeEditor<TGridEditBtn>(this);
    e.EditBtn->SetButtonCaption("...");
    e.EditBtn->SetBorderStyle(bsNone);
  }
  return e.EditBtn;
}

TGridUnitEditBtn* TProStringGrid::UnitEditBtn() {
  TProGridEditors& e = Editors();
  if (!e.UnitEditBtn) {
    e.UnitEditBtn = MakeEditor<TGridUnitEditBtn>(this);
    e.UnitEditBtn->SetButtonCaption("...");
    e.UnitEditBtn->SetBorderStyle(bsNone);
    e.UnitEditBtn->OnUnitChanged = [this](TObject*, const std::string& unit) { UnitChanged(unit); };
  }
  return e.UnitEditBtn;
}

TGridButton* TProStringGrid::GridButton() {
  TProGridEditors& e = Editors();
  if (!e.Button) {
    e.Button = MakeEditor<TGridButton>(this);
    e.Button->OnClick = [this](TObject*) { ButtonClick(Col(), Row()); };
  }
  return e.Button;
}

TGridDatePicker* TProStringGrid::DateTimePicker() {
  TProGridEditors& e = Editors();
  if (!e.DatePicker) {
    e.DatePicker = MakeEditor<TGridDatePicker>(this);
    e.DatePicker->OnCloseUp = [this](TObject*) {
      if (OnDatePickerCloseUp) OnDatePickerCloseUp(this, Row(), RealCol());
      if (FMouseActions->DirectDateClose()) HideInplaceEdit();
    };
    e.DatePicker->OnDropDown = [this](TObject*) {
      TGridDatePicker* p = Editors().DatePicker;
      p->SetWeekNumbers(p->Weeknumbers());
      if (OnDatePickerDropDown) OnDatePickerDropDown(this, Row(), RealCol());
    };
    e.DatePicker->OnChange = [this](TObject*) {
      if (OnEditChange && !FNoEditChange) OnEditChange(this, Col(), Row(), Editors().DatePicker->Text());
    };
  }
  return e.DatePicker;
}

TGridDateTimePicker* TProStringGrid::DateAndTimePicker() {
  TProGridEditors& e = Editors();
  if (!e.DateAndTimePicker) {
    e.DateAndTimePicker = MakeEditor<TGridDateTimePicker>(this);
    e.DateAndTimePicker->SetAutoTab(true);
    e.DateAndTimePicker->OnCloseUp = [this](TObject*) {
      if (OnDatePickerCloseUp) OnDatePickerCloseUp(this, Row(), RealCol());
      if (FMouseActions->DirectDateClose()) HideInplaceEdit();
    };
    e.DateAndTimePicker->OnTimeChange = [this](TObject*) {
      if (OnDateTimeChange) OnDateTimeChange(this, Col(), Row(), Editors().DateAndTimePicker->DateTime());
    };
  }
  return e.DateAndTimePicker;
}

TEditLink* TProStringGrid::EditLink() const {
  return FEditors ? FEditors->EditLink : nullptr;
}

void TProStringGrid::SetEditLink(TEditLink* Value) {
  Editors().EditLink = Value;
}

std::string TProStringGrid::EllipsClick(const std::string& Text) {
  std::string s = Text;
  if (OnEllipsClick) OnEllipsClick(this, RealCol(), Row(), s);
  return s;
}

void TProStringGrid::UnitChanged(const std::string& NewUnit) {
  if (OnUnitChanged) OnUnitChanged(this, Col(), Row(), NewUnit);
}

bool TProStringGrid::EditRestored() const {
  return FEditors && FEditors->Restored;
}

void TProStringGrid::SetEditRestored(bool Value) {
  Editors().Restored = Value;
}

double TProStringGrid::OriginalDateTime() const {
  return FEditors ? FEditors->OriginalDateTime : 0;
}

void TProStringGrid::ShowOtherEdit(int ACol, int ARow) {
  TProGridEditors& e = Editors();
  e.Restored = false;
  const TRect r = CellRect(ACol, ARow);
  const int w = r.Width() - 1, h = r.Height() - 1;
  const int rc = RealColIndex(ACol);
  const std::string text = GetEditText(ACol, ARow);
  e.StartText = rc >= 0 ? Cells(rc, ARow) : std::string();
  // Placed, shown, focused and given the character that opened the edit.
  auto show = [&](TWinControl* c, bool editorProp, bool startChar) {
    c->SetBounds(r.Left, r.Top, w, h);
    c->SetEnabled(true);
    c->SetVisible(true);
    if (editorProp && OnGetEditorProp) OnGetEditorProp(this, rc, ARow, nullptr);
    if (c->CanFocus()) c->SetFocus();
    if (startChar && FStartEditChar) PostMessage(c, WM_CHAR, FStartEditChar, 0);
  };
  switch (FEditControl) {
  case edSpinEdit:
  case edFloatSpinEdit:
  case edTimeSpinEdit:
  case edDateSpinEdit: {
    TGridSpin* spin = SpinEdit();
    spin->ReCreate();
    spin->SetExcelStyleDecimalSeparator(FExcelStyleDecimalSeparator);
    FNoEditChange = true;
    switch (FEditControl) {
    case edSpinEdit:
      spin->SetSpinType(sptNormal);
      spin->SetValue(LeadingInteger(text));
      break;
    case edFloatSpinEdit:
      spin->SetSpinType(sptFloat);
      spin->SetText(NormalizeNumberText(text));
      spin->SetFloatValue(spin->FloatValue());
      break;
    case edTimeSpinEdit:
      spin->SetSpinType(sptTime);
      spin->SetText(text);
      break;
    default:
      spin->SetSpinType(sptDate);
      spin->SetText(text);
      spin->SetDateValue(spin->DateValue());
      break;
    }
    if (FEditControl == edSpinEdit && text.empty() && spin->AllowEmptyValue()) spin->SetText("");
    FNoEditChange = false;
    spin->SetColor(Color());
    show(spin, true, true);
    if (FSpinUpClick) spin->UpButtonClick();
    if (FSpinDnClick) spin->DownButtonClick();
    FSpinUpClick = FSpinDnClick = false;
    break;
  }
  case edEditBtn:
  case edNumericEditBtn:
  case edFloatEditBtn:
  case edMaskEditBtn: {
    TGridEditBtn* edit = EditBtn();
    edit->ReCreate();
    FNoEditChange = true;
    edit->SetEditMask(FEditControl == edMaskEditBtn ? GetEditMask(ACol, ARow) : std::string());
    edit->SetText(text);
    FNoEditChange = false;
    edit->SetMaxLength(GetEditLimit());
    show(edit, false, true);
    break;
  }
  case edUnitEditBtn:
  case edNumericUnitEditBtn:
  case edFloatUnitEditBtn: {
    TGridUnitEditBtn* edit = UnitEditBtn();
    edit->ReCreate();
    edit->SetMaxLength(GetEditLimit());
    FNoEditChange = true;
    edit->SetUnitID("");
    edit->SetText("");
    edit->SetTextAndUnit(text);
    // No unit of the list ends the text: it is all value.
    if (edit->TextAndUnit() != text) edit->SetText(text);
    FNoEditChange = false;
    show(edit, true, true);
    break;
  }
  case edDateEdit:
  case edDateEditUpDown: {
    if (!NewCommonControls()) break;
    TGridDatePicker* picker = DateTimePicker();
    picker->ReCreate();
    FNoEditChange = true;
    picker->SetKind(dtkDate);
    picker->SetCalendarPopup(FEditControl == edDateEdit);
    // The limits clamp: a date beyond one opens on it, dates within them unchanged.
    picker->SetDate(CellDate(*this, text));
    // A value loaded is a value: the check box (when shown) opens checked.
    picker->SetChecked(true);
    FNoEditChange = false;
    picker->SetColor(Color());
    show(picker, true, true);
    if (FMouseActions->DirectDateDrop()) picker->SetDroppedDown(true);
    break;
  }
  case edTimeEdit: {
    if (!NewCommonControls()) break;
    TGridDatePicker* picker = DateTimePicker();
    picker->ReCreate();
    FNoEditChange = true;
    picker->SetKind(dtkTime);
    double t = Clock().LocalNow();
    try {
      if (!text.empty()) t = StrToTime(text);
    } catch (const std::exception&) {
    }
    picker->SetTime(t);
    picker->SetChecked(true);
    FNoEditChange = false;
    picker->SetColor(Color());
    show(picker, true, false);
    break;
  }
  case edDateTimeEdit: {
    if (!NewCommonControls()) break;
    TGridDateTimePicker* picker = DateAndTimePicker();
    FNoEditChange = true;
    picker->SetDateTime(text.empty() ? Clock().LocalNow() : CellDateTime(text));
    picker->SetChecked(true);
    FNoEditChange = false;
    e.OriginalDateTime = picker->DateTime();
    picker->SetBorderStyle(bsNone);
    picker->SetBounds(r.Left, r.Top, w, h);
    picker->SetEnabled(true);
    picker->SetVisible(true);
    if (OnGetEditorProp) OnGetEditorProp(this, rc, ARow, nullptr);
    if (picker->CanFocus()) picker->SetFocus();
    break;
  }
  case edCustom: {
    TEditLink* link = e.EditLink;
    if (!link) break;
    e.OpenLink = link;
    FEditMode = true;
    link->SetGrid(this);
    link->SetEditCell({rc, ARow});
    TRect lr = r;
    if (link->EditStyle() == esPopup) {
      if (link->AutoPopupWidth()) link->SetPopupWidth(r.Width());
      TForm* form = link->MakePopupForm();
      TPoint at{link->PopupLeft(), link->PopupTop()};
      if (at.X == -1 || at.Y == -1) at = ClientToScreen({r.Left, r.Top});
      form->SetBounds(at.X, at.Y, link->PopupWidth(), link->PopupHeight());
      form->Show();
      link->CreateEditor(form);
      lr = {0, 0, link->PopupWidth(), link->PopupHeight()};
    } else {
      link->CreateEditor(this);
    }
    link->SetRect(lr);
    link->SetVisible(true);
    link->SetCellProps(Color(), Font());
    link->SetProperties();
    if (OnGetEditorProp) OnGetEditorProp(this, rc, ARow, link);
    link->SetEditorValue(text);
    link->SetFocus(true);
    if (FStartEditChar)
      if (TWinControl* c = link->GetEditControl()) PostMessage(c, WM_CHAR, FStartEditChar, 0);
    break;
  }
  case edRichEdit: {
    TProRichEdit* rich = InplaceRichEdit();
    rich->ReCreate();
    rich->Lock();
    FNoEditChange = true;
    CellToRich(rc, ARow, rich);
    FNoEditChange = false;
    // What was loaded: an edit that changes neither text nor offsets keeps the stored RTF.
    e.RichLoaded = Cells(rc, ARow);
    e.RichLoadedPlain = rich->Text();
    e.RichLoadedOffsets = rich->Offsets();
    rich->SetFont(Font());
    rich->SetFormattingRect({2, 2, w - 2, h - 2});
    show(rich, true, true);
    if (FNavigation.EditSelectAll()) rich->SelectAll();
    rich->Unlock();
    break;
  }
  case edButton: {
    TGridButton* button = GridButton();
    button->ReCreate();
    button->SetCaption(text);
    button->SetBounds(r.Left - 1, r.Top - 1, w + 2, h + 2);
    button->SetEnabled(true);
    button->SetVisible(true);
    if (button->CanFocus()) button->SetFocus();
    break;
  }
  default:
    break;
  }
}

void TProStringGrid::CommitOtherEdit(int ACol, int ARow) {
  TProGridEditors& e = Editors();
  const int rc = RealColIndex(ACol);
  // Esc: the cell keeps exactly the text it had when the edit began.
  const bool write = !e.Restored && rc >= 0;
  // What the edit wrote through on its way (a paste) goes back too.
  if (e.Restored && rc >= 0 && Cells(rc, ARow) != e.StartText) StoreEditValue(rc, ARow, e.StartText);
  e.Restored = false;
  switch (FEditControl) {
  case edSpinEdit:
  case edFloatSpinEdit:
  case edTimeSpinEdit:
  case edDateSpinEdit: {
    FEditMode = false;
    TGridSpin* spin = e.Spin;
    if (!spin) break;
    if (write) {
      const std::string before = CurrentCell();
      if (spin->AllowEmptyValue() && Trim(spin->Text()).empty())
        StoreEditValue(rc, ARow, "");
      else if (FEditControl == edSpinEdit)
        SetInts(rc, ARow, spin->Value());
      else if (FEditControl == edFloatSpinEdit)
        SetFloats(rc, ARow, spin->FloatValue());
      else if (FEditControl == edTimeSpinEdit)
        StoreEditValue(rc, ARow, spin->Text());
      else
        SetDates(rc, ARow, spin->DateValue());
      // The value in its kind's form, and encoded where the cell held encoded wide text.
      if (IsEncodedWideText(before)) StoreEditValue(rc, ARow, StoredEditText(before, CurrentCell()));
    }
    HideControl(spin);
    break;
  }
  case edEditBtn:
  case edNumericEditBtn:
  case edFloatEditBtn:
  case edMaskEditBtn:
    if (e.EditBtn) {
      if (FEditMode && write) StoreEditValue(rc, ARow, StoredCurrentCellText(*this, e.EditBtn->Text()));
      HideControl(e.EditBtn);
    }
    break;
  case edUnitEditBtn:
  case edNumericUnitEditBtn:
  case edFloatUnitEditBtn:
    if (e.UnitEditBtn) {
      if (write) StoreEditValue(rc, ARow, StoredCurrentCellText(*this, e.UnitEditBtn->TextAndUnit()));
      HideControl(e.UnitEditBtn);
    }
    break;
  case edButton:
    HideControl(e.Button);
    break;
  case edCustom:
    if (TEditLink* link = e.OpenLink) {
      e.OpenLink = nullptr;
      // A refused value is not stored; the link opens again on the cell.
      if (write && FLastValidation)
        StoreEditValue(rc, ARow, StoredCurrentCellText(*this, link->GetEditorValue()));
      if (link->EditStyle() != esPopup) link->SetVisible(false);
      link->RestoreWinProc();
    }
    FEditMode = false;
    break;
  case edRichEdit:
    if (TProRichEdit* rich = e.InplaceRichEdit) {
      const bool same = rich->Text() == e.RichLoadedPlain && rich->Offsets() == e.RichLoadedOffsets;
      if (write && !same) StoreEditValue(rc, ARow, rich->StoredText());
      HideControl(rich);
    }
    break;
  case edDateEdit:
  case edDateEditUpDown:
    if (NewCommonControls() && e.DatePicker) {
      if (write)
        StoreEditValue(
            rc, ARow,
            StoredCurrentCellText(*this, e.DatePicker->Checked() ? e.DatePicker->Text() : std::string()));
      HideControl(e.DatePicker);
    }
    break;
  case edTimeEdit:
    if (NewCommonControls() && e.DatePicker) {
      // The time as the picker shows it: in its own format when it has one.
      if (write) StoreEditValue(rc, ARow, StoredCurrentCellText(*this, e.DatePicker->Text()));
      HideControl(e.DatePicker);
    }
    break;
  case edDateTimeEdit:
    if (NewCommonControls() && e.DateAndTimePicker) {
      TGridDateTimePicker* p = e.DateAndTimePicker;
      if (write) StoreEditValue(rc, ARow, StoredCurrentCellText(*this, DateAndTimeText(*p)));
      HideControl(p);
    }
    break;
  default:
    break;
  }
}

std::optional<std::string> TProStringGrid::PendingEditValue() {
  if (!FEditMode || !FSpecialEditor || EditRestored()) return std::nullopt;
  if (FEditControl == edComboList || FEditControl == edComboEdit) {
    if (FEditCombo && FComboTouched) return FEditCombo->Text();
    return std::nullopt;
  }
  if (!FEditors) return std::nullopt;
  TProGridEditors& e = *FEditors;
  switch (FEditControl) {
  case edSpinEdit:
  case edFloatSpinEdit:
  case edTimeSpinEdit:
  case edDateSpinEdit:
    if (e.Spin)
      return e.Spin->AllowEmptyValue() && Trim(e.Spin->Text()).empty() ? std::string() : e.Spin->Text();
    break;
  case edEditBtn:
  case edNumericEditBtn:
  case edFloatEditBtn:
  case edMaskEditBtn:
    if (e.EditBtn) return e.EditBtn->Text();
    break;
  case edUnitEditBtn:
  case edNumericUnitEditBtn:
  case edFloatUnitEditBtn:
    if (e.UnitEditBtn) return e.UnitEditBtn->Text() + e.UnitEditBtn->UnitID();
    break;
  case edDateEdit:
  case edDateEditUpDown:
    if (NewCommonControls() && e.DatePicker)
      return e.DatePicker->Checked() ? e.DatePicker->Text() : std::string();
    break;
  case edTimeEdit:
    if (NewCommonControls() && e.DatePicker) return e.DatePicker->Text();
    break;
  case edDateTimeEdit:
    if (NewCommonControls() && e.DateAndTimePicker) return DateAndTimeText(*e.DateAndTimePicker);
    break;
  case edCustom:
    if (e.OpenLink) return e.OpenLink->GetEditorValue();
    break;
  case edRichEdit:
    // As edited: a wide cell's plain text, else RTF.
    if (TProRichEdit* rich = e.InplaceRichEdit;
        rich && (rich->Text() != e.RichLoadedPlain || rich->Offsets() != e.RichLoadedOffsets))
      return ShownEditText(rich->StoredText());
    break;
  default:
    break;
  }
  return std::nullopt;
}

void TProStringGrid::ShowPendingEditValue(const std::string& Stored) {
  if (!FEditMode || !FSpecialEditor) return;
  const std::string Value = ShownEditText(Stored);
  TProGridEditors& e = Editors();
  // Picking the item equal to the value, or showing it in an editable combo.
  const bool quiet = FNoEditChange;
  FNoEditChange = true;
  switch (FEditControl) {
  case edComboList:
  case edComboEdit:
    if (FEditCombo) {
      if (FEditCombo->Style() == csDropDownList)
        FEditCombo->SetItemIndex(FEditCombo->Items().IndexOf(Value));
      else
        FEditCombo->SetText(Value);
      // Shown for the user to correct: leaving stores it as if typed.
      FComboTouched = true;
    }
    break;
  case edSpinEdit:
  case edFloatSpinEdit:
  case edTimeSpinEdit:
  case edDateSpinEdit:
    if (e.Spin) e.Spin->SetText(Value);
    break;
  case edEditBtn:
  case edNumericEditBtn:
  case edFloatEditBtn:
  case edMaskEditBtn:
    if (e.EditBtn) e.EditBtn->SetText(Value);
    break;
  case edUnitEditBtn:
  case edNumericUnitEditBtn:
  case edFloatUnitEditBtn:
    if (e.UnitEditBtn) e.UnitEditBtn->SetTextAndUnit(Value);
    break;
  case edCustom:
    if (e.OpenLink) e.OpenLink->SetEditorValue(Value);
    break;
  case edDateEdit:
  case edDateEditUpDown:
    if (e.DatePicker && !Value.empty()) e.DatePicker->SetDate(CellDate(*this, Value));
    break;
  case edTimeEdit:
    if (e.DatePicker && !Value.empty()) {
      try {
        e.DatePicker->SetTime(StrToTime(Value));
      } catch (const std::exception&) {
      }
    }
    break;
  case edDateTimeEdit:
    if (e.DateAndTimePicker && !Value.empty()) e.DateAndTimePicker->SetDateTime(CellDateTime(Value));
    break;
  default:
    // The rich-text editor shows rich text only.
    break;
  }
  FNoEditChange = quiet;
}
