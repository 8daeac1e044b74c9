// Wheel panning with the middle button and the automatic scrolling at the window's edges, both
// stepped by timer 4.
#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/PanningWindow.h"
#include "platform/ui/Resources.h"
#include "tree/NodeTrees.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace {

// The panning pictures and direction cursors, each registered with the screen under its own number.
constexpr std::array<const char*, 11> PanningNames = {"VT_MOVEALL", "VT_MOVEEW", "VT_MOVENS", "VT_MOVEN",
                                                      "VT_MOVENE",  "VT_MOVEE",  "VT_MOVESE", "VT_MOVES",
                                                      "VT_MOVESW",  "VT_MOVEW",  "VT_MOVENW"};
constexpr TCursor FirstPanningCursor = 70;

TCursor PanningCursor(const std::string& name) {
  for (std::size_t i = 0; i < PanningNames.size(); ++i)
    if (name == PanningNames[i]) {
      const TCursor index = FirstPanningCursor + static_cast<TCursor>(i);
      if (!Screen->HasCursor(index)) Screen->SetCursors(index, ResourceBitmap(name), {16, 16}, ResourceKeyColor);
      return index;
    }
  return crDefault;
}

} // namespace

const std::vector<std::string>& TreeResourceNames() {
  static const std::vector<std::string> names(PanningNames.begin(), PanningNames.end());
  return names;
}

void TBaseNodeTree::BeginWheelPanning(TPoint Position) {
  StopTreeTimer(ScrollTimer);
  DoStateChange({tsWheelPanning, tsWheelScrolling});
  const bool wider = static_cast<int>(FRangeX) > ClientWidth();
  const bool taller = static_cast<int>(RangeY()) > ClientHeight();
  const char* image = wider && taller ? "VT_MOVEALL" : wider ? "VT_MOVEEW" : "VT_MOVENS";
  // A click that closes the window reaches the tree too (it has the mouse), which ends the pan.
  if (!FPanningWindow) FPanningWindow = new TPanningWindow(nullptr);
  FPanningWindow->ShowAt(ClientToScreen(Position), ResourceBitmap(image));
  FPanningCursorName = image;
  ShowWindowCursor(PanningCursor(image));
  if (CanFocus() && !Focused()) SetFocus();
  SetMouseCapture(true);
  SetTreeTimer(ScrollTimer, 20);
}

void TBaseNodeTree::EndWheelPanning() {
  if (!TreeStates().Has(tsWheelPanning) && !TreeStates().Has(tsWheelScrolling)) return;
  StopTreeTimer(ScrollTimer);
  SetMouseCapture(false);
  DoStateChange({}, {tsWheelPanning, tsWheelScrolling});
  if (TPanningWindow* w = FPanningWindow) {
    FPanningWindow = nullptr;
    w->Free();
  }
  FPanningCursorName.clear();
  ShowWindowCursor(Cursor());
}

void TBaseNodeTree::UpdatePanningCursor(int X, int Y) {
  const int dx = X - FLastClickPos.X, dy = Y - FLastClickPos.Y;
  const bool wider = static_cast<int>(FRangeX) > ClientWidth();
  const bool taller = static_cast<int>(RangeY()) > ClientHeight();
  std::string name;
  if (std::abs(dx) > 7 || std::abs(dy) > 7) {
    if (wider && taller) {
      const int band = dy < -8 ? 0 : dy < 9 ? 1 : 2;
      if (dx < -8)
        name = band == 0 ? "VT_MOVENW" : band == 1 ? "VT_MOVEW" : "VT_MOVESW";
      else if (dx < 9)
        name = dy < 0 ? "VT_MOVEN" : "VT_MOVES";
      else
        name = band == 0 ? "VT_MOVENE" : band == 1 ? "VT_MOVEE" : "VT_MOVESE";
    } else if (wider) {
      name = dx < 0 ? "VT_MOVEW" : "VT_MOVEE";
    } else {
      name = dy < 0 ? "VT_MOVEN" : "VT_MOVES";
    }
  } else {
    name = !wider ? "VT_MOVENS" : taller ? "VT_MOVEALL" : "VT_MOVEEW";
  }
  if (name == FPanningCursorName) return;
  FPanningCursorName = name;
  ShowWindowCursor(PanningCursor(name));
}

// ---------------------------------------------------------------- automatic scrolling

