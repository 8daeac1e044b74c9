// The columns of a tree: each splits the node rows into cells side by side, has a caption, a width
// within bounds and a display position that may differ from its index. The collection keeps the
// position map, navigates among visible columns and answers which column lies at an x coordinate.
#pragma once

#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/ui/Controls.h"
#include "tree/NodeTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBaseNodeTree;
class TBitmap;
class TStream;
class TVTHeader;
class TNodeTreeColumns;
class TVTHeaderPopupMenu;

using TColumnPosition = std::uint32_t;

enum TVTColumnOption {
  coAllowClick,
  coDraggable,
  coEnabled,
  coParentBidiMode,
  coParentColor,
  coResizable,
  coShowDropMark,
  coVisible,
  coAutoSpring,
  coFixed,
  coSmartResize,
  coAllowFocus,
  coDisableAnimatedResize,
  coWrapCaption,
  coUseCaptionAlignment,
  coEditable,
};
using TVTColumnOptions = TEnumSet<TVTColumnOption, std::uint16_t>;
inline constexpr TVTColumnOptions DefaultColumnOptions = TVTColumnOptions::FromBits(0x88FF);

enum TNodeTreeColumnStyle { vsText, vsOwnerDraw };
enum TVTHeaderColumnLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TNodeTreeColumn : public TCollectionItem {
public:
  explicit TNodeTreeColumn(TCollection* Collection);
  ~TNodeTreeColumn() override;

