#include "reports/csv_file.h"

#include <string_view>

#include "collection/record.h"
#include "collection/tubes.h"
#include "util/alu_encoding.h"

namespace korvel {
namespace {

constexpr const char* kColumns[] = {
    "Identifier",
    "Brand",
    "Model",
    "Serial Number",
    "Year",
    "Manufacturer",
    "Cabinet Style",
    "Cabinet Composition",
    "Cabinet Colour",
    "Cabinet Trim",
    "Trim Colour",
    "Push Buttons",
    "Telephone Dial",
    "Tuning Dial",
    "Dial Position",
    "Grill Style",
    "Grill Position",
    "Power Source",
    "Bands",
    "Technology",
    "Circuit Type",
    "Tubes",
    "Date Acquired",
    "Purchase Price",
    "Where Acquired",
    "Status",
    "Condition",
    "Chassis Condition",
    "Damage",
    "Value",
    "Source of Value",
    "Date Restored",
    "Restoration Cost",
    "Repairs Needed",
    "Date Disposed",
    "Selling Price",
    "Where Disposed",
    "Schematic",
    "References",
    "Comments",
    "Extras",
    "Picture File",
    "Thumbnail File",
    "Extra Picture Files",
};

class Row {
 public:
  explicit Row(std::string& out) : out_(out) {}
  ~Row() { out_ += "\r\n"; }
  Row(const Row&) = delete;
  Row& operator=(const Row&) = delete;

  void Text(std::string_view stored) { Cell(Defused(AluDisplayUtf8(stored))); }
  // A negative number is a number to a spreadsheet, never a formula.
  void Number(long long value) { Cell(std::to_string(value)); }

 private:
  // Spreadsheets run a text cell that begins like a formula (an "=HYPERLINK(...)" typed as where a
  // radio was bought): a leading apostrophe makes them show it as the text it is.
  static std::string Defused(std::string text) {
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
      text.insert(text.begin(), '\'');
    }
    return text;
  }
  void Cell(const std::string& text) {
    if (!first_) out_ += ',';
    first_ = false;
    // Quoted only when it must be, so plain values stay plain for simple readers.
    if (text.find_first_of(",\"\r\n") == std::string::npos &&
        (text.empty() || (text.front() != ' ' && text.back() != ' '))) {
      out_ += text;
      return;
    }
    out_ += '"';
    for (char c : text) {
      if (c == '"') out_ += '"';
      out_ += c;
    }
    out_ += '"';
  }

  std::string& out_;
  bool first_ = true;
};

// "Rectifier 80; Output 2*6V6": every filled slot in slot order.
std::string TubeField(const RadioRecord& r) {
  std::string text;
  for (int i = 0; i < r.tubes.HeldCount(); ++i) {
    const TubeSlot& slot = r.tubes[i];
    if (!slot.IsFilled()) continue;
    if (!text.empty()) text += "; ";
    text += TubeFunctionTable().Text(slot.function) + " " + std::string(UnpaddedName(slot.type));
  }
  return text;
}

std::string ExtraPictureField(const RadioRecord& r) {
  std::string text;
  for (int i = 0; i < UsedExtraPictures(r); ++i) {
    if (!text.empty()) text += "; ";
    text += r.extraPictureFiles[i];
  }
  return text;
}

}  // namespace

std::span<const char* const> RadioCsvColumns() {
  return kColumns;
}

std::string RadioCsvText(const Collection& c, const RadioList& selection) {
  std::string out;
  {
    Row header(out);
    for (const char* column : kColumns) header.Text(column);
  }
  const auto entry = [&](int kind, int position) -> const std::string& {
    return c.tables[kind].Text(position);
  };
  for (const RadioRecord* r : selection) {
    Row row(out);
    row.Number(r->id);
    row.Text(entry(kTableBrandName, r->brand));
    row.Text(r->model);
    row.Text(r->serialNumber);
    row.Number(r->year);
    row.Text(entry(kTableManufacturer, r->manufacturer));
    row.Text(entry(kTableCabinetStyle, r->cabinetStyle));
    row.Text(entry(kTableCabinetComposition, r->cabinetComposition));
    row.Text(r->cabinetColour);
    row.Text(entry(kTableCabinetTrim, r->cabinetTrim));
    row.Text(r->trimColour);
    row.Text(YesNoTable().Text(r->pushButtons));
    row.Text(YesNoTable().Text(r->telephoneDial));
    row.Text(entry(kTableTuningDial, r->tuningDial));
    row.Text(entry(kTablePosition, r->dialPosition));
    row.Text(entry(kTableGrillStyle, r->grillStyle));
    row.Text(entry(kTablePosition, r->grillPosition));
    row.Text(entry(kTablePowerSource, r->powerSource));
    row.Text(entry(kTableBands, r->bands));
    row.Text(entry(kTableTechnology, r->technology));
    row.Text(entry(kTableCircuitType, r->circuitType));
    row.Text(TubeField(*r));
    row.Text(r->dateAcquired);
    row.Number(r->purchasePrice);
    row.Text(r->whereAcquired);
    row.Text(entry(kTableStatus, r->status));
    row.Text(entry(kTableCondition, r->condition));
    row.Text(entry(kTableChassisCondition, r->chassisCondition));
    row.Text(r->damage);
    row.Number(r->value);
    row.Text(r->sourceOfValue);
    row.Text(r->dateRestored);
    row.Number(r->restorationCost);
    row.Text(r->repairsNeeded);
    row.Text(r->dateDisposed);
    row.Number(r->sellingPrice);
    row.Text(r->whereDisposed);
    row.Text(r->schematic);
    row.Text(r->references);
    row.Text(r->comments);
    row.Text(r->extras);
    row.Text(r->pictureFile);
    row.Text(r->thumbnailFile);
    row.Text(ExtraPictureField(*r));
  }
  return out;
}

}  // namespace korvel
