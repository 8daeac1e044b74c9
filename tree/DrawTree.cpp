// The owner-draw tree paints nothing itself; the application draws and measures every node.
#include "tree/DrawTree.h"

int TCustomNodeDrawTree::GetNodeContentWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) {
  int width = 2 * TextMargin();
  if (OnGetNodeWidth) OnGetNodeWidth(this, Canvas ? *Canvas : this->Canvas(), Node, Column, width);
  return width;
}

TPoint TCustomNodeDrawTree::DoGetCellContentMargin(PVNode Node, TColumnIndex Column,
                                                   TVTCellContentMarginType CellContentMarginType,
                                                   TCanvas* Canvas) {
  TPoint margin{0, 0};
  if (OnGetCellContentMargin)
    OnGetCellContentMargin(this, Canvas ? *Canvas : this->Canvas(), Node, Column, CellContentMarginType,
                           margin);
  return margin;
}

void TCustomNodeDrawTree::PaintNodeContent(TVTPaintInfo& PaintInfo) {
  if (OnDrawNode) OnDrawNode(this, PaintInfo);
}
