// The tree painted offscreen: rows, lines, buttons and check boxes where hit testing finds them,
// selection and focus colours, the empty-list message, and only the rows in view asked for.
#include "ShownTreeFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"
#include "platform/ui/ImageList.h"
#include "support/PixelTools.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A tree whose content is a block 40 px wide, so selection and focus have an area to show in.
class TPaintTree : public TBaseNodeTree {
public:
  using TBaseNodeTree::TBaseNodeTree;
  int ContentPaints = 0;
  int Invalidations = 0;
  int GetNodeContentWidth(PVNode, TColumnIndex, TCanvas*) override { return 40; }

protected:
  void PaintNodeContent(TVTPaintInfo&) override { ++ContentPaints; }
  void InvalidateTree() override {
    ++Invalidations;
    TBaseNodeTree::InvalidateTree();
  }
};

struct TTreeForm : TShownTree<TPaintTree> {
  // Three top-level nodes; the first has two children and is expanded, the last one collapsed child.
  void Build() {
    Tree->SetRootNodeCount(3);
    PVNode first = Tree->GetFirst();
    Tree->SetChildCount(first, 2);
    Tree->SetExpanded(first, true);
    PVNode last = first;
    for (PVNode n = first; n; n = Tree->GetNextSibling(n))
      last = n;
    Tree->SetChildCount(last, 1);
  }
  THitInfo Hit(int x, int y) {
    THitInfo info;
    Tree->GetHitTestInfoAt(x, y, true, info);
    return info;
  }
};

const TColor LineRgb = ColorToRGB(clBtnShadow);
const TColor Black = ColorToRGB(clWindowText);
const TColor White = clWhite;

class TreePaintTest : public TUiTest {};

} // namespace

TEST_F(TreePaintTest, ButtonsSitWhereHitTestingFindsThemAndShowTheExpandedState) {
  TTreeForm f;
  f.Build();
  const TBitmap b = f.Shot();
  // Rows of 18 px, indent 18: the button of row r is the 9x9 square at (5, 18r + 4).
  for (int row : {0, 4}) {
    const int top = row * 18 + 4;
    SCOPED_TRACE(row);
    EXPECT_EQ(f.At(b, 5, top), LineRgb);
    EXPECT_EQ(f.At(b, 13, top + 8), LineRgb);
    EXPECT_EQ(f.At(b, 9, top + 4), Black) << "the bar of the button";
    const THitInfo hit = f.Hit(9, top + 4);
    EXPECT_EQ(hit.HitNode, f.Tree->GetNodeAt(9, top + 4));
    EXPECT_TRUE(hit.HitPositions.Has(hiOnItemButton));
  }
  EXPECT_EQ(f.At(b, 9, 4 + 2), White) << "expanded: a minus, no upright";
  EXPECT_EQ(f.At(b, 9, 4 * 18 + 4 + 2), Black) << "collapsed: a plus";
  // A node without children has no button.
  EXPECT_EQ(f.At(b, 5, 18 * 3 + 4), White);
}

TEST_F(TreePaintTest, DottedLinesRunOnAcrossRowsAtHalfTheIndent) {
  struct TCase {
    int indent, half;
  };
  for (const TCase c : {TCase{18, 9}, TCase{17, 8}}) {
    SCOPED_TRACE(c.indent);
    TTreeForm f;
    f.Tree->SetIndent(c.indent);
    f.Build();
    const TBitmap b = f.Shot();
    // Rows 1 and 2 are the children: the top-level line passes them, dotted on the tree's parity.
    int line = 0, back = 0;
    for (int y = 18; y < 54; ++y) {
      const TColor p = f.At(b, c.half, y);
      const bool expected = (c.half + y) % 2 == 0;
      EXPECT_EQ(p, expected ? LineRgb : White) << "y " << y;
      (p == LineRgb ? line : back)++;
    }
    EXPECT_EQ(line, 18);
    // The child's own connector sits one indent further right.
    EXPECT_EQ(f.At(b, c.indent + c.half, 18 + (c.half + c.indent) % 2 + 0), LineRgb);
  }
}

