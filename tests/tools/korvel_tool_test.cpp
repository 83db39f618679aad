// korvel-tool as a user runs it, on the sample collection or a copy of it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "collection/collection_lock.h"
#include "support/temp_dir.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

using ToolRun = test::ShellRun;

ToolRun Tool(const std::string& arguments) {
  return test::RunShell(std::string(KORVEL_TOOL) + " " + arguments + " 2>/dev/null");
}

ToolRun Shell(const std::string& command) {
  return test::RunShell(command + " 2>/dev/null");
}

// korvel-tool publish, giving what it wrote on stderr.
ToolRun Publish(const std::string& arguments) {
  return test::RunShell(std::string(KORVEL_TOOL) + " publish " + arguments + " 2>&1 >/dev/null");
}

const std::string kSample = KORVEL_SAMPLE;

// Whether `label`, one or more blanks and `value` stand together somewhere in the text.
bool LabelledValue(const std::string& text, const std::string& label, const std::string& value) {
  for (std::size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
    std::size_t v = at + label.size();
    if (v >= text.size() || text[v] != ' ') continue;
    while (v < text.size() && text[v] == ' ') ++v;
    if (text.compare(v, value.size(), value) == 0) return true;
  }
  return false;
}

// Every program and script of the project answers --help with its usage, successfully, and
// writes nothing: not in the current directory, not in the sample.
TEST(Help, EveryProgramAndScriptAnswersWithItsUsageAndWritesNothing) {
  const auto quoted = [](const std::string& path) { return "'" + path + "'"; };
  std::vector<std::string> programs = {quoted(KORVEL_TOOL), quoted(KORVEL_RENDER), quoted(KORVEL_PROGRAM)};
  if (fs::exists(KORVEL_GENERATE)) programs.push_back(quoted(KORVEL_GENERATE));
  for (const char* script : {"build", "run", "setup", "test", "fuzz"}) {
    programs.push_back(quoted(std::string(KORVEL_ROOT) + "/scripts/" + script));
  }
  programs.push_back("python3 " + quoted(std::string(KORVEL_ROOT) + "/tools/sample/make_sample.py"));
  const auto sampleTime = fs::last_write_time(std::string(KORVEL_ROOT) + "/sample/radata.dat");
  for (const std::string& program : programs) {
    TempDir dir;
    const std::string command = "cd " + quoted(dir.path().string()) + " && " + program + " --help 2>&1";
    const test::ShellRun run = test::RunShell(command);
    const std::string& out = run.out;
    EXPECT_EQ(run.status, 0) << program << "\n" << out;
    EXPECT_EQ(out.rfind("usage: ", 0), 0u) << program << "\n" << out;
    EXPECT_TRUE(fs::is_empty(dir.path())) << program;
  }
  EXPECT_EQ(fs::last_write_time(std::string(KORVEL_ROOT) + "/sample/radata.dat"), sampleTime);
}

// A copy of the sample collection that a test may change.
class ToolOnSample : public ::testing::Test {
 protected:
  void SetUp() override { fs::copy(KORVEL_SAMPLE, dir.path() / "sample", fs::copy_options::recursive); }
  std::string Sample() const { return (dir.path() / "sample").string(); }
  TempDir dir;
};

// A clean load: check sums it up, dump gives it as the contract says.
TEST_F(ToolOnSample, CheckAndDumpFollowTheContract) {
  const ToolRun check = Tool("check " + Sample());
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out.rfind("radios 48, tables ", 0), 0u) << check.out;
  EXPECT_NE(check.out.find(", messages 0\n"), std::string::npos) << check.out;

  const ToolRun run = Tool("dump " + Sample());
  ASSERT_EQ(run.status, 0);
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["version"], 27);
  EXPECT_EQ(json["radios"].size(), 48u);
  EXPECT_EQ(json["tables"].size(), 13u);
  EXPECT_EQ(json["brandManufacturer"].size(), json["tables"]["Brand Name"].size());
  const nlohmann::json& first = json["radios"][0];
  for (const char* key : {"id", "brand", "model", "serialNumber", "tubes", "dateAcquired", "chassisCondition",
                          "pictureFile", "thumbnailFile", "extraPictureFiles"}) {
    EXPECT_TRUE(first.contains(key)) << key;
  }
  EXPECT_GE(json["aliases"].size(), 1u);
  EXPECT_GE(json["macros"].size(), 3u);
  EXPECT_EQ(json["aliases"][0]["name"].get<std::string>().front() == ' ', false);  // without the padding
  EXPECT_TRUE(json["messages"].empty());
  // Every radio has picture names after loading, the one without pictures included.
  for (const nlohmann::json& radio : json["radios"])
    EXPECT_FALSE(radio["pictureFile"].get<std::string>().empty());
}

