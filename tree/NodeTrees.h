// The tree view core: a tree of fixed node records with user data of a size the owner chooses,
// initialised on first use and asked for everything through events. This file declares the tree;
// its operations live in the NodeTrees*.cpp files, one concern each.
#pragma once

#include "platform/Assert.h"
#include "platform/Streams.h"
#include "platform/ui/Controls.h"
#include "tree/NodeAllocator.h"
#include "tree/NodeTreeEvents.h"
#include "tree/NodeTreeOptions.h"
#include "tree/TreeInputTypes.h"
#include "tree/NodeTypes.h"
#include "tree/ScrollBarOptions.h"
#include "tree/TreeColors.h"
#include "tree/VTDragImage.h"
#include "tree/VTDragTypes.h"
#include "tree/TreePaintInfo.h"
#include "tree/VTHeaderEvents.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <typeinfo>
#include <unordered_set>
#include <vector>

class TTimer;
class TImageList;
class TScrollBar;
class TPrinter;
class TTreePrintTarget;
class IAccessible;
struct TVITEMW;
class TPanningWindow;
struct TTreeMail;
class TVTHeader;

// The private message by which the position-cache worker's state changes reach the tree.
constexpr unsigned WM_TREESTATECHANGE = WM_APP + 32;

// Trees with more shown nodes than this get a position cache; one entry per this many nodes.
constexpr std::uint32_t CacheThreshold = 2000;

struct TCacheEntry {
  PVNode Node = nullptr;
  std::uint32_t AbsoluteTop = 0;
};
// Entry k holds shown node 2000 x k and its top. A walk that met fewer shown nodes than counted
// ends with the last shown node at its bottom; lookups leave that closing entry out.
struct TCache {
  std::vector<TCacheEntry> Entries;
  bool EndsWithBottom = false;
  std::size_t SearchCount() const { return Entries.size() - (EndsWithBottom ? 1 : 0); }
};

enum TVZVNodeEnumerationMode {
  vneAll,
  vneChecked,
  vneChild,
  vneCutCopy,
  vneInitialized,
  vneLeaf,
  vneLevel,
  vneNoInit,
  vneSelected,
  vneVisible,
  vneVisibleChild,
  vneVisibleNoInitChild,
  vneVisibleNoInit,
};

// A for-in range over the nodes of one walk.
class TVTVNodeEnumeration {
public:
  class Iterator {
  public:
    Iterator(const TVTVNodeEnumeration* e, PVNode n) : FEnum(e), FNode(n) {}
    PVNode operator*() const { return FNode; }
    Iterator& operator++();
    bool operator!=(const Iterator& o) const { return FNode != o.FNode; }

  private:
    const TVTVNodeEnumeration* FEnum;
    PVNode FNode;
  };
  Iterator begin() const;
  Iterator end() const { return {this, nullptr}; }

  TVZVNodeEnumerationMode FMode = vneAll;
  TBaseNodeTree* FTree = nullptr;
  bool FConsiderChildrenAbove = false;
  PVNode FNode = nullptr;
  std::uint32_t FNodeLevel = 0;
  TCheckState FState = csUncheckedNormal;
  bool FIncludeFiltered = false;

  PVNode First() const;
  PVNode Next(PVNode current) const;
};

class TBaseNodeTree : public TCustomControl, public TVTHeaderEvents {
public:
  explicit TBaseNodeTree(TComponent* AOwner);
  ~TBaseNodeTree() override;

  // ---------------------------------------------------------------- node model (structure)
  int NodeDataSize() const { return FNodeDataSize; }
  void SetNodeDataSize(int value);
  // The address of the node's user data; marks it handed out so OnFreeNode is due.
  void* GetNodeData(PVNode Node);
  // The typed user data: the record is constructed on first use and destroyed when the node is
  // freed. The tree must have been given the type with SetNodeDataType<T>.
  template <class T> T* GetNodeData(PVNode Node);
  template <class T> void SetNodeDataType();
  // Stores a pointer as the first pointer-sized value of the user data.
  void SetNodeData(PVNode Node, void* UserData);
  std::uint32_t GetNodeLevel(PVNode Node) const;
  std::uint32_t TotalCount();
  std::uint32_t RootNodeCount() const { return FRoot->ChildCount; }
  void SetRootNodeCount(std::uint32_t value);
  std::uint32_t ChildCount(PVNode Node) const;
  virtual void SetChildCount(PVNode Node, std::uint32_t NewChildCount);
  bool IsEmpty() const { return RootNodeCount() == 0; }
  bool ChildrenInitialized(PVNode Node) const;
  bool HasChildren(PVNode Node) const;
  void SetHasChildren(PVNode Node, bool value);
  bool IsDisabled(PVNode Node) const;
  void SetDisabled(PVNode Node, bool value);
  bool MultiLine(PVNode Node) const;
  void SetMultiLine(PVNode Node, bool value);
  PVNode NodeParent(PVNode Node) const;
  void SetNodeParent(PVNode Node, PVNode value);
  std::uint8_t VerticalAlignment(PVNode Node) const { return Node->Align; }
  void SetVerticalAlignment(PVNode Node, std::uint8_t value);
  std::uint32_t NodeHeight(PVNode Node);
  void SetNodeHeight(PVNode Node, std::uint32_t value);
  std::uint32_t DefaultNodeHeight() const { return FDefaultNodeHeight; }
  void SetDefaultNodeHeight(std::uint32_t value);
  TVTNodeAlignment NodeAlignment() const { return FNodeAlignment; }
  void SetNodeAlignment(TVTNodeAlignment value);
  virtual void MeasureItemHeight(TCanvas* Canvas, PVNode Node);
  void InitRecursive(PVNode Node, std::uint32_t Levels = 0xFFFFFFFF, bool VisibleOnly = true);
  void ValidateNode(PVNode Node, bool Recursive);
  void ValidateChildren(PVNode Node, bool Recursive);
  virtual void ReinitNode(PVNode Node, bool Recursive);
  virtual void ReinitChildren(PVNode Node, bool Recursive);
  virtual void ResetNode(PVNode Node);
  // Copies the properties of another tree; nodes are not copied.
  void Assign(const TBaseNodeTree& Source);
  PVNode RootNode() const { return FRoot; }
  TNodeTreeStates TreeStates() const {
    return TNodeTreeStates::FromBits(FStates.load(std::memory_order_relaxed));
  }
  std::uint32_t VisibleCount() const { return FVisibleCount; }
  std::uint32_t Indent() const { return FIndent; }
  void SetIndent(std::uint32_t value) { FIndent = value; }
  int Margin() const { return FMargin; }
  void SetMargin(int value) { FMargin = value; }
  int TextMargin() const { return FTextMargin; }

