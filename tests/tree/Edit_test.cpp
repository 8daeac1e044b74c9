// In-place editing: the protocol between tree and editor, and the string tree's edit box driven
// through the headless keys and focus.
#include "InputFixture.h"

#include "platform/ui/StdCtrls.h"
#include "tree/StringEditLink.h"

#include <map>

namespace {

// An editor that answers as told and counts the calls.
struct TScriptedLink : IVTEditLink {
  bool Prepare = true, Begin = true, End = true, Cancel = true;
  int Ends = 0, Cancels = 0;
  bool BeginEdit() override { return Begin; }
  bool CancelEdit() override { return ++Cancels, Cancel; }
  bool EndEdit() override { return ++Ends, End; }
  bool PrepareEdit(TBaseNodeTree*, PVNode, TColumnIndex) override { return Prepare; }
  TRect GetBounds() override { return {}; }
  void ProcessMessage(TMessage&) override {}
  void SetBounds(TRect) override {}
};

class TreeEditProtocolTest : public TTreeInputTest {
protected:
  void SetUp() override {
    TTreeInputTest::SetUp();
    Build({"a", "b"});
    Use(toEditable);
    Tree->OnCreateEditor = [this](TBaseNodeTree*, PVNode, TColumnIndex, std::shared_ptr<IVTEditLink>& link) {
      link = Link;
    };
  }
  std::shared_ptr<TScriptedLink> Link = std::make_shared<TScriptedLink>();
};

class TStringEditTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form = new TForm(nullptr);
    Form->SetClientWidth(300);
    Form->SetClientHeight(200);
    Tree = new TNodeStringTree(Form);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 200, 150);
    Tree->SetNodeDataSize(0);
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(210, 0, 80, 20);
    auto misc = Tree->TreeOptions().MiscOptions();
    misc.Include(toEditable);
    Tree->TreeOptions().SetMiscOptions(misc);
    Tree->OnGetText = [this](TBaseNodeTree*, PVNode n, TColumnIndex, TVSTTextType t, std::string& s) {
      if (t == ttNormal) s = Texts[n];
    };
    Tree->OnNewText = [this](TBaseNodeTree*, PVNode n, TColumnIndex, const std::string& s) { Texts[n] = s; };
    Tree->SetRootNodeCount(3);
    int i = 0;
    for (PVNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) Texts[n] = std::string("node ") + char('a' + i++);
    Form->Show();
    Application->ProcessMessages();
    Tree->SetFocus();
  }
  void TearDown() override {
    Form->Free();
    Application->ProcessMessages();
    TUiTest::TearDown();
  }
  PVNode Node(int i) {
    PVNode n = Tree->GetFirst();
    while (i-- > 0) n = Tree->GetNext(n);
    return n;
  }
  TVTEdit* Box() {
    auto link = std::dynamic_pointer_cast<TStringEditLink>(Tree->EditLink());
    return link ? link->Edit() : nullptr;
  }
  void StartOn(int i) {
    Tree->SetFocusedNode(Node(i));
    Headless::PressKey(*Tree, VK_F2);
    ASSERT_TRUE(Tree->IsEditing());
    ASSERT_NE(Box(), nullptr);
  }
  TForm* Form = nullptr;
  TNodeStringTree* Tree = nullptr;
  TEdit* Other = nullptr;
  std::map<PVNode, std::string> Texts;
};

} // namespace

TEST_F(TreeEditProtocolTest, NothingToEndOrCancelAnswersTrueAndAReadOnlyTreeRefuses) {
  EXPECT_TRUE(Tree->EndEditNode());
  EXPECT_TRUE(Tree->CancelEditNode());
  Tree->SetFocusedNode(Top(0));
  Use(toReadOnly);
  EXPECT_FALSE(Tree->EditNode(Top(1), NoColumn));
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  EXPECT_FALSE(Tree->IsEditing());
}

