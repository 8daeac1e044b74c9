// The print engine: cuts the printed range into column strips that fit the page width and rows
// into pages between the header and footer blocks, prints the page texts and frames, and fires
// the print events. Cells are measured and drawn in ProGridPrintCells.cpp.
#include "controls/AsgHTMLE.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilText.h"
#include "grid/PrintRun.h"
#include "grid/ProGrid.h"
#include "platform/Clock.h"
#include "platform/DateText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

bool AtTop(TPrintPosition p) {
  return p >= ppTopLeft && p <= ppTopCenter;
}
bool AtBottom(TPrintPosition p) {
  return p >= ppBottomLeft;
}

// Date and time in the letters of the print settings: d dd m mm yy yyyy, h hh n nn s ss; other
// characters are copied.
std::string FormatPrintDateTime(const std::string& pattern, double when) {
  const TDateParts t = DecodeDateTime(when);
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
    std::size_t run = 1;
    while (i + run < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + run])) == ch)
      ++run;
    auto num = [&](int value, bool twoDigits) {
      char buf[16];
      std::snprintf(buf, sizeof buf, twoDigits ? "%02d" : "%d", value);
      out += buf;
    };
    switch (ch) {
    case 'd':
      num(t.Day, run >= 2);
      break;
    case 'm':
      num(t.Month, run >= 2);
      break;
    case 'y':
      if (run >= 4)
        num(t.Year, false);
      else
        num(t.Year % 100, true);
      break;
    case 'h':
      num(t.Hour, run >= 2);
      break;
    case 'n':
      num(t.Minute, run >= 2);
      break;
    case 's':
      num(t.Second, run >= 2);
      break;
    default:
      out.append(pattern, i, run);
      break;
    }
    i += run;
  }
  return out;
}

// A canvas's pen, brush and font as they were, put back when the run ends (also on errors).
class TDrawingBackup {
public:
  explicit TDrawingBackup(TCanvas& c) : FCanvas(c), FPen(c.Pen()), FBrush(c.Brush()), FFont(c.Font()) {}
  ~TDrawingBackup() {
    FCanvas.Pen().Assign(FPen);
    FCanvas.Brush().Assign(FBrush);
    FCanvas.Font().Assign(FFont);
  }
  TDrawingBackup(const TDrawingBackup&) = delete;
  TDrawingBackup& operator=(const TDrawingBackup&) = delete;

private:
  TCanvas& FCanvas;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
};

int TextHeightIn(TCanvas& c, const TFont& font, int height) {
  c.Font().Assign(font);
  c.Font().SetHeight(height);
  return c.TextHeight("gh");
}

} // namespace

bool TProStringGrid::IsPrintedCol(const TPrintRun& Run, int ACol) {
  if (!Run.SelectedOnly) return true;
  const TMouseActions& ma = *FMouseActions;
  if (ma.DisjunctRowSelect()) return true;
  if (ACol < FixedCols() && FPrintSettings.FixedCellsAlways()) return true;
  if (ma.DisjunctColSelect()) return ColSelect(ACol);
  const TGridRect sel = Selection();
  return ACol >= sel.Left && ACol <= sel.Right;
}

bool TProStringGrid::IsPrintedRow(const TPrintRun& Run, int ARow) {
  if (!Run.SelectedOnly) return true;
  const TMouseActions& ma = *FMouseActions;
  if (ARow < FixedRows() && FPrintSettings.FixedCellsAlways()) return true;
  if (ma.DisjunctRowSelect()) return RowSelect(ma.RowSelectPersistent() ? DisplToRealRow(ARow) : ARow);
  const TGridRect sel = Selection();
  return ARow >= sel.Top && ARow <= sel.Bottom;
}

