#include "platform/ui/Printers.h"

#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/GraphicsImpl.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>

#include <cmath>

struct TPrinter::Job {
  std::string File;
  QBuffer Buffer;
  std::unique_ptr<QPagedPaintDevice> Device;
  QPainter Painter;
  std::unique_ptr<TCanvasBinding> Binding;
};

namespace {

QPageLayout LayoutOf(double w, double h, double l, double t, double r, double b, TPrinterOrientation o) {
  return QPageLayout(QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                     o == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(l, t, r, b),
                     QPageLayout::Millimeter);
}

int Dots(double mm, int dpi) {
  return static_cast<int>(std::lround(mm * dpi / 25.4));
}

} // namespace

TPrinter* Printer() {
  static TPrinter printer;
  return &printer;
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (FPrinting) Abort();
}

void TPrinter::CheckNotPrinting() const {
  if (FPrinting) throw EPrinter("Printing in progress");
}

void TPrinter::SetFileName(const std::string& fileName) {
  CheckNotPrinting();
  FFileName = fileName;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
  CheckNotPrinting();
  FOrientation = orientation;
}

void TPrinter::SetTitle(const std::string& title) {
  CheckNotPrinting();
  FTitle = title;
}

void TPrinter::SetResolution(int dotsPerInch) {
  CheckNotPrinting();
  if (dotsPerInch < 72 || dotsPerInch > 2400) throw EPrinter("Printer resolution out of range");
  FResolution = dotsPerInch;
}

void TPrinter::SetPaperSize(double widthMm, double heightMm) {
  CheckNotPrinting();
  if (!(widthMm >= 10 && heightMm >= 10 && widthMm <= 5000 && heightMm <= 5000))
    throw EPrinter("Paper size out of range");
  FPaperW = widthMm;
  FPaperH = heightMm;
}

void TPrinter::SetMargins(double leftMm, double topMm, double rightMm, double bottomMm) {
  CheckNotPrinting();
  if (!(leftMm >= 0 && topMm >= 0 && rightMm >= 0 && bottomMm >= 0 && leftMm + rightMm < FPaperW - 5 &&
        topMm + bottomMm < FPaperH - 5))
    throw EPrinter("Margins out of range");
  FMarginL = leftMm;
  FMarginT = topMm;
  FMarginR = rightMm;
  FMarginB = bottomMm;
}

std::vector<std::string> TPrinter::Printers() {
  Application->Initialize();
  std::vector<std::string> names;
  for (const QString& n : QPrinterInfo::availablePrinterNames())
    names.push_back(n.toStdString());
  return names;
}

int TPrinter::PageWidth() const {
  if (FJob && FJob->Device) return FJob->Painter.device()->width();
  const bool land = FOrientation == poLandscape;
  return Dots((land ? FPaperH : FPaperW) - (FMarginL + FMarginR), FResolution);
}

int TPrinter::PageHeight() const {
  if (FJob && FJob->Device) return FJob->Painter.device()->height();
  const bool land = FOrientation == poLandscape;
  return Dots((land ? FPaperW : FPaperH) - (FMarginT + FMarginB), FResolution);
}

std::string TPrinter::OutputFile() const {
  if (!FFileName.empty()) return FFileName;
  const std::string name = FTitle.empty() ? std::string("Untitled") : FTitle;
  if (!IsSafeFileName(name)) throw EPrinter("The job name \"" + name + "\" cannot name the output file");
  return JoinPath(ProgramFolder(), name + ".pdf");
}

void TPrinter::BeginDoc() {
  CheckNotPrinting();
  Application->Initialize();
  auto job = std::make_unique<Job>();
  job->File = OutputFile();
  const QPageLayout layout = LayoutOf(FPaperW, FPaperH, FMarginL, FMarginT, FMarginR, FMarginB, FOrientation);
  const int dpi = FResolution;
  job->Buffer.open(QIODevice::WriteOnly);
  auto writer = std::make_unique<QPdfWriter>(&job->Buffer);
  writer->setResolution(dpi);
  writer->setPageLayout(layout);
  writer->setTitle(QString::fromStdString(FTitle));
  writer->setCreator(QStringLiteral("Velmaric"));
  job->Device = std::move(writer);
  if (!job->Painter.begin(job->Device.get())) throw EPrinter("The printer cannot start the job");
  const QRect full = job->Device->pageLayout().fullRectPixels(dpi);
  const QRect paint = job->Device->pageLayout().paintRectPixels(dpi);
  SetCanvasDevice(FCanvas, dpi, dpi, {full.width(), full.height()}, {paint.left(), paint.top()});
  job->Binding = std::make_unique<TCanvasBinding>(FCanvas, job->Painter);
  FJob = std::move(job);
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EPrinter("Printer is not currently printing");
  FJob->Device->newPage();
  ++FPageNumber;
}

void TPrinter::EndDoc() {
  if (!FPrinting) throw EPrinter("Printer is not currently printing");
  std::unique_ptr<Job> job = std::move(FJob);
  FPrinting = false;
  job->Binding.reset();
  job->Painter.end();
  ResetCanvasDevice(FCanvas);
  job->Device.reset(); // the writer finishes the file into the buffer
  const QByteArray& bytes = job->Buffer.data();
  TWriteResult written =
      WriteFileAtomic(job->File, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written) throw EPrinter("Cannot write " + job->File + ": " + written.Error);
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  std::unique_ptr<Job> job = std::move(FJob);
  FPrinting = false;
  FAborted = true;
  job->Binding.reset();
  job->Painter.end();
  ResetCanvasDevice(FCanvas);
}