  // ---------------------------------------------------------------- options
  TCustomNodeTreeOptions& TreeOptions() { return *FOptions; }
  const TCustomNodeTreeOptions& TreeOptions() const { return *FOptions; }
  void SetTreeOptions(const TCustomNodeTreeOptions& options) { FOptions->Assign(options); }
  bool Has(TVTPaintOption o) const { return FOptions->PaintOptions().Has(o); }
  bool Has(TVTAutoOption o) const { return FOptions->AutoOptions().Has(o); }
  bool Has(TVTSelectionOption o) const { return FOptions->SelectionOptions().Has(o); }
  bool Has(TVTMiscOption o) const { return FOptions->MiscOptions().Has(o); }
  bool Has(TVTAnimationOption o) const { return FOptions->AnimationOptions().Has(o); }
  // The header's sort column and direction (the header joins later; -1 is no column).
  TColumnIndex SortColumn() const { return FSortColumn; }
  void SetSortColumn(TColumnIndex column) { FSortColumn = column; }
  TSortDirection SortDirection() const { return FSortDirection; }
  void SetSortDirection(TSortDirection direction) { FSortDirection = direction; }
  // The header's main column: -1 without columns.
  TColumnIndex MainColumn() const;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value) { FAlignment = value; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  // Columns that follow the tree take the new mode; with toAutoBidiColumnOrdering the columns'
  // order follows the reading direction.
  void SetBiDiMode(TBiDiMode value);

  // ---------------------------------------------------------------- painting
  TVTColors& Colors() { return *FColors; }
  const TVTColors& Colors() const { return *FColors; }
  void SetColors(const TVTColors& colors) { FColors->Assign(colors); }
  // Renders the part Window of the tree surface (tree coordinates) with its top-left at Target.
  virtual void PaintTree(TCanvas& TargetCanvas, const TRect& Window, TPoint Target,
                         TVTInternalPaintOptions PaintOptions);
  // The whole tree surface: at least the client area.
  TRect GetTreeRect() const;
  // Prints the whole tree page by page, scaled as the printer's text is to the screen's. Raises
  // EPrinter when the printer gives nothing to scale by; the job is then abandoned.
  void Print(TPrinter* Printer, bool PrintHeader);
  void Print(TTreePrintTarget& Target, bool PrintHeader);
  const std::string& EmptyListMessage() const { return FEmptyListMessage; }

  // ---------------------------------------------------------------- accessibility
  // The answer to an object request: 0 unless a provider made an accessible object.
  std::intptr_t GetAccessibleObject(std::intptr_t ObjectId);
  IAccessible* Accessible() const { return FAccessible.get(); }
  IAccessible* AccessibleItem() const { return FAccessibleItem.get(); }
  const std::string& AccessibleName() const { return FAccessibleName; }
  void SetAccessibleName(const std::string& value) { FAccessibleName = value; }
  // The tree-view queries. Items are nodes of this tree still alive; any other value is refused.
  bool TreeViewGetItemRect(PVNode Item, bool TextOnly, TRect& R);
  PVNode TreeViewGetNextItem(unsigned Code, PVNode Item);
  int TreeViewGetItem(TVITEMW& Item);
  // Whether the value is a node of this tree (the hidden root is not).
  bool IsLiveNode(const void* Node) const;
  void SetEmptyListMessage(const std::string& value);
  TVTLineStyle LineStyle() const { return FLineStyle; }
  void SetLineStyle(TVTLineStyle value);
  TVTButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TVTButtonStyle value);
  TVTButtonFillMode ButtonFillMode() const { return FButtonFillMode; }
  void SetButtonFillMode(TVTButtonFillMode value);
  // The button pictures and the line pattern; the tree line colour and the styles change them.
  void RebuildBitmaps(bool NeedButtons, bool NeedLines);
  const TBitmap& PlusBM() const {
    DrawButtonBitmaps();
    return FPlusBM;
  }
  const TBitmap& MinusBM() const {
    DrawButtonBitmaps();
    return FMinusBM;
  }
  // The line element of every indent level of a node; answers the number of selected ancestors.
  int ComputeLineImage(PVNode Node, TLineImage& LineImage);
  // The y of the node's alignment line within its row and the top of its expand button.
  void ComputeNodeVAlign(bool ShowImages, bool ShowStateImages, PVNode Node, int& VAlign, int& ButtonY);

  // ---------------------------------------------------------------- expanding and visibility
  bool Expanded(PVNode Node) const { return Node && Node->States.Has(vsExpanded); }
  void SetExpanded(PVNode Node, bool value);
  void ToggleNode(PVNode Node);
  virtual void FullExpand(PVNode Node = nullptr);
  virtual void FullCollapse(PVNode Node = nullptr);
  bool IsVisible(PVNode Node);
  void SetVisible(PVNode Node, bool value);
  bool FullyVisible(PVNode Node) const;
  void SetFullyVisible(PVNode Node, bool value);
  bool VisiblePath(PVNode Node) const;
  void SetVisiblePath(PVNode Node, bool value);
  bool IsFiltered(PVNode Node) const { return Node && Node->States.Has(vsFiltered); }
  void SetFiltered(PVNode Node, bool value);
  bool IsEffectivelyFiltered(PVNode Node) const;
  bool IsEffectivelyVisible(PVNode Node) const;
  std::uint32_t AnimationDuration() const { return FAnimationDuration; }
  void SetAnimationDuration(std::uint32_t value);

  // ---------------------------------------------------------------- navigation
  PVNode GetFirst(bool ConsiderChildrenAbove = false);
  PVNode GetFirstNoInit(bool ConsiderChildrenAbove = false) const;
  PVNode GetNext(PVNode Node, bool ConsiderChildrenAbove = false);
  PVNode GetNextNoInit(PVNode Node, bool ConsiderChildrenAbove = false) const;
  PVNode GetPrevious(PVNode Node, bool ConsiderChildrenAbove = false);
  PVNode GetPreviousNoInit(PVNode Node, bool ConsiderChildrenAbove = false) const;
  PVNode GetLast(PVNode Node = nullptr, bool ConsiderChildrenAbove = false);
  PVNode GetLastNoInit(PVNode Node = nullptr, bool ConsiderChildrenAbove = false) const;
  PVNode GetFirstChild(PVNode Node);
  PVNode GetLastChild(PVNode Node);
  PVNode GetFirstChildNoInit(PVNode Node) const;
  PVNode GetLastChildNoInit(PVNode Node) const;
  PVNode GetNextSibling(PVNode Node);
  PVNode GetPreviousSibling(PVNode Node);
  PVNode GetNextSiblingNoInit(PVNode Node) const;
  PVNode GetPreviousSiblingNoInit(PVNode Node) const;
  PVNode GetFirstInitialized(bool ConsiderChildrenAbove = false) const;
  PVNode GetNextInitialized(PVNode Node, bool ConsiderChildrenAbove = false) const;
  PVNode GetPreviousInitialized(PVNode Node, bool ConsiderChildrenAbove = false) const;
  PVNode GetLastInitialized(PVNode Node = nullptr, bool ConsiderChildrenAbove = false) const;
  PVNode GetFirstLeaf();
  PVNode GetNextLeaf(PVNode Node);
  PVNode GetPreviousLeaf(PVNode Node);
  PVNode GetFirstLevel(std::uint32_t NodeLevel);
  PVNode GetNextLevel(PVNode Node, std::uint32_t NodeLevel);
  PVNode GetPreviousLevel(PVNode Node, std::uint32_t NodeLevel);
  PVNode GetFirstVisible(PVNode Node = nullptr, bool ConsiderChildrenAbove = true,
                         bool IncludeFiltered = false);
  PVNode GetFirstVisibleNoInit(PVNode Node = nullptr, bool ConsiderChildrenAbove = true,
                               bool IncludeFiltered = false) const;
  PVNode GetNextVisible(PVNode Node, bool ConsiderChildrenAbove = true);
  PVNode GetNextVisibleNoInit(PVNode Node, bool ConsiderChildrenAbove = true) const;
  // GetNextVisibleNoInit(Node, true) for a node known to be shown (walks of the shown nodes).
  PVNode NextShownNoInit(PVNode Node) const;
  PVNode GetPreviousVisible(PVNode Node, bool ConsiderChildrenAbove = true);
  PVNode GetPreviousVisibleNoInit(PVNode Node, bool ConsiderChildrenAbove = true) const;
  PVNode GetLastVisible(PVNode Node = nullptr, bool ConsiderChildrenAbove = true,
                        bool IncludeFiltered = false);
  PVNode GetLastVisibleNoInit(PVNode Node = nullptr, bool ConsiderChildrenAbove = true,
                              bool IncludeFiltered = false) const;
  PVNode GetFirstVisibleChild(PVNode Node, bool IncludeFiltered = false);
  PVNode GetLastVisibleChild(PVNode Node, bool IncludeFiltered = false);
  PVNode GetFirstVisibleChildNoInit(PVNode Node, bool IncludeFiltered = false) const;
  PVNode GetLastVisibleChildNoInit(PVNode Node, bool IncludeFiltered = false) const;
  PVNode GetNextVisibleSibling(PVNode Node, bool IncludeFiltered = false);
  PVNode GetPreviousVisibleSibling(PVNode Node, bool IncludeFiltered = false);
  PVNode GetNextVisibleSiblingNoInit(PVNode Node, bool IncludeFiltered = false) const;
  PVNode GetPreviousVisibleSiblingNoInit(PVNode Node, bool IncludeFiltered = false) const;
  PVNode GetVisibleParent(PVNode Node, bool IncludeFiltered = false) const;
  std::uint32_t AbsoluteIndex(PVNode Node);
  bool HasAsParent(PVNode Node, PVNode PotentialParent) const;
  using TVTGetNodeProc = std::function<void(TBaseNodeTree* Sender, PVNode Node, void* Data, bool& Abort)>;
  PVNode IterateSubtree(PVNode Node, const TVTGetNodeProc& Callback, void* Data, TVNodeStates Filter = {},
                        bool DoInit = false, bool ChildNodesOnly = false);

  TVTVNodeEnumeration Nodes(bool ConsiderChildrenAbove = false);
  TVTVNodeEnumeration CheckedNodes(TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
  TVTVNodeEnumeration ChildNodes(PVNode Node);
  TVTVNodeEnumeration InitializedNodes(bool ConsiderChildrenAbove = false);
  TVTVNodeEnumeration LeafNodes();
  TVTVNodeEnumeration LevelNodes(std::uint32_t NodeLevel);
  TVTVNodeEnumeration NoInitNodes(bool ConsiderChildrenAbove = false);
  TVTVNodeEnumeration SelectedNodes(bool ConsiderChildrenAbove = false);
  TVTVNodeEnumeration VisibleNodes(PVNode Node = nullptr, bool ConsiderChildrenAbove = true,
                                   bool IncludeFiltered = false);
  TVTVNodeEnumeration VisibleChildNodes(PVNode Node, bool IncludeFiltered = false);
  TVTVNodeEnumeration VisibleChildNoInitNodes(PVNode Node, bool IncludeFiltered = false);
  TVTVNodeEnumeration VisibleNoInitNodes(PVNode Node = nullptr, bool ConsiderChildrenAbove = true,
                                         bool IncludeFiltered = false);

  // ---------------------------------------------------------------- check boxes
  TCheckState CheckState(PVNode Node) const { return Node->CheckState; }
  void SetCheckState(PVNode Node, TCheckState Value);
  TCheckType CheckType(PVNode Node) const { return Node->CheckType; }
  void SetCheckType(PVNode Node, TCheckType Value);
  void SetCheckStateForAll(TCheckState aCheckState, bool pSelectedOnly, bool pExcludeDisabled = true);
  void ClearChecked();
  std::uint32_t CheckedCount();
  PVNode GetFirstChecked(TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
  PVNode GetNextChecked(PVNode Node, TCheckState State, bool ConsiderChildrenAbove = false);
  PVNode GetNextChecked(PVNode Node, bool ConsiderChildrenAbove = false);
  PVNode GetPreviousChecked(PVNode Node, TCheckState State = csCheckedNormal,
                            bool ConsiderChildrenAbove = false);
  TCheckImageKind CheckImageKind() const { return FCheckImageKind; }
  void SetCheckImageKind(TCheckImageKind kind);
  // The check images of ckCustom: an image list in the layout of the built-in ones (25 images).
  TImageList* CustomCheckImages() const { return FCustomCheckImages; }
  void SetCustomCheckImages(TImageList* list);
  // Draws check image Index of the kind in use with its top-left corner at (X, Y).
  void DrawCheckImageAt(TCanvas& Canvas, int X, int Y, int Index) const;
  // The image of a check control: -1 for none (see the check image table).
  int CheckImageIndex(PVNode Node, TCheckType Type, TCheckState State, bool Enabled) const;
  static TCheckState NextCheckState(TCheckType Type, TCheckState State);

  // ---------------------------------------------------------------- update batching
  virtual void BeginUpdate();
  virtual void EndUpdate();
  void BeginSynch();
  void EndSynch();
  std::uint32_t UpdateCount() const { return FUpdateCount; }
  void CancelOperation();
  bool OperationCanceled() const { return FOperationCount > 0 && FOperationCanceled; }
  std::uint32_t ChangeDelay() const { return FChangeDelay; }
  void SetChangeDelay(std::uint32_t ms) { FChangeDelay = ms; }
  const TCache& PositionCache() const { return FPositionCache; }
  // Waits until the worker has no more work for this tree and applies its state changes.
  void WaitForPositionCache();

  // ---------------------------------------------------------------- sorting, moving, copying
  virtual void Sort(PVNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit = true);
  virtual void SortTree(TColumnIndex Column, TSortDirection Direction, bool DoInit = true);
  void MoveTo(PVNode Source, PVNode Target, TVTNodeAttachMode Mode, bool ChildrenOnly);
  void MoveTo(PVNode Node, TBaseNodeTree* Tree, TVTNodeAttachMode Mode, bool ChildrenOnly);
  PVNode CopyTo(PVNode Source, PVNode Target, TVTNodeAttachMode Mode, bool ChildrenOnly);
  PVNode CopyTo(PVNode Source, TBaseNodeTree* Tree, TVTNodeAttachMode Mode, bool ChildrenOnly);

  // ---------------------------------------------------------------- streams
  virtual void SaveToStream(TStream& Stream, PVNode Node = nullptr);
  // Written whole or not at all; false with the reason in `error` when the file could not be written.
  bool SaveToFile(const std::string& FileName, std::string* error = nullptr);
  virtual void LoadFromStream(TStream& Stream);
  virtual void LoadFromFile(const std::string& FileName);
  void AddFromStream(TStream& Stream, PVNode TargetNode);

  // ---------------------------------------------------------------- adding and deleting
  virtual PVNode AddChild(PVNode Parent, void* UserData = nullptr);
  PVNode InsertNode(PVNode Node, TVTNodeAttachMode Mode, void* UserData = nullptr);
  void DeleteNode(PVNode Node) { DeleteNode(Node, true, false); }
  void DeleteChildren(PVNode Node, bool ResetHasChildren = false);
  virtual void DeleteSelectedNodes();
  virtual void Clear();

  // ---------------------------------------------------------------- selection and focus
  bool Selected(PVNode Node) const { return Node && Node->States.Has(vsSelected); }
  void SetSelected(PVNode Node, bool Value);
  int SelectedCount() const { return FSelectionCount; }
  bool SelectionLocked() const { return FSelectionLocked; }
  void SetSelectionLocked(bool value) { FSelectionLocked = value; }
  PVNode FocusedNode() const { return FFocusedNode; }
  void SetFocusedNode(PVNode Value);
  TColumnIndex FocusedColumn() const { return FFocusedColumn; }
  void SetFocusedColumn(TColumnIndex Value);
  virtual void AddToSelection(PVNode Node);
  virtual void RemoveFromSelection(PVNode Node);
  void ClearSelection() { ResetSelection(true); }
  void SelectAll(bool VisibleOnly);
  void InvertSelection(bool VisibleOnly);
  PVNode GetFirstSelected(bool ConsiderChildrenAbove = false);
  PVNode GetNextSelected(PVNode Node, bool ConsiderChildrenAbove = false);
  PVNode GetPreviousSelected(PVNode Node, bool ConsiderChildrenAbove = false);
  TNodeArray GetSortedSelection(bool Resolve);
  bool IsMouseSelecting() const;
  virtual void EnsureNodeSelected();
  std::uint32_t SelectionCurveRadius() const { return FSelectionCurveRadius; }
  void SetSelectionCurveRadius(std::uint32_t value);
  PVNode RangeAnchor() const { return FRangeAnchor; }
  // The selection array in address order (for checks of its bookkeeping).
  const TNodeArray& SelectionArray() const { return FSelection; }

  // ---------------------------------------------------------------- hit testing and geometry
  void GetHitTestInfoAt(int X, int Y, bool Relative, THitInfo& HitInfo);
  PVNode GetNodeAt(int X, int Y);
  PVNode GetNodeAt(TPoint P) { return GetNodeAt(P.X, P.Y); }
  PVNode GetNodeAt(int X, int Y, bool Relative, int& NodeTop);
  TRect GetDisplayRect(PVNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped = false,
                       bool ApplyCellContentMargin = false);
  int CompareTreeOrder(PVNode Node1, PVNode Node2, bool ConsiderChildrenAbove) const;
  int OffsetX() const { return FOffsetX; }
  int OffsetY() const { return FOffsetY; }
  // Every write is clamped to the content and scrolls the window (ApplyScrollOffsets).
  void SetOffsetXY(int x, int y) { ApplyScrollOffsets(TPoint{x, y}, ScrollAll); }
  void SetOffsetX(int x) { SetOffsetXY(x, FOffsetY); }
  void SetOffsetY(int y) { SetOffsetXY(FOffsetX, y); }
  // The client area leaves room for the scroll bars that show.
  int ClientWidth() const override;
  int ClientHeight() const override;
  // The platform's bars as they show (nullptr while hidden).
  TScrollBar* VertScrollBarControl() const;
  TScrollBar* HorzScrollBarControl() const;
  TScrollBarOptions& ScrollBarOptions() { return FScrollBarOptions; }
  const TVTScrollBarState& VerticalBar() const { return FVertBar; }
  const TVTScrollBarState& HorizontalBar() const { return FHorzBar; }
  std::uint32_t BottomSpace() const { return FBottomSpace; }
  void SetBottomSpace(std::uint32_t value);
  PVNode TopNode() { return GetNodeAt(0, 0); }
  void SetTopNode(PVNode Node);
  PVNode BottomNode() { return GetNodeAt(0, ClientHeight() - 1); }
  void SetBottomNode(PVNode Node);
  virtual bool ScrollIntoView(PVNode Node, bool Center, bool Horizontally = false);
  // Scrolls horizontally so the column shows; false without columns or for an invalid column.
  bool ScrollIntoView(TColumnIndex Column, bool Center);
  void UpdateHorizontalScrollBar(bool DoRepaint);
  void UpdateHorizontalRange();
  void UpdateRanges() {
    UpdateVerticalRange();
    UpdateHorizontalRange();
  }
  // Without columns the content is as wide as the widest node on screen.
  int MaxVisibleRight();
  void UpdateVerticalScrollBar(bool DoRepaint);
  // The scroll bars' requests (SB_ codes; TrackPos for the thumb codes).
  virtual void HandleVScroll(unsigned Code, int TrackPos = 0);
  virtual void HandleHScroll(unsigned Code, int TrackPos = 0);
  // A wheel turn not taken by OnMouseWheel; WheelDelta in 120ths of a notch.
  virtual void HandleWheelScroll(int WheelDelta, TShiftState Shift);
  // Lines per wheel notch (-1: a page per notch).
  int WheelScrollLines() const { return FWheelScrollLines; }
  void SetWheelScrollLines(int lines) { FWheelScrollLines = lines; }
  enum : unsigned {
    ScrollRepaintHeader = 1,
    ScrollRepaintBars = 2,
    ScrollClient = 4,
    ScrollUpdateBars = 8,
    ScrollAll = 15
  };
  virtual bool ApplyScrollOffsets(TPoint Value, unsigned Options);
  int EffectiveOffsetX() const { return -FOffsetX; }
  // Content height and width (the width comes with columns and node widths).
  std::uint32_t RangeY() const { return FRoot->TotalHeight - FRoot->NodeHeight + FBottomSpace; }
  std::uint32_t RangeX() const { return FRangeX; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* list) { FImages = list; }
  TImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TImageList* list) { FStateImages = list; }

  // ---------------------------------------------------------------- input: mouse, keys, editing, hints
  // The tree's window timers by number (see TreeTimer*); each runs on the program clock.
  bool TreeTimerRunning(unsigned ID) const;
  PVNode HotNode() const { return FCurrentHotNode; }
  // The client point of the mouse as last seen by the tree.
  TPoint MouseClientPos() const { return FLastMousePos; }
  TCursor HotCursor() const { return FHotCursor; }
  void SetHotCursor(TCursor value) { FHotCursor = value; }
  std::uint32_t EditDelay() const { return FEditDelay; }
  void SetEditDelay(std::uint32_t ms) { FEditDelay = ms; }
  // The running editor (empty when none).
  std::shared_ptr<IVTEditLink> EditLink() const { return FEditLink; }
  virtual bool EditNode(PVNode Node, TColumnIndex Column);
  bool EndEditNode();
  virtual bool CancelEditNode();
  virtual bool CanEdit(PVNode Node, TColumnIndex Column);
  bool IsEditing() const { return TreeStates().Has(tsEditing); }
  TColumnIndex EditColumn() const { return FEditColumn; }
  TVTIncrementalSearch IncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(TVTIncrementalSearch value);
  TVTSearchDirection IncrementalSearchDirection() const { return FSearchDirection; }
  void SetIncrementalSearchDirection(TVTSearchDirection value) { FSearchDirection = value; }
  TVTSearchStart IncrementalSearchStart() const { return FSearchStart; }
  void SetIncrementalSearchStart(TVTSearchStart value) { FSearchStart = value; }
  std::uint32_t IncrementalSearchTimeout() const { return FSearchTimeout; }
  void SetIncrementalSearchTimeout(std::uint32_t ms) { FSearchTimeout = ms; }
  const std::string& SearchBuffer() const { return FSearchBuffer; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  TVTHintMode HintMode() const { return FHintMode; }
  void SetHintMode(TVTHintMode value) { FHintMode = value; }
  THintAnimationType HintAnimation() const { return FAnimationType; }
  void SetHintAnimation(THintAnimationType value) { FAnimationType = value; }
  // The client area the current hint belongs to (empty when none).
  const TRect& LastHintRect() const { return FLastHintRect; }
  const TVTHintData& HintData() const { return FHintData; }
  int DragThreshold() const { return FDragThreshold; }
  void SetDragThreshold(int value) { FDragThreshold = value; }
  // The tree paints through its own buffer: always true, writing has no effect.
  bool DoubleBuffered() const { return true; }
  void SetDoubleBuffered(bool) {}
  // The panning window while wheel panning runs (nullptr otherwise).
  TPanningWindow* PanningWindow() const { return FPanningWindow; }
  // The name of the panning cursor shown now ("" when none).
  const std::string& PanningCursorName() const { return FPanningCursorName; }
  // Redraws the node's row at once.
  void RepaintNode(PVNode Node);
  // Asks for a repaint of the node's row; (-1, -1, -1, -1) inside an update or without a window.
  TRect InvalidateNodeRect(PVNode Node);
  TVTCreateEditorEvent OnCreateEditor;
  TNotifyEvent OnTreeMouseEnter;
  TNotifyEvent OnTreeMouseLeave;

  virtual void DoCreateEditor(PVNode Node, TColumnIndex Column, std::shared_ptr<IVTEditLink>& Link);
  virtual bool DoEndEdit();
  virtual bool DoCancelEdit();
  // The node's hint text (OnGetHint); the string tree adds its own text.
  virtual std::string GetNodeHintText(PVNode Node, TColumnIndex Column, TVTTooltipLineBreakStyle& LineBreakStyle);
  // The node's full text for a tooltip ("" in the base tree).
  virtual std::string GetNodeTooltipText(PVNode Node, TColumnIndex Column, TVTTooltipLineBreakStyle& LineBreakStyle);
  // The font, text rectangle and text an editor takes (empty here; the string tree gives its text).
  virtual void GetTextInfo(PVNode Node, TColumnIndex Column, TFont& AFont, TRect& R, std::string& Text);
  // Shows the context menu for a node (OnGetPopupMenu) at a client point.
  void DoPopupMenu(PVNode Node, TColumnIndex Column, TPoint Position);
  void StartEditing();
  // Runs the callback in steps spread over Duration on the program clock; returns at once.
  using TVTAnimationCallback = std::function<bool(int Step, int StepSize)>;
  virtual void Animate(std::uint32_t Steps, std::uint32_t Duration, TVTAnimationCallback Callback);
  // The toggle animation's areas of the last toggle (for checks): area, direction (-1 up, 1 down, 0 none).
  struct TToggleAnimation {
    TRect Area1, Area2;
    int Direction1 = 0, Direction2 = 0;
    int Amount1 = 0, Amount2 = 0;
    double ScaleFactor = 0, Remainder = 0;
    // Pixels each area has moved so far.
    int Moved1 = 0, Moved2 = 0;
  };
  const TToggleAnimation& ToggleAnimationData() const { return FToggleAnimation; }
  // Whether an animation steps now (tsInAnimation).
  bool Animating() const { return TreeStates().Has(tsInAnimation); }

  // ---------------------------------------------------------------- header and columns
  TVTHeader& Header() const { return *FHeader; }
  // Assigns the settings of another header to this tree's header.
  void SetHeader(const TVTHeader& Value);
  // The width that shows the widest cell content of a column (only the nodes in view when smart).
  virtual int GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth = false);
  void CycleColumnCheckState(TColumnIndex Column);
  // After every column width change (-1 after a header stream was read).
  virtual void DoColumnResize(TColumnIndex Column);
  void DoColumnVisibilityChanged(TColumnIndex Column, bool Visible);
  // The height the shown header takes above the client area (0 while hidden).
  int HeaderHeightShown() const;
  // The header's height or visibility changed: the client area moves.
  void HeaderFrameChanged();
  // Repaints a part of the header (rectangle relative to the window).
  void InvalidateHeaderRect(const TRect& R);
  // Client points lie below a shown header; the window's own conversions count from its top.
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;
  // The tree's colour, font or reading direction changed: the header and the columns that follow
  // the tree take them over.
  void HeaderParentChanged();
  // Repaints a part of the client area (client coordinates: below a shown header).
  void InvalidateClientRect(const TRect& R);
  // Mouse messages of the window: the header's strip goes to the header as non-client messages,
  // the rest moves into client coordinates. True when the header handled the message.
  bool RouteHeaderMessage(TMessage& Message);
  // The hint of the column under the point of a hint request over the header; false for none.
  bool ShowHeaderHint(THintInfo& Info);
  // The header's cursor over its splitters at a client point; false when the header has none.
  bool ShowHeaderCursor(TPoint P);

  // ---------------------------------------------------------------- clipboard, drag and drop
  // The names of the registered formats this tree offers (only names its class may render stay).
  TClipboardFormats& ClipboardFormats() { return FClipboardFormats; }
  void SetClipboardFormats(const std::vector<std::string>& Names) { FClipboardFormats.Assign(Names); }
  // The registered formats the tree offers, then OnGetUserClipboardFormats.
  virtual void GetOfferedFormats(TFormatEtcArray& Formats);
  std::shared_ptr<IVTDragManager> DragManager();
  // This tree's number among the live trees of the program.
  std::uint64_t TreeId() { return FLiveTreeId.Get(this); }
  // The tree of this program that offers the data, else nullptr (also when that tree is gone).
  TBaseNodeTree* TreeFromDataObject(const IDataObjectPtr& DataObject);
  virtual HRESULT RenderOLEFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard);
  virtual HRESULT DoRenderOLEData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard);
  virtual void DoCreateDataObject(IDataObjectPtr& DataObject);
  virtual void CopyToClipboard();
  virtual void CutToClipboard();
  virtual bool PasteFromClipboard();
  void CancelCutOrCopy();
  void FinishCutOrCopy();
  void FlushClipboard();
  PVNode GetFirstCutCopy(bool ConsiderChildrenAbove = false);
  PVNode GetNextCutCopy(PVNode Node, bool ConsiderChildrenAbove = false);
  PVNode GetPreviousCutCopy(PVNode Node, bool ConsiderChildrenAbove = false);
  std::uint32_t CutCopyCount();
  TVTVNodeEnumeration CutCopyNodes(bool ConsiderChildrenAbove = false);
  TNodeArray GetSortedCutCopySet(bool Resolve);
  void BeginDrag(bool Immediate, int Threshold = -1);
  bool Dragging() const;
  bool ProcessDrop(const IDataObjectPtr& DataObject, PVNode TargetNode, unsigned& Effect, TVTNodeAttachMode Mode);
  bool ProcessOLEData(TBaseNodeTree* Source, const IDataObjectPtr& DataObject, PVNode TargetNode,
                      TVTNodeAttachMode Mode, bool Optimized);
  PVNode DropTargetNode() const { return FDropTargetNode; }
  TDropMode LastDropMode() const { return FLastDropMode; }
  unsigned LastDragEffect() const { return FLastDragEffect; }
  const TNodeArray& DragSelection() const { return FDragSelection; }
  TDragOperations DragOperations() const { return FDragOperations; }
  void SetDragOperations(TDragOperations value) { FDragOperations = value; }
  TVTDragType DragType() const { return FDragType; }
  void SetDragType(TVTDragType value) { FDragType = value; }
  TVTDragImageKind DragImageKind() const { return FDragImageKind; }
  void SetDragImageKind(TVTDragImageKind value) { FDragImageKind = value; }
  int DragWidth() const { return FDragWidth; }
  void SetDragWidth(int value) { FDragWidth = value; }
  int DragHeight() const { return FDragHeight; }
  void SetDragHeight(int value) { FDragHeight = value; }
  std::uint32_t AutoExpandDelay() const { return FAutoExpandDelay; }
  void SetAutoExpandDelay(std::uint32_t value) { FAutoExpandDelay = value; }
  TVTNodeAttachMode DefaultPasteMode() const { return FDefaultPasteMode; }
  void SetDefaultPasteMode(TVTNodeAttachMode value) { FDefaultPasteMode = value; }
  TVTDragImage& DragImage() { return FDragImage; }
  void PrepareDragImage(TPoint HotSpot, const IDataObjectPtr& DataObject);
  // The drop target's side, called by the drag manager (points in screen coordinates).
  virtual HRESULT HandleOLEDragEnter(unsigned KeyState, TPoint Pt, unsigned& Effect);
  virtual HRESULT HandleDragOver(TObject* Source, unsigned KeyState, TDragState State, TPoint Pt,
                                 unsigned& Effect);
  virtual void HandleOLEDragLeave();
  virtual HRESULT HandleOLEDrop(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt, unsigned& Effect);
  virtual void StartOLEDrag(TPoint P);
  virtual unsigned SuggestDropEffect(TObject* Source, TShiftState Shift, TPoint Pt, unsigned AllowedEffects);
  virtual TDropMode DropModeAt(TPoint P, THitInfo& HitInfo, TRect& NodeRect);
  virtual void ExpandDropTarget();
  TVTDragOverEvent OnDragOver;
  TVTDragDropEvent OnDragDrop;
  TVTGetUserClipboardFormatsEvent OnGetUserClipboardFormats;
  TVTRenderOLEDataEvent OnRenderOLEData;
  TVTCreateDataObjectEvent OnCreateDataObject;
  TVTCreateDragManagerEvent OnCreateDragManager;
  TVTStartDragEvent OnStartDrag;
  TVTEndDragEvent OnEndDrag;

  // ---------------------------------------------------------------- events
  TVTInitNodeEvent OnInitNode;
  TVTInitChildrenEvent OnInitChildren;
  TVTFreeNodeEvent OnFreeNode;
  TVTFreeNodeEvent OnResetNode;
  TVTGetNodeDataSizeEvent OnGetNodeDataSize;
  TVTChangeEvent OnChange;
  TVTStructureChangeEvent OnStructureChange;
  TVTChangingEvent OnExpanding;
  TVTChangeEvent OnExpanded;
  TVTChangingEvent OnCollapsing;
  TVTChangeEvent OnCollapsed;
  TVTCheckChangingEvent OnChecking;
  TVTChangeEvent OnChecked;
  TVTNodeMovingEvent OnNodeMoving;
  TVTNodeMovedEvent OnNodeMoved;
  TVTNodeCopyingEvent OnNodeCopying;
  TVTNodeCopiedEvent OnNodeCopied;
  TVTCompareEvent OnCompareNodes;
  TVTSaveNodeEvent OnLoadNode;
  TVTSaveNodeEvent OnSaveNode;
  TVTSaveTreeEvent OnLoadTree;
  TVTSaveTreeEvent OnSaveTree;
  TVTStateChangeEvent OnStateChange;
  TVTUpdatingEvent OnUpdating;
  TVTOperationEvent OnStartOperation;
  TVTOperationEvent OnEndOperation;
  TVTAddToSelectionEvent OnAddToSelection;
  TVTRemoveFromSelectionEvent OnRemoveFromSelection;
  TVTFocusChangingEvent OnFocusChanging;
  TVTFocusChangeEvent OnFocusChanged;
  TVTMeasureItemEvent OnMeasureItem;
  TVTGetImageEvent OnGetImageIndex;
  TVTGetImageExEvent OnGetImageIndexEx;
  TVTGetCellIsEmptyEvent OnGetCellIsEmpty;
  TVTHotNodeChangeEvent OnHotChange;
  TVTNodeClickEvent OnNodeClick;
  TVTNodeClickEvent OnNodeDblClick;
  TVTColumnClickEvent OnColumnClick;
  TVTColumnDblClickEvent OnColumnDblClick;
  TVTKeyActionEvent OnKeyAction;
  TVTIncrementalSearchEvent OnIncrementalSearch;
  TVTGetCursorEvent OnGetCursor;
  TVTScrollEvent OnScroll;
  TVTScrollBarShowEvent OnShowScrollBar;
  TVTGetHelpContextEvent OnGetHelpContext;
  TVTGetImageTextEvent OnGetImageText;
  TVTCanSplitterResizeNodeEvent OnCanSplitterResizeNode;
  TVTNodeHeightTrackingEvent OnNodeHeightTracking;
  TVTNodeHeightDblClickResizeEvent OnNodeHeightDblClickResize;
  TVTEditChangingEvent OnEditing;
  TVTEditChangeEvent OnEdited;
  TVTEditCancelEvent OnEditCancelled;
  TVTPaintEvent OnBeforePaint;
  TVTPaintEvent OnAfterPaint;
  TVTBackgroundPaintEvent OnPaintBackground;
  TVTBeforeItemEraseEvent OnBeforeItemErase;
  TVTAfterItemEraseEvent OnAfterItemErase;
  TVTBeforeItemPaintEvent OnBeforeItemPaint;
  TVTAfterItemPaintEvent OnAfterItemPaint;
  TVTBeforeCellPaintEvent OnBeforeCellPaint;
  TVTAfterCellPaintEvent OnAfterCellPaint;
  TVTGetLineStyleEvent OnGetLineStyle;
  TVTBeforeDrawLineImageEvent OnBeforeDrawTreeLine;
  TVTPrepareButtonImagesEvent OnPrepareButtonBitmaps;
  TVTPopupEvent OnGetPopupMenu;
  TVTDragAllowedEvent OnDragAllowed;

  // Dispatchers of events (public so the painting, input and string-tree layers can fire them).
  virtual void DoInitNode(PVNode Parent, PVNode Node, TVNodeInitStates& InitStates);
  virtual bool DoInitChildren(PVNode Node, std::uint32_t& ChildCount);
  virtual void DoGetNodeDataSize(int& Size);
  virtual void DoMeasureItem(TCanvas* TargetCanvas, PVNode Node, int& NodeHeight);
  virtual void DoResetNode(PVNode Node);
  virtual void DoChange(PVNode Node);
  virtual void DoStructureChange(PVNode Node, TChangeReason Reason);
  virtual bool DoExpanding(PVNode Node);
  virtual void DoExpanded(PVNode Node);
  virtual bool DoCollapsing(PVNode Node);
  virtual void DoCollapsed(PVNode Node);
  virtual bool DoChecking(PVNode Node, TCheckState& NewCheckState);
  virtual void DoChecked(PVNode Node);
  virtual int DoCompare(PVNode Node1, PVNode Node2, TColumnIndex Column);
  virtual bool DoNodeMoving(PVNode Node, PVNode Target);
  virtual void DoNodeMoved(PVNode Node);
  virtual bool DoNodeCopying(PVNode Node, PVNode Target);
  virtual void DoNodeCopied(PVNode Node);
  virtual void DoUpdating(TVTUpdateState State);
  virtual void DoRemoveFromSelection(PVNode Node);
  virtual bool DoFocusChanging(PVNode OldNode, PVNode NewNode, TColumnIndex OldColumn,
                               TColumnIndex NewColumn);
  virtual void DoFocusChange(PVNode Node, TColumnIndex Column);
  virtual void DoFreeNode(PVNode Node);
  virtual void DoLoadUserData(PVNode Node, TStream& Stream);
  virtual void DoSaveUserData(PVNode Node, TStream& Stream);
  virtual TImageList* DoGetImageIndex(PVNode Node, TVTImageKind Kind, TColumnIndex Column, bool& Ghosted,
                                      int& Index);
  virtual bool DoGetCellIsEmpty(PVNode Node, TColumnIndex Column);
  virtual void DoHotChange(PVNode OldNode, PVNode NewNode);
  virtual void DoNodeClick(const THitInfo& HitInfo);
  virtual void DoNodeDblClick(const THitInfo& HitInfo);
  virtual void DoColumnClick(TColumnIndex Column, TShiftState Shift);
  virtual void DoColumnDblClick(TColumnIndex Column, TShiftState Shift);
  virtual bool DoKeyAction(std::uint16_t& CharCode, TShiftState& Shift);
  virtual int DoIncrementalSearch(PVNode Node, const std::string& Text);
  virtual void DoGetCursor(TCursor& Cursor);
  virtual void DoScroll(int DeltaX, int DeltaY);
  virtual void DoShowScrollBar(int Bar, bool Show);
  virtual bool DoCanSplitterResizeNode(TPoint P, PVNode Node, TColumnIndex Column, bool Allowed);
  virtual bool DoNodeHeightTracking(PVNode Node, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint,
                                    TPoint P);
  virtual bool DoNodeHeightDblClickResize(PVNode Node, TColumnIndex Column, TShiftState Shift, TPoint P);
  virtual bool DoCanEdit(PVNode Node, TColumnIndex Column, bool Allowed);
  virtual std::string DoGetImageText(PVNode Node, TVTImageKind Kind, TColumnIndex Column);
  // The help context for F1: asked for the node, then its parents, until a non-zero value.
  int DoGetHelpContext(PVNode Node, TColumnIndex Column);
  virtual void DoBeforePaint(TCanvas& TargetCanvas);
  virtual void DoAfterPaint(TCanvas& TargetCanvas);
  // True when the handler painted the background itself.
  virtual bool DoPaintBackground(TCanvas& TargetCanvas, const TRect& R);
  virtual void DoBeforeItemErase(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect, TColor& Color,
                                 TItemEraseAction& EraseAction);
  virtual void DoAfterItemErase(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect);
  // True when the handler painted the row itself.
  virtual bool DoBeforeItemPaint(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect);
  virtual void DoAfterItemPaint(TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect);
  virtual void DoBeforeCellPaint(TCanvas& TargetCanvas, PVNode Node, TColumnIndex Column,
                                 TVTCellPaintMode CellPaintMode, const TRect& CellRect, TRect& ContentRect);
  virtual void DoAfterCellPaint(TCanvas& TargetCanvas, PVNode Node, TColumnIndex Column,
                                const TRect& CellRect);
  virtual void DoGetLineStyle(void*& Bits);
  virtual void DoBeforeDrawLineImage(PVNode Node, int Level, int& PosX);
  // The menu for a node (asked for its parents too while the handler leaves AskParent set).
  virtual TPopupMenu* DoGetPopupMenu(PVNode Node, TColumnIndex Column, TPoint Position);
  // Whether a drag may start at the node (false unless a handler allows it).
  virtual bool DoBeforeDrag(PVNode Node, TColumnIndex Column);

  // Content width of a node's cell; 0 here, the string tree measures its text.
  virtual int GetNodeContentWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) { return 0; }
  virtual int GetNodeExtraWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) { return 0; }

  // Number of trees alive and whether the shared worker runs (for checks of its life cycle).
  static bool WorkerThreadRunning();

  void WndProc(TMessage& Message) override;

