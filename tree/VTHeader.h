// The header of a tree: the optional row of column captions above the nodes. It owns the columns,
// keeps its height within bounds, the main, auto-size and sort columns, its options and the states
// that the mouse drives, and stores its layout in a binary stream of its own.
#pragma once

#include "platform/Persistent.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Messages.h"
#include "tree/VTColumns.h"
#include "tree/VTHeaderEvents.h"

#include <cstdint>
#include <memory>

class TImageList;
class TPopupMenu;

enum TVTHeaderOption {
  hoAutoResize,
  hoColumnResize,
  hoDblClickResize,
  hoDrag,
  hoHotTrack,
  hoOwnerDraw,
  hoRestrictDrag,
  hoShowHint,
  hoShowImages,
  hoShowSortGlyphs,
  hoVisible,
  hoAutoSpring,
  hoFullRepaintOnResize,
  hoDisableAnimatedResize,
  hoHeightResize,
  hoHeightDblClickResize,
  hoHeaderClickAutoSort,
  hoAutoColumnPopupMenu,
};
using TVTHeaderOptions = TEnumSet<TVTHeaderOption, std::uint32_t>;
inline constexpr TVTHeaderOptions DefaultHeaderOptions{hoColumnResize, hoDrag, hoShowSortGlyphs};
inline constexpr std::uint32_t HeaderOptionBits = (1u << 18) - 1;

enum THeaderState {
  hsAutoSizing,
  hsDragging,
  hsDragPending,
  hsLoading,
  hsColumnWidthTracking,
  hsColumnWidthTrackPending,
  hsHeightTracking,
  hsHeightTrackPending,
  hsResizing,
  hsScaling,
  hsNeedScaling,
};
using THeaderStates = TEnumSet<THeaderState, std::uint16_t>;

enum TVTHeaderStyle { hsThickButtons, hsFlatButtons, hsPlates };
enum TSmartAutoFitType : int { smaAllColumns, smaNoColumn, smaUseColumnOption };

// The header lives in the tree's non-client area: its mouse messages carry screen points.
constexpr unsigned WM_SETCURSOR = 0x0020, WM_NCMOUSEMOVE = 0x00A0, WM_NCLBUTTONDOWN = 0x00A1,
                   WM_NCLBUTTONUP = 0x00A2, WM_NCLBUTTONDBLCLK = 0x00A3, WM_NCRBUTTONDOWN = 0x00A4,
                   WM_NCRBUTTONUP = 0x00A5, WM_NCRBUTTONDBLCLK = 0x00A6, WM_NCMBUTTONDOWN = 0x00A7,
                   WM_NCMBUTTONUP = 0x00A8, WM_NCMBUTTONDBLCLK = 0x00A9;
// The tree window's timer that clears the hot header cell once the mouse has left the header.
constexpr unsigned HeaderHoverTimer = 3;

// The version the header stream is written with.
constexpr int HeaderStreamVersion = 6;

class TVTHeader : public TPersistent {
public:
  explicit TVTHeader(TBaseNodeTree* AOwner);
  ~TVTHeader() override;

