// The text tree: where its texts come from, how they are painted and measured, the cached width
// and its resets, and that painting asks only for the texts of the rows in view.
#include "ShownTreeFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/ImageList.h"
#include "support/PixelTools.h"
#include "support/TempDir.h"
#include "tree/StringTree.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct TStringForm : TShownTree<TNodeStringTree> {
  ~TStringForm() { Tree->OnGetText = nullptr; }
  // Bounds (tree coordinates) of the pixels of one colour within a tree-coordinate area.
  TRect Ink(const TBitmap& b, TRect area, TColor colour) const {
    OffsetRect(area, Offset.X, Offset.Y);
    TRect r = PixelTools::BoundsWhere(b, area, [colour](TColor c) { return c == colour; });
    if (!r.IsEmpty()) OffsetRect(r, -Offset.X, -Offset.Y);
    return r;
  }
};

class StringTreeTest : public TUiTest {};

const TColor Black = ColorToRGB(clWindowText);

} // namespace

TEST_F(StringTreeTest, TextsComeFromTheHandlersWithTheDefaultText) {
  TNodeStringTree tree(nullptr);
  tree.SetNodeDataSize(0);
  tree.SetRootNodeCount(1);
  PVNode a = tree.GetFirst();
  tree.SetChildCount(a, 1);
  PVNode b = tree.GetFirstChild(a);

  EXPECT_EQ(tree.Text(a, NoColumn), "Node") << "no handler";
  EXPECT_EQ(tree.StaticText(a, NoColumn), "");
  tree.SetDefaultText("Item");
  EXPECT_EQ(tree.Text(a, NoColumn), "Item");

  std::vector<TVSTTextType> asked;
  tree.OnGetText = [&](TBaseNodeTree*, PVNode n, TColumnIndex, TVSTTextType type, std::string& text) {
    asked.push_back(type);
    if (type == ttNormal) text = n == a ? "A" : "B";
    if (type == ttStatic) text = "s";
  };
  ASSERT_FALSE(tree.Has(toShowStaticText));
  EXPECT_EQ(tree.Text(b, NoColumn), "B");
  EXPECT_EQ(asked, (std::vector<TVSTTextType>{ttNormal, ttStatic}))
      << "both, also without static texts shown";
  EXPECT_EQ(tree.StaticText(b, NoColumn), "s");
  EXPECT_EQ(tree.Path(b, NoColumn, '/'), "A/B/");
  EXPECT_EQ(tree.Path(a, NoColumn, '\\'), "A\\");
  EXPECT_EQ(tree.Path(nullptr, NoColumn, '/'), "/");

  // A handler that leaves the text alone gives the default text.
  tree.OnGetText = [&](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType, std::string&) {};
  EXPECT_EQ(tree.Text(a, NoColumn), "Item");

  // The cell-text event alone is asked once it is assigned.
  asked.clear();
  tree.OnGetText = [&](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType type, std::string&) {
    asked.push_back(type);
  };
  tree.OnGetCellText = [](TCustomNodeStringTree*, TVSTGetCellTextEventArgs& e) { e.CellText = "cell"; };
  EXPECT_EQ(tree.Text(a, NoColumn), "cell");
  EXPECT_TRUE(asked.empty());
  EXPECT_THROW(tree.Text(nullptr, NoColumn), EAssertionFailed);
}

TEST_F(StringTreeTest, TextIsAskedOfInitialisedNodesAndNewTextReachesTheApplication) {
  TNodeStringTree tree(nullptr);
  tree.SetNodeDataSize(0);
  int inits = 0;
  tree.OnInitNode = [&](TBaseNodeTree*, PVNode, PVNode, TVNodeInitStates&) { ++inits; };
  tree.SetRootNodeCount(1);
  PVNode n = tree.GetFirstNoInit();
  tree.ResetNode(n);
  ASSERT_FALSE(n->States.Has(vsInitialized));
  inits = 0;
  tree.Text(n, NoColumn);
  EXPECT_EQ(inits, 1);
  std::string stored;
  tree.OnNewText = [&](TBaseNodeTree*, PVNode, TColumnIndex, const std::string& s) { stored = s; };
  tree.SetText(n, NoColumn, "edited");
  EXPECT_EQ(stored, "edited");
}

