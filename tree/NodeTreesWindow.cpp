// The tree's window: its numbered timers on the program clock, the routing of the button
// messages, and the handlers of size, scroll bars, wheel, enabling and invalidation.
#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/ExtCtrls.h"
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include <algorithm>

// ---------------------------------------------------------------- timers

void TBaseNodeTree::SetTreeTimer(unsigned ID, std::uint32_t Ms) {
  if (ID == 0 || ID >= FTreeTimers.size()) return;
  TTimer*& timer = ID == ChangeTimer            ? FChangeTimer
                   : ID == StructureChangeTimer ? FStructureChangeTimer
                                                : FTreeTimers[ID];
  if (!timer) {
    timer = new TTimer(this);
    timer->SetEnabled(false);
    timer->OnTimer = [this, ID](TObject*) { WMTimer(ID); };
  }
  // A zero interval stands for "as soon as possible", as the window timer's minimum does.
  timer->SetEnabled(false);
  timer->SetInterval(std::max<std::uint32_t>(Ms, 1));
  timer->SetEnabled(true);
}

void TBaseNodeTree::StopTreeTimer(unsigned ID) {
  if (ID == 0 || ID >= FTreeTimers.size()) return;
  TTimer* timer = ID == ChangeTimer            ? FChangeTimer
                  : ID == StructureChangeTimer ? FStructureChangeTimer
                                               : FTreeTimers[ID];
  if (timer) timer->SetEnabled(false);
}

bool TBaseNodeTree::TreeTimerRunning(unsigned ID) const {
  if (ID == 0 || ID >= FTreeTimers.size()) return false;
  const TTimer* timer = ID == ChangeTimer            ? FChangeTimer
                        : ID == StructureChangeTimer ? FStructureChangeTimer
                                                     : FTreeTimers[ID];
  return timer && timer->Enabled();
}

void TBaseNodeTree::WMTimer(unsigned TimerID) {
  switch (TimerID) {
  case ExpandTimer:
    ExpandDropTarget();
    break;
  case EditTimer:
    StartEditing();
    break;
  case ScrollTimer:
    if (TreeStates().Has(tsScrollPending)) {
      Application->CancelHint();
      SetTreeTimer(ScrollTimer, FAutoScrollInterval);
      DoStateChange({tsScrolling}, {tsScrollPending});
    }
    ScrollOnTimer();
    break;
  case SearchTimer:
    StopIncrementalSearch();
    break;
  case HeaderTimer:
    FHeader->HoverTimerTick();
    break;
  case ThemeChangeTimer:
    StopTreeTimer(ThemeChangeTimer);
    Invalidate();
    break;
  default:
    StopTreeTimer(TimerID);
    break;
  }
}

// ---------------------------------------------------------------- message routing

bool TBaseNodeTree::DispatchTreeMessage(TMessage& Message) {
  switch (Message.Msg) {
  case WM_COPY:
    CopyToClipboard();
    return true;
  case WM_CUT:
    CutToClipboard();
    return true;
  case WM_PASTE:
    PasteFromClipboard();
    return true;
  case WM_LBUTTONDOWN:
    WMLButtonDown(Message);
    return true;
  case WM_LBUTTONUP:
    WMLButtonUp(Message);
    return true;
  case WM_LBUTTONDBLCLK:
    WMLButtonDblClk(Message);
    return true;
  case WM_RBUTTONDOWN:
    WMRButtonDown(Message);
    return true;
  case WM_RBUTTONUP:
    WMRButtonUp(Message);
    return true;
  case WM_RBUTTONDBLCLK:
    WMRButtonDblClk(Message);
    return true;
  case WM_MBUTTONDOWN:
    WMMButtonDown(Message);
    return true;
  case WM_MBUTTONUP:
    WMMButtonUp(Message);
    return true;
  case WM_MBUTTONDBLCLK:
    WMMButtonDblClk(Message);
    return true;
  default:
    return false;
  }
}

// ---------------------------------------------------------------- size, scroll bars, wheel

void TBaseNodeTree::Resize() {
  TCustomControl::Resize();
  // Sizing during construction comes before the nodes exist.
  if (!FRoot || !FColors) return;
  if (TreeStates().Has(tsSizing) || TreeStates().Has(tsWindowCreating) || ClientHeight() < 1) return;
  DoStateChange({tsSizing});
  try {
    UpdateScrollBars(true);
    TMessage size{WM_SIZE, 0, 0, 0};
    FHeader->ProcessMessage(size);
    FHeader->DistributeSpringWidth();
    if (IsEditing()) RefreshEditorBounds();
  } catch (...) {
    DoStateChange({}, {tsSizing});
    throw;
  }
  DoStateChange({}, {tsSizing});
}

void TBaseNodeTree::WMVScroll(TMessage& Message) {
  HandleVScroll(static_cast<unsigned>(Message.WParam & 0xFFFF), static_cast<int>(Message.LParam));
}

void TBaseNodeTree::WMHScroll(TMessage& Message) {
  HandleHScroll(static_cast<unsigned>(Message.WParam & 0xFFFF), static_cast<int>(Message.LParam));
}

void TBaseNodeTree::WMMouseWheel(TMessage& Message) {
  EndWheelPanning();
  TCustomControl::WMMouseWheel(Message);
  if (Message.Result != 0) return;
  Message.Result = 1;
  const auto shift = static_cast<TShiftState>(Message.WParam & 0xFFFF);
  const int delta = static_cast<std::int16_t>((Message.WParam >> 16) & 0xFFFF);
  HandleWheelScroll(delta, shift);
}

void TBaseNodeTree::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

// ---------------------------------------------------------------- invalidation

TRect TBaseNodeTree::InvalidateNodeRect(PVNode Node) {
  if (FUpdateCount > 0 || !HasWidget() || !Node || Node == FRoot) return Rect(-1, -1, -1, -1);
  if (!Node->States.Has(vsInitialized)) {
    // Its place would initialise it; a node just reset is repainted with the rest.
    Invalidate();
    return ClientRect();
  }
  const TRect r = GetDisplayRect(Node, NoColumn, false);
  InvalidateClientRect(r);
  return r;
}

void TBaseNodeTree::InvalidateNode(PVNode Node) {
  InvalidateNodeRect(Node);
}

void TBaseNodeTree::InvalidateToBottom(PVNode Node) {
  if (FUpdateCount > 0 || !HasWidget()) return;
  if (!Node || Node == FRoot) {
    Invalidate();
    return;
  }
  if (!Node->States.Has(vsInitialized) || !IsEffectivelyVisible(Node)) return;
  TRect r = GetDisplayRect(Node, NoColumn, false);
  if (r.Top >= ClientHeight()) return;
  if (Has(toChildrenAbove) && Node->States.Has(vsExpanded))
    r.Top -= static_cast<int>(NodeHeight(Node) + Node->TotalHeight);
  r.Bottom = ClientHeight();
  InvalidateClientRect(r);
}

void TBaseNodeTree::RepaintNode(PVNode Node) {
  if (!Node || Node == FRoot) return;
  InvalidateNodeRect(Node);
  Update();
}