bool TBaseNodeTree::AutoScrollAllowed() const {
  const bool panning = TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling);
  const bool dragOver = (FDragManager && FDragManager->GetIsDropTarget()) || TreeStates().Has(tsVCLDragging);
  return (Has(toAutoScroll) || panning) && (IsMouseSelecting() || dragOver || panning);
}

TScrollDirections TBaseNodeTree::ScrollDirectionsAt(int X, int Y) {
  TScrollDirections result;
  if (!AutoScrollAllowed()) return result;
  if (TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling)) {
    if (X < FLastClickPos.X - 8) result.Include(sdLeft);
    if (X > FLastClickPos.X + 8) result.Include(sdRight);
    if (Y < FLastClickPos.Y - 8) result.Include(sdUp);
    if (Y > FLastClickPos.Y + 8) result.Include(sdDown);
    return result;
  }
  const int edge = static_cast<int>(FDefaultNodeHeight);
  if (X < edge && EffectiveOffsetX() != 0) result.Include(sdLeft);
  if (ClientWidth() + EffectiveOffsetX() < static_cast<int>(FRangeX) && X > ClientWidth() - edge)
    result.Include(sdRight);
  if (Y < edge && FOffsetY != 0) result.Include(sdUp);
  if (ClientHeight() - FOffsetY < static_cast<int>(RangeY()) && Y > ClientHeight() - edge) result.Include(sdDown);
  return result;
}

void TBaseNodeTree::UpdateAutoScroll(int X, int Y) {
  const TScrollDirections directions = ScrollDirectionsAt(X, Y);
  if (TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling)) return;
  if (directions.Empty()) {
    if (TreeStates().Has(tsScrollPending) || TreeStates().Has(tsScrolling)) {
      StopTreeTimer(ScrollTimer);
      DoStateChange({}, {tsScrollPending, tsScrolling});
    }
  } else if (!TreeStates().Has(tsScrollPending) && !TreeStates().Has(tsScrolling)) {
    DoStateChange({tsScrollPending});
    SetTreeTimer(ScrollTimer, FAutoScrollDelay);
  }
}

void TBaseNodeTree::ScrollOnTimer() {
  const TPoint p = FLastMousePos;
  const bool inClient = ClientRect().Contains(p);
  const bool panning = TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling);
  const bool banding = TreeStates().Has(tsDrawSelecting);
  if (!banding && !inClient && !panning) return;
  const TScrollDirections dirs = ScrollDirectionsAt(p.X, p.Y);
  int dx = 0, dy = 0;
  const int incY = std::min(FScrollBarOptions.VerticalIncrement(), ClientHeight());
  const int incX = FScrollBarOptions.HorizontalIncrement();
  if (dirs.Has(sdUp) && FOffsetY != 0) {
    if (panning)
      dy = FLastClickPos.Y - p.Y - 8;
    else
      dy = inClient ? incY : incY * std::max(1, -p.Y);
  }
  if (dirs.Has(sdDown) && ClientHeight() - FOffsetY != static_cast<int>(RangeY())) {
    if (panning)
      dy = FLastClickPos.Y - p.Y + 8;
    else
      dy = inClient ? -incY : -incY * std::max(1, p.Y - ClientHeight());
  }
  if (dirs.Has(sdLeft) && EffectiveOffsetX() != 0) {
    if (panning)
      dx = FLastClickPos.X - p.X - 8;
    else
      dx = inClient ? incX : incX * std::max(1, -p.X);
  }
  if (dirs.Has(sdRight) && ClientWidth() + EffectiveOffsetX() != static_cast<int>(FRangeX)) {
    if (panning)
      dx = FLastClickPos.X - p.X + 8;
    else
      dx = inClient ? -incX : -incX * std::max(1, p.X - ClientWidth());
  }
  if (FBiDiMode != bdLeftToRight) dx = -dx;
  if (banding) {
    ApplyScrollOffsets(TPoint{FOffsetX + dx, FOffsetY + dy}, ScrollAll);
    if (TrackSelectionRect(p.X, p.Y) && ApplyBandSelection()) Invalidate();
    Invalidate();
  } else if (dx != 0 || dy != 0) {
    ApplyScrollOffsets(TPoint{FOffsetX + dx, FOffsetY + dy}, ScrollAll);
  }
  Update();
  if (dirs.Empty() && !panning) {
    StopTreeTimer(ScrollTimer);
    DoStateChange({}, {tsScrolling, tsScrollPending});
  }
}
