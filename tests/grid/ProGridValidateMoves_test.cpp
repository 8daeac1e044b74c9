// Validation when the current cell leaves an edited cell other than by the editor's own keys (a
// click, code, leaving the grid), and the wide-text twin of the validation.
#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "EditGridFixture.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class ProGridValidateMoves : public TEditGridTest {
protected:
  void SetUp() override {
    TEditGridTest::SetUp();
    Grid->SetCells(1, 1, "old");
  }
  // Accepts "ok..." texts upper-cased, refuses the rest.
  void Validator() {
    Grid->OnCellValidate = [this](TObject*, int ACol, int ARow, std::string& Value, bool& Valid) {
      Asked.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + Value);
      Valid = Value.starts_with("ok");
      if (Valid) Value = "OK";
    };
  }
  std::vector<std::string> Asked;
};

TEST_F(ProGridValidateMoves, MovesOtherThanTheEditorsKeysValidate) {
  struct TCase {
    const char* name;
    std::function<void(TProColumnGrid&)> move;
    TGridCoord target;
  };
  const TCase cases[] = {
      {"code", [](TProColumnGrid& g) { g.SetCol(3); }, {3, 1}},
      {"click",
       [](TProColumnGrid& g) {
         const TRect r = g.CellRect(3, 2);
         Headless::MouseDown(g, {r.Left + 3, r.Top + 3});
         Headless::MouseUp(g, {r.Left + 3, r.Top + 3});
       },
       {3, 2}},
  };
  Validator();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->SetCells(1, 1, "old");
    Asked.clear();
    TProInplaceEdit* e = Open(1, 1);
    e->SetText("bad");
    c.move(*Grid);
    Application->ProcessMessages();
    EXPECT_EQ(Asked, (std::vector<std::string>{"1,1 bad"}));
    EXPECT_EQ(Cell(), (TGridCoord{1, 1})) << "refused: the cell stays current";
    EXPECT_EQ(Grid->Cells(1, 1), "old");
    ASSERT_TRUE(Grid->NormalEdit()->Visible()) << "and its editor open";
    Grid->NormalEdit()->SetText("ok then");
    c.move(*Grid);
    Application->ProcessMessages();
    EXPECT_EQ(Cell(), c.target);
    EXPECT_EQ(Grid->Cells(1, 1), "OK") << "the handler's text, not the typed one";
    Grid->HideInplaceEdit();
  }
}

TEST_F(ProGridValidateMoves, LeavingTheGridValidatesAndARefusalKeepsTheOldText) {
  Validator();
  TProInplaceEdit* e = Open(1, 1);
  e->SetText("bad");
  Other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(Asked, (std::vector<std::string>{"1,1 bad"}));
  EXPECT_EQ(Grid->Cells(1, 1), "old");
  EXPECT_FALSE(Grid->EditMode());
  e = Open(1, 1);
  e->SetText("ok");
  Other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "OK");
}

TEST_F(ProGridValidateMoves, AMoveWithoutAnOpenEditValidatesNothing) {
  Validator();
  Grid->GotoCell(1, 1);
  Grid->GotoCell(2, 2);
  EXPECT_TRUE(Asked.empty());
}

TEST_F(ProGridValidateMoves, TheWideTwinFiresOnlyItsOwnEvent) {
  std::vector<std::string> log;
  Grid->OnCellValidate = [&](TObject*, int, int, std::string&, bool&) { log.push_back("narrow"); };
  Grid->OnCellValidateWide = [&](TObject*, int ACol, int ARow, std::string& Value, bool& Valid) {
    log.push_back("wide " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + Value);
    Valid = Value != "refused";
  };
  Open(1, 1);
  EXPECT_FALSE(Grid->ValidateCellWide("refused"));
  EXPECT_EQ(Grid->Cells(1, 1), "old");
  EXPECT_FALSE(Grid->Modified()) << "a refusal puts the modified flag back";
  EXPECT_TRUE(Grid->NormalEdit()->Visible()) << "the edit goes on";
  EXPECT_TRUE(Grid->ValidateCellWide("naïve"));
  EXPECT_EQ(Grid->Cells(1, 1), "naïve");
  EXPECT_EQ(log, (std::vector<std::string>{"wide 1,1 refused", "wide 1,1 naïve"}));
  EXPECT_TRUE(Grid->ValidateCellWide("again")) << "validation is over until the next edit";
  EXPECT_EQ(log.size(), 2u);
}

} // namespace
