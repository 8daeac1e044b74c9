// What printing a tree needs of a printer: a job of pages of a size, drawn on a canvas.
#pragma once

#include "platform/ui/Graphics.h"

#include <string>

class TPrinter;

class TTreePrintTarget {
public:
  virtual ~TTreePrintTarget() = default;
  virtual void BeginDoc() = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() = 0;
  // The printable area in the target's dots.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  virtual TCanvas& Canvas() = 0;
  // Height of a text in the canvas font, in the target's dots.
  virtual int TextHeight(const std::string& Text) { return Canvas().TextHeight(Text); }
};

// The platform printer as a print target.
class TPrinterPrintTarget : public TTreePrintTarget {
public:
  explicit TPrinterPrintTarget(TPrinter& printer) : FPrinter(printer) {}
  void BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  void Abort() override;
  int PageWidth() const override;
  int PageHeight() const override;
  TCanvas& Canvas() override;

private:
  TPrinter& FPrinter;
};
