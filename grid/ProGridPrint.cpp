// The print and preview entry points: each sets the range and the pages, switches the canvas to
// page units and hands over to the print engine; and the small measures the engine shares.
#include "grid/ProGrid.h"
#include "platform/ui/Printers.h"

#include <climits>
#include <cmath>
#include <numbers>

namespace {

TGridRect WholeGrid(const TProStringGrid& g) {
  return {0, 0, g.ColCount() - 1, g.RowCount() - 1};
}

// The canvas's mapping and origins as they were, restored when the scope ends (also on errors).
class TMappingScope {
public:
  explicit TMappingScope(TCanvas& c) : FCanvas(c), FMode(GetMapMode(c)) {
    TPoint origin;
    SetViewportOrgEx(c, 0, 0, &origin);
    FViewOrg = origin;
    SetViewportOrgEx(c, origin.X, origin.Y);
  }
  ~TMappingScope() {
    SetMapMode(FCanvas, FMode);
    SetViewportOrgEx(FCanvas, FViewOrg.X, FViewOrg.Y);
  }
  TMappingScope(const TMappingScope&) = delete;
  TMappingScope& operator=(const TMappingScope&) = delete;

private:
  TCanvas& FCanvas;
  int FMode;
  TPoint FViewOrg;
};

} // namespace

void TProStringGrid::Print() {
  DoPrint(WholeGrid(*this), false);
}

void TProStringGrid::PrintSelection() {
  DoPrint(Selection(), false);
}

void TProStringGrid::PrintRect(const TGridRect& Gridrect) {
  DoPrint(Gridrect, false);
}

void TProStringGrid::PrintSelectedRows() {
  DoPrint(WholeGrid(*this), true);
}

void TProStringGrid::PrintSelectedCols() {
  DoPrint(WholeGrid(*this), true);
}

void TProStringGrid::PrintPreview(TCanvas& ACanvas, const TRect& Displayrect) {
  DoPrintPreview(ACanvas, Displayrect, false, WholeGrid(*this));
}

void TProStringGrid::PrintPreviewRect(TCanvas& ACanvas, const TRect& Displayrect, const TGridRect& Gridrect) {
  DoPrintPreview(ACanvas, Displayrect, false, Gridrect);
}

void TProStringGrid::PrintPreviewSelection(TCanvas& ACanvas, const TRect& Displayrect) {
  DoPrintPreview(ACanvas, Displayrect, false, Selection());
}

void TProStringGrid::PrintPreviewSelectedRows(TCanvas& ACanvas, const TRect& Displayrect) {
  DoPrintPreview(ACanvas, Displayrect, true, WholeGrid(*this));
}

void TProStringGrid::PrintPreviewSelectedCols(TCanvas& ACanvas, const TRect& Displayrect) {
  DoPrintPreview(ACanvas, Displayrect, true, WholeGrid(*this));
}

void TProStringGrid::PrintDraw(TCanvas& ACanvas, const TRect& DrawRect) {
  PrintDrawRect(ACanvas, DrawRect, WholeGrid(*this));
}

void TProStringGrid::PrintDrawRect(TCanvas& ACanvas, const TRect& DrawRect, const TGridRect& Gridrect) {
  FPrintRect = Gridrect;
  FPrevRect = DrawRect;
  FPrintPageFrom = FPrintPageTo = FPrintNrOfPages = 1;
  TMappingScope mapping(ACanvas);
  SetMapMode(ACanvas, MM_LOMETRIC);
  PrintPages(ACanvas, 1, false, 1);
}

void TProStringGrid::DoPrint(const TGridRect& Range, bool SelectedOnly) {
  TPrinter& printer = *Printer();
  ExportNotification(esExportStart, -1);
  FPrintRect = Range;
  if (!FPrintSettings.UseDefaultOrientation()) printer.SetOrientation(FPrintSettings.Orientation());
  const int dpi = printer.Resolution();
  FPrevRect = {0, 0, static_cast<int>(std::lround(254.0 / dpi * printer.PageWidth())),
               static_cast<int>(std::lround(254.0 / dpi * printer.PageHeight()))};
  printer.SetTitle(FPrintSettings.JobName());

  // Whatever happens, the job ends (a failed one without output), the canvas's mapping comes back,
  // the run's scale is plain again and listeners hear that the print is over.
  bool begun = false;
  int mode = MM_TEXT;
  auto fail = [&] {
    if (begun) {
      SetMapMode(printer.Canvas(), mode);
      printer.Abort();
    }
    FPrintJob = nullptr;
    FFontscalefactor = 1.0;
    ExportNotification(esExportFail, -1);
  };
  try {
    printer.BeginDoc();
    begun = true;
    FPrintJob = &printer;
    mode = GetMapMode(printer.Canvas());
    int n = INT_MAX;
    if (!FFastPrint) {
      SetMapMode(printer.Canvas(), MM_LOMETRIC);
      n = PrintPages(printer.Canvas(), 2, SelectedOnly, -1);
      SetMapMode(printer.Canvas(), mode);
    }
    FPrintPageFrom = 1;
    FPrintPageTo = n;
    FPrintNrOfPages = n;
    if (OnPrintStart) {
      printer.Abort();
      begun = false;
      OnPrintStart(this, n, FPrintPageFrom, FPrintPageTo);
      if (FPrintPageFrom == 0 || FPrintPageTo == 0 || FPrintPageFrom > FPrintPageTo) {
        FPrintJob = nullptr;
        return;
      }
      printer.BeginDoc();
      begun = true;
    }
    FPrintNrOfPages = FPrintPageTo;
    SetMapMode(printer.Canvas(), MM_LOMETRIC);
    // A fast print never counted its pages: their numbers go without a count.
    PrintPages(printer.Canvas(), 1, SelectedOnly, FFastPrint ? -1 : n);
    SetMapMode(printer.Canvas(), mode);
    FPrintJob = nullptr;
    begun = false;
    printer.EndDoc();
  } catch (...) {
    fail();
    throw;
  }
  ExportNotification(esExportDone, -1);
}

