#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "app/settings.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Every value differs from the defaults. Names and directories are the user's own text: one holding
// the label's " --- ", or ending in " ---" (a label whose blank an editor took), must not lose part
// of itself on the next save.
Settings Full() {
  Settings s;
  s.dataDirectory = "/home/collector/My Radios --- 1930s";
  SelectionParameters before1940;
  before1940.name = "Tube radios --- before 1940";
  before1940.rows[0] = MakeCriterion(kActionAdd, kFieldTechnology, kRelationEqual, 3, "Tube");
  before1940.rows[1] = MakeCriterion(kActionAnd, kFieldYear, kRelationLess, 1940);
  before1940.filterName = "Early sets";
  SelectionParameters unnamed;
  unnamed.rows[0] = MakeCriterion(kActionAdd, kFieldModel, kRelationEqual, 0, "5A");
  s.saved = {unnamed, before1940};
  s.current.name = "Early ---";
  s.current.rows[3] =
      MakeCriterion(kActionSubtract, kFieldDateAcquired, kRelationGreater, 19900101, "01Jan1990");
  s.selection = {12, 3, 40};
  s.currentRadio = 3;
  s.tourSize = 5;
  s.mainWindow = {false, true, 100, 100, 500, 500, {FontSpec{false, 12, "Courier"}}};
  s.pane = {false, false, 0, 0, 300, 700, {FontSpec{true, 8, "Liberation Mono"}}};
  s.view = {true, false, 310, 0, 640, 480, {FontSpec{false, 10, "DejaVu Sans Mono"}}};
  s.graphField = 14;
  s.graphSelected = true;
  s.webRoot = "/srv/www/radios";
  s.webListName = "collection";
  s.webDescriptions = true;
  s.tableColumns = {29, 4, 1};
  return s;
}

TEST(Settings, WhatIsWrittenReadsBack) {
  TempDir dir;
  MessageRecorder messages;
  const Settings written = Full();
  ASSERT_TRUE(WriteSettings(dir / "korvel.ini", written));
  Settings read;
  EXPECT_EQ(ReadSettings(dir / "korvel.ini", read), kSettingsVersion);
  EXPECT_TRUE(messages.messages().empty());

  // The text read back shows any value lost, cut or moved; the reader's fields line by line:
  // settings_versions_test, the layout: TheLayoutIsExact.
  ASSERT_EQ(read.saved.size(), 2u);
  EXPECT_EQ(read.saved[1].name, "Tube radios --- before 1940");
  EXPECT_EQ(read.current.name, "Early ---");
  EXPECT_EQ(SettingsText(read), SettingsText(written));

  // Lines a newer program adds after the known ones, and columns it knows and this one does not,
  // are passed over; the columns this one knows are kept.
  WriteFile(dir / "newer.ini",
            SettingsText(written) + "7 --- Something Newer ---\n" + "29 99 4 --- Table Columns ---\nmore\n");
  Settings newer;
  EXPECT_EQ(ReadSettings(dir / "newer.ini", newer), kSettingsVersion);
  EXPECT_EQ(newer.tableColumns, (std::vector<int>{29, 4}));
  EXPECT_TRUE(messages.messages().empty());
}

TEST(Settings, TheLayoutIsExact) {
  Settings s;
  s.dataDirectory = "c:\\radios";
  s.currentRadio = -1;
  const std::string text = SettingsText(s);
  const std::string expected =
      "13 --- Version ---\n"
      "c:\\radios --- Data File Directory ---\n"
      "1 ---- Saved Selections ---\n"
      "\n"  // the current parameters, without a name
      "None --- Selection Parameters ---\nBands\n<\n0\n\n"
      "None --- Selection Parameters ---\nBands\n<\n0\n\n"
      "None --- Selection Parameters ---\nBands\n<\n0\n\n"
      "None --- Selection Parameters ---\nBands\n<\n0\n\n"
      "\n"
      "0 --- Selection List ---\n"
      "-1 --- View Radio ---\n"
      "2 --- Tour Size ---\n"
      "--- Window Parameters ---\n"
      "0 0 100 100 500 500 1\n0 12=Courier\n"
      "0 0 0 0 0 0 1\n0 8=Courier\n"
      "0 0 0 0 0 0 0\n"
      "0 --- Graphing Parameters ---\n0\n"
      "  --- Web Image Publishing Parameters ---\n"
      "web\nhtml\npictures\nsnapshots\nradios\n0\n";
  EXPECT_EQ(text, expected);
}

