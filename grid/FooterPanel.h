// The strip along the string grid's bottom that shows its floating footer: the last row's cells
// under their columns, a preview of one cell of the current row, a text made from a template, or
// whatever the owner paints.
#pragma once

#include "platform/ui/Controls.h"

class TProStringGrid;

class TFooterPanel : public TCustomControl {
public:
  explicit TFooterPanel(TProStringGrid* Grid);
  // The column under a client X, fixed columns first, then the scrolling ones from LeftCol; -1
  // right of the last.
  int ColumnAt(int X) const;

protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  // Width of the part the columns use.
  int UsedWidth() const;
  void PaintLastRow(TCanvas& C, int W);
  void PaintPreview(TCanvas& C, int W, bool Template);
  TProStringGrid* FGrid;
};