TEST_F(ToolOnSample, ResaveKeepsTheOldFileAsABackupAndChangesNothingElse) {
  const std::string original = ReadFile(Sample() + "/radata.dat");
  const nlohmann::json before = nlohmann::json::parse(Tool("dump " + Sample()).out);
  ASSERT_EQ(Tool("resave " + Sample()).status, 0);
  EXPECT_EQ(ReadFile(Sample() + "/radata.000"), original);
  nlohmann::json after = nlohmann::json::parse(Tool("dump " + Sample()).out);
  EXPECT_EQ(after["nextBackupNumber"], 1);
  after["nextBackupNumber"] = before["nextBackupNumber"];
  EXPECT_EQ(after, before);

  // The backups newest first, as the contract says; then a collection open in another program.
  ASSERT_EQ(Tool("resave " + Sample()).status, 0);
  const ToolRun backups = Tool("backups " + Sample());
  EXPECT_EQ(backups.status, 0);
  EXPECT_EQ(backups.out.rfind("radata.001\t", 0), 0u) << backups.out;
  EXPECT_NE(backups.out.find("\t48\nradata.000\t"), std::string::npos) << backups.out;
  CollectionLock other;
  ASSERT_EQ(other.Acquire(Sample()), CollectionLock::kLocked);
  const std::string saved = ReadFile(Sample() + "/radata.dat");
  EXPECT_EQ(Tool("resave " + Sample()).status, 3) << "a collection open elsewhere must not be written";
  WriteFile(Sample() + "/new.csv", "Brand,Model\r\nPhilco,90\r\n");
  EXPECT_EQ(Tool("import " + Sample() + " " + Sample() + "/new.csv").status, 3)
      << "an import wrote a collection open elsewhere";
  EXPECT_EQ(ReadFile(Sample() + "/radata.dat"), saved);
  EXPECT_FALSE(fs::exists(Sample() + "/radata.002"));
}

// Arguments a command cannot use exit 2, a collection that is not there exits 1 and is named so (paths
// here are in a scratch directory).
TEST(Tool, RefusedArgumentsAndMissingCollections) {
  TempDir dir;
  const std::pair<const char*, int> cases[] = {
      {"", 2},
      {"frobnicate {sample}", 2},
      {"select {sample} 12a", 2},
      {"render {sample} description view.png --radio 9999", 2},
      {"render {sample} description view.png --size 10", 2},
      {"render {sample} weather view.png", 2},
      {"render {sample} distribution:x view.png", 2},
      {"inventory {sample} valve", 2},
      {"graph {sample} pie", 2},
      {"graph {sample} history '+Year<1940'", 2},
      {"graph {sample} distribution:11", 2},
      {"publish {sample}", 2},
      {"publish {sample} site --colour red", 2},
      {"publish {sample} site --html", 2},
      {"publish {sample} site Brand~Philco", 2},
      {"check 'nothing here'", 1},
      {"render nothing description view.png", 1},
      {"inventory nothing tube", 1},
      {"graph nothing cost-value", 1},
      {"publish nothing site", 1},
      {"search-fill {sample} 999", 1},  // no such radio
  };
  for (const auto& [arguments, status] : cases) {
    std::string line = arguments;
    if (const std::size_t at = line.find("{sample}"); at != std::string::npos) line.replace(at, 8, kSample);
    const ToolRun run =
        test::RunShell("cd '" + dir.path().string() + "' && " KORVEL_TOOL " " + line + " 2>&1");
    EXPECT_EQ(run.status, status) << "korvel-tool " << arguments << "\n" << run.out;
    EXPECT_TRUE(!line.starts_with("check") || run.out.find("Error: Unable to open") != std::string::npos);
  }
}

