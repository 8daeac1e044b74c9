// The left press on the grid: what it hit (a control in a cell, a node, a link, a header, an
// ordinary cell) and what that does, in the order the cell events promise.
#include "grid/ProGrid.h"

#include "controls/AsgHTMLE.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilUnicode.h"
#include "platform/Process.h"
#include "platform/ui/Application.h"
#include "platform/ui/ExtCtrls.h"

#include <algorithm>
#include <cmath>

namespace {

bool InCells(const TProStringGrid& g, int ACol, int ARow) {
  return ACol >= 0 && ARow >= 0 && ACol < g.ColCount() && ARow < g.RowCount();
}

// Only web and mail addresses leave the program; a cell text must never start a local program
// or open a local file.
bool IsOpenableAnchor(const std::string& Anchor) {
  std::string lower;
  lower.reserve(Anchor.size());
  for (char ch : Anchor)
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  // Leading blanks would let "  file:..." pass a naive test elsewhere; none is opened here.
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0 || lower.rfind("mailto:", 0) == 0;
}

} // namespace

bool TProStringGrid::MouseMessage(TMessage& Message) {
  switch (Message.Msg) {
  case WM_LBUTTONDOWN:
    if (FPanning) StopPanning();
    WMLButtonDown(Message);
    return true;
  case WM_LBUTTONUP:
    WMLButtonUp(Message);
    return true;
  case WM_LBUTTONDBLCLK:
    if (FPanning) StopPanning();
    WMLButtonDblClk(Message);
    return true;
  case WM_RBUTTONDOWN:
    if (FPanning) StopPanning();
    WMRButtonDown(Message);
    return true;
  case WM_RBUTTONUP:
    WMRButtonUp(Message);
    return true;
  case WM_MBUTTONDOWN:
    if (FPanning) {
      StopPanning();
    } else if (FIntelliPan != ipNone && RowCount() > FixedRows()) {
      FPanPrevCursor = Cursor();
      FPanning = true;
      FPanOrigin = {LParamX(Message.LParam), LParamY(Message.LParam)};
      FPanPoint = FPanOrigin;
      SetCursor(8000);
      SetMouseCapture(true);
      SetShowHint(false);
      if (!FPanTimer) {
        FPanTimer = new TTimer(this);
        FPanTimer->OnTimer = [this](TObject*) { PanStep(); };
      }
      FPanTimer->SetInterval(10);
      FPanTimer->SetEnabled(true);
      Invalidate();
    }
    return false;
  case WM_KEYDOWN:
    if (FPanning) StopPanning();
    return false;
  default:
    return false;
  }
}

