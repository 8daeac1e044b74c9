// What the tree does for its header and columns: the main column, the resize notification, the
// header's place above the client area and its repaint.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include "platform/ui/KeyState.h"
#include "platform/ui/Messages.h"

#include <algorithm>

TColumnIndex TBaseNodeTree::MainColumn() const {
  return FHeader ? FHeader->MainColumn() : NoColumn;
}

void TBaseNodeTree::SetHeader(const TVTHeader& Value) {
  FHeader->Assign(&Value);
}

void TBaseNodeTree::CycleColumnCheckState(TColumnIndex Column) {
  TNodeTreeColumns& columns = FHeader->Columns();
  if (!columns.IsValidColumn(Column)) return;
  TNodeTreeColumn* column = columns[Column];
  column->SetCheckState(NextCheckState(column->CheckType(), column->CheckState()));
}

void TBaseNodeTree::DoColumnResize(TColumnIndex Column) {
  if (Destroying()) return;
  // Multi-line nodes are measured again for the new width.
  for (PVNode node = GetFirstInitialized(); node; node = GetNextInitialized(node))
    if (node->States.Has(vsMultiline)) node->States.Exclude(vsHeightMeasured);
  UpdateHorizontalScrollBar(false);
  TNodeTreeColumns& columns = FHeader->Columns();
  if (columns.IsValidColumn(Column)) {
    if (Has(toAutoSpanColumns)) {
      Invalidate();
    } else {
      int left = 0, right = 0;
      columns.GetColumnBounds(Column, left, right);
      if (FBiDiMode == bdRightToLeft)
        InvalidateClientRect(TRect{0, 0, right, ClientHeight()});
      else
        InvalidateClientRect(TRect{left, 0, ClientWidth(), ClientHeight()});
    }
    FHeader->Invalidate(columns[Column], true);
  }
  if (FHeader->States().Has(hsColumnWidthTracking) && !FHeader->States().Has(hsResizing)) Update();
  if (OnColumnResize && !FHeader->States().Has(hsResizing)) OnColumnResize(FHeader.get(), Column);
  UpdateEditBounds();
}

void TBaseNodeTree::DoColumnVisibilityChanged(TColumnIndex Column, bool Visible) {
  if (OnColumnVisibilityChanged) OnColumnVisibilityChanged(this, Column, Visible);
}

int TBaseNodeTree::HeaderHeightShown() const {
  return FHeader && FHeader->Has(hoVisible) ? FHeader->Height() : 0;
}

void TBaseNodeTree::HeaderFrameChanged() {
  if (Destroying()) return;
  UpdateScrollBars(false);
  Invalidate();
}

void TBaseNodeTree::InvalidateHeaderRect(const TRect& R) {
  if (Destroying()) return;
  // The header lies above the client area; the control's surface holds both.
  InvalidateRect(R);
}

void TBaseNodeTree::InvalidateClientRect(const TRect& R) {
  const int shift = HeaderHeightShown();
  InvalidateRect(TRect{R.Left, R.Top + shift, R.Right, R.Bottom + shift});
}

bool TBaseNodeTree::ShowHeaderCursor(TPoint P) {
  if (!FHeader || !FHeader->UseColumns()) return false;
  TMessage m{WM_SETCURSOR, 0, MakeLParam(P.X, P.Y), 0};
  FHeader->NoteMousePosition(P, true);
  if (!FHeader->ProcessMessage(m)) return false;
  // While tracking the cursor stays as it is.
  if (FHeader->States().Empty()) ShowWindowCursor(static_cast<TCursor>(m.LParam));
  return true;
}

bool TBaseNodeTree::RouteHeaderMessage(TMessage& Message) {
  if (!FHeader) return false;
  const unsigned msg = Message.Msg;
  const bool mouse = msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK;
  const int shown = HeaderHeightShown();
  if (mouse && shown > 0) {
    const TPoint w{LParamX(Message.LParam), LParamY(Message.LParam)};
    if (w.Y < shown && FHeader->States().Empty()) {
      // The header's strip: a non-client message with the screen point.
      const TPoint screen = TControl::ClientToScreen(w);
      TMessage nc{msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, Message.WParam, MakeLParam(screen.X, screen.Y), 0};
      const bool handled = FHeader->ProcessMessage(nc);
      if (msg == WM_MOUSEMOVE) {
        if (!ShowHeaderCursor(TPoint{w.X, w.Y - shown})) ShowWindowCursor(Cursor());
      } else if (!handled && msg == WM_LBUTTONDOWN && CanFocus() && !Focused()) {
        SetFocus();
      }
      Message.Result = nc.Result;
      return true;
    }
    Message.LParam = MakeLParam(w.X, w.Y - shown);
  }
  // A context menu asked for over the header is the header's (its right-button release shows it).
  if (msg == WM_CONTEXTMENU && shown > 0 && Message.LParam != MakeLParam(-1, -1) &&
      ScreenToClient(TPoint{LParamX(Message.LParam), LParamY(Message.LParam)}).Y < 0)
    return true;
  if (mouse && msg == WM_MOUSEMOVE)
    FHeader->NoteMousePosition(TPoint{LParamX(Message.LParam), LParamY(Message.LParam)}, true);
  if (msg == CM_MOUSELEAVE) FHeader->NoteMousePosition(TPoint{-1, -1}, false);
  if (!FHeader->UseColumns() && FHeader->States().Empty()) return false;
  return FHeader->ProcessMessage(Message);
}

void TBaseNodeTree::SetBiDiMode(TBiDiMode value) {
  if (FBiDiMode == value) return;
  FBiDiMode = value;
  if (!FHeader) return;
  HeaderParentChanged();
  if (Has(toAutoBidiColumnOrdering)) FHeader->Columns().ResetPositionOrder(FBiDiMode == bdRightToLeft);
}

void TBaseNodeTree::HeaderParentChanged() {
  if (!FHeader) return;
  TNodeTreeColumns& columns = FHeader->Columns();
  for (int i = 0; i < columns.Count(); ++i) {
    columns[i]->ParentColorChanged();
    columns[i]->ParentBiDiModeChanged();
  }
  if (FHeader->ParentFont()) FHeader->Font().Assign(Font());
}

bool TBaseNodeTree::ShowHeaderHint(THintInfo& Info) {
  FLastHintRect = Rect(0, 0, 0, 0);
  if (!FHeader->UseColumns() || !FHeader->Has(hoShowHint) || !EffectiveShowHint() ||
      !FHeader->States().Empty() || MouseCapture())
    return false;
  // No hint while the left button is held on the header.
  if (GetKeyState(VK_LBUTTON) < 0) return false;
  int left = 0, right = 0;
  const TColumnIndex column = FHeader->Columns().ColumnAndEdgesAt(Info.CursorPos, left, true, right);
  if (column < 0) return false;
  const std::string& hint = FHeader->Columns()[column]->Hint();
  if (hint.empty()) return false;
  const int shown = HeaderHeightShown();
  Info.HintStr = hint;
  Info.CursorRect = TRect{left, 0, right, shown};
  Info.HintPos.Y = std::max(Info.HintPos.Y, ClientToScreen(TPoint{0, 0}).Y);
  return true;
}

TPoint TBaseNodeTree::ClientToScreen(TPoint P) const {
  return TControl::ClientToScreen(TPoint{P.X, P.Y + HeaderHeightShown()});
}

TPoint TBaseNodeTree::ScreenToClient(TPoint P) const {
  const TPoint local = TControl::ScreenToClient(P);
  return TPoint{local.X, local.Y - HeaderHeightShown()};
}
