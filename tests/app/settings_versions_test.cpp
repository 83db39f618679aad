// Every settings layout the reader accepts, version 0 to 13, built line by line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::TempDir;
using test::WriteFile;
using Lines = std::vector<std::string>;

const Lines kFirstRow = {"Subtract --- Selection Parameters ---", "Year", ">", "1935", ""};
const Lines kNoneRow = {"None --- Selection Parameters ---", "Bands", "<", "0", ""};

void Add(Lines& to, const Lines& more) {
  to.insert(to.end(), more.begin(), more.end());
}

// The rows of one set of parameters: one row before version 7, four from then on.
void AddRows(Lines& l, int rows, const Lines& firstRow) {
  Add(l, firstRow);
  if (rows == 1) return;
  Add(l, {"And --- Selection Parameters ---", "Model", "=", "0", "5A5"});
  Add(l, kNoneRow);
  Add(l, {"Or -", "Tube", "=", "0", "6V6"});  // the older form, cut at its "-"
}

void AddRecord(Lines& l, const std::string& nameLine, const std::string& filter,
               const Lines& firstRow = kFirstRow) {
  l.push_back(nameLine);
  AddRows(l, 4, firstRow);
  l.push_back(filter);
}

Lines Head(int v) {
  Lines l = {std::to_string(v) + " --- Version ---"};
  if (v > 5) l.push_back("  /home/collector/old radios --- Data File Directory ---");
  if (v == 10) l.push_back("99 --- read past ---");
  return l;
}

// Everything after the selection parameters.
Lines Tail(int v) {
  Lines l = {"3 --- Selection List ---", "12", "3", "40", "40 --- View Radio ---"};
  if (v > 0) l.push_back("6 --- Tour Size ---");
  if (v > 1) {
    if (v < 5) {
      Add(l, {"1", "10", "20", "640", "480"});
    } else {
      Add(l, {"--- Window Parameters ---", "0 1 30 40 800 600 1", "1 14=Lucida Console"});
    }
  }
  if (v > 7) Add(l, {"0 0 5 6 250 600 1", "0 9=DejaVu Sans Mono"});
  if (v > 12) Add(l, {"1 0 260 0 540 600 1", "0 11=Liberation Serif"});
  if (v > 2) Add(l, {"14 --- Graphing Parameters ---", "1"});
  if (v > 8) {
    Add(l, {"  --- Web Image Publishing Parameters ---", "/srv/www/radio pages", "pages", "pics", "snaps"});
    if (v > 11) Add(l, {"catalogue", "1"});
  }
  if (v == 4) Add(l, {"Lucida Console", "11", "0", "701"});
  return l;
}

// A whole file of the given version, as that version wrote it.
Lines FileOfVersion(int v, const Lines& firstRow = kFirstRow) {
  Lines l = Head(v);
  if (v >= 11) {
    l.push_back("3 ---- Saved Selections ---");
    AddRecord(l, "Consoles --- Saved Selection 1 ---", "Big sets", firstRow);
    AddRecord(l, "", "", firstRow);
    AddRecord(l, "Current --- Saved Selection 3 ---", "Late sets", firstRow);
  } else {
    AddRows(l, v > 6 ? 4 : 1, firstRow);
    if (v < 7) l.push_back("Skipped --- nothing reads this ---");
    if (v >= 1) l.push_back("Late sets");
  }
  Add(l, Tail(v));
  return l;
}

std::string Text(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Files read in a scratch directory; no layout here is worth a word to the user.
class SettingsVersions : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(messages.Texts(), std::vector<std::string>{}); }
  Settings Read(const Lines& lines, int expectedVersion) {
    WriteFile(dir / "korvel.ini", Text(lines));
    Settings s;
    EXPECT_EQ(ReadSettings(dir / "korvel.ini", s), expectedVersion);
    return s;
  }
  // Reads a row as the first of a version-7 file; the tour size after it shows that the row took
  // exactly its five lines.
  Criterion ReadFirstRow(const Lines& row) {
    const Settings s = Read(FileOfVersion(7, row), 7);
    EXPECT_EQ(s.tourSize, 6) << row[0];
    return s.current.rows[0];
  }

  TempDir dir;
  MessageRecorder messages;
};

