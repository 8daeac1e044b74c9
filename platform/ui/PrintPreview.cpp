#include "platform/ui/PrintPreview.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Printers.h"
#include "platform/ui/StdCtrls.h"

#include <algorithm>

TPrintPreviewForm::TPrintPreviewForm(TComponent* AOwner, TDrawPreviewPage drawPage)
    : TForm(AOwner), FDrawPage(std::move(drawPage)) {
  SetCaption("Print preview");
  SetClientWidth(640);
  SetClientHeight(820);
  FBar = new TPanel(this);
  FBar->SetParent(this);
  FBar->SetAlign(alTop);
  FBar->SetHeight(36);
  FPrior = new TButton(FBar);
  FPrior->SetParent(FBar);
  FPrior->SetCaption("<");
  FPrior->SetBounds(8, 6, 40, 24);
  FPrior->OnClick = [this](TObject*) { PriorPage(); };
  FNext = new TButton(FBar);
  FNext->SetParent(FBar);
  FNext->SetCaption(">");
  FNext->SetBounds(52, 6, 40, 24);
  FNext->OnClick = [this](TObject*) { NextPage(); };
  FLabel = new TLabel(FBar);
  FLabel->SetParent(FBar);
  FLabel->SetBounds(104, 10, 200, 18);
  FImage = new TImage(this);
  FImage->SetParent(this);
  FImage->SetAlign(alClient);
  FImage->SetStretch(true);
  FImage->SetProportional(true);
  FImage->SetCenter(true);
  Render();
}

const TBitmap& TPrintPreviewForm::PageImage() const {
  return FImage->Picture().Bitmap();
}

void TPrintPreviewForm::SetPage(int n) {
  FPage = std::clamp(n, 1, std::max(1, FPageCount));
  Render();
}

void TPrintPreviewForm::Render() {
  // The printer's page at the screen's resolution.
  TPrinter& printer = *Printer();
  const int w = printer.PageWidth() * ScreenPixelsPerInch / printer.Resolution();
  const int h = printer.PageHeight() * ScreenPixelsPerInch / printer.Resolution();
  TBitmap page(w, h);
  FPageCount = std::max(1, FDrawPage ? FDrawPage(page.Canvas(), {0, 0, w, h}, FPage) : 1);
  if (FPage > FPageCount) {
    FPage = FPageCount;
    page.SetSize(0, 0);
    page.SetSize(w, h);
    FPageCount = std::max(1, FDrawPage(page.Canvas(), {0, 0, w, h}, FPage));
  }
  FImage->Picture().Assign(page);
  FLabel->SetCaption("Page " + std::to_string(FPage) + " of " + std::to_string(FPageCount));
  FPrior->SetEnabled(FPage > 1);
  FNext->SetEnabled(FPage < FPageCount);
}
