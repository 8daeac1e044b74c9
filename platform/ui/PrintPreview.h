// A plain print preview window: one page at a time, drawn by the caller onto a page-sized image
// (the printer's paper at the screen's resolution), with buttons to step through the pages.
//
//   TPrintPreviewForm preview(nullptr, [&](TCanvas& c, const TRect& page, int nr) {
//     grid->SetPreviewPage(nr);
//     grid->PrintPreview(c, page);
//     return grid->PrintNrOfPages();
//   });
//   preview.ShowModal();
#pragma once

#include "platform/ui/Forms.h"

#include <functional>

class TButton;
class TImage;
class TLabel;
class TPanel;

// Draws page `pageNr` (1-based) into `page` of the canvas and answers the number of pages.
using TDrawPreviewPage = std::function<int(TCanvas& canvas, const TRect& page, int pageNr)>;

class TPrintPreviewForm : public TForm {
public:
  TPrintPreviewForm(TComponent* AOwner, TDrawPreviewPage drawPage);

  int Page() const { return FPage; }
  int PageCount() const { return FPageCount; }
  // Shows page n, kept within 1..PageCount.
  void SetPage(int n);
  void NextPage() { SetPage(FPage + 1); }
  void PriorPage() { SetPage(FPage - 1); }
  // The image of the page shown.
  const TBitmap& PageImage() const;
  TButton* PriorButton() const { return FPrior; }
  TButton* NextButton() const { return FNext; }
  TLabel* PageLabel() const { return FLabel; }

private:
  void Render();
  TDrawPreviewPage FDrawPage;
  TPanel* FBar = nullptr;
  TButton* FPrior = nullptr;
  TButton* FNext = nullptr;
  TLabel* FLabel = nullptr;
  TImage* FImage = nullptr;
  int FPage = 1;
  int FPageCount = 1;
};
