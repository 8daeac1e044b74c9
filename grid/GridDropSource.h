// The grid's side of a drag it started: keeps the effect the target under the mouse last showed,
// moves the floating picture of the dragged cells (or the header button of a dragged column)
// along with the pointer, and frees the picture when the drag ends.
#pragma once

#include "grid/AsgDD.h"

class TProStringGrid;

class TGridDropSource : public TASGDropSource {
public:
  explicit TGridDropSource(TProStringGrid* Grid) : FGrid(Grid) {}

  // The last move or copy shown; 0 before either.
  unsigned LastEffect() const { return FLastEffect; }
  // Where the pointer was when the drag ended (screen coordinates).
  TPoint EndPoint() const { return FEndPoint; }

  // Only move and copy are remembered: a link or no effect leaves the last one.
  void CurrentEffect(unsigned dwEffect) override;
  // The picture 4 pixels right of and below the pointer; without ShowCells the header button
  // with its bottom-left corner at the pointer.
  void QueryDrag() override;
  void DragEnded() override;

private:
  TProStringGrid* FGrid;
  unsigned FLastEffect = 0;
  TPoint FEndPoint{-1, -1};
};
