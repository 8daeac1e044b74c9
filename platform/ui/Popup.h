// Pop-up windows (drop-down lists, filter lists, balloons): borderless, above the other windows,
// never taking the activation from the form they belong to, closing on a click outside or on
// Escape, and placed inside the screen's work area.
//
//   auto* list = new TPopupForm(edit);                  // children as on any form
//   list->OnPopupClose = [](TObject*, bool cancelled) { ... };
//   list->PopupFor(Rect(p.X, p.Y, p.X + edit->Width(), p.Y + edit->Height()));  // under the edit
#pragma once

#include "platform/ui/Forms.h"

#include <cstdint>
#include <functional>

// The work area (the screen without task bars and docks) of the screen nearest to a point, and of
// the primary screen.
TRect WorkAreaAt(TPoint screenPoint);
TRect WorkArea();

// Where a window of `size` goes for an anchor rectangle (screen coordinates): below the anchor,
// or above it when only there it fits; then moved (and, when larger, cut) into the work area.
TRect PlacePopup(const TRect& anchor, TSize size, const TRect& workArea);

class TPopupForm : public TForm {
public:
  explicit TPopupForm(TComponent* AOwner);
  ~TPopupForm() override;

  // Shows the pop-up at the bounds (screen coordinates) moved into the work area; it does not
  // take the activation or the focus.
  void PopupAt(const TRect& bounds);
  // Shows it below (or above) the anchor rectangle in screen coordinates, with its current size.
  void PopupFor(const TRect& anchor);
  // Hides it and fires OnPopupClose; nothing when it is not shown.
  void ClosePopup(bool cancelled);
  bool PoppedUp() const { return FPoppedUp; }

  // Whether a close by a click outside counts as cancelled (Escape always does). Default true.
  bool CancelOnOutsideClick() const { return FCancelOnOutsideClick; }
  void SetCancelOnOutsideClick(bool cancel) { FCancelOnOutsideClick = cancel; }
  // Program clock time (ms) of the last close by a click outside; 0 before any. A click on the
  // control that opens the pop-up closes it first and may then want to ignore itself.
  std::int64_t OutsideCloseTime() const { return FOutsideCloseTime; }

  // Fired after the pop-up was hidden.
  std::function<void(TObject* Sender, bool Cancelled)> OnPopupClose;

protected:
  bool ActivatesOnShow() const override { return false; }
  // Hidden by other means (Hide, Close): it stops watching clicks and keys, without OnPopupClose.
  void DoHide() override;

private:
  friend class TPopupWatch;
  void ApplyPopupFlags();
  bool FPoppedUp = false;
  bool FCancelOnOutsideClick = true;
  std::int64_t FOutsideCloseTime = 0;
};
