// The printed catalogue through a print job: to the printer chosen in the print dialog, or to a
// PDF file.
#pragma once

#include <string>

#include "reports/catalogue.h"
#include "ui/painting/printing_frame.h"

namespace korvel::ui {

// Prints the catalogue as the job's pages and ends the job. Gives the number of pages, or 0 when
// the job failed (frame.LastErrorText() says why; the job is then aborted).
int PrintCatalogueJob(PrintingFrame& frame, const CatalogueInput& input);

}  // namespace korvel::ui
