#include "app/Composition.h"

namespace {

TComposition& Current() {
  static TComposition composition;
  return composition;
}

} // namespace

void Set_Composition(const TComposition& composition) {
  Current() = composition;
}

const TComposition& Composition() {
  return Current();
}
