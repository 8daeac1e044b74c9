// The look and merge data of one cell, created when something first asks for it and owned by the
// grid through the cell's object slot.
#pragma once

#include "grid/GridTypes.h"
#include "platform/Colors.h"
#include "platform/Persistent.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

#include <string>

class TBaseGrid;

class TCellProperties : public TPersistent {
public:
  // Bound to cell (ACol, ARow) of the grid (which then knows it has cell properties).
  TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);

  // Copies the look and merge data of other cell properties; the end colour of the gradient, its
  // direction, the footer calculation, the graphic, the paint pass and the grid stay.
  void Assign(const TPersistent* Source) override;
  // The base cell of the area the cell (c, r) belongs to: (c - CellSpanX, r - CellSpanY) for a
  // covered cell, else (c, r).
  TPoint GetBaseCell(int c, int r) const {
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1) return {c - FCellSpanX, r - FCellSpanY};
    return {c, r};
  }

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  int OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int Value) { FOwnerCol = Value; }
  int OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(int Value) { FOwnerRow = Value; }
  TObject* CellObject() const { return FObject; }
  void SetCellObject(TObject* Value) { FObject = Value; }
  TObject* GraphicObject() const { return FGraphicObject; }
  void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }
  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
  // These four repaint the cell.
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor BrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  int FontSize() const { return FFontSize; }
  void SetFontSize(int Value) { FFontSize = Value; }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
  const std::string& FontName() const { return FFontName; }
  void SetFontName(const std::string& Value) { FFontName = Value; }
  // -1 when not merged; a base cell holds the area's extent, a covered cell the way back to it.
  int CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(int Value) { FCellSpanX = Value; }
  int CellSpanY() const { return FCellSpanY; }
  void SetCellSpanY(int Value) { FCellSpanY = Value; }
  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TColumnCalcType CalcType() const { return FCalcType; }
  void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
  TObject* CalcObject() const { return FCalcObject; }
  void SetCalcObject(TObject* Value) { FCalcObject = Value; }
  int NodeLevel() const { return FNodeLevel; }
  void SetNodeLevel(int Value) { FNodeLevel = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value) { FEditor = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TCellGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
  // A control placed over the cell.
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }
  // Number of the paint pass in which the merged area was last painted.
  int PaintID() const { return FPaintID; }
  void SetPaintID(int Value) { FPaintID = Value; }

private:
  friend class TBaseGrid;
  void Repaint();
  TBaseGrid* FOwnerGrid;
  int FOwnerCol;
  int FOwnerRow;
  TObject* FObject = nullptr;
  TObject* FGraphicObject = nullptr;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  int FFontSize = 0;
  TColor FFontColor = clNone;
  TFontStyles FFontStyle = 0;
  int FCellSpanY = -1;
  int FCellSpanX = -1;
  int FBorderWidth = 0;
  TColor FBorderColor = 0;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  int FPaintID = 0;
  bool FWordWrap;
  bool FIsBaseCell = true;
  TColumnCalcType FCalcType = acNONE;
  TObject* FCalcObject = nullptr;
  int FNodeLevel = 0;
  TEditorType FEditor = edNormal;
  std::string FFontName;
  bool FReadOnly = false;
  TCellGradientDirection FGradientDirection = GradientVertical;
  TControl* FControl = nullptr;
};
