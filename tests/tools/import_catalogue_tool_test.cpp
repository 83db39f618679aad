// korvel-tool import and catalogue on a copy of the sample, as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/temp_dir.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

using Outcome = test::ShellRun;

Outcome Shell(const std::string& command) {
  return test::RunShell(command + " 2>/dev/null");
}

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

Outcome Tool(const std::string& arguments) {
  return Shell(std::string(KORVEL_TOOL) + " " + arguments);
}

TEST(ImportTool, TheExportComesBackInANewCollectionAndFaultyRowsStopTheImport) {
  TempDir dir;
  const std::string exported = Tool(std::string("csv ") + KORVEL_SAMPLE).out;
  WriteFile(dir / "radios.csv", exported);
  const Outcome run = Tool("import " + dir / "new" + " " + dir / "radios.csv");
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
  const Outcome info = Shell("pdfinfo '" + pdf + "'");
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
  Shell("pdftoppm -r 40 -png -f 2 -l 2 -singlefile '" + pdf + "' " KORVEL_SCREENSHOT_DIR "/catalogue_page_2");
}

}  // namespace
}  // namespace korvel
