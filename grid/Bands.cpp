#include "grid/Bands.h"

void TBands::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (OnChange) OnChange(this);
}

void TBands::ChangedWhileActive() {
  if (FActive && OnChange) OnChange(this);
}

void TBands::SetPrimaryColor(TColor Value) {
  if (FPrimaryColor == Value) return;
  FPrimaryColor = Value;
  ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor Value) {
  if (FSecondaryColor == Value) return;
  FSecondaryColor = Value;
  ChangedWhileActive();
}

void TBands::SetPrimaryLength(int Value) {
  if (FPrimaryLength == Value) return;
  FPrimaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  ChangedWhileActive();
}

void TBands::SetSecondaryLength(int Value) {
  if (FSecondaryLength == Value) return;
  FSecondaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  ChangedWhileActive();
}

void TBands::Assign(const TPersistent* Source) {
  auto* s = dynamic_cast<const TBands*>(Source);
  if (!s) return;
  FActive = s->FActive;
  FPrimaryColor = s->FPrimaryColor;
  FPrimaryLength = s->FPrimaryLength;
  FSecondaryColor = s->FSecondaryColor;
  FSecondaryLength = s->FSecondaryLength;
  FPrint = s->FPrint;
  FTotalLength = FPrimaryLength + FSecondaryLength; // the painter reads the sum
}
