// The events of the tree that concern its header and columns. The tree holds them (it derives from
// TVTHeaderEvents); the header fires them, most with itself as the sender.
#pragma once

#include "platform/ui/Classes.h"
#include "platform/ui/Types.h"
#include "tree/NodeTypes.h"

#include <cstdint>
#include <functional>

class TCanvas;
class TVTHeader;
class TNodeTreeColumn;
enum TSmartAutoFitType : int;

enum TVTHeaderHitPosition { hhiNoWhere, hhiOnColumn, hhiOnIcon, hhiOnCheckbox };
using TVTHeaderHitPositions = TEnumSet<TVTHeaderHitPosition, std::uint8_t>;

struct TVTHeaderHitInfo {
  int X = 0;
  int Y = 0;
  TMouseButton Button = mbLeft;
  TShiftState Shift = 0;
  TColumnIndex Column = NoColumn;
  TVTHeaderHitPositions HitPosition;
};

enum TVTDropMarkMode { dmmNone, dmmLeft, dmmRight };
enum THeaderPaintElement { hpeBackground, hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText };
using THeaderPaintElements = TEnumSet<THeaderPaintElement, std::uint8_t>;

struct THeaderPaintInfo {
  TCanvas* TargetCanvas = nullptr;
  TNodeTreeColumn* Column = nullptr;
  TRect PaintRectangle;
  TRect TextRectangle;
  bool IsHoverIndex = false, IsDownIndex = false, IsEnabled = false, ShowHeaderGlyph = false,
       ShowSortGlyph = false, ShowRightBorder = false;
  TVTDropMarkMode DropMark = dmmNone;
  TPoint GlyphPos, SortGlyphPos;
};

