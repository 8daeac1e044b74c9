// Two string trees of labelled nodes on the in-process clipboard: each node carries an int that
// its stream chunk saves, and its text is "N" followed by that int.
#pragma once

#include "TreeFixture.h"

#include "platform/ui/HeadlessServices.h"
#include "tree/StreamValues.h"
#include "tree/StringTree.h"

#include <string>
#include <vector>

class TClipboardTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    A.reset(MakeTree());
    B.reset(MakeTree());
  }
  void TearDown() override {
    A.reset();
    B.reset();
    TUiTest::TearDown();
  }
  TNodeStringTree* MakeTree() {
    auto* t = new TNodeStringTree(nullptr);
    t->SetNodeDataSize(sizeof(int));
    t->TreeOptions().SetSelectionOptions({toMultiSelect});
    t->SetClipboardFormats({"Node Tree Data"});
    t->OnSaveNode = [this](TBaseNodeTree* tree, PVNode n, TStream& s) {
      ++Saves;
      WriteValue<int>(s, *static_cast<int*>(tree->GetNodeData(n)));
    };
    t->OnLoadNode = [](TBaseNodeTree* tree, PVNode n, TStream& s) {
      *static_cast<int*>(tree->GetNodeData(n)) = ReadValue<int>(s);
    };
    t->OnGetText = [](TBaseNodeTree* tree, PVNode n, TColumnIndex, TVSTTextType type, std::string& text) {
      text = type == ttNormal ? "N" + std::to_string(*static_cast<int*>(tree->GetNodeData(n))) : "";
    };
    return t;
  }
  static PVNode Add(TBaseNodeTree& t, PVNode parent, int label) {
    PVNode n = t.AddChild(parent);
    *static_cast<int*>(t.GetNodeData(n)) = label;
    return n;
  }
  // The labels in tree order, children in brackets after their parent.
  static std::string Shape(TBaseNodeTree& t, PVNode parent = nullptr) {
    std::string s;
    for (PVNode n = t.GetFirstChildNoInit(parent ? parent : t.RootNode()); n; n = n->NextSibling) {
      if (!s.empty()) s += ' ';
      s += std::to_string(*static_cast<int*>(t.GetNodeData(n)));
      if (n->FirstChild) s += "[" + Shape(t, n) + "]";
    }
    return s;
  }
  Headless::TClipboardScope Clip;
  TOwned<TNodeStringTree> A, B;
  int Saves = 0;
};