int TProStringGrid::PrintRowHeight(TPrintRun& Run, int ARow) {
  if (ARow == Run.CachedRow) return Run.CachedHeight;
  int height = 0;
  if (FPrintSettings.NoAutoSizeRow()) {
    height = static_cast<int>(std::lround(RowHeights(ARow) * Run.L)) - 4;
  } else if (FPrintSettings.UseFixedHeight()) {
    height = FPrintSettings.FixedHeight();
  } else {
    const int known = ARow - Run.HeightsTop;
    if (Run.HeightsKnown && Run.Fit == 1.0 && known >= 0 && known < static_cast<int>(Run.Heights.size())) {
      height = Run.Heights[known];
    } else {
      FFontscalefactor = Run.Fit;
      int last = 0;
      for (int c = FPrintRect.Left; c <= FPrintRect.Right; ++c) {
        const int rc = DisplToRealCol(c);
        if (rc < 0) continue;
        last = MeasurePrintCell(Run, rc, ARow).Y;
        if (!IsYMergedCell(rc, ARow)) height = std::max(height, last);
      }
      if (height == 0) height = last;
      FFontscalefactor = 1.0;
    }
    height += static_cast<int>(static_cast<unsigned>(height) >> 3);
  }
  if (OnPrintSetRowHeight) OnPrintSetRowHeight(this, ARow, height);
  Run.CachedRow = ARow;
  Run.CachedHeight = height;
  return height;
}

void TProStringGrid::MeasurePrintColumns(TPrintRun& Run) {
  const TGridRect& pr = FPrintRect;
  for (int c = pr.Left; c <= pr.Right; ++c)
    FPrintColWidths[c] = 0;
  if (FPrintSettings.NoAutoSize()) {
    for (int c = pr.Left; c <= pr.Right; ++c)
      if (IsPrintedCol(Run, c)) FPrintColWidths[c] = static_cast<int>(std::lround(ColWidths(c) * Run.L));
    return;
  }
  const bool fixedWidth = FPrintSettings.UseFixedWidth();
  // The same pass keeps each row's tallest cell, so the page loop need not measure again when
  // nothing scales the fonts.
  const bool keepHeights =
      !fixedWidth && !Run.SelectedOnly && !FPrintSettings.NoAutoSizeRow() && !FPrintSettings.UseFixedHeight();
  if (keepHeights) {
    Run.HeightsTop = pr.Top;
    Run.Heights.assign(static_cast<std::size_t>(std::max(0, pr.Bottom - pr.Top + 1)), 0);
  }
  std::vector<int> rows;
  if (FPrintSettings.RepeatFixedRows())
    for (int r = 0; r < FixedRows() && r < pr.Top; ++r)
      rows.push_back(r);
  std::vector<int> realCols;
  for (int c = pr.Left; c <= pr.Right; ++c)
    realCols.push_back(DisplToRealCol(c));
  auto visit = [&](int r, bool inRange) {
    int tallest = 0, last = 0;
    for (int c = pr.Left; c <= pr.Right; ++c) {
      const int rc = realCols[static_cast<std::size_t>(c - pr.Left)];
      if (rc < 0 || !IsPrintedCol(Run, c)) continue;
      if (fixedWidth) {
        FPrintColWidths[c] = std::max(FPrintColWidths[c], FPrintSettings.FixedWidth());
        continue;
      }
      const TPoint size = MeasurePrintCell(Run, rc, r);
      if (!IsXMergedCell(rc, r)) FPrintColWidths[c] = std::max(FPrintColWidths[c], size.X);
      last = size.Y;
      if (!IsYMergedCell(rc, r)) tallest = std::max(tallest, size.Y);
    }
    if (keepHeights && inRange) Run.Heights[static_cast<std::size_t>(r - pr.Top)] = tallest ? tallest : last;
  };
  for (int r : rows)
    visit(r, false);
  for (int r = pr.Top; r <= pr.Bottom; ++r)
    visit(r, true);
  Run.HeightsKnown = keepHeights;
}

