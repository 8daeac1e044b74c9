// Types of the glow button, its fade stepper and the routine that draws its face.
#pragma once

#include "platform/Colors.h"
#include "platform/ui/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

#include <memory>
#include <string>

class TTimer;

enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbColorStyle {
  lcsCustom,
  lcsGold,
  lcsChrome,
  lcsBlue,
  lcsRed,
  lcsUltraFlat1,
  lcsUltraFlat2,
  lcsUltraFlatXP,
  lcsAqua,
  lcsDefault,
  lcsQuicken
};
enum TLbButtonKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Key colour of the see-through styles (bsModern, bsShape, bsQuicken).
constexpr TColor LbKeyColor = RGB(255, 0, 255);
// Pause between two fade steps.
constexpr unsigned LbFadeIntervalMs = 30;
// Strength of the hot colour in steps; 8 is the full hot colour.
constexpr int LbHotTrackSteps = 8;

// Steps the hot colour of a button down after the mouse left it. Created suspended; while
// resumed it calls FNotify every 30 ms on the program clock (a timer of the UI thread, so the
// button's fields are only ever touched there).
class TLbButtonThread : public TObject {
public:
  explicit TLbButtonThread(TNotifyEvent notify);
  ~TLbButtonThread();
  TLbButtonThread(const TLbButtonThread&) = delete;
  TLbButtonThread& operator=(const TLbButtonThread&) = delete;

  bool Suspended() const;
  void Resume();
  void Suspend();
  // Ends the stepping for good; Resume does nothing afterwards.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Calls FNotify with the stepper as sender (one step).
  void DoEvent();

private:
  TNotifyEvent FNotify;
  std::unique_ptr<TTimer> FTimer; // made when first resumed
  bool FTerminated = false;
};

// Everything the face routine needs to draw a button.
struct TLbButtonPaintState {
  int Width = 0;
  int Height = 0;
  int HotTrackStep = 0;
  const TBitmap* Glyph = nullptr; // may be null or empty
  int NumGlyphs = 0;
  bool Pressed = false;
  bool Hot = false; // mouse over the button or focused
  bool Enabled = true;
  bool Flat = false;
  bool WordWrap = false;
  bool HasPopupMenu = false;
  TLbButtonStyle Style = bsNormal;
  TColor Color = clBtnFace;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor LightColor = RGB(255, 255, 255);
  TColor ShadowColor = RGB(128, 128, 128);
  TFont Font;
  TLbButtonLayout Layout = blGlyphLeft;
  std::string Caption;
  TAlignment Alignment = taCenter;
};

// Draws face, border, glyph, caption and drop-down arrow of a button onto `canvas`.
void DrawLbButtonFace(TCanvas& canvas, const TLbButtonPaintState& s);

// Blend of `base` and `hot` by `step` eighths, per channel, rounded.
TColor LbBlendHot(TColor base, TColor hot, int step);
// Index of the glyph frame drawn in a state (see DrawLbButtonFace).
int LbGlyphFrame(int numGlyphs, bool enabled, bool pressed, bool hot);
// The caption cut from its end until its width fits `width` on the canvas (no ellipsis).
std::string LbFitCaption(const TCanvas& canvas, const std::string& caption, int width);
