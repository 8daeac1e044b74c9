// Keyboard input: focus movement and range selection with the cursor and paging keys, scrolling
// with Ctrl, expanding and collapsing, the space-key check, select all, help, F2, Escape, and
// incremental search with its time-out; the focus messages.
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Forms.h"
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include <algorithm>

namespace {

// The main keyboard's keys that type "*", "+", "-" and "/" act as the keypad's.
std::uint16_t KeypadEquivalent(std::uint16_t key, TShiftState shift) {
  if (key == VK_OEM_PLUS && (shift & ssShift)) return VK_ADD;
  if (key == VK_OEM_MINUS && !(shift & ssShift)) return VK_SUBTRACT;
  if (key == VK_OEM_2 && !(shift & ssShift)) return VK_DIVIDE;
  if (key == '8' && (shift & ssShift)) return VK_MULTIPLY;
  return key;
}

} // namespace

unsigned TBaseNodeTree::DialogCode() const {
  return DLGC_WANTARROWS | DLGC_WANTCHARS | (FWantTabs ? DLGC_WANTTAB : 0);
}

void TBaseNodeTree::WMKeyDown(TMessage& Message) {
  // The platform's handling first: OnKeyDown (and a previewing form) may take the key.
  std::uint16_t key = static_cast<std::uint16_t>(Message.WParam);
  TShiftState shift = ShiftOfKeyData(Message.LParam) & (ssShift | ssCtrl | ssAlt);
  bool taken = false;
  {
    const auto before = OnKeyDown;
    bool seen = false;
    std::uint16_t after = key;
    OnKeyDown = [&](TObject* sender, std::uint16_t& k, TShiftState s) {
      seen = true;
      if (before) before(sender, k, s);
      after = k;
    };
    try {
      TCustomControl::WMKeyDown(Message);
    } catch (...) {
      OnKeyDown = before;
      throw;
    }
    OnKeyDown = before;
    taken = !seen || after == 0;
    key = after;
  }
  if (taken || !DoKeyAction(key, shift)) return;

  if (TreeStates().Has(tsKeyCheckPending) && key != VK_SPACE) {
    DoStateChange({}, {tsKeyCheckPending});
    if (PVNode node = FCheckNode) {
      node->CheckState = UnpressedCheckState(node->CheckState);
      FCheckNode = nullptr;
      RepaintNode(node);
    }
  }

  const bool navigation = key == VK_BACK || key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN);
  if (navigation && RootNodeCount() > 0) {
    const bool shiftSelect = (shift & ssShift) && Has(toMultiSelect) && !IsEditing();
    bool rangeKey = (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME) && shiftSelect;
    const bool repaint = rangeKey || FSelectionCount > 1;
    const bool clearFirst = shift == 0 || (Has(toGridExtensions) && !(shift & ssShift)) ||
                            !Has(toMultiSelect) || key == VK_BACK || key == VK_TAB;
    PVNode oldFocus = FFocusedNode;
    if (!oldFocus && shift != 0) oldFocus = GetFirstVisible(nullptr, true);
    if (!FRangeAnchor) FRangeAnchor = FSelectionCount > 0 ? GetFirstSelected() : GetFirst();
    const int dir = FBiDiMode == bdLeftToRight ? 1 : -1;
    const bool ctrl = shift & ssCtrl;
    auto before = [&](PVNode a, PVNode b) { return a && b && CompareTreeOrder(a, b, true) < 0; };

    switch (key) {
    case VK_BACK:
      if (TreeStates().Has(tsIncrementalSearching))
        DoStateChange({tsIncrementalSearchPending});
      else if (FFocusedNode && FFocusedNode->Parent != FRoot)
        SetFocusedNode(FFocusedNode->Parent);
      break;
    case VK_TAB:
      if (Has(toExtendedFocus) && FHeader->UseColumns() && (shift & ~ssShift) == 0) {
        // Walk the cells: the next focusable column, past the last one on to the next node.
        const bool back = shift & ssShift;
        const TNodeTreeColumns& columns = FHeader->Columns();
        PVNode node = FFocusedNode ? FFocusedNode : GetFirstVisible(nullptr, true);
        TColumnIndex column = FFocusedNode ? FFocusedColumn : NoColumn;
        while (node) {
          column = column < 0
                       ? (back ? columns.GetLastVisibleColumn(true) : columns.GetFirstVisibleColumn(true))
                       : (back ? columns.GetPreviousVisibleColumn(column, true)
                               : columns.GetNextVisibleColumn(column, true));
          if (column < 0) {
            node = back ? GetPreviousVisible(node, true) : GetNextVisible(node, true);
            continue;
          }
          if (DoFocusChanging(FFocusedNode, node, FFocusedColumn, column)) {
            FocusNodeInColumn(node, column);
            break;
          }
        }
      }
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      const bool up = key == VK_PRIOR;
      if ((shift & ssCtrl) && (shift & ssShift)) {
        SetOffsetX(FOffsetX + (up ? ClientWidth() : -ClientWidth()));
      } else if ((shift & ssShift) && (shift & ssAlt)) {
        const TNodeTreeColumns& columns = FHeader->Columns();
        if (FFocusedColumn < 0) {
          SetFocusedColumn(columns.GetFirstVisibleColumn());
        } else if (columns.IsValidColumn(FFocusedColumn)) {
          // A page of columns: as many as fit beside the fixed ones.
          TColumnIndex c = FFocusedColumn;
          int w = columns.GetVisibleFixedWidth();
          for (;;) {
            const TColumnIndex p = up ? columns.GetPreviousVisibleColumn(c) : columns.GetNextVisibleColumn(c);
            if (p < 0 || w + columns[c]->Width() >= ClientWidth() || columns[p]->Has(coFixed)) break;
            w += columns[c]->Width();
            c = p;
          }
          SetFocusedColumn(c);
        }
      } else if (ctrl) {
        SetOffsetY(FOffsetY + (up ? ClientHeight() : -ClientHeight()));
      } else {
        PVNode node = FFocusedNode;
        if (!node) {
          node = up ? GetFirstVisible(nullptr, true) : GetLastVisible(nullptr, true);
        } else {
          int walked = 0;
          for (;;) {
            PVNode next = up ? GetPreviousVisible(node, true) : GetNextVisible(node, true);
            if (!next) break;
            walked += static_cast<int>(NodeHeight(up ? node : next));
            if (walked >= ClientHeight()) break;
            node = next;
            if (!up && walked + static_cast<int>(NodeHeight(node)) > ClientHeight()) break;
          }
        }
        if (node) SetFocusedNode(node);
      }
      break;
    }
    case VK_HOME:
    case VK_END: {
      const bool home = (key == VK_HOME) == (dir == 1);
      PVNode node = home ? GetFirstVisible(nullptr, true) : GetLastVisible(nullptr, true);
      // The first (last) visible column that accepts the focus; none without columns.
      TColumnIndex column = NoColumn;
      if (FHeader->UseColumns()) {
        const TNodeTreeColumns& columns = FHeader->Columns();
        column = home ? columns.GetFirstVisibleColumn(true) : columns.GetLastVisibleColumn(true);
        while (column >= 0 && !DoFocusChanging(FFocusedNode, node, FFocusedColumn, column))
          column = home ? columns.GetNextVisibleColumn(column, true)
                        : columns.GetPreviousVisibleColumn(column, true);
        if (column < 0) break;
      }
      if (ctrl && !(shift & (ssShift | ssAlt)) && !Has(toGridExtensions)) {
        ScrollIntoView(node, Has(toCenterScrollIntoView), !Has(toDisableAutoscrollOnFocus));
        SetOffsetX(key == VK_HOME && dir == 1 ? 0 : -2147483647);
      } else {
        if (node && (!Has(toGridExtensions) || ctrl)) SetFocusedNode(node);
        if (Has(toGridExtensions) && !Has(toFullRowSelect) && column >= 0) SetFocusedColumn(column);
      }
      break;
    }
    case VK_LEFT:
      if (ctrl) {
        SetOffsetX(FOffsetX + dir * (FHeader->UseColumns() ? FHeader->Columns().GetScrollWidth()
                                                           : FScrollBarOptions.HorizontalIncrement()));
      } else if (Has(toExtendedFocus) && Has(toGridExtensions) && FHeader->UseColumns()) {
        const TNodeTreeColumns& columns = FHeader->Columns();
        const TColumnIndex column = FFocusedColumn < 0 ? columns.GetFirstVisibleColumn(true)
                                    : dir == 1 ? columns.GetPreviousVisibleColumn(FFocusedColumn, true)
                                               : columns.GetNextVisibleColumn(FFocusedColumn, true);
        if (column >= 0) SetFocusedColumn(column);
      } else if (FFocusedNode) {
        if (FFocusedNode->States.Has(vsExpanded) && FFocusedNode->ChildCount > 0 && shift == 0) {
          ToggleNode(FFocusedNode);
        } else if (FFocusedNode->Parent != FRoot) {
          PVNode node = FFocusedNode, parent = node->Parent;
          if (shiftSelect) {
            if (node != GetFirstVisibleChild(parent))
              rangeKey = true;
            else if (before(FRangeAnchor, parent))
              RemoveFromSelection(node);
          }
          SetFocusedNode(parent);
        }
      } else {
        SetFocusedNode(GetFirstVisible(nullptr, true));
      }
      break;
    case VK_RIGHT:
      if (ctrl) {
        SetOffsetX(FOffsetX - dir * (FHeader->UseColumns() ? FHeader->Columns().GetScrollWidth()
                                                           : FScrollBarOptions.HorizontalIncrement()));
      } else if (Has(toExtendedFocus) && Has(toGridExtensions) && FHeader->UseColumns()) {
        const TNodeTreeColumns& columns = FHeader->Columns();
        const TColumnIndex column = FFocusedColumn < 0 ? columns.GetFirstVisibleColumn(true)
                                    : dir == 1         ? columns.GetNextVisibleColumn(FFocusedColumn, true)
                                               : columns.GetPreviousVisibleColumn(FFocusedColumn, true);
        if (column >= 0) SetFocusedColumn(column);
      } else if (FFocusedNode) {
        if (!FFocusedNode->States.Has(vsExpanded) && HasChildren(FFocusedNode) && shift == 0) {
          ToggleNode(FFocusedNode);
        } else if (PVNode child = GetFirstVisibleChild(FFocusedNode)) {
          if (shiftSelect && before(child, FRangeAnchor)) RemoveFromSelection(FFocusedNode);
          SetFocusedNode(child);
        }
      } else {
        SetFocusedNode(GetFirstVisible(nullptr, true));
      }
      break;
    case VK_UP:
    case VK_DOWN: {
      const bool up = key == VK_UP;
      if (ctrl) {
        SetOffsetY(FOffsetY + (up ? 1 : -1) * static_cast<int>(FDefaultNodeHeight));
        break;
      }
      PVNode node = FFocusedNode
                        ? (up ? GetPreviousVisible(FFocusedNode, true) : GetNextVisible(FFocusedNode, true))
                        : (up ? GetLastVisible(nullptr, true) : GetFirstVisible(nullptr, true));
      if (!node) {
        if (FFocusedNode) RepaintNode(FFocusedNode);
        break;
      }
      if (IsEditing() && !EndEditNode()) break;
      if (FFocusedNode &&
          (!shiftSelect || (up ? before(FRangeAnchor, oldFocus) : before(oldFocus, FRangeAnchor))))
        RemoveFromSelection(FFocusedNode);
      if (FFocusedColumn < 0) FFocusedColumn = MainColumn();
      SetFocusedNode(node);
      break;
    }
    default:
      break;
    }

    bool cleared = false;
    if (clearFirst && (FFocusedNode != oldFocus || FSelectionCount != 1)) {
      ClearSelection();
      cleared = true;
    }
    if (shift == 0 && FFocusedNode) {
      FRangeAnchor = FFocusedNode;
      FLastSelectionLevel = static_cast<int>(GetNodeLevel(FFocusedNode));
    }
    if (FFocusedNode) {
      if (rangeKey) ToggleRange(oldFocus, FFocusedNode);
      if (FFocusedNode != oldFocus || cleared) AddToSelection(FFocusedNode);
    }
    if (repaint) Invalidate();
    return;
  }

  std::uint16_t k = KeypadEquivalent(key, shift);
  const bool searching = TreeStates().Has(tsIncrementalSearching);
  if (searching && (k == VK_MULTIPLY || k == VK_ADD || k == VK_SUBTRACT || k == VK_DIVIDE)) k = 0;
  const bool ctrl = shift & ssCtrl;
  switch (k) {
  case VK_ESCAPE:
    if (IsMouseSelecting()) {
      DoStateChange({}, {tsDrawSelPending, tsDrawSelecting});
      Invalidate();
    } else if (IsEditing()) {
      CancelEditNode();
    }
    break;
  case VK_SPACE:
    if (Has(toCheckSupport) && FFocusedNode && FFocusedNode->CheckType != ctNone) {
      const TNodeTreeStates s = TreeStates();
      if (s.Has(tsKeyCheckPending) || s.Has(tsMouseCheckPending) || FFocusedNode->States.Has(vsDisabled))
        break;
      TCheckState newState = NextCheckState(FFocusedNode->CheckType, FFocusedNode->CheckState);
      if (DoChecking(FFocusedNode, newState)) {
        DoStateChange({tsKeyCheckPending});
        FCheckNode = FFocusedNode;
        FPendingCheckState = newState;
        FFocusedNode->CheckState = PressedCheckState(FFocusedNode->CheckState);
        RepaintNode(FFocusedNode);
      }
    } else {
      DoStateChange({tsIncrementalSearchPending});
    }
    break;
  case 'A':
    if (ctrl) {
      if (Has(toMultiSelect)) SelectAll(true);
    } else if (!(shift & ssAlt)) {
      DoStateChange({tsIncrementalSearchPending});
    }
    break;
  case VK_APPS:
    if (FFocusedNode) {
      const TRect r = GetDisplayRect(FFocusedNode, FFocusedColumn, true);
      const int width = std::min(GetNodeContentWidth(FFocusedNode, FFocusedColumn, &Canvas()), ClientWidth());
      DoPopupMenu(FFocusedNode, FFocusedColumn, {r.Left + width / 2, (r.Top + r.Bottom) / 2});
    } else {
      DoPopupMenu(nullptr, FFocusedColumn, {-1, -1});
    }
    break;
  case VK_MULTIPLY:
    FullExpand(FFocusedNode);
    break;
  case VK_ADD:
    if (ctrl) {
      if (Has(toReverseFullExpandHotKey) != bool(shift & ssShift))
        FullExpand(nullptr);
      else
        FHeader->AutoFitColumns(true, smaUseColumnOption, -1, -1);
    } else if (FFocusedNode && !FFocusedNode->States.Has(vsExpanded)) {
      ToggleNode(FFocusedNode);
    }
    break;
  case VK_SUBTRACT:
    if (ctrl) {
      if (Has(toReverseFullExpandHotKey) != bool(shift & ssShift))
        FullCollapse(nullptr);
      else
        FHeader->RestoreColumns();
    } else if (FFocusedNode && FFocusedNode->States.Has(vsExpanded)) {
      ToggleNode(FFocusedNode);
    }
    break;
  case VK_DIVIDE:
    FullCollapse(FFocusedNode);
    break;
  case VK_F1:
    // The help context is asked for; opening help is the application's.
    if (OnGetHelpContext) (void)DoGetHelpContext(FFocusedNode, std::max(FFocusedColumn, 0));
    break;
  case VK_F2:
    if (shift == 0 && FFocusedNode && CanEdit(FFocusedNode, FFocusedColumn)) {
      FEditColumn = FFocusedColumn;
      StartEditing();
    }
    break;
  default: {
    const bool oneOfAltCtrl = bool(shift & ssAlt) != bool(shift & ssCtrl);
    if (key >= 32 && !oneOfAltCtrl) DoStateChange({tsIncrementalSearchPending});
    break;
  }
  }
}