// A load that reported an Error makes every command that reads the collection exit 1, its output given
// all the same; the message names the file as the system does.
TEST_F(ToolOnSample, AnErrorInTheLoadIsNeverASuccess) {
  const std::string data = ReadFile(Sample() + "/radata.dat");
  WriteFile(Sample() + "/radata.dat", data.substr(0, data.size() / 2));
  const std::string kept = Tool("select " + Sample() + " +Technology=Tube").out;  // a radio that was read
  for (const char* command : {"check", "dump", "list", "csv", "graph {} cost-value", "inventory {} tube",
                              "search-fill {} ", "select {} +Technology=Tube"}) {
    std::string line = command;
    const std::size_t at = line.find("{}");
    if (at == std::string::npos)
      line += " " + Sample();
    else
      line.replace(at, 2, Sample());
    if (line.starts_with("search-fill")) line += kept.substr(0, kept.find('\n'));
    const ToolRun run = Tool(line);
    EXPECT_EQ(run.status, 1) << "korvel-tool " << command << " succeeded after an Error";
    EXPECT_FALSE(run.out.empty()) << "korvel-tool " << command << " gave nothing";
  }
  const ToolRun check = Tool("check " + Sample());
  EXPECT_NE(check.out.find("Error: '" + Sample() + "/radata.dat' ends early"), std::string::npos)
      << check.out;
}

TEST_F(ToolOnSample, SelectAppliesStepsInOrderAndListWritesTheirText) {
  const ToolRun tubes = Tool("select " + Sample() + " +Technology=Tube");
  ASSERT_EQ(tubes.status, 0);
  const ToolRun early = Tool("select " + Sample() + " +Technology=Tube '&Year<1935'");
  ASSERT_EQ(early.status, 0);
  EXPECT_LT(early.out.size(), tubes.out.size());
  EXPECT_FALSE(early.out.empty());

  // Push, a second selection, Or-Combine: the union; And-Combine: the intersection.
  const ToolRun sold = Tool("select " + Sample() + " +Status=Sold");
  const ToolRun both = Tool("select " + Sample() + " +Status=Sold push '+Year>1950' '||'");
  const ToolRun late = Tool("select " + Sample() + " '+Year>1950'");
  EXPECT_GE(both.out.size(), std::max(sold.out.size(), late.out.size()));
  const ToolRun none = Tool("select " + Sample() + " +Status=Sold push '+Year>1950' '&&' push swap clear");
  EXPECT_EQ(none.out, "");

  EXPECT_EQ(Tool("select " + Sample() + " 12").out, "12\n");

  const ToolRun list = Tool("list " + Sample() + " 12 3");
  ASSERT_EQ(list.status, 0);
  EXPECT_EQ(list.out.substr(list.out.size() - 3), "\n2\n");
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 11);
  const ToolRun all = Tool("list " + Sample());
  EXPECT_EQ(all.out.substr(all.out.size() - 4), "\n48\n");
}

