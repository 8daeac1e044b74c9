#include "ProGridFixture.h"

#include "grid/GridAuxWindows.h"
#include "grid/ProGridUnit.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Popup.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ProGridAuxWindows = TProGridTest<>;

TEST_F(ProGridAuxWindows, AWideHintWrapsAndStaysOnTheScreen) {
  THTMLHintWindow hint(nullptr);
  std::string text;
  while (hint.CalcHintRect(100000, text, nullptr).Width() < 2000)
    text += "word and <b>more</b> words ";
  const TRect one = hint.CalcHintRect(100000, "line", nullptr);
  const TRect wrapped = hint.CalcHintRect(THTMLHintWindow::MaxHintWidth, text, nullptr);
  EXPECT_LE(wrapped.Width(), THTMLHintWindow::MaxHintWidth);
  EXPECT_GE(wrapped.Height(), 2 * one.Height()) << "wrapped onto lines";

  const TRect area = WorkAreaAt({0, 0});
  hint.ActivateHint({area.Right - 30, area.Top + 10, area.Right - 20, area.Top + 20}, "a hint of some width");
  EXPECT_EQ(hint.Left() + hint.Width(), area.Right - 2) << "ends 2 pixels inside the right edge";
  EXPECT_EQ(hint.Width(), hint.CalcHintRect(1008, "a hint of some width", nullptr).Width() + 16);
  hint.ActivateHint({area.Left + 10, area.Bottom - 3, area.Left + 20, area.Bottom}, "low");
  EXPECT_EQ(hint.Top() + hint.Height(), area.Bottom - 2);
}

TEST_F(ProGridAuxWindows, HTMLHintsNameTheGridsHintWindow) {
  EXPECT_FALSE(Grid->HintWindowClass());
  Grid->SetUseHTMLHints(true);
  ASSERT_TRUE(Grid->HintWindowClass());
  THintWindow* w = Grid->HintWindowClass()();
  EXPECT_NE(dynamic_cast<THTMLHintWindow*>(w), nullptr);
  w->Free();
}

TEST_F(ProGridAuxWindows, ScrollThumb) {
  auto* bar = new TScrollControl(Grid);
  bar->SetParent(Grid);
  bar->SetBounds(Grid->ClientWidth() - 6, 0, 6, 200);
  Grid->SetRowCount(5);
  int start = 0, length = 0;
  EXPECT_FALSE(bar->Thumb(start, length)) << "every row shows";
  Grid->SetRowCount(100000);
  ASSERT_TRUE(bar->Thumb(start, length));
  EXPECT_EQ(length, 20) << "never shorter than 20 pixels";
  EXPECT_EQ(start, Grid->RowHeights(0));
  Grid->SetTopRow(Grid->RowCount() - Grid->VisibleRowCount());
  ASSERT_TRUE(bar->Thumb(start, length));
  EXPECT_EQ(start + length, 200) << "the thumb ends with the bar";
}

TEST(ProGridUnitStart, ClassesIdsAndCursors) {
  TGridOnForm<> place;
  TComponent* made = CreateGridClass("TProStringGrid", place.Form);
  EXPECT_NE(dynamic_cast<TProStringGrid*>(made), nullptr);
  EXPECT_EQ(CreateGridClass("TNoSuchClass", place.Form), nullptr);
  EXPECT_FALSE(RegisterGridClass("TProStringGrid", [](TComponent*) -> TComponent* { return nullptr; }))
      << "a name is registered once";
  EXPECT_NE(GridCellsClipboardFormat(), 0u);
  EXPECT_EQ(GridCellsClipboardFormat(), RegisterClipboardFormat("TProStringGrid Cells"));
  EXPECT_EQ(GetClipboardFormatName(GridCellsClipboardFormat()), "TProStringGrid Cells");
  EXPECT_NE(DTPShiftFocusMessage(), GridEditDoneMessage());
  EXPECT_TRUE(NewCommonControls());
  for (TCursor c : {8010, 8011, 8012, 8014})
    EXPECT_TRUE(Screen->HasCursor(c)) << c;
}

TEST_F(ProGridAuxWindows, FocusReopensTheEditorWithAlwaysEdit) {
  auto* other = new TPanel(Form);
  other->SetParent(Form);
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(0, 360, 80, 20);
  Grid->SetOptions(Grid->Options() | goEditing);
  Grid->Navigation().SetAlwaysEdit(true);
  Grid->MoveCurrentCell(2, 2);
  edit->SetFocus();
  Grid->SetFocus();
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_TRUE(Grid->InplaceEditor()->Visible());
}

TEST_F(ProGridAuxWindows, HoverFixedCells) {
  struct TCase {
    THoverFixedCells mode;
    bool corner, header, rowHead, normal;
  };
  const TCase cases[] = {{hfNone, false, false, false, false},
                         {hfAll, true, true, true, false},
                         {hfFixedRows, true, true, false, false},
                         {hfFixedColumns, true, false, true, false}};
  for (const TCase& c : cases) {
    Grid->SetHoverFixedCells(c.mode);
    EXPECT_EQ(Grid->IsHoverFixedCell(0, 0), c.corner);
    EXPECT_EQ(Grid->IsHoverFixedCell(2, 0), c.header);
    EXPECT_EQ(Grid->IsHoverFixedCell(0, 2), c.rowHead);
    EXPECT_EQ(Grid->IsHoverFixedCell(2, 2), c.normal);
  }
  Grid->ApplyStyleColors();
  EXPECT_FALSE(Grid->UseVCLStyles());
}

} // namespace