void TProStringGrid::FitPrintColumns(TPrintRun& Run) {
  const TFitToPage mode = FPrintSettings.FitToPage();
  if (mode == fpNever) return;
  const TGridRect& pr = FPrintRect;
  long long sum = 0, sp = 0;
  for (int c = pr.Left; c <= pr.Right; ++c) {
    sp += Run.m;
    if (IsPrintedCol(Run, c)) sum += FPrintColWidths[c] + Run.m;
  }
  double fit = 1.0;
  if (sum != sp)
    fit =
        (Run.W - FPrintSettings.RightSize() - FPrintSettings.LeftSize() - sp) / static_cast<double>(sum - sp);
  if ((fit > 1 && mode == fpShrink) || (fit < 1 && mode == fpGrow)) fit = 1.0;
  if (fit != 1.0 && mode == fpCustom) {
    bool allow = true;
    if (OnFitToPage) OnFitToPage(this, fit, allow);
    if (!allow) fit = 1.0;
  }
  if (fit <= 0) fit = 1.0; // margins wider than the page: nothing sensible to scale to
  if (fit != 1.0)
    for (int c = pr.Left; c <= pr.Right; ++c)
      FPrintColWidths[c] = static_cast<int>(std::trunc(FPrintColWidths[c] * fit));
  Run.Fit = fit;
}

void TProStringGrid::LayOutPrintStrip(TPrintRun& Run, int First) {
  const TGridRect& pr = FPrintRect;
  const int fixedCols = FixedCols();
  Run.RFC = fixedCols >= 1 && FPrintSettings.RepeatFixedCols() && !(Run.S == 1 && pr.Left <= fixedCols);
  Run.FW = 0;
  if (Run.RFC)
    for (int i = 0; i < fixedCols; ++i)
      Run.FW += FPrintColWidths[i] + Run.m;

  auto widthOf = [&](int c) { return IsPrintedCol(Run, c) ? FPrintColWidths[c] + Run.m : 0; };
  const int limit = Run.W - FPrintSettings.RightSize();
  long long d = Run.FW;
  int w = First;
  while (w <= pr.Right) {
    if (d + widthOf(w) > limit) break;
    d += widthOf(w);
    ++w;
  }
  // Every strip takes at least its first column (cut at the page edge), so the run advances.
  if (w == First) {
    d += widthOf(First);
    w = First + 1;
  }
  Run.w = std::min(w - 1, pr.Right);
  Run.v = First;
  if (Run.w < pr.Right) Run.SeveralStrips = true;
  FPrintPageWidth = static_cast<int>(std::min<long long>(d, INT_MAX));
  FPrintColStart = Run.v;
  FPrintColEnd = Run.w;

  std::vector<int>& ind = FPrintColOffsets;
  const int base = FPrintSettings.Centered() ? 0 : FPrintSettings.LeftSize();
  ind[Run.v] = base;
  ind[0] = base;
  for (int j = Run.v; j <= Run.w; ++j)
    ind[j + 1] = ind[j] + widthOf(j);
  if (Run.RFC)
    for (int i = 1; i <= fixedCols; ++i)
      ind[i] = ind[i - 1] + FPrintColWidths[i - 1] + Run.m;
  if (FPrintSettings.Centered() && d < Run.W) {
    const int shift = static_cast<int>((Run.W - d) / 2);
    for (int j = Run.v; j <= Run.w + 1; ++j)
      ind[j] += shift;
    if (Run.RFC)
      for (int i = 0; i <= fixedCols && i < Run.v; ++i)
        ind[i] += shift;
  }
  for (int j = Run.v; j <= Run.w + 1; ++j)
    ind[j] += Run.FW;
}

void TProStringGrid::ComputePrintBlocks(TPrintRun& Run) {
  TPrintSettings& ps = FPrintSettings;
  const TPrintPosition places[] = {ps.Time(), ps.Date(), ps.PageNr(), ps.Title()};
  const bool top = std::any_of(std::begin(places), std::end(places), AtTop);
  const bool bottom = std::any_of(std::begin(places), std::end(places), AtBottom);
  const int extraLines = std::max(0, FPrintSettings.TitleLines().Count() - 1);
  const bool titleLines = Run.T == 0 && extraLines > 0 && ps.TitleText().empty();
  Run.E = top ? Run.h8 + Run.hh + ps.HeaderSize() : ps.HeaderSize();
  if (top && titleLines && AtTop(ps.Title())) Run.E += extraLines * Run.hh;
  if (bottom) {
    Run.G = 2 * Run.h8 + 2 * Run.fh + ps.FooterSize();
    if (AtBottom(ps.Title())) Run.G += titleLines ? extraLines * Run.fh : Run.T;
  } else {
    Run.G = Run.h8 + Run.fh + ps.FooterSize();
  }
}

