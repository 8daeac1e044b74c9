// A hint window of a control's own kind: a control that answers the hint request may name a
// window class (THintInfo::HintWindowClass) that sizes, places and draws the hint itself instead of
// the platform's tool tip. The window never takes the activation or the focus.
#pragma once

#include "platform/ui/Popup.h"

#include <functional>
#include <string>

class THintWindow : public TPopupForm {
public:
  explicit THintWindow(TComponent* AOwner);
  ~THintWindow() override;
  // The window's size for a hint (its top-left is ignored); empty shows nothing.
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, const void* AData);
  // Shows the hint at a screen rectangle.
  virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
  // Hides the window (the platform calls it when the hint goes).
  virtual void ReleaseHint();
  // The desktop the window is kept in (the primary screen).
  static TRect Desktop();
  // Repaints the hint now.
  void RepaintHint();

protected:
  // Draws the hint; the default fills with the info colour and writes the text.
  virtual void PaintHint(TCanvas& Canvas);
  std::string FHintText;

private:
  class THintSurface* FSurface = nullptr;
  friend class THintSurface;
};

// Makes the hint window of a request; the platform keeps one window per class for reuse.
using THintWindowClass = std::function<THintWindow*()>;