TEST_F(StringTreeTest, MainTextWidthIsCachedUntilOneOfItsResets) {
  TStringForm f;
  TNodeStringTree& t = *f.Tree;
  int asked = 0;
  t.OnGetText = [&](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType type, std::string& text) {
    if (type == ttNormal) {
      ++asked;
      text = "Meter 12";
    }
  };
  t.SetRootNodeCount(3);
  PVNode a = t.GetFirst(), b = t.GetNext(a), c = t.GetNext(b);
  t.SetChildCount(c, 1);
  PVNode child = t.GetFirstChild(c);
  TCanvas measure;
  measure.Font() = t.Font();
  const int expected = 2 * t.TextMargin() + measure.TextWidth("Meter 12");
  // Read in the first font, so that the checks at the end see them measured again.
  EXPECT_EQ(t.EllipsisWidth(), measure.TextWidth("..."));
  EXPECT_EQ(t.TextHeight(), measure.TextMetric().tmHeight);

  struct TCase {
    const char* what;
    std::function<void()> reset;
    std::vector<PVNode> cleared;
  };
  const TCase cases[] = {
      {"new text", [&] { t.SetText(a, NoColumn, "x"); }, {a}},
      {"reinitialised", [&] { t.ReinitNode(b, false); }, {b}},
      {"child count written", [&] { t.SetChildCount(c, 2); }, {c}},
      {"new font", [&] { t.Font().SetSize(t.Font().Size() + 2); }, {a, b, c, child}},
  };
  for (const TCase& cs : cases) {
    SCOPED_TRACE(cs.what);
    for (PVNode n : {a, b, c, child})
      t.GetNodeContentWidth(n, NoColumn, nullptr);
    asked = 0;
    for (PVNode n : {a, b, c, child})
      EXPECT_GT(t.GetNodeContentWidth(n, NoColumn, nullptr), 0);
    EXPECT_EQ(asked, 0) << "measured once";
    cs.reset();
    for (PVNode n : {a, b, c, child}) {
      const bool cleared = std::find(cs.cleared.begin(), cs.cleared.end(), n) != cs.cleared.end();
      EXPECT_EQ(t.CachedTextWidth(n) == 0, cleared);
    }
  }
  measure.Font() = t.Font();
  EXPECT_EQ(t.GetNodeContentWidth(a, NoColumn, nullptr), 2 * t.TextMargin() + measure.TextWidth("Meter 12"));
  EXPECT_GT(t.GetNodeContentWidth(a, NoColumn, nullptr), expected) << "measured in the larger font";
  EXPECT_EQ(t.EllipsisWidth(), measure.TextWidth("..."));
  EXPECT_EQ(t.TextHeight(), measure.TextMetric().tmHeight);
}

TEST_F(StringTreeTest, PaintingDrawsTheTextsWithoutTheDefaultText) {
  TStringForm f;
  TNodeStringTree& t = *f.Tree;
  // The handler comes first: the widths measured when nodes are added are kept.
  t.OnGetText = [&](TBaseNodeTree*, PVNode n, TColumnIndex, TVSTTextType type, std::string& text) {
    if (n->Index != 0) return; // the second node's text is left alone: nothing is painted for it
    text = type == ttNormal ? "Gateway" : "static";
  };
  t.SetRootNodeCount(2);
  PVNode a = t.GetFirst(), b = t.GetNext(a);
  ASSERT_EQ(t.Text(a, NoColumn), "Gateway");
  auto opts = t.TreeOptions().StringOptions();
  opts.Include(toShowStaticText);
  t.TreeOptions().SetStringOptions(opts);
  const TBitmap shot = f.Shot();
  // Content starts after indent 18, margin 4 and text margin 4.
  const TRect rowA = f.Ink(shot, TRect{18, 0, 200, 18}, Black);
  ASSERT_FALSE(rowA.IsEmpty());
  EXPECT_GE(rowA.Left, 18 + 4 + 4);
  EXPECT_LE(rowA.Left, 18 + 4 + 4 + 2);
  // The static text sits right of the normal text and its margins.
  TCanvas measure;
  measure.Font() = t.Font();
  const int normalRight = 18 + 4 + 2 * 4 + measure.TextWidth("Gateway");
  EXPECT_GT(rowA.Right, normalRight + 4) << "static text painted after the normal text";
  EXPECT_TRUE(f.Ink(shot, TRect{18 + 4 + 4 + measure.TextWidth("Gateway") + 1, 0, normalRight + 4, 18}, Black)
                  .IsEmpty())
      << "a gap of the margins between the two texts";
  EXPECT_TRUE(f.Ink(shot, TRect{18, 18, 200, 36}, Black).IsEmpty()) << "no default text painted";
  EXPECT_EQ(t.Text(b, NoColumn), "Node");
}

