#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HeadlessPaint.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Column 2 refuses editing, column 3 has no editor, column 4 shows check boxes.
class TEditStateGrid : public TProStringGrid {
public:
  using TProStringGrid::TProStringGrid;
  void CanEditCell(int ACol, int ARow, bool& CanEdit) override {
    TProStringGrid::CanEditCell(ACol, ARow, CanEdit);
    if (ACol == 2) CanEdit = false;
  }
  bool HasNoEditor(int ACol, int ARow) override { return ACol == 3; }
  bool HasControlGraphic(int ACol, int ARow) override { return ACol == 4; }
};

class ProGridEditStateTest : public TProGridTest<TEditStateGrid> {
protected:
  bool Editing() const { return (Grid->Options() & goEditing) != 0; }
};

} // namespace

TEST_F(ProGridEditStateTest, SelectingACellSwitchesEditing) {
  struct Case {
    const char* name;
    std::function<void()> setup;
    int col;
    bool editing, editDisable, editChange, rowSelect;
  } cases[] = {
      {"editable cell keeps editing", [&] { Grid->SetOptions(Grid->Options() | goEditing); }, 1, true, false,
       false, false},
      {"refusing cell ends editing", [&] { Grid->SetOptions(Grid->Options() | goEditing); }, 2, false, true,
       true, false},
      {"editing comes back after it was disabled", [&] { Grid->SetEditDisable(true); }, 1, true, false, true,
       false},
      {"never without editing", [] {}, 1, false, false, false, false},
      {"double click only",
       [&] {
         Grid->SetOptions(Grid->Options() | goEditing);
         Grid->MouseActions().SetEditOnDblClickOnly(true);
       },
       1, false, true, true, false},
      {"direct edit on a cell without editor",
       [&] {
         Grid->SetOptions(Grid->Options() | goEditing);
         Grid->MouseActions().SetDirectEdit(true);
       },
       3, false, true, true, false},
      {"row select gives way to range select and edit",
       [&] {
         Grid->SetOptions(Grid->Options() | goRowSelect);
         Grid->MouseActions().SetRangeSelectAndEdit(true);
         Grid->SetEditDisable(true);
       },
       1, true, false, true, false},
      {"check box cell switches editing on", [] {}, 4, true, false, true, false},
      {"check box cell with row select", [&] { Grid->SetOptions(Grid->Options() | goRowSelect); }, 4, false,
       false, false, true},
  };
  const TGridOptions base = Grid->Options() & ~(goEditing | goRowSelect);
  for (const Case& c : cases) {
    Grid->GotoCell(1, 1);
    Grid->SetOptions(base);
    Grid->SetEditDisable(false);
    Grid->SetEditChange(false);
    Grid->MouseActions().SetEditOnDblClickOnly(false);
    Grid->MouseActions().SetDirectEdit(false);
    Grid->MouseActions().SetRangeSelectAndEdit(false);
    c.setup();
    Grid->GotoCell(c.col, 3);
    EXPECT_EQ(Editing(), c.editing) << c.name;
    EXPECT_EQ(Grid->EditDisable(), c.editDisable) << c.name;
    EXPECT_EQ(Grid->EditChange(), c.editChange) << c.name;
    EXPECT_EQ((Grid->Options() & goRowSelect) != 0, c.rowSelect) << c.name;
  }
}

TEST_F(ProGridEditStateTest, ActiveHeadersRepaintedForOldAndNewCell) {
  Grid->SetActiveCellShow(true);
  Grid->GotoCell(1, 1);
  Application->ProcessMessages();
  Headless::TPaintObserver seen;
  Grid->GotoCell(3, 4);
  Application->ProcessMessages();
  std::vector<TRect> painted;
  for (const Headless::TPaintRecord& p : seen.Paints())
    if (p.Control == Grid) painted.insert(painted.end(), p.Rects.begin(), p.Rects.end());
  auto covered = [&](const TRect& r) {
    for (const TRect& p : painted)
      if (p.Left <= r.Left && p.Top <= r.Top && p.Right >= r.Right && p.Bottom >= r.Bottom) return true;
    return false;
  };
  for (const TRect& header :
       {Grid->CellRect(1, 0), Grid->CellRect(0, 1), Grid->CellRect(3, 0), Grid->CellRect(0, 4)})
    EXPECT_TRUE(covered(header)) << header.Left << "," << header.Top;
  EXPECT_FALSE(covered(Grid->CellRect(4, 0)));
}