// The mini-HTML title's height in page units; 0 without one.
int TProStringGrid::MeasurePrintTitle(TPrintRun& Run) {
  TPrintSettings& ps = FPrintSettings;
  if (ps.Title() == ppNone || !ps.TitleText().empty() || ps.TitleLines().Count() == 0) return 0;
  const std::string html = ConcatLines(ps.TitleLines().ToVector());
  if (CellTextKind(html, true) != 1) return 0;
  TCanvas& c = *Run.Canvas;
  const int dpiY = std::max(1, GetDeviceCaps(c, LOGPIXELSY));
  const int mode = SetMapMode(c, MM_TEXT);
  c.Font().Assign(AtTop(ps.Title()) ? ps.HeaderFont() : ps.FooterFont());
  THTMLDrawParams p;
  p.MeasureOnly = true;
  p.Print = true;
  p.ScaleFactor = Run.Ratio;
  p.Images = GetGridImages();
  p.URLColor = URLColor();
  THTMLDrawResult res;
  const int widthPx = static_cast<int>(Run.W * dpiY / 254.0);
  DrawHTML(c, html, {0, 0, std::max(1, widthPx), 65535}, p, res);
  SetMapMode(c, mode);
  return static_cast<int>(std::lround(res.YSize * 254.0 / dpiY));
}

