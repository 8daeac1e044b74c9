// The spin edit as a control on a pinned locale ("," decimals, day-month-year with "."): typed
// keys through the character filter, stepping by keys and buttons, the repeat of a held button on
// the test clock, clamping on leaving, and Enter as Tab.
#include "grid/asgspinedit.h"

#include "ShownControlFixture.h"

#include "controls/ProUtilDates.h"
#include "platform/Locale.h"
#include "platform/ui/Beep.h"
#include "support/FakeTimers.h"

#include <optional>
#include <string>

namespace {

class AsgSpinEditTest : public TShownControlTest {
protected:
  void SetUp() override {
    TShownControlTest::SetUp();
    Previous = FormatSettings();
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    fs.DateSeparator = '.';
    fs.TimeSeparator = ':';
    fs.ShortDateFormat = "dd.mm.yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    SetFormatSettings(fs);
    PreviousSink = SetBeepSink([this](unsigned) { ++Beeps; });
    Timers.emplace(1'000'000);
    MakeForm(300, 120);
    Spin = Add<TAsgSpinEdit>(10, 10, 120, 24);
    Spin->SetName("Spin");
    AddOther(10, 50, 120);
    ShowForm();
    Spin->SetFocus();
  }
  void TearDown() override {
    Form.reset();
    Timers.reset();
    SetBeepSink(PreviousSink);
    SetFormatSettings(Previous);
    TShownControlTest::TearDown();
  }
  // Types one character with the caret at `caret` and nothing selected.
  void TypeAt(int caret, const std::string& ch) {
    Spin->SetSelStart(caret);
    Spin->SetSelLength(0);
    Headless::TypeText(*Spin, ch);
  }
  static TDateTime Date(int y, int m, int d) {
    TDateTime v = 0;
    EXPECT_TRUE(TryEncodeDate(y, m, d, v));
    return v;
  }
  TFormatSettings Previous;
  TBeepSink PreviousSink;
  std::optional<TFakeTimers> Timers;
  TAsgSpinEdit* Spin = nullptr;
  int Beeps = 0;
};

TEST_F(AsgSpinEditTest, StartsAsAnIntegerEditWithItsButton) {
  EXPECT_EQ(Spin->Text(), "0");
  EXPECT_EQ(Spin->SpinType(), sptNormal);
  EXPECT_EQ(Spin->MaxValue(), 100);
  EXPECT_DOUBLE_EQ(Spin->IncrementFloat(), 0.1);
  EXPECT_TRUE(Spin->ShowSeconds());
  EXPECT_TRUE(Spin->EditorEnabled());
  EXPECT_EQ(Spin->Button()->Parent(), Spin);
  EXPECT_EQ(Spin->Button()->FocusControl(), Spin);
  EXPECT_EQ(Spin->Button()->Left(), Spin->Width() - Spin->Button()->Width() - 5);
  EXPECT_EQ(Spin->Button()->Height(), Spin->Height() - 5);
  EXPECT_EQ(Spin->FormattingRect().Right, Spin->ClientWidth() - Spin->Button()->Width() - 2);
  Spin->SetBounds(10, 10, 120, 4);
  EXPECT_EQ(Spin->Height(), Spin->MinHeight()) << "never lower than the font needs";
  Spin->SetDirection(spHorizontal);
  EXPECT_EQ(Spin->Button()->Width(), 20);
  EXPECT_EQ(Spin->Button()->Left(), Spin->Width() - 20 - 5);
  EXPECT_EQ(Spin->FormattingRect().Right, Spin->ClientWidth() - 20 - 2);
  Spin->SetEditAlign(eaCenter);
  EXPECT_EQ(Spin->Alignment(), taCenter);
}

TEST_F(AsgSpinEditTest, ReadingFallsBackAndLeavingClampsOnlyWhatReads) {
  Spin->SetText("abc");
  Spin->SetMinValue(7);
  EXPECT_EQ(Spin->Value(), 7);
  Other->SetFocus();
  EXPECT_EQ(Spin->Text(), "abc") << "unparsable text stays";

  Spin->SetText("500");
  Spin->SetFocus();
  Other->SetFocus();
  EXPECT_EQ(Spin->Text(), "100") << "leaving clamps";

  Spin->SetMinValue(0);
  Spin->SetMaxValue(0);
  Spin->SetValue(500);
  EXPECT_EQ(Spin->Text(), "500") << "equal bounds never clamp";

  Spin->SetSpinType(sptFloat);
  Spin->SetMinFloatValue(1);
  Spin->SetMaxFloatValue(5);
  Spin->SetText("x,y");
  EXPECT_DOUBLE_EQ(Spin->FloatValue(), 1.0);
  Spin->SetFloatValue(9.5);
  EXPECT_EQ(Spin->Text(), "5");
  Spin->SetPrecision(2);
  EXPECT_EQ(Spin->Text(), "5,00");
}

TEST_F(AsgSpinEditTest, CharacterFilterBeepsForRefusedKeys) {
  struct Case {
    TAsgSpinType kind;
    std::string text;
    int caret;
    std::string key;
    bool accepted;
  } cases[] = {
      {sptNormal, "12", 2, ".", false},  {sptNormal, "12", 0, "-", true},   {sptNormal, "-12", 3, "-", false},
      {sptNormal, "12", 2, "\r", false}, {sptFloat, "1,25", 4, "7", false}, // two decimals already
      {sptFloat, "1,25", 1, "7", true},                                     // before the separator
      {sptFloat, "1,2", 3, "5", true},
  };
  for (const Case& c : cases) {
    Spin->SetSpinType(c.kind);
    Spin->SetPrecision(c.kind == sptFloat ? 2 : 0);
    Spin->SetText(c.text);
    Beeps = 0;
    TypeAt(c.caret, c.key);
    EXPECT_EQ(Beeps, c.accepted ? 0 : 1) << c.text << " + " << c.key;
    EXPECT_EQ(Spin->Text() != c.text, c.accepted) << c.text << " + " << c.key;
  }
}

TEST_F(AsgSpinEditTest, CtrlVBeepsInTheIntegerKindAndPasteWaitsForTheEditor) {
  Other->SetText("42");
  Other->SelectAll();
  Other->CopyToClipboard();
  Other->SetText("");
  Spin->SetText("1");
  Spin->SetSelStart(1);
  Beeps = 0;
  Headless::PressKey(*Spin, 'V', ssCtrl);
  EXPECT_EQ(Beeps, 1);
  EXPECT_EQ(Spin->Text(), "1") << "nothing is pasted";

  Spin->SetSpinType(sptFloat);
  Spin->SetText("1");
  Spin->SetSelStart(1);
  Spin->SetEditorEnabled(false);
  Spin->PasteFromClipboard();
  EXPECT_EQ(Spin->Text(), "1") << "no paste while the editor is off";
  Spin->SetEditorEnabled(true);
  Spin->SetSelStart(1);
  Headless::PressKey(*Spin, 'V', ssCtrl);
  EXPECT_EQ(Spin->Text(), "142");
}

TEST_F(AsgSpinEditTest, KeysStepByKindAndPart) {
  Spin->SetText("5");
  Headless::PressKey(*Spin, VK_UP);
  EXPECT_EQ(Spin->Text(), "6");
  Headless::PressKey(*Spin, VK_NEXT);
  EXPECT_EQ(Spin->Text(), "5");

  Spin->SetSpinType(sptFloat);
  Spin->SetText("2");
  Headless::PressKey(*Spin, VK_PRIOR);
  EXPECT_EQ(Spin->Text(), "3") << "the page step";
  Headless::PressKey(*Spin, VK_DOWN);
  EXPECT_EQ(Spin->Text(), "2,9");

  Spin->SetSpinType(sptTime);
  struct Case {
    std::string text;
    int caret;
    std::uint16_t key;
    std::string expected;
  } times[] = {
      {"12:30:15", 7, VK_UP, "12:30:16"},   // after the second separator: seconds
      {"12:30:15", 4, VK_UP, "12:31:15"},   // minutes
      {"23:30:00", 1, VK_UP, "00:30:00"},   // past midnight
      {"00:00:00", 1, VK_DOWN, "23:00:00"}, // below midnight
  };
  for (const Case& c : times) {
    Spin->SetText(c.text);
    Spin->SetSelStart(c.caret);
    Headless::PressKey(*Spin, c.key);
    EXPECT_EQ(Spin->Text(), c.expected) << c.text << " caret " << c.caret;
    EXPECT_EQ(Spin->SelStart(), c.caret) << "the caret stays";
  }

  Spin->SetSpinType(sptDate);
  Spin->SetText("31.01.2025");
  Spin->SetSelStart(4);
  Headless::PressKey(*Spin, VK_UP);
  EXPECT_EQ(Spin->Text(), "28.02.2025") << "the month part: 31 January becomes the last of February";
  // Mended: a year step from 29 February lands on 28 February instead of failing.
  Spin->SetText("29.02.2024");
  Spin->SetSelStart(8);
  Headless::PressKey(*Spin, VK_UP);
  EXPECT_EQ(Spin->Text(), "28.02.2025");

  Spin->SetReadOnly(true);
  Beeps = 0;
  Headless::PressKey(*Spin, VK_UP);
  EXPECT_EQ(Beeps, 1);
  EXPECT_EQ(Spin->Text(), "28.02.2025") << "read-only only beeps";
}

TEST_F(AsgSpinEditTest, DateValueOfZeroIsNow) {
  TFakeClock clock;
  clock.Local = Date(2026, 12, 10) + 0.5;
  TScopedClock scope(clock);
  Spin->SetText("0");
  EXPECT_DOUBLE_EQ(Spin->DateValue(), Date(2026, 12, 10) + 0.5);
  Spin->SetText("1.2.");
  Spin->SetMinDateValue(Date(2020, 1, 1));
  EXPECT_DOUBLE_EQ(Spin->DateValue(), Date(2020, 1, 1)) << "unparsable reads MinDateValue";
}

TEST_F(AsgSpinEditTest, HeldUpButtonRepeatsAfter400ThenEvery100Ms) {
  Spin->SetText("0");
  TProTimerSpeedButton& up = *Spin->Button()->UpButton();
  Headless::MouseDown(up, {3, 3});
  Timers->Advance(399);
  EXPECT_EQ(Spin->Value(), 0);
  Timers->Advance(1);
  EXPECT_EQ(Spin->Value(), 1) << "first repeat after 400 ms";
  Timers->Advance(100);
  EXPECT_EQ(Spin->Value(), 2);
  Timers->Advance(100);
  EXPECT_EQ(Spin->Value(), 3);
  Headless::MouseUp(up, {3, 3});
  EXPECT_EQ(Spin->Value(), 4) << "the release clicks";
  Timers->Advance(500);
  EXPECT_EQ(Spin->Value(), 4);
  Headless::Click(*Spin->Button()->DownButton());
  EXPECT_EQ(Spin->Value(), 3) << "a quick click steps once";
}

// A descendant's override receives the button clicks.
class TLoggingSpin : public TAsgSpinEdit {
public:
  using TAsgSpinEdit::TAsgSpinEdit;
  int Ups = 0;
  void UpButtonClick() override {
    ++Ups;
    TAsgSpinEdit::UpButtonClick();
  }
};

TEST_F(AsgSpinEditTest, DescendantReceivesTheClicks) {
  auto* spin = new TLoggingSpin(Form.get());
  spin->SetParent(Form.get());
  spin->SetBounds(150, 10, 100, 24);
  Headless::Click(*spin->Button()->UpButton());
  EXPECT_EQ(spin->Ups, 1);
  EXPECT_EQ(spin->Text(), "1");
}

TEST_F(AsgSpinEditTest, EnterActsAsTabAndTheKeypadTypesTheSeparator) {
  Beeps = 0;
  Headless::PressKey(*Spin, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_TRUE(Spin->Focused()) << "Enter stays without ReturnIsTab";
  EXPECT_EQ(Beeps, 1) << "Enter as a character is refused";
  Spin->SetReturnIsTab(true);
  Headless::PressKey(*Spin, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_TRUE(Other->Focused());

  Spin->SetSpinType(sptFloat);
  Spin->SetExcelStyleDecimalSeparator(true);
  Spin->SetText("1");
  Spin->SetFocus();
  Spin->SetSelStart(1);
  Headless::PressKey(*Spin, VK_DECIMAL);
  EXPECT_EQ(Spin->Text(), "1,");
}

TEST_F(AsgSpinEditTest, EditorOffKeepsTheTextButStepsStill) {
  Spin->SetText("5");
  Spin->SetEditorEnabled(false);
  Beeps = 0;
  TypeAt(1, "7");
  EXPECT_EQ(Spin->Text(), "5");
  EXPECT_EQ(Beeps, 1);
  Spin->SetSelStart(0);
  Headless::PressKey(*Spin, VK_DELETE);
  EXPECT_EQ(Spin->Text(), "5") << "Delete is swallowed";
  Headless::PressKey(*Spin, VK_UP);
  EXPECT_EQ(Spin->Text(), "6");
  EXPECT_EQ(Spin->SelLength(), 1) << "the value is selected after a step";
}

} // namespace
