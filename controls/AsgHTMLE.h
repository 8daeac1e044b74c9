// The mini-HTML renderer: lays mark-up text out in a rectangle, draws it, measures it and finds
// what lies under a point (an anchor, an image in an anchor, an embedded control). It keeps no
// state between calls apart from the highlight colours (AsgHTMLEColors.h).
//
//   <B> <I> <U> <S> bold, italic, underline, strike-out     <BR> <HR> line break, rule
//   <A HREF="..." TITLE="..."> anchor                        <FONT FACE COLOR BGCOLOR SIZE>
//   <P ALIGN INDENT BGCOLOR> paragraph   <UL><LI> lists       <IND x="n"> move to n pixels
//   <SUB> <SUP> <SHAD> <HI> <E> <Z> <BLINK> <R a="deg">      <IMG SRC WIDTH HEIGHT ALIGN>
//   <BODY BGCOLOR BACKGROUND>            <CONTROL TYPE ID VALUE WIDTH HEIGHT>
//
// The canvas's font is the base font and its brush colour the background; pen, brush and font
// are as before when DrawHTML returns. Texts are UTF-8.
#pragma once

#include "controls/AsgHTMLEColors.h"
#include "platform/ui/Graphics.h"

#include <string>
#include <string_view>

class TControl;
class TImageList;
class TPictureContainer;
class THTMLPictureCache;

struct THTMLDrawParams {
  TImageList* Images = nullptr; // "IDX:n" images
  // The point to hit-test, -1 for none.
  int X = -1;
  int Y = -1;
  int FocusLink = -1; // 0-based number of the anchor with the keyboard focus
  int HoverLink = -1; // 1-based number of the anchor under the mouse
  int ShadowOffset = 1;
  bool HitTestOnly = false; // lay out and hit-test, draw nothing
  bool MeasureOnly = false; // lay out every line, draw nothing
  bool Print = false;       // image-list pictures stretched by ScaleFactor
  bool Selected = false;    // on a selection background: no colours from tags and anchors
  bool BlinkPhase = true;   // false hides BLINK text
  bool HoverStyle = false;  // only the hovered anchor is underlined and takes the hover colours
  bool WordWrap = true;     // without: one line, ending in an ellipsis where it overflows
  bool MouseDown = false;   // an embedded button under the point is drawn pressed
  double ScaleFactor = 1.0;
  TColor URLColor = clBlue;
  TColor HoverColor = clNone;     // background of the hovered anchor
  TColor HoverFontColor = clNone; // text of the hovered anchor
  TColor ShadowColor = clGray;
  TPictureContainer* PictureContainer = nullptr;
  THTMLPictureCache* PictureCache = nullptr;
  // 0 left to right; on a right-to-left locale 1 mirrors the alignment, any other value sets
  // right-to-left reading.
  int BiDiMode = 0;
  // The caller's window; the themes of embedded controls are opened for it. May be null.
  const TControl* Window = nullptr;
  // With HitTestOnly and not empty: the embedded control with this ID is reported wherever the
  // point lies.
  std::string ControlID;
};

struct THTMLDrawResult {
  // The anchor under the point: its HREF ("ctrl" for an embedded control) and TITLE, its
  // 1-based number and the rectangle of its part on the line that was hit.
  std::string AnchorHRef;
  std::string AnchorTitle;
  int MouseLink = -1;
  TRect MouseRect{};
  std::string FocusAnchor;  // HREF of the focused anchor
  std::string StrippedText; // the visible text, a CR for each BR
  int XSize = 0;            // width of the widest line
  int YSize = 0;            // total height
  int HyperLinks = 0;       // anchors met
  // The embedded control under the point (or the one asked for by ID).
  TRect ControlRect{};
  std::string ControlID;
  std::string ControlValue;
  std::string ControlType;
};

// Lays the mark-up out in `rect` and draws it (unless HitTestOnly or MeasureOnly). True when
// the point hit an anchor, an image inside an anchor or an embedded control.
bool DrawHTML(TCanvas& canvas, std::string_view text, const TRect& rect, const THTMLDrawParams& params,
              THTMLDrawResult& result);

// Whether the user's locale reads right to left; the locales of this platform do not.
bool SysLocaleRightToLeft();
// Text-output flags for a BiDi mode: on a right-to-left locale mode 1 swaps left and right
// alignment (centred stays), and any non-zero mode adds DT_RTLREADING.
unsigned BiDiDrawTextFlags(unsigned flags, int bidiMode, bool rightToLeftLocale = SysLocaleRightToLeft());

// Whether the system is Windows XP or later as the style probes answer; computed once at first
// use, again by CheckWinXPOrLater. Embedded controls draw themed only then and with themes on.
bool CheckWinXPOrLater();
bool HTMLWinXPOrLater();
bool HTMLThemedControls();
