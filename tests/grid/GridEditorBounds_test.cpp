// Where each editor stands over its cell: one pixel short of the cell's right and bottom edges, the
// push button one pixel beyond the cell on every side.
#include "grid/GridButton.h"
#include "grid/GridCombo.h"
#include "grid/GridDatePicker.h"
#include "grid/GridEditBtn.h"
#include "grid/GridSpin.h"

#include "EditorKindsFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class GridEditorBounds : public EditorKindsTest {
protected:
  // Two columns of the fixture that these tests give to the text editor and the combo.
  static constexpr int TextCol = LinkCol, ComboCol = RichCol;

  void SetUp() override {
    EditorKindsTest::SetUp();
    Grid->Columns().Items(TextCol)->SetEditor(edNormal);
    Grid->Columns().Items(ComboCol)->SetEditor(edComboEdit);
    Grid->SetDefaultRowHeight(22);
    Grid->SetColWidths(TextCol, 70);
  }
  static TRect Bounds(const TControl& c) {
    return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
  }
};

TEST_F(GridEditorBounds, EachEditorStandsInsideItsCell) {
  struct TCase {
    const char* Name;
    int Col;
    std::function<TControl*()> Editor;
    int Grow; // pixels beyond the cell's left and top edges
  };
  const TCase cases[] = {
      {"text editor", TextCol, [this] { return Grid->NormalEdit(); }, 0},
      {"combo", ComboCol, [this] { return Grid->EditCombo(); }, 0},
      {"spin", SpinCol, [this] { return Grid->SpinEdit(); }, 0},
      {"ellipsis edit", EllipsCol, [this] { return Grid->EditBtn(); }, 0},
      {"unit edit", UnitCol, [this] { return Grid->UnitEditBtn(); }, 0},
      {"date picker", DateCol, [this] { return Grid->DateTimePicker(); }, 0},
      {"push button", ButtonCol, [this] { return Grid->GridButton(); }, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetLeftCol(Grid->FixedCols());
    Open(c.Col, 2);
    const TRect cell = Grid->CellRect(c.Col, 2);
    ASSERT_FALSE(cell.IsEmpty());
    TControl* editor = c.Editor();
    ASSERT_TRUE(editor && editor->Visible());
    const TRect expected{cell.Left - c.Grow, cell.Top - c.Grow, cell.Right - 1 + c.Grow,
                         cell.Bottom - 1 + c.Grow};
    EXPECT_EQ(Bounds(*editor), expected);
    Grid->HideInplaceEdit();
  }
}

TEST_F(GridEditorBounds, TheTextEditorCoversAMergedCellAndFollowsItsColumnsWidth) {
  Grid->MergeCells(TextCol, 1, 2, 2);
  Open(TextCol, 1);
  const TRect merged = Grid->CellRect(TextCol, 1);
  ASSERT_GT(merged.Width(), Grid->ColWidths(TextCol));
  EXPECT_EQ(Bounds(*Grid->NormalEdit()),
            (TRect{merged.Left, merged.Top, merged.Right - 1, merged.Bottom - 1}));
  Grid->HideInplaceEdit();

  Open(TextCol, 4);
  Grid->SetColWidths(TextCol, 90);
  Application->ProcessMessages();
  const TRect cell = Grid->CellRect(TextCol, 4);
  EXPECT_EQ(Bounds(*Grid->NormalEdit()), (TRect{cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1}));
}

} // namespace
