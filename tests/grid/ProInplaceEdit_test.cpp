#include "controls/ProUtilCellText.h"
#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "EditGridFixture.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class ProInplaceEditTest : public TEditGridTest {
protected:
  ProInplaceEditTest() : TEditGridTest(SmallEditGrid) {}
  void SetUp() override {
    TEditGridTest::SetUp();
    Grid->OnEditingDone = [this](TObject*) { ++Done; };
    Beeps = 0;
    OldSink = SetBeepSink([this](unsigned) { ++Beeps; });
  }
  void TearDown() override {
    SetBeepSink(OldSink);
    TEditGridTest::TearDown();
  }
  int Done = 0;
  int Beeps = 0;
  TBeepSink OldSink;
};

TEST_F(ProInplaceEditTest, TypingFollowsTheKindAndBeepsOnRefusal) {
  Grid->Columns().Items(1)->SetEditor(edNumeric);
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  Headless::TypeText(*e, "1a2");
  EXPECT_EQ(e->Text(), "12");
  EXPECT_EQ(Beeps, 1);
}

TEST_F(ProInplaceEditTest, EditLengthIsAWholeIntLimit) {
  Grid->Columns().Items(2)->SetEditLength(40000);
  TProInplaceEdit* e = Open(2, 1);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->LengthLimit(), 40000) << "no 16-bit wrap to a negative 'no limit'";
  EXPECT_EQ(e->MaxLength(), 40000);
  Grid->HideInplaceEdit();
  Grid->Columns().Items(3)->SetEditLength(3);
  e = Open(3, 1);
  ASSERT_TRUE(e);
  Headless::TypeText(*e, "abcd");
  EXPECT_EQ(e->Text(), "abc");
  Headless::PressKey(*e, VK_BACK);
  EXPECT_EQ(e->Text(), "ab") << "Backspace works in a full edit";
}

TEST_F(ProInplaceEditTest, PasteGoesThroughTheKindFilter) {
  Grid->Columns().Items(1)->SetEditor(edNumeric);
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  Clipboard()->SetAsText("1.5");
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), "");
  Clipboard()->SetAsText("15\r\n");
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), "15");
}

TEST_F(ProInplaceEditTest, FocusLossCommitsAndAnnouncesTheEnd) {
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  Headless::TypeText(*e, "abc");
  Other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "abc");
  EXPECT_EQ(Done, 1);
  EXPECT_FALSE(Grid->EditMode());
}

TEST_F(ProInplaceEditTest, AltBackspaceHeldSkipsTheCommitButAKeyUpElsewhereDoesNotStickIt) {
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  Headless::TypeText(*e, "abc");
  {
    Headless::THeldKeys alt{VK_MENU};
    Headless::KeyDown(*Form, VK_BACK, ssAlt);
    EXPECT_TRUE(e->AltBack());
    Other->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(Done, 0) << "held: no commit";
    EXPECT_NE(Grid->Cells(1, 1), "abc");
    // The key-up goes to the other control.
    Headless::KeyUp(*Form, VK_BACK, ssAlt);
  }
  EXPECT_TRUE(e->AltBack());
  e->SetFocus();
  Application->ProcessMessages();
  Other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(Done, 1) << "the next focus loss commits";
  EXPECT_FALSE(e->AltBack());
}

TEST_F(ProInplaceEditTest, EncodedWideTextIsEditedDecodedAndWrittenBackEncoded) {
  auto click = [this] {
    const TRect r = Grid->CellRect(3, 2);
    Headless::MouseDown(*Grid, {r.Left + 3, r.Top + 3});
    Headless::MouseUp(*Grid, {r.Left + 3, r.Top + 3});
  };
  struct TCase {
    const char* name;
    std::function<void()> end;
    const char* typed; // nullptr: nothing typed
    const char* stored;
  };
  const TCase cases[] = {
      {"Enter", [this] { Headless::PressKey(*Grid->NormalEdit(), VK_RETURN); }, "!", "Grüße €!"},
      {"focus loss", [this] { Leave(); }, "!", "Grüße €!"},
      {"a click on another cell", click, "!", "Grüße €!"},
      {"Esc", [this] { Headless::PressKey(*Grid->NormalEdit(), VK_ESCAPE); }, "!", "Grüße €"},
      {"Enter, nothing typed", [this] { Headless::PressKey(*Grid->NormalEdit(), VK_RETURN); }, nullptr,
       "Grüße €"},
      {"a click, nothing typed", click, nullptr, "Grüße €"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->SetCells(1, 1, EncodeWideCellText("Grüße €"));
    Grid->SetModified(false);
    TProInplaceEdit* e = Open(1, 1);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Text(), "Grüße €") << "shown decoded, without the marker";
    if (c.typed) {
      e->SetSelStart(7);
      e->SetSelLength(0);
      Headless::TypeText(*e, c.typed);
      EXPECT_EQ(e->Text(), "Grüße €!");
    }
    c.end();
    Application->ProcessMessages();
    EXPECT_EQ(Grid->Cells(1, 1), EncodeWideCellText(c.stored)) << "stored encoded, as before";
    EXPECT_EQ(Grid->Modified(), c.typed && std::string(c.stored) != "Grüße €");
    Grid->HideInplaceEdit();
  }
}

TEST_F(ProInplaceEditTest, TheWideTwinSeesTheEditedText) {
  std::vector<std::string> wideAsked;
  Grid->OnCellValidateWide = [&](TObject*, int, int, std::string& Value, bool& Valid) {
    wideAsked.push_back(Value);
    Valid = Value != "nein";
  };
  Grid->SetCells(1, 1, EncodeWideCellText("Grüße"));
  Open(1, 1);
  EXPECT_TRUE(Grid->ValidateCellWide("Grüße")) << "unchanged: not validated";
  EXPECT_TRUE(wideAsked.empty());
  Open(1, 1);
  EXPECT_FALSE(Grid->ValidateCellWide("nein"));
  EXPECT_EQ(Grid->Cells(1, 1), EncodeWideCellText("Grüße")) << "refused: the old text, encoded";
  EXPECT_TRUE(Grid->ValidateCellWide("Grüß Gott"));
  EXPECT_EQ(Grid->Cells(1, 1), EncodeWideCellText("Grüß Gott"));
  EXPECT_EQ(wideAsked, (std::vector<std::string>{"nein", "Grüß Gott"}));
}

} // namespace

namespace {

TEST_F(ProInplaceEditTest, ARightJustifiedCellIsEditedRightAligned) {
  Grid->Columns().Items(3)->SetAlignment(taRightJustify);
  TProInplaceEdit* e = Open(3, 1);
  ASSERT_TRUE(e);
  EXPECT_TRUE(e->VAlign());
  EXPECT_EQ(e->Alignment(), taRightJustify);
  Grid->HideInplaceEdit();
  e = Open(1, 1);
  EXPECT_FALSE(e->VAlign()) << "set anew for every cell";
}

} // namespace
