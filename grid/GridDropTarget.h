// What a drop does to a string grid: text, rich text and URLs go into the cell under the point
// (text as a paste, optionally as new or appended rows), a block of grid cells lands with its
// properties, a column moves, and a single CSV or spreadsheet file loads. While something is
// dragged over the grid it says where a drop may go, shows the arrows beside the target and
// scrolls towards the rows and columns out of sight.
#pragma once

#include "grid/AsgDD.h"

class TProStringGrid;

class TGridDropTarget : public TASGDropTarget {
public:
  explicit TGridDropTarget(TProStringGrid* Grid) : FGrid(Grid) {}

  // Takes what the grid's settings accept now.
  void TakeSettings();

  HRESULT DragEnter(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) override;
  // An error of a loader or of the paste ends the drop: it is shown, the grid stays as it was and
  // no effect is reported (a move does not remove the source's cells). A drop that placed nothing
  // (refused, outside the cells, or a grid that takes no paste) reports no effect either.
  HRESULT Drop(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) override;

protected:
  void DropText(TPoint pt, const std::string& s) override;
  void DropStream(TPoint pt, TMemoryStream& ms) override;
  void DropCol(TPoint pt, std::int32_t Col) override;
  void DropRTF(TPoint pt, const std::string& s) override;
  void DropFiles(TPoint pt, const TStringList& files) override;
  void DropURL(TPoint pt, const std::string& s) override;
  void DragMouseMove(TPoint pt, bool& Allow, TDropFormats formats) override;
  void DragMouseLeave() override;

private:
  // The cell under a screen point; below the last row of a grid that appends whole rows, the
  // last row (Append set). -1 outside the cells.
  void TargetCell(TPoint pt, TDropFormats formats, int& ACol, int& ARow, bool& Append) const;
  void DropCellText(TPoint pt, const std::string& s, bool Rich);
  void HideIndicators(bool Left, bool Down, bool Up, bool Button);

  TProStringGrid* FGrid;
  bool FPlaced = false;
};
