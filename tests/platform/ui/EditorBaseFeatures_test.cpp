// What the grid's editor bases need of the edit box and the combo box: clipboard keys that pass the
// character filter, the formatting rectangle and border, and the combo box's drop-down and
// close-up notifications, dropped width and painting over its own face.
#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

namespace {

class TFilteringEdit : public TEdit {
public:
  using TEdit::TEdit;
  bool DropControlChars = false;

protected:
  void KeyPress(WideChar& Key) override {
    if (DropControlChars && Key < 32) Key = 0;
    TEdit::KeyPress(Key);
  }
};

class EditorBaseFeaturesTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 300, 160);
    Form->SetColor(clWhite);
    Edit = new TFilteringEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 120, 21);
    Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(10, 40, 120, 21);
    Form->Show();
    Application->ProcessMessages();
  }
  TOwned<TForm> Form;
  TFilteringEdit* Edit = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(EditorBaseFeaturesTest, ClipboardKeysAsCharsPassTheKeyPressFirst) {
  Other->SetText("xy");
  Other->SelectAll();
  Other->CopyToClipboard();
  Edit->SetClipboardKeysAsChars(true);
  Edit->DropControlChars = true;
  Headless::PressKey(*Edit, 'V', ssCtrl);
  EXPECT_EQ(Edit->Text(), "") << "the dropped #22 keeps the paste out";
  Edit->DropControlChars = false;
  Headless::PressKey(*Edit, 'V', ssCtrl);
  EXPECT_EQ(Edit->Text(), "xy");
  Edit->SelectAll();
  Headless::PressKey(*Edit, 'X', ssCtrl);
  EXPECT_EQ(Edit->Text(), "");
  Edit->SetClipboardKeysAsChars(false);
  Edit->DropControlChars = true;
  Headless::PressKey(*Edit, 'V', ssCtrl);
  EXPECT_EQ(Edit->Text(), "xy") << "by default the key itself pastes";
}

TEST_F(EditorBaseFeaturesTest, FormattingRectangleAndBorder) {
  EXPECT_EQ(Edit->FormattingRect(), Edit->ClientRect());
  Edit->SetFormattingRect(Rect(3, 3, 90, 22));
  EXPECT_EQ(Edit->FormattingRect(), Rect(3, 3, 90, 22));
  EXPECT_EQ(Edit->BorderStyle(), bsSingle);
  Edit->SetBorderStyle(bsNone);
  EXPECT_EQ(Edit->BorderStyle(), bsNone);
  EXPECT_EQ(Edit->FormattingRect(), Rect(3, 3, 90, 22));
}

// A combo that logs its notifications and paints a red bar over its face.
class TLoggingCombo : public TComboBox {
public:
  using TComboBox::TComboBox;
  std::vector<std::string> Log;
  bool Over = false;

protected:
  void DropDown() override {
    Log.push_back("drop");
    TComboBox::DropDown();
  }
  void CloseUp() override {
    Log.push_back("close");
    TComboBox::CloseUp();
  }
  bool PaintsOver() const override { return Over; }
  void PaintOver(TCanvas& canvas) override {
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(Width() - 10, 0, Width(), Height()));
  }
};

TEST_F(EditorBaseFeaturesTest, ComboNotifiesOpenAndCloseOnceAndKeepsItsDroppedWidth) {
  auto* combo = new TLoggingCombo(Form.get());
  combo->SetParent(Form.get());
  combo->SetBounds(10, 80, 100, 21);
  combo->Items().Add("one");
  int closes = 0;
  combo->OnCloseUp = [&](TObject*) { ++closes; };
  combo->SetDroppedDown(true);
  EXPECT_TRUE(combo->DroppedDown());
  combo->SetDroppedDown(true);
  combo->SetDroppedDown(false);
  combo->SetDroppedDown(false);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Log, (std::vector<std::string>{"drop", "close"}));
  EXPECT_EQ(closes, 1);

  EXPECT_EQ(combo->DroppedWidth(), 100) << "as wide as the box";
  combo->Perform(CB_SETDROPPEDWIDTH, 250);
  EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH), 250);

  combo->Over = true;
  const TBitmap shot = RenderPicture(*Form);
  EXPECT_EQ(shot.Pixel(10 + 95, 80 + 10), clRed) << "painted over the box's own face";
}

} // namespace
