// The event types of the tree: each event is an optional callable whose first argument is the tree.
#pragma once

#include "platform/ui/Classes.h"
#include "platform/Colors.h"
#include "platform/ui/Types.h"
#include "tree/NodeTypes.h"

#include <functional>
#include <string>

class TBitmap;
class TCanvas;
class TImageList;
class TPopupMenu;
class TStream;

using TVTInitNodeEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode ParentNode, PVNode Node, TVNodeInitStates& InitialStates)>;
using TVTInitChildrenEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, std::uint32_t& ChildCount)>;
using TVTFreeNodeEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node)>;
using TVTGetNodeDataSizeEvent = std::function<void(TBaseNodeTree* Sender, int& NodeDataSize)>;
using TVTChangeEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node)>;
using TVTStructureChangeEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TChangeReason Reason)>;
using TVTChangingEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, bool& Allowed)>;
using TVTCheckChangingEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TCheckState& NewState, bool& Allowed)>;
using TVTNodeMovingEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, PVNode Target, bool& Allowed)>;
using TVTNodeMovedEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node)>;
using TVTNodeCopyingEvent = TVTNodeMovingEvent;
using TVTNodeCopiedEvent = TVTNodeMovedEvent;
using TVTCompareEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node1, PVNode Node2, TColumnIndex Column, int& Result)>;
using TVTSaveNodeEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TStream& Stream)>;
using TVTSaveTreeEvent = std::function<void(TBaseNodeTree* Sender, TStream& Stream)>;
using TVTStateChangeEvent = std::function<void(TBaseNodeTree* Sender, TNodeTreeStates Enter, TNodeTreeStates Leave)>;
using TVTUpdatingEvent = std::function<void(TBaseNodeTree* Sender, TVTUpdateState State)>;
using TVTOperationEvent = std::function<void(TBaseNodeTree* Sender, TVTOperationKind OperationKind)>;
using TVTAddToSelectionEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node)>;
using TVTRemoveFromSelectionEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node)>;
using TVTFocusChangingEvent = std::function<void(TBaseNodeTree* Sender, PVNode OldNode, PVNode NewNode,
                                                 TColumnIndex OldColumn, TColumnIndex NewColumn, bool& Allowed)>;
using TVTFocusChangeEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column)>;
using TVTMeasureItemEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PVNode Node, int& NodeHeight)>;
using TVTGetImageEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TVTImageKind Kind,
                                            TColumnIndex Column, bool& Ghosted, int& ImageIndex)>;
using TVTGetImageExEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TVTImageKind Kind, TColumnIndex Column, bool& Ghosted,
                       int& ImageIndex, TImageList*& ImageList)>;
using TVTGetCellIsEmptyEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column, bool& IsEmpty)>;
using TVTHotNodeChangeEvent = std::function<void(TBaseNodeTree* Sender, PVNode OldNode, PVNode NewNode)>;
using TVTNodeClickEvent = std::function<void(TBaseNodeTree* Sender, const THitInfo& HitInfo)>;
using TVTColumnClickEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column, TShiftState Shift)>;
using TVTColumnDblClickEvent = TVTColumnClickEvent;
using TVTKeyActionEvent =
    std::function<void(TBaseNodeTree* Sender, std::uint16_t& CharCode, TShiftState& Shift, bool& DoDefault)>;
using TVTIncrementalSearchEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, const std::string& SearchText, int& Result)>;
using TVTGetCursorEvent = std::function<void(TBaseNodeTree* Sender, int& Cursor)>;
using TVTScrollEvent = std::function<void(TBaseNodeTree* Sender, int DeltaX, int DeltaY)>;
using TVTScrollBarShowEvent = std::function<void(TBaseNodeTree* Sender, int Bar, bool Show)>;
using TVTGetHelpContextEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column, int& HelpContext)>;
using TVTGetImageTextEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TVTImageKind Kind,
                                                TColumnIndex Column, std::string& ImageText)>;
using TVTCanSplitterResizeNodeEvent =
    std::function<void(TBaseNodeTree* Sender, TPoint P, PVNode Node, TColumnIndex Column, bool& Allowed)>;
using TVTNodeHeightTrackingEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column, TShiftState Shift,
                       TPoint& TrackPoint, TPoint P, bool& Allowed)>;
using TVTNodeHeightDblClickResizeEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node,
                                                            TColumnIndex Column, TShiftState Shift, TPoint P,
                                                            bool& Allowed)>;
using TVTEditChangingEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column, bool& Allowed)>;

// Painting and the other events the painting and input layers fire.
enum TItemEraseAction { eaColor, eaDefault, eaNone };
enum TVTCellPaintMode { cpmPaint, cpmGetContentMargin };

using TVTPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas)>;
using TVTBackgroundPaintEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, const TRect& R, bool& Handled)>;
using TVTBeforeItemEraseEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect,
                       TColor& ItemColor, TItemEraseAction& EraseAction)>;
using TVTAfterItemEraseEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node, const TRect& ItemRect)>;
using TVTBeforeItemPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node,
                                                   const TRect& ItemRect, bool& CustomDraw)>;
using TVTAfterItemPaintEvent = TVTAfterItemEraseEvent;
using TVTBeforeCellPaintEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node, TColumnIndex Column,
                       TVTCellPaintMode CellPaintMode, const TRect& CellRect, TRect& ContentRect)>;
using TVTAfterCellPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node,
                                                  TColumnIndex Column, const TRect& CellRect)>;
using TVTGetLineStyleEvent = std::function<void(TBaseNodeTree* Sender, void*& Bits)>;
using TVTBeforeDrawLineImageEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, int Level, int& PosX)>;
using TVTPrepareButtonImagesEvent =
    std::function<void(TBaseNodeTree* Sender, TBitmap* APlusBM, TBitmap* APlusHotBM, TBitmap* APlusSelectedHotBM,
                       TBitmap* AMinusBM, TBitmap* AMinusHotBM, TBitmap* AMinusSelectedHotBM, TSize& ASize)>;
using TVTPopupEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column, TPoint P,
                                         bool& AskParent, TPopupMenu*& PopupMenu)>;
using TVTDragAllowedEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column, bool& Allowed)>;
using TVTEditChangeEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column)>;
using TVTEditCancelEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column)>;