void TProStringGrid::WMLButtonDown(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
  FSpinUpClick = FSpinDnClick = false;
  const TGridCoord hit = MouseToCell(X, Y);
  int ACol = hit.X, ARow = hit.Y;

  // A drag on the resizer's handle copies the selection over a larger range.
  if (FMouseSelectMode == msResize && FSelectionResizer && FSelectionRectangle) {
    FDropSelection = Selection();
    // The release pastes this into the grown selection, which fills it.
    CopySelectionToClipboard();
    FMouseResize = true;
    SetGridState(gsSelecting);
    Message.Result = 1;
    return;
  }

  if ((Options() & goEditing) && FMouseActions->RangeSelectAndEdit()) {
    // A one-cell selection contains its cell: the test is inclusive on every side.
    const TGridRect s = Selection();
    const bool inside = ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
    if (!inside) SetOptions(Options() & ~goEditing);
  }

  if (OnCanClickCell) {
    bool allow = true;
    OnCanClickCell(this, ARow, ACol, allow);
    if (!allow) return;
  }
  if (FCellSelectorMode) {
    CellSelectorClick(ACol, ARow);
    return;
  }

  // The shift state the grid's own OnMouseDown calls pass: one key, the last that holds.
  const TShiftState held = KeyShiftState();
  TShiftState keyShift = 0;
  if (held & ssCtrl) keyShift = ssCtrl;
  if (held & ssShift) keyShift = ssShift;
  if (held & ssAlt) keyShift = ssAlt;

  if (FMouseActions->DisjunctCellSelect() && !(held & ssCtrl) && ACol >= FixedCols() && ARow >= FixedRows()) {
    ClearSelectedCells();
    Invalidate();
  }

  SetSearchInc("");
  FMoveColInd = FMoveRowInd = -1;
  FSelectionClick = false;
  FPushedCellButton = {-1, -1};
  FOldKeepLeftCol = LeftCol();
  FOldTopRow = TopRow();
  FClickPos = {X, Y};
  FClickPosDX = FClickPosDY = 0;
  {
    // The border a sizing press grabs belongs to the cell left of (above) it.
    const TGridCoord sized = MouseToCell(X - 5, Y - 4);
    if (sized.X >= 0) FClickPosDX = X - ComputeCellRect(sized.X, std::max(sized.Y, 0)).Right;
    if (sized.Y >= 0) FClickPosDY = Y - ComputeCellRect(std::max(sized.X, 0), sized.Y).Bottom;
  }

  if (ACol < 0 || ARow < 0) {
    HideInplaceEdit();
    if (!FFixedRowAlways) RuntimeWndProc(Message);
    return;
  }
  const int pressCol = ACol, pressRow = ARow;
  {
    const int rc = RealColIndex(ACol);
    if (rc >= 0) {
      const TPoint base = BaseCell(rc, ARow);
      ACol = RealToDisplCol(base.X);
      ARow = base.Y;
    }
  }
  if (FMouseActions->CaretPositioning()) FLButFlg = true;

  const bool fixedArea = ACol < FixedCols() || ARow < FixedRows();
  if (fixedArea || IsFixed(ACol, ARow)) HideInplaceEdit();

  if (fixedArea && FFixedAsButtons && (Options() & goFixedVertLine) && (Options() & goFixedHorzLine) &&
      !(ACol == 0 && IsNode(ARow) && IsNodeClick(ARow, X))) {
    FPushedFixedCell = ComputeCellRect(ACol, ARow);
    FPushedCellButton = {ACol, ARow};
    FFixedCellPushed = true;
    InvalidateRect(FPushedFixedCell);
  }

  PressClassify(ACol, ARow, pressCol, pressRow, X, Y, Message, keyShift);
}