TEST_F(StringTreeTest, SelectedTextOfAFocusedTreeTakesTheSelectionTextColour) {
  TStringForm f;
  TNodeStringTree& t = *f.Tree;
  t.OnGetText = [](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType type, std::string& text) {
    if (type == ttNormal) text = "WMBus";
  };
  t.Colors().SetColor(vcSelectionText, clRed);
  t.SetRootNodeCount(2);
  t.SetSelected(t.GetFirst(), true);
  t.SetFocus();
  ASSERT_TRUE(t.Focused());
  const TBitmap shot = f.Shot();
  const TColor red = ColorToRGB(clRed);
  EXPECT_FALSE(f.Ink(shot, TRect{18, 0, 200, 18}, red).IsEmpty());
  EXPECT_TRUE(f.Ink(shot, TRect{18, 18, 200, 36}, red).IsEmpty());
  EXPECT_FALSE(f.Ink(shot, TRect{18, 18, 200, 36}, Black).IsEmpty());
}

// Painting asks for the texts of the rows in view only, however many nodes the tree holds.
TEST_F(StringTreeTest, PaintingAsksOnlyForTheTextsOfTheRowsInView) {
  for (std::uint32_t count : {10u, 300000u}) {
    SCOPED_TRACE(count);
    TStringForm f;
    TNodeStringTree& t = *f.Tree;
    t.SetRootNodeCount(count);
    std::set<PVNode> asked;
    int calls = 0;
    t.OnGetText = [&](TBaseNodeTree*, PVNode n, TColumnIndex, TVSTTextType, std::string& text) {
      asked.insert(n);
      ++calls;
      text = "x";
    };
    for (int scrolled : {0, 1}) {
      if (scrolled) t.SetOffsetY(-static_cast<int>(t.RangeY() / 2));
      asked.clear();
      calls = 0;
      f.Shot();
      // 100 px of 18-px rows: at most 6 rows; two paints at most, two questions per text.
      EXPECT_LE(asked.size(), 6u);
      EXPECT_GT(asked.size(), 0u);
      EXPECT_LE(calls, 6 * 2 * 2 * 2);
      const int top = -t.OffsetY() / 18;
      for (PVNode n : asked) {
        const int index = static_cast<int>(t.AbsoluteIndex(n));
        EXPECT_GE(index, std::min<int>(top, static_cast<int>(count) - 1));
        EXPECT_LT(index, top + 6);
      }
    }
  }
}

TEST_F(StringTreeTest, NodeHeightWrapsAMultiLineTextAtTheClientWidth) {
  TStringForm f;
  TNodeStringTree& t = *f.Tree;
  t.SetRootNodeCount(1);
  PVNode n = t.GetFirst();
  const std::string words = "one two three four five six seven eight nine ten eleven twelve";
  TCanvas measure;
  measure.Font() = t.Font();
  const int line = measure.TextHeight("Ag");
  EXPECT_EQ(t.ComputeNodeHeight(&measure, n, NoColumn, words), line) << "single line";
  EXPECT_EQ(t.ComputeNodeHeight(&measure, n, NoColumn), line) << "the default text";
  t.SetMultiLine(n, true);
  const int wrapped = t.ComputeNodeHeight(&measure, n, NoColumn, words);
  ASSERT_GT(measure.TextWidth(words), t.ClientWidth());
  EXPECT_GE(wrapped, 2 * line);
  // Wider client, fewer lines.
  t.SetBounds(0, 0, measure.TextWidth(words) + 10, 100);
  EXPECT_EQ(t.ComputeNodeHeight(&measure, n, NoColumn, words), line);
}