void TBaseNodeTree::WMKeyUp(TMessage& Message) {
  TCustomControl::WMKeyUp(Message);
  const auto key = static_cast<std::uint16_t>(Message.WParam);
  if (key == VK_TAB) ProvideFocusedNode();
  if (key == VK_SPACE && TreeStates().Has(tsKeyCheckPending)) {
    DoStateChange({}, {tsKeyCheckPending});
    if (PVNode node = FCheckNode) {
      node->CheckState = UnpressedCheckState(node->CheckState);
      if (node == FFocusedNode) ApplyCheckState(node, FPendingCheckState);
      InvalidateNode(node);
    }
    FCheckNode = nullptr;
  }
}

void TBaseNodeTree::WMChar(TMessage& Message) {
  if (TreeStates().Has(tsIncrementalSearchPending)) {
    ProcessIncrementalSearch(static_cast<std::uint16_t>(Message.WParam));
    DoStateChange({}, {tsIncrementalSearchPending});
  }
  TCustomControl::WMChar(Message);
}

// ---------------------------------------------------------------- incremental search

void TBaseNodeTree::SetIncrementalSearch(TVTIncrementalSearch value) {
  if (FIncrementalSearch == value) return;
  FIncrementalSearch = value;
  if (value == isNone) {
    StopTreeTimer(SearchTimer);
    FSearchBuffer.clear();
    FLastSearchNode = nullptr;
  }
}

