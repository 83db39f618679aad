#include "ui/painting/catalogue_job.h"

#include <QPrinter>
#include <algorithm>

namespace korvel::ui {
namespace {

class FramePages : public CataloguePages {
 public:
  FramePages(PrintingFrame& frame, draw::Surface& surface) : frame_(frame), surface_(surface) {}
  bool StartPage() override { return frame_.StartPrintPage(); }
  bool EndPage() override { return frame_.EndPrintPage(); }
  draw::Surface& page() override { return surface_; }

 private:
  PrintingFrame& frame_;
  draw::Surface& surface_;
};

}  // namespace

int PrintCatalogueJob(PrintingFrame& frame, const CatalogueInput& input) {
  if (!frame.printing()) return 0;
  // The surface of the pages: fonts at their point sizes on the sheet. The frame scales a window's
  // fonts by page height / window height, so a "window" as tall as the page in points gives that.
  draw::Surface surface;
  draw::Font text{.faceName = "Courier", .pointSize = 10};
  draw::Font title{.faceName = "Courier", .pointSize = 20, .bold = true};
  surface.SetFonts({text, title});
  const QPrinter& printer = *frame.printer();
  const int pointsHigh = std::max(1, printer.height() * 72 / std::max(1, printer.logicalDpiY()));
  if (!frame.RedirectToPrinter(surface, pointsHigh)) {
    frame.AbortPrintJob();
    return 0;
  }
  FramePages pages(frame, surface);
  const int printed = PrintCatalogue(pages, input);
  frame.RestoreFromPrinter(surface);
  if (printed == 0) {
    frame.AbortPrintJob();
    return 0;
  }
  return frame.EndPrintJob() ? printed : 0;
}

}  // namespace korvel::ui