TEST_F(StringTreeTest, StringOptionsAssignAndRepaintOnlyForStaticTexts) {
  TNodeStringTree a(nullptr), b(nullptr);
  EXPECT_EQ(a.TreeOptions().StringOptions(), (TVTStringOptions{toSaveCaptions, toAutoAcceptEditChange}));
  b.TreeOptions().SetStringOptions(TVTStringOptions{toShowStaticText});
  auto misc = b.TreeOptions().MiscOptions();
  misc.Include(toCheckSupport);
  b.TreeOptions().SetMiscOptions(misc);
  a.SetTreeOptions(b.TreeOptions());
  EXPECT_EQ(a.TreeOptions().StringOptions(), TVTStringOptions{toShowStaticText});
  EXPECT_TRUE(a.Has(toCheckSupport));
  // Plain tree options leave the string options alone.
  TCustomNodeTreeOptions plain(&a);
  a.SetTreeOptions(plain);
  EXPECT_EQ(a.TreeOptions().StringOptions(), TVTStringOptions{toShowStaticText});
}

// The Scan & Decode set-up: captions and check flags in the node data, check boxes on levels 0 and
// 1 set when a node is initialised, an image chosen by level, the caption as the text.
TEST_F(StringTreeTest, ScanResultTreeShowsChecksImagesAndCaptionsByLevel) {
  struct TMyRec {
    std::string Caption;
    bool Checked = false;
  };
  TStringForm f;
  TNodeStringTree& t = *f.Tree;
  TImageList images(16, 16);
  for (TColor c : {clRed, clLime, clBlue}) {
    TBitmap b(16, 16);
    b.Canvas().Brush().SetColor(c);
    b.Canvas().FillRect(TRect{0, 0, 16, 16});
    images.Add(b);
  }
  t.SetImages(&images);
  t.TreeOptions().SetMiscOptions(t.TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
  t.SetNodeDataType<TMyRec>();
  t.OnInitNode = [](TBaseNodeTree* s, PVNode, PVNode n, TVNodeInitStates&) {
    if (s->GetNodeLevel(n) > 1) return;
    n->CheckType = ctCheckBox;
    n->CheckState = s->GetNodeData<TMyRec>(n)->Checked ? csCheckedNormal : csUncheckedNormal;
  };
  t.OnGetText = [](TBaseNodeTree* s, PVNode n, TColumnIndex, TVSTTextType type, std::string& text) {
    if (type == ttNormal) text = s->GetNodeData<TMyRec>(n)->Caption;
  };
  t.OnGetImageIndexEx = [](TBaseNodeTree* s, PVNode n, TVTImageKind kind, TColumnIndex, bool&, int& index,
                           TImageList*&) {
    if (kind == ikNormal || kind == ikSelected) index = static_cast<int>(s->GetNodeLevel(n));
  };
  auto add = [&](PVNode parent, const std::string& caption, bool checked) {
    PVNode n = t.AddChild(parent);
    *t.GetNodeData<TMyRec>(n) = TMyRec{caption, checked};
    return n;
  };
  // Filled inside an update, so the nodes are initialised only once their data is there.
  t.BeginUpdate();
  PVNode meter = add(nullptr, "Meter", true);
  PVNode record = add(meter, "Record", false);
  PVNode value = add(record, "Value", false);
  t.EndUpdate();
  t.FullExpand();
  const TBitmap b = f.Shot();
  struct TCase {
    PVNode node;
    TColor image;
    bool check, checked;
  };
  int level = 0;
  for (const TCase c : {TCase{meter, clRed, true, true}, TCase{record, clLime, true, false},
                        TCase{value, clBlue, false, false}}) {
    SCOPED_TRACE(level);
    EXPECT_EQ(t.Text(c.node, NoColumn), level == 0 ? "Meter" : level == 1 ? "Record" : "Value");
    const int indent = 18 * (level + 1), top = 18 * level++;
    const int imageX = indent + 4 - 1 + (c.check ? 18 : 0);
    EXPECT_EQ(f.At(b, imageX + 8, top + 9), ColorToRGB(c.image));
    // The box: its frame in the line colour, its middle dark only when checked.
    EXPECT_EQ(f.At(b, indent + 4, top + 2) == ColorToRGB(clBtnShadow), c.check);
    if (c.check) {
      EXPECT_EQ(f.At(b, indent + 4 + 6, top + 2 + 6) == Black, c.checked);
    }
    // The caption right of the image.
    const TRect ink = f.Ink(b, TRect{imageX + 16, top, 200, top + 18}, Black);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, imageX + 16 + 2 + 4);
  }
}