void TProStringGrid::PressClassify(int ACol, int ARow, int PressCol, int PressRow, int X, int Y,
                                   TMessage& Message, TShiftState KeyShift) {
  const int RealCol = RealColIndex(ACol);
  const TRect r = ComputeCellRect(ACol, ARow);

  if (FSpinButtonsAlwaysVisible && HasSpinEdit(RealCol, ARow) && X > r.Right - 18) {
    if (Y > (r.Top + r.Bottom) / 2)
      FSpinDnClick = true;
    else
      FSpinUpClick = true;
  }

  if (ACol == 0 && ARow < FixedRows() && IsNode(ARow) && IsNodeClick(ARow, X) &&
      FMouseActions->NodeAllExpandContract()) {
    if (GetNodeState(ARow))
      ExpandAll();
    else
      ContractAll();
    SetNodeState(ARow, !GetNodeState(ARow));
  }

  if (PressNode(ACol, ARow, X, Y, KeyShift)) return;

  if (IsRadio(RealCol, ARow) && (IsEditable(RealCol, ARow) || FControlLook.RadioAlwaysActive())) {
    HideInplaceEdit();
    RadioGroupClick(RealCol, ARow, X - r.Left, Y - r.Top);
    if (CanFocus()) SetFocus();
    return;
  }

  if (ACol == 0 && ARow >= FixedRows() && HasNodes() && !FMouseActions->RowSelect() &&
      !(Options() & goRowSizing)) {
    FireMouseDown(mbLeft, KeyShift, X, Y);
    if (OnClickCell) OnClickCell(this, ARow, ACol);
    return;
  }

  // A press on the selection keeps it, so that moving the mouse can drag it out of the grid; the
  // release selects the cell when no drag started.
  const bool fixedRow = ARow < FixedRows();
  if (FDragDropSettings.OleDropSource() && !(Options() & goEditing) && ACol >= FixedCols() &&
      (IsSelected(ACol, ARow) || (fixedRow && !FEnhRowColMove)) && !HasButton(RealCol, ARow) &&
      !HasCheckBox(RealCol, ARow) &&
      !(fixedRow && (FMouseActions->ColSelect() || FMouseActions->AllSelect())) &&
      (!(Options() & goColSizing) || (X >= r.Left + 4 && X <= r.Right - 4))) {
    if (CanFocus()) SetFocus();
    FireMouseDown(mbLeft, KeyShift, X, Y);
    FSelectionClick = true;
    FOlePressCell = {ACol, ARow};
    if (OnClickCell) OnClickCell(this, ARow, ACol);
    return;
  }

  if (HasRating(RealCol, ARow) && IsEditable(RealCol, ARow)) {
    HideInplaceEdit();
    double value = std::trunc((X - r.Left) / 9.0) / 2.0;
    if (RatingChange(RealCol, ARow, value)) {
      SetFloats(RealCol, ARow, value);
      RepaintCell(ACol, ARow);
    }
    return;
  }

  if (PressCellButton(ACol, ARow, X, Y)) return;

  if (ACol >= ColCount() || ARow >= RowCount()) {
    RuntimeWndProc(Message);
    return;
  }

  // A covered cell of a merged area: the runtime selects the area's base cell.
  if ((PressCol != ACol || PressRow != ARow) && !OnMouseDown && !IsFixed(ACol, ARow)) {
    const TRect b = CellRect(ACol, ARow);
    Message.LParam = MakeLParam(b.Left + 2, b.Top + 2);
  }

  const TShiftState held = KeyShiftState();
  if (FMouseActions->DisjunctRowSelect() && ARow >= FixedRows() &&
      !(ACol == 0 && FMouseActions->HotmailRowSelect())) {
    if (held & ssShift) {
      const TGridRect anchor = Selection();
      RuntimeWndProc(Message);
      SetSelection(TGridRect{std::min(ACol, anchor.Left), std::min(ARow, anchor.Top),
                             std::max(ACol, anchor.Left), std::max(ARow, anchor.Top)});
      return;
    }
    if ((held & ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl()) {
      FDeselectState = RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    } else {
      FMouseDownDisjunct = true;
      if (!(held & ssAlt)) ClearRowSelect();
    }
  }
  if (FMouseActions->DisjunctColSelect() && ACol >= FixedCols()) {
    if (held & ssCtrl) {
      FDeselectState = ColSelect(ACol);
    } else {
      FMouseDownDisjunct = true;
      ClearColSelect();
    }
  }

  if (FURLShow || CellTextKind(Cells(RealCol, ARow), FEnableHTML) == 1)
    if (PressAnchor(ACol, ARow, PressCol, PressRow, X, Y)) return;

  // Header selection: the corner selects all, a header its column, a row header its row.
  if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect() && (Options() & goRangeSelect) &&
      FMouseSelectMode == msAll) {
    if (CanFocus()) SetFocus();
    TGridRect all{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
    GetCornerSelectRect(all);
    SetSelection(all);
    FSelHidden = false;
    return;
  }
  if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions->ColSelect() &&
      FMouseSelectMode == msColumn) {
    if (CanFocus()) SetFocus();
    SetSelection(TGridRect{ACol, FixedRows(), ACol, RowCount() - 1});
    FSelHidden = false;
    FMouseSelectStart = ACol;
    return;
  }
  if (ACol < FixedCols() && ARow >= FixedRows() && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
    if (CanFocus()) SetFocus();
    SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
    FSelHidden = false;
    FMouseSelectStart = ARow;
    return;
  }

  PressCheckOrCell(ACol, ARow, PressCol, PressRow, X, Y, Message, KeyShift);
}

