#include "collection_generator.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "collection/tubes.h"
#include "util/alu_date.h"

namespace korvel::bench {
namespace {

const std::vector<std::string> kBrands = {"Admiral",        "Airline",
                                          "Arvin",          "Atwater Kent",
                                          "Belmont",        "Bendix",
                                          "Coronado",       "Crosley",
                                          "Delco",          "DeWald",
                                          "Emerson",        "Fada",
                                          "Firestone",      "Freed-Eisemann",
                                          "Garod",          "General Electric",
                                          "Gilfillan",      "Grebe",
                                          "Grunow",         "Hallicrafters",
                                          "Kadette",        "Knight",
                                          "Majestic",       "Motorola",
                                          "Musicaire",      "Olympic",
                                          "Packard Bell",   "Philco",
                                          "RCA Victor",     "Sentinel",
                                          "Silvertone",     "Sparton",
                                          "Stewart-Warner", "Stromberg-Carlson",
                                          "Sylvania",       "Trav-Ler",
                                          "Truetone",       "Unknown",
                                          "Westinghouse",   "Zenith"};
const std::vector<std::string> kCabinetStyles = {"Cathedral", "Chairside", "Clock Radio", "Console",
                                                 "Portable",  "Table",     "Tombstone",   "Unknown"};
const std::vector<std::string> kCompositions = {"Bakelite", "Catalin", "Leatherette", "Metal",
                                                "Plaskon",  "Plastic", "Unknown",     "Wood"};
const std::vector<std::string> kTrims = {"Brass", "Chrome", "Gold", "No Trim", "Unknown", "Wood Inlay"};
const std::vector<std::string> kColours = {"Walnut", "Ivory",        "Brown",  "Black", "Red",
                                           "Green",  "Butterscotch", "Maroon", "White", "Mahogany"};
const std::vector<std::string> kTubeLineUps[] = {
    {"12SK7", "12SA7", "12SK7", "12SQ7", "50L6", "35Z5"},
    {"12BA6", "12BE6", "12BA6", "12AV6", "50C5", "35W4"},
    {"6A8", "6K7", "6Q7", "6F6", "5Y4"},
    {"1R5", "1U4", "1U5", "3V4"},
    {"2*6V6", "6SK7", "6SQ7", "6SA7", "5Y3"},
    {"27", "24", "24", "47", "80"},
};
const int kLineUpFunctions[][6] = {
    {21, 2, 14, 4, 19, 20}, {21, 2, 14, 4, 19, 20}, {2, 14, 4, 19, 20, 0},
    {2, 14, 4, 19, 0, 0},   {19, 14, 4, 2, 20, 0},  {3, 21, 21, 19, 20, 0},
};

void Fill(Collection& c, int kind, std::vector<std::string> entries) {
  std::sort(entries.begin(), entries.end());
  c.tables[kind].entries = std::move(entries);
}

std::string DateText(std::mt19937& rng, int fromYear, int toYear) {
  std::uniform_int_distribution<int> year(fromYear, toYear), month(1, 12), day(1, 28);
  return AluFormatDate(year(rng) * 10000 + month(rng) * 100 + day(rng));
}

}  // namespace

void FillTables(Collection& c) {
  Fill(c, kTableBands, {"AM", "AM/FM", "AM/SW", "AM/SW/LW", "FM", "Unknown"});
  Fill(c, kTableBrandName, kBrands);
  Fill(c, kTableCabinetComposition, kCompositions);
  Fill(c, kTableCabinetStyle, kCabinetStyles);
  Fill(c, kTableCabinetTrim, kTrims);
  Fill(c, kTableChassisCondition, {"Excellent", "Fair", "Good", "Poor", "Unknown"});
  Fill(c, kTableCircuitType, {"Reflex", "Regenerative", "Superheterodyne", "TRF", "Unknown"});
  Fill(c, kTableCondition, {"Excellent", "Fair", "Good", "Mint", "Poor", "Unknown"});
  Fill(c, kTableGrillStyle, {"Cloth", "Cutout", "Horizontal Bars", "Louvres", "Unknown", "Vertical Bars"});
  std::vector<std::string> makers;
  for (const std::string& b : kBrands) makers.push_back(b == "Unknown" ? b : b + " Corp.");
  Fill(c, kTableManufacturer, makers);
  Fill(c, kTablePosition, {"Center", "Front", "Left", "Right", "Top", "Unknown"});
  Fill(c, kTablePowerSource, {"AC", "AC/DC", "Battery", "DC", "Three Way", "Unknown"});
  Fill(c, kTableTuningDial, {"Airplane", "Clock Face", "Round", "Slide Rule", "Unknown"});
  c.brandManufacturer.resize(kBrands.size());
  for (std::size_t i = 0; i < kBrands.size(); ++i) c.brandManufacturer[i] = static_cast<int>(i);
  c.brandPictureDirectories.assign(kBrands.size(), std::string());
}

std::vector<std::unique_ptr<RadioRecord>> GenerateRadios(const Collection& c, int count, unsigned seed) {
  std::mt19937 rng(seed);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const auto chance = [&](int percent) { return pick(100) < percent; };
  std::vector<std::unique_ptr<RadioRecord>> radios;
  radios.reserve(count);
  for (int i = 0; i < count; ++i) {
    auto r = std::make_unique<RadioRecord>();
    r->id = i + 1;
    r->brand = pick(c.tables[kTableBrandName].Count());
    r->manufacturer = r->brand;
    char model[32];
    std::snprintf(model, sizeof model, "%d%c%d", 1 + pick(9), static_cast<char>('A' + pick(26)),
                  10 + pick(990));
    r->model = model;
    r->serialNumber = chance(40) ? std::to_string(100000 + pick(900000)) : "";
    r->year = 1922 + pick(44);
    r->cabinetStyle = pick(c.tables[kTableCabinetStyle].Count());
    r->cabinetComposition = pick(c.tables[kTableCabinetComposition].Count());
    r->cabinetColour = kColours[pick(static_cast<int>(kColours.size()))];
    r->cabinetTrim = pick(c.tables[kTableCabinetTrim].Count());
    r->trimColour = chance(30) ? "Gold" : "";
    r->pushButtons = chance(15);
    r->telephoneDial = chance(5);
    r->tuningDial = pick(c.tables[kTableTuningDial].Count());
    r->dialPosition = pick(c.tables[kTablePosition].Count());
    r->grillStyle = pick(c.tables[kTableGrillStyle].Count());
    r->grillPosition = pick(c.tables[kTablePosition].Count());
    r->powerSource = pick(c.tables[kTablePowerSource].Count());
    r->bands = pick(c.tables[kTableBands].Count());
    r->technology = r->year > 1955 && chance(40) ? kTechTransistor : kTechTube;
    r->circuitType = pick(c.tables[kTableCircuitType].Count());
    const int lineUp = pick(6);
    for (int s = 0; s < 6; ++s) {
      const int function = kLineUpFunctions[lineUp][s];
      if (function == 0 || s >= static_cast<int>(kTubeLineUps[lineUp].size())) break;
      r->tubes.Set(s, function, kTubeLineUps[lineUp][s]);
    }
    r->dateAcquired = DateText(rng, 1975, 2025);
    r->purchasePrice = 5 + pick(300);
    r->whereAcquired = chance(50) ? "Estate sale, Dayton OH" : "Swap meet";
    r->status = pick(StatusTable().Count());
    r->condition = pick(c.tables[kTableCondition].Count());
    r->chassisCondition = pick(c.tables[kTableChassisCondition].Count());
    r->damage = chance(30) ? "Small chip at the lower left corner of the cabinet; dial glass cracked." : "";
    r->value = r->purchasePrice + pick(400);
    r->sourceOfValue = "Collector's price guide";
    if (chance(50)) {
      r->dateRestored = DateText(rng, 1980, 2025);
      r->restorationCost = 10 + pick(120);
    }
    r->repairsNeeded = chance(40) ? "Recap, replace line cord, clean and lubricate the tuning gang." : "";
    if (r->status == kStatusSold || r->status == kStatusRestoredAndSold || r->status == kStatusDonated) {
      r->dateDisposed = DateText(rng, 1985, 2026);
      r->sellingPrice = r->value - 20 + pick(100);
      r->whereDisposed = "Radio club auction";
    }
    r->schematic = chance(60) ? "Rider's volume " + std::to_string(1 + pick(23)) : "";
    r->references = chance(90)
                        ? "Antique Radio Classified, issue " + std::to_string(1 + pick(400)) +
                              "; Collector's Guide to Antique Radios, page " + std::to_string(1 + pick(500)) +
                              "; Radio Age, volume " + std::to_string(1 + pick(30))
                        : "";
    r->comments = chance(80)
                      ? "Plays well on the broadcast band; original knobs, back and dial glass. Bought from "
                        "the second owner, who kept it in a dry attic; cabinet refinished with lacquer "
                        "toner, grill cloth replaced with a reproduction of the original pattern."
                      : "";
    r->extras = chance(40) ? "Original owner's manual, service notes and the dealer's sales slip." : "";
    char picture[64];
    std::snprintf(picture, sizeof picture, "pictures\\r%06d.jpg", r->id);
    r->pictureFile = picture;
    std::snprintf(picture, sizeof picture, "pictures\\r%06ds.jpg", r->id);
    r->thumbnailFile = picture;
    radios.push_back(std::move(r));
  }
  std::shuffle(radios.begin(), radios.end(), rng);
  return radios;
}

Collection GenerateCollection(int count, unsigned seed) {
  Collection c;
  FillTables(c);
  c.asLoadedTables = c.tables;
  c.asLoadedBrandManufacturer = c.brandManufacturer;
  auto generated = GenerateRadios(c, count, seed);
  std::vector<RadioRecord*> shuffled;
  for (auto& r : generated) shuffled.push_back(r.get());
  // Loading reads the radios in radio order and allocates each record as it goes; memory is laid
  // out the same way here. Until a radio changes, it is its own as-loaded copy, as after loading.
  const RadioList ordered = BuildRadioList(c.tables, shuffled);
  std::vector<RadioRecord*> records;
  for (const RadioRecord* r : ordered) {
    auto record = std::make_unique<RadioRecord>(*r);
    records.push_back(record.get());
    c.radioStore.push_back(std::move(record));
  }
  c.radios = BuildRadioList(c.tables, records);
  ShareAsLoadedCopy(c);
  for (const char* line : {"6SN7 ECC32", "12AX7 ECC83", "6V6 6V6GT"}) InsertTubeAlias(line, c.aliases);
  for (const char* line : {"3*6V6,2*12SK7,12SA7,4*35Z5", "5*80,2*24,27"}) {
    ParseInventoryLine(line, kTechTube, c.inventory, c.aliases);
  }
  ParseInventoryLine("2N404,3*2N1304", kTechTransistor, c.inventory, c.aliases);
  c.asLoadedInventory = c.inventory;
  c.nextId = count + 1;
  return c;
}

}  // namespace korvel::bench