void TBaseNodeTree::StopIncrementalSearch() {
  DoStateChange({}, {tsIncrementalSearching});
  StopTreeTimer(SearchTimer);
  FSearchBuffer.clear();
  FLastSearchNode = nullptr;
}

void TBaseNodeTree::ProcessIncrementalSearch(std::uint16_t CharCode) {
  StopTreeTimer(SearchTimer);
  if (FIncrementalSearch == isNone) return;
  auto restart = [this] { SetTreeTimer(SearchTimer, FSearchTimeout); };
  if (CharCode == 0) {
    restart();
    return;
  }
  DoStateChange({tsIncrementalSearching});
  const bool backspace = CharCode == 8;
  if (backspace && FSearchBuffer.empty()) {
    restart();
    return;
  }
  std::string character;
  if (!backspace) {
    // The character as UTF-8.
    const char32_t c = CharCode;
    if (c < 0x80) {
      character = std::string(1, static_cast<char>(c));
    } else if (c < 0x800) {
      character += static_cast<char>(0xC0 | (c >> 6));
      character += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      character += static_cast<char>(0xE0 | (c >> 12));
      character += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      character += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  PVNode start = FSearchStart == ssAlwaysStartOver ? nullptr
                 : FSearchStart == ssLastHit       ? FLastSearchNode
                                                   : FFocusedNode;
  if (start && FIncrementalSearch == isInitializedOnly && !start->States.Has(vsInitialized)) start = nullptr;
  if (start && FIncrementalSearch == isVisibleOnly && (!FullyVisible(start) || IsEffectivelyFiltered(start)))
    start = nullptr;
  bool forward = FSearchDirection == sdForward;
  if (backspace) forward = !forward;

  bool repeat = false;
  if (!backspace && FSearchBuffer.size() == character.size() && FSearchBuffer == character) {
    repeat = true;
    if (start && DoIncrementalSearch(start, FSearchBuffer + character) == 0) repeat = false;
  }

  auto step = [&](PVNode n) -> PVNode {
    switch (FIncrementalSearch) {
    case isInitializedOnly:
      return forward ? GetNextNoInit(n) : GetPreviousNoInit(n);
    case isVisibleOnly:
      return forward ? GetNextVisible(n, false) : GetPreviousVisible(n, false);
    default:
      return forward ? GetNext(n) : GetPrevious(n);
    }
  };
  auto first = [&]() -> PVNode {
    switch (FIncrementalSearch) {
    case isInitializedOnly:
      return forward ? GetFirstNoInit() : GetLastNoInit();
    case isVisibleOnly:
      return forward ? GetFirstVisible(nullptr, false) : GetLastVisible(nullptr, false);
    default:
      return forward ? GetFirst() : GetLast();
    }
  };

  std::string text;
  if (repeat) {
    text = FSearchBuffer;
  } else if (backspace) {
    // Drop the last character (a whole UTF-8 sequence).
    std::size_t cut = FSearchBuffer.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(FSearchBuffer[cut]) & 0xC0) == 0x80)
      --cut;
    FSearchBuffer.erase(cut);
    text = FSearchBuffer;
  } else {
    text = FSearchBuffer + character;
  }

  const bool advance = FSearchBuffer.empty() || !start || repeat || backspace;
  PVNode node = advance ? (start ? step(start) : first()) : start;
  if (advance && !node && start) node = first();
  PVNode found = nullptr;
  PVNode last = nullptr;
  while (node) {
    last = node;
    if (DoIncrementalSearch(node, text) == 0) {
      found = node;
      break;
    }
    PVNode next = step(node);
    if (!next) {
      // Past the end the walk wraps, but only when it began at a node.
      if (!start) break;
      next = first();
    }
    if (next == start || next == node) break;
    node = next;
  }
  if (found) {
    ClearSelection();
    FSearchBuffer = text;
    FLastSearchNode = found;
    SetFocusedNode(found);
    SetSelected(found, true);
  } else if (last) {
    MessageBeep(0);
  }
  restart();
}

