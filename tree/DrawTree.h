// The owner-draw tree: every cell is painted and measured by the application through events.
#pragma once

#include "tree/NodeTrees.h"

#include <functional>

enum TVTCellContentMarginType { ccmtAllSides, ccmtTopLeftOnly, ccmtBottomRightOnly };

using TVTDrawNodeEvent = std::function<void(TBaseNodeTree* Sender, const TVTPaintInfo& PaintInfo)>;
using TVTGetCellContentMarginEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas& HintCanvas, PVNode Node, TColumnIndex Column,
                       TVTCellContentMarginType CellContentMarginType, TPoint& CellContentMargin)>;
using TVTGetNodeWidthEvent = std::function<void(TBaseNodeTree* Sender, TCanvas& HintCanvas, PVNode Node,
                                                TColumnIndex Column, int& NodeWidth)>;

class TCustomNodeDrawTree : public TBaseNodeTree {
public:
  using TBaseNodeTree::TBaseNodeTree;

  TVTDrawNodeEvent OnDrawNode;
  TVTGetCellContentMarginEvent OnGetCellContentMargin;
  TVTGetNodeWidthEvent OnGetNodeWidth;

  // 2 x TextMargin unless OnGetNodeWidth says otherwise.
  int GetNodeContentWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) override;
  // (0, 0) unless OnGetCellContentMargin says otherwise.
  virtual TPoint DoGetCellContentMargin(PVNode Node, TColumnIndex Column,
                                        TVTCellContentMarginType CellContentMarginType = ccmtAllSides,
                                        TCanvas* Canvas = nullptr);
  // Hints of this tree are drawn by the application.
  TVTHintKind GetDefaultHintKind() const { return vhkOwnerDraw; }

protected:
  void PaintNodeContent(TVTPaintInfo& PaintInfo) override;
};

class TNodeDrawTree : public TCustomNodeDrawTree {
public:
  using TCustomNodeDrawTree::TCustomNodeDrawTree;
};
