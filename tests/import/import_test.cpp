#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "collection/radio_ops.h"
#include "import/apply_import.h"
#include "reports/csv_file.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

// The file imported into a new collection, as File > New Collection starts one.
Collection ImportIntoNew(const std::string& csv, bool skipFaulty = false) {
  Collection imported;
  StartNewCollection(imported);
  const ImportPlan plan = PlanImport(imported, ReadCsv(csv));
  for (const ImportProblem& p : plan.problems) ADD_FAILURE() << ProblemText(p);
  ApplyImport(imported, plan, skipFaulty);
  return imported;
}

std::vector<std::string> Problems(const std::string& csv) {
  Collection c = test::MakeCollection();
  std::vector<std::string> texts;
  for (const ImportProblem& p : PlanImport(c, ReadCsv(csv)).problems) texts.push_back(ProblemText(p));
  return texts;
}

// Inside a property only: a text of up to maxLength characters of the alphabet.
std::string Text(const std::string& alphabet, int maxLength) {
  const int length = *rc::gen::inRange(0, maxLength + 1);
  return *rc::gen::container<std::string>(static_cast<std::size_t>(length), rc::gen::elementOf(alphabet));
}
// Texts a user may type, spreadsheet troubles included: delimiters, quotes, formula starts, UTF-8.
const std::string kTyped = "aZ09 ,;\"'=+-@\xC3\xA9";

template <typename T>
T Pick(const std::vector<T>& items) {
  return *rc::gen::elementOf(items);
}

// Every field of every radio, the identifiers included, comes back from the export's file: the
// export of the imported collection is the export of the original, byte for byte.
RC_GTEST_PROP(ImportCsv, ExportThenImportIntoANewCollectionGivesTheSameRadios, ()) {
  Collection source = test::MakeCollection();
  const int count = *rc::gen::inRange(1, 8);
  for (int n = 0; n < count; ++n) {
    auto r = std::make_unique<RadioRecord>();
    SetNewRadioDefaults(source, *r);
    r->id = n * 7 + *rc::gen::inRange(1, 7);
    for (const ImportTableField& f : ImportTableFields()) {
      (*r).*f.member = *rc::gen::inRange(0, source.tables[f.kind].Count());
    }
    for (std::string* text : {&r->model, &r->serialNumber, &r->cabinetColour, &r->trimColour,
                              &r->whereAcquired, &r->sourceOfValue, &r->whereDisposed, &r->schematic}) {
      *text = Text(kTyped, 12);
      if (text->size() > 1 && (*text)[0] == '\'') (*text)[0] = 'x';  // would read as the export's own quote
    }
    for (std::string* text : {&r->damage, &r->repairsNeeded, &r->references, &r->comments, &r->extras}) {
      *text = Text(kTyped, 90);
      while (!text->empty() && (text->front() == ' ' || text->front() == '\'')) text->erase(0, 1);
    }
    for (std::int32_t* number :
         {&r->year, &r->purchasePrice, &r->value, &r->restorationCost, &r->sellingPrice})
      *number = *rc::gen::arbitrary<std::int32_t>();
    r->pushButtons = *rc::gen::inRange(0, 2);
    r->telephoneDial = *rc::gen::inRange(0, 2);
    r->technology = *rc::gen::inRange(0, 4);
    r->status = *rc::gen::inRange(0, StatusTable().Count());
    for (std::string* date : {&r->dateAcquired, &r->dateRestored, &r->dateDisposed})
      *date = Pick<std::string>({"", "05Jan1950", "31Dec1999", "01Jul0001"});
    const int tubes = *rc::gen::inRange(0, kTubeSlotCount + 1);
    for (int i = 0; i < tubes; ++i)
      r->tubes.Set(i, *rc::gen::inRange(1, kTubeFunctionCount), "x" + Text("aZ09 ,*-", 6) + "1");
    r->pictureFile = "pictures\\" + Text("abc019", 8) + ".jpg";
    r->thumbnailFile = "pictures\\smallpix\\" + Text("abc019 ", 8) + ".jpg";
    r->extraPictureCount = *rc::gen::inRange(0, kExtraPictureLimit + 1);
    for (int i = 0; i < r->extraPictureCount; ++i) r->extraPictureFiles[i] = "x" + Text("ab ,'\\", 8) + "y";
    AddRadio(source, std::move(r));
  }
  const std::string exported = RadioCsvText(source, source.radios);
  const Collection imported = ImportIntoNew(exported);
  RC_ASSERT(RadioCsvText(imported, imported.radios) == exported);
}