int TProStringGrid::PrintPageTexts(TPrintRun& Run) {
  const bool inRange = Run.P + 1 >= FPrintPageFrom && Run.P + 1 <= FPrintPageTo;
  if (!Run.Drawing() || !inRange) return Run.T;
  TPrintSettings& ps = FPrintSettings;
  TCanvas& c = *Run.Canvas;
  // Slots: top-left, top-right, top-centre, bottom-left, bottom-right, bottom-centre.
  std::string slot[6];
  auto slotOf = [](TPrintPosition p) { return static_cast<int>(p) - 1; };
  auto join = [&](TPrintPosition p, const std::string& piece) {
    if (p == ppNone) return;
    std::string& s = slot[slotOf(p)];
    s = (p == ppTopLeft || p == ppBottomLeft) ? piece + " " + s : s + " " + piece;
  };
  auto joinWithBlank = [&](TPrintPosition p, const std::string& piece) {
    if (p == ppNone) return;
    std::string& s = slot[slotOf(p)];
    const bool left = p == ppTopLeft || p == ppBottomLeft;
    const std::string& a = left ? piece : s;
    const std::string& b = left ? s : piece;
    s = a.empty() || b.empty() ? a + b : a + " " + b;
  };
  const double now = Clock().LocalNow();
  join(ps.Time(), FormatPrintDateTime("hh:nn", now));
  join(ps.Date(), FormatPrintDateTime(ps.DateFormat(), now));
  if (ps.PageNr() != ppNone) {
    std::string number;
    if (Run.SeveralStrips) {
      number = std::to_string(Run.Q + 1) + "-" + std::to_string(Run.S);
    } else {
      number = std::to_string(static_cast<long long>(ps.PageNumberOffset()) + Run.P + 1);
      if (!ps.PageNumSep().empty() && Run.TotalPages > 1) {
        const long long total = std::clamp<long long>(
            static_cast<long long>(Run.TotalPages) + ps.MaxPagesOffset(), INT_MIN, INT_MAX);
        number += ps.PageNumSep() + std::to_string(total);
      }
    }
    PrintGetPageNum(Run.SeveralStrips ? Run.Q + 1 : Run.P + 1, Run.S, number);
    join(ps.PageNr(), ps.PagePrefix() + " " + number + " " + ps.PageSuffix());
  }
  std::string html;
  std::vector<std::string> titleLines = ps.TitleLines().ToVector();
  std::vector<std::string> moreLines;
  if (ps.Title() != ppNone) {
    if (!ps.TitleText().empty()) {
      joinWithBlank(ps.Title(), ps.TitleText());
    } else if (!titleLines.empty()) {
      const std::string all = ConcatLines(titleLines);
      if (CellTextKind(all, true) == 1) {
        html = all;
      } else {
        joinWithBlank(ps.Title(), titleLines[0]);
        moreLines.assign(titleLines.begin() + 1, titleLines.end());
      }
    }
  }

  c.Brush().SetStyle(bsClear);
  auto place = [&](int index, int y, const std::string& text) {
    if (text.empty()) return;
    const int tw = c.TextWidth(text);
    const int x = index % 3 == 0   ? ps.LeftSize()
                  : index % 3 == 1 ? Run.W - tw - ps.RightSize() - 20
                                   : (Run.W - tw) / 2;
    c.TextOut(x, y, text);
  };
  auto drawHTML = [&](const TRect& logical, const TFont& font) {
    TPoint pts[2] = {{logical.Left, logical.Top}, {logical.Right, logical.Bottom}};
    LPtoDP(c, pts, 2);
    const int mode = SetMapMode(c, MM_TEXT);
    DPtoLP(c, pts, 2);
    c.Font().Assign(font);
    THTMLDrawParams p;
    p.Print = true;
    p.ScaleFactor = Run.Ratio;
    p.Images = GetGridImages();
    p.URLColor = URLColor();
    THTMLDrawResult res;
    DrawHTML(c, html, {pts[0].X, pts[0].Y, pts[1].X, pts[1].Y}, p, res);
    SetMapMode(c, mode);
  };

  c.Font().Assign(ps.HeaderFont());
  c.Font().SetHeight(MapFontHeight(ps.HeaderFont().Size()));
  for (int i = 0; i < 3; ++i)
    place(i, -ps.HeaderSize(), slot[i]);
  if (AtTop(ps.Title())) {
    for (std::size_t k = 0; k < moreLines.size(); ++k)
      place(slotOf(ps.Title()), -ps.HeaderSize() - static_cast<int>(k + 1) * Run.hh, moreLines[k]);
    if (!html.empty())
      drawHTML({ps.LeftSize(), -ps.HeaderSize(), Run.W, -ps.HeaderSize() - Run.T}, ps.HeaderFont());
  }
  c.Font().Assign(ps.FooterFont());
  c.Font().SetHeight(MapFontHeight(ps.FooterFont().Size()));
  // A title at the bottom takes the room the footer block keeps for it above the bottom margin:
  // its further lines or its mini-HTML lie under the footer texts, none below the margin.
  const int floor = Run.B + ps.FooterSize();
  int titleRoom = 0;
  if (AtBottom(ps.Title())) titleRoom = html.empty() ? static_cast<int>(moreLines.size()) * Run.fh : Run.T;
  const int footY = floor + titleRoom + Run.h8 + Run.fh;
  for (int i = 3; i < 6; ++i)
    place(i, footY, slot[i]);
  if (AtBottom(ps.Title())) {
    for (std::size_t k = 0; k < moreLines.size(); ++k)
      place(slotOf(ps.Title()), footY - static_cast<int>(k + 1) * Run.fh, moreLines[k]);
    if (!html.empty()) drawHTML({ps.LeftSize(), floor + Run.T, Run.W, floor}, ps.FooterFont());
  }
  c.Brush().SetStyle(bsSolid);
  return Run.T;
}

void TProStringGrid::PrintPageBorders(TPrintRun& Run, int Y) {
  const bool inRange = Run.P + 1 >= FPrintPageFrom && Run.P + 1 <= FPrintPageTo;
  if (!Run.Drawing() || !inRange) return;
  TCanvas& c = *Run.Canvas;
  const TPrintBorders b = FPrintSettings.Borders();
  const std::vector<int>& ind = FPrintColOffsets;
  const int x0 = Run.RFC ? ind[0] : ind[Run.v];
  const int x1 = ind[Run.w + 1];
  const int y0 = -Run.E - FPrintSettings.TitleSpacing();
  const int y1 = Y + Run.h8 / 2;
  if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal) {
    const TBrushStyle keep = c.Brush().Style();
    c.Brush().SetStyle(bsClear);
    c.Rectangle(x0, y0, x1, y1);
    c.Brush().SetStyle(keep);
  }
  if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
    c.MoveTo(x0, y1);
    c.LineTo(x1, y1);
  }
  if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && Run.RFC)
    for (int i = 0; i <= FixedCols(); ++i) {
      c.MoveTo(ind[i], y0);
      c.LineTo(ind[i], y1);
    }
}

