#include "grid/GridSettings.h"

void TColumnSize::SetStretch(bool Value) {
  FStretch = Value;
  if (OnStretchChange) OnStretchChange(this);
}

void TColumnSize::Assign(const TPersistent* Source) {
  auto* o = dynamic_cast<const TColumnSize*>(Source);
  if (!o) return;
  FRows = o->FRows;
  FSave = o->FSave;
  FKey = o->FKey;
  FSection = o->FSection;
  FStretch = o->FStretch;
  FStretchColumn = o->FStretchColumn;
  FSynchWithGrid = o->FSynchWithGrid;
  FSynchNormalCellsOnly = o->FSynchNormalCellsOnly;
  FLocation = o->FLocation;
}

void TSizeWhileTyping::Assign(const TPersistent* Source) {
  auto* o = dynamic_cast<const TSizeWhileTyping*>(Source);
  if (!o) return;
  FHeight = o->FHeight;
  FWidth = o->FWidth;
}

void THTMLSettings::Assign(const TPersistent* Source) {
  auto* o = dynamic_cast<const THTMLSettings*>(Source);
  if (!o) return;
  bool images = FExportImages;
#define VELMARIC_HTML_COPY(T, N, D) F##N = o->F##N;
  VELMARIC_HTML_SETTINGS(VELMARIC_HTML_COPY)
#undef VELMARIC_HTML_COPY
  FExportImages = images;
}

void TDragScrollOptions::Assign(const TPersistent* Source) {
  auto* o = dynamic_cast<const TDragScrollOptions*>(Source);
  if (!o) return;
  *this = *o;
}
