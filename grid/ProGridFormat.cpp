// The texts a cell shows, calculates, saves and loads, and the room its text needs.
#include "grid/ProGrid.h"

#include "controls/AsgHTMLE.h"
#include "controls/HTMLTextTools.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilNumbers.h"
#include "controls/ProUtilText.h"
#include "controls/ReplaceAll.h"
#include "platform/Format.h"
#include "platform/ui/RichEditText.h"

#include <cmath>
#include <numbers>

std::string TProStringGrid::GetFormattedCell(int ACol, int ARow) {
  std::string result = Cells(ACol, ARow);
  if (!OnGetFloatFormat) return result;
  int kind = ClassifyNumberText(result);
  bool isFloat = kind == 0 || kind == 1 || kind == 5;
  if (!isFloat) return result;
  std::string fmt = FFloatFormat;
  OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
  if (!isFloat || fmt.empty()) return result;
  // The pattern is the owner's text: only the safe formatter sees it, and any failure (a pattern
  // that does not fit, a value that does not read) keeps the stored text.
  try {
    std::string out;
    bool ok = fmt.find('d') != std::string::npos
                  ? TryFormat(fmt, {static_cast<std::int64_t>(Ints(ACol, ARow))}, out)
                  : TryFormat(fmt, {Floats(ACol, ARow)}, out);
    if (ok) result = out;
  } catch (const std::exception&) {
  }
  return result;
}

std::string TProStringGrid::GetCalculatedCell(int ACol, int ARow) {
  return Cells(ACol, ARow);
}

std::string TProStringGrid::GetSaveCellText(int ACol, int ARow) {
  std::string result = FSaveVirtCells ? GetFormattedCell(ACol, ARow) : GridCells(ACol, ARow);
  if (result.empty()) {
    if (const TCellGraphic* g = GetCellGraphic(ACol, ARow)) {
      int real = DisplToRealRow(ARow);
      if (g->CellType() == ctCheckBox) {
        bool state = false;
        GetCheckBoxState(ACol, real, state);
        state ? GetCheckTrue(ACol, ARow, result) : GetCheckFalse(ACol, ARow, result);
      } else if (g->CellType() == ctTriStateCheckBox) {
        TCheckBoxState state = cbUnchecked;
        GetCheckBoxState(ACol, real, state);
        state == cbChecked ? GetCheckTrue(ACol, ARow, result) : GetCheckFalse(ACol, ARow, result);
      }
    }
  }
  switch (CellTextKind(result, true)) {
  case 1:
    if (!FSaveWithHTML) result = StripHTMLTags(result);
    break;
  case 2:
    if (FSaveWithRTF)
      result = RemoveAllCR(ReplaceAll(result, "\n", ""));
    else
      result = RichTextToPlain(result);
    break;
  default:
    break;
  }
  if (OnSaveCell) OnSaveCell(this, ACol, ARow, result);
  return result;
}

void TProStringGrid::LoadCellText(int ACol, int ARow, const std::string& Value) {
  if (!OnLoadCell) {
    SetGridCells(ACol, ARow, Value);
    return;
  }
  std::string v = Value;
  if (OnLoadCell) OnLoadCell(this, ACol, ARow, v);
  SetGridCells(ACol, ARow, v);
}

TSize TProStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB) {
  return GetCellTextSizeEx(ACol, RealToDisplCol(ACol), ARow, VS, SB);
}

TSize TProStringGrid::GetCellTextSizeEx(int ACol, int RCol, int ARow, bool VS, bool SB) {
  std::string text = GetFormattedCell(ACol, ARow);
  int kind = CellTextKind(text, FEnableHTML);
  TCanvas& c = Canvas();
  TGridDrawState state = 0;
  TBrush brush;
  GetFontProperties(RCol, ACol, ARow, state, c.Font(), brush, false);
  bool fixedCell = ARow < FixedRows() || RCol < FixedCols();
  if (fixedCell && FActiveCellShow && (FActiveCellFont.Style() & fsBold))
    c.Font().SetStyle(c.Font().Style() | fsBold);
  c.Font().SetSize(c.Font().Size() + FZoomFactor);
  if (kind == 3) text = GetCalculatedCell(ACol, ARow);

  TRect r = CellRect(RCol, ARow);
  if (FXYOffsetTopLeftOnly) {
    r.Left += FXYOffset.X;
    r.Top += FXYOffset.Y;
  } else {
    r = {r.Left + FXYOffset.X, r.Top + FXYOffset.Y, r.Right - FXYOffset.X, r.Bottom - FXYOffset.Y};
  }
  if (SB) r.Right -= 17;

  if (kind == 1) {
    if (!VS) r.Right = r.Bottom = 65535;
    THTMLDrawParams p;
    p.MeasureOnly = true;
    p.Selected = true;
    p.BlinkPhase = true;
    p.WordWrap = !FEnhTextSize;
    p.URLColor = FURLColor;
    p.ShadowColor = 0x808080;
    p.Window = this;
    p.Images = GetGridImages();
    THTMLDrawResult res;
    DrawHTML(c, text, r, p, res);
    return {res.XSize + 2, res.YSize + 2};
  }
  if (kind == 2) text = RichTextToPlain(text);

  int angle = 0;
  bool rotated = IsRotated(ACol, ARow, angle);
  TSize size{0, 0};
  if (VS) {
    r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    if (EditorMode() && Col() == RCol && Row() == ARow && text.ends_with('\n')) text += "w";
    unsigned flags =
        DT_EDITCONTROL | DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | (rotated ? DT_SINGLELINE : DT_WORDBREAK);
    size.cy = c.DrawText(text, r, flags);
    size.cx = r.Right - r.Left;
  } else {
    std::string rest = text;
    int lines = 0;
    int widest = 0;
    do {
      std::string line = TakeFirstLine(rest, FMultilineCells);
      if (FURLShow && !FURLFull && kind == 0) StripURLScheme(line);
      widest = std::max(widest, c.TextWidth(line));
      ++lines;
    } while (!rest.empty());
    size.cx = widest;
    size.cy = c.TextHeight("gh") * lines;
  }
  if (rotated) {
    double a = angle * std::numbers::pi / 180.0;
    double s = std::sin(a), co = std::cos(a);
    int w = size.cx, h = size.cy;
    size.cx = std::abs(std::abs(static_cast<int>(std::trunc(h * s))) -
                       std::abs(static_cast<int>(std::trunc(w * co)))) +
              12;
    size.cy = std::abs(std::abs(static_cast<int>(std::trunc(h * co))) -
                       std::abs(static_cast<int>(std::trunc(w * s)))) +
              12;
  }
  return size;
}