TEST_F(TreePaintTest, CheckBoxesShowTheirStateWhereTheCheckHitLies) {
  TTreeForm f;
  f.Tree->TreeOptions().SetMiscOptions(f.Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
  f.Tree->SetRootNodeCount(3);
  PVNode n0 = f.Tree->GetFirst();
  PVNode n1 = f.Tree->GetNext(n0);
  PVNode n2 = f.Tree->GetNext(n1);
  for (PVNode n : {n0, n1, n2})
    f.Tree->SetCheckType(n, ctCheckBox);
  f.Tree->SetCheckState(n1, csCheckedNormal);
  f.Tree->SetCheckState(n2, csMixedNormal);
  const TBitmap b = f.Shot();
  // Indent 18 + margin 4: the 16 px image starts at 21; its 13 px box at 22.
  struct TCase {
    PVNode node;
    TColor centre;
  };
  int row = 0;
  for (const TCase c : {TCase{n0, White}, TCase{n1, Black}, TCase{n2, Black}}) {
    SCOPED_TRACE(row);
    const int top = row++ * 18;
    const int boxTop = top + 9 - 8 + 1;
    EXPECT_EQ(f.At(b, 22, boxTop), LineRgb) << "box corner";
    EXPECT_EQ(f.At(b, 34, boxTop + 12), LineRgb) << "box corner";
    EXPECT_EQ(f.At(b, 28, boxTop + 6), c.centre);
    const THitInfo hit = f.Hit(28, boxTop + 6);
    EXPECT_EQ(hit.HitNode, c.node);
    EXPECT_TRUE(hit.HitPositions.Has(hiOnItemCheckbox));
  }
  // Mixed fills its middle; checked draws a tick that leaves the corner inside the box white.
  EXPECT_EQ(f.At(b, 25, 36 + 2 + 3), Black);
  EXPECT_EQ(f.At(b, 25, 18 + 2 + 1), White);
}

TEST_F(TreePaintTest, CheckBoxesLightUpUnderTheMouseAndShowThePress) {
  TTreeForm f;
  f.Tree->TreeOptions().SetMiscOptions(f.Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
  f.Tree->SetRootNodeCount(2);
  PVNode n0 = f.Tree->GetFirst();
  PVNode n1 = f.Tree->GetNext(n0);
  for (PVNode n : {n0, n1})
    f.Tree->SetCheckType(n, ctCheckBox);
  f.Tree->SetCheckState(n1, csCheckedNormal);
  // The 13 px box of row r starts at (22, 18r + 2); (24, 18r + 4) is its face, clear of the tick.
  auto face = [&](const TBitmap& b, int row) { return f.At(b, 24, row * 18 + 4); };
  auto tick = [&](const TBitmap& b, int row) { return f.At(b, 28, row * 18 + 2 + 8); };
  const TColor hotFace = ColorToRGB(TColor(0xFFF0E0)), pressedFace = ColorToRGB(clBtnFace);
  ASSERT_NE(hotFace, White);
  ASSERT_NE(pressedFace, White);
  struct TCase {
    const char* what;
    std::function<void()> act;
    TColor face0, face1;
    bool tick0, tick1;
  };
  const TPoint box0{28, 8}, box1{28, 18 + 8};
  const TCase cases[] = {
      {"at rest", [] {}, White, White, false, true},
      {"unchecked and hot", [&] { Headless::MouseMove(*f.Tree, box0); }, hotFace, White, false, true},
      {"unchecked and pressed", [&] { Headless::MouseDown(*f.Tree, box0); }, pressedFace, White, false, true},
      {"released: checked and hot", [&] { Headless::MouseUp(*f.Tree, box0); }, hotFace, White, true, true},
      {"checked and hot", [&] { Headless::MouseMove(*f.Tree, box1); }, White, hotFace, true, true},
      {"checked and pressed", [&] { Headless::MouseDown(*f.Tree, box1); }, White, pressedFace, true, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    c.act();
    const TBitmap b = f.Shot();
    EXPECT_EQ(face(b, 0), c.face0);
    EXPECT_EQ(face(b, 1), c.face1);
    EXPECT_EQ(tick(b, 0) == Black, c.tick0);
    EXPECT_EQ(tick(b, 1) == Black, c.tick1);
  }
  EXPECT_EQ(n1->CheckState, csCheckedPressed);
}

TEST_F(TreePaintTest, CustomCheckImagesComeFromTheirListByTheCheckIndex) {
  TTreeForm f;
  // 25 images of 12 x 12, image i filled with a grey of its own.
  TImageList checks(12, 12);
  auto shade = [](int i) { return TColor(RGB(i * 10, i * 10, i * 10)); };
  for (int i = 0; i < 25; ++i) {
    TBitmap b(12, 12);
    b.Canvas().Brush().SetColor(shade(i));
    b.Canvas().FillRect(TRect{0, 0, 12, 12});
    checks.Add(b);
  }
  f.Tree->TreeOptions().SetMiscOptions(f.Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
  f.Tree->SetRootNodeCount(3);
  PVNode n0 = f.Tree->GetFirst();
  PVNode n1 = f.Tree->GetNext(n0);
  PVNode n2 = f.Tree->GetNext(n1);
  f.Tree->SetCheckType(n0, ctCheckBox);
  f.Tree->SetCheckType(n1, ctCheckBox);
  f.Tree->SetCheckType(n2, ctRadioButton);
  f.Tree->SetCheckState(n1, csCheckedNormal);
  f.Tree->SetCheckImageKind(ckCustom);
  const int labelWithout = f.Tree->GetDisplayRect(n0, NoColumn, true).Left;
  f.Tree->SetCustomCheckImages(&checks);
  EXPECT_EQ(f.Tree->GetDisplayRect(n0, NoColumn, true).Left, labelWithout + 12 + 2) << "room for the images";
  const TBitmap b = f.Shot();
  // The image starts after the indent and margin (18 + 4), centred in the 18 px row.
  struct TCase {
    PVNode node;
    int index;
  };
  int row = 0;
  for (const TCase c : {TCase{n0, 9}, TCase{n1, 13}, TCase{n2, 1}}) {
    SCOPED_TRACE(c.index);
    const int y = row++ * 18 + 9;
    EXPECT_EQ(f.At(b, 22 + 6, y), ColorToRGB(shade(c.index)));
    const THitInfo hit = f.Hit(22 + 6, y);
    EXPECT_EQ(hit.HitNode, c.node);
    EXPECT_TRUE(hit.HitPositions.Has(hiOnItemCheckbox));
  }
  f.Tree->SetCustomCheckImages(nullptr);
  EXPECT_EQ(f.Tree->GetDisplayRect(n0, NoColumn, true).Left, labelWithout) << "no list, no check images";
}

TEST_F(TreePaintTest, SelectionTakesFocusedOrUnfocusedColoursAndTheFocusRectShows) {
  TTreeForm f;
  f.Build();
  PVNode node = f.Tree->GetFirst();
  f.Tree->SetSelected(node, true);
  f.Tree->SetFocusedNode(node);
  // Another control takes the focus; toPopupMode paints as if focused all the same.
  auto* other = new TPaintTree(f.Form);
  other->SetParent(f.Form);
  other->SetBounds(0, 100, 20, 20);
  other->SetFocus();
  ASSERT_FALSE(f.Tree->Focused());
  // Content starts after indent 18 and margin 4; the block is 40 px wide.
  const TBitmap unfocused = f.Shot();
  EXPECT_EQ(f.At(unfocused, 40, 9), ColorToRGB(clBtnFace));
  int framed = 0;
  for (int x = 22; x < 62; ++x)
    if (f.At(unfocused, x, 0) != ColorToRGB(clBtnFace)) ++framed;
  EXPECT_EQ(framed, 0) << "no focus rectangle without focus";
  auto opts = f.Tree->TreeOptions().PaintOptions();
  opts.Include(toPopupMode);
  f.Tree->TreeOptions().SetPaintOptions(opts);
  const TBitmap popup = f.Shot();
  EXPECT_EQ(f.At(popup, 40, 9), ColorToRGB(clHighlight));
  opts.Exclude(toPopupMode);
  f.Tree->TreeOptions().SetPaintOptions(opts);
  f.Tree->SetFocus();
  ASSERT_TRUE(f.Tree->Focused());
  const TBitmap focused = f.Shot();
  EXPECT_EQ(f.At(focused, 40, 9), ColorToRGB(clHighlight));
  // The focus rectangle is drawn over the selection's edge: its pixels differ from the fill.
  int changed = 0;
  for (int x = 22; x < 62; ++x)
    if (f.At(focused, x, 0) != ColorToRGB(clHighlight)) ++changed;
  EXPECT_GT(changed, 10);
  EXPECT_EQ(f.At(focused, 70, 9), White) << "the selection covers the content only";
}

TEST_F(TreePaintTest, HideSelectionPaintsSelectedNodesPlainWhileTheTreeIsUnfocused) {
  TTreeForm f;
  f.Build();
  PVNode node = f.Tree->GetFirst();
  f.Tree->SetSelected(node, true);
  auto opts = f.Tree->TreeOptions().PaintOptions();
  opts.Include(toHideSelection);
  f.Tree->TreeOptions().SetPaintOptions(opts);
  auto* other = new TPaintTree(f.Form);
  other->SetParent(f.Form);
  other->SetBounds(0, 100, 20, 20);
  other->SetFocus();
  ASSERT_FALSE(f.Tree->Focused());
  EXPECT_EQ(f.At(f.Shot(), 40, 9), White) << "unfocused: painted unselected";
  f.Tree->SetFocus();
  EXPECT_EQ(f.At(f.Shot(), 40, 9), ColorToRGB(clHighlight)) << "focused: selected again";
}

TEST_F(TreePaintTest, ARowDrawnByItsHandlerIsNeitherErasedNorPaintedByTheTree) {
  TTreeForm f;
  f.Build();
  PVNode first = f.Tree->GetFirst();
  f.Tree->OnBeforeItemPaint = [&](TBaseNodeTree*, TCanvas& canvas, PVNode node, const TRect& r,
                                  bool& custom) {
    if (node != first) return;
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(r);
    custom = true;
  };
  const TBitmap b = f.Shot();
  EXPECT_EQ(f.At(b, 9, 4 + 4), clRed) << "no button drawn over the handler's row";
  EXPECT_EQ(f.At(b, 150, 9), clRed) << "not erased";
  EXPECT_EQ(f.At(b, 150, 18 + 9), White) << "the next row as usual";
  EXPECT_EQ(f.At(b, 9, 4 * 18 + 4 + 2), Black) << "its button as usual";
}

TEST_F(TreePaintTest, SelectedOnlySkipsUnselectedRowsButKeepsTheirPlaces) {
  TTreeForm f;
  f.Build(); // rows: top 0 (expanded), its children 1 and 2, top 3, top 4
  PVNode second = f.Tree->GetNext(f.Tree->GetFirst());
  f.Tree->SetSelected(second, true);
  f.Tree->SetFocusedNode(second);
  TBitmap target(200, 100);
  target.Canvas().Brush().SetColor(clFuchsia);
  target.Canvas().FillRect(TRect{0, 0, 200, 100});
  f.Tree->PaintTree(target.Canvas(), TRect{0, 0, 200, 5 * 18}, TPoint{0, 0},
                    {poBackground, poDrawSelection, poSelectedOnly, poUnbuffered});
  EXPECT_EQ(target.Pixel(100, 9), clFuchsia) << "row 0 skipped";
  EXPECT_EQ(target.Pixel(100, 18 + 9), White) << "the selected row painted in its own place";
  EXPECT_EQ(target.Pixel(100, 2 * 18 + 9), clFuchsia) << "row 2 skipped";
  EXPECT_EQ(target.Pixel(100, 4 * 18 + 9), clFuchsia) << "row 4 skipped";
}

TEST_F(TreePaintTest, EmptyListMessageStartsAtTwoTwo) {
  TTreeForm f;
  f.Tree->SetEmptyListMessage("Nothing found");
  const TBitmap b = f.Shot();
  const TRect area{f.Offset.X, f.Offset.Y, f.Offset.X + 200, f.Offset.Y + 100};
  const TRect ink = PixelTools::BoundsWhere(b, area, [](TColor c) { return c != clWhite; });
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left - f.Offset.X, 2);
  EXPECT_LE(ink.Left - f.Offset.X, 4);
  EXPECT_GE(ink.Top - f.Offset.Y, 2);
  EXPECT_EQ(CountColor(b, ColorToRGB(clGrayText), area) > 0, true);
  f.Tree->SetRootNodeCount(1);
  const TBitmap filled = f.Shot();
  EXPECT_EQ(CountColor(filled, ColorToRGB(clGrayText), area), 0);
}

TEST_F(TreePaintTest, OnlyTheRowsInViewArePainted) {
  for (std::uint32_t count : {10u, 10000u}) {
    TTreeForm f;
    f.Tree->SetRootNodeCount(count);
    f.Tree->ContentPaints = 0;
    f.Shot();
    EXPECT_LE(f.Tree->ContentPaints, 7 * 2) << count; // 100 px of 18-px rows, a paint or two
    EXPECT_GT(f.Tree->ContentPaints, 0);
  }
}

TEST_F(TreePaintTest, LineImageTable) {
  TTreeForm f;
  f.Tree->SetRootNodeCount(1);
  TLineImage image;
  f.Tree->ComputeLineImage(f.Tree->GetFirst(), image);
  EXPECT_EQ(image, TLineImage{ltRight}) << "a single top-level node";
  f.Tree->SetRootNodeCount(3);
  PVNode n0 = f.Tree->GetFirst(), n1 = f.Tree->GetNext(n0), n2 = f.Tree->GetNext(n1);
  struct TCase {
    PVNode node;
    TLineImage expected;
  };
  f.Tree->SetRootNodeCount(4);
  PVNode n3 = f.Tree->GetNext(n2);
  for (const TCase& c : {TCase{n0, {ltBottomRight}}, TCase{n1, {ltTopDownRight}}, TCase{n3, {ltTopRight}}}) {
    f.Tree->ComputeLineImage(c.node, image);
    EXPECT_EQ(image, c.expected);
  }
  f.Tree->SetChildCount(n3, 1);
  auto opts = f.Tree->TreeOptions().PaintOptions();
  opts.Exclude(toShowRoot);
  f.Tree->TreeOptions().SetPaintOptions(opts);
  f.Tree->ComputeLineImage(f.Tree->GetFirstChild(n3), image);
  EXPECT_EQ(image, TLineImage{ltTopRight}) << "without root lines a level-1 node has one level";
}

TEST_F(TreePaintTest, TreeLineColourRebuildsTheButtons) {
  TTreeForm f;
  EXPECT_EQ(f.Tree->PlusBM().Pixel(0, 0), LineRgb);
  f.Tree->Colors().SetColor(vcTreeLine, clRed);
  EXPECT_EQ(f.Tree->PlusBM().Pixel(0, 0), ColorToRGB(clRed));
  EXPECT_EQ(f.Tree->PlusBM().Width(), 9);
}

// The buttons painted next show the last look set, whatever was set between two paints.
TEST_F(TreePaintTest, ButtonsShowTheLastLookSetBeforeThePaint) {
  struct TCase {
    const char* name;
    std::function<void(TPaintTree&)> set;
    TPoint at; // in the expanded first row's button, whose corner is (5, 4)
    TColor expected;
  };
  const TCase cases[] = {
      {"tree line colour twice",
       [](TPaintTree& t) {
         t.Colors().SetColor(vcTreeLine, clRed);
         t.Colors().SetColor(vcTreeLine, clLime);
       },
       {5, 4},
       ColorToRGB(clLime)},
      {"triangles: no frame", [](TPaintTree& t) { t.SetButtonStyle(bsTriangle); }, {5, 4}, White},
      {"triangles: the minus points down",
       [](TPaintTree& t) { t.SetButtonStyle(bsTriangle); },
       {9, 7},
       Black},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTreeForm f;
    f.Build();
    c.set(*f.Tree);
    const TBitmap b = f.Shot();
    EXPECT_EQ(f.At(b, c.at.X, c.at.Y), c.expected);
  }
}

// The Scan & Decode set-up: three levels, check boxes on levels 0 and 1, an image chosen by level.
TEST_F(TreePaintTest, ImagesByLevelAndCheckBoxesOnTwoLevelsLieWhereHitTestingFindsThem) {
  TTreeForm f;
  TImageList images(16, 16);
  for (TColor c : {clRed, clLime, clBlue}) {
    TBitmap b(16, 16);
    b.Canvas().Brush().SetColor(c);
    b.Canvas().FillRect(TRect{0, 0, 16, 16});
    images.Add(b);
  }
  f.Tree->SetImages(&images);
  f.Tree->TreeOptions().SetMiscOptions(f.Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
  f.Tree->OnGetImageIndexEx = [](TBaseNodeTree* t, PVNode n, TVTImageKind kind, TColumnIndex, bool&,
                                 int& index, TImageList*&) {
    if (kind == ikNormal || kind == ikSelected) index = static_cast<int>(t->GetNodeLevel(n));
  };
  f.Tree->SetRootNodeCount(1);
  PVNode root = f.Tree->GetFirst();
  f.Tree->SetChildCount(root, 1);
  PVNode child = f.Tree->GetFirstChild(root);
  f.Tree->SetChildCount(child, 1);
  PVNode leaf = f.Tree->GetFirstChild(child);
  f.Tree->FullExpand();
  f.Tree->SetCheckType(root, ctTriStateCheckBox);
  f.Tree->SetCheckType(child, ctTriStateCheckBox);
  const TBitmap b = f.Shot();
  struct TCase {
    PVNode node;
    TColor image;
    bool check;
  };
  int level = 0;
  for (const TCase c : {TCase{root, clRed, true}, TCase{child, clLime, true}, TCase{leaf, clBlue, false}}) {
    SCOPED_TRACE(level);
    const int indent = 18 * (level + 1), top = 18 * level++;
    // Check image at indent + margin - 1, then the node image 18 px further; without a check box
    // the node image takes the check's place.
    const int imageX = indent + 4 - 1 + (c.check ? 18 : 0);
    const int y = top + 9;
    EXPECT_EQ(f.At(b, imageX + 8, y), ColorToRGB(c.image));
    THitInfo hit = f.Hit(imageX + 8, y);
    EXPECT_EQ(hit.HitNode, c.node);
    EXPECT_TRUE(hit.HitPositions.Has(hiOnNormalIcon));
    if (c.check) {
      EXPECT_EQ(f.At(b, indent + 4, top + 2), LineRgb) << "the box's corner";
      hit = f.Hit(indent + 4 + 6, y);
      EXPECT_TRUE(hit.HitPositions.Has(hiOnItemCheckbox));
    }
  }
}

TEST_F(TreePaintTest, ColourAndOptionSettersRepaintOnlyOnChange) {
  TTreeForm f;
  TPaintTree& t = *f.Tree;
  struct TCase {
    std::function<void()> change;
    int repaints;
    const char* what;
  };
  TVTColors other(&t);
  other.SetColor(vcHot, clRed);
  const TCase cases[] = {
      {[&] { t.Colors().SetColor(vcHot, t.Colors().HotColor()); }, 0, "same colour"},
      {[&] { t.Colors().SetColor(vcHot, clBlue); }, 1, "new colour"},
      {[&] { t.Colors().SetColor(vcBorder, clBlue); }, 0, "the border colour is the frame's"},
      {[&] { t.TreeOptions().SetPaintOptions(t.TreeOptions().PaintOptions()); }, 0, "same options"},
      {[&] { t.SetEmptyListMessage(t.EmptyListMessage()); }, 0, "same message"},
      {[&] { t.Colors().Assign(other); }, 1, "assigned colours"},
  };
  for (const TCase& c : cases) {
    t.Invalidations = 0;
    c.change();
    EXPECT_EQ(t.Invalidations, c.repaints) << c.what;
  }
  EXPECT_EQ(t.Colors().HotColor(), clRed);
  t.BeginUpdate();
  t.Invalidations = 0;
  t.Colors().Assign(TVTColors(&t));
  EXPECT_EQ(t.Invalidations, 0) << "assigned inside an update";
  t.EndUpdate();
  EXPECT_EQ(t.Colors().HotColor(), clWindowText);
  auto opts = t.TreeOptions().PaintOptions();
  opts.Exclude(toShowRoot);
  t.TreeOptions().SetPaintOptions(opts);
  opts.Include(toFixedIndent);
  t.TreeOptions().SetPaintOptions(opts);
  EXPECT_TRUE(t.TreeOptions().PaintOptions().Has(toShowRoot));
}

TEST_F(TreePaintTest, ScrolledTreePaintsFromItsOffsetAndKeepsTheDottedPattern) {
  TTreeForm f;
  f.Tree->SetRootNodeCount(12);
  PVNode withChildren = f.Tree->GetFirst();
  for (int i = 0; i < 2; ++i)
    withChildren = f.Tree->GetNext(withChildren);
  f.Tree->SetChildCount(withChildren, 1); // the third node shows a plus
  f.Tree->SetOffsetY(-27);                // half a row up: rows now start at y = 18k - 27
  ASSERT_EQ(f.Tree->OffsetY(), -27);
  const TBitmap b = f.Shot();
  const int top = 2 * 18 - 27; // the third node's row in the window
  EXPECT_EQ(f.At(b, 5, top + 4), LineRgb) << "the button's corner";
  EXPECT_EQ(f.At(b, 9, top + 4 + 2), Black) << "the plus";
  const THitInfo hit = f.Hit(9, top + 8);
  EXPECT_EQ(hit.HitNode, withChildren);
  EXPECT_TRUE(hit.HitPositions.Has(hiOnItemButton));
  // The top-level line keeps the tree's parity: content y = window y + 27.
  for (int y = top + 18; y < top + 36; ++y)
    EXPECT_EQ(f.At(b, 9, y), (9 + y + 27) % 2 == 0 ? LineRgb : White) << "y " << y;
}