TEST_F(SettingsVersions, EachLayoutReadsWhatItCarriesAndDefaultsTheRest) {
  const Settings defaults;
  const WindowParameters defaultMain{false, false, 100, 100, 500, 500, {FontSpec{false, 12, "Courier"}}};
  const WindowParameters defaultPane{false, false, 0, 0, 0, 0, {FontSpec{false, 8, "Courier"}}};
  const SelectionParameters empty;
  for (int v = 0; v <= kSettingsVersion; ++v) {
    SCOPED_TRACE("version " + std::to_string(v));
    const Settings s = Read(FileOfVersion(v), v);

    EXPECT_EQ(s.dataDirectory, v > 5 ? "/home/collector/old radios" : "");
    EXPECT_EQ(s.saved.size(), v >= 11 ? 2u : 0u);
    EXPECT_EQ(s.current.name, v >= 11 ? "Current" : "");
    EXPECT_EQ(s.current.filterName, v >= 1 ? "Late sets" : "");
    EXPECT_EQ(s.current.rows[0], MakeCriterion(kActionSubtract, kFieldYear, kRelationGreater, 1935));
    if (v > 6) {
      EXPECT_EQ(s.current.rows[1], MakeCriterion(kActionAnd, kFieldModel, kRelationEqual, 0, "5A5"));
      EXPECT_EQ(s.current.rows[2], MakeCriterion(kActionNone, kFieldBands, kRelationLess, 0));
      EXPECT_EQ(s.current.rows[3], MakeCriterion(kActionOr, kFieldTube, kRelationEqual, 0, "6V6"));
    } else {
      for (int i = 1; i < kCriteriaRows; ++i) EXPECT_EQ(s.current.rows[i], empty.rows[i]) << "row " << i;
    }
    EXPECT_EQ(s.selection, (std::vector<int>{12, 3, 40}));
    EXPECT_EQ(s.currentRadio, 40);
    EXPECT_EQ(s.tourSize, v > 0 ? 6 : 2);

    WindowParameters main = defaultMain;
    if (v >= 2 && v <= 4) {
      main = {false, true, 10, 20, 640, 480, {v == 4 ? FontSpec{true, 11, "Lucida Console"} : main.fonts[0]}};
    } else if (v >= 5) {
      main = {false, true, 30, 40, 800, 600, {FontSpec{true, 14, "Lucida Console"}}};
    }
    EXPECT_EQ(s.mainWindow, main);
    EXPECT_EQ(
        s.pane,
        (v > 7 ? WindowParameters{false, false, 5, 6, 250, 600, {FontSpec{false, 9, "DejaVu Sans Mono"}}}
               : defaultPane));
    EXPECT_EQ(
        s.view,
        (v > 12 ? WindowParameters{true, false, 260, 0, 540, 600, {FontSpec{false, 11, "Liberation Serif"}}}
                : WindowParameters{}));

    EXPECT_EQ(s.graphField, v > 2 ? 14 : defaults.graphField);
    EXPECT_EQ(s.graphSelected, v > 2 ? true : defaults.graphSelected);
    EXPECT_EQ(s.webRoot, v > 8 ? "/srv/www/radio pages" : defaults.webRoot);
    EXPECT_EQ(s.webHtml, v > 8 ? "pages" : defaults.webHtml);
    EXPECT_EQ(s.webPictures, v > 8 ? "pics" : defaults.webPictures);
    EXPECT_EQ(s.webSnapshots, v > 8 ? "snaps" : defaults.webSnapshots);
    EXPECT_EQ(s.webListName, v > 11 ? "catalogue" : defaults.webListName);
    EXPECT_EQ(s.webDescriptions, v > 11 ? true : defaults.webDescriptions);
  }
}

TEST_F(SettingsVersions, SavedRecordsAreNamedUpToTheirLabelAndTheLastIsCurrent) {
  // The name and filter of each saved selection, then of the current parameters.
  const auto named = [](const Settings& s) {
    std::vector<std::pair<std::string, std::string>> all;
    for (const SelectionParameters& p : s.saved) all.emplace_back(p.name, p.filterName);
    all.emplace_back(s.current.name, s.current.filterName);
    return all;
  };
  Lines l = Head(12);
  l.push_back("4 ---- Saved Selections ---");
  AddRecord(l, "Pre-war --- consoles --- Saved Selection 1 ---", "Early sets");
  AddRecord(l, "No label at all", "");
  AddRecord(l, "", "Kept even without a name");
  AddRecord(l, "Current --- Saved Selection 4 ---", "Late sets");
  Add(l, Tail(12));
  Settings s = Read(l, 12);
  EXPECT_EQ(named(s),
            (std::vector<std::pair<std::string, std::string>>{{"Pre-war --- consoles", "Early sets"},
                                                              {"No label at all", ""},
                                                              {"", "Kept even without a name"},
                                                              {"Current", "Late sets"}}));
  EXPECT_EQ(s.saved[0].rows[3], MakeCriterion(kActionOr, kFieldTube, kRelationEqual, 0, "6V6"));
  EXPECT_EQ(s.saved[2].filter, nullptr);  // resolved only once the data file is loaded
  EXPECT_EQ(s.webListName, "catalogue");

  // One record: it is the current parameters and nothing is saved.
  l = Head(11);
  l.push_back("1 ---- Saved Selections ---");
  AddRecord(l, "Only --- Saved Selection 1 ---", "Late sets");
  Add(l, Tail(11));
  s = Read(l, 11);
  EXPECT_EQ(named(s), (std::vector<std::pair<std::string, std::string>>{{"Only", "Late sets"}}));
  EXPECT_EQ(s.current.rows[0], MakeCriterion(kActionSubtract, kFieldYear, kRelationGreater, 1935));

  // No records: the parameters stay empty and the selection list follows at once.
  l = Head(11);
  l.push_back("0 ---- Saved Selections ---");
  Add(l, Tail(11));
  s = Read(l, 11);
  EXPECT_EQ(named(s), (std::vector<std::pair<std::string, std::string>>{{"", ""}}));
  EXPECT_EQ(s.current.rows[0].action, kActionNone);
  EXPECT_EQ(s.selection, (std::vector<int>{12, 3, 40}));

  // More than the menu can hold: the first 49 are kept, the last is still the current one,
  // and the records in between are read past.
  l = Head(13);
  l.push_back("53 ---- Saved Selections ---");
  for (int n = 1; n <= 53; ++n) AddRecord(l, "Set " + std::to_string(n) + " --- Saved Selection ---", "F");
  Add(l, Tail(13));
  s = Read(l, 13);
  ASSERT_EQ(s.saved.size(), 49u);
  EXPECT_EQ(s.saved.front().name, "Set 1");
  EXPECT_EQ(s.saved.back().name, "Set 49");
  EXPECT_EQ(s.current.name, "Set 53");
  EXPECT_EQ(s.selection, (std::vector<int>{12, 3, 40}));
  EXPECT_EQ(s.view.x, 260);
}

