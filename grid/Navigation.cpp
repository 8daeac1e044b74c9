#include "grid/Navigation.h"

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value) {
  if (FAdvanceDirection == Value) return;
  FAdvanceDirection = Value;
  if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool Value) {
  if (FAdvanceInsert == Value) return;
  FAdvanceInsert = Value;
  if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool Value) {
  if (FAdvanceAuto == Value) return;
  FAdvanceAuto = Value;
  if (Value) FAdvanceOnEnter = true;
}

void TNavigation::Assign(const TPersistent* Source) {
  auto* source = dynamic_cast<const TNavigation*>(Source);
  if (!source) return;
  bool keepScroll = FKeepScrollOnSort;
#define VELMARIC_COPY_OPTION(Type, Name, Default) F##Name = source->F##Name;
  VELMARIC_NAVIGATION_OPTIONS(VELMARIC_COPY_OPTION)
#undef VELMARIC_COPY_OPTION
  FKeepScrollOnSort = keepScroll;
  FAdvanceDirection = source->FAdvanceDirection;
  FAdvanceInsert = source->FAdvanceInsert;
  FAdvanceAuto = source->FAdvanceAuto;
}
