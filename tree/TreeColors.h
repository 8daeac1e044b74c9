// The colours a tree paints with: 17 values, each with a setter that repaints what it shows in.
#pragma once

#include "platform/Colors.h"

#include <array>

class TBaseNodeTree;

enum TVTColorIndex {
  vcDisabled,
  vcDropMark,
  vcDropTarget,
  vcFocusedSelection,
  vcGridLine,
  vcTreeLine,
  vcUnfocusedSelection,
  vcBorder,
  vcHot,
  vcFocusedSelectionBorder,
  vcUnfocusedSelectionBorder,
  vcDropTargetBorder,
  vcSelectionRectangleBlend,
  vcSelectionRectangleBorder,
  vcHeaderHot,
  vcSelectionText,
  vcUnfocused,
  vcColorCount,
};

class TVTColors {
public:
  explicit TVTColors(TBaseNodeTree* owner);

  TColor GetColor(TVTColorIndex index) const { return FColors[index]; }
  // Stores the colour; the owner repaints what shows it (the button bitmaps first for the line
  // colour, the frame only for the border colour).
  void SetColor(TVTColorIndex index, TColor value);
  // Copies all colours at once; the owner repaints unless it is inside an update.
  void Assign(const TVTColors& source);

  TColor DisabledColor() const { return FColors[vcDisabled]; }
  TColor DropMarkColor() const { return FColors[vcDropMark]; }
  TColor DropTargetColor() const { return FColors[vcDropTarget]; }
  TColor FocusedSelectionColor() const { return FColors[vcFocusedSelection]; }
  TColor GridLineColor() const { return FColors[vcGridLine]; }
  TColor TreeLineColor() const { return FColors[vcTreeLine]; }
  TColor UnfocusedSelectionColor() const { return FColors[vcUnfocusedSelection]; }
  TColor BorderColor() const { return FColors[vcBorder]; }
  TColor HotColor() const { return FColors[vcHot]; }
  TColor FocusedSelectionBorderColor() const { return FColors[vcFocusedSelectionBorder]; }
  TColor UnfocusedSelectionBorderColor() const { return FColors[vcUnfocusedSelectionBorder]; }
  TColor DropTargetBorderColor() const { return FColors[vcDropTargetBorder]; }
  TColor SelectionRectangleBlendColor() const { return FColors[vcSelectionRectangleBlend]; }
  TColor SelectionRectangleBorderColor() const { return FColors[vcSelectionRectangleBorder]; }
  TColor HeaderHotColor() const { return FColors[vcHeaderHot]; }
  TColor SelectionTextColor() const { return FColors[vcSelectionText]; }
  TColor UnfocusedColor() const { return FColors[vcUnfocused]; }
  // No framework styles here: the tree's own colour and font colour.
  TColor BackGroundColor() const;
  TColor NodeFontColor() const;

private:
  TBaseNodeTree* FOwner;
  std::array<TColor, vcColorCount> FColors;
};
