// Balloon tips over cells, the geometry of the focus frame around the edited cell, and the row
// hooks of editing, filtering and the file readers and writers.
#include "grid/ProGrid.h"

#include "controls/AsgHTMLE.h"
#include "controls/HTMLTextTools.h"
#include "controls/ProUtilCellText.h"
#include "platform/StringList.h"
#include "platform/ui/RichEditText.h"

#include <algorithm>

namespace {

constexpr size_t MaxBalloonText = 2048;
constexpr size_t MaxBalloonTitle = 100;

// Cuts to `keep` characters (UTF-8 aware) and appends "...".
std::string Shortened(const std::string& s, size_t keep) {
  size_t bytes = 0, chars = 0;
  while (bytes < s.size() && chars < keep) {
    ++bytes;
    while (bytes < s.size() && (static_cast<unsigned char>(s[bytes]) & 0xC0) == 0x80)
      ++bytes;
    ++chars;
  }
  std::string out(s, 0, bytes);
  out.append("...");
  return out;
}

size_t CharCount(const std::string& s) {
  return static_cast<size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

bool TProStringGrid::CellBalloon(int X, int Y, std::string& ATitle, std::string& AText, int& AIcon) {
  if (!FBalloon.Enable()) return false;
  TGridCoord cell = MouseToCell(X, Y);
  int col = cell.X, row = cell.Y;
  if (col >= 0 && row >= 0) {
    TPoint base = BaseCell(col, row);
    col = base.X;
    row = base.Y;
  }
  int rcol = col >= 0 ? DisplToRealCol(col) : -1;

  std::string text;
  if (col != -1 && row != -1 && rcol >= 0) {
    text = GridCells(rcol, row);
    switch (CellTextKind(text, true)) {
    case 1:
      text = StripHTMLTags(text);
      break;
    case 2:
      text = RichTextToPlain(text);
      break;
    default:
      break;
    }
    std::replace(text.begin(), text.end(), '\t', ' ');
  }
  size_t first = text.find_first_not_of("\r\n\t");
  text = first == std::string::npos ? std::string() : text.substr(first);
  if (CharCount(text) > MaxBalloonText) text = Shortened(text, MaxBalloonText - 3);

  AIcon = 1;
  if (ATitle.empty()) ATitle.push_back(' ');
  AText = text;
  if (col >= 0 && row >= 0 && rcol >= 0) {
    if (const TCellGraphic* g = GetCellGraphic(rcol, row); g && g->CellType() == ctBalloon) {
      if (const TStringList* texts = g->CellStrings(); texts && texts->Count() >= 2) {
        ATitle = texts->Strings(0);
        AText = texts->Strings(1);
      }
      AIcon = g->CellIndex();
    }
    if (OnCellBalloon) OnCellBalloon(this, rcol, row, ATitle, AText, AIcon);
  }
  FLastBalloonPos = {col, row};
  if (CharCount(ATitle) > MaxBalloonTitle) ATitle = Shortened(ATitle, MaxBalloonTitle - 3);
  return true;
}

void TProStringGrid::HoverLinkLeave() {
  if (FHoverCell.X >= 0 && FHoverCell.Y >= 0) RepaintCell(FHoverCell.X, FHoverCell.Y);
  FHoverCell = {-1, -1};
  FHoverlink = -1;
}

void TProStringGrid::BalloonMouseMove(int X, int Y) {
  TGridCoord cell = MouseToCell(X, Y);
  // The mini-HTML link under the mouse.
  int link = -1;
  TPoint linkCell{-1, -1};
  if (cell.X >= 0 && cell.Y >= 0) {
    const TPoint base = BaseCell(cell.X, cell.Y);
    const int rcol = DisplToRealCol(base.X);
    if (rcol >= 0) {
      const std::string text = Cells(rcol, base.Y);
      if (CellTextKind(text, FEnableHTML) == 1) {
        TCanvas& c = Canvas();
        TGridDrawState state = 0;
        TBrush brush;
        GetFontProperties(base.X, rcol, base.Y, state, c.Font(), brush, true);
        THTMLDrawParams p;
        p.HitTestOnly = true;
        p.X = X;
        p.Y = Y;
        p.Window = this;
        p.Images = GetGridImages();
        p.WordWrap = !FEnhTextSize;
        THTMLDrawResult res;
        if (DrawHTML(c, text, HTMLTextRect(base.X, base.Y), p, res) && res.MouseLink > 0) {
          link = res.MouseLink;
          linkCell = base;
        }
      }
    }
  }
  if (link != FHoverlink || linkCell != FHoverCell) {
    if (FHoverCell.X >= 0 && FHoverCell.Y >= 0) RepaintCell(FHoverCell.X, FHoverCell.Y);
    FHoverlink = link;
    FHoverCell = linkCell;
    if (linkCell.X >= 0) RepaintCell(linkCell.X, linkCell.Y);
  }

  if (!FBalloon.Enable()) return;
  TPoint at{cell.X, cell.Y};
  if (cell.X >= 0 && cell.Y >= 0) {
    TPoint base = BaseCell(cell.X, cell.Y);
    at = base;
  }
  if (FBalloonTip && FBalloonTip->Showing() && at == FLastBalloonPos) return;
  if (!FBalloonTip) FBalloonTip = new TBalloonHint(this);
  FBalloonTip->Hide();
  std::string title, text;
  int icon = 1;
  if (at.X < 0 || at.Y < 0 || !CellBalloon(X, Y, title, text, icon)) return;
  FBalloonTip->SetTitle(title);
  FBalloonTip->SetText(text);
  FBalloonTip->SetIcon(icon >= bhNone && icon <= bhError ? static_cast<TBalloonIcon>(icon) : bhInfo);
  FBalloonTip->ShowAt(*this, {X, Y});
}

TFocusFrameGeometry TProStringGrid::FocusFrameGeometry(const TRect& R) {
  TFocusFrameGeometry g;
  int w = R.Right - R.Left + 9, h = R.Bottom - R.Top + 9;
  g.Window = {R.Left - 4, R.Top - 4, R.Left - 4 + w, R.Top - 4 + h};
  g.Hole = {4, 4, 4 + R.Right - R.Left, 4 + R.Bottom - R.Top};
  return g;
}

TFocusFrameGeometry TProStringGrid::CurrentFocusFrame() const {
  return FocusFrameGeometry(CellRect(Col(), Row()));
}

void TProStringGrid::FixedCellEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values) {
  if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TProStringGrid::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
  if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007)
    RepaintRect({ALeft, ATop, ARight, ABottom});
  FSelChange = true;
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TProStringGrid::AutoInsertRow(int ARow) {
  if (!HasNodes())
    InsertRows(ARow, 1);
  else if (GetParentRow(ARow) < 0)
    InsertNormalRow(DisplToRealRow(ARow));
  else
    InsertChildRow(DisplToRealRow(ARow), 1);
}

void TProStringGrid::AutoDeleteRow(int ARow) {
  if (HasNodes()) {
    if (GetParentRow(ARow) < 0)
      RemoveNormalRow(ARow);
    else
      RemoveChildRow(DisplToRealRow(ARow));
  } else if (RowCount() - FixedRows() - FFixedFooters == 1 && !FFixedRowAlways) {
    ClearRows(ARow, 1);
  } else {
    DeleteRows(ARow, 1);
  }
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}
