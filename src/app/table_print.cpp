#include "app/table_print.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <vector>

#include "app/file_commands.h"
#include "app/radio_table_view.h"
#include "reports/radio_table.h"
#include "ui/painting/printing_frame.h"
#include "util/message.h"

namespace korvel {
namespace {

constexpr int kMeasuredRows = 2000;  // column widths come from the first rows: enough to be fair

struct TableLayout {
  QRect area;  // inside the margins
  QFont font, bold;
  int rowHeight = 0;
  int rowsPerPage = 1;
  int pages = 1;
  std::vector<int> widths;  // per column, in device pixels
};

TableLayout LayOut(const RadioTableModel& model, QPainter& painter, const QRect& page, int resolution) {
  TableLayout t;
  const int margin = resolution / 2;
  t.area = page.adjusted(margin, margin, -margin, -margin);
  t.font = QFont("DejaVu Sans");
  t.font.setPointSizeF(8);
  t.bold = t.font;
  t.bold.setBold(true);
  // Measured as the painter draws on this device.
  painter.setFont(t.bold);
  const QFontMetrics heading = painter.fontMetrics();
  painter.setFont(t.font);
  const QFontMetrics plain = painter.fontMetrics();
  const int padding = plain.averageCharWidth();
  const int columns = model.columnCount();
  t.widths.assign(columns, 0);
  const int measured = std::min(model.rowCount(), kMeasuredRows);
  for (int c = 0; c < columns; ++c) {
    int width = heading.horizontalAdvance(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    for (int r = 0; r < measured; ++r) {
      width =
          std::max(width, plain.horizontalAdvance(model.data(model.index(r, c), Qt::DisplayRole).toString()));
    }
    t.widths[c] = std::min(width, t.area.width() / 3) + 3 * padding;  // a blank each side, and room to spare
  }
  // Too wide for the page: every column gives up the same share, and long texts are cut.
  long long total = 0;
  for (int w : t.widths) total += w;
  if (total > t.area.width()) {
    for (int& w : t.widths) w = static_cast<int>(static_cast<long long>(w) * t.area.width() / total);
  }
  t.rowHeight = plain.height() * 13 / 10;
  // The headings and, at the foot, the page number take a row each.
  t.rowsPerPage = std::max(1, t.area.height() / t.rowHeight - 3);
  t.pages = std::max(1, (model.rowCount() + t.rowsPerPage - 1) / t.rowsPerPage);
  return t;
}

void DrawPage(const RadioTableModel& model, QPainter& painter, const TableLayout& t, int page) {
  painter.setFont(t.font);
  const int padding = painter.fontMetrics().averageCharWidth();
  const auto cell = [&](int x, int y, int width, const QString& text, Qt::Alignment align,
                        const QFont& font) {
    painter.setFont(font);
    const QRect box(x + padding, y, width - 2 * padding, t.rowHeight);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, box.width());
    painter.drawText(box, static_cast<int>(align | Qt::AlignVCenter), shown);
  };
  const int line = std::max(1, t.rowHeight / 20);
  int y = t.area.top();
  int x = t.area.left();
  painter.fillRect(QRect(t.area.left(), y, t.area.width(), t.rowHeight), QColor(225, 225, 225));
  for (int c = 0; c < model.columnCount(); ++c) {
    cell(x, y, t.widths[c], model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), Qt::AlignLeft,
         t.bold);
    x += t.widths[c];
  }
  y += t.rowHeight;
  painter.fillRect(QRect(t.area.left(), y - line, t.area.width(), line), Qt::black);
  const int first = page * t.rowsPerPage;
  const int last = std::min(model.rowCount(), first + t.rowsPerPage);
  for (int r = first; r < last; ++r) {
    if ((r - first) % 2 == 1)
      painter.fillRect(QRect(t.area.left(), y, t.area.width(), t.rowHeight), QColor(245, 245, 245));
    x = t.area.left();
    for (int c = 0; c < model.columnCount(); ++c) {
      const QModelIndex index = model.index(r, c);
      const auto align =
          Qt::Alignment::fromInt(model.data(index, Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
      cell(x, y, t.widths[c], model.data(index, Qt::DisplayRole).toString(), align, t.font);
      x += t.widths[c];
    }
    y += t.rowHeight;
  }
  cell(t.area.left(), t.area.bottom() - t.rowHeight, t.area.width(),
       QString("Page %1 of %2").arg(page + 1).arg(t.pages), Qt::AlignHCenter, t.font);
}

}  // namespace

int PrintRadioTable(const RadioTableModel& model, ui::PrintingFrame& frame) {
  QPrinter* printer = frame.printer();
  QPainter* painter = frame.painter();
  if (printer == nullptr || painter == nullptr) return 0;
  const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
  const TableLayout layout = LayOut(model, *painter, QRect(QPoint(0, 0), page.size()), printer->resolution());
  // A range chosen in the print dialog prints those pages only.
  const int from = printer->fromPage() > 0 ? printer->fromPage() - 1 : 0;
  const int to = printer->toPage() > 0 ? std::min(printer->toPage(), layout.pages) : layout.pages;
  int printed = 0;
  for (int p = from; p < to; ++p) {
    if (!frame.StartPrintPage()) {
      ShowMessage(kError, kButtonsOk, "Couldn't start next printer page.");
      return 0;
    }
    DrawPage(model, *painter, layout, p);
    if (!frame.EndPrintPage()) break;
    ++printed;
  }
  if (printed == to - from && frame.EndPrintJob()) return printed;
  ShowMessage(kError, kButtonsOk, "Error '%s' - print job aborted.", frame.LastErrorText().c_str());
  return 0;
}

int CommandPrintTable(const RadioTableModel& model, QWidget* parent) {
  ui::PrintingFrame frame;
  constexpr int kMostPages = 9999;
  if (!frame.StartPrintJob(kPrintJobName, parent, kMostPages)) {
    ShowMessage(kError, kButtonsOk, "Couldn't start print job.");
    return 0;
  }
  return PrintRadioTable(model, frame);
}

}  // namespace korvel
