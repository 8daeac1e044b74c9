// The arrows that mark where a dragged column or row will be dropped: small lime windows cut to
// the arrow's outline.
#pragma once

#include "grid/GridOptionTypes.h"
#include "platform/ui/Controls.h"

#include <array>

class TArrowWindow : public TCustomControl {
public:
  // Lime, hidden, a child of the owner when it is a windowed control.
  TArrowWindow(TWinControl* AOwner, TArrowDirection direction);

  TArrowDirection Dir() const { return FDir; }
  // The outline in window coordinates; arrLeft points right and arrRight left, as they stand
  // beside their target.
  const std::array<TPoint, 7>& Arrow() const { return FArrow; }

protected:
  void Paint() override;

private:
  TArrowDirection FDir;
  std::array<TPoint, 7> FArrow;
};
