#include "grid/SearchFooter.h"

TSearchFooter::TSearchFooter(TComponent* AOwner, bool InitDesign) : FOwner(AOwner) {
  if (!InitDesign) return;
  FFindPrevCaption = "Find &previous";
  FFindNextCaption = "Find &next";
  FMatchCaseCaption = "Match case";
  FHighLightCaption = "Highlight";
  FHintClose = "Close";
  FHintFindNext = "Find next occurrence";
  FHintFindPrev = "Find previous occurrence";
  FHintHighlight = "Highlight occurrences";
}

void TSearchFooter::Changed() {
  if (OnChange) OnChange(this);
}

void TSearchFooter::SetText(std::string& field, const std::string& Value) {
  field = Value;
  Changed();
}

void TSearchFooter::SetIfChanged(bool& field, bool Value) {
  if (field == Value) return;
  field = Value;
  Changed();
}

void TSearchFooter::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}

void TSearchFooter::SetColorTo(TColor Value) {
  FColorTo = Value;
  Changed();
}

void TSearchFooter::SetFont(const TFont& Value) {
  FFont.Assign(Value);
  Changed();
}

void TSearchFooter::SetFindNextCaption(const std::string& Value) {
  SetText(FFindNextCaption, Value);
}
void TSearchFooter::SetFindPrevCaption(const std::string& Value) {
  SetText(FFindPrevCaption, Value);
}
void TSearchFooter::SetHighLightCaption(const std::string& Value) {
  SetText(FHighLightCaption, Value);
}
void TSearchFooter::SetMatchCaseCaption(const std::string& Value) {
  SetText(FMatchCaseCaption, Value);
}
void TSearchFooter::SetHintClose(const std::string& Value) {
  SetText(FHintClose, Value);
}
void TSearchFooter::SetHintFindNext(const std::string& Value) {
  SetText(FHintFindNext, Value);
}
void TSearchFooter::SetHintFindPrev(const std::string& Value) {
  SetText(FHintFindPrev, Value);
}
void TSearchFooter::SetHintHighlight(const std::string& Value) {
  SetText(FHintHighlight, Value);
}

void TSearchFooter::SetShowClose(bool Value) {
  FShowClose = Value;
  Changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  Changed();
}

void TSearchFooter::SetShowFindNext(bool Value) {
  SetIfChanged(FShowFindNext, Value);
}
void TSearchFooter::SetShowFindPrev(bool Value) {
  SetIfChanged(FShowFindPrev, Value);
}
void TSearchFooter::SetShowHighLight(bool Value) {
  SetIfChanged(FShowHighLight, Value);
}
void TSearchFooter::SetShowMatchCase(bool Value) {
  SetIfChanged(FShowMatchCase, Value);
}
void TSearchFooter::SetVisible(bool Value) {
  SetIfChanged(FVisible, Value);
}

void TSearchFooter::Assign(const TPersistent* Source) {
  auto* s = dynamic_cast<const TSearchFooter*>(Source);
  if (!s) return;
  FAlwaysHighLight = s->FAlwaysHighLight;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FFindNextCaption = s->FFindNextCaption;
  FFindPrevCaption = s->FFindPrevCaption;
  FHighLightCaption = s->FHighLightCaption;
  FMatchCaseCaption = s->FMatchCaseCaption;
  FHintClose = s->FHintClose;
  FHintFindNext = s->FHintFindNext;
  FHintFindPrev = s->FHintFindPrev;
  FHintHighlight = s->FHintHighlight;
  FShowClose = s->FShowClose;
  FShowFindNext = s->FShowFindNext;
  FShowFindPrev = s->FShowFindPrev;
  FShowHighLight = s->FShowHighLight;
  FShowMatchCase = s->FShowMatchCase;
  FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
  FSearchMatchStart = s->FSearchMatchStart;
  FSearchColumn = s->FSearchColumn;
  FSearchDirection = s->FSearchDirection;
  FSearchHiddenRows = s->FSearchHiddenRows;
  FVisible = s->FVisible;
  FFont.Assign(s->FFont);
}
