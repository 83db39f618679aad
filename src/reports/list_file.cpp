#include "reports/list_file.h"

#include "util/alu_encoding.h"
#include "util/alu_string.h"

namespace korvel {
namespace {

constexpr std::size_t kBrandCharacters = 10;

// The first n characters: a UTF-8 letter is one character, as the list's reader sees it; a text
// stored in Windows-1252 has a character per byte.
std::string FirstCharacters(const std::string& text, std::size_t n) {
  if (!AluIsUtf8(text)) return text.substr(0, n);
  std::size_t end = 0;
  for (std::size_t count = 0; end < text.size() && count < n; ++count) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return text.substr(0, end);
}

}  // namespace

std::string RadioListText(const Collection& c, const RadioList& selection) {
  const auto entry = [&](int kind, int position) -> const std::string& {
    return c.tables[kind].Text(position);
  };
  std::string text;
  for (const RadioRecord* r : selection) {
    text += AluFormat("%3d  ", r->id);
    text += FirstCharacters(entry(kTableBrandName, r->brand), kBrandCharacters) + "\t" + r->model + "\t" +
            r->serialNumber + "\t";
    text += AluFormat("%d  ", r->year);
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
    text += AluFormat("$%d + ", r->purchasePrice);
    text += AluFormat("$%d < ", r->restorationCost);
    text += AluFormat("$%d\n", r->value);
    text += "\n";
  }
  text += AluFormat("%d\n", selection.Count());
  return text;
}

}  // namespace korvel
