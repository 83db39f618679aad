// File > Print while the view shows the table: every row, as many pages as it takes, the column
// headings at the top of each page.
#pragma once

class QWidget;

namespace korvel {

class RadioTableModel;

namespace ui {
class PrintingFrame;
}

// Prints the table on a job already started. Gives the pages printed, 0 on failure (reported).
int PrintRadioTable(const RadioTableModel& model, ui::PrintingFrame& frame);

// File > Print on the table view: the print dialog, then the pages. Gives the pages printed.
int CommandPrintTable(const RadioTableModel& model, QWidget* parent);

}  // namespace korvel
