#include "platform/ui/HeadlessPaint.h"

#include <algorithm>

namespace Headless {

namespace {
TPaintObserver*& Current() {
  static TPaintObserver* current = nullptr;
  return current;
}
} // namespace

TPaintObserver::TPaintObserver() : FOuter(Current()) {
  Current() = this;
}

TPaintObserver::~TPaintObserver() {
  Current() = FOuter;
}

int TPaintObserver::Count(const TControl& control) const {
  return static_cast<int>(std::count_if(FPaints.begin(), FPaints.end(),
                                        [&](const TPaintRecord& p) { return p.Control == &control; }));
}

std::vector<TRect> TPaintObserver::Regions(const TControl& control) const {
  std::vector<TRect> out;
  for (const TPaintRecord& p : FPaints)
    if (p.Control == &control) out.push_back(p.Bounds);
  return out;
}

void TPaintObserver::Painted(const TControl& control, std::vector<TRect> rects) {
  TPaintObserver* o = Current();
  if (!o) return;
  TPaintRecord record;
  record.Control = &control;
  for (const TRect& r : rects) {
    if (record.Bounds.IsEmpty()) {
      record.Bounds = r;
      continue;
    }
    record.Bounds.Left = std::min(record.Bounds.Left, r.Left);
    record.Bounds.Top = std::min(record.Bounds.Top, r.Top);
    record.Bounds.Right = std::max(record.Bounds.Right, r.Right);
    record.Bounds.Bottom = std::max(record.Bounds.Bottom, r.Bottom);
  }
  record.Rects = std::move(rects);
  o->FPaints.push_back(std::move(record));
}

} // namespace Headless
