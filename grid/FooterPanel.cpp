#include "grid/FooterPanel.h"

#include "controls/AsgHTMLE.h"
#include "grid/ProGrid.h"

#include <cctype>

std::string ExpandFooterTemplate(const std::string& Template, const std::function<std::string(int)>& Cell) {
  std::string out;
  size_t i = 0;
  while (i < Template.size()) {
    const size_t open = Template.find("<#", i);
    if (open == std::string::npos) break;
    const size_t close = Template.find('>', open + 2);
    if (close == std::string::npos) break; // no end: the rest stays text
    out.append(Template, i, open - i);
    const std::string inside = Template.substr(open + 2, close - open - 2);
    const bool number = !inside.empty() && inside.size() < 10 &&
                        std::all_of(inside.begin(), inside.end(), [](unsigned char c) { return std::isdigit(c); });
    if (number) out += Cell(std::stoi(inside));
    i = close + 1;
  }
  out.append(Template, i, std::string::npos);
  return out;
}

TColumnCalcType TFloatingFooter::ColumnCalc(int ACol) const {
  if (!FGrid || FGrid->RowCount() == 0) return acNONE;
  const TCellProperties* p = FGrid->FindCellProperties(ACol, FGrid->RowCount() - 1);
  return p ? p->CalcType() : acNONE;
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value) {
  if (!FGrid || FGrid->RowCount() == 0) return;
  if (TCellProperties* p = FGrid->CellProperties(ACol, FGrid->RowCount() - 1)) p->SetCalcType(Value);
  FGrid->CalcFooter(ACol);
}

void TProStringGrid::FloatingFooterChanged() {
  const bool visible = FFloatingFooter.Visible();
  const bool lastRow = FFloatingFooter.FooterStyle() == fsFixedLastRow;
  if (visible && !FFooterPanel && Parent()) FFooterPanel = new TFooterPanel(this);
  if (FFooterPanel) {
    FFooterPanel->SetHeight(visible ? std::max(0, FFloatingFooter.Height() - 1) : 0);
    FFooterPanel->SetVisible(visible);
    FFooterPanel->SetShowHint(FFloatingFooter.ShowHint());
    FFooterPanel->Invalidate();
  }
  if (visible != FFooterWasVisible) {
    FFooterWasVisible = visible;
    SetFixedFooters(visible && lastRow ? 1 : 0);
  }
  SetHideLastRow(visible && lastRow);
  Invalidate();
}

TFooterPanel::TFooterPanel(TProStringGrid* Grid) : TCustomControl(Grid), FGrid(Grid) {
  SetParent(Grid);
  SetAlign(alBottom);
  SetHeight(0);
}

int TFooterPanel::UsedWidth() const {
  int w = 0;
  for (int c = 0; c < FGrid->FixedCols(); ++c)
    w += FGrid->ColWidths(c);
  for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c)
    w += FGrid->ColWidths(c);
  return w;
}

int TFooterPanel::ColumnAt(int X) const {
  int sum = 0;
  for (int c = 0; c < FGrid->FixedCols(); ++c) {
    sum += FGrid->ColWidths(c);
    if (X < sum) return c;
  }
  for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c) {
    sum += FGrid->ColWidths(c);
    if (X < sum) return c;
  }
  return -1;
}

void TFooterPanel::Paint() {
  TCanvas& C = Canvas();
  const TFooterStyle style = FGrid->FloatingFooter().FooterStyle();
  int W = UsedWidth();
  switch (style) {
  case fsFixedLastRow:
    PaintLastRow(C, W);
    break;
  case fsColumnPreview:
  case fsCustomPreview:
    PaintPreview(C, W, style == fsCustomPreview);
    break;
  case fsCustomPaint:
    W = ClientWidth();
    if (FGrid->OnFooterPaint) FGrid->OnFooterPaint(this, FGrid->FloatingFooter().Column(), C, ClientRect());
    break;
  }
  const TColor border = FGrid->FloatingFooter().BorderColor();
  if (border != clNone) {
    C.Pen().SetColor(border);
    C.MoveTo(0, 0);
    C.LineTo(W, 0);
  }
}