TEST_F(TreeEditProtocolTest, RefusalsOfTheEditorLeaveTheTreeAsItWas) {
  struct TCase {
    const char* name;
    bool prepare, begin;
    bool editing;
  };
  for (const TCase c : {TCase{"prepare refused", false, true, false}, TCase{"begin refused", true, false, false},
                        TCase{"both agree", true, true, true}}) {
    SCOPED_TRACE(c.name);
    Link = std::make_shared<TScriptedLink>();
    Link->Prepare = c.prepare;
    Link->Begin = c.begin;
    EXPECT_EQ(Tree->EditNode(Top(0), NoColumn), c.editing);
    EXPECT_EQ(Tree->IsEditing(), c.editing);
    EXPECT_EQ(Tree->EditLink() != nullptr, c.editing);
  }
  // An end the editor refuses keeps the edit running; the next one ends it and tells so.
  int edited = 0;
  Tree->OnEdited = [&](TBaseNodeTree*, PVNode, TColumnIndex) { ++edited; };
  Link->End = false;
  EXPECT_FALSE(Tree->EndEditNode());
  EXPECT_TRUE(Tree->IsEditing());
  Link->End = true;
  EXPECT_TRUE(Tree->EndEditNode());
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(edited, 1);
  EXPECT_EQ(Tree->EditLink(), nullptr);
}

TEST_F(TStringEditTest, EnterTakesTheTypedTextAndEscapeDropsIt) {
  StartOn(0);
  EXPECT_EQ(Box()->Text(), "node a");
  Headless::TypeText(*Box(), "meter");
  Headless::PressKey(*Box(), VK_RETURN);
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(Texts[Node(0)], "meter");
  EXPECT_TRUE(Tree->Focused());

  StartOn(1);
  Headless::TypeText(*Box(), "gone");
  Headless::PressKey(*Box(), VK_ESCAPE);
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(Texts[Node(1)], "node b");
}

TEST_F(TStringEditTest, TabEndsTheEditAndEditsTheNextNode) {
  StartOn(0);
  Headless::TypeText(*Box(), "first");
  Headless::PressKey(*Box(), VK_TAB);
  EXPECT_EQ(Texts[Node(0)], "first");
  EXPECT_EQ(Tree->FocusedNode(), Node(1));
  ASSERT_TRUE(Tree->IsEditing());
  EXPECT_EQ(Box()->Text(), "node b");
}

TEST_F(TStringEditTest, InAMultiLineNodeEnterBreaksTheLineAndCtrlEnterEnds) {
  Tree->SetMultiLine(Node(0), true);
  StartOn(0);
  Headless::TypeText(*Box(), "one");
  Headless::PressKey(*Box(), VK_RETURN);
  EXPECT_TRUE(Tree->IsEditing());
  Headless::TypeText(*Box(), "two");
  {
    Headless::THeldKeys ctrl{VK_CONTROL};
    Headless::PressKey(*Box(), VK_RETURN, ssCtrl);
  }
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(Texts[Node(0)], "one\r\ntwo");
}

TEST_F(TStringEditTest, LosingTheFocusKeepsOrDropsTheTextByTheAutoAcceptOption) {
  for (const bool accept : {true, false}) {
    SCOPED_TRACE(accept);
    auto options = Tree->TreeOptions().StringOptions();
    accept ? options.Include(toAutoAcceptEditChange) : options.Exclude(toAutoAcceptEditChange);
    Tree->TreeOptions().SetStringOptions(options);
    Texts[Node(2)] = "old";
    StartOn(2);
    Headless::TypeText(*Box(), "new");
    Other->SetFocus();
    Application->ProcessMessages();
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ(Texts[Node(2)], accept ? "new" : "old");
  }
}

TEST_F(TStringEditTest, TheBoxIsNeverNarrowerThan30NorWiderThanTheClient) {
  StartOn(0);
  auto link = std::dynamic_pointer_cast<TStringEditLink>(Tree->EditLink());
  struct TCase {
    TRect asked, placed;
  };
  for (const TCase c : {TCase{Rect(20, 0, 30, 18), Rect(20, 0, 50, 18)}, TCase{Rect(-5, 0, 60, 18), Rect(0, 0, 60, 18)},
                        TCase{Rect(150, 0, 400, 18), Rect(150, 0, Tree->ClientWidth(), 18)}}) {
    link->SetBounds(c.asked);
    EXPECT_EQ(Box()->BoundsRect(), c.placed);
  }
}

TEST_F(TStringEditTest, TypingWidensTheBoxToTheTextWithYGAndTheMargins) {
  StartOn(0);
  Headless::TypeText(*Box(), "a much longer text");
  TCanvas& canvas = Tree->Canvas();
  canvas.Font().Assign(Box()->Font());
  const int expected = canvas.TextExtent("a much longer text" "yG").cx + 2 * Tree->TextMargin();
  EXPECT_EQ(Box()->Width(), std::min(expected, Tree->ClientWidth() - Box()->Left()));
  EXPECT_GT(Box()->Width(), 30);
}