bool TProStringGrid::PressNode(int ACol, int ARow, int X, int Y, TShiftState KeyShift) {
  if (ACol != 0 || ARow < FixedRows() || !IsNode(ARow) || !IsNodeClick(ARow, X)) return false;
  FireMouseDown(mbLeft, KeyShift, X, Y);
  if (OnClickCell) OnClickCell(this, ARow, ACol);
  // A handler may have taken the row away.
  if (ARow >= RowCount() || !IsNode(ARow)) return true;
  const int realRow = RealRowIndex(ARow);
  bool allow = true;
  if (!GetNodeState(ARow)) {
    if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, realRow, allow);
    if (allow && ARow < RowCount()) {
      ContractNode(realRow);
      if (OnContractNode) OnContractNode(this, ARow, realRow);
    }
  } else {
    if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, realRow, allow);
    if (allow && ARow < RowCount()) {
      ExpandNode(realRow);
      if (OnExpandNode) OnExpandNode(this, ARow, realRow);
    }
  }
  if (FMouseActions->MoveRowOnNodeClick() && ARow < RowCount()) SetRow(ARow);
  return true;
}

bool TProStringGrid::PressCellButton(int ACol, int ARow, int X, int Y) {
  const int RealCol = RealColIndex(ACol);
  const bool button = HasButton(RealCol, ARow);
  const bool expand = !button && HasExpand(RealCol, ARow);
  if (!button && !expand) return false;
  HideInplaceEdit();
  if (!IsFixed(ACol, ARow) && ACol >= FixedCols() && ARow >= FixedRows()) {
    FForceSel = true;
    MoveColRow(ACol, ARow, true, false);
    FForceSel = false;
  }
  if (!InCells(*this, ACol, ARow)) return true;
  const TRect br = button ? GetCellButtonRect(ACol, ARow) : GetExpandRect(RealCol, ARow);
  if (!br.Contains({X, Y})) return false;
  if (button) PushButton(ACol, ARow, true);
  FPushedCellButton = {ACol, ARow};
  SetMouseCapture(true);
  if (OnClickCell) OnClickCell(this, ARow, ACol);
  return true;
}

TRect TProStringGrid::HTMLTextRect(int ACol, int RCol, int ARow) const {
  TRect r = ComputeCellRect(ACol, ARow);
  r.Left += 1 + FXYOffset.X;
  r.Top += 1 + FXYOffset.Y;
  r.Right -= FXYOffset.X;
  if (HasScrollBar(RCol, ARow)) r.Right -= 17;
  if (HasCheckBox(RCol, ARow)) r.Left += FControlLook.CheckSize();
  return r;
}

bool TProStringGrid::PressAnchor(int ACol, int ARow, int PressCol, int PressRow, int X, int Y) {
  const int RealCol = RealColIndex(ACol);
  const std::string text = Cells(RealCol, ARow);
  std::string anchor;
  THTMLDrawResult res;
  const bool html = CellTextKind(text, FEnableHTML) == 1;
  if (!html) {
    if (IsURLText(text)) anchor = text;
  } else {
    THTMLDrawParams p;
    p.X = X;
    p.Y = Y + (HasScrollBar(RealCol, ARow) ? GetScrollPosition(RealCol, ARow) : 0);
    p.HitTestOnly = true;
    p.Window = this;
    TCanvas& c = const_cast<TProStringGrid*>(this)->Canvas();
    c.Font().Assign(GetCellFont(RealCol, ARow));
    if (DrawHTML(c, text, HTMLTextRect(ACol, RealCol, ARow), p, res)) anchor = res.AnchorHRef;
  }

  if (!anchor.empty()) {
    bool autoHandle = true;
    const bool isControl = !res.ControlID.empty();
    if (isControl) {
      bool canEdit = ((Options() & goEditing) || FEditDisable) && !ReadOnly(RealCol, ARow);
      DoCanEditCell(RealCol, ARow, canEdit);
      if (canEdit) {
        EndControlEdit();
        const std::string type = AsciiUpperCase(res.ControlType);
        const std::string before = res.ControlValue;
        if (type == "BUTTON") {
          FCtrlXY = {ACol, ARow};
          FCtrlDown = true;
          RepaintCell(ACol, ARow);
        } else if (type == "CHECK") {
          SetControlValues(RealCol, ARow, res.ControlID, AsciiUpperCase(before) == "TRUE" ? "FALSE" : "TRUE");
        } else if (type == "RADIO") {
          SetControlValues(RealCol, ARow, res.ControlID, "TRUE");
        }
        if (OnControlClick) OnControlClick(this, ARow, ACol, res.ControlID, res.ControlType, before);
        if (type == "EDIT" || type == "PASSWORD" || type == "MASK" || type == "COMBO")
          StartControlEdit(ACol, ARow, res.ControlID, type);
        autoHandle = false;
      }
    } else if (OnAnchorClick) {
      OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
    }
    if (autoHandle) {
      const std::string upper = AsciiUpperCase(anchor);
      const auto at = upper.find("CELL://");
      if (at != std::string::npos) {
        int c = -1, rr = -1;
        // A reference to a cell outside the grid does nothing.
        if (ParseRCCellRef(std::string_view(anchor).substr(at + 7), c, rr) && InCells(*this, c, rr) &&
            c >= FixedCols() && rr >= FixedRows()) {
          if (MoveColRow(c, rr, true, true)) ScrollInView(c, rr);
        }
      } else if (IsOpenableAnchor(anchor)) {
        OpenURL(anchor);
      }
    }
    return true;
  }

  if (html && AsciiUpperCase(text).find("<CONTROL") != std::string::npos) {
    if (OnClickCell) OnClickCell(this, PressRow, PressCol);
    HideInplaceEdit();
    if (InCells(*this, PressCol, PressRow)) SetSelection(TGridRect{PressCol, PressRow, PressCol, PressRow});
    return true;
  }
  return false;
}

