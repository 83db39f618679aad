#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "collection/data_file.h"
#include "collection/line_cursor.h"
#include "collection/macro_text.h"
#include "collection/mapped_file.h"
#include "collection/tubes.h"
#include "util/alu_date.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

// Problems beyond this many are counted in one closing message instead of a box each.
constexpr int kProblemsShown = 8;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view SkipDigits(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && IsDigit(line[i])) ++i;
  return line.substr(i);
}

// The number at the start of a line: its digits, with a leading "-" so that negative values come
// back; anything after them is decoration. No digits reads as 0; too many saturate.
std::int32_t LeadingNumber(std::string_view line) {
  bool negative = false;
  if (!line.empty() && line[0] == '-') {
    negative = true;
    line.remove_prefix(1);
  }
  long long value = 0;
  for (std::size_t i = 0; i < line.size() && IsDigit(line[i]); ++i) {
    value = std::min<long long>(value * 10 + (line[i] - '0'), std::numeric_limits<std::int32_t>::max());
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

// Inserts a text into a table at its place in byte order unless it is there already.
void InsertQuietly(LookupTable& table, const std::string& text) {
  auto at = table.entries.begin();
  for (; at != table.entries.end(); ++at) {
    if (*at == text) return;
    if (*at > text) break;
  }
  table.entries.insert(at, text);
}

// The user tables after Brand Name, as the file's table sections give them.
constexpr std::array<int, 11> kLaterTables = {kTableBands,       kTableCabinetComposition, kTableCabinetStyle,
                                              kTableCabinetTrim, kTableChassisCondition,   kTableCircuitType,
                                              kTableCondition,   kTableGrillStyle,         kTablePosition,
                                              kTablePowerSource, kTableTuningDial};

// A reference whose table the file does not carry, resolved once the table is rebuilt.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // written by some editors; not text

struct PendingReference {
  RadioRecord* record;
  std::int32_t RadioRecord::*field;
  int kind;
  std::string_view name;
};

class DataFileReader {
 public:
  // `file`, when given, holds `bytes` and gives back the pages already read as loading goes on.
  DataFileReader(std::string_view bytes, Collection& collection, std::string path, MappedFile* file)
      : in_(bytes),
        start_(bytes.data()),
        file_(file),
        c_(collection),
        path_(AluNativePath(path)),
        hasNul_(bytes.find('\0') != std::string_view::npos) {}

  int Read();

 private:
  // Lines: short ones hold at most 72 characters, long ones 1024. A longer line is read whole,
  // so that the lines after it stay in step, and reported.
  std::string_view Short() { return Limited(kShortLineLimit); }
  std::string_view Long() { return Limited(kLongLineLimit); }
  std::string_view Limited(int limit);

  std::int32_t Number() { return LeadingNumber(Short()); }
  std::string Text() { return std::string(Long()); }
  std::string Date();
  std::string PathText();
  std::string LongText();
  std::string OldText(int lines);
  std::int32_t Reference(int kind, const char* what, RadioRecord* record, std::int32_t RadioRecord::*field);
  const LookupTable& TableOf(int kind) const { return kind < 0 ? YesNoTable() : c_.tables[kind]; }

  void ReadHeader();
  void ReadTable(int kind);
  void AddDefaultEntries();
  std::unique_ptr<RadioRecord> ReadRadio();
  void ReadDisposalOfVersion0(RadioRecord& r);
  void RebuildMissingTables();
  void TakeRadios();
  void ReadAliases();
  void ReadInventory(int kind);
  void ReadMacros();

  bool Carries(int kind) const;
  void Problem(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void ReportProblems();
  // The file was cut short while mapped: what was read is not the file, and is not reported.
  bool Cut() const { return file_ != nullptr && file_->Cut(); }

  LineCursor in_;
  const char* start_;
  MappedFile* file_;
  Collection& c_;
  std::string path_;
  int version_ = 0;
  std::int32_t radioCount_ = 0;
  std::int32_t currentId_ = 0;
  int currentRadio_ = 0;  // 1-based number of the record being read
  bool countUnread_ = false;  // the header's radio count was no number
  int countLine_ = 0;         // its line; 0 when the file ended before it
  std::string countText_;
  std::vector<std::unique_ptr<RadioRecord>> radios_;
  std::vector<PendingReference> pending_;
  std::vector<std::string> problems_;
  int problemCount_ = 0;
  bool radiosCut_ = false;  // the radios stopped before the header's count
  bool hasNul_ = false;
  int nulLines_ = 0;
  int firstNulLine_ = 0;
  std::deque<std::string> cleanedLines_;  // lines without their NUL bytes; references point into them
};

void DataFileReader::Problem(const char* format, ...) {
  ++problemCount_;
  if (static_cast<int>(problems_.size()) >= kProblemsShown) return;
  char text[600];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  problems_.emplace_back(text);
}

void DataFileReader::ReportProblems() {
  if (Cut()) return;  // what was wrong is not the file's: the caller says so once
  for (const std::string& p : problems_) ShowMessage(kError, kButtonsOk, "%s", p.c_str());
  if (problemCount_ > kProblemsShown) {
    ShowMessage(kError, kButtonsOk, "%d more problems were found in '%s' and not shown one by one.",
                problemCount_ - kProblemsShown, path_.c_str());
  }
}

std::string_view DataFileReader::Limited(int limit) {
  std::string_view line = in_.Next();
  if (hasNul_ && line.find('\0') != std::string_view::npos) {
    // Zeros that a crash or a failing disk left in the file: left out, and reported once.
    if (nulLines_++ == 0) firstNulLine_ = in_.LineNumber();
    std::string& cleaned = cleanedLines_.emplace_back(line);
    std::erase(cleaned, '\0');
    line = cleaned;
  }
  if (static_cast<int>(line.size()) > limit) {
    Problem("Line %d of '%s' is longer than %d characters; it was read whole.", in_.LineNumber(),
            path_.c_str(), limit);
  }
  return line;
}

std::string DataFileReader::Date() {
  std::string text(Long());
  return AluFormatDate(AluParseDate(text));
}

std::string DataFileReader::PathText() {
  std::string text(Long());
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

std::string DataFileReader::LongText() {
  const std::int32_t length = Number();
  std::string text;
  // Sized once: the chunks would otherwise regrow it and leave it up to twice its length.
  if (length > 0) text.reserve(std::min<std::size_t>(static_cast<std::size_t>(length), in_.Left()));
  long long read = 0;
  while (read < length && !in_.AtEnd()) {
    std::string_view line = Long();
    read += static_cast<long long>(line.size());
    if (text.empty() && !line.empty() && line[0] == ' ') line.remove_prefix(1);
    text.append(line);
  }
  return text;
}

std::string DataFileReader::OldText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    const std::string_view line = Long();
    const bool endsBlank = !text.empty() && (text.back() == ' ' || text.back() == '\t');
    const bool startsBlank = !line.empty() && (line[0] == ' ' || line[0] == '\t');
    if (!endsBlank && !startsBlank) text += ' ';
    text.append(line);
  }
  return text;
}

bool DataFileReader::Carries(int kind) const {
  if (kind == kTableManufacturer || kind == kTableBrandName) return version_ >= 16;
  if (kind == kTableChassisCondition) return version_ >= 25;
  return version_ >= 17 || IsBuiltInTable(kind) || kind < 0;
}

// A table reference line: the position and then the entry's text. A current file is read by the
// position; older ones by the text, since their tables were ordered differently.
std::int32_t DataFileReader::Reference(int kind, const char* what, RadioRecord* record,
                                       std::int32_t RadioRecord::*field) {
  const std::string_view line = Short();
  const bool digits = !line.empty() && IsDigit(line[0]);
  const std::string_view name = digits ? SkipDigits(line) : line;
  if (!Carries(kind)) {
    pending_.push_back({record, field, kind, name});
    return 0;
  }
  const LookupTable& table = TableOf(kind);
  if (digits && version_ == kDataFileVersion) {
    const std::int32_t position = LeadingNumber(line);
    // Position 0 of an empty table is what a radio gets before the table has entries.
    if (position < table.Count() || position == 0) return position;
    // A position outside its table: the text beside it says what was meant.
    const TableMatch match = FindTableEntry(std::string(name), table);
    Problem("Radio %d (line %d): the %s position %d lies outside its table; %s.", currentId_,
            in_.LineNumber(), what, position,
            match.found ? "the entry was found by its name" : "it was set to the first entry");
    return match.position;
  }
  return FindTableEntry(std::string(name), table).position;
}

void DataFileReader::ReadHeader() {
  std::string_view line = Short();
  if (!line.empty() && line[0] == '#') {
    version_ = LeadingNumber(line.substr(1));
    line = Short();
  }
  if (version_ > kDataFileVersion) ShowMessage(kError, kButtonsOk, "Don't understand data file.");
  radioCount_ = std::max<std::int32_t>(LeadingNumber(line), 0);
  // A count that is no number reads as none: remembered, so that a file of which no radio could be
  // read says so instead of opening as an empty collection.
  const std::string_view digits = line.starts_with('-') ? line.substr(1) : line;
  if (digits.empty() || !IsDigit(digits[0])) {
    countLine_ = in_.Ended() && line.empty() ? 0 : in_.LineNumber();
    countText_ = std::string(line.substr(0, 80));
    countUnread_ = true;
  }
  c_.nextId =
      version_ >= 9 ? Number() : std::min(radioCount_, std::numeric_limits<std::int32_t>::max() - 1) + 1;
  c_.nextBackupNumber = version_ >= 12 ? Number() : 0;
  if (c_.nextBackupNumber < 0 || c_.nextBackupNumber >= kBackupCount) c_.nextBackupNumber = 0;
}

void DataFileReader::ReadTable(int kind) {
  LookupTable& table = c_.tables[kind];
  LookupTable& asLoaded = c_.asLoadedTables[kind];
  if (!table.modifiable) {
    ShowMessage(kError, kButtonsOk, "illegal table modification in 'ReadTable'.");
  }
  const std::int32_t count = Number();
  table.entries.clear();
  for (std::int32_t i = 0; i < count && !in_.AtEnd(); ++i) {
    table.entries.emplace_back(SkipDigits(Short()));
    if (kind == kTableBrandName) c_.brandManufacturer.push_back(Number());
  }
  if (static_cast<int>(table.entries.size()) < count) {
    Problem("The %s table of '%s' ends early, after %d of its %d entries.", TableSectionName(kind),
            path_.c_str(), table.Count(), count);
  }
  asLoaded.entries = table.entries;
}

void DataFileReader::AddDefaultEntries() {
  if (version_ < 23) {
    for (int kind : kLaterTables) {
      InsertQuietly(c_.tables[kind], "Unknown");
      InsertQuietly(c_.asLoadedTables[kind], "Unknown");
    }
  } else if (version_ <= 24) {
    InsertQuietly(c_.tables[kTableChassisCondition], "Unknown");
  }
}

void DataFileReader::ReadDisposalOfVersion0(RadioRecord& r) {
  std::string lines[5];
  for (std::string& line : lines) line = Long();
  if (r.status == kStatusSold || r.status == kStatusRestoredAndSold) {
    r.dateDisposed = AluFormatDate(AluParseDate(lines[0]));
    r.sellingPrice = LeadingNumber(lines[1]);
    r.whereDisposed = lines[2];
  } else if (r.status == kStatusDonated) {
    r.dateDisposed = AluFormatDate(AluParseDate(lines[3]));
    r.whereDisposed = lines[4];
  }
}

std::unique_ptr<RadioRecord> DataFileReader::ReadRadio() {
  auto r = std::make_unique<RadioRecord>();
  RadioRecord* p = r.get();
  using R = RadioRecord;
  const auto ref = [&](int kind, const char* what, std::int32_t R::*field) {
    p->*field = Reference(kind, what, p, field);
  };

  r->id = currentId_ = Number();
  ref(kTableBrandName, "brand", &R::brand);
  r->model = Text();
  if (version_ >= 27) r->serialNumber = Text();
  r->year = Number();
  ref(kTableManufacturer, "manufacturer", &R::manufacturer);
  ref(kTableCabinetStyle, "cabinet style", &R::cabinetStyle);
  ref(kTableCabinetComposition, "cabinet composition", &R::cabinetComposition);
  r->cabinetColour = Text();
  ref(kTableCabinetTrim, "trim", &R::cabinetTrim);
  r->trimColour = Text();
  ref(kTableTuningDial, "tuning dial", &R::tuningDial);
  ref(kTablePosition, "dial position", &R::dialPosition);
  ref(kTableGrillStyle, "grill style", &R::grillStyle);
  ref(kTablePosition, "grill position", &R::grillPosition);
  ref(-1, "push buttons", &R::pushButtons);
  ref(-1, "telephone dial", &R::telephoneDial);
  ref(kTablePowerSource, "power source", &R::powerSource);
  ref(kTableBands, "bands", &R::bands);
  ref(kTableCircuitType, "circuit type", &R::circuitType);
  ref(kTableTechnology, "technology", &R::technology);

  const std::int32_t tubeCount = Number();
  if (tubeCount > kTubeSlotCount) {
    Problem("Radio %d (line %d) lists %d tubes, more than %d; the first %d are kept.", currentId_,
            in_.LineNumber(), tubeCount, kTubeSlotCount, kTubeSlotCount);
  }
  r->tubes.Reserve(tubeCount);
  for (std::int32_t i = 0; i < tubeCount && !in_.AtEnd(); ++i) {
    const std::int32_t function = Reference(kTableTubeFunction, "tube function", nullptr, nullptr);
    std::string type = Text();
    if (i < kTubeSlotCount) r->tubes.Set(i, function, std::move(type));
  }

  r->dateAcquired = Date();
  r->purchasePrice = Number();
  r->whereAcquired = Text();
  if (version_ >= 21) {
    ref(kTableStatus, "status", &R::status);
    if (version_ >= 25) ref(kTableChassisCondition, "chassis condition", &R::chassisCondition);
    ref(kTableCondition, "condition", &R::condition);
    r->damage = LongText();
  } else {
    ref(kTableCondition, "condition", &R::condition);
    ref(kTableStatus, "status", &R::status);
    r->damage = "None";
  }
  r->value = Number();
  r->sourceOfValue = Text();
  r->dateRestored = Date();
  r->restorationCost = Number();
  r->repairsNeeded = version_ >= 19 ? LongText() : OldText(5);
  if (version_ == 0) {
    ReadDisposalOfVersion0(*r);
  } else {
    r->dateDisposed = Date();
    r->sellingPrice = Number();
    r->whereDisposed = Text();
  }
  r->schematic = Text();
  r->references = version_ >= 19 ? LongText() : OldText(5);
  r->comments = version_ >= 19 ? LongText() : OldText(5);
  if (version_ >= 22) r->extras = LongText();
  if (version_ >= 6) {
    r->pictureFile = PathText();
    if (version_ >= 18) {
      r->thumbnailFile = PathText();
    } else if (r->pictureFile.size() >= 8) {
      // Thumbnails of that time lived under "smallpix" in place of "pictures".
      r->thumbnailFile = "smallpix" + r->pictureFile.substr(8);
    }
  }
  if (version_ >= 26) {
    const std::int32_t extras = Number();
    if (extras > kExtraPictureLimit) {
      Problem("Radio %d (line %d) lists %d extra pictures, more than %d; the first %d are kept.", currentId_,
              in_.LineNumber(), extras, kExtraPictureLimit, kExtraPictureLimit);
    }
    int kept = 0;
    for (std::int32_t i = 0; i < extras && !in_.AtEnd(); ++i) {
      std::string file = PathText();
      if (kept < kExtraPictureLimit) r->extraPictureFiles[kept++] = std::move(file);
    }
    r->extraPictureCount = kept;
  }
  r->currentPicture = -1;
  return r;
}

void DataFileReader::RebuildMissingTables() {
  if (pending_.empty() && version_ >= 17) return;
  std::vector<int> rebuilt;
  for (int kind : {kTableManufacturer, kTableBrandName}) {
    if (!Carries(kind)) rebuilt.push_back(kind);
  }
  if (version_ < 17) {
    for (int kind : kLaterTables) {
      if (kind != kTableChassisCondition) rebuilt.push_back(kind);
    }
  }
  if (rebuilt.empty()) return;

  for (int kind : rebuilt) {
    std::vector<std::string> names;
    for (const PendingReference& ref : pending_) {
      if (ref.kind == kind && !ref.name.empty()) names.emplace_back(ref.name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    LookupTable& table = c_.tables[kind];
    for (std::string& name : names) InsertQuietly(table, name);
    c_.asLoadedTables[kind].entries = table.entries;
  }
  if (!Carries(kTableBrandName)) {
    c_.brandManufacturer.assign(c_.tables[kTableBrandName].entries.size(), 0);
    c_.asLoadedBrandManufacturer = c_.brandManufacturer;
  }
  for (const PendingReference& ref : pending_) {
    if (ref.record != nullptr)
      ref.record->*ref.field = FindTableEntry(std::string(ref.name), c_.tables[ref.kind]).position;
  }

  std::string names;
  for (int kind : rebuilt) {
    if (!names.empty()) names += ", ";
    names += TableSectionName(kind);
  }
  if (Cut()) return;
  ShowMessage(kWarning, kButtonsOk,
              "'%s' is an old data file (version %d) without the tables %s. They were rebuilt from the names "
              "its radios use.",
              path_.c_str(), version_, names.c_str());
}

void DataFileReader::TakeRadios() {
  for (auto& record : radios_) AddRadio(c_, std::move(record));
  radios_.clear();
  // Until a radio changes, it is its own as-loaded copy.
  ShareAsLoadedCopy(c_);
  // A file that stopped short has said so more clearly.
  if (!radiosCut_ && !Cut() && c_.radios.Count() != radioCount_) {
    ShowMessage(kError, kButtonsOk, "Radio count (%d) different from file (%d)", c_.radios.Count(),
                radioCount_);
  }
  // An identifier is never given twice, whatever the file says the next one is.
  for (const RadioRecord* r : c_.radios) {
    if (r->id >= c_.nextId && r->id < std::numeric_limits<std::int32_t>::max()) c_.nextId = r->id + 1;
  }
}

void DataFileReader::ReadAliases() {
  const std::int32_t count = Number();
  for (std::int32_t i = 0; i < count; ++i) {
    if (in_.AtEnd()) {
      Problem("'%s' ends early, in its tube aliases.", path_.c_str());
      return;
    }
    const std::string_view line = Short();
    if (!InsertTubeAlias(line, c_.aliases)) {
      Problem("Line %d of '%s': the tube alias \"%.*s\" names only one tube; it was left out.",
              in_.LineNumber(), path_.c_str(), static_cast<int>(std::min<std::size_t>(line.size(), 80)),
              line.data());
    }
  }
}

void DataFileReader::ReadInventory(int kind) {
  const std::int32_t count = Number();
  for (std::int32_t i = 0; i < count; ++i) {
    if (in_.AtEnd()) {
      Problem("'%s' ends early, in its %s inventory.", path_.c_str(), TechnologyTable().Text(kind).c_str());
      return;
    }
    const std::string_view line = Short();
    ParseInventoryLine(line, kind, c_.inventory, c_.aliases);
    ParseInventoryLine(line, kind, c_.asLoadedInventory, c_.aliases);
  }
}

void DataFileReader::ReadMacros() {
  c_.macros.clear();
  const std::int32_t count = Number();
  for (std::int32_t m = 0; m < count; ++m) {
    if (in_.AtEnd()) {
      Problem("'%s' ends early, in its selection macros.", path_.c_str());
      return;
    }
    SelectionMacro macro;
    macro.name = std::string(Short());
    const std::int32_t steps = Number();
    for (std::int32_t s = 0; s < steps && !in_.AtEnd(); ++s) {
      const std::string_view token = Short();
      macro.entries.push_back(ReadMacroEntry(token, c_.tables));
      if (!macro.entries.back().parsed) {
        Problem(
            "Selection macro \"%s\" (line %d): \"%.*s\" is not a selection step; it is kept as written and "
            "does nothing.",
            macro.name.c_str(), in_.LineNumber(), static_cast<int>(std::min<std::size_t>(token.size(), 80)),
            token.data());
      }
    }
    c_.macros.push_back(std::move(macro));
  }
}

int DataFileReader::Read() {
  ReadHeader();
  if (version_ >= 16) {
    ReadTable(kTableManufacturer);
    ReadTable(kTableBrandName);
    c_.asLoadedBrandManufacturer = c_.brandManufacturer;
  }
  if (version_ >= 17) {
    for (int kind : kLaterTables) {
      if (kind != kTableChassisCondition || version_ >= 25) ReadTable(kind);
    }
  }
  AddDefaultEntries();

  // Brand-to-manufacturer positions must point into the Manufacturer table.
  const int makers = c_.tables[kTableManufacturer].Count();
  for (std::size_t b = 0; b < c_.brandManufacturer.size(); ++b) {
    std::int32_t& m = c_.brandManufacturer[b];
    if (m < 0 || (m >= makers && makers > 0) || (makers == 0 && m != 0)) {
      Problem(
          "The brand \"%s\" of '%s' names manufacturer %d, outside the Manufacturer table; it was set to 0.",
          c_.tables[kTableBrandName].Text(static_cast<int>(b)).c_str(), path_.c_str(), m);
      m = 0;
    }
  }
  c_.asLoadedBrandManufacturer = c_.brandManufacturer;

  for (currentRadio_ = 1; currentRadio_ <= radioCount_; ++currentRadio_) {
    if (in_.AtEnd()) {
      Problem("'%s' ends early, before radio %d of %d; the radios read so far are kept.", path_.c_str(),
              currentRadio_, radioCount_);
      radiosCut_ = true;
      break;
    }
    // The header says more radios than there are: another section begins here.
    const std::string_view next = in_.Peek();
    if (next.find(" --- ") != std::string_view::npos &&
        next.find("--- Radio ---") == std::string_view::npos) {
      Problem("'%s' holds %d radios where its header says %d.", path_.c_str(), currentRadio_ - 1,
              radioCount_);
      radiosCut_ = true;
      break;
    }
    radios_.push_back(ReadRadio());
    // Nothing points into the lines read so far unless old references wait for their tables.
    if (file_ != nullptr && pending_.empty() && currentRadio_ % 256 == 0) {
      file_->Consumed(static_cast<std::size_t>(in_.Position() - start_));
    }
    if (in_.Ended()) {
      Problem("'%s' ends early, inside radio %d (identifier %d) of %d; what was read of it is kept.",
              path_.c_str(), currentRadio_, currentId_, radioCount_);
      radiosCut_ = true;
      break;
    }
  }
  RebuildMissingTables();
  TakeRadios();
  if (countUnread_ && c_.radios.Count() == 0) {
    if (countLine_ == 0) {
      Problem("No radio was read from '%s': nothing follows its version line.", path_.c_str());
    } else {
      Problem("No radio was read from '%s': line %d, where the number of radios belongs, reads \"%s\".",
              path_.c_str(), countLine_, countText_.c_str());
    }
  }
  ReadAliases();
  ReadInventory(kTechTransistor);
  ReadInventory(kTechTube);
  ReadMacros();
  if (nulLines_ > 0) {
    Problem(
        "'%s' holds NUL bytes (zeros) on %d lines, the first being line %d; they were left out and the "
        "rest was read.",
        path_.c_str(), nulLines_, firstNulLine_);
  }
  ReportProblems();
  return version_;
}

int ReadBytes(std::string_view bytes, const std::string& path, Collection& collection, MappedFile* file) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  try {
    DataFileReader reader(bytes, collection, path, file);
    return reader.Read();
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'ReadDataFile'.");
    return 0;
  }
}

// Every layout begins with its "#" version line or, before versions were written, the radio count:
// a file that begins otherwise, is empty or holds bytes no text has, is some other file. Only its
// start is looked at, so that a large file is not read twice.
bool LooksLikeDataFile(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  const std::size_t start = bytes.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  std::size_t digit = start;
  const bool versionLine = bytes[digit] == '#';
  if (versionLine) ++digit;
  if (digit >= bytes.size() || bytes[digit] < '0' || bytes[digit] > '9') return false;
  // A version line says what the file is, zeros further on or not; without one, zeros near the
  // start mean some other file that happens to begin with a digit.
  return versionLine || bytes.substr(0, 65536).find('\0') == std::string_view::npos;
}

}  // namespace

int ReadDataBytes(std::string_view bytes, const std::string& path, Collection& collection) {
  return ReadBytes(bytes, path, collection, nullptr);
}

ReadOutcome ReadDataFile(const std::string& dataPath, const std::string& fallbackPath,
                         Collection& collection) {
  MappedFile file;
  std::string path = dataPath;
  if (!file.Open(AluResolvePath(dataPath))) {
    const int reason = errno;  // why the data file itself could not be opened
    path = fallbackPath;
    if (!file.Open(AluResolvePath(fallbackPath))) {
      ShowMessage(kError, kButtonsOk, "Unable to open '%s' in 'ReadDataFile': %s.",
                  AluNativePath(dataPath).c_str(), std::strerror(reason));
      return {};
    }
  }
  // Another program that rewrites the file while it is read leaves what was read neither file.
  const auto cut = [&]() -> ReadOutcome {
    ClearCollection(collection);
    ShowMessage(kError, kButtonsOk,
                "'%s' was cut short by another program while it was being read, so nothing was read from "
                "it. Open it again once that program has finished writing it.",
                AluNativePath(path).c_str());
    return {};
  };
  if (!LooksLikeDataFile(file.Bytes())) {
    if (file.Cut()) return cut();
    ShowMessage(kError, kButtonsOk,
                "'%s' is not a Korvel data file, so nothing was read from it. Nothing is written over it "
                "unless you save; a save keeps it as a numbered backup.",
                AluNativePath(path).c_str());
    return {};
  }
  const int version = ReadBytes(file.Bytes(), path, collection, &file);
  if (file.Cut()) return cut();
  return {true, version};
}

}  // namespace korvel
