#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "collection/data_file.h"
#include "collection/file_writer.h"
#include "collection/macro_text.h"
#include "collection/tubes.h"
#include "util/alu_file.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kChunk = 72;  // characters per line of a long text

class StringSink {
 public:
  explicit StringSink(std::string& bytes) : bytes_(bytes) {}
  void Write(std::string_view s) { bytes_.append(s); }
  void Write(char c) { bytes_.push_back(c); }
  void WriteNumber(long long value) { bytes_.append(std::to_string(value)); }

 private:
  std::string& bytes_;
};

template <typename Out>
class LayoutWriter {
 public:
  LayoutWriter(const Collection& collection, Out& out) : c_(collection), out_(out) {}

  void Write() {
    out_.Write('#');
    Header(kDataFileVersion, "Version");
    Header(c_.radios.Count(), "Number of Radios");
    Header(c_.nextId, "Next ID");
    Header(c_.nextBackupNumber, "Next Backup File Number");
    for (int kind : UserTableKindsInFileOrder()) Table(kind);
    for (const RadioRecord* r : c_.radios) Radio(*r);
    Aliases();
    Inventory(kTechTransistor);
    Inventory(kTechTube);
    Macros();
  }

 private:
  void Line(std::string_view text) {
    out_.Write(text);
    out_.Write(kLineEnd);
  }
  void Number(long long value) {
    out_.WriteNumber(value);
    out_.Write(kLineEnd);
  }
  // "%d --- %s ---"
  void Header(long long count, std::string_view name) {
    out_.WriteNumber(count);
    out_.Write(" --- ");
    out_.Write(name);
    Line(" ---");
  }
  // "%d%s": the position and the entry's text.
  void Reference(const LookupTable& table, std::int32_t position) {
    out_.WriteNumber(position);
    Line(table.Text(position));
  }
  void Reference(int kind, std::int32_t position) { Reference(c_.tables[kind], position); }
  void LongText(const std::string& text) {
    Number(static_cast<long long>(text.size()));
    for (std::size_t at = 0; at < text.size(); at += kChunk) Line(std::string_view(text).substr(at, kChunk));
  }

  void Table(int kind) {
    const LookupTable& table = c_.tables[kind];
    Header(table.Count(), TableSectionName(kind));
    for (int i = 0; i < table.Count(); ++i) {
      Reference(table, i);
      if (kind == kTableBrandName) {
        const auto& map = c_.brandManufacturer;
        Number(i < static_cast<int>(map.size()) ? map[i] : 0);
      }
    }
  }

  void Radio(const RadioRecord& r) {
    Header(r.id, "Radio");
    Reference(kTableBrandName, r.brand);
    Line(r.model);
    Line(r.serialNumber);
    Number(r.year);
    Reference(kTableManufacturer, r.manufacturer);
    Reference(kTableCabinetStyle, r.cabinetStyle);
    Reference(kTableCabinetComposition, r.cabinetComposition);
    Line(r.cabinetColour);
    Reference(kTableCabinetTrim, r.cabinetTrim);
    Line(r.trimColour);
    Reference(kTableTuningDial, r.tuningDial);
    Reference(kTablePosition, r.dialPosition);
    Reference(kTableGrillStyle, r.grillStyle);
    Reference(kTablePosition, r.grillPosition);
    Reference(YesNoTable(), r.pushButtons);
    Reference(YesNoTable(), r.telephoneDial);
    Reference(kTablePowerSource, r.powerSource);
    Reference(kTableBands, r.bands);
    Reference(kTableCircuitType, r.circuitType);
    Reference(kTableTechnology, r.technology);

    int filled = 0;
    for (int i = 0; i < r.tubes.HeldCount(); ++i) filled += r.tubes[i].IsFilled() ? 1 : 0;
    Number(filled);
    for (int i = 0; i < r.tubes.HeldCount(); ++i) {
      const TubeSlot& slot = r.tubes[i];
      if (!slot.IsFilled()) continue;
      Reference(kTableTubeFunction, slot.function);
      Line(slot.type);
    }

    Line(r.dateAcquired);
    Number(r.purchasePrice);
    Line(r.whereAcquired);
    Reference(kTableStatus, r.status);
    Reference(kTableChassisCondition, r.chassisCondition);
    Reference(kTableCondition, r.condition);
    LongText(r.damage);
    Number(r.value);
    Line(r.sourceOfValue);
    Line(r.dateRestored);
    Number(r.restorationCost);
    LongText(r.repairsNeeded);
    Line(r.dateDisposed);
    Number(r.sellingPrice);
    Line(r.whereDisposed);
    Line(r.schematic);
    LongText(r.references);
    LongText(r.comments);
    LongText(r.extras);
    Line(r.pictureFile);
    Line(r.thumbnailFile);
    const int extras = UsedExtraPictures(r);
    Number(extras);
    for (int i = 0; i < extras; ++i) Line(r.extraPictureFiles[i]);
  }

  void Aliases() {
    Header(static_cast<long long>(c_.aliases.size()), "Tube Aliases");
    for (const auto& [name, alias] : c_.aliases) {
      out_.Write(UnpaddedName(alias.name));
      out_.Write(' ');
      Line(UnpaddedName(alias.aliasOf));
    }
  }

  void Inventory(int kind) {
    long long count = 0;
    for (const auto& [name, item] : c_.inventory) count += item.kind == kind && item.count > 0 ? 1 : 0;
    Header(count, kind == kTechTransistor ? "Transistor Inventory" : "Tube Inventory");
    for (const auto& [name, item] : c_.inventory) {
      if (item.kind != kind || item.count <= 0) continue;
      out_.WriteNumber(item.count);
      out_.Write('*');
      Line(UnpaddedName(item.name));
    }
  }

  void Macros() {
    Header(static_cast<long long>(c_.macros.size()), "Selection Macros");
    for (const SelectionMacro& macro : c_.macros) {
      Line(macro.name);
      Number(static_cast<long long>(macro.entries.size()));
      for (const MacroEntry& entry : macro.entries) Line(MacroEntryText(entry));
    }
  }

  const Collection& c_;
  Out& out_;
};

}  // namespace

std::string FormatDataFile(const Collection& collection) {
  std::string bytes;
  StringSink sink(bytes);
  LayoutWriter<StringSink>(collection, sink).Write();
  return bytes;
}

bool WriteDataFile(const std::string& path, const Collection& collection, const WriteOptions& options) {
  const std::string native = AluNativePath(path);
  AluCreateDirectoriesFor(path);
  FileWriter file;
  if (!file.Open(native, options.exclusive, options.likePath)) {
    ShowMessage(kError, kButtonsOk, "Unable to open '%s' in 'WriteDataFile': %s.", native.c_str(),
                std::strerror(errno));
    return false;
  }
  LayoutWriter<FileWriter>(collection, file).Write();
  if (!file.Finish()) {
    const int error = errno;
    std::error_code ec;
    std::filesystem::remove(native, ec);
    ShowMessage(kError, kButtonsOk, "Unable to write '%s' in 'WriteDataFile': %s.", native.c_str(),
                std::strerror(error));
    return false;
  }
  if (options.checksum != nullptr) *options.checksum = file.Checksum();
  return true;
}

}  // namespace korvel