void TProStringGrid::StartNextPage(TPrintRun& Run) {
  const int next = Run.P + 2;
  if (next < FPrintPageFrom || next > FPrintPageTo) return;
  if (Run.Mode == 1 && Run.P + 1 >= FPrintPageFrom && FPrintJob) {
    FPrintJob->NewPage();
    SetMapMode(*Run.Canvas, MM_LOMETRIC);
  }
  if (Run.Drawing() && OnPrintPage) OnPrintPage(this, *Run.Canvas, next, Run.W, Run.B);
}

int TProStringGrid::PrintPages(TCanvas& ACanvas, int Mode, bool SelectedOnly, int TotalPages) {
  TPrintRun run;
  run.Canvas = &ACanvas;
  run.Mode = Mode;
  run.SelectedOnly = SelectedOnly;
  run.TotalPages = TotalPages;
  TCanvas& c = ACanvas;

  {
    const int mode = SetMapMode(c, MM_TEXT);
    const int screen = GetDeviceCaps(Canvas(), LOGPIXELSX);
    run.Ratio = screen > 0 ? GetDeviceCaps(c, LOGPIXELSX) / static_cast<double>(screen) : 1.0;
    SetMapMode(c, mode ? mode : MM_LOMETRIC);
    run.L = 254.0 / (screen > 0 ? screen : ScreenPixelsPerInch);
  }
  FFontscalefactor = 1.0;
  // Outside a row being measured or drawn the scale is 1, also when a row raises.
  struct TPlainScale {
    double& Factor;
    ~TPlainScale() { Factor = 1.0; }
  } plainScale{FFontscalefactor};
  TDrawingBackup backup(c);
  TPrintSettings& ps = FPrintSettings;
  c.Pen().SetColor(clBlack);
  c.Pen().SetStyle(ps.BorderStyle());
  c.Pen().SetWidth(ps.Borders() == pbDouble ? 10 : 2);
  run.hh = TextHeightIn(c, ps.HeaderFont(), MapFontHeight(ps.HeaderFont().Size()));
  run.fh = TextHeightIn(c, ps.FooterFont(), MapFontHeight(ps.FooterFont().Size()));
  run.h = TextHeightIn(c, ps.Font(), MapFontHeight(ps.Font().Size()));
  run.h8 = run.h / 8;
  run.gw = c.TextWidth("g") / 2;
  run.m = ps.UseFixedWidth() ? 0 : ps.ColumnSpacing() + 20;

  switch (Mode) {
  case 1:
    // A print job lays its pages out on the page it counted them on (the clip rectangle can
    // differ from it by a unit of rounding, and so break pages elsewhere).
    if (!FPrintJob) {
      const TRect clip = c.ClipRect();
      run.W = clip.Right - clip.Left;
      run.B = clip.Bottom;
      break;
    }
    [[fallthrough]];
  case 2:
    run.W = FPrevRect.Right - FPrevRect.Left;
    run.B = -FPrevRect.Bottom - FPrevRect.Top;
    break;
  default: {
    // The preview's page is the display rectangle, its top left the viewport's origin.
    TPoint pts[2] = {{0, 0}, {FPrevRect.Right - FPrevRect.Left, FPrevRect.Bottom - FPrevRect.Top}};
    TPoint origin;
    SetViewportOrgEx(c, 0, 0, &origin);
    DPtoLP(c, pts, 2);
    SetViewportOrgEx(c, origin.X, origin.Y);
    run.W = pts[1].X - pts[0].X;
    run.B = pts[1].Y - pts[0].Y;
    break;
  }
  }
  FPrintPageRect = {0, 0, run.W, run.B};

  TGridRect& pr = FPrintRect;
  pr.Left = std::max(0, pr.Left);
  pr.Top = std::max(0, pr.Top);
  pr.Right = std::min(pr.Right, ColCount() - 1);
  pr.Bottom = std::min(pr.Bottom, RowCount() - 1);
  const std::size_t columns = static_cast<std::size_t>(std::max({pr.Right + 2, FixedCols() + 2, 513}));
  if (FPrintColWidths.size() < columns) FPrintColWidths.resize(columns, 0);
  if (FPrintColOffsets.size() < columns) FPrintColOffsets.resize(columns, 0);
  if (pr.Right < pr.Left || pr.Bottom < pr.Top) return 0;

  MeasurePrintColumns(run);
  FitPrintColumns(run);
  if (OnPrintSetColumnWidth)
    for (int col = pr.Left; col <= pr.Right; ++col)
      OnPrintSetColumnWidth(this, col, FPrintColWidths[col]);
  run.T = MeasurePrintTitle(run);

  const bool selRows = FixedRows() < pr.Top || pr.Bottom < RowCount() - 1 - FFixedFooters;
  // A fast print lays pages out up to the last page asked for; a fast preview stops soon after
  // the page it shows.
  const bool printing = Mode == 1 || Mode == 2;
  bool cancelled = false, fastStop = false;
  int w = pr.Left;
  while (w <= pr.Right && !cancelled && !fastStop) {
    ++run.S;
    run.Q = 0;
    LayOutPrintStrip(run, w);
    ComputePrintBlocks(run);
    int r = pr.Top;
    if (run.Drawing() && OnPrintPage && run.P + 1 >= FPrintPageFrom && run.P + 1 <= FPrintPageTo)
      OnPrintPage(this, c, run.P + 1, run.W, run.B);
    int Y = 0;
    int n = 0;
    bool placed = false; // a row of the range is on the current page
    for (;;) {
      if (r > pr.Bottom || cancelled) break;
      ExportNotification(selRows ? esExportSelRow : esExportNewRow, r);
      if (n == 0) {
        Y = -run.E;
        const int t = PrintPageTexts(run);
        Y -= ps.TitleSpacing() + t;
        if (r > 0 && (run.P > 0 || pr.Top >= FixedRows()) && ps.RepeatFixedRows() && FixedRows() > 0) {
          for (int f = 0; f < FixedRows(); ++f) {
            if (run.RFC) PrintRow(run, Y, 0, FixedCols() - 1, f);
            Y -= PrintRow(run, Y, run.v, run.w, f);
          }
          ++n;
        }
      }
      bool stayed = false;
      if (IsPrintedRow(run, r)) {
        // The first row of a page is placed even when it is taller than the page (it is cut at
        // the page's bottom), so every page advances the run.
        if (run.B + run.G < Y - PrintRowHeight(run, r) || !placed) {
          if (run.RFC) PrintRow(run, Y, 0, FixedCols() - 1, r);
          Y -= PrintRow(run, Y, run.v, run.w, r);
          placed = true;
        } else {
          stayed = true;
        }
      }
      if (!stayed) ++r;
      bool newPage = false;
      if (OnPrintNewPage) OnPrintNewPage(this, r, newPage);
      ++n;
      const bool nextTooTall =
          r <= pr.Bottom && IsPrintedRow(run, r) && Y - PrintRowHeight(run, r) <= run.B + run.G;
      const bool done = r > pr.Bottom || newPage || nextTooTall || stayed;
      if (!done) continue;
      if (run.Drawing() && run.P + 1 >= FPrintPageFrom && run.P + 1 <= FPrintPageTo) {
        if (OnPrintPageDone) OnPrintPageDone(this, c, r, Y, run.P + 1, run.W, run.B);
        if (OnPrintCancel) OnPrintCancel(this, run.P + 1, cancelled);
      }
      if (r > pr.Bottom || cancelled) break; // the strip ends with this page
      PrintPageBorders(run, Y);
      StartNextPage(run);
      if (FFastPrint && (printing ? FPrintPageTo - 1 <= run.P : FPrintPageFrom < run.P)) {
        r = pr.Bottom + 1;
        fastStop = true;
      }
      ++run.P;
      ++run.Q;
      ComputePrintBlocks(run);
      n = 0;
      placed = false;
    }
    PrintPageBorders(run, Y);
    w = run.w + 1;
    if (w <= pr.Right && !cancelled && !fastStop) StartNextPage(run);
    ++run.P;
  }
  return run.P;
}
