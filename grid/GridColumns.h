// Column definitions of the column grid: one item per real column (hidden ones included) with the
// column's header, look, editor, lists and print look, and the collection that keeps them in step
// with the grid's columns.
#pragma once

#include "grid/GridTypes.h"
#include "grid/IntList.h"
#include "platform/Collection.h"
#include "platform/StringList.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

#include <memory>
#include <string>

class TEditLink;
class TPopupMenu;
class TProColumnGrid;
class TGridColumnCollection;

enum TColumnPopupType {
  cpFixedCellsRClick,
  cpFixedCellsLClick,
  cpNormalCellsRClick,
  cpNormalCellsLClick,
  cpAllCellsRClick,
  cpAllCellsLClick
};
VELMARIC_ENUM_NAMES(TColumnPopupType, "cpFixedCellsRClick", "cpFixedCellsLClick", "cpNormalCellsRClick",
                    "cpNormalCellsLClick", "cpAllCellsRClick", "cpAllCellsLClick");
VELMARIC_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter");

// What a column hands the grid's drop-down, spin editor and edit link with each editor query: one
// block, so the query copies it in a few moves.
struct TColumnEditorSettings {
  int DropDownCount = 8;
  int SpinMin = 0, SpinMax = 0, SpinStep = 1;
  TEditLink* EditLink = nullptr;
};

class TGridColumnItem : public TCollectionItem {
public:
  // Inside a grid's collection the item takes the grid's colour and font; without one it keeps
  // the plain defaults.
  explicit TGridColumnItem(TCollection* Collection);
  ~TGridColumnItem() override;

  // Copies every setting but the popup type and the two print switches; anything but a column
  // item is ignored.
  void Assign(const TPersistent* Source) override;
  // The same without header, name, tag, combo items, drop-down count and header font; colour
  // and font come from the grid.
  void AssignVisuals(const TPersistent* Source);

  TProColumnGrid* Grid() const;

