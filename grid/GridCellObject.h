// An object that paints itself in a cell (a cell graphic of kind ctInterface).
#pragma once

#include "platform/ui/Graphics.h"

class TProStringGrid;

class IGridCellObject {
public:
  static constexpr const char* IID = "{0712BE3F-5C9A-4771-BF71-4C987CDC39B3}";
  virtual ~IGridCellObject() = default;
  virtual void Draw(TCanvas& Canvas, const TRect& R, TProStringGrid* Grid, bool Selected, int ACol,
                    int ARow) = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Painted before the cell's text (true) or after it.
  virtual bool DrawsBeforeText() const = 0;
};