void TFooterPanel::PaintLastRow(TCanvas& C, int W) {
  const TFloatingFooter& f = FGrid->FloatingFooter();
  const int h = ClientHeight();
  const int row = FGrid->RowCount() - 1;
  C.Brush().SetColor(f.Color());
  C.FillRect({0, 0, W, h});
  C.Brush().SetColor(FGrid->Color());
  C.FillRect({W, 0, ClientWidth(), h});
  const TGridOptions o = FGrid->Options();
  int x = 0;
  auto column = [&](int c, bool fixed) {
    const int w = FGrid->ColWidths(c);
    const TRect r{x, 0, x + w, h};
    TRect content = r;
    if (o & goFixedHorzLine) content.Top += 1;
    const int rc = FGrid->RealColIndex(c);
    if (!fixed && rc >= 0) {
      TBrush brush;
      brush.SetColor(clNone);
      TFont font;
      font.Assign(FGrid->Font());
      if (FGrid->OnGetCellColor) FGrid->OnGetCellColor(FGrid, row, rc, gdFixed, brush, font);
      if (brush.Color() != clNone) {
        C.Brush().SetColor(brush.Color());
        C.FillRect({content.Left, content.Top, content.Right - 1, content.Bottom});
      }
      const TColor own = FGrid->Colors(rc, row);
      if (own != clNone) {
        C.Brush().SetColor(own);
        C.FillRect({content.Left, content.Top, content.Right - 1, content.Bottom});
      }
    }
    if (rc >= 0 && FGrid->IsBaseCell(rc, row)) {
      if (!fixed && FGrid->OnFooterPaint)
        FGrid->OnFooterPaint(this, c, C, content);
      else
        FGrid->DrawCellContent(C, c, row, content, gdFixed);
    }
    // The frame goes over what the cell painted.
    if (o & goFixedHorzLine) {
      C.Pen().SetColor(FGrid->GridLineColor());
      C.MoveTo(r.Left, 0);
      C.LineTo(r.Right, 0);
    }
    if (o & goFixedVertLine) {
      C.Pen().SetColor(fixed ? FGrid->GridLineColor() : TColor(0x808080));
      C.MoveTo(r.Right - 1, 0);
      C.LineTo(r.Right - 1, h);
    }
    x += w;
  };
  for (int c = 0; c < FGrid->FixedCols(); ++c)
    column(c, true);
  for (int c = FGrid->LeftCol(); c < FGrid->ColCount() && x < ClientWidth(); ++c)
    column(c, false);
}

void TFooterPanel::PaintPreview(TCanvas& C, int W, bool Template) {
  const TFloatingFooter& f = FGrid->FloatingFooter();
  const int h = ClientHeight();
  C.Brush().SetColor(f.Color());
  C.FillRect({0, 0, W, h});
  C.Pen().SetColor(0x808080);
  C.MoveTo(0, h - 1);
  C.LineTo(W - 1, h - 1);
  C.LineTo(W - 1, 0);
  C.Pen().SetColor(0xFFFFFF);
  C.MoveTo(W - 1, 0);
  C.LineTo(0, 0);
  C.LineTo(0, h - 1);
  C.Brush().SetColor(FGrid->Color());
  C.FillRect({W, 0, ClientWidth(), h});
  const TRect used{0, 0, W, h};
  if (!Template) {
    if (FGrid->OnFooterPaint)
      FGrid->OnFooterPaint(this, f.Column(), C, used);
    else
      FGrid->DrawCellContent(C, f.Column(), FGrid->Row(), used, 0);
    return;
  }
  const std::string text = ExpandFooterTemplate(
      f.CustomTemplate(), [this](int c) { return FGrid->Cells(FGrid->RealColIndex(c), FGrid->Row()); });
  THTMLDrawParams params;
  params.URLColor = FGrid->URLColor();
  params.Window = this;
  THTMLDrawResult result;
  C.Font().Assign(FGrid->Font());
  C.Brush().SetStyle(bsClear);
  DrawHTML(C, text, {2, 2, W, h}, params, result);
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FGrid->OnClick) FGrid->OnClick(FGrid);
  const int c = ColumnAt(X);
  if (c >= 0 && FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, c);
}
