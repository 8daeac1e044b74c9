// The laid-out form of mini-HTML text: lines of drawing steps with their positions, shared by the
// layout, the objects (images, controls, background) and the drawing of the renderer.
#pragma once

#include "controls/HTMLControlTags.h"
#include "platform/ui/Graphics.h"

#include <string>
#include <variant>
#include <vector>

class THTMLPicture;

enum class THTMLShift { None, Super, Sub };

struct THTMLTextOp {
  std::string Text; // as given to the text output: "&" prefixes kept
  TFont Font;
  TColor Background = clNone; // clNone: transparent
  THTMLShift Shift = THTMLShift::None;
  bool Shadow = false;
  bool Error = false;
  int Angle = 0; // degrees, counter-clockwise
  // Shortened with an ellipsis to this room (no word wrap); 0 for a run shown whole.
  int EllipsisRoom = 0;
};

struct THTMLImageOp {
  enum TSource { FromList, FromPicture };
  TSource Source = FromList;
  int Index = -1;                  // FromList
  THTMLPicture* Picture = nullptr; // FromPicture
  bool Stretched = false;          // a size was given
};

struct THTMLControlOp {
  THTMLControlTag Tag;
  int ControlHeight = 25; // HEIGHT, or 25
  int LayoutWidth = 0;
  int LayoutHeight = 0;
  TFont Font;
};

struct THTMLBulletOp {
  TFont Font;
  std::string Text;
};

// Fills the band of the line across the whole rectangle.
struct THTMLBandOp {
  TColor Color = clNone;
};

// Fills or tiles the whole rectangle.
struct THTMLBodyOp {
  TColor Color = clNone;
  THTMLPicture* Picture = nullptr;
};

// A one-pixel line under the line across the rectangle.
struct THTMLRuleOp {};

struct THTMLOp {
  int X = 0; // from the line's left
  int Width = 0;
  int Height = 0;
  int Anchor = 0; // 1-based number of the anchor it belongs to; 0 none
  std::variant<THTMLTextOp, THTMLImageOp, THTMLControlOp, THTMLBulletOp, THTMLBandOp, THTMLBodyOp,
               THTMLRuleOp>
      Item;
};

enum class THTMLAlign { Left, Right, Center };

struct THTMLLine {
  std::vector<THTMLOp> Ops;
  int Top = 0; // from the rectangle's top
  int Width = 0;
  int LineHeight = 0; // without the sub- and superscript room
  int SubRoom = 0;
  int SupRoom = 0;
  int TextRaise = 0; // text moved up to an image's top or middle
  THTMLAlign Align = THTMLAlign::Left;
  int Indent = 0;
  int Height() const { return LineHeight + SubRoom + SupRoom; }
};

struct THTMLAnchorInfo {
  std::string HRef;
  std::string Title;
};

struct THTMLLayout {
  std::vector<THTMLLine> Lines;
  std::vector<THTMLAnchorInfo> Anchors; // by number - 1
  std::string StrippedText;
  int Width = 0;
  int Height = 0;
};
