#include "collection_csv.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace korvel::bench {
namespace {

void Field(std::string& row, std::string_view text) {
  if (!row.empty()) row.push_back(',');
  if (text.find_first_of(",\"") == std::string_view::npos) {
    row.append(text);
    return;
  }
  row.push_back('"');
  for (char c : text) {
    if (c == '"') row.push_back('"');
    row.push_back(c);
  }
  row.push_back('"');
}

void Field(std::string& row, long long value) {
  Field(row, std::to_string(value));
}

}  // namespace

bool WriteRadiosCsv(const std::string& path, const Collection& c) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::string row =
      "id,brand,model,serial_number,year,manufacturer,cabinet_style,cabinet_composition,cabinet_colour,"
      "cabinet_trim,trim_colour,tuning_dial,dial_position,grill_style,grill_position,push_buttons,"
      "telephone_dial,power_source,bands,circuit_type,technology,tubes,date_acquired,purchase_price,"
      "where_acquired,status,chassis_condition,condition,damage,value,source_of_value,date_restored,"
      "restoration_cost,repairs_needed,date_disposed,selling_price,where_disposed,schematic,references_,"
      "comments,extras,picture_file,thumbnail_file,extra_picture_files\n";
  std::fwrite(row.data(), 1, row.size(), file);
  const auto text = [&](int kind, int position) { return std::string_view(c.tables[kind].Text(position)); };
  for (const RadioRecord* r : c.radios) {
    row.clear();
    Field(row, r->id);
    Field(row, text(kTableBrandName, r->brand));
    Field(row, r->model);
    Field(row, r->serialNumber);
    Field(row, r->year);
    Field(row, text(kTableManufacturer, r->manufacturer));
    Field(row, text(kTableCabinetStyle, r->cabinetStyle));
    Field(row, text(kTableCabinetComposition, r->cabinetComposition));
    Field(row, r->cabinetColour);
    Field(row, text(kTableCabinetTrim, r->cabinetTrim));
    Field(row, r->trimColour);
    Field(row, text(kTableTuningDial, r->tuningDial));
    Field(row, text(kTablePosition, r->dialPosition));
    Field(row, text(kTableGrillStyle, r->grillStyle));
    Field(row, text(kTablePosition, r->grillPosition));
    Field(row, YesNoTable().Text(r->pushButtons));
    Field(row, YesNoTable().Text(r->telephoneDial));
    Field(row, text(kTablePowerSource, r->powerSource));
    Field(row, text(kTableBands, r->bands));
    Field(row, text(kTableCircuitType, r->circuitType));
    Field(row, TechnologyTable().Text(r->technology));
    std::string tubes;
    for (int i = 0; i < r->tubes.HeldCount(); ++i) {
      const TubeSlot& slot = r->tubes[i];
      if (!slot.IsFilled()) continue;
      if (!tubes.empty()) tubes.push_back(';');
      tubes.append(TubeFunctionTable().Text(slot.function)).append(":").append(slot.type);
    }
    Field(row, tubes);
    Field(row, r->dateAcquired);
    Field(row, r->purchasePrice);
    Field(row, r->whereAcquired);
    Field(row, StatusTable().Text(r->status));
    Field(row, text(kTableChassisCondition, r->chassisCondition));
    Field(row, text(kTableCondition, r->condition));
    Field(row, r->damage);
    Field(row, r->value);
    Field(row, r->sourceOfValue);
    Field(row, r->dateRestored);
    Field(row, r->restorationCost);
    Field(row, r->repairsNeeded);
    Field(row, r->dateDisposed);
    Field(row, r->sellingPrice);
    Field(row, r->whereDisposed);
    Field(row, r->schematic);
    Field(row, r->references);
    Field(row, r->comments);
    Field(row, r->extras);
    Field(row, r->pictureFile);
    Field(row, r->thumbnailFile);
    std::string extras;
    for (int i = 0; i < UsedExtraPictures(*r); ++i) {
      if (i > 0) extras.push_back(';');
      extras.append(r->extraPictureFiles[i]);
    }
    Field(row, extras);
    row.push_back('\n');
    std::fwrite(row.data(), 1, row.size(), file);
  }
  const bool ok = std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}

}  // namespace korvel::bench
