// The printer: a print job of pages drawn on a canvas in printer dots, written into a PDF file whole
// at EndDoc (or not at all). Without a file name set, the file is the job's title + ".pdf" beside
// the program.
//
//   TPrinter& p = *Printer();
//   p.SetFileName("/tmp/table.pdf");
//   p.SetTitle("Table");
//   p.BeginDoc();
//   SetMapMode(p.Canvas(), MM_LOMETRIC);          // tenths of a millimetre, y upward
//   p.Canvas().TextOut(100, -100, "Row 1");
//   p.NewPage();
//   ...
//   p.EndDoc();
#pragma once

#include "platform/ui/Graphics.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class EPrinter : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter {
public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // ---- settings; changing them while printing raises EPrinter "Printing in progress".
  // The PDF file the job writes; "" for the default one.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& fileName);
  // The file a job started now writes: FileName, or the title (else "Untitled") + ".pdf" in the
  // program's folder. EPrinter when the title cannot be a file name.
  std::string OutputFile() const;
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation orientation);
  // The job's title (the document title of the PDF).
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title);
  // Dots per inch of the PDF backend (default 600).
  int Resolution() const { return FResolution; }
  void SetResolution(int dotsPerInch);
  // Paper size (portrait, millimetres; default A4) and the margins outside the printable area.
  void SetPaperSize(double widthMm, double heightMm);
  void SetMargins(double leftMm, double topMm, double rightMm, double bottomMm);
  // Degrees by which the device turns a landscape page (90 or 270 for printer drivers). The PDF
  // writer lays landscape pages out upright and answers 270: text turned on them needs no other
  // direction than on a portrait page.
  int LandscapeAngle() const { return 270; }
  // Names of the printers the system knows.
  static std::vector<std::string> Printers();

  // ---- the job
  // Starts the job on page 1. EPrinter when a job already runs ("Printing in progress") or the
  // default file's name is unsafe.
  void BeginDoc();
  // Starts the next page; EPrinter "Printer is not currently printing" outside a job.
  void NewPage();
  // Ends the job: the PDF file is written whole, replacing an older one; EPrinter with the reason
  // when it cannot be written (the old file then stays as it was).
  void EndDoc();
  // Ends the job without output.
  void Abort();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  int PageNumber() const { return FPageNumber; }

  // The printable area in dots (also outside a job: of the current settings).
  int PageWidth() const;
  int PageHeight() const;
  // Draws on the current page while printing; outside a job it only measures.
  TCanvas& Canvas() { return FCanvas; }

private:
  void CheckNotPrinting() const;
  struct Job;
  std::string FFileName;
  std::string FTitle;
  TPrinterOrientation FOrientation = poPortrait;
  int FResolution = 600;
  double FPaperW = 210, FPaperH = 297;
  double FMarginL = 0, FMarginT = 0, FMarginR = 0, FMarginB = 0;
  bool FPrinting = false;
  bool FAborted = false;
  int FPageNumber = 0;
  TCanvas FCanvas;
  std::unique_ptr<Job> FJob;
};

// The program's printer object.
TPrinter* Printer();