TEST_F(SettingsVersions, RowLinesAreLookedUpByTheBeginningOfTheName) {
  // Each line of a row, put in its place in an otherwise plain row, and what it reads as.
  struct Case {
    int line;
    const char* text;
    std::int32_t Criterion::*member;
    int read;
  };
  const Case cases[] = {
      {0, "Add --- Selection Parameters ---", &Criterion::action, kActionAdd},
      {0, "sUBTRACT --- Selection Parameters ---", &Criterion::action, kActionSubtract},
      {0, "swap --- Selection Parameters ---", &Criterion::action, kActionSwap},
      {0, "NONE -", &Criterion::action, kActionNone},  // cut at the "-", the blank before it dropped
      {0, "push- anything", &Criterion::action, kActionPush},
      {0, "all", &Criterion::action, kActionAll},
      {0, "a -", &Criterion::action, kActionAdd},  // the first name that begins so
      {0, "an -", &Criterion::action, kActionAnd},
      {0, "al -", &Criterion::action, kActionAll},
      {0, "co -", &Criterion::action, kActionCopy},
      {0, "Reverse --- Selection Parameters ---", &Criterion::action, 0},  // unknown: the first entry
      // A stack action reads back as itself, not as the action before its own dash.
      {0, "And-Combine --- Selection Parameters ---", &Criterion::action, kActionAndCombine},
      {0, "Or-Combine --- Selection Parameters ---", &Criterion::action, kActionOrCombine},
      {1, "cab", &Criterion::field, kFieldCabinetComposition},
      {1, "cabinet s", &Criterion::field, kFieldCabinetStyle},
      {1, "date r", &Criterion::field, kFieldDateRestored},
      {1, "TUNING", &Criterion::field, kFieldTuningDial},
      {1, "Year", &Criterion::field, kFieldYear},
      {1, "Colour", &Criterion::field, 0},
      {1, "", &Criterion::field, 0},
      {2, "=", &Criterion::relation, kRelationEqual},
      {2, ">", &Criterion::relation, kRelationGreater},
      {2, ">=", &Criterion::relation, 0},  // longer than any relation
      {2, "?", &Criterion::relation, 0},
      {3, "19350105", &Criterion::value, 19350105},
      {3, "-7", &Criterion::value, -7},
      {3, "12 --- after the number ---", &Criterion::value, 12},
      {3, "x12", &Criterion::value, 0},
  };
  for (const Case& c : cases) {
    Lines row = {"Add -", "Year", "=", "0", ""};
    row[c.line] = c.text;
    EXPECT_EQ(ReadFirstRow(row).*c.member, c.read) << "line " << c.line << ": '" << c.text << "'";
  }

  // The text is kept as it stands, blanks and length included.
  const std::string longText = "  " + std::string(300, 'k') + " ";
  EXPECT_EQ(ReadFirstRow({"Add -", "Model", "=", "0", longText}),
            MakeCriterion(kActionAdd, kFieldModel, kRelationEqual, 0, longText));
  EXPECT_FALSE(ReadFirstRow({"Add -", "Model", "=", "0", ""}).hasText);
}

