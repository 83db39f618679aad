#include "reports/list_file.h"

#include <cstdio>

namespace korvel {
namespace {

void Append(std::string& text, const char* format, long long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  text += buffer;
}

}  // namespace

std::string RadioListText(const Collection& c, const RadioList& selection) {
  const auto entry = [&](int kind, int position) -> const std::string& {
    return c.tables[kind].Text(position);
  };
  std::string text;
  for (const RadioRecord* r : selection) {
    Append(text, "%3d  ", r->id);
    text += entry(kTableBrandName, r->brand).substr(0, 10) + "\t" + r->model + "\t" + r->serialNumber + "\t";
    Append(text, "%d  ", r->year);
    text += entry(kTableCabinetStyle, r->cabinetStyle) + "  " + StatusTable().Text(r->status) + "  \n";

    text += "\t\t";
    if (!r->cabinetColour.empty()) text += r->cabinetColour + " ";
    text += entry(kTableCabinetComposition, r->cabinetComposition);
    const std::string& trim = entry(kTableCabinetTrim, r->cabinetTrim);
    if (trim != "No Trim") {
      text += ", ";
      if (!r->trimColour.empty()) text += r->trimColour + " ";
      text += trim;
    }
    text += "\n";

    text += "\t\t" + entry(kTablePosition, r->dialPosition) + " " + entry(kTableTuningDial, r->tuningDial) +
            " Dial, " + entry(kTablePosition, r->grillPosition) + " " +
            entry(kTableGrillStyle, r->grillStyle) + " Grill\n";

    text += "\t\t";
    Append(text, "$%d + ", r->purchasePrice);
    Append(text, "$%d < ", r->restorationCost);
    Append(text, "$%d\n", r->value);
    text += "\n";
  }
  Append(text, "%d\n", selection.Count());
  return text;
}

}  // namespace korvel
