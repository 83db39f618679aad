#include "support/radio_fields.h"

namespace korvel::test {

const std::vector<RadioField>& AllRadioFields() {
  using R = RadioRecord;
  using enum FieldKind;
  static const std::vector<RadioField> fields = {
      {"Identifier", kNumber, 0, &R::id, nullptr, kChangedId},
      {"Brand", kTable, kTableBrandName, &R::brand, nullptr, kChangedBrand},
      {"Model", kText, 0, nullptr, &R::model, kChangedModel},
      {"Serial Number", kText, 0, nullptr, &R::serialNumber, kChangedSerialNumber},
      {"Year", kNumber, 0, &R::year, nullptr, kChangedYear},
      {"Manufacturer", kTable, kTableManufacturer, &R::manufacturer, nullptr, kChangedManufacturer},
      {"Cabinet Style", kTable, kTableCabinetStyle, &R::cabinetStyle, nullptr, kChangedCabinetStyle},
      {"Cabinet Composition", kTable, kTableCabinetComposition, &R::cabinetComposition, nullptr,
       kChangedCabinetComposition},
      {"Cabinet Colour", kText, 0, nullptr, &R::cabinetColour, kChangedCabinetColour},
      {"Cabinet Trim", kTable, kTableCabinetTrim, &R::cabinetTrim, nullptr, kChangedCabinetTrim},
      {"Trim Colour", kText, 0, nullptr, &R::trimColour, kChangedTrimColour},
      {"Tuning Dial", kTable, kTableTuningDial, &R::tuningDial, nullptr, kChangedTuningDial},
      {"Dial Position", kTable, kTablePosition, &R::dialPosition, nullptr, kChangedDialPosition},
      {"Grill Style", kTable, kTableGrillStyle, &R::grillStyle, nullptr, kChangedGrillStyle},
      {"Grill Position", kTable, kTablePosition, &R::grillPosition, nullptr, kChangedGrillPosition},
      {"Push Buttons", kYesNo, 0, &R::pushButtons, nullptr, kChangedPushButtons},
      {"Telephone Dial", kYesNo, 0, &R::telephoneDial, nullptr, kChangedTelephoneDial},
      {"Power Source", kTable, kTablePowerSource, &R::powerSource, nullptr, kChangedPowerSource},
      {"Bands", kTable, kTableBands, &R::bands, nullptr, kChangedBands},
      {"Circuit Type", kTable, kTableCircuitType, &R::circuitType, nullptr, kChangedCircuitType},
      {"Technology", kTable, kTableTechnology, &R::technology, nullptr, kChangedTechnology},
      {"Date Acquired", kDate, 0, nullptr, &R::dateAcquired, kChangedDateAcquired},
      {"Purchase Price", kNumber, 0, &R::purchasePrice, nullptr, kChangedPurchasePrice},
      {"Where Acquired", kText, 0, nullptr, &R::whereAcquired, kChangedWhereAcquired},
      {"Status", kTable, kTableStatus, &R::status, nullptr, kChangedStatus},
      {"Chassis Condition", kTable, kTableChassisCondition, &R::chassisCondition, nullptr,
       kChangedChassisCondition},
      {"Condition", kTable, kTableCondition, &R::condition, nullptr, kChangedCondition},
      {"Damage", kText, 0, nullptr, &R::damage, kChangedDamage},
      {"Value", kNumber, 0, &R::value, nullptr, kChangedValue},
      {"Source of Value", kText, 0, nullptr, &R::sourceOfValue, kChangedSourceOfValue},
      {"Date Restored", kDate, 0, nullptr, &R::dateRestored, kChangedDateRestored},
      {"Restoration Cost", kNumber, 0, &R::restorationCost, nullptr, kChangedRestorationCost},
      {"Repairs Needed", kText, 0, nullptr, &R::repairsNeeded, kChangedRepairsNeeded},
      {"Date Disposed", kDate, 0, nullptr, &R::dateDisposed, kChangedDateDisposed},
      {"Selling Price", kNumber, 0, &R::sellingPrice, nullptr, kChangedSellingPrice},
      {"Where Disposed", kText, 0, nullptr, &R::whereDisposed, kChangedWhereSold},
      {"Schematic", kText, 0, nullptr, &R::schematic, kChangedSchematic},
      {"References", kText, 0, nullptr, &R::references, kChangedReferences},
      {"Comments", kText, 0, nullptr, &R::comments, kChangedComments},
      {"Extras", kText, 0, nullptr, &R::extras, kChangedExtras},
      {"Picture File", kText, 0, nullptr, &R::pictureFile, kChangedPictures},
      {"Thumbnail File", kText, 0, nullptr, &R::thumbnailFile, kChangedThumbnail},
  };
  return fields;
}

std::string DescribeRadio(const TableSet& tables, const RadioRecord& r) {
  std::string out;
  for (const RadioField& f : AllRadioFields()) {
    out += f.name;
    out += ": ";
    switch (f.kind) {
      case FieldKind::kTable:
        out += tables[f.table].Text(r.*f.number);
        break;
      case FieldKind::kYesNo:
        out += YesNoTable().Text(r.*f.number);
        break;
      case FieldKind::kNumber:
        out += std::to_string(r.*f.number);
        break;
      case FieldKind::kText:
      case FieldKind::kDate:
        out += r.*f.text;
        break;
    }
    out += '\n';
  }
  out += "Tubes:";
  for (int i = 0; i < kTubeSlotCount; ++i) {
    if (r.tubes[i].IsFilled())
      out += " " + TubeFunctionTable().Text(r.tubes[i].function) + " " + r.tubes[i].type + ";";
  }
  out += "\nExtra pictures:";
  for (int i = 0; i < UsedExtraPictures(r); ++i) out += " " + r.extraPictureFiles[i] + ";";
  return out + '\n';
}

}  // namespace korvel::test
