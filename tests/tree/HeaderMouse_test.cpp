#include "InputFixture.h"
#include "tree/VTHeader.h"
#include "tree/VTHeaderPopup.h"

#include <vector>

namespace {

// A shown header of four columns, 50 pixels each, above the nodes.
class THeaderMouseTest : public TTreeInputTest {
protected:
  void SetUp() override {
    TTreeInputTest::SetUp();
    Header().SetOptions(Header().Options() + TVTHeaderOptions{hoVisible});
    for (int i = 0; i < 4; ++i) {
      TNodeTreeColumn* c = Columns().Add();
      c->SetWidth(50);
      c->SetText("C" + std::to_string(i));
    }
  }
  TVTHeader& Header() { return Tree->Header(); }
  TNodeTreeColumns& Columns() { return Header().Columns(); }
  int H() { return Header().Height(); }
  // A point of the header strip (window coordinates, y from the header's top).
  TPoint InHeader(int x) { return {x, H() / 2}; }
  void Press(TPoint p) {
    Headless::MouseMove(*Tree, p);
    Headless::MouseDown(*Tree, p);
  }
  void Move(TPoint p) { Headless::MouseMove(*Tree, p); }
  void Release(TPoint p) {
    Headless::MouseUp(*Tree, p);
    Application->ProcessMessages();
  }
  int Center(TColumnIndex c) { return Columns()[c]->Left() + Columns()[c]->Width() / 2; }
  // Paints the header so the glyph rectangles of its columns are known.
  void PaintHeader() {
    TBitmap b(Tree->Width(), H());
    Columns().PaintHeader(b.Canvas(), TRect{0, 0, Tree->Width(), H()}, 0);
  }
};

TEST_F(THeaderMouseTest, SplitterIsGrabbedFromTwoPixelsBeforeTheEdgeToFourAfter) {
  const int e = 50; // the right edge of column 0
  struct TCase {
    int X;
    bool Grabs;
  } cases[] = {{e - 3, false}, {e - 2, true}, {e, true}, {e + 4, true}, {e + 5, false}};
  for (const auto& k : cases) {
    EXPECT_EQ(Header().FindSplitterColumn(TPoint{k.X, -5}), k.Grabs) << "x " << k.X;
    if (k.Grabs) {
      EXPECT_EQ(Columns().TrackIndex(), 0) << "x " << k.X;
    }
  }
}

TEST_F(THeaderMouseTest, DraggingASplitterResizesTheColumn) {
  std::vector<TColumnIndex> after;
  Tree->OnAfterColumnWidthTracking = [&](TVTHeader*, TColumnIndex c) { after.push_back(c); };
  Press(InHeader(99));
  EXPECT_TRUE(Header().States().Has(hsColumnWidthTrackPending));
  Move(InHeader(110));
  Move(InHeader(129));
  EXPECT_EQ(Columns()[1]->Width(), 79);
  Release(InHeader(129));
  EXPECT_TRUE(Header().States().Empty());
  EXPECT_EQ(after, (std::vector<TColumnIndex>{1}));
  EXPECT_EQ(Columns()[2]->Left(), 129);
}

TEST_F(THeaderMouseTest, InTheNodeAreaOnlyTheFixedAreasBorderCanBeGrabbed) {
  Build({"a", "b"});
  TVTColumnOptions o = Columns()[0]->Options();
  o.Include(coFixed);
  Columns()[0]->SetOptions(o);
  const int rows = 2 * static_cast<int>(Tree->DefaultNodeHeight());
  struct TCase {
    TPoint At; // window coordinates
    bool Tracks;
  } cases[] = {{{49, H() + 5}, true}, {{99, H() + 5}, false}, {{49, H() + rows + 10}, false}};
  for (const auto& k : cases) {
    Press(k.At);
    EXPECT_EQ(Header().States().Has(hsColumnWidthTrackPending), k.Tracks) << k.At.X << ", " << k.At.Y;
    Release(k.At);
  }
}

TEST_F(THeaderMouseTest, ColumnDragStartsOnePixelPastTheThreshold) {
  int asked = 0;
  Tree->OnHeaderDragging = [&](TVTHeader*, TColumnIndex c, bool&) {
    EXPECT_EQ(c, 0);
    ++asked;
  };
  const int threshold = Tree->DragThreshold();
  Press(InHeader(20));
  ASSERT_TRUE(Header().States().Has(hsDragPending));
  Move(InHeader(20 + threshold));
  EXPECT_TRUE(Header().States().Has(hsDragPending));
  EXPECT_FALSE(Header().DragImageShown());
  Move(InHeader(21 + threshold));
  EXPECT_TRUE(Header().States().Has(hsDragging));
  EXPECT_TRUE(Header().DragImageShown());
  EXPECT_EQ(asked, 2);
  Release(InHeader(21 + threshold));
}

TEST_F(THeaderMouseTest, DroppedColumnTakesThePositionOfTheDropRule) {
  struct TCase {
    TColumnPosition From, Target;
    bool Before;
    TColumnPosition Expected;
  } cases[] = {{0, 3, true, 2}, {0, 3, false, 3}, {3, 1, true, 1}, {3, 1, false, 2}};
  for (const auto& k : cases) {
    for (int i = 0; i < 4; ++i)
      Columns()[i]->SetPosition(static_cast<TColumnPosition>(i));
    const TColumnIndex dragged = Columns().ColumnFromPosition(k.From);
    const TColumnIndex target = Columns().ColumnFromPosition(k.Target);
    std::vector<int> oldPositions;
    Tree->OnHeaderDragged = [&](TVTHeader*, TColumnIndex c, int old) {
      EXPECT_EQ(c, dragged);
      oldPositions.push_back(old);
    };
    Press(InHeader(Center(dragged)));
    Move(InHeader(Center(dragged) + 10));
    const int x = Columns()[target]->Left() + (k.Before ? 10 : 40);
    Move(InHeader(x));
    EXPECT_EQ(Columns().DropTarget(), target);
    Release(InHeader(x));
    EXPECT_EQ(Columns()[dragged]->Position(), k.Expected)
        << k.From << (k.Before ? " before " : " after ") << k.Target;
    EXPECT_EQ(oldPositions, (std::vector<int>{static_cast<int>(k.From)}));
    EXPECT_EQ(Columns().DropTarget(), NoColumn);
  }
}

TEST_F(THeaderMouseTest, DragEndsOutsideOrCancelledWithoutMovingTheColumn) {
  int dragged = 0;
  std::vector<TColumnIndex> out;
  Tree->OnHeaderDragged = [&](TVTHeader*, TColumnIndex, int) { ++dragged; };
  Tree->OnHeaderDraggedOut = [&](TVTHeader*, TColumnIndex c, TPoint) { out.push_back(c); };
  Press(InHeader(Center(1)));
  Move(InHeader(Center(1) + 10));
  Move(InHeader(Center(3)));
  Release(TPoint{-60, H() / 2});
  EXPECT_EQ(out, (std::vector<TColumnIndex>{1}));
  EXPECT_EQ(Columns()[1]->Position(), 1u);

  Press(InHeader(Center(1)));
  Move(InHeader(Center(1) + 10));
  Move(InHeader(Center(3)));
  Key(VK_ESCAPE);
  EXPECT_TRUE(Header().States().Empty());
  EXPECT_FALSE(Header().DragImageShown());
  Release(InHeader(Center(3)));
  EXPECT_EQ(dragged, 0);
  EXPECT_EQ(out.size(), 1u);
  EXPECT_EQ(Columns()[1]->Position(), 1u);
}

TEST_F(THeaderMouseTest, ClicksCycleTheCheckOrSortByTheColumn) {
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoShowImages, hoHeaderClickAutoSort});
  Columns()[0]->SetCheckBox(true);
  Columns()[2]->SetDefaultSortDirection(sdDescending);
  PaintHeader();
  ASSERT_TRUE(Columns()[0]->HasImage());
  const TRect check = Columns()[0]->ImageRect();
  std::vector<TVTHeaderHitInfo> clicks;
  Tree->OnHeaderClick = [&](TVTHeader*, const TVTHeaderHitInfo& hit) { clicks.push_back(hit); };

  Click(TPoint{(check.Left + check.Right) / 2, (check.Top + check.Bottom) / 2});
  EXPECT_EQ(Columns()[0]->CheckState(), csCheckedNormal);
  EXPECT_EQ(Header().SortColumn(), NoColumn) << "a check click does not sort";
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_TRUE(clicks[0].HitPosition.Has(hhiOnCheckbox));

  Click(InHeader(Center(1)));
  EXPECT_EQ(Header().SortColumn(), 1);
  EXPECT_EQ(Header().SortDirection(), sdAscending);
  Click(InHeader(Center(1)));
  EXPECT_EQ(Header().SortDirection(), sdDescending) << "a second click reverses";
  Click(InHeader(Center(2)));
  EXPECT_EQ(Header().SortColumn(), 2);
  EXPECT_EQ(Header().SortDirection(), sdDescending) << "the column's default direction";
  EXPECT_EQ(clicks.back().Column, 2);
  EXPECT_EQ(clicks.back().HitPosition, TVTHeaderHitPositions{hhiOnColumn});
}