TEST(Settings, MissingNewerDamagedAndShortFiles) {
  TempDir dir;
  MessageRecorder messages;
  Settings s;
  // No file is a first start: the defaults, and nothing to say.
  EXPECT_EQ(ReadSettings(dir / "missing.ini", s), -1);
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(s.mainWindow.width, 500);
  EXPECT_EQ(s.pane.fonts[0].size, 8);

  // A file that cannot be read as settings is named in one warning and gives every default.
  Settings full = Full();
  full.tableColumns = Settings().tableColumns;  // so that the file ends in lines every reader needs
  const std::string whole = SettingsText(full);
  const std::string unusable[] = {"",
                                  "garbage\n\x01\x02 --- Data File Directory ---\n",
                                  "14 --- Version ---\n/somewhere --- Data File Directory ---\n",
                                  whole.substr(0, 30),
                                  whole.substr(0, whole.size() / 2),
                                  whole.substr(0, whole.size() - 3)};
  for (const std::string& text : unusable) {
    WriteFile(dir / "korvel.ini", text);
    messages.Clear();
    Settings read;
    EXPECT_EQ(ReadSettings(dir / "korvel.ini", read), -1) << text;
    ASSERT_EQ(messages.messages().size(), 1u) << text;
    EXPECT_EQ(messages.messages()[0].severity, kWarning);
    EXPECT_NE(messages.Texts()[0].find("korvel.ini"), std::string::npos) << messages.Texts()[0];
    EXPECT_EQ(read.dataDirectory, "");
    EXPECT_TRUE(read.selection.empty());
  }

  // Numbers that do not parse in a whole file keep their defaults: a damaged radio line is no
  // radio, not radio 0.
  std::string damaged = whole;
  const auto spoil = [&](const std::string& label, const std::string& value) {
    const std::size_t end = damaged.find(label);
    const std::size_t start = damaged.rfind('\n', end) + 1;
    damaged.replace(start, end - start, value);
  };
  spoil(" --- View Radio ---", "garbage");
  spoil(" --- Tour Size ---", "big");
  WriteFile(dir / "damaged.ini", damaged);
  Settings spoiled;
  EXPECT_EQ(ReadSettings(dir / "damaged.ini", spoiled), kSettingsVersion);
  EXPECT_EQ(spoiled.currentRadio, -1);
  EXPECT_EQ(spoiled.tourSize, 2);
}

// Damaged window records: numbers that overflow saturate, a font without a face is refused (the
// window keeps its own), and a line longer than a record can use is cut and read past.
TEST(Settings, DamagedWindowRecordsReadSafely) {
  TempDir dir;
  const std::string longFace(1000, 'x');
  WriteFile(dir / "w.txt", "0 0 99999999999 -99999999999 500 500 2\n0 11=\n1 9=" + longFace + "\nafter\n");
  std::FILE* file = std::fopen((dir / "w.txt").c_str(), "rb");
  LineSource lines(file);
  WindowParameters w;
  w.fonts = {FontSpec{false, 12, "Courier"}, FontSpec{false, 8, "Courier"}};
  bool refused = false;
  EXPECT_FALSE(ReadWindowParameters(lines, w, kWindowFontLimit, &refused));
  EXPECT_TRUE(refused);
  EXPECT_EQ(w.x, std::numeric_limits<int>::max());
  EXPECT_EQ(w.y, std::numeric_limits<int>::min());
  // The faceless line is not taken; the long face is cut to what a line holds.
  EXPECT_EQ(w.fonts,
            (std::vector<FontSpec>{{false, 12, "Courier"},
                                   {true, 9, std::string(LineSource::kMostLineCharacters - 4, 'x')}}));
  EXPECT_EQ(lines.Next(), "after");
  std::fclose(file);

  // In a settings file, the faceless font is reported once, however many there are.
  std::string text = SettingsText(Full());
  for (const char* face : {"=Courier\n", "=Liberation Mono\n", "=DejaVu Sans Mono\n"}) {
    text.replace(text.find(face), std::string(face).size(), "=\n");
  }
  WriteFile(dir / "korvel.ini", text);
  MessageRecorder messages;
  Settings read;
  ReadSettings(dir / "korvel.ini", read);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].severity, kWarning);
  EXPECT_EQ(read.mainWindow.fonts, Settings().mainWindow.fonts);
  EXPECT_EQ(read.pane.fonts, Settings().pane.fonts);
  EXPECT_EQ(read.graphField, Full().graphField);  // the rest of the file is read as before
}

TEST(Settings, AnUnwritableFileIsReportedAndLeavesTheOldOne) {
  TempDir dir;
  WriteFile(dir / "korvel.ini", "old settings");
  std::filesystem::create_directory(dir.path() / "korvel.ini.new");
  WriteFile(dir / "korvel.ini.new/x", "in the way");
  MessageRecorder messages;
  EXPECT_FALSE(WriteSettings(dir / "korvel.ini", Full()));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].severity, kNote);
  EXPECT_EQ(messages.messages()[0].buttons, kButtonsOkCancel);
  EXPECT_EQ(ReadFile(dir / "korvel.ini"), "old settings");
}

}  // namespace
}  // namespace korvel