protected:
  friend class TWorkerThread;
  friend class TCustomNodeTreeOptions;
  friend class TVTVNodeEnumeration;
  friend class TVTAccessibilityFactory;
  friend class TVTHeader;
  friend class TNodeTreeColumns;
  friend class TNodeTreeColumn;

  // ---- node model
  PVNode AllocateNode();
  void CreateRootNode();
  std::uint32_t ReserveInternalNodeData(std::uint32_t Size);
  // The internal area at `position` (from ReserveInternalNodeData).
  void* InternalData(PVNode Node, std::uint32_t position) const;
  virtual void InitNode(PVNode Node);
  virtual void InitChildren(PVNode Node);
  void DoStateChange(TNodeTreeStates Enter, TNodeTreeStates Leave = {});
  void AddToTotalCount(PVNode Node, std::int64_t Value, bool Relative);
  void AddToTotalHeight(PVNode Node, std::int64_t Value, bool Relative);
  std::uint32_t CountVisibleDescendants(PVNode Node) const;
  void UpdateAllChildrenHiddenFlag(PVNode Node);
  void RefreshAllChildrenHiddenFlags();

  // ---- painting side: calls whose visible effect the painting layer builds.
  virtual void InvalidateNode(PVNode Node);
  virtual void InvalidateToBottom(PVNode Node);
  virtual void InvalidateTree() { Invalidate(); }
  virtual void UpdateScrollBars(bool DoRepaint);
  virtual void UpdateVerticalRange();
  virtual void UpdateEditBounds() { RefreshEditorBounds(); }
  virtual void SuspendRedraw(bool Suspend) {}
  // Animation of a toggle: the areas that move (before the change; Delta as in ToggleNode).
  void AnimateToggle(PVNode Node, std::int64_t Delta, bool Collapsing, const TRect& NodeRect);
  virtual bool ToggleAnimationStep(int Step, int StepSize);
  virtual void InvalidateColumn(TColumnIndex Column) {}
  int CheckImageWidth() const;


  // Routes the button messages to their handlers; false for every other message.
  bool DispatchTreeMessage(TMessage& Message);
  // ---- timers (window timers 1 to 8 on the program clock)
  void SetTreeTimer(unsigned ID, std::uint32_t Ms);
  void StopTreeTimer(unsigned ID);
  // The expiry of a timer (the window's timer handler).
  virtual void WMTimer(unsigned TimerID);

  // ---- mouse
  virtual void WMLButtonDown(TMessage& Message);
  virtual void WMLButtonUp(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);
  virtual void WMRButtonDown(TMessage& Message);
  virtual void WMRButtonUp(TMessage& Message);
  virtual void WMRButtonDblClk(TMessage& Message);
  virtual void WMMButtonDown(TMessage& Message);
  virtual void WMMButtonUp(TMessage& Message);
  virtual void WMMButtonDblClk(TMessage& Message);
  virtual void HandleMouseDown(TMessage& Message, THitInfo& HitInfo);
  virtual void HandleMouseUp(TMessage& Message, const THitInfo& HitInfo);
  virtual void HandleMouseDblClick(TMessage& Message, const THitInfo& HitInfo);
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void TrackHotNode(int X, int Y);
  bool NodeSplitterAllowed(TPoint P, PVNode Node, TColumnIndex Column);
  bool PopupMenuAvailable(PVNode Node, TColumnIndex Column, TPoint P);
  // The cursor for a client point (the window's cursor request); shown on the window.
  virtual void WMSetCursor(TPoint P);
  void WMContextMenu(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  // Another window takes the mouse or a modal state begins: pending mouse and key states end.
  virtual void WMCancelMode();
  void CMEnabledChanged(TMessage& Message) override;
  void WMMouseWheel(TMessage& Message) override;
  virtual void BeginWheelPanning(TPoint Position);
  virtual void EndWheelPanning();
  void UpdatePanningCursor(int X, int Y);
  virtual void ScrollOnTimer();
  virtual TScrollDirections ScrollDirectionsAt(int X, int Y);
  virtual bool AutoScrollAllowed() const;
  virtual void UpdateAutoScroll(int X, int Y);

  // ---- keys and focus
  void WMKeyDown(TMessage& Message) override;
  void WMKeyUp(TMessage& Message) override;
  void WMChar(TMessage& Message) override;
  unsigned DialogCode() const override;
  void WMSetFocus(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  void DoEnter() override;
  virtual void ProcessIncrementalSearch(std::uint16_t CharCode);
  void StopIncrementalSearch();

  // ---- editing
  virtual void RefreshEditorBounds();

  // ---- hints
  void CMHintShow(TMessage& Message) override;

  // ---- window
  void Resize() override;
  void WMVScroll(TMessage& Message) override;
  void WMHScroll(TMessage& Message) override;

  // ---- painting
  void Paint() override;
  // The buttons are filled with the tree's colour and barred in its font colour.
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  friend class TVTColors;
  friend class TScrollBarOptions;
  virtual void PaintNodeContent(TVTPaintInfo& PaintInfo) {}
  void EraseNodeBackground(TVTPaintInfo& PaintInfo, const TRect& R);
  void PaintCellBackground(TVTPaintInfo& PaintInfo);
  void PaintNodeLines(TVTPaintInfo& PaintInfo, int VAlignment, int IndentSize, const TLineImage& LineImage);
  void PaintLineImageCell(TVTPaintInfo& PaintInfo, int X, int Y, int H, int VAlign, TVTLineType Style,
                          bool Reverse);
  void PaintHorzDottedLine(TVTPaintInfo& PaintInfo, int Left, int Right, int Top);
  void PaintVertDottedLine(TVTPaintInfo& PaintInfo, int Top, int Bottom, int Left);
  void PaintExpandButton(TCanvas& Canvas, PVNode Node, const TRect& R, int ButtonX, int ButtonY);
  void PaintCheckBox(TCanvas& Canvas, const TVTImageSlot& Slot);
  void PaintNodeImage(TVTPaintInfo& PaintInfo, TVTImageSlotKind SlotKind);
  void QueryImage(TVTPaintInfo& PaintInfo, TVTImageKind Kind, TVTImageSlotKind SlotKind,
                  TImageList* DefaultImages);
  static void PlaceImage(int ImageWidth, int ImageHeight, int VAlign, TRect& R, TVTImageSlot& Slot);
  bool PaintsFocused() const;

  // ---- expanding
  void ToggleNodeNoStop(PVNode Node);

  // ---- update batching and position cache
  void StartOperation(TVTOperationKind Kind);
  void EndOperation(TVTOperationKind Kind);
  virtual void ValidatePositionCache();
  void InvalidatePositionCache();
  void StopCacheValidation();
  // Runs on the worker thread: fills `cache` for the shown nodes; false when stopped or trivial.
  virtual bool BuildPositionCache(TCache& cache);
  std::uint32_t PositionCacheSize() const;
  PVNode FindCacheEntryAtY(std::uint32_t Y, std::uint32_t& Top) const;
  PVNode FindCacheEntryForNode(PVNode Node, std::uint32_t& Top) const;
  // The height of a node as the worker sees it (measuring runs on the user-interface thread).
  std::uint32_t WorkerNodeHeight(PVNode Node);
  void ApplyMail(std::vector<TTreeMail>& mail);

  // ---- sorting, moving
  void SortChildren(PVNode Node, TColumnIndex Column, TSortDirection Direction);

  // ---- streams
  void WriteNode(TStream& Stream, PVNode Node);
  virtual void WriteChunks(TStream& Stream, PVNode Node);
  void ReadNode(TStream& Stream, int Version, PVNode Node, std::int64_t End);
  virtual void ReadChunks(TStream& Stream, int Version, PVNode Node, std::int64_t End);
  virtual bool ReadChunk(TStream& Stream, int Version, PVNode Node, int ChunkType, std::int64_t ChunkSize);
  void SkipNode(TStream& Stream);
  void FinishChunkHeader(TStream& Stream, std::int64_t StartPos, std::int64_t EndPos);
  void RecalcTotalCount(PVNode Node);
  void RecalcTotalHeight(PVNode Node);
  void ReadStreamNodes(TStream& Stream, int Version, PVNode Target);
  void RestoreSelection(PVNode Node);
  void LoadNodeInto(TStream& Stream, int Version, PVNode Node);

  // ---- structure
  virtual void LinkNode(PVNode Node, PVNode Destination, TBaseNodeTree* Target, TVTNodeAttachMode Mode);
  virtual void UnlinkNode(PVNode Node, bool KeepFocus, bool Reindex, bool ParentClearing);
  void ReindexPendingChildren(PVNode Parent = nullptr);
  void DeleteNode(PVNode Node, bool Reindex, bool ParentClearing);
  virtual void NotifyChange(PVNode Node);
  virtual void NotifyStructureChange(PVNode Node, TChangeReason Reason);
  virtual void RecordPendingChange(bool StructureChange, PVNode Node, TChangeReason Reason);
  virtual void AppendTempNode(PVNode Node);
  virtual void ClearTempNodes();
  void FreeNodeBlock(PVNode Node);

  // ---- selection
  virtual void AddNodesToSelection(TNodeArray& NewItems, int NewLength, bool ForceInsert);
  virtual void ResetSelection(bool NotifyChange);
  virtual int LevelDistance(PVNode Node1, PVNode Node2) const;
  virtual void ProvideFocusedNode();
  virtual bool LocateInSelection(PVNode Node, int& Index, int LowBound, int HighBound) const;
  virtual void EmptySelection();
  virtual void DetachFromSelection(PVNode Node);
  virtual void ChooseNextNodeToSelect(PVNode Node);
  virtual void ResetSelectionAnchor();
  virtual void SelectRange(PVNode StartNode, PVNode EndNode, bool AddOnly);
  virtual void FocusNodeInColumn(PVNode Node, TColumnIndex Column);
  virtual void ToggleRange(PVNode StartNode, PVNode EndNode);
  virtual void UnselectRange(PVNode StartNode, PVNode EndNode);
  bool MergeIntoSelection(TNodeArray& NewItems, int NewLength, bool ForceInsert);
  bool MergeNodeIntoSelection(PVNode Node, bool ForceInsert);
  void ApplyClickSelection(PVNode Node, bool DragPending, TShiftState Shift);
  // The rubber band: its moving corner follows the mouse; the nodes it sweeps change side.
  virtual bool TrackSelectionRect(int X, int Y);
  bool ApplyBandSelection();
  bool GatherBandNodesLeftToRight(TColumnIndex MainColumn, int MainLeft, int MainRight, TAlignment Alignment,
                                  const TRect& OldRect, const TRect& NewRect);
  bool GatherBandNodesRightToLeft(TColumnIndex MainColumn, int MainLeft, int MainRight, TAlignment Alignment,
                                  const TRect& OldRect, const TRect& NewRect);
  void CompactSelection();
  void MarkRemovedFromSelection(int Index);
  virtual void MoveFocusTo(PVNode Node, bool Ask);

  // ---- hit testing
  virtual void ClassifyHitLeftToRight(THitInfo& HitInfo, int X, int Width, TAlignment Alignment);
  virtual void ClassifyHitRightToLeft(THitInfo& HitInfo, int X, int Width, TAlignment Alignment);
  std::uint32_t HitIndentWidth(PVNode Node) const;
  bool ShowsCheckBox(PVNode Node) const;
  int ImageWidth(PVNode Node, TVTImageKind Kind, TColumnIndex Column);

  // ---- check boxes
  bool ChangeCheckState(PVNode Node, TCheckState Value);
  virtual void ApplyCheckState(PVNode Node, TCheckState Value);
  virtual bool UpdateParentCheckState(PVNode Node, TCheckState NewCheckState);

  // Fields: node model
  PVNode FRoot = nullptr;
  int FNodeDataSize = -1;
  std::uint32_t FTotalInternalDataSize = 0;
  std::uint32_t FDefaultNodeHeight = 18;
  std::uint32_t FVisibleCount = 0;
  std::uint32_t FUpdateCount = 0;
  // Parents whose children are renumbered once the update ends (their order holds meanwhile).
  std::unordered_set<PVNode> FReindexPending;
  std::uint32_t FSynchUpdateCount = 0;
  std::atomic<std::uint64_t> FStates{0};
  TNodeArray FSingletonNodeArray{nullptr};
  TNodeAllocator FAllocator;
  std::uint32_t FIndent = 18;
  int FMargin = 4;
  int FTextMargin = 4;
  TVTNodeAlignment FNodeAlignment = naProportional;
  std::uint32_t FAnimationDuration = 200;
  std::unique_ptr<TCustomNodeTreeOptions> FOptions;
  TColumnIndex FSortColumn = NoColumn;
  TSortDirection FSortDirection = sdAscending;
  TAlignment FAlignment = taLeftJustify;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TCheckImageKind FCheckImageKind = ckSystemDefault;
  TImageList* FCustomCheckImages = nullptr;
  std::uint32_t FCheckPropagationCount = 0;
  TImageList* FImages = nullptr;
  TImageList* FStateImages = nullptr;
  // Typed user data: how to make and end the owner's record.
  const std::type_info* FDataType = nullptr;
  void (*FDataConstruct)(void*) = nullptr;
  void (*FDataDestroy)(void*) = nullptr;

  // Fields: scrolling
  TScrollBarOptions FScrollBarOptions{this};
  TVTScrollBarState FVertBar, FHorzBar;
  int FWheelScrollLines = 3;

  // Fields: painting
  std::unique_ptr<TVTColors> FColors;
  std::string FEmptyListMessage;
  TVTLineStyle FLineStyle = lsDotted;
  TVTLineMode FLineMode = lmNormal;
  TVTButtonStyle FButtonStyle = bsRectangle;
  TVTButtonFillMode FButtonFillMode = fmTreeColor;
  // Drawn when first read after a rebuild asked for them (with the colours and styles of that
  // moment): a tree's creation and parenting ask several times, and many trees are never painted.
  struct TButtonLook {
    TVTButtonStyle Style;
    TVTButtonFillMode Fill;
    TColor Back, Line, Font;
  };
  mutable std::optional<TButtonLook> FPendingButtons;
  mutable TBitmap FPlusBM, FMinusBM, FHotPlusBM, FHotMinusBM, FSelectedHotPlusBM, FSelectedHotMinusBM;
  void DrawButtonBitmaps() const;
  // The 8x8 line pattern, one row per byte; a 0 bit shows the line colour.
  std::array<std::uint8_t, 8> FLinePattern{};
  bool FHotNodeButtonHit = false;
  bool FPaintingNow = false;

  // Fields: update batching and cache
  std::uint32_t FOperationCount = 0;
  bool FOperationCanceled = false;
  TCache FPositionCache;
  bool FInWorkerCall = false;
  bool FWorkerReferenced = false;

  // Fields: structure
  PVNode FLastChangedNode = nullptr;
  PVNode FLastStructureChangeNode = nullptr;
  TChangeReason FLastStructureChangeReason = crIgnore;
  std::uint32_t FChangeDelay = 0;
  TNodeArray FTempNodeCache;
  std::uint32_t FTempNodeCount = 0;
  PVNode FCheckNode = nullptr;
  PVNode FLastSearchNode = nullptr;
  PVNode FDropTargetNode = nullptr;
  PVNode FCurrentHotNode = nullptr;
  int FOffsetX = 0;
  int FOffsetY = 0;
  std::uint32_t FBottomSpace = 0;
  std::uint32_t FRangeX = 0;
  TTimer* FChangeTimer = nullptr;
  TTimer* FStructureChangeTimer = nullptr;


  // Fields: input
  std::array<TTimer*, 9> FTreeTimers{};
  TPoint FLastClickPos;
  TPoint FLastMousePos;
  TCursor FHotCursor = crDefault;
  PVNode FHeightTrackNode = nullptr;
  TColumnIndex FHeightTrackColumn = NoColumn;
  TPoint FHeightTrackPoint;
  TCheckState FPendingCheckState = csUncheckedNormal;
  TPanningWindow* FPanningWindow = nullptr;
  std::string FPanningCursorName;
  int FDragThreshold = 5;
  TColumnIndex FEditColumn = NoColumn;
  std::uint32_t FEditDelay = 1000;
  std::shared_ptr<IVTEditLink> FEditLink;
  TVTIncrementalSearch FIncrementalSearch = isNone;
  TVTSearchDirection FSearchDirection = sdForward;
  TVTSearchStart FSearchStart = ssFocusedNode;
  std::uint32_t FSearchTimeout = 1000;
  std::string FSearchBuffer;
  bool FWantTabs = false;
  TVTHintMode FHintMode = hmDefault;
  THintAnimationType FAnimationType = hatSystemDefault;
  TVTHintData FHintData;
  TRect FLastHintRect;
  std::int64_t FDragScrollStart = 0;
  std::uint32_t FAutoScrollDelay = 1000;
  std::uint32_t FAutoScrollInterval = 1;
  TToggleAnimation FToggleAnimation;
  // The running animation: its callback and timing (stepped by a timer on the program clock).
  struct TAnimationRun {
    TVTAnimationCallback Callback;
    std::uint32_t Steps = 0;
    int StepSize = 1;
    std::uint32_t RemainingSteps = 0;
    std::int64_t RemainingTime = 0;
    std::int64_t StepStart = 0;
  } FAnimation;
  TTimer* FAnimationTimer = nullptr;

  // Fields: selection
  TNodeArray FSelection;
  bool FSelectionMarked = false; // FSelection holds marks left by removals in an update
  int FSelectionCount = 0;
  bool FSelectionLocked = false;
  PVNode FRangeAnchor = nullptr;
  int FLastSelectionLevel = -1;
  PVNode FNextNodeToSelect = nullptr;
  PVNode FFocusedNode = nullptr;
  TColumnIndex FFocusedColumn = NoColumn;
  PVNode FLastSelected = nullptr;
  std::uint32_t FSelectionCurveRadius = 0;
  TShiftState FDrawSelShiftState = 0;
  TRect FLastSelRect;
  TRect FNewSelRect;

  // The platform's bars, made when first shown and kept in step with FVertBar and FHorzBar.
  void PlaceScrollBarControls();
  TScrollBar* FVertScrollBar = nullptr;
  TScrollBar* FHorzScrollBar = nullptr;
  bool FPlacingScrollBars = false;

  // Fields: header
  std::unique_ptr<TVTHeader> FHeader;

  // Fields: accessibility
  std::shared_ptr<IAccessible> FAccessible, FAccessibleItem;
  std::string FAccessibleName;

  // ---- clipboard, drag and drop
  virtual void MarkSelectionForCutCopy();
  virtual void RunOLEDragLoop(unsigned AllowedEffects, const IDataObjectPtr& DataObject, unsigned& DragEffect);
  virtual void EndDragCleanup();
  virtual bool DoDragOver(TObject* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode,
                          unsigned& Effect);
  virtual void DoDragDrop(TObject* Source, const IDataObjectPtr& DataObject, const TFormatArray& Formats,
                          TShiftState Shift, TPoint Pt, unsigned& Effect, TDropMode Mode);
  TShiftState DragShiftState(unsigned KeyState, bool ForDrop) const;
  // Whether the stream from its position to its end is whole node chunks (version 2, no header),
  // checked as the reader checks them, without touching the tree.
  static bool CheckNodeChunks(TStream& Stream);
  friend class TVTDragManager;
  TClipboardFormats FClipboardFormats{this};
  TLiveTreeId FLiveTreeId;
  std::shared_ptr<IVTDragManager> FDragManager;
  TDragOperations FDragOperations{doCopy, doMove};
  TDropMode FLastDropMode = dmNowhere;
  TNodeArray FDragSelection;
  unsigned FLastDragEffect = 0;
  TVTDragType FDragType = dtOLE;
  TVTDragImageKind FDragImageKind = diComplete;
  TVTDragImage FDragImage{this, 200, true};
  int FDragWidth = 200;
  int FDragHeight = 350;
  std::uint32_t FAutoExpandDelay = 1000;
  TVTNodeAttachMode FDefaultPasteMode = amAddChildLast;
};

// The tree that owns a node.
TBaseNodeTree* TreeOfNode(PVNode Node);

// The program's resources the tree needs (for the start-up resource check).
const std::vector<std::string>& TreeResourceNames();

template <class T> void TBaseNodeTree::SetNodeDataType() {
  static_assert(alignof(T) <= TVNode::AreaAlignment, "the node areas are not aligned enough for this type");
  if (FDataType && *FDataType == typeid(T)) return;
  // Records of another type must not outlive the switch: their nodes go first.
  Clear();
  Assert(RootNodeCount() == 0, ClassName() + ": the user data type cannot change while nodes exist.");
  SetNodeDataSize(static_cast<int>(sizeof(T) < sizeof(void*) ? sizeof(void*) : sizeof(T)));
  FDataType = &typeid(T);
  FDataConstruct = [](void* p) { new (p) T(); };
  FDataDestroy = [](void* p) { static_cast<T*>(p)->~T(); };
}

template <class T> T* TBaseNodeTree::GetNodeData(PVNode Node) {
  if (FDataType == nullptr || *FDataType != typeid(T))
    throw EAssertionFailed(ClassName() + ": the user data of the nodes is not of the asked type.");
  void* data = GetNodeData(Node);
  if (!data) return nullptr;
  if (!Node->States.Has(vsUserDataConstructed)) {
    FDataConstruct(data);
    Node->States.Include(vsUserDataConstructed);
  }
  return static_cast<T*>(data);
}
