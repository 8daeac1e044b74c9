// Controls plugged in as cell editors through an edit link, in the cell and on a pop-up form.
#include "platform/ui/Forms.h"

#include "EditorKindsFixture.h"
#include "TestEditLink.h"

#include <gtest/gtest.h>

namespace {

class EditLinkTest : public EditorKindsTest {
protected:
  void SetUp() override {
    EditorKindsTest::SetUp();
    Link = new TTestLink(Form);
    Grid->Columns().Items(LinkCol)->SetEditLink(Link);
    Grid->Columns().Items(LinkCol + 1)->SetEditor(edCustom);
    Grid->Columns().Items(LinkCol + 1)->SetEditLink(Link);
    Grid->SetCells(LinkCol, 1, "one");
    Grid->SetCells(LinkCol, 2, "two");
  }
  TTestLink* Link = nullptr;
};

TEST_F(EditLinkTest, OpensInTheCellAndCommitsOnLeavingKeys) {
  Open(LinkCol, 1);
  TEdit* edit = Link->Edit();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->Text(), "one");
  EXPECT_EQ(edit->Parent(), Grid);
  const TRect r = Grid->CellRect(LinkCol, 1);
  EXPECT_EQ(edit->Left(), r.Left);
  EXPECT_EQ(edit->Width(), r.Width() - Grid->GridLineWidth());
  EXPECT_TRUE(Link->SubClassed());
  EXPECT_TRUE(edit->ExtraDialogCode() & DLGC_WANTARROWS) << "arrows, Tab and characters go to the control";

  Link->SetWantKeyUpDown(true);
  Press(*edit, VK_DOWN);
  EXPECT_TRUE(edit->Visible()) << "Down stays with the control";
  EXPECT_EQ(Grid->Row(), 1);

  edit->SetText("uno");
  Press(*edit, VK_ESCAPE);
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "one") << "Esc restores";
  EXPECT_FALSE(Link->SubClassed());
  EXPECT_EQ(edit->ExtraDialogCode(), 0u);

  Link->SetWantKeyUpDown(false);
  Open(LinkCol, 1);
  edit->SetText("uno");
  Press(*edit, VK_DOWN);
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "uno");
  EXPECT_EQ(Grid->Row(), 2) << "Down left the cell";
}

TEST_F(EditLinkTest, ARefusedValueReopensTheLinkOnTheSameCell) {
  Grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) { valid = v != "bad"; };
  Open(LinkCol, 1);
  Link->Edit()->SetText("bad");
  Press(*Link->Edit(), VK_RETURN);
  EXPECT_TRUE(Link->Edit()->Visible());
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_EQ(Grid->Col(), LinkCol);
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "one");
  Link->Edit()->SetText("good");
  Press(*Link->Edit(), VK_RETURN);
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "good");
}

TEST_F(EditLinkTest, ARefusedValueIsNeverStoredWhicheverWayTheLinkIsLeft) {
  Grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) { valid = v != "bad"; };
  Grid->Navigation().SetTabToNextAtEnd(true);
  Grid->SetOptions(Grid->Options() | goTabs);
  Open(LinkCol, 1);
  Link->Edit()->SetText("bad");
  Press(*Link->Edit(), VK_TAB);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "one") << "Tab to the next cell validates first";
  EXPECT_EQ(Grid->Col(), LinkCol);
  EXPECT_TRUE(Link->Edit()->Visible()) << "the link opened again on the same cell";

  Link->Edit()->SetText("bad");
  Leave();
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "one") << "losing the focus validates too";
  EXPECT_TRUE(Other->Focused()) << "and the focus stays where it went";
  EXPECT_FALSE(Link->SubClassed());
  Open(LinkCol, 1);
  Link->Edit()->SetText("fine");
  Leave();
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "fine");
}

TEST_F(EditLinkTest, TabToNextAtEndOpensTheNextCellsEditor) {
  Grid->Navigation().SetTabToNextAtEnd(true);
  Grid->SetOptions(Grid->Options() | goTabs);
  Open(LinkCol, 1);
  Link->Edit()->SetText("x");
  Press(*Link->Edit(), VK_TAB);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(LinkCol, 1), "x");
  EXPECT_EQ(Grid->Col(), LinkCol + 1);
  EXPECT_TRUE(Grid->EditMode()) << "F2 opened the next cell's editor";
  EXPECT_TRUE(Link->Edit()->Visible());

  // A cell holding a check box or a button opens nothing.
  Leave();
  for (int kind : {0, 1}) {
    if (kind == 0)
      Grid->AddCheckBox(LinkCol + 1, 2, false, false);
    else
      Grid->AddButton(LinkCol + 1, 2, 40, 16, "Go", haCenter, vaCenter);
    Open(LinkCol, 2);
    ASSERT_TRUE(Link->Edit()->Visible());
    Press(*Link->Edit(), VK_TAB);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->Col(), LinkCol + 1) << kind;
    EXPECT_FALSE(Grid->EditMode()) << kind;
    EXPECT_FALSE(Link->Edit()->Visible()) << kind;
    Grid->RemoveCellGraphic(LinkCol + 1, 2);
  }
}

TEST_F(EditLinkTest, PopupSitsAtTheCellOrThePointAndKeepsOthersNamedGridform) {
  auto* own = new TForm(nullptr);
  own->SetName("gridform");
  Link->SetEditStyle(esPopup);
  Link->SetPopupWidth(120);
  Link->SetPopupHeight(60);
  for (bool atPoint : {false, true}) {
    Link->SetPopupLeft(atPoint ? 30 : -1);
    Link->SetPopupTop(atPoint ? 40 : -1);
    Open(LinkCol, 2);
    TForm* popup = Link->PopupForm();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->FormStyle(), fsStayOnTop);
    EXPECT_EQ(popup->BorderStyle(), bsNone);
    const TPoint cell =
        Grid->ClientToScreen({Grid->CellRect(LinkCol, 2).Left, Grid->CellRect(LinkCol, 2).Top});
    EXPECT_EQ(popup->Left(), atPoint ? 30 : cell.X);
    EXPECT_EQ(popup->Top(), atPoint ? 40 : cell.Y);
    EXPECT_EQ(Link->Edit()->Parent(), popup);
    Link->Edit()->SetText(atPoint ? "second" : "first");
    Press(*Link->Edit(), VK_RETURN);
    EXPECT_EQ(Grid->Cells(LinkCol, 2), atPoint ? "second" : "first") << "the value stays in the cell";
  }
  EXPECT_EQ(own->Name(), "gridform") << "mended: a form of the application with that name is left alone";
  own->Free();
}

} // namespace
