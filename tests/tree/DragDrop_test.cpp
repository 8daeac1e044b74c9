// Dropping onto a tree through its drag manager: acceptance, the suggested effect, expanding a
// parent held under the mouse, and the drag image's moves.
#include "ClipboardFixture.h"

#include "platform/ui/DragDrop.h"
#include "support/FakeTimers.h"
#include "tree/VTDataObject.h"
#include "tree/VTDragManager.h"

namespace {

class TDragDropTest : public TClipboardTest {
protected:
  void SetUp() override {
    TClipboardTest::SetUp();
    B->SetBounds(0, 0, 200, 200);
  }
  // Screen point of a client point of B.
  TPoint At(int x, int y) { return B->ClientToScreen({x, y}); }
};

TEST_F(TDragDropTest, NoDropWithoutOnDragOver) {
  Add(*B, nullptr, 1);
  A->SetSelected(Add(*A, nullptr, 7), true);
  auto data = std::make_shared<TVTDataObject>(A.get(), false);
  auto target = std::dynamic_pointer_cast<IDropTarget>(B->DragManager());
  ASSERT_NE(target, nullptr);
  unsigned effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, At(5, 5), effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragOver(MK_LBUTTON, At(5, 5), effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(data, 0, At(5, 5), effect), E_FAIL);
  EXPECT_EQ(Shape(*B), "1");
}

TEST_F(TDragDropTest, AcceptedDropReachesOnDragDropWithTheFormats) {
  PVNode b1 = Add(*B, nullptr, 1);
  A->SetSelected(Add(*A, nullptr, 7), true);
  auto data = std::make_shared<TVTDataObject>(A.get(), false);
  std::vector<TDragState> states;
  B->OnDragOver = [&](TBaseNodeTree*, TObject* source, TShiftState, TDragState state, TPoint, TDropMode,
                      unsigned&, bool& accept) {
    states.push_back(state);
    EXPECT_TRUE(state == dsDragLeave || source == A.get());
    accept = true;
  };
  TFormatArray seen;
  B->OnDragDrop = [&](TBaseNodeTree* sender, TObject*, const IDataObjectPtr& d, const TFormatArray& formats,
                      TShiftState, TPoint, unsigned& effect, TDropMode mode) {
    seen = formats;
    EXPECT_EQ(mode, dmOnNode);
    sender->ProcessDrop(d, sender->DropTargetNode(), effect, amAddChildLast);
  };
  auto target = std::dynamic_pointer_cast<IDropTarget>(B->DragManager());
  unsigned effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  const TRect label = B->GetDisplayRect(b1, NoColumn, true);
  const TPoint p = At(label.Left + 2, (label.Top + label.Bottom) / 2);
  ASSERT_EQ(target->DragEnter(data, MK_LBUTTON, p, effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_COPY) << "from another tree a copy is suggested";
  EXPECT_TRUE(B->DragManager()->GetIsDropTarget());
  EXPECT_EQ(B->DragManager()->GetDragSource(), A.get());
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(target->Drop(data, 0, p, effect), S_OK);
  EXPECT_EQ(seen, TFormatArray{cfNodeTreeData()});
  EXPECT_EQ(Shape(*B), "1[7]");
  EXPECT_EQ(Shape(*A), "7");
  EXPECT_EQ(B->DropTargetNode(), nullptr);
  EXPECT_FALSE(B->DragManager()->GetIsDropTarget());
  EXPECT_EQ(states, (std::vector<TDragState>{dsDragEnter, dsDragMove}));
}

TEST_F(TDragDropTest, KeysChooseTheEffect) {
  const unsigned all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  struct TCase {
    bool SameTree;
    TShiftState Shift;
    unsigned Allowed, Expected;
  } cases[] = {
      {true, 0, all, DROPEFFECT_MOVE},
      {false, 0, all, DROPEFFECT_COPY},
      {true, 0, DROPEFFECT_COPY, DROPEFFECT_COPY},
      {false, 0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE | DROPEFFECT_LINK},
      {true, ssCtrl | ssShift, all, DROPEFFECT_LINK},
      {true, ssCtrl | ssShift, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
      {true, ssCtrl, all, DROPEFFECT_COPY},
      {false, ssShift, all, DROPEFFECT_MOVE},
      {false, ssAlt, all, DROPEFFECT_LINK},
      {false, ssAlt | ssCtrl, all, DROPEFFECT_COPY},
      {true, ssShift, DROPEFFECT_COPY, DROPEFFECT_COPY},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(B->SuggestDropEffect(c.SameTree ? B.get() : A.get(), c.Shift, {0, 0}, c.Allowed), c.Expected)
        << c.SameTree << " " << c.Shift << " " << c.Allowed;
}

TEST_F(TDragDropTest, CollapsedParentExpandsAfterTheDelay) {
  TFakeTimers timers(1000);
  PVNode b1 = Add(*B, nullptr, 1);
  Add(*B, b1, 11);
  B->SetExpanded(b1, false);
  B->SetAutoExpandDelay(300);
  B->OnDragOver = [](TBaseNodeTree*, TObject*, TShiftState, TDragState, TPoint, TDropMode, unsigned&,
                     bool& accept) { accept = true; };
  A->SetSelected(Add(*A, nullptr, 7), true);
  auto data = std::make_shared<TVTDataObject>(A.get(), false);
  auto target = std::dynamic_pointer_cast<IDropTarget>(B->DragManager());
  const TRect r = B->GetDisplayRect(b1, NoColumn, true);
  const TPoint p = At(r.Left + 2, (r.Top + r.Bottom) / 2);
  unsigned effect = DROPEFFECT_COPY;
  target->DragEnter(data, MK_LBUTTON, At(5, 150), effect);
  effect = DROPEFFECT_COPY;
  target->DragOver(MK_LBUTTON, p, effect);
  EXPECT_EQ(B->DropTargetNode(), b1);
  timers.Advance(299);
  EXPECT_FALSE(B->Expanded(b1));
  timers.Advance(1);
  EXPECT_TRUE(B->Expanded(b1));
  target->DragLeave();
  EXPECT_EQ(B->DropTargetNode(), nullptr);
}

TEST_F(TDragDropTest, QueryContinueDragAnswers) {
  auto source = std::dynamic_pointer_cast<IDropSource>(A->DragManager());
  EXPECT_EQ(source->QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(false, MK_LBUTTON | MK_RBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source->QueryContinueDrag(false, MK_LBUTTON), S_OK);
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST_F(TDragDropTest, DragImageStatesAndMoves) {
  A->SetBounds(0, 0, 200, 200);
  A->SetSelected(Add(*A, nullptr, 7), true);
  A->SetDragImageKind(diNoImage);
  A->PrepareDragImage({5, 5}, nullptr);
  EXPECT_TRUE(A->DragImage().States().Empty()) << "no image is prepared";

  A->SetDragImageKind(diComplete);
  A->PrepareDragImage({5, 5}, nullptr);
  TVTDragImage& image = A->DragImage();
  EXPECT_EQ(image.States(), (TVTDragImageStates{disHidden, disInDrag, disPrepared}));
  // Cut at the corner: the area still centres the hot spot.
  EXPECT_EQ(image.Picture().Width(), 200);
  EXPECT_EQ(image.Picture().Height(), 350);
  image.ShowDragImage();
  EXPECT_TRUE(image.Visible());
  const TPoint at = image.LastPosition();
  EXPECT_FALSE(image.DragTo(at, false)) << "the same point is no move";
  const TPoint before = image.ImagePosition();
  EXPECT_TRUE(image.DragTo({at.X + 3, at.Y + 4}, false));
  EXPECT_EQ(image.ImagePosition().X, before.X + 3);
  EXPECT_EQ(image.ImagePosition().Y, before.Y + 4);
  image.SetMoveRestriction(dmrHorizontalOnly);
  EXPECT_FALSE(image.WillMove({at.X + 3, at.Y + 40}));
  EXPECT_FALSE(image.DragTo({at.X + 3, at.Y + 40}, false));
  EXPECT_TRUE(image.DragTo({at.X + 3, at.Y + 40}, true));
  image.EndDrag();
  EXPECT_EQ(image.States(), TVTDragImageStates{disHidden});
  EXPECT_FALSE(image.Visible());
}

} // namespace
