// korvel-tool publish as a script runs it: the selection its steps give, the settings its options
// give, messages on stderr and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

struct ToolRun {
  int status = -1;
  std::string err;
};

ToolRun Publish(const test::TempDir& dir, const std::string& arguments) {
  const std::string err = dir / "stderr.txt";
  const std::string command =
      std::string(KORVEL_TOOL) + " publish " + arguments + " 2>" + err + " >/dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(err)};
}

TEST(PublishTool, StepsChooseTheRadiosAndOptionsTheDirectories) {
  test::TempDir dir;
  const std::string site = dir / "site";
  for (const char* sub : {"pages", "pics", "snapshots"}) fs::create_directories(fs::path(site) / sub);
  const std::string sample = KORVEL_SAMPLE;

  // Philco's sets; their pages in "pages", the list page named "philco".
  ToolRun run =
      Publish(dir, sample + " " + site + " --html pages --pictures pics --list-name philco +Brand=Philco");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string list = ReadFile(site + "/pages/philco.htm");
  EXPECT_NE(list.find("<a href=\"philco_90.htm\">"), std::string::npos) << list;
  EXPECT_EQ(list.find("arvin"), std::string::npos);
  EXPECT_EQ(list.find("<br><b>$"), std::string::npos);  // no descriptions asked for
  EXPECT_TRUE(fs::exists(site + "/pics/philco_90_0.jpg"));
  EXPECT_TRUE(fs::exists(site + "/snapshots/philco_90.jpg"));

  // Every radio: the one without picture files is named once, and published without pictures.
  run = Publish(dir, sample + " " + site + " --html pages --pictures pics --descriptions");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.rfind("Warning: The pictures '", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("of the Emerson 543 cannot be read"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  EXPECT_NE(ReadFile(site + "/pages/radios.htm").find("<br><b>$"), std::string::npos);

  // The default HTML subdirectory is made; an image that cannot be written is an Error, and exit 1.
  fs::remove(site + "/pics/philco_90.jpg");
  fs::create_directories(site + "/pics/philco_90.jpg/in the way");
  run = Publish(dir, sample + " " + site + " --pictures pics +Brand=Philco");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Error: Unable to create '" + site + "\\pics\\philco_90.jpg'.\n"), std::string::npos)
      << run.err;
  EXPECT_TRUE(fs::exists(site + "/html/radios.htm"));
  EXPECT_EQ(Publish(dir, (dir / "nowhere") + " " + site).status, 1);
  EXPECT_EQ(Publish(dir, sample + " " + site + " --colour red").status, 2);
  EXPECT_EQ(Publish(dir, sample + " " + site + " --html").status, 2);
  EXPECT_EQ(Publish(dir, sample + " " + site + " Brand~Philco").status, 2);
  EXPECT_EQ(Publish(dir, sample).status, 2);
}

}  // namespace
}  // namespace korvel
