// The date pickers, edit links and the rich edit over cells holding plain or encoded wide text: an
// unchanged edit leaves the stored text byte for byte, a changed one stores the value in the form
// the cell had, Esc restores it; what is validated is the value in that form.
#include "controls/ProUtilCellText.h"
#include "grid/GridDatePicker.h"
#include "grid/ProRichEdit.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Locale.h"
#include "platform/ui/RichEditText.h"

#include "EditorKindsFixture.h"
#include "TestEditLink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

class GridEditorsStoredForm : public EditorKindsTest {
protected:
  static constexpr int PopupLinkCol = FloatSpinCol;

  void SetUp() override {
    EditorKindsTest::SetUp();
    TFormatSettings fs;
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    SetFormatSettings(fs);
    Clock.Local = StrToDate("10/12/2026") + StrToTime("08:15:00");
    Link = new TTestLink(Form);
    Grid->Columns().Items(LinkCol)->SetEditLink(Link);
    PopupLink = new TTestLink(Form);
    PopupLink->SetEditStyle(esPopup);
    PopupLink->SetPopupWidth(120);
    PopupLink->SetPopupHeight(30);
    Grid->Columns().Items(PopupLinkCol)->SetEditor(edCustom);
    Grid->Columns().Items(PopupLinkCol)->SetEditLink(PopupLink);
    Grid->OnCellValidate = [this](TObject*, int, int, std::string& Value, bool&) {
      Validated.push_back(Value);
    };
    Grid->OnCellValidateWide = [this](TObject*, int, int, std::string& Value, bool&) {
      Validated.push_back("wide:" + Value);
    };
  }
  void TearDown() override {
    EditorKindsTest::TearDown();
    ResetFormatSettings();
  }

  // Digits typed into the picker's first field.
  void TypeFirstField(TFlatDateTimePicker& p, const char* digits) {
    p.SetFieldIndex(0);
    Headless::TypeText(p, digits);
    Application->ProcessMessages();
  }
  void TypeAtEnd(TEdit& e, const char* s) {
    e.SetSelStart(static_cast<int>(e.Text().size()));
    e.SetSelLength(0);
    Headless::TypeText(e, s);
  }

  enum TEnd { EndKey, FocusLoss, Escape };
  struct TKind {
    const char* Name;
    int Col;
    const char* Text;    // the cell's value, as the editor shows it
    const char* Changed; // the value after Change
    std::function<bool()> Open;
    std::function<std::string()> Shown;
    std::function<void()> Change;
    std::function<TWinControl*()> Editor;
    // Which ends validate at once (the others leave it to the grid's next move).
    bool KeyValidates = true, LeaveValidates = false;
    // A changed value as a plain cell stores it.
    std::function<std::string(const std::string&)> PlainForm = [](const std::string& s) { return s; };
    bool HasEndKey = true, HasFocusLoss = true;
  };

  std::vector<TKind> Kinds() {
    auto picker = [this] { return Grid->DateTimePicker(); };
    auto pickerOpen = [=] { return picker()->Visible(); };
    auto pickerText = [=] { return picker()->Text(); };
    TGridDateTimePicker* dt = Grid->DateAndTimePicker();
    auto linkEdit = [](TTestLink* l) { return [l] { return l->Edit(); }; };
    TProRichEdit* rich = Grid->InplaceRichEdit();
    return {
        {"date picker", DateCol, "15/03/2020", "04/03/2020", pickerOpen, pickerText,
         [=, this] { TypeFirstField(*picker(), "4"); }, picker},
        {"time picker", TimeCol, "10:30:00", "09:30:00", pickerOpen, pickerText,
         [=, this] { TypeFirstField(*picker(), "9"); }, picker},
        {"date-and-time picker", DateTimeCol, "15/03/2020 10:45", "04/03/2020 10:45",
         [=] { return dt->Visible(); },
         [=] {
           const TDateParts p = DecodeDateTime(dt->DateTime());
           char time[8];
           std::snprintf(time, sizeof time, "%02d:%02d", p.Hour, p.Minute);
           return DateToStr(dt->DateTime()) + " " + time;
         },
         [=, this] { TypeFirstField(*dt, "4"); }, [=] { return dt; }, false},
        {"edit link", LinkCol, "Grüße €", "Grüße €!", [this] { return Link->Edit()->Visible(); },
         [this] { return Link->Edit()->Text(); }, [this] { TypeAtEnd(*Link->Edit(), "!"); }, linkEdit(Link),
         true, true},
        // The pop-up's control goes with the pop-up.
        {"pop-up edit link", PopupLinkCol, "Grüße €", "Grüße €!",
         [this] { return PopupLink->Edit() && PopupLink->PopupForm()->Visible(); },
         [this] { return PopupLink->Edit()->Text(); }, [this] { TypeAtEnd(*PopupLink->Edit(), "!"); },
         linkEdit(PopupLink), true, true, [](const std::string& s) { return s; }, true, false},
        // Enter is a line break here.
        {"rich edit", RichCol, "Grüße €", "Grüße €!", [=] { return rich->Visible(); },
         [=] { return rich->Text(); }, [=, this] { TypeAtEnd(*rich, "!"); }, [=] { return rich; }, false,
         false, [](const std::string& s) { return RichTextWrite(s); }, false},
    };
  }