// ---------------------------------------------------------------- focus

void TBaseNodeTree::WMSetFocus(TMessage& Message) {
  TCustomControl::WMSetFocus(Message);
  if (!(FSelectionCount == 0 && Has(toGhostedIfUnfocused))) Invalidate();
}

void TBaseNodeTree::WMKillFocus(TMessage& Message) {
  TCustomControl::WMKillFocus(Message);
  if (TreeStates().Has(tsHint)) {
    Application->CancelHint();
    DoStateChange({}, {tsHint});
  }
  EndWheelPanning();
  for (unsigned id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer})
    StopTreeTimer(id);
  FSearchBuffer.clear();
  FLastSearchNode = nullptr;
  DoStateChange({}, {tsEditPending, tsNodeHeightTracking, tsNodeHeightTrackPending, tsIncrementalSearching,
                     tsLeftButtonDown, tsMiddleButtonDown, tsOLEDragPending, tsRightButtonDown, tsScrolling,
                     tsScrollPending, tsVCLDragPending});
  if (FSelectionCount == 0 && Has(toGhostedIfUnfocused)) {
    if (FFocusedNode) InvalidateNode(FFocusedNode);
  } else {
    Invalidate();
  }
}

void TBaseNodeTree::DoEnter() {
  TCustomControl::DoEnter();
  EnsureNodeSelected();
}
