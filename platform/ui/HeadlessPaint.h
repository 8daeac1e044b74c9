// Watching paints in tests: which controls painted, how often, and which part of them. A paint
// is recorded when the control's paint runs, with the region it was asked to repaint.
//
//   Headless::TPaintObserver seen;
//   grid->SetCells(3, 4, "x");
//   Application->ProcessMessages();
//   EXPECT_EQ(seen.Regions(*grid), (std::vector<TRect>{grid->CellRect(3, 4)}));
#pragma once

#include "platform/ui/Types.h"

#include <vector>

class TControl;

namespace Headless {

struct TPaintRecord {
  const TControl* Control = nullptr;
  TRect Bounds;             // bounding box of the region, client coordinates
  std::vector<TRect> Rects; // the region as rectangles
};

// Records every paint while it lives; observers nest (the innermost records).
class TPaintObserver {
public:
  TPaintObserver();
  ~TPaintObserver();
  TPaintObserver(const TPaintObserver&) = delete;
  TPaintObserver& operator=(const TPaintObserver&) = delete;

  const std::vector<TPaintRecord>& Paints() const { return FPaints; }
  // Paints of one control, and the bounding box of each.
  int Count(const TControl& control) const;
  std::vector<TRect> Regions(const TControl& control) const;
  void Clear() { FPaints.clear(); }

  // Called by the paint path.
  static void Painted(const TControl& control, std::vector<TRect> rects);

private:
  std::vector<TPaintRecord> FPaints;
  TPaintObserver* FOuter = nullptr;
};

} // namespace Headless