void TProStringGrid::PressCheckOrCell(int ACol, int ARow, int PressCol, int PressRow, int X, int Y,
                                      TMessage& Message, TShiftState KeyShift) {
  const int RealCol = RealColIndex(ACol);
  const TRect r = ComputeCellRect(ACol, ARow);
  const bool normal = ACol >= FixedCols() && ARow >= FixedRows() && !IsFixed(ACol, ARow);

  if (ARow < FixedRows() && ACol >= FixedCols())
    FMoveCell = ACol;
  else if (ACol < FixedCols() && ARow >= FixedRows())
    FMoveCell = ARow;
  else
    FMoveCell = -1;
  FMoveOfsX = X - r.Left;
  FMoveOfsY = Y - r.Top;

  bool canEdit = (Options() & goEditing) || FMouseActions->RangeSelectAndEdit();
  CanEditCell(RealCol, ARow, canEdit);

  if (InCells(*this, ACol, ARow) &&
      (canEdit || FControlLook.CheckAlwaysActive() || (ACol == 0 && FMouseActions->HotmailRowSelect())) &&
      (HasCheckBox(RealCol, ARow) || HasRadioButton(RealCol, ARow)) && IsInCheckBox(RealCol, ARow, X, Y)) {
    HideInplaceEdit();
    if (CanFocus()) SetFocus();
    if (HasRadioButton(RealCol, ARow)) {
      DoToggleRadioButton(RealCol, ARow, true);
      if (OnRadioButtonClick) OnRadioButtonClick(this, RealCol, ARow);
    } else {
      DoToggleCheck(RealCol, ARow, true);
    }
    if (ARow >= RowCount()) return;
    if (FShowModified.Enabled()) {
      SetRowModified(ARow, true);
      RepaintCell(0, ARow);
    }
    bool state = false;
    GetCheckBoxState(RealCol, ARow, state);
    if (!FNavigation.AlwaysEdit() && normal) MoveColRow(ACol, ARow, true, true);
    CheckBoxClick(ACol, ARow, state);
    if (FHideFocusRect && InCells(*this, ACol, ARow)) RepaintCell(ACol, ARow);
    if (ARow < FixedRows() && FMouseActions->CheckAllCheck()) {
      for (int rr = FixedRows(); rr < RowCount(); ++rr) {
        if (FMouseActions->HotmailRowSelect())
          SetRowSelect(rr, state);
        else
          SetCheckBoxState(RealCol, rr, state);
      }
      Invalidate();
    }
    FireMouseDown(mbLeft, KeyShift, X, Y);
    Click();
    return;
  }

  const bool comboDrop = normal && FDropDownAlwaysVisible && HasComboBox(RealCol, ARow);
  const bool dblOnlyCombo = FMouseActions->EditOnDblClickOnly() && comboDrop;
  const bool directEdit = normal && (canEdit || dblOnlyCombo) && (FMouseActions->DirectEdit() || comboDrop);
  if (directEdit) {
    HideInplaceEdit();
    if (CanFocus()) SetFocus();
  }

  const TGridRect sel = Selection();
  const bool clickedCurrent =
      r.Contains({X, Y}) && sel.Left == ACol && sel.Right == ACol && sel.Top == ARow && sel.Bottom == ARow;

  bool selectingAtEnd = false;
  if (FMouseActions->RangeSelectAndEdit() && !clickedCurrent && normal && !IsEditable(RealCol, ARow)) {
    SetOptions(Options() & ~goEditing);
    selectingAtEnd = true;
  }

  if (!(ACol < FixedCols() || ARow < FixedRows()) && IsFixed(ACol, ARow)) {
    const bool footerRow = FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow &&
                           ARow == RowCount() - 1;
    if (!footerRow && OnClickCell) OnClickCell(this, ARow, ACol);
    return;
  }

  if (!FSelHidden) {
    const bool alwaysEdit = FNavigation.AlwaysEdit();
    FNavigation.SetAlwaysEdit(false);
    const bool keepLeft = (Options() & goRowSelect) && FNavigation.KeepHorizScroll();
    const int oldLeft = LeftCol();
    if (keepLeft) BeginUpdate();
    RuntimeWndProc(Message);
    if (keepLeft) {
      SetLeftCol(std::min(oldLeft, std::max(FixedCols(), ColCount() - 1)));
      EndUpdate();
    }
    FNavigation.SetAlwaysEdit(alwaysEdit);
    if (FMouseActions->NoScrollOnPartialRow() && TopRow() != FOldTopRow && FOldTopRow < RowCount()) {
      SetTopRow(FOldTopRow);
      SetGridState(gsNormal);
    }
  }

  // The handlers above may have shrunk the grid.
  const bool nearEdge = std::abs(X - r.Left) < 4 || std::abs(r.Right - X) < 4;
  if (!(ARow < FixedRows() && (Options() & goColSizing) && nearEdge) && OnClickCell)
    OnClickCell(this, ARow, ACol);
  if (!InCells(*this, ACol, ARow)) return;

  if (OnCellValidate) SaveOldCell(Col(), Row());

  if ((PressCol != ACol || PressRow != ARow) && normal && IsEditable(RealCol, ARow) &&
      (clickedCurrent || FMouseActions->DirectEdit()))
    ShowInplaceEdit();

  if (nearEdge) return;
  if (directEdit && !HasControlGraphic(RealCol, ARow)) {
    if (dblOnlyCombo) {
      SetOptions(Options() | goEditing);
      if (CanFocus()) SetFocus();
    }
    bool allow = true;
    if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, allow);
    if (allow && ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, allow);
    if (allow && (ARow != Row() || ACol != Col()) && OnCellChanging)
      OnCellChanging(this, Row(), Col(), ARow, ACol, allow);
    if (allow && InCells(*this, ACol, ARow)) {
      SetSelection(TGridRect{ACol, ARow, ACol, ARow});
      SaveOldCell(ACol, ARow);
      ShowEditor();
      if (InplaceEditor() && InplaceEditor()->Visible()) FEditMode = true;
    }
  }
  if (selectingAtEnd) SetGridState(gsSelecting);
}

void TProStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridCoord cell = MouseToCell(X, Y);
  auto runtime = [&] {
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    if (GridState() == gsColSizing) {
      FColClicked = SizingIndex();
      FColClickedSize = ColWidths(FColClicked);
    } else if (GridState() == gsRowSizing) {
      FRowClicked = SizingIndex();
      FRowClickedSize = RowHeights(FRowClicked);
    }
  };
  if (FMouseActions->RangeSelectAndEdit() && Button == mbLeft && !(Shift & ssDouble) &&
      !FMouseActions->EditOnDblClickOnly() && cell.X >= 0 && cell.Y >= 0) {
    const bool current = cell.X == Col() && cell.Y == Row();
    if (current && !(Options() & goEditing) && IsEditable(RealColIndex(cell.X), cell.Y)) {
      SetOptions(Options() | goEditing);
      runtime();
      ShowInplaceEdit();
      return;
    }
    if (!current && (Shift & ssShift) && (Options() & goEditing)) {
      SetOptions(Options() & ~goEditing);
      runtime();
      return;
    }
  }
  FEditStart = true;
  runtime();
  FEditStart = false;
  if (Button == mbLeft && !(Shift & ssDouble) && cell.X >= 0 && cell.Y >= 0) {
    const bool fixedRow = cell.Y < FixedRows(), fixedCol = cell.X < FixedCols();
    const bool rowTrigger = fixedRow && FMouseActions->FixedRowsEdit() == fceLeftClick;
    const bool colTrigger = fixedCol && !fixedRow && FMouseActions->FixedColsEdit() == fceLeftClick;
    if (rowTrigger || colTrigger) {
      TRect inner = ComputeCellRect(cell.X, cell.Y);
      InflateRect(inner, -4, -4);
      const bool sizing = rowTrigger ? (Options() & goColSizing) : (Options() & goRowSizing);
      if (!sizing || inner.Contains({X, Y})) StartFixedCellEdit(cell.X, cell.Y);
    }
  }
}

