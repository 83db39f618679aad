#include "support/random_collection.h"

#include <algorithm>
#include <set>

#include "collection/macro_text.h"
#include "collection/storable_text.h"
#include "collection/tubes.h"
#include "support/radio_fields.h"
#include "util/alu_date.h"

namespace korvel::test {
namespace {

bool IsLongText(int flag) {
  return flag == kChangedDamage || flag == kChangedRepairsNeeded || flag == kChangedReferences ||
         flag == kChangedComments || flag == kChangedExtras;
}

}  // namespace

std::string RandomText(std::size_t limit) {
  const auto character =
      rc::gen::weightedOneOf<char>({{8, rc::gen::inRange<char>(' ', '\x7f')},
                                    {2, rc::gen::element<char>('"', ',', '<', '>', '&', '\'', ';', ' ')},
                                    {1, rc::gen::element<char>('\xe9', '\x93', '\xc3', '\xa9', '\xa0')}});
  std::string text = *rc::gen::container<std::string>(character);
  if (text.size() > limit) text.resize(limit);
  return text;
}

std::string RandomFieldText(bool longText) {
  std::string text = RandomText(longText ? 300 : 80);
  if (longText && !text.empty() && text[0] == ' ') text[0] = '-';
  return text;
}

namespace {

// "" or a date as the program writes it.
std::string RandomDate() {
  if (*rc::gen::arbitrary<bool>()) return {};
  return AluFormatDate(*rc::gen::inRange(1900, 2030) * 10000 + *rc::gen::inRange(1, 13) * 100 +
                       *rc::gen::inRange(1, 29));
}

// User tables of distinct entries in byte order (no entry begins with a digit), built-in ones full.
void FillRandomTables(Collection& c) {
  for (int kind : UserTableKindsInFileOrder()) {
    std::set<std::string> entries{"Unknown"};
    if (kind == kTableCabinetTrim) entries.insert("No Trim");
    const int extra = *rc::gen::inRange(0, 5);
    for (int i = 0; i < extra; ++i) {
      std::string entry = RandomText(30);
      if (!entry.empty() && StorageProblem(entry, StoredText::kTableEntry).empty()) entries.insert(entry);
    }
    c.tables[kind].entries.assign(entries.begin(), entries.end());
  }
  const int brands = c.tables[kTableBrandName].Count();
  c.brandManufacturer.clear();
  for (int i = 0; i < brands; ++i) {
    c.brandManufacturer.push_back(*rc::gen::inRange(0, c.tables[kTableManufacturer].Count()));
  }
  c.brandPictureDirectories.assign(static_cast<std::size_t>(brands), std::string());
}

}  // namespace

std::unique_ptr<RadioRecord> RandomRadio(const Collection& c) {
  auto r = std::make_unique<RadioRecord>();
  for (const RadioField& f : AllRadioFields()) {
    switch (f.kind) {
      case FieldKind::kTable:
        r.get()->*f.number = *rc::gen::inRange(0, c.tables[f.table].Count());
        break;
      case FieldKind::kYesNo:
        r.get()->*f.number = *rc::gen::inRange(0, 2);
        break;
      case FieldKind::kNumber:
        r.get()->*f.number = *rc::gen::inRange(-9999, 100000);
        break;
      case FieldKind::kText:
        r.get()->*f.text = RandomFieldText(IsLongText(f.changeFlag));
        break;
      case FieldKind::kDate:
        r.get()->*f.text = RandomDate();
        break;
    }
  }
  // Picture names are paths written with backslashes.
  std::replace(r->pictureFile.begin(), r->pictureFile.end(), '/', '\\');
  std::replace(r->thumbnailFile.begin(), r->thumbnailFile.end(), '/', '\\');
  const int tubes = *rc::gen::inRange(0, 6);
  for (int i = 0, slot = 0; i < tubes; ++i) {
    std::string type = RandomText(12);
    if (type.empty()) type = "80";
    // Now and then an empty slot between filled ones, which the file does not keep.
    slot += *rc::gen::inRange(0, 4) == 0 ? 1 : 0;
    r->tubes.Set(slot++, *rc::gen::inRange(1, kTubeFunctionCount), type);
  }
  r->extraPictureCount = *rc::gen::inRange(0, kExtraPictureLimit + 1);
  for (int i = 0; i < r->extraPictureCount; ++i) {
    r->extraPictureFiles[i] = RandomText(40);
    if (r->extraPictureFiles[i].empty()) r->extraPictureFiles[i] = "b.jpg";  // the program names every one
    std::replace(r->extraPictureFiles[i].begin(), r->extraPictureFiles[i].end(), '/', '\\');
  }
  return r;
}

Collection RandomCollection() {
  Collection c;
  FillRandomTables(c);
  const int radios = *rc::gen::inRange(0, 8);
  for (int i = 0; i < radios; ++i) {
    auto radio = RandomRadio(c);
    radio->id = i + 1;  // identifiers are unique, as the program gives them
    AddRadio(c, std::move(radio));
  }
  c.nextId = *rc::gen::inRange(0, 1000000);
  c.nextBackupNumber = *rc::gen::inRange(0, 100);

  const auto tubeName = [] {
    return *rc::gen::element<std::string>("6V6", "12SK7", "117Z3", "1629", "OZ4", "2N404", "ECC32", "6SN7",
                                          "80");
  };
  if (*rc::gen::arbitrary<bool>()) InsertTubeAlias("6SN7 ECC32", c.aliases);
  const int items = *rc::gen::inRange(0, 5);
  for (int i = 0; i < items; ++i) {
    InventoryItem* item = InsertTube(PadTubeName(tubeName()), c.inventory, c.aliases);
    item->kind = *rc::gen::element(kTechTransistor, kTechTube);
    item->count += *rc::gen::inRange(0, 30);  // 0: listed, none in stock
  }
  const int macros = *rc::gen::inRange(0, 3);
  for (int i = 0; i < macros; ++i) {
    SelectionMacro macro{RandomText(40), {}};
    const int steps = *rc::gen::inRange(0, 4);
    for (int s = 0; s < steps; ++s) {
      macro.entries.push_back(
          ReadMacroEntry(*rc::gen::element<std::string>("+Technology=Tube", "push", "&Year<1950", "12",
                                                        "swap", "-Brand=Unknown"),
                         c.tables));
    }
    c.macros.push_back(std::move(macro));
  }
  ShareAsLoadedCopy(c);
  c.asLoadedTables = c.tables;
  c.asLoadedBrandManufacturer = c.brandManufacturer;
  c.asLoadedInventory = c.inventory;
  return c;
}

}  // namespace korvel::test