  TNodeTreeColumns* Owner() const;
  TVTHeader* Header() const;
  TBaseNodeTree* Tree() const;

  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // Left edge relative to the visible area: scrolled unless the column is visible and fixed.
  int Left() const;
  int UnscrolledLeft() const { return FLeft; }
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TColumnPosition Position() const { return FPosition; }
  void SetPosition(TColumnPosition Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  TNodeTreeColumnStyle Style() const { return FStyle; }
  void SetStyle(TNodeTreeColumnStyle Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  TVTHeaderColumnLayout Layout() const { return FLayout; }
  void SetLayout(TVTHeaderColumnLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TVTColumnOptions Options() const { return FOptions; }
  void SetOptions(TVTColumnOptions Value);
  bool Has(TVTColumnOption o) const { return FOptions.Has(o); }
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The caption's alignment: its own with coUseCaptionAlignment, else the cells'.
  TAlignment CaptionAlignment() const;
  void SetCaptionAlignment(TAlignment Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int LastWidth() const { return FLastWidth; }
  bool BonusPixel() const { return FBonusPixel; }
  float SpringRest() const { return FSpringRest; }
  // The caption as last laid out (wrapped or shortened); empty means laid out anew.
  const std::string& CaptionText() const { return FCaptionText; }
  bool CheckBox() const { return FCheckBox; }
  void SetCheckBox(bool Value);
  TCheckType CheckType() const { return FCheckType; }
  void SetCheckType(TCheckType Value);
  TCheckState CheckState() const { return FCheckState; }
  void SetCheckState(TCheckState Value);
  TSortDirection DefaultSortDirection() const { return FDefaultSortDirection; }
  void SetDefaultSortDirection(TSortDirection Value) { FDefaultSortDirection = Value; }
  // Where the glyph or check control was painted last (header coordinates).
  const TRect& ImageRect() const { return FImageRect; }
  bool HasImage() const { return FHasImage; }

  // The header rectangle of the column, unscrolled (window coordinates of the header).
  TRect GetRect() const;
  void GetUnscrolledEdges(int& ALeft, int& ARight) const;
  void ParentBiDiModeChanged();
  void ParentColorChanged();
  void RestoreLastWidth();
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  void Assign(const TPersistent* Source) override;
  bool Equals(const TNodeTreeColumn& Other) const;
  // Raises EReadError on a short or damaged record, before anything of it is applied.
  void LoadFromStream(TStream& Stream, int Version);
  void SaveToStream(TStream& Stream) const;

protected:
  std::string GetDisplayName() const override;

private:
  friend class TNodeTreeColumns;
  friend class TVTHeader;
  bool IsVisibleFixed() const { return FOptions.Has(coVisible) && FOptions.Has(coFixed); }
  void ChangedSelf() { Changed(false); }

  std::string FText, FHint, FCaptionText;
  int FLeft = 0;
  int FWidth = 50;
  TColumnPosition FPosition = 0;
  int FMinWidth = 10;
  int FMaxWidth = 10000;
  TNodeTreeColumnStyle FStyle = vsText;
  int FImageIndex = -1;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TVTHeaderColumnLayout FLayout = blGlyphLeft;
  int FMargin = 4;
  int FSpacing = 3;
  TVTColumnOptions FOptions = DefaultColumnOptions;
  std::intptr_t FTag = 0;
  TAlignment FAlignment = taLeftJustify;
  TAlignment FCaptionAlignment = taLeftJustify;
  int FLastWidth = 50;
  TColor FColor = clWindow;
  bool FBonusPixel = false;
  float FSpringRest = 0;
  bool FCheckBox = false;
  TCheckType FCheckType = ctCheckBox;
  TCheckState FCheckState = csUncheckedNormal;
  TRect FImageRect;
  bool FHasImage = false;
  TSortDirection FDefaultSortDirection = sdAscending;
};

class TNodeTreeColumns : public TCollection {
public:
  explicit TNodeTreeColumns(TVTHeader* AOwner);
  ~TNodeTreeColumns() override;

  TNodeTreeColumn* Add() { return static_cast<TNodeTreeColumn*>(TCollection::Add()); }
  // The column with this index; raises for an index outside 0 .. Count - 1.
  TNodeTreeColumn* Items(TColumnIndex Index) const;
  TNodeTreeColumn* operator[](TColumnIndex Index) const { return Items(Index); }
  TVTHeader* Header() const { return FHeader; }
  TBaseNodeTree* Tree() const;
  TColumnIndex ClickIndex() const { return FClickIndex; }
  TColumnIndex TrackIndex() const { return FTrackIndex; }
  TColumnIndex HoverIndex() const { return FHoverIndex; }
  TColumnIndex DownIndex() const { return FDownIndex; }
  TColumnIndex DragIndex() const { return FDragIndex; }
  TColumnIndex DropTarget() const { return FDropTarget; }
  bool DropBefore() const { return FDropBefore; }
  bool CheckBoxHit() const { return FCheckBoxHit; }
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value) { FDefaultWidth = Value; }
  const std::vector<TColumnIndex>& PositionToIndex() const { return FPositionToIndex; }
  TBitmap& HeaderBitmap() { return *FHeaderBitmap; }
  TVTHeaderPopupMenu* ColumnPopupMenu() const { return FColumnPopupMenu.get(); }

  void Clear();
  void Assign(const TPersistent* Source) override;
  bool Equals(const TNodeTreeColumns& Other) const;

  // ---- navigation (-2 when there is nothing more)
  TColumnIndex GetFirstColumn() const;
  TColumnIndex GetNextColumn(TColumnIndex Column) const;
  TColumnIndex GetPreviousColumn(TColumnIndex Column) const;
  TColumnIndex GetFirstVisibleColumn(bool ConsiderAllowFocus = false) const;
  TColumnIndex GetLastVisibleColumn(bool ConsiderAllowFocus = false) const;
  TColumnIndex GetNextVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;
  TColumnIndex GetPreviousVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;
  std::vector<TNodeTreeColumn*> GetVisibleColumns() const;
  bool IsValidColumn(TColumnIndex Column) const { return Column >= 0 && Column < Count(); }

  // ---- geometry (header coordinates: y from the header's top)
  TColumnIndex ColumnFromPosition(TPoint P, bool Relative = true) const;
  TColumnIndex ColumnFromPosition(TColumnPosition PositionIndex) const;
  TColumnIndex ColumnAndEdgesAt(TPoint P, int& ALeft, bool Relative, int& ARight) const;
  void GetColumnBounds(TColumnIndex Column, int& ALeft, int& ARight) const;
  int GetVisibleFixedWidth() const;
  int GetScrollWidth() const;
  int TotalWidth() const;

  // ---- streams
  void LoadFromStream(TStream& Stream, int Version);
  void SaveToStream(TStream& Stream) const;

  // ---- sizing
  void AnimatedResize(TColumnIndex Column, int NewWidth);
  // Makes the auto-size column fill what the other visible columns leave of the client width.
  void FitAutoSizeColumn(bool Force);
  void RecalcColumnLefts(bool Force);
  void RebuildPositionMap();
  void ResetPositionOrder(bool RightToLeft);

  // ---- header painting into the off-screen bitmap (HOffset: the negative scroll offset)
  void PaintHeader(TCanvas& Target, const TRect& R, int HOffset);
  void PaintHeader(TCanvas& TargetCanvas, TRect R, TPoint Target, int RTLOffset);

  // ---- mouse
  virtual void ProcessHeaderClick(TPoint P, TMouseButton Button, bool Force, bool DblClick);
  TColumnIndex PressColumn(TPoint P);
  bool UpdateHoverColumn(TPoint P);
  bool CanSizeColumn(TColumnIndex Index, TPoint P);
  // Invalidates the cell of a column (nothing for an index below 0).
  void InvalidateColumn(TColumnIndex Index, bool ExpandToBorder = false) const;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
  virtual bool DoCanSplitterResizeColumn(TPoint P, TColumnIndex Column);

private:
  friend class TNodeTreeColumn;
  friend class TVTHeader;
  void SyncPositionMapLength();
  void MovePositionEntry(TNodeTreeColumn* Column, TColumnPosition Target);
  void RemoveFromPositionMap(TColumnIndex Index);
  void PaintCell(TCanvas& Canvas, TNodeTreeColumn& Column, TColumnIndex Index, const TRect& Cell,
                 bool ShowRightBorder, bool Advanced, bool Plain, void* Info);

  TVTHeader* FHeader;
  std::unique_ptr<TBitmap> FHeaderBitmap;
  TColumnIndex FHoverIndex = NoColumn, FDownIndex = NoColumn, FTrackIndex = NoColumn, FClickIndex = NoColumn;
  bool FCheckBoxHit = false;
  std::vector<TColumnIndex> FPositionToIndex;
  int FDefaultWidth = 50;
  bool FNeedPositionsFix = false;
  bool FClearing = false;
  std::unique_ptr<TVTHeaderPopupMenu> FColumnPopupMenu;
  TColumnIndex FDragIndex = NoColumn, FDropTarget = NoColumn;
  bool FDropBefore = false;
};

// Bounds of the fixed area: the width percents bound the visible fixed columns' total width in per
// cent of the client width, the height percents the header height.
class TVTFixedAreaConstraints : public TPersistent {
public:
  explicit TVTFixedAreaConstraints(TVTHeader* AOwner) : FHeader(AOwner) {}
  int MaxHeightPercent() const { return FMaxHeightPercent; }
  int MaxWidthPercent() const { return FMaxWidthPercent; }
  int MinHeightPercent() const { return FMinHeightPercent; }
  int MinWidthPercent() const { return FMinWidthPercent; }
  void SetMaxHeightPercent(int Value);
  void SetMaxWidthPercent(int Value);
  void SetMinHeightPercent(int Value);
  void SetMinWidthPercent(int Value);
  void Assign(const TPersistent* Source) override;
  std::function<void(TObject* Sender)> OnChange;

private:
  friend class TVTHeader;
  friend class TNodeTreeColumn;
  void Change();
  TVTHeader* FHeader;
  std::uint8_t FMaxHeightPercent = 0, FMaxWidthPercent = 0, FMinHeightPercent = 0, FMinWidthPercent = 0;
};
