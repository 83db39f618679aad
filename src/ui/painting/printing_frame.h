// Printing one job at a time: the print dialog, the document with its printing dialog, pages, and the
// redirection of a window's drawing surface onto the page (bounds become the page in device pixels,
// fonts are made again scaled by page height / window height). Every operation answers true or false;
// LastErrorText() says why the last one failed.
#pragma once

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "draw/surface.h"
#include "ui/painting/printing_dialog.h"
#include "ui/painting/qt_device.h"

class QPainter;
class QPrinter;
class QWidget;

namespace korvel::ui {

class PrintingFrame {
 public:
  PrintingFrame();
  ~PrintingFrame();  // an unfinished job is aborted
  PrintingFrame(const PrintingFrame&) = delete;
  PrintingFrame& operator=(const PrintingFrame&) = delete;

  // The print dialog (page range 1 to 1, one copy, printers and printing to a PDF file); Cancel gives
  // false and sets no error text. Then the document starts and the printing dialog shows. A job
  // still running from before is aborted first.
  // `lastPage` is the last page the dialog offers (a document of several pages).
  bool StartPrintJob(const std::string& documentName, QWidget* parent, int lastPage = 1);
  // Straight to a PDF file without a dialog (tests): US Letter at 600 dpi, the whole sheet, so the
  // page is 5100 x 6600 pixels.
  bool StartPrintJobToPdf(const std::string& path, const std::string& documentName = "Korvel Print Job",
                          QWidget* parent = nullptr);

  // Pages. The printing dialog's Cancel is looked at here (events are handled meanwhile so it can be
  // pressed): a cancelled job is aborted and the call fails. A failed page aborts the job.
  bool StartPrintPage();
  bool EndPrintPage();
  // Ends the document, which sends it to the printer or writes the file. A job without a page prints
  // nothing.
  bool EndPrintJob();
  // Drops the job: surfaces still redirected are restored, a partly written PDF file is removed.
  void AbortPrintJob();

  // Only during a job; a surface already redirected succeeds at once. Fails, leaving the surface as
  // it was, when the window has no height or the current font cannot be made.
  bool RedirectToPrinter(draw::Surface& surface, int windowClientHeight);
  void RestoreFromPrinter(draw::Surface& surface);

  const std::string& LastErrorText() const { return lastError_; }

  bool printing() const { return printer_ != nullptr; }
  QPrinter* printer() const { return printer_.get(); }
  // What draws on the pages while a job runs (drawing that needs no window surface).
  QPainter* painter() const { return painter_.get(); }
  PrintingDialog* printingDialog() const { return dialog_.data(); }

 private:
  struct Redirection {
    draw::Surface* surface = nullptr;
    draw::Device* device = nullptr;
    draw::Rect bounds;
    std::vector<draw::Font> fonts;
    bool onPrinter = false;
    std::unique_ptr<QtDevice> printerDevice;  // per window: each has its own font table
  };

  bool BeginDocument(std::unique_ptr<QPrinter> printer, const std::string& documentName, QWidget* parent);
  // Handles waiting events, so the printing dialog works, and tells whether its Cancel was pressed.
  bool CancelRequested();
  bool Fail(std::string text);
  void Abort(std::string text);
  void Restore(Redirection& redirection);
  void RestoreAll();
  void Discard();

  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  QPointer<PrintingDialog> dialog_;
  int pagesStarted_ = 0;
  bool pageOpen_ = false;
  std::vector<Redirection> redirected_;
  std::string lastError_;
};

}  // namespace korvel::ui
