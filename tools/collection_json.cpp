#include "collection_json.h"

#include "collection/macro_text.h"
#include "collection/tubes.h"
#include "util/alu_encoding.h"

namespace korvel::tool {
namespace {

using Json = nlohmann::ordered_json;

// Texts are stored bytes; JSON wants UTF-8.
std::string Text(std::string_view text) {
  return AluDisplayUtf8(text);
}

Json RadioJson(const RadioRecord& r) {
  Json tubes = Json::array();
  for (int i = 0; i < r.tubes.HeldCount(); ++i) {
    if (r.tubes[i].IsFilled())
      tubes.push_back({{"function", r.tubes[i].function}, {"type", Text(r.tubes[i].type)}});
  }
  Json extras = Json::array();
  for (int i = 0; i < UsedExtraPictures(r); ++i) extras.push_back(Text(r.extraPictureFiles[i]));
  return {
      {"id", r.id},
      {"brand", r.brand},
      {"model", Text(r.model)},
      {"serialNumber", Text(r.serialNumber)},
      {"year", r.year},
      {"manufacturer", r.manufacturer},
      {"cabinetStyle", r.cabinetStyle},
      {"cabinetComposition", r.cabinetComposition},
      {"cabinetColour", Text(r.cabinetColour)},
      {"cabinetTrim", r.cabinetTrim},
      {"trimColour", Text(r.trimColour)},
      {"pushButtons", r.pushButtons},
      {"telephoneDial", r.telephoneDial},
      {"tuningDial", r.tuningDial},
      {"dialPosition", r.dialPosition},
      {"grillStyle", r.grillStyle},
      {"grillPosition", r.grillPosition},
      {"powerSource", r.powerSource},
      {"bands", r.bands},
      {"technology", r.technology},
      {"circuitType", r.circuitType},
      {"tubes", tubes},
      {"dateAcquired", Text(r.dateAcquired)},
      {"purchasePrice", r.purchasePrice},
      {"whereAcquired", Text(r.whereAcquired)},
      {"status", r.status},
      {"condition", r.condition},
      {"chassisCondition", r.chassisCondition},
      {"damage", Text(r.damage)},
      {"value", r.value},
      {"sourceOfValue", Text(r.sourceOfValue)},
      {"dateRestored", Text(r.dateRestored)},
      {"restorationCost", r.restorationCost},
      {"repairsNeeded", Text(r.repairsNeeded)},
      {"dateDisposed", Text(r.dateDisposed)},
      {"sellingPrice", r.sellingPrice},
      {"whereDisposed", Text(r.whereDisposed)},
      {"schematic", Text(r.schematic)},
      {"references", Text(r.references)},
      {"comments", Text(r.comments)},
      {"extras", Text(r.extras)},
      {"pictureFile", Text(r.pictureFile)},
      {"thumbnailFile", Text(r.thumbnailFile)},
      {"extraPictureFiles", extras},
  };
}

}  // namespace

Json CollectionJson(const Collection& c, int version, const std::vector<Message>& messages) {
  Json tables = Json::object();
  for (int kind : UserTableKindsInFileOrder()) {
    Json entries = Json::array();
    for (const std::string& entry : c.tables[kind].entries) entries.push_back(Text(entry));
    tables[TableSectionName(kind)] = entries;
  }
  Json radios = Json::array();
  for (const RadioRecord* r : c.radios) radios.push_back(RadioJson(*r));
  Json aliases = Json::array();
  for (const auto& [name, alias] : c.aliases) {
    aliases.push_back(
        {{"name", Text(UnpaddedName(alias.name))}, {"aliasOf", Text(UnpaddedName(alias.aliasOf))}});
  }
  Json inventory = Json::array();
  for (const auto& [name, item] : c.inventory) {
    inventory.push_back(
        {{"kind", item.kind}, {"name", Text(UnpaddedName(item.name))}, {"count", item.count}});
  }
  Json macros = Json::array();
  for (const SelectionMacro& macro : c.macros) {
    Json steps = Json::array();
    for (const MacroEntry& entry : macro.entries) steps.push_back(Text(MacroEntryText(entry)));
    macros.push_back({{"name", Text(macro.name)}, {"steps", steps}});
  }
  Json shown = Json::array();
  for (const Message& m : messages) shown.push_back({{"severity", m.severity}, {"text", Text(m.text)}});

  Json json = Json::object();
  json["version"] = version;
  json["nextId"] = c.nextId;
  json["nextBackupNumber"] = c.nextBackupNumber;
  json["tables"] = tables;
  json["brandManufacturer"] = c.brandManufacturer;
  json["radios"] = radios;
  json["aliases"] = aliases;
  json["inventory"] = inventory;
  json["macros"] = macros;
  json["messages"] = shown;
  return json;
}

}  // namespace korvel::tool