  TBaseNodeTree* Treeview() const { return FOwner; }
  TNodeTreeColumns& Columns() { return *FColumns; }
  const TNodeTreeColumns& Columns() const { return *FColumns; }
  void SetColumns(const TNodeTreeColumns& Value) { FColumns->Assign(&Value); }
  bool UseColumns() const { return FColumns->Count() > 0; }

  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value);
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  TFont& Font() { return FFont; }
  void SetFont(const TFont& Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TVTHeaderOptions Options() const { return FOptions; }
  void SetOptions(TVTHeaderOptions Value);
  bool Has(TVTHeaderOption o) const { return FOptions.Has(o); }
  TVTHeaderStyle Style() const { return FStyle; }
  void SetStyle(TVTHeaderStyle Value);
  TColor Background() const { return FBackgroundColor; }
  void SetBackground(TColor Value);
  TColumnIndex AutoSizeIndex() const { return FAutoSizeIndex; }
  void SetAutoSizeIndex(TColumnIndex Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }
  // -1 without columns.
  TColumnIndex MainColumn() const;
  void SetMainColumn(TColumnIndex Value);
  TVTFixedAreaConstraints& FixedAreaConstraints() { return *FFixedAreaConstraints; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int SplitterHitTolerance() const { return FSplitterHitTolerance; }
  void SetSplitterHitTolerance(int Value) { FSplitterHitTolerance = Value; }
  TColumnIndex SortColumn() const;
  void SetSortColumn(TColumnIndex Value);
  TSortDirection SortDirection() const;
  void SetSortDirection(TSortDirection Value);
  THeaderStates States() const { return FStates; }
  bool AllowFocus(TColumnIndex ColumnIndex) const;
  int LastWidth() const { return FLastWidth; }

  // The header's rectangle relative to the tree window (empty height while hidden).
  TRect HeaderRect() const;
  // P in client coordinates (negative y inside the header).
  virtual bool InHeader(TPoint P) const;
  virtual bool InHeaderSplitterArea(TPoint P) const;
  // Repaints one header cell or, with nullptr, the whole header.
  void Invalidate(const TNodeTreeColumn* Column, bool ExpandToBorder = false) const;

  void Assign(const TPersistent* Source) override;
  // Raises EReadError when the stream ends early or holds a count or length that cannot be;
  // nothing of the column being read is applied then.
  virtual void LoadFromStream(TStream& Stream);
  virtual void SaveToStream(TStream& Stream) const;

  void RestoreColumns();
  int ResizeColumns(int ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol,
                    TVTColumnOptions Options = {coVisible});
  virtual void AutoFitColumns(bool Animated = true, TSmartAutoFitType SmartAutoFitType = smaUseColumnOption,
                              int RangeStartCol = NoColumn, int RangeEndCol = NoColumn);
  void DistributeSpringWidth();

  void RefreshHeaderFrame();
  void ApplyFixedAreaConstraints();
  virtual void ScaleHeader(int M, int D);
  void ClampMainColumn();
  virtual void ApplySortColumn(TColumnIndex Value);

  // ---- mouse: the tree's window messages; true when handled.
  virtual bool ProcessMessage(TMessage& Message);
  virtual bool FindSplitterColumn(TPoint P);
  bool CanSizeHeader(TPoint P);
  TPoint TrackPoint() const { return FTrackPoint; }
  // The drag of a column: its image's top-left (screen) while shown.
  bool DragImageShown() const { return FDragImageShown; }
  bool HoverTimerRunning() const;
  // The hover timer's tick (the tree's window timer 3).
  void HoverTimerTick();
  // Where the mouse was last seen (client point) and whether it is over the tree at all.
  void NoteMousePosition(TPoint Client, bool Inside);
  TPoint DragImagePos() const { return FDragImagePos; }

protected:
  friend class TNodeTreeColumns;
  friend class TNodeTreeColumn;
  void HeaderFontChanged();
  void ConstraintsChanged();
  bool TrackMouseMove(TMessage& Message);
  void MoveDragImage(TPoint P);
  void StartColumnDrag(TPoint P, TPoint Start);
  void EndColumnDrag();
  TShiftState CurrentShiftState() const;
  // Client point of the message (non-client messages carry screen points).
  TPoint MessageClientPoint(const TMessage& Message, bool NonClient) const;
  void CancelTracking(TMessage& Message);

  // Dispatchers of the header events.
  virtual void DoAfterAutoFitColumn(TColumnIndex Column);
  virtual void DoAfterColumnWidthTracking(TColumnIndex Column);
  virtual void DoAfterHeaderHeightTracking();
  virtual bool DoBeforeAutoFitColumn(TColumnIndex Column, TSmartAutoFitType SmartAutoFitType);
  virtual void DoBeforeColumnWidthTracking(TColumnIndex Column, TShiftState Shift);
  virtual void DoBeforeHeaderHeightTracking(TShiftState Shift);
  virtual bool DoCanSplitterResizeHeader(TPoint P, bool Allowed);
  virtual bool DoColumnWidthDblClickResize(TColumnIndex Column, TPoint P, TShiftState Shift);
  virtual bool DoColumnWidthTracking(TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P);
  virtual TPopupMenu* DoGetHeaderPopupMenu(TColumnIndex Column, TPoint Position);
  virtual bool DoHeaderHeightTracking(TPoint& P, TShiftState Shift);
  virtual bool DoHeaderHeightDblClickResize(TPoint& P, TShiftState Shift);

private:
  TBaseNodeTree* FOwner;
  std::unique_ptr<TNodeTreeColumns> FColumns;
  int FHeight = 19;
  TFont FFont;
  bool FParentFont = false;
  TVTHeaderOptions FOptions = DefaultHeaderOptions;
  TVTHeaderStyle FStyle = hsThickButtons;
  TColor FBackgroundColor = clBtnFace;
  TColumnIndex FAutoSizeIndex = 0;
  TPopupMenu* FPopupMenu = nullptr;
  TColumnIndex FMainColumn = NoColumn;
  int FMaxHeight = 10000, FMinHeight = 10, FDefaultHeight = 19;
  std::unique_ptr<TVTFixedAreaConstraints> FFixedAreaConstraints;
  TImageList* FImages = nullptr;
  int FSplitterHitTolerance = 8;
  int FLastWidth = 0;
  THeaderStates FStates;
  TPoint FDragStart, FTrackStart, FTrackPoint;
  bool FDragImageShown = false;
  TPoint FDragImagePos, FDragHotSpot;
  bool FDragHorizontalOnly = false;
  TPoint FMousePos;
  bool FMouseInside = false;
};