void TProStringGrid::RadioGroupClick(int ACol, int ARow, int X, int Y) {
  const TPoint base = BaseCell(ACol, ARow);
  const int dcol = RealToDisplCol(base.X);
  TCellGraphic* g = GetCellGraphic(base.X, base.Y);
  if (!g || g->CellType() != ctRadio) return;
  TStringList* items = g->CellStrings();
  if (dcol >= FixedCols() && base.Y >= FixedRows() && !IsFixed(dcol, base.Y))
    MoveColRow(dcol, base.Y, true, false);
  // Moving the cell may run handlers that remove it.
  g = GetCellGraphic(base.X, base.Y);
  if (!g || g->CellType() != ctRadio || !items || items->Count() == 0) return;
  TCanvas& c = Canvas();
  c.Font().Assign(GetCellFont(base.X, base.Y));
  const TGridControlStyle style = FControlLook.ControlStyle();
  const int ext = (style == csClassic || style == csFlat) ? FControlLook.RadioSize() : 16;
  int hit = -1;
  int prev = 0;
  for (int i = 0; i < items->Count(); ++i) {
    int end;
    if (g->CellBoolean())
      end = prev + c.TextWidth(items->Strings(i)) + ext;
    else
      end = prev + std::max(ext, c.TextHeight("gh"));
    const int p = g->CellBoolean() ? X : Y;
    // A boundary belongs to neither neighbour.
    if (p > prev && p < end) {
      hit = i;
      break;
    }
    prev = end;
  }
  if (hit < 0) return;
  if (g->CellIndex() == -1)
    SetCells(base.X, base.Y, items->Strings(hit));
  else
    g->SetCellIndex(hit);
  SetCells(base.X, base.Y, Cells(base.X, base.Y));
  SetRadioIdx(base.X, base.Y, hit);
  if (OnRadioClick) OnRadioClick(this, dcol, base.Y, hit);
}

bool TProStringGrid::CanShowFixedDropDown(int ACol) {
  bool canShow = true;
  if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, canShow);
  return canShow;
}

void TProStringGrid::PaintOverlay() {
  TBaseGrid::PaintOverlay();
  if (!FFixedCellPushed) return;
  // The pressed fixed cell: a sunken inner edge, right and bottom first.
  TCanvas& c = Canvas();
  const TRect r = FPushedFixedCell;
  c.Pen().SetWidth(1);
  c.Pen().SetColor(clBtnHighlight);
  c.MoveTo(r.Right - 1, r.Top);
  c.LineTo(r.Right - 1, r.Bottom - 1);
  c.LineTo(r.Left - 1, r.Bottom - 1);
  c.Pen().SetColor(clBtnShadow);
  c.MoveTo(r.Left, r.Bottom - 1);
  c.LineTo(r.Left, r.Top);
  c.LineTo(r.Right, r.Top);
}