TEST_F(THeaderMouseTest, DoubleClickOnASplitterFitsOnlyThatColumn) {
  Build({"a", "b"});
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoDblClickResize});
  Headless::DoubleClick(*Tree, InHeader(49));
  Application->ProcessMessages();
  // Column 0 is the main column: indent of a root node, margin and the 60 pixels of content.
  EXPECT_EQ(Columns()[0]->Width(), static_cast<int>(Tree->Indent()) + Tree->Margin() + 60);
  EXPECT_EQ(Columns()[1]->Width(), 50);
}

TEST_F(THeaderMouseTest, HotColumnIsClearedByTheHoverTimerOnceTheMouseLeaves) {
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoHotTrack});
  std::vector<TPoint> moves;
  Tree->OnHeaderMouseMove = [&](TVTHeader*, TShiftState, int x, int y) { moves.push_back({x, y}); };
  Move(InHeader(Center(2)));
  EXPECT_EQ(Columns().HoverIndex(), 2);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].Y, H() / 2) << "header coordinates";
  Move(TPoint{30, H() + 40});
  Timers.Advance(49);
  EXPECT_EQ(Columns().HoverIndex(), 2);
  Timers.Advance(2);
  EXPECT_EQ(Columns().HoverIndex(), NoColumn);
  EXPECT_FALSE(Header().HoverTimerRunning());
}

