// A tree on a shown form, driven through the headless mouse and keys. Its nodes are 60 pixels of
// "text" wide (the base tree draws none), named by a table for incremental search.
#pragma once

#include "support/FakeTimers.h"
#include "support/UiTestFixture.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Forms.h"
#include "tree/NodeTrees.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

class TInputTree : public TBaseNodeTree {
public:
  using TBaseNodeTree::TBaseNodeTree;
  using TBaseNodeTree::FCheckNode;
  int ContentWidth = 60;
  std::map<PVNode, std::string> Texts;
  std::string TooltipText;

  int GetNodeContentWidth(PVNode, TColumnIndex, TCanvas*) override { return ContentWidth; }
  int DoIncrementalSearch(PVNode Node, const std::string& Text) override {
    const std::string& t = Texts[Node];
    return t.compare(0, Text.size(), Text) == 0 ? 0 : 1;
  }
  std::string GetNodeTooltipText(PVNode, TColumnIndex, TVTTooltipLineBreakStyle&) override { return TooltipText; }
};

class TTreeInputTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form = new TForm(nullptr);
    Form->SetName("FTree");
    Form->SetClientWidth(260);
    Form->SetClientHeight(220);
    Tree = new TInputTree(Form);
    Tree->SetName("Tree");
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 200, 180);
    Tree->SetNodeDataSize(0);
    Form->Show();
    Application->ProcessMessages();
    Tree->SetFocus();
    SetBeepSink([this](unsigned) { ++Beeps; });
  }
  void TearDown() override {
    SetBeepSink(nullptr);
    Form->Free();
    TUiTest::TearDown();
  }

  // Top-level nodes named by `names`; each node whose name is in `parents` gets two children.
  void Build(const std::vector<std::string>& names, std::vector<std::string> parents = {}) {
    Tree->Clear();
    Tree->Texts.clear();
    Tree->SetRootNodeCount(static_cast<std::uint32_t>(names.size()));
    std::vector<PVNode> tops;
    for (PVNode n = Tree->GetFirst(); n; n = Tree->GetNextSibling(n)) tops.push_back(n);
    for (std::size_t i = 0; i < tops.size(); ++i) {
      Tree->Texts[tops[i]] = names[i];
      for (const std::string& p : parents)
        if (p == names[i]) {
          Tree->SetChildCount(tops[i], 2);
          Tree->Texts[tops[i]->FirstChild] = names[i] + ".1";
          Tree->Texts[tops[i]->LastChild] = names[i] + ".2";
        }
    }
  }
  void Use(TVTSelectionOption o, bool on = true) {
    auto s = Tree->TreeOptions().SelectionOptions();
    on ? s.Include(o) : s.Exclude(o);
    Tree->TreeOptions().SetSelectionOptions(s);
  }
  void Use(TVTMiscOption o, bool on = true) {
    auto s = Tree->TreeOptions().MiscOptions();
    on ? s.Include(o) : s.Exclude(o);
    Tree->TreeOptions().SetMiscOptions(s);
  }
  void Use(TVTPaintOption o, bool on = true) {
    auto s = Tree->TreeOptions().PaintOptions();
    on ? s.Include(o) : s.Exclude(o);
    Tree->TreeOptions().SetPaintOptions(s);
  }
  PVNode Top(int i) {
    PVNode n = Tree->GetFirst();
    while (i-- > 0) n = Tree->GetNextSibling(n);
    return n;
  }
  // The first client x on the node's row whose hit has the position.
  TPoint At(PVNode node, THitPosition position) {
    const TRect r = Tree->GetDisplayRect(node, NoColumn, false);
    const int y = (r.Top + r.Bottom) / 2;
    for (int x = 0; x < Tree->ClientWidth(); ++x) {
      THitInfo hit;
      Tree->GetHitTestInfoAt(x, y, true, hit);
      if (hit.HitNode == node && hit.HitPositions.Has(position)) return {x + 1, y};
    }
    ADD_FAILURE() << "no such part on the node's row";
    return {0, y};
  }
  void Click(TPoint p, TMouseButton button = mbLeft, TShiftState shift = 0) {
    Headless::MouseMove(*Tree, p);
    Headless::MouseDown(*Tree, p, button, shift);
    Headless::MouseUp(*Tree, p, button, shift);
    Application->ProcessMessages();
  }
  void Key(std::uint16_t key, TShiftState shift = 0) { Headless::PressKey(*Tree, key, shift); }
  std::vector<PVNode> Selection() {
    std::vector<PVNode> s;
    for (PVNode n = Tree->GetFirstSelected(); n; n = Tree->GetNextSelected(n)) s.push_back(n);
    return s;
  }

  TFakeTimers Timers{100000};
  TForm* Form = nullptr;
  TInputTree* Tree = nullptr;
  int Beeps = 0;
};
