#include "tree/TreeColors.h"

#include "tree/NodeTrees.h"

TVTColors::TVTColors(TBaseNodeTree* owner)
    : FOwner(owner), FColors{clBtnShadow, clHighlight, clHighlight,  clHighlight,     clBtnFace, clBtnShadow,
                             clBtnFace,   clBtnFace,   clWindowText, clHighlight,     clBtnFace, clHighlight,
                             clHighlight, clHighlight, clBtnShadow,  clHighlightText, clBtnFace} {}

void TVTColors::SetColor(TVTColorIndex index, TColor value) {
  if (FColors[index] == value) return;
  FColors[index] = value;
  if (index == vcBorder) {
    // The border band belongs to the frame, which this tree does not draw itself.
    return;
  }
  if (index == vcTreeLine) FOwner->RebuildBitmaps(true, false);
  FOwner->InvalidateTree();
}

void TVTColors::Assign(const TVTColors& source) {
  FColors = source.FColors;
  if (FOwner->UpdateCount() == 0) FOwner->InvalidateTree();
}

TColor TVTColors::BackGroundColor() const {
  return FOwner->Color();
}

TColor TVTColors::NodeFontColor() const {
  return FOwner->Font().Color();
}
