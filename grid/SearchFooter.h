// The search bar at the grid's foot: its look, texts and search options.
#pragma once

#include "grid/GridOptionTypes.h"
#include "platform/Colors.h"
#include "platform/Persistent.h"
#include "platform/ui/Graphics.h"

#include <string>

class TSearchFooter : public TPersistent {
public:
  // With InitDesign the captions and hints get their English texts; else they stay empty.
  TSearchFooter(TComponent* AOwner, bool InitDesign);

  // Every write of these fires OnChange.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& Value); // copied
  const std::string& FindNextCaption() const { return FFindNextCaption; }
  void SetFindNextCaption(const std::string& Value);
  const std::string& FindPrevCaption() const { return FFindPrevCaption; }
  void SetFindPrevCaption(const std::string& Value);
  const std::string& HighLightCaption() const { return FHighLightCaption; }
  void SetHighLightCaption(const std::string& Value);
  const std::string& MatchCaseCaption() const { return FMatchCaseCaption; }
  void SetMatchCaseCaption(const std::string& Value);
  const std::string& HintClose() const { return FHintClose; }
  void SetHintClose(const std::string& Value);
  const std::string& HintFindNext() const { return FHintFindNext; }
  void SetHintFindNext(const std::string& Value);
  const std::string& HintFindPrev() const { return FHintFindPrev; }
  void SetHintFindPrev(const std::string& Value);
  const std::string& HintHighlight() const { return FHintHighlight; }
  void SetHintHighlight(const std::string& Value);
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  // These fire OnChange only when the value changes.
  bool ShowFindNext() const { return FShowFindNext; }
  void SetShowFindNext(bool Value);
  bool ShowFindPrev() const { return FShowFindPrev; }
  void SetShowFindPrev(bool Value);
  bool ShowHighLight() const { return FShowHighLight; }
  void SetShowHighLight(bool Value);
  bool ShowMatchCase() const { return FShowMatchCase; }
  void SetShowMatchCase(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The search options only store.
  bool AlwaysHighLight() const { return FAlwaysHighLight; }
  void SetAlwaysHighLight(bool Value) { FAlwaysHighLight = Value; }
  bool AutoSearch() const { return FAutoSearch; }
  void SetAutoSearch(bool Value) { FAutoSearch = Value; }
  bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
  void SetSearchActiveColumnOnly(bool Value) { FSearchActiveColumnOnly = Value; }
  int SearchColumn() const { return FSearchColumn; }
  void SetSearchColumn(int Value) { FSearchColumn = Value; }
  bool SearchMatchStart() const { return FSearchMatchStart; }
  void SetSearchMatchStart(bool Value) { FSearchMatchStart = Value; }
  bool SearchFixedCells() const { return FSearchFixedCells; }
  void SetSearchFixedCells(bool Value) { FSearchFixedCells = Value; }
  bool SearchHiddenRows() const { return FSearchHiddenRows; }
  void SetSearchHiddenRows(bool Value) { FSearchHiddenRows = Value; }
  TSearchDirection SearchDirection() const { return FSearchDirection; }
  void SetSearchDirection(TSearchDirection Value) { FSearchDirection = Value; }
  const std::string& LastSearch() const { return FLastSearch; }
  void SetLastSearch(const std::string& Value) { FLastSearch = Value; }
  TComponent* Owner() const { return FOwner; }

  // Copies the look, texts, Show options, the search options but AutoSearch and SearchFixedCells,
  // Visible and the font, without OnChange; AutoThemeAdapt and LastSearch stay. Other sources are
  // ignored.
  void Assign(const TPersistent* Source) override;

  TNotifyEvent OnChange;

private:
  void Changed();
  void SetText(std::string& field, const std::string& Value);
  void SetIfChanged(bool& field, bool Value);
  TComponent* FOwner;
  bool FAlwaysHighLight = false;
  bool FAutoSearch = true;
  TColor FColor = 0xFFFFFF;
  TColor FColorTo = clBtnFace;
  std::string FFindNextCaption, FFindPrevCaption;
  TFont FFont;
  std::string FHighLightCaption, FHintClose, FHintFindNext, FHintFindPrev, FHintHighlight, FMatchCaseCaption;
  bool FSearchActiveColumnOnly = false;
  int FSearchColumn = -1;
  bool FSearchMatchStart = false;
  bool FSearchFixedCells = false;
  bool FSearchHiddenRows = false;
  TSearchDirection FSearchDirection = sdTopBottom;
  bool FShowClose = true;
  bool FShowFindNext = true;
  bool FShowFindPrev = true;
  bool FShowHighLight = true;
  bool FShowMatchCase = true;
  bool FVisible = false;
  bool FAutoThemeAdapt = false;
  std::string FLastSearch;
};
