// Middle-button panning: from the press the view (or the current cell) follows the direction of
// the pointer from the press point, one step every 10 ms, until any button or key.
#include "grid/ProGrid.h"

#include "platform/ui/ExtCtrls.h"

#include <algorithm>

namespace {
// 8000 none, then down, left, right, up, up-right, up-left, down-right, down-left.
int PanCursor(int dx, int dy) {
  if (dx == 0 && dy == 0) return 8000;
  if (dx == 0) return dy > 0 ? 8001 : 8004;
  if (dy == 0) return dx < 0 ? 8002 : 8003;
  if (dy < 0) return dx > 0 ? 8005 : 8006;
  return dx > 0 ? 8007 : 8008;
}
} // namespace

void TProStringGrid::StopPanning() {
  if (!FPanning) return;
  FPanning = false;
  if (FPanTimer) FPanTimer->SetEnabled(false);
  SetMouseCapture(false);
  SetCursor(FPanPrevCursor);
  SetShowHint(true);
  InvalidateRect(TRect{FPanOrigin.X, FPanOrigin.Y, FPanOrigin.X + 32, FPanOrigin.Y + 32});
}

void TProStringGrid::PanStep() {
  if (!FPanning || FIntelliPan == ipNone) return;
  // A dead zone of 5 pixels around the press point.
  int dy = 0, dx = 0;
  if (FIntelliPan != ipHorizontal) {
    if (FPanPoint.Y < FPanOrigin.Y - 5) dy = -1;
    if (FPanPoint.Y > FPanOrigin.Y + 5) dy = 1;
  }
  if (FIntelliPan != ipVertical) {
    if (FPanPoint.X > FPanOrigin.X + 5) dx = 1;
    if (FPanPoint.X < FPanOrigin.X - 5) dx = -1;
  }
  const TGridRect before = Selection();
  const int lastRow = std::max(FixedRows(), RowCount() - FFixedFooters - 1);
  const int lastCol = std::max(FixedCols(), ColCount() - FFixedRightCols - 1);
  if (Row() < FixedRows() || Row() > lastRow || Col() < FixedCols() || Col() > lastCol)
    MoveColRow(std::clamp(Col(), FixedCols(), lastCol), std::clamp(Row(), FixedRows(), lastRow), true, false);
  if (dx != 0 || dy != 0) {
    InvalidateRect(TRect{FPanOrigin.X, FPanOrigin.Y, FPanOrigin.X + 32, FPanOrigin.Y + 32});
    if (FMouseActions->WheelAction() == waScroll) {
      const int maxLeft = std::max(FixedCols(), ColCount() - VisibleColCount());
      const int maxTop = std::max(FixedRows(), RowCount() - VisibleRowCount());
      const int left = std::clamp(LeftCol() + dx, FixedCols(), maxLeft);
      const int top = std::clamp(TopRow() + dy, FixedRows(), maxTop);
      if (left != LeftCol()) SetLeftCol(left);
      if (top != TopRow()) SetTopRow(top);
    } else {
      MoveColRow(std::clamp(Col() + dx, FixedCols(), lastCol), std::clamp(Row() + dy, FixedRows(), lastRow),
                 true, true);
    }
  }
  SetCursor(PanCursor(dx, dy));
  const TGridRect after = Selection();
  if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}