using TVTHeaderClickEvent = std::function<void(TVTHeader* Sender, const TVTHeaderHitInfo& HitInfo)>;
using TVTHeaderMouseEvent =
    std::function<void(TVTHeader* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TVTHeaderMouseMoveEvent = std::function<void(TVTHeader* Sender, TShiftState Shift, int X, int Y)>;
using TVTHeaderDraggingEvent = std::function<void(TVTHeader* Sender, TColumnIndex Column, bool& Allowed)>;
using TVTHeaderDraggedEvent = std::function<void(TVTHeader* Sender, TColumnIndex Column, int OldPosition)>;
using TVTHeaderDraggedOutEvent =
    std::function<void(TVTHeader* Sender, TColumnIndex Column, TPoint DropPosition)>;
using TVTHeaderNotifyEvent = std::function<void(TVTHeader* Sender, TColumnIndex Column)>;
using TVTColumnVisibilityEvent = std::function<void(TObject* Sender, TColumnIndex Column, bool Visible)>;
using TVTColumnWidthTrackingEvent = std::function<void(
    TVTHeader* Sender, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P, bool& Allowed)>;
using TVTBeforeColumnWidthTrackingEvent =
    std::function<void(TVTHeader* Sender, TColumnIndex Column, TShiftState Shift)>;
using TVTColumnWidthDblClickResizeEvent =
    std::function<void(TVTHeader* Sender, TColumnIndex Column, TShiftState Shift, TPoint P, bool& Allowed)>;
using TVTHeaderHeightTrackingEvent =
    std::function<void(TVTHeader* Sender, TPoint& P, TShiftState Shift, bool& Allowed)>;
using TVTBeforeHeaderHeightTrackingEvent = std::function<void(TVTHeader* Sender, TShiftState Shift)>;
using TVTAfterHeaderHeightTrackingEvent = std::function<void(TVTHeader* Sender)>;
using TVTCanSplitterResizeColumnEvent =
    std::function<void(TVTHeader* Sender, TPoint P, TColumnIndex Column, bool& Allowed)>;
using TVTCanSplitterResizeHeaderEvent = std::function<void(TVTHeader* Sender, TPoint P, bool& Allowed)>;
using TVTGetHeaderCursorEvent = std::function<void(TVTHeader* Sender, int& Cursor)>;
using TVTBeforeAutoFitColumnsEvent =
    std::function<void(TVTHeader* Sender, TSmartAutoFitType& SmartAutoFitType)>;
using TVTAfterAutoFitColumnsEvent = std::function<void(TVTHeader* Sender)>;
using TVTBeforeAutoFitColumnEvent = std::function<void(TVTHeader* Sender, TColumnIndex Column,
                                                       TSmartAutoFitType& SmartAutoFitType, bool& Allowed)>;
using TVTBeforeGetMaxColumnWidthEvent =
    std::function<void(TVTHeader* Sender, TColumnIndex Column, bool& UseSmartColumnWidth)>;
using TVTAfterGetMaxColumnWidthEvent =
    std::function<void(TVTHeader* Sender, TColumnIndex Column, int& MaxWidth)>;
using TVTHeaderPaintEvent =
    std::function<void(TVTHeader* Sender, TCanvas& HeaderCanvas, TNodeTreeColumn* Column, const TRect& R,
                       bool Hover, bool Pressed, TVTDropMarkMode DropMark)>;
using TVTHeaderPaintQueryElementsEvent =
    std::function<void(TVTHeader* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements& Elements)>;
using TVTAdvancedHeaderPaintEvent =
    std::function<void(TVTHeader* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements Elements)>;

struct TVTHeaderEvents {
  TVTHeaderClickEvent OnHeaderClick;
  TVTHeaderClickEvent OnHeaderDblClick;
  TVTHeaderMouseEvent OnHeaderMouseDown;
  TVTHeaderMouseEvent OnHeaderMouseUp;
  TVTHeaderMouseMoveEvent OnHeaderMouseMove;
  TVTHeaderDraggingEvent OnHeaderDragging;
  TVTHeaderDraggedEvent OnHeaderDragged;
  TVTHeaderDraggedOutEvent OnHeaderDraggedOut;
  TVTHeaderNotifyEvent OnColumnResize;
  TVTColumnVisibilityEvent OnColumnVisibilityChanged;
  TVTColumnWidthTrackingEvent OnColumnWidthTracking;
  TVTBeforeColumnWidthTrackingEvent OnBeforeColumnWidthTracking;
  TVTHeaderNotifyEvent OnAfterColumnWidthTracking;
  TVTColumnWidthDblClickResizeEvent OnColumnWidthDblClickResize;
  TVTHeaderHeightTrackingEvent OnHeaderHeightTracking;
  TVTBeforeHeaderHeightTrackingEvent OnBeforeHeaderHeightTracking;
  TVTAfterHeaderHeightTrackingEvent OnAfterHeaderHeightTracking;
  TVTHeaderHeightTrackingEvent OnHeaderHeightDblClickResize;
  TVTCanSplitterResizeColumnEvent OnCanSplitterResizeColumn;
  TVTCanSplitterResizeHeaderEvent OnCanSplitterResizeHeader;
  TVTGetHeaderCursorEvent OnGetHeaderCursor;
  TVTBeforeAutoFitColumnsEvent OnBeforeAutoFitColumns;
  TVTAfterAutoFitColumnsEvent OnAfterAutoFitColumns;
  TVTBeforeAutoFitColumnEvent OnBeforeAutoFitColumn;
  TVTHeaderNotifyEvent OnAfterAutoFitColumn;
  TVTBeforeGetMaxColumnWidthEvent OnBeforeGetMaxColumnWidth;
  TVTAfterGetMaxColumnWidthEvent OnAfterGetMaxColumnWidth;
  TVTHeaderPaintEvent OnHeaderDraw;
  TVTHeaderPaintQueryElementsEvent OnHeaderDrawQueryElements;
  TVTAdvancedHeaderPaintEvent OnAdvancedHeaderDraw;
};