  int AutoMinSize() const { return FAutoMinSize; }
  void SetAutoMinSize(int Value) { FAutoMinSize = Value; }
  int AutoMaxSize() const { return FAutoMaxSize; }
  void SetAutoMaxSize(int Value) { FAutoMaxSize = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TCellBorders Borders() const { return FBorders; }
  void SetBorders(TCellBorders Value);
  TPen& BorderPen() { return FBorderPen; }
  const TPen& BorderPen() const { return FBorderPen; }
  void SetBorderPen(const TPen& Value) { FBorderPen.Assign(Value); }
  const std::string& CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const std::string& Value) { FCheckFalse = Value; }
  const std::string& CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const std::string& Value) { FCheckTrue = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TPopupMenu* ColumnPopup() const { return FColumnPopup; }
  void SetColumnPopup(TPopupMenu* Value) { FColumnPopup = Value; }
  TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
  void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
  TStringList& ComboItems() { return FComboItems; }
  const TStringList& ComboItems() const { return FComboItems; }
  void SetComboItems(const TStrings& Value) { FComboItems.Assign(Value); }
  int DropDownCount() const { return FEditorSettings.DropDownCount; }
  void SetDropDownCount(int Value) { FEditorSettings.DropDownCount = Value; }
  int EditLength() const { return FEditLength; }
  void SetEditLength(int Value) { FEditLength = Value; }
  TEditLink* EditLink() const { return FEditorSettings.EditLink; }
  void SetEditLink(TEditLink* Value) {
    FEditorSettings.EditLink = Value;
    NoteEditor();
  }
  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& Value) { FEditMask = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value);
  TStringList& Filter() { return FFilter; }
  const TStringList& Filter() const { return FFilter; }
  void SetFilter(const TStrings& Value) { FFilter.Assign(Value); }
  bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
  void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
  bool Fixed() const { return FFixed; }
  void SetFixed(bool Value);
  const std::string& FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const std::string& Value);
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& Value) { FFont.Assign(Value); }
  const std::string& Header() const { return FHeader; }
  void SetHeader(const std::string& Value);
  // Stores the header without writing the cell (the grid's header list changed).
  void StoreHeader(const std::string& Value) { FHeader = Value; }
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment Value);
  TFont& HeaderFont() { return FHeaderFont; }
  const TFont& HeaderFont() const { return FHeaderFont; }
  void SetHeaderFont(const TFont& Value);
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value; }
  int MaxSize() const { return FMaxSize; }
  void SetMaxSize(int Value) { FMaxSize = Value; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  bool Password() const { return FPassword; }
  void SetPassword(bool Value);
  bool PrintBorderCustom() const { return FPrintBorderCustom; }
  void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
  TCellBorders PrintBorders() const { return FPrintBorders; }
  void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
  TPen& PrintBorderPen() { return FPrintBorderPen; }
  const TPen& PrintBorderPen() const { return FPrintBorderPen; }
  void SetPrintBorderPen(const TPen& Value) { FPrintBorderPen.Assign(Value); }
  TColor PrintColor() const { return FPrintColor; }
  void SetPrintColor(TColor Value) { FPrintColor = Value; }
  bool PrintFontCustom() const { return FPrintFontCustom; }
  void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }
  TFont& PrintFont() { return FPrintFont; }
  const TFont& PrintFont() const { return FPrintFont; }
  void SetPrintFont(const TFont& Value) { FPrintFont.Assign(Value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ShowBands() const { return FShowBands; }
  void SetShowBands(bool Value);
  TSortStyle SortStyle() const { return FSortStyle; }
  void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
  const std::string& SortPrefix() const { return FSortPrefix; }
  void SetSortPrefix(const std::string& Value) { FSortPrefix = Value; }
  const std::string& SortSuffix() const { return FSortSuffix; }
  void SetSortSuffix(const std::string& Value) { FSortSuffix = Value; }
  int SpinMax() const { return FEditorSettings.SpinMax; }
  void SetSpinMax(int Value) { FEditorSettings.SpinMax = Value; }
  int SpinMin() const { return FEditorSettings.SpinMin; }
  void SetSpinMin(int Value) { FEditorSettings.SpinMin = Value; }
  int SpinStep() const { return FEditorSettings.SpinStep; }
  void SetSpinStep(int Value) { FEditorSettings.SpinStep = Value; }
  const TColumnEditorSettings& EditorSettings() const { return FEditorSettings; }
  // Not read-only and not fixed.
  bool Editable() const { return !FReadOnly && !FFixed; }
  // A spin or linked column: the grid's editors take its settings. Kept with editor and link.
  bool NeedsEditorSetup() const { return FNeedsEditorSetup; }
  // No lists, no editor to set up and no float format: an editor query only copies settings.
  bool PlainEditor() const { return !FNeedsEditorSetup && FComboItems.Empty() && FFloatFormat.empty(); }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  // The grid's width of the column (0 outside a grid); writing sets it there too.
  int Width() const;
  void SetWidth(int Value);
  // The width kept here, taken over from the grid when the user sizes.
  int StoredWidth() const { return FWidth; }
  void StoreWidth(int Value) { FWidth = Value; }

  // The column's index in the organisation the form set up.
  int DefIdx() const { return FDefIdx; }
  void SetDefIdx(int Value) { FDefIdx = Value; }

  // Cells of this column by row.
  std::string Rows(int ARow) const;
  void SetRows(int ARow, const std::string& Value);
  int Ints(int ARow) const;
  void SetInts(int ARow, int Value);
  double Floats(int ARow) const;
  void SetFloats(int ARow, double Value);
  double Dates(int ARow) const;
  void SetDates(int ARow, double Value);
  double Times(int ARow) const;
  void SetTimes(int ARow, double Value);

protected:
  std::string GetDisplayName() const override;

private:
  void CopyCommon(const TGridColumnItem& Src);
  void NoteEditor() {
    constexpr unsigned spins =
        1u << edSpinEdit | 1u << edFloatSpinEdit | 1u << edTimeSpinEdit | 1u << edDateSpinEdit;
    FNeedsEditorSetup =
        FEditorSettings.EditLink || (static_cast<unsigned>(FEditor) < 32 && (spins >> FEditor & 1u));
  }
  void CollectionUpdate();
  void RepaintGrid() const;

  int FAutoMinSize = 0, FAutoMaxSize = 0;
  TAlignment FAlignment = taLeftJustify;
  TCellBorders FBorders;
  TPen FBorderPen;
  std::string FCheckFalse = "N", FCheckTrue = "Y";
  TColor FColor = 0;
  TPopupMenu* FColumnPopup = nullptr;
  TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
  TStringList FComboItems;
  TColumnEditorSettings FEditorSettings;
  int FEditLength = 0;
  std::string FEditMask;
  TEditorType FEditor = edNormal;
  bool FNeedsEditorSetup = false;
  TStringList FFilter;
  bool FFilterCaseSensitive = false;
  bool FFixed = false;
  std::string FFloatFormat;
  TFont FFont;
  std::string FHeader;
  TAlignment FHeaderAlignment = taLeftJustify;
  TFont FHeaderFont;
  int FMinSize = 0, FMaxSize = 0;
  std::string FName;
  bool FPassword = false;
  bool FPrintBorderCustom = true;
  TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
  TPen FPrintBorderPen;
  TColor FPrintColor = clWhite;
  bool FPrintFontCustom = true;
  TFont FPrintFont;
  bool FReadOnly = false;
  bool FShowBands = false;
  TSortStyle FSortStyle = ssAutomatic;
  std::string FSortPrefix, FSortSuffix;
  int FTag = 0;
  int FWidth = 50;
  int FDefIdx = 0;
};

class TGridColumnCollection : public TCollection {
public:
  explicit TGridColumnCollection(TProColumnGrid* AOwner);

  // Raises EListError outside 0 .. Count - 1.
  TGridColumnItem* Items(int Index) const;
  TGridColumnItem* operator[](int Index) const { return Items(Index); }
  void SetItems(int Index, const TGridColumnItem* Value) { Items(Index)->Assign(Value); }
  // A new last item that takes the visual settings of the one before it.
  TGridColumnItem* Add();
  // A new item with the plain defaults.
  TGridColumnItem* Insert(int Index);
  TProColumnGrid* Grid() const { return FOwner; }
  virtual TCollection::TItemFactory GetItemClass() const;

  // Records each item's index as its place in the organisation.
  void SetOrganization();
  // Moves every column to the place its DefIdx names. Only a permutation of 0 .. Count - 1 is
  // applied; anything else (duplicates, indexes outside) leaves the order as it is.
  bool ResetOrganization();

  bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
  void SetNoRecursiveUpdate(bool Value) { FNoRecursiveUpdate = Value; }
  void Update(TCollectionItem* Item) override;

private:
  TProColumnGrid* FOwner;
  bool FNoRecursiveUpdate = false;
};