TEST_F(StringTreeTest, TextTakesTheDisabledColourAndAHandlersFontMovesTheStaticText) {
  TStringForm f;
  TNodeStringTree& t = *f.Tree;
  t.Colors().SetColor(vcDisabled, clRed);
  bool bold = false;
  t.OnGetText = [](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType type, std::string& text) {
    text = type == ttNormal ? "Meter" : "st";
  };
  t.OnPaintText = [&](TBaseNodeTree*, TCanvas& canvas, PVNode, TColumnIndex, TVSTTextType type) {
    if (bold && type == ttNormal) canvas.Font().SetSize(canvas.Font().Size() * 2);
  };
  t.TreeOptions().SetStringOptions(TVTStringOptions{toShowStaticText});
  t.SetRootNodeCount(2);
  PVNode second = t.GetNext(t.GetFirst());
  t.SetDisabled(second, true);
  TBitmap b = f.Shot();
  EXPECT_TRUE(f.Ink(b, TRect{18, 0, 200, 18}, ColorToRGB(clRed)).IsEmpty());
  EXPECT_FALSE(f.Ink(b, TRect{18, 18, 200, 36}, ColorToRGB(clRed)).IsEmpty()) << "a disabled node";
  const int plainRight = f.Ink(b, TRect{18, 0, 200, 18}, Black).Right;

  // Twice the font in the handler: the static text moves right by the wider normal text.
  bold = true;
  t.Invalidate();
  b = f.Shot();
  TCanvas measure;
  measure.Font() = t.Font();
  const int plainWidth = measure.TextWidth("Meter");
  measure.Font().SetSize(measure.Font().Size() * 2);
  const int wideWidth = measure.TextWidth("Meter");
  const int boldRight = f.Ink(b, TRect{18, 0, 200, 18}, Black).Right;
  EXPECT_NEAR(boldRight - plainRight, wideWidth - plainWidth, 2);
}

TEST_F(StringTreeTest, AMultiLineTextIsCentredInItsRow) {
  TStringForm f;
  TNodeStringTree& t = *f.Tree;
  t.OnGetText = [](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType type, std::string& text) {
    if (type == ttNormal) text = "first line\nsecond line";
  };
  t.SetRootNodeCount(1);
  PVNode n = t.GetFirst();
  t.SetMultiLine(n, true);
  t.SetNodeHeight(n, 72);
  const TBitmap b = f.Shot();
  const TRect ink = f.Ink(b, TRect{18, 0, 200, 72}, Black);
  ASSERT_FALSE(ink.IsEmpty());
  TCanvas measure;
  measure.Font() = t.Font();
  const int line = measure.TextHeight("Ag");
  EXPECT_GT(ink.Height(), line) << "two lines";
  EXPECT_NEAR(ink.Top, 72 - ink.Bottom, line / 2) << "as much room above as below";
  EXPECT_EQ(t.ComputeNodeHeight(&measure, n, NoColumn), 2 * line);
}
