#include "ui/painting/printing_frame.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <algorithm>
#include <utility>

#include "ui/painting/window_fonts.h"

namespace korvel::ui {
namespace {

constexpr int kPdfResolution = 600;

}  // namespace

PrintingFrame::PrintingFrame() = default;

PrintingFrame::~PrintingFrame() {
  AbortPrintJob();
}

bool PrintingFrame::StartPrintJob(const std::string& documentName, QWidget* parent, int lastPage) {
  AbortPrintJob();
  lastError_.clear();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(QString::fromStdString(documentName));
  printer->setCopyCount(1);
  // Without a printer the dialog offers a PDF file: one in the current directory, named after the
  // job, rather than the bare home directory.
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    printer->setOutputFileName(
        QDir::current().absoluteFilePath(QString::fromStdString(documentName) + ".pdf"));
  }

  QPrintDialog dialog(printer.get(), parent);
  dialog.setMinMax(1, lastPage);
  dialog.setFromTo(1, lastPage);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintShowPageSize);
  if (dialog.exec() != QDialog::Accepted) return false;
  return BeginDocument(std::move(printer), documentName, parent);
}

bool PrintingFrame::StartPrintJobToPdf(const std::string& path, const std::string& documentName,
                                       QWidget* parent) {
  AbortPrintJob();
  lastError_.clear();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(path));
  printer->setResolution(kPdfResolution);
  printer->setPageSize(QPageSize(QPageSize::Letter));
  printer->setPageOrientation(QPageLayout::Portrait);
  printer->setFullPage(true);
  return BeginDocument(std::move(printer), documentName, parent);
}

bool PrintingFrame::BeginDocument(std::unique_ptr<QPrinter> printer, const std::string& documentName,
                                  QWidget* parent) {
  printer->setDocName(QString::fromStdString(documentName));
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(printer.get())) {
    const QString file = printer->outputFileName();
    return Fail(file.isEmpty() ? std::string("The printer could not start the document.")
                               : "The file '" + file.toStdString() + "' could not be written.");
  }
  printer_ = std::move(printer);
  painter_ = std::move(painter);
  pagesStarted_ = 0;
  pageOpen_ = false;
  dialog_ = new PrintingDialog(QString::fromStdString(documentName), parent);
  dialog_->show();
  return true;
}

bool PrintingFrame::CancelRequested() {
  QCoreApplication::processEvents();
  return dialog_ && dialog_->cancelled();
}

bool PrintingFrame::Fail(std::string text) {
  lastError_ = std::move(text);
  return false;
}

bool PrintingFrame::StartPrintPage() {
  if (!printing()) return Fail("No print job has been started.");
  if (CancelRequested()) {
    Abort("The print job was cancelled.");
    return false;
  }
  if (pageOpen_) return true;
  // The document opened with its first page; later pages need a new sheet.
  if (pagesStarted_ > 0 && !printer_->newPage()) {
    Abort("The printer could not start a new page.");
    return false;
  }
  ++pagesStarted_;
  pageOpen_ = true;
  return true;
}

bool PrintingFrame::EndPrintPage() {
  if (!printing() || !pageOpen_) return Fail("No printer page has been started.");
  if (CancelRequested()) {
    Abort("The print job was cancelled.");
    return false;
  }
  pageOpen_ = false;
  return true;
}

bool PrintingFrame::EndPrintJob() {
  if (!printing()) return Fail("No print job has been started.");
  if (CancelRequested()) {
    Abort("The print job was cancelled.");
    return false;
  }
  if (pagesStarted_ == 0) {
    Abort({});
    return true;
  }
  RestoreAll();
  const bool ended = painter_->end() && printer_->printerState() != QPrinter::Error;
  Discard();
  if (!ended) return Fail("The printer could not finish the document.");
  return true;
}

void PrintingFrame::AbortPrintJob() {
  if (printing()) Abort({});
}

void PrintingFrame::Abort(std::string text) {
  if (!text.empty()) lastError_ = std::move(text);
  RestoreAll();
  // Not every printer can take a job back; a file at least is not left half written.
  printer_->abort();
  if (painter_->isActive()) painter_->end();
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
    QFile::remove(printer_->outputFileName());
  }
  Discard();
}

void PrintingFrame::Discard() {
  delete dialog_.data();
  dialog_ = nullptr;
  painter_.reset();
  printer_.reset();
  pagesStarted_ = 0;
  pageOpen_ = false;
}

bool PrintingFrame::RedirectToPrinter(draw::Surface& surface, int windowClientHeight) {
  if (!printing()) return Fail("No print job has been started.");
  const auto found = std::find_if(redirected_.begin(), redirected_.end(),
                                  [&](const Redirection& r) { return r.surface == &surface; });
  if (found != redirected_.end()) return true;
  // The fonts grow by page height / window height: a window without height has no scale.
  if (windowClientHeight < 1) return Fail("The window to print has no height.");

  Redirection redirection;
  redirection.surface = &surface;
  redirection.device = surface.device();
  redirection.bounds = surface.bounds();
  redirection.fonts = surface.fonts();
  redirection.onPrinter = surface.onPrinter();
  redirection.printerDevice = std::make_unique<QtDevice>(painter_.get());

  const QSize page = redirection.printerDevice->size();
  const float scale = static_cast<float>(page.height()) / static_cast<float>(windowClientHeight);
  redirection.printerDevice->SetFontSizing({printer_->logicalDpiY(), scale});
  // The copies keep face, size and weight; their metrics are made for the page.
  std::vector<draw::Font> copies;
  for (const draw::Font& font : surface.fonts()) {
    draw::Font copy;
    copy.faceName = font.faceName;
    copy.pointSize = font.pointSize;
    copy.bold = font.bold;
    copies.push_back(copy);
  }
  surface.SetDevice(redirection.printerDevice.get());
  surface.SetBounds({0, 0, page.width(), page.height()});
  surface.SetFonts(std::move(copies));
  surface.SetOnPrinter(true);
  if (!SelectCurrentFont(surface, *redirection.printerDevice)) {
    Restore(redirection);
    return Fail("The window's font could not be made for the printer.");
  }
  redirected_.push_back(std::move(redirection));
  return true;
}

void PrintingFrame::RestoreFromPrinter(draw::Surface& surface) {
  const auto found = std::find_if(redirected_.begin(), redirected_.end(),
                                  [&](const Redirection& r) { return r.surface == &surface; });
  if (found == redirected_.end()) return;
  Restore(*found);
  redirected_.erase(found);
}

void PrintingFrame::Restore(Redirection& redirection) {
  draw::Surface& surface = *redirection.surface;
  surface.SetDevice(redirection.device);
  surface.SetBounds(redirection.bounds);
  surface.SetFonts(redirection.fonts);
  surface.SetOnPrinter(redirection.onPrinter);
}

void PrintingFrame::RestoreAll() {
  for (Redirection& redirection : redirected_) Restore(redirection);
  redirected_.clear();
}

}  // namespace korvel::ui
