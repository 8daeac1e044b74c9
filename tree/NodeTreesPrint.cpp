// Printing the tree: each page's part of the tree surface is rendered on its own and stretched
// onto the printer page, so no picture of the whole tree is ever made.
#include "platform/ui/Printers.h"
#include "tree/DrawingUtils.h"
#include "tree/NodeTrees.h"
#include "tree/TreePrintTarget.h"
#include "tree/VTHeader.h"

#include <algorithm>
#include <cmath>

void TPrinterPrintTarget::BeginDoc() {
  FPrinter.BeginDoc();
}
void TPrinterPrintTarget::NewPage() {
  FPrinter.NewPage();
}
void TPrinterPrintTarget::EndDoc() {
  FPrinter.EndDoc();
}
void TPrinterPrintTarget::Abort() {
  FPrinter.Abort();
}
int TPrinterPrintTarget::PageWidth() const {
  return FPrinter.PageWidth();
}
int TPrinterPrintTarget::PageHeight() const {
  return FPrinter.PageHeight();
}
TCanvas& TPrinterPrintTarget::Canvas() {
  return FPrinter.Canvas();
}

TRect TBaseNodeTree::GetTreeRect() const {
  return TRect{0, 0, std::max(ClientWidth(), static_cast<int>(FRangeX)),
               std::max(ClientHeight(), static_cast<int>(RangeY()))};
}

void TBaseNodeTree::Print(TPrinter* Printer, bool PrintHeader) {
  if (!Printer) return;
  TPrinterPrintTarget target(*Printer);
  Print(target, PrintHeader);
}

void TBaseNodeTree::Print(TTreePrintTarget& Target, bool PrintHeader) {
  BeginUpdate();
  const TColor color = Color();
  struct TRestore {
    TBaseNodeTree* Tree;
    TColor Color;
    ~TRestore() {
      Tree->SetColor(Color);
      Tree->EndUpdate();
    }
  } restore{this, color};
  // The picture is printed on white paper whatever the tree's own colour.
  SetColor(clWhite);
  const TRect tree = GetTreeRect();
  // A shown header heads the picture; the tree lies below it.
  const int headerHeight = PrintHeader ? HeaderHeightShown() : 0;

  Target.BeginDoc();
  try {
    TCanvas& printer = Target.Canvas();
    printer.Font() = Font();
    TCanvas screen;
    screen.Font() = Font();
    const int printerText = Target.TextHeight("Tj");
    const int screenText = screen.TextHeight("Tj");
    if (printerText <= 0 || screenText <= 0)
      throw EPrinter("The tree cannot be printed: the printer reports no text height to scale the tree by.");
    const double scale = static_cast<double>(printerText) / screenText;
    const int pageWidth = static_cast<int>(std::lround(Target.PageWidth() / scale));
    const int pageHeight = static_cast<int>(std::lround(Target.PageHeight() / scale));
    if (pageWidth <= 0 || pageHeight <= 0)
      throw EPrinter("The tree cannot be printed: the printer's page has no printable area.");
    TBitmap page;
    page.SetPixelFormat(pf32bit);
    page.SetSize(pageWidth, pageHeight);
    if (page.Empty()) throw EPrinter("The tree cannot be printed: a page of it is too large to render.");
    const int horzPages = (tree.Width() + pageWidth - 1) / pageWidth;
    const int vertPages = (tree.Height() + headerHeight + pageHeight - 1) / pageHeight;
    const TRect printed{0, 0, Target.PageWidth(), Target.PageHeight()};
    for (int row = 0; row < vertPages; ++row) {
      for (int column = 0; column < horzPages; ++column) {
        TCanvas& c = page.Canvas();
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clWhite);
        c.FillRect(TRect{0, 0, pageWidth, pageHeight});
        const TRect part{column * pageWidth, row * pageHeight, std::min(tree.Right, (column + 1) * pageWidth),
                         std::min(tree.Bottom + headerHeight, (row + 1) * pageHeight)};
        if (part.Top < headerHeight)
          FHeader->Columns().PaintHeader(c, TRect{part.Left, part.Top, part.Right, headerHeight},
                                         TPoint{0, 0}, 0);
        const TRect treePart{part.Left, std::max(part.Top - headerHeight, 0), part.Right,
                             part.Bottom - headerHeight};
        if (treePart.Bottom > treePart.Top)
          PaintTree(c, treePart, TPoint{0, std::max(headerHeight - part.Top, 0)},
                    TVTInternalPaintOptions{poGridLines});
        StretchDrawDIB(printer, printed, page);
        if (column < horzPages - 1 || row < vertPages - 1) Target.NewPage();
      }
    }
  } catch (...) {
    Target.Abort();
    throw;
  }
  Target.EndDoc();
}