TEST_F(THeaderMouseTest, ColumnMenuKeepsTheLastVisibleColumnUnlessHidingAllIsAllowed) {
  for (int i = 1; i < 4; ++i) {
    TVTColumnOptions o = Columns()[i]->Options();
    o.Exclude(coVisible);
    Columns()[i]->SetOptions(o);
  }
  TVTHeaderPopupMenu menu(nullptr);
  menu.SetPopupComponent(Tree);
  menu.Popup(0, 0);
  ASSERT_EQ(menu.Items()->Count(), 4);
  EXPECT_FALSE(menu.Items()->Items(0)->Enabled());
  EXPECT_TRUE(menu.Items()->Items(1)->Enabled());

  std::vector<std::pair<TColumnIndex, bool>> changes;
  menu.OnColumnChange = [&](TBaseNodeTree*, TColumnIndex c, bool visible) {
    changes.push_back({c, visible});
  };
  menu.SetOptions({poAllowHideAll});
  menu.Popup(0, 0);
  ASSERT_TRUE(menu.Items()->Items(0)->Enabled());
  menu.Items()->Items(0)->Click();
  EXPECT_FALSE(Columns()[0]->Has(coVisible));
  EXPECT_EQ(changes, (std::vector<std::pair<TColumnIndex, bool>>{{0, false}}));
  EXPECT_EQ(Columns().GetFirstVisibleColumn(), InvalidColumn);
}

TEST_F(THeaderMouseTest, HeaderShowsTheHintOfTheColumnUnderTheMouse) {
  Tree->SetShowHint(true);
  Tree->SetHint("The tree");
  Columns()[1]->SetHint("Flow in l/h");
  EXPECT_EQ(Headless::HintAt(*Tree, InHeader(Center(1))), "") << "only with hoShowHint";
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoShowHint});
  EXPECT_EQ(Headless::HintAt(*Tree, InHeader(Center(1))), "Flow in l/h");
  EXPECT_EQ(Headless::HintAt(*Tree, InHeader(Center(2))), "") << "a column without a hint shows none";
  EXPECT_EQ(Headless::HintAt(*Tree, TPoint{20, H() + 30}), "The tree");
}

TEST_F(THeaderMouseTest, RightClickOnTheHeaderOpensTheColumnMenuNotTheTreesMenu) {
  TPopupMenu treeMenu(nullptr);
  Tree->SetPopupMenu(&treeMenu);
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoAutoColumnPopupMenu});
  Click(InHeader(Center(1)), mbRight);
  EXPECT_EQ(Headless::LastPopupMenu(), Columns().ColumnPopupMenu());
  ASSERT_NE(Columns().ColumnPopupMenu(), nullptr);
  EXPECT_EQ(Columns().ColumnPopupMenu()->Items()->Count(), 4);
  Tree->SetPopupMenu(nullptr);
}

TEST_F(THeaderMouseTest, NodeAreaClicksArriveBelowTheHeader) {
  Build({"a", "b", "c"});
  const int row = static_cast<int>(Tree->DefaultNodeHeight());
  Click(TPoint{30, H() + row + row / 2});
  EXPECT_EQ(Tree->FocusedNode(), Top(1));
}

} // namespace
