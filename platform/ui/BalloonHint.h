// A tool tip in the balloon style: a rounded box pointing at a place of its control, with a title
// (an icon before it) and a text. It stays until hidden, until the mouse moves on (the owner's
// code hides it), or until AutoHideDelay passed on the program clock.
#pragma once

#include "platform/ui/Controls.h"

#include <memory>
#include <string>

class TTimer;
class QWidget;

enum TBalloonIcon { bhNone, bhInfo, bhWarning, bhError };

class TBalloonHint : public TComponent {
public:
  explicit TBalloonHint(TComponent* AOwner);
  ~TBalloonHint() override;

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text) { FText = text; }
  TBalloonIcon Icon() const { return FIcon; }
  void SetIcon(TBalloonIcon icon) { FIcon = icon; }
  // Milliseconds: before the balloon shows after ShowAt, how long it stays (0: until hidden), and
  // before the next one shows when the mouse moves on from a shown one.
  int InitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(int ms) { FInitialDelay = std::max(0, ms); }
  int AutoHideDelay() const { return FAutoHideDelay; }
  void SetAutoHideDelay(int ms);
  int ReshowDelay() const { return FReshowDelay; }
  void SetReshowDelay(int ms) { FReshowDelay = std::max(0, ms); }
  // 0 (opaque) to 100 (invisible) percent.
  int Transparency() const { return FTransparency; }
  void SetTransparency(int percent);

  // Points the balloon at a client point of the control; it shows after InitialDelay (at once
  // for 0). Nothing shows for a control without a window or for an empty title and text.
  void ShowAt(TControl& control, TPoint clientPoint);
  // Shows a pending balloon now (what the initial delay's end does).
  void ShowNow();
  void Hide();
  bool Showing() const;
  bool Pending() const { return FPending; }
  // Screen rectangle of the balloon while it shows (empty otherwise); its tail ends at Anchor.
  TRect BoundsRect() const;
  TPoint Anchor() const { return FAnchor; }

  // The window, for rendering; nullptr until first shown.
  QWidget* Widget() const;

private:
  void TimerFired();
  std::string FTitle, FText;
  TBalloonIcon FIcon = bhNone;
  int FInitialDelay = 0;
  int FAutoHideDelay = 0;
  int FReshowDelay = 100;
  int FTransparency = 0;
  std::uint64_t FControlId = 0;
  TPoint FAnchor;
  bool FPending = false;
  TTimer* FTimer = nullptr;
  struct TWindow;
  std::unique_ptr<TWindow> FWindow;
};