TEST_F(ToolOnSample, RenderDrawsEachViewAtTheSizeAsked) {
  const std::string out = dir / "view.png";
  const auto render = [&](std::string arguments) {
    arguments.replace(arguments.find("{}"), 2, out);
    return Tool("render " + Sample() + " " + arguments);
  };
  for (const char* view : {"description '{}' --radio 3", "cost-value '{}'", "history '{}'",
                           "sales-profit '{}'", "distribution:1 '{}'", "inventory-tube '{}'"}) {
    ASSERT_EQ(render(std::string(view) + " --size 640x480").status, 0) << view;
    const std::string png = ReadFile(out);
    // Text and a picture, not an empty page.
    ASSERT_GT(png.size(), view[0] == 'd' && view[1] == 'e' ? 10000u : 1000u) << view << " drew nothing";
    // Width and height, big-endian, in the header chunk.
    const auto word = [&](std::size_t at) {
      return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
             (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(png.substr(1, 3), "PNG") << view;
    EXPECT_EQ(word(16), 640) << view;
    EXPECT_EQ(word(20), 480) << view;
  }
}

TEST_F(ToolOnSample, InventoryListsTheWindowInOrderWithItsShortagesAndSearchFillTheLineUp) {
  const ToolRun tubes = Tool("inventory " + Sample() + " tube");
  ASSERT_EQ(tubes.status, 0);
  const nlohmann::json json = nlohmann::json::parse(tubes.out);
  EXPECT_EQ(json["title"], "Tube");
  const nlohmann::json& items = json["items"];
  ASSERT_GT(items.size(), 10u);
  std::vector<std::string> names;
  for (const nlohmann::json& item : items) names.push_back(item["name"]);
  const auto at = [&](const std::string& name) {
    return std::find(names.begin(), names.end(), name) - names.begin();
  };
  // Tube order: by the leading number, then bytes.
  EXPECT_LT(at("6V6"), at("12SK7"));
  EXPECT_LT(at("12SK7"), at("117Z3"));
  const nlohmann::json& sixV6 = items[at("6V6")];
  EXPECT_EQ(sixV6["stock"], 4);
  EXPECT_EQ(sixV6["short"], false);
  for (const nlohmann::json& item : items) {
    const int used = item["used"], stock = item["stock"];
    EXPECT_EQ(item["short"], stock < 3 && 5 * stock < used) << item.dump();
  }

  const ToolRun transistors = Tool("inventory " + Sample() + " transistor");
  ASSERT_EQ(transistors.status, 0);
  EXPECT_EQ(nlohmann::json::parse(transistors.out)["title"], "Transistor");

  // Search/Fill on radio 20 (Fada 652), whose AC/DC line-up is whole: its rows grouped, converter first.
  const ToolRun fill = Tool("search-fill " + Sample() + " 20");
  ASSERT_EQ(fill.status, 0) << fill.out;
  const nlohmann::json rows = nlohmann::json::parse(fill.out);
  ASSERT_EQ(rows["rows"].size(), 5u);
  EXPECT_EQ(rows["rows"][0]["type"], "12SA7");
  EXPECT_EQ(rows["rows"][1]["type"], "12SK7");
  EXPECT_TRUE(rows["messages"].empty());
}

TEST(GraphTool, LineGraphsGiveTheirMonthlyTotalsAndAxesAndDistributionItsCounts) {
  for (const char* kind : {"cost-value", "history", "sales-profit"}) {
    const ToolRun run = Tool("graph " + kSample + " " + kind);
    ASSERT_EQ(run.status, 0) << kind;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    const int first = json["first"], last = json["last"];
    EXPECT_EQ(first / 12, 1974) << kind;
    ASSERT_FALSE(json["series"].empty());
    for (const auto& series : json["series"])
      EXPECT_EQ(series["values"].size(), std::size_t(last - first + 1));
    // The month axis runs around the data.
    EXPECT_LE(json["x"]["lo"].get<double>(), first);
    EXPECT_GE(json["x"]["hi"].get<double>(), last);
  }
  const nlohmann::json cost = nlohmann::json::parse(Tool("graph " + kSample + " cost-value").out);
  EXPECT_EQ(cost["title"], "Cost/Value of Radio Collection");
  EXPECT_EQ(cost["series"][3]["name"], "Value");
  const nlohmann::json sales = nlohmann::json::parse(Tool("graph " + kSample + " sales-profit").out);
  EXPECT_LT(sales["y"]["lo"].get<double>(), 0);  // profit runs below zero before the first sale

  // Distribution counts the steps' selection.
  const nlohmann::json all = nlohmann::json::parse(Tool("graph " + kSample + " distribution:10").out);
  EXPECT_EQ(all["title"], "Distribution by Year");
  EXPECT_EQ(all["counters"].size(), 11u);  // ten decades and the other years
  EXPECT_EQ(all["total"], 48);

  const ToolRun tubes = Tool("graph " + kSample + " distribution:8 +Technology=Tube");
  ASSERT_EQ(tubes.status, 0);
  const nlohmann::json json = nlohmann::json::parse(tubes.out);
  const std::string selected = Tool("select " + kSample + " +Technology=Tube").out;
  EXPECT_EQ(json["total"], std::count(selected.begin(), selected.end(), '\n'));
  ASSERT_EQ(json["slices"].size(), 1u);
  EXPECT_EQ(json["slices"][0]["name"], "Tube");
  EXPECT_EQ(json["slices"][0]["span"], 360);
}

TEST(ImportTool, TheExportComesBackInANewCollectionAndFaultyRowsStopTheImport) {
  TempDir dir;
  const std::string exported = Tool(std::string("csv ") + KORVEL_SAMPLE).out;
  WriteFile(dir / "radios.csv", exported);
  const ToolRun run = Tool("import " + dir / "new" + " " + dir / "radios.csv");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "imported 48 radios, skipped 0 fields\n");
  EXPECT_EQ(Tool("csv " + dir / "new").out, exported) << "the saved collection differs from the sample";

  WriteFile(dir / "faulty.csv", "Brand;Year\r\nPhilco;c. 1935\r\nZenith;1938\r\n");
  const std::string before = ReadFile(dir / "new/radata.dat");
  EXPECT_EQ(Tool("import " + dir / "new" + " " + dir / "faulty.csv").out,
            "line 2, Year: 'c. 1935' is not a year\nimported 0 radios, skipped 0 fields\n");
  EXPECT_EQ(ReadFile(dir / "new/radata.dat"), before) << "a refused import wrote the collection";
  EXPECT_EQ(Tool("import " + dir / "new" + " " + dir / "faulty.csv --skip-faulty --dry-run").status, 0);
  EXPECT_EQ(ReadFile(dir / "new/radata.dat"), before) << "a dry run wrote the collection";
  EXPECT_EQ(Tool("import " + dir / "new" + " " + dir / "faulty.csv --skip-faulty").status, 0);
  EXPECT_NE(Tool("check " + dir / "new").out.find("radios 50,"), std::string::npos);
}

// Every radio once, in radio order, the first page's totals, a number at every page's foot.
TEST(CatalogueTool, PrintsTheSampleWithItsTotalsAndEveryRadioOnce) {
  if (std::system("pdftotext -v > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  TempDir dir;
  const std::string pdf = dir / "catalogue.pdf";
  ASSERT_EQ(Tool(std::string("catalogue ") + KORVEL_SAMPLE + " " + pdf).status, 0);
  const ToolRun info = Shell("pdfinfo '" + pdf + "'");
  const std::size_t pagesAt = info.out.find("Pages:");
  ASSERT_NE(pagesAt, std::string::npos) << info.out;
  const int pages = std::stoi(info.out.substr(pagesAt + 6));
  const std::string text = Shell("pdftotext -layout '" + pdf + "' -").out;

  const nlohmann::json dump = nlohmann::json::parse(Tool(std::string("dump ") + KORVEL_SAMPLE).out);
  long long purchase = 0, value = 0;
  std::size_t at = 0;
  for (const auto& radio : dump["radios"]) {
    purchase += radio["purchasePrice"].get<long long>();
    value += radio["value"].get<long long>();
    const std::string id = "ID: " + std::to_string(radio["id"].get<int>()) + " ";
    const std::size_t found = text.find(id, at);
    ASSERT_NE(found, std::string::npos) << "radio " << id << "is missing or out of order";
    at = found + id.size();
  }
  const auto dollars = [](long long n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
    return "$" + digits;
  };
  EXPECT_NE(text.find("48 radios"), std::string::npos);
  EXPECT_TRUE(LabelledValue(text, "Purchase price", dollars(purchase))) << text.substr(0, 800);
  EXPECT_TRUE(LabelledValue(text, "Value", dollars(value)));
  EXPECT_LT(pages, 48) << "short descriptions share a page";
  EXPECT_GE(pages, 1 + 48 / 6);
  for (int page = 1; page <= pages; ++page)
    EXPECT_NE(text.find("Page " + std::to_string(page) + "\n"), std::string::npos) << "page " << page;
}

TEST(PublishTool, StepsChooseTheRadiosAndOptionsTheDirectories) {
  test::TempDir dir;
  const std::string site = dir / "site";
  for (const char* sub : {"pages", "pics", "snapshots"}) fs::create_directories(fs::path(site) / sub);
  const std::string sample = KORVEL_SAMPLE;

  // Philco's sets; their pages in "pages", the list page named "philco".
  ToolRun run =
      Publish(sample + " " + site + " --html pages --pictures pics --list-name philco +Brand=Philco");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "");
  const std::string list = ReadFile(site + "/pages/philco.htm");
  EXPECT_NE(list.find("<a href=\"philco_90.htm\">"), std::string::npos) << list;
  EXPECT_EQ(list.find("arvin"), std::string::npos);
  EXPECT_EQ(list.find("<br><b>$"), std::string::npos);  // no descriptions asked for
  EXPECT_TRUE(fs::exists(site + "/pics/philco_90_0.jpg"));
  EXPECT_TRUE(fs::exists(site + "/snapshots/philco_90.jpg"));

  // Every radio: the one without picture files is named once, and published without pictures.
  run = Publish(sample + " " + site + " --html pages --pictures pics --descriptions");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out.rfind("Warning: The pictures '", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("of the Emerson 543 cannot be read"), std::string::npos) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
  EXPECT_NE(ReadFile(site + "/pages/radios.htm").find("<br><b>$"), std::string::npos);

  // The default HTML subdirectory is made; an image that cannot be written is an Error, and exit 1.
  fs::remove(site + "/pics/philco_90.jpg");
  fs::create_directories(site + "/pics/philco_90.jpg/in the way");
  run = Publish(sample + " " + site + " --pictures pics +Brand=Philco");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("Error: Unable to create '" + site + "\\pics\\philco_90.jpg'.\n"), std::string::npos)
      << run.out;
  EXPECT_TRUE(fs::exists(site + "/html/radios.htm"));
}

}  // namespace
}  // namespace korvel