void TProStringGrid::DoPrintPreview(TCanvas& ACanvas, const TRect& DisplayRect, bool SelectedOnly,
                                    const TGridRect& Range) {
  ExportNotification(esExportStart, -1);
  FPrintRect = Range;
  try {
    TMappingScope mapping(ACanvas);
    SetMapMode(ACanvas, MM_LOMETRIC);
    // The preview's page starts at the display rectangle's top left.
    SetViewportOrgEx(ACanvas, DisplayRect.Left, DisplayRect.Top);
    FPrevRect = DisplayRect;
    int n = 1;
    if (!FFastPrint) {
      n = PrintPages(ACanvas, 3, SelectedOnly, -1);
      FPrintNrOfPages = n;
    }
    int from = 1, to = n;
    FIsPrintPreview = true;
    if (OnPrintStart) OnPrintStart(this, n, from, to);
    if (from > 0 && to > 0 && from <= to) {
      FPrevRect = DisplayRect;
      PrintPages(ACanvas, 0, SelectedOnly, n);
    }
  } catch (...) {
    FFontscalefactor = 1.0;
    ExportNotification(esExportDone, -1);
    FIsPrintPreview = false;
    throw;
  }
  ExportNotification(esExportDone, -1);
  FIsPrintPreview = false;
}

int TProStringGrid::MapFontHeight(int PointSize) const {
  return -static_cast<int>(std::trunc(PointSize * 254.0 / 72.0 * FFontscalefactor));
}

int TProStringGrid::MapFontSize(int Height) const {
  return static_cast<int>(std::trunc(Height * 72.0 / 254.0));
}

void TProStringGrid::AlignRotatedText(TRect& R, int Angle, int VAlign, int HAlign, const std::string& Text) {
  const TSize extent = Canvas().TextExtent(Text);
  R = {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
  const double t = Angle * std::numbers::pi / 180.0;
  auto abst = [](double x) { return std::abs(static_cast<int>(std::trunc(x))); };
  RotatedTextOrigin(R, HAlign, VAlign, abst(std::cos(t) * extent.cy), abst(std::sin(t) * extent.cx),
                    abst(std::sin(t) * extent.cy), abst(std::cos(t) * extent.cx), Angle);
}

void RotatedTextOrigin(TRect& R, int HAlign, int VAlign, int a, int b, int c, int d, int Angle) {
  const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
  auto half = [](int x) { return x / 2; };
  switch (quadrant) {
  case 1:
    if (HAlign == 1)
      R.Left = R.Right - d - c;
    else if (HAlign == 2)
      R.Left += half(R.Right - R.Left - c - d);
    break;
  case 2:
    if (HAlign == 0)
      R.Left += d;
    else if (HAlign == 1)
      R.Left = R.Right - c;
    else
      R.Left = R.Right - half(c + R.Right - R.Left - d);
    break;
  case 3:
    if (HAlign == 0)
      R.Left += c + d;
    else if (HAlign == 1)
      R.Left = R.Right;
    else
      R.Left = R.Right - half(R.Right - R.Left - c - d);
    break;
  default:
    if (HAlign == 0)
      R.Left += c;
    else if (HAlign == 1)
      R.Left = R.Right - d;
    else
      R.Left += half(c + R.Right - R.Left - d);
    break;
  }
  const int spill = b + R.Top + a - R.Bottom; // how far the box reaches past the bottom
  switch (quadrant) {
  case 1:
    R.Top = VAlign == 0 ? R.Top + b : VAlign == 1 ? R.Top + b - half(spill) : R.Bottom - a;
    break;
  case 2:
    R.Top = VAlign == 0 ? R.Top + a + b : VAlign == 1 ? R.Top + a + b - half(spill) : R.Bottom;
    break;
  case 3:
    R.Top = VAlign == 0 ? R.Top + a : VAlign == 1 ? R.Top + a - half(spill) : R.Bottom - b;
    break;
  default:
    R.Top = VAlign == 0 ? R.Top : VAlign == 1 ? R.Top - half(spill) : R.Bottom - a - b;
    break;
  }
}