TEST_F(SettingsVersions, DirectoryRadioAndTourSizeLines) {
  const auto withLine = [](Lines l, std::size_t at, const std::string& line) {
    l[at] = line;
    return l;
  };
  const Lines v7 = FileOfVersion(7);
  const std::size_t radioAt = v7.size() - 7;  // radio, tour, header, main record (2), graph (2)
  ASSERT_EQ(v7[radioAt], "40 --- View Radio ---");

  const std::string deep = "/" + std::string(280, 'd') + "/radios";
  for (const auto& [line, directory] : std::vector<std::pair<std::string, std::string>>{
           {"/data/My Old Radios --- Data File Directory ---", "/data/My Old Radios"},
           {"   /data   ", "/data"},
           {" --- Data File Directory ---", ""},
           {deep + " --- Data File Directory ---", deep}})
    EXPECT_EQ(Read(withLine(v7, 1, line), 7).dataDirectory, directory) << line;
  for (const int radio : {-1, 0})
    EXPECT_EQ(Read(withLine(v7, radioAt, std::to_string(radio) + " --- View Radio ---"), 7).currentRadio,
              radio);
  for (const auto& [line, size] : std::vector<std::pair<std::string, int>>{{"1 --- Tour Size ---", 1},
                                                                           {"8 --- Tour Size ---", 8},
                                                                           {"0 --- Tour Size ---", 2},
                                                                           {"9 --- Tour Size ---", 2},
                                                                           {"-3 --- Tour Size ---", 2},
                                                                           {"", 2}})
    EXPECT_EQ(Read(withLine(v7, radioAt + 1, line), 7).tourSize, size) << line;
}

TEST_F(SettingsVersions, WindowLinesOfOldAndNewLayouts) {
  // Old lines: a zero switch leaves the window as it was, each number on its own line.
  Lines v2 = FileOfVersion(2);
  v2[v2.size() - 5] = "0";
  Settings s = Read(v2, 2);
  EXPECT_FALSE(s.mainWindow.maximised);
  EXPECT_EQ(s.mainWindow.width, 640);

  // Version 4's font: the face is the whole line; only the lowest bit of the weight line counts.
  Lines v4 = FileOfVersion(4);
  v4[v4.size() - 4] = "Courier New Bold Italic";
  v4[v4.size() - 1] = "700";
  s = Read(v4, 4);
  EXPECT_EQ(s.mainWindow.fonts, (std::vector<FontSpec>{{false, 11, "Courier New Bold Italic"}}));
  // A face longer than a window record's line is cut to what the line holds, so that the settings
  // read the same after they are saved.
  v4[v4.size() - 4] = std::string(400, 'F');
  s = Read(v4, 4);
  EXPECT_EQ(s.mainWindow.fonts[0].face.size(), 254u - std::string("0 11=").size());
  ASSERT_TRUE(WriteSettings(dir / "saved.ini", s));
  Settings again;
  ReadSettings(dir / "saved.ini", again);
  EXPECT_EQ(SettingsText(again), SettingsText(s));

  // Records: fonts beyond the window's table are read past, so the next record still lines up.
  Lines v13 = Head(13);
  Add(v13, {"1 ---- Saved Selections ---", ""});
  for (int i = 0; i < 4; ++i) Add(v13, kNoneRow);
  Add(v13, {"", "0 --- Selection List ---", "-1 --- View Radio ---", "3 --- Tour Size ---"});
  Add(v13, {"--- Window Parameters ---", "1 0 1 2 3 4 6"});
  for (int i = 0; i < 6; ++i) v13.push_back("0 " + std::to_string(10 + i) + "=Face " + std::to_string(i));
  Add(v13, {"0 0 5 6 7 8 0", "0 1 9 10 11 12 2", "1 20=Wide", "0 7=Narrow"});
  Add(v13, {"5 --- Graphing Parameters ---", "0", "  --- Web Image Publishing Parameters ---"});
  Add(v13, {"w", "h", "p", "s", "l", "0"});
  s = Read(v13, 13);
  EXPECT_TRUE(s.mainWindow.minimised);
  ASSERT_EQ(s.mainWindow.fonts.size(), static_cast<std::size_t>(kWindowFontLimit));
  EXPECT_EQ(s.mainWindow.fonts[3], (FontSpec{false, 13, "Face 3"}));
  // A record without fonts keeps the window's own.
  EXPECT_EQ(s.pane, (WindowParameters{false, false, 5, 6, 7, 8, {FontSpec{false, 8, "Courier"}}}));
  EXPECT_EQ(s.view,
            (WindowParameters{false, true, 9, 10, 11, 12, {{true, 20, "Wide"}, {false, 7, "Narrow"}}}));
  EXPECT_EQ(s.graphField, 5);
  EXPECT_EQ(s.webListName, "l");
}

}  // namespace
}  // namespace korvel