TEST(ImportCsv, NamesEveryFaultyValueWithItsLineAndColumn) {
  const std::string header =
      "Identifier,Year,Purchase Price,Date Acquired,Push Buttons,Technology,Status,Tubes,Brand\r\n";
  const struct {
    std::string row;
    std::string problem;
  } cases[] = {
      {"1,c. 1935,,,,,,,", "line 2, Year: 'c. 1935' is not a year"},
      {"1,,12.50,,,,,,", "line 2, Purchase Price: '12.50' is not a whole number of dollars"},
      {"1,,,1935-03-01,,,,,", "line 2, Date Acquired: '1935-03-01' is not a date such as 05Jan1950"},
      {"1,,,29Feb1940,,,,,", "line 2, Date Acquired: '29Feb1940' is not a date such as 05Jan1950"},
      {"1,,,,maybe,,,,", "line 2, Push Buttons: 'maybe' is not Yes or No"},
      {"1,,,,,Valve,,,", "line 2, Technology: 'Valve' is not Crystal, Hybrid, Transistor or Tube"},
      {"1,,,,,,Lost,,", "line 2, Status: 'Lost' is not a status"},
      {"1,,,,,,,6SA7; 6SK7,", "line 2, Tubes: '6SA7' does not begin with a tube function"},
      {"x,,,,,,,,", "line 2, Identifier: 'x' is not an identifier"},
      {"1,,,,,,,,1937 Special", "line 2, Brand: '1937 Special': an entry may not begin with a digit"},
      {"1,\"19\n36\",,,,,,,", "line 2, Year: '19 36' is not a year"},
      {"1,1936,\"5,,,,,,,", "line 2: a quoted value has no closing quote"},
      {"1,1936,5\"\",,,,,,", "line 2: a quote stands inside a value that is not quoted"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Problems(header + c.row + "\r\n"), std::vector<std::string>{c.problem}) << c.row;
  }
  // A faulty row goes in only when its faulty fields may be left out: they keep a new radio's values.
  Collection c = test::MakeCollection();
  const ImportPlan plan = PlanImport(c, ReadCsv(header + "1,c. 1935,7,,yes,,,,Philco\r\n"));
  EXPECT_FALSE(ApplyImport(c, plan, false).applied);
  EXPECT_EQ(c.radios.Count(), 0);
  ASSERT_EQ(ApplyImport(c, plan, true).radios.size(), 1u);
  EXPECT_EQ(c.radios[0]->year, 1900);
  EXPECT_EQ(c.radios[0]->purchasePrice, 7);
  EXPECT_EQ(c.radios[0]->pushButtons, kYes);
}

TEST(ImportCsv, ReadsASemicolonSpreadsheetInWindows1252) {
  Collection c = test::MakeCollection();
  AddRadio(c, test::MakeRadio(c, {.id = 4}));
  c.nextId = 5;
  const std::string file =
      "BRAND;model ;Cabinet Color;Marke;Comments;Identifier\r\n"
      "philco;\"Caf\xe9\r\nRoyal\";'=grey;x;'-works, mostly;4\r\n"
      "Stromberg;\"2\"\"x\";;;;9\r\n";
  const ImportPlan plan = PlanImport(c, ReadCsv(file));
  EXPECT_EQ(plan.columns, (std::vector<int>{kImportBrand, kImportModel, kImportCabinetColour, kNotImported,
                                            kImportComments, kImportId}));
  const ImportOutcome outcome = ApplyImport(c, plan, false);
  ASSERT_EQ(outcome.radios.size(), 2u);
  const RadioRecord& philco = *outcome.radios[0];
  EXPECT_EQ(c.tables[kTableBrandName].Text(philco.brand), "Philco");  // the table's own spelling
  EXPECT_EQ(philco.model, "Caf\xC3\xA9 Royal");
  EXPECT_EQ(philco.cabinetColour, "=grey");
  EXPECT_EQ(philco.comments, "-works, mostly");
  EXPECT_EQ(philco.id, 5);  // the collection has radios: new identifiers
  EXPECT_EQ(c.tables[kTableBrandName].Text(outcome.radios[1]->brand), "Stromberg");
  EXPECT_EQ(outcome.radios[1]->model, "2\"x");
  EXPECT_EQ(c.radios.Count(), 3);
}

}  // namespace
}  // namespace korvel