  TTestLink* Link = nullptr;
  TTestLink* PopupLink = nullptr;
  std::vector<std::string> Validated;
  TFakeClock Clock;
  TScopedClock Scope{Clock};
};

TEST_F(GridEditorsStoredForm, UnchangedKeepsTheStoredTextChangedKeepsItsForm) {
  const std::pair<TEnd, const char*> ends[] = {
      {EndKey, "closing key"}, {FocusLoss, "focus loss"}, {Escape, "Esc"}};
  for (const TKind& k : Kinds()) {
    for (bool wide : {false, true}) {
      for (auto [end, endName] : ends) {
        if ((end == EndKey && !k.HasEndKey) || (end == FocusLoss && !k.HasFocusLoss)) continue;
        for (bool change : {false, true}) {
          SCOPED_TRACE(std::string(k.Name) + (wide ? ", wide, " : ", plain, ") + endName +
                       (change ? ", changed" : ", unchanged"));
          const std::string stored = wide ? EncodeWideCellText(k.Text) : std::string(k.Text);
          Grid->SetCells(k.Col, 1, stored);
          Grid->SetModified(false);
          Open(k.Col, 1);
          Validated.clear();
          ASSERT_TRUE(k.Open());
          EXPECT_EQ(k.Shown(), k.Text) << "shown decoded";
          if (change) {
            k.Change();
            EXPECT_EQ(k.Shown(), k.Changed);
          }
          if (end == FocusLoss)
            Leave();
          else
            Press(*k.Editor(), end == Escape ? VK_ESCAPE : VK_RETURN);
          Application->ProcessMessages();
          EXPECT_FALSE(k.Open());
          const bool written = change && end != Escape;
          const std::string expected = !written ? stored
                                       : wide   ? EncodeWideCellText(k.Changed)
                                                : k.PlainForm(k.Changed);
          EXPECT_EQ(Grid->Cells(k.Col, 1), expected);
          // What is validated is the value in the cell's form; an unchanged value is not asked about.
          const bool validates = end == EndKey ? k.KeyValidates : end == FocusLoss && k.LeaveValidates;
          std::vector<std::string> asked;
          if (written && validates) asked = {expected};
          EXPECT_EQ(Validated, asked);
          EXPECT_EQ(Grid->Modified(), written && validates);
          EXPECT_EQ(Log, std::vector<std::string>{"done"});
          Grid->HideInplaceEdit();
          Log.clear();
        }
      }
    }
  }
}

} // namespace

TEST_F(GridEditorsStoredForm, ARefusedValueIsAskedInTheCellsFormAndNeverStored) {
  Grid->OnCellValidate = [this](TObject*, int, int, std::string& Value, bool& Valid) {
    Validated.push_back(Value);
    Valid = false;
  };
  for (const TKind& k : Kinds()) {
    if (!k.KeyValidates) continue;
    for (bool wide : {false, true}) {
      SCOPED_TRACE(std::string(k.Name) + (wide ? ", wide" : ", plain"));
      const std::string stored = wide ? EncodeWideCellText(k.Text) : std::string(k.Text);
      auto form = [&](const char* s) { return wide ? EncodeWideCellText(s) : std::string(s); };
      Grid->SetCells(k.Col, 1, stored);
      Open(k.Col, 1);
      Validated.clear();
      k.Change();
      Press(*k.Editor(), VK_RETURN);
      Application->ProcessMessages();
      EXPECT_EQ(Validated, std::vector<std::string>{form(k.Changed)});
      ASSERT_TRUE(k.Open()) << "refused: the editor opens again";
      EXPECT_EQ(k.Shown(), k.Changed) << "shown decoded";
      EXPECT_EQ(Grid->Cells(k.Col, 1), stored);
      Press(*k.Editor(), VK_ESCAPE);
      Application->ProcessMessages();
      EXPECT_EQ(Grid->Cells(k.Col, 1), stored);
      Grid->HideInplaceEdit();
    }
  }
}
