// What the tree does for its header and columns: the main column, the resize notification, the
// header's place above the client area and its repaint.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

TColumnIndex TBaseNodeTree::MainColumn() const {
  return FHeader ? FHeader->MainColumn() : NoColumn;
}

void TBaseNodeTree::SetHeader(const TVTHeader& Value) {
  FHeader->Assign(&Value);
}

void TBaseNodeTree::CycleColumnCheckState(TColumnIndex Column) {
  TNodeTreeColumns& columns = FHeader->Columns();
  if (!columns.IsValidColumn(Column)) return;
  TNodeTreeColumn* column = columns[Column];
  column->SetCheckState(NextCheckState(column->CheckType(), column->CheckState()));
}

void TBaseNodeTree::DoColumnResize(TColumnIndex Column) {
  if (Destroying()) return;
  // Multi-line nodes are measured again for the new width.
  for (PVNode node = GetFirstInitialized(); node; node = GetNextInitialized(node))
    if (node->States.Has(vsMultiline)) node->States.Exclude(vsHeightMeasured);
  UpdateHorizontalScrollBar(false);
  TNodeTreeColumns& columns = FHeader->Columns();
  if (columns.IsValidColumn(Column)) {
    if (Has(toAutoSpanColumns)) {
      Invalidate();
    } else {
      int left = 0, right = 0;
      columns.GetColumnBounds(Column, left, right);
      if (FBiDiMode == bdRightToLeft)
        InvalidateRect(TRect{0, 0, right, ClientHeight()});
      else
        InvalidateRect(TRect{left, 0, ClientWidth(), ClientHeight()});
    }
    FHeader->Invalidate(columns[Column], true);
  }
  if (FHeader->States().Has(hsColumnWidthTracking) && !FHeader->States().Has(hsResizing)) Update();
  if (OnColumnResize && !FHeader->States().Has(hsResizing)) OnColumnResize(FHeader.get(), Column);
  UpdateEditBounds();
}

void TBaseNodeTree::DoColumnVisibilityChanged(TColumnIndex Column, bool Visible) {
  if (OnColumnVisibilityChanged) OnColumnVisibilityChanged(this, Column, Visible);
}

int TBaseNodeTree::HeaderHeightShown() const {
  return FHeader && FHeader->Has(hoVisible) ? FHeader->Height() : 0;
}

void TBaseNodeTree::HeaderFrameChanged() {
  if (Destroying()) return;
  UpdateScrollBars(false);
  Invalidate();
}

void TBaseNodeTree::InvalidateHeaderRect(const TRect& R) {
  if (Destroying()) return;
  // The header lies above the client area; the control's surface holds both.
  InvalidateRect(R);
}
