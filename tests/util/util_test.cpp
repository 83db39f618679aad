// The utility library: texts (dates, capitals, formatting, lines split to fit) and the messages they
// are shown in, and files and paths as the collection stores them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "support/temp_dir.h"
#include "util/alu_date.h"
#include "util/alu_file.h"
#include "util/alu_memory.h"
#include "util/alu_path.h"
#include "util/alu_string.h"
#include "util/alu_text.h"
#include "util/message.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The date number and the text as the parser left it.
std::pair<int, std::string> Parsed(std::string text) {
  const int date = AluParseDate(text);
  return {date, text};
}

TEST(DateText, ShortAndLongFormsParseAndTheMonthIsRewritten) {
  EXPECT_EQ(Parsed("05jan50"), std::pair(19500105, std::string("05Jan50")));
  EXPECT_EQ(Parsed("31DEC1999"), std::pair(19991231, std::string("31Dec1999")));
  EXPECT_EQ(Parsed("28Feb1952"), std::pair(19520228, std::string("28Feb1952")));
  // Day 00 is let through by the parser; formatting is what refuses it.
  EXPECT_EQ(Parsed("00Jan1950").first, 19500100);

  char buffer[] = "01mAY2024";
  EXPECT_EQ(AluParseDate(buffer), 20240501);
  EXPECT_STREQ(buffer, "01May2024");

  // Impossible dates give zero, but the month is still rewritten.
  EXPECT_EQ(Parsed("31apr1950"), std::pair(0, std::string("31Apr1950")));
  EXPECT_EQ(Parsed("x5JAN50"), std::pair(0, std::string("x5Jan50")));
  for (const char* bad :
       {"29Feb1952", "29FEB2000", "29Feb52", "05Jxn50", "05Jan5O", "05Jan19x0", "32Jan1950"}) {
    EXPECT_EQ(Parsed(bad).first, 0) << bad;
  }
  // Only texts of 7 or 9 characters are touched at all.
  for (const char* wrongLength : {"5jan1950", "05jan1950 ", "", "05jan5"}) {
    EXPECT_EQ(Parsed(wrongLength), std::pair(0, std::string(wrongLength)));
  }
}

TEST(DateText, FormattingGivesTheLongFormOrNothingForInvalidNumbers) {
  EXPECT_EQ(AluFormatDate(19500105), "05Jan1950");
  EXPECT_EQ(AluFormatDate(99991231), "31Dec9999");
  EXPECT_EQ(AluFormatDate(501105), "05Nov0050");
  EXPECT_EQ(AluFormatDate(19501131), "31Nov1950");  // the day is not held to the month's length
  for (int invalid : {0, -19500105, 19501332, 19500100, 19500005, 19501305, 19500132, 100000101}) {
    EXPECT_EQ(AluFormatDate(invalid), "") << invalid;
  }
}

std::string Capitalized(std::string text) {
  AluCapitalizeWords(text);
  return text;
}

std::string LoweredOutsideQuotes(std::string text) {
  AluLowerOutsideQuotes(text);
  return text;
}

// Every run of letters starts with a capital; in UTF-8 text a letter beyond ASCII is part of its word,
// and changes its case with it.
TEST(Capitalization, EveryRunOfLettersStartsWithACapital) {
  const std::pair<const char*, const char*> cases[] = {
      {"ACME RADIO corp.", "Acme Radio Corp."},
      {"12SK7", "12Sk7"},  // digits end a run as well
      {"o'NEIL x-RAY", "O'Neil X-Ray"},
      {"caf\xe9SOCIETY", "Caf\xe9Society"},  // a byte above 127 that is not UTF-8 is no letter
      {"\u00fcber \u00f6l\u00e7er", "\u00dcber \u00d6l\u00e7er"},
      {"\u00dcBER M\u00dcLLER", "\u00dcber M\u00fcller"},
      {"stra\u00dfe", "Stra\u00dfe"},  // no capital sharp s
      {"\u0142\u00f3d\u017a \u017c\u00f3\u0142w",
       "\u0141\u00f3d\u017a \u017b\u00f3\u0142w"},  // Latin Extended-A
      {"\u0440\u0430\u0434\u0438\u043e \u041c\u0418\u0420",
       "\u0420\u0430\u0434\u0438\u043e \u041c\u0438\u0440"},
      {"u\u0308ber", "U\u0308ber"},                                                // a combining accent
      {"caf\u00e9\u2013SOCIETY 5\u00d7six", "Caf\u00e9\u2013Society 5\u00d7Six"},  // dash, times sign
  };
  for (const auto& [typed, expected] : cases) EXPECT_EQ(Capitalized(typed), expected) << typed;
  char text[] = "rca VICTOR";
  AluCapitalizeWords(text);
  EXPECT_STREQ(text, "Rca Victor");
}

TEST(Capitalization, QuotedTextKeepsItsCaseAndEverythingElseIsLowered) {
  EXPECT_EQ(LoweredOutsideQuotes("Brand = \"RCA Victor\" AND Model = 'X-1'"),
            "brand = \"RCA Victor\" and model = 'X-1'");
  // A quote only ends at the same character, so the apostrophe stays inside.
  EXPECT_EQ(LoweredOutsideQuotes("A \"It's\" B 'Say \"HI\"' C"), "a \"It's\" b 'Say \"HI\"' c");
  EXPECT_EQ(LoweredOutsideQuotes("NAME = \"Open END"), "name = \"Open END");
}

TEST(Formatting, ResultsLiveInOneBufferPerThreadAndAreCut) {
  const char* mine = AluFormat("%s %d", "Model", 40);
  // Another thread formatting meanwhile must not overwrite this thread's text.
  std::string theirs;
  std::thread other([&] { theirs = AluFormat("tour %d", 7); });
  other.join();
  EXPECT_EQ(theirs, "tour 7");
  EXPECT_STREQ(mine, "Model 40");

  const std::string longText(2000, 'x');
  EXPECT_EQ(std::strlen(AluFormat("%s", longText.c_str())), 1023u);
}

// Lines read into a fixed buffer lose their line end; a longer line is cut there and the rest skipped.
TEST(SmallTexts, LinesAreReadCutAndFoundAndCopiesOwned) {
  TempDir dir;
  WriteFile(dir / "lines.txt",
            "Philco\r\n" + std::string(10, 'x') + "\r\n" + std::string(25, 'y') + "\nlast");
  std::FILE* file = std::fopen((dir / "lines.txt").c_str(), "r");
  char buffer[11];
  bool cut = true;
  for (const auto& [line, wasCut] :
       {std::pair("Philco", false), {"xxxxxxxxxx", false}, {"yyyyyyyyyy", true}, {"last", false}}) {
    EXPECT_STREQ(AluReadLine(buffer, sizeof buffer, file, &cut), line);
    EXPECT_EQ(cut, wasCut) << line;
  }
  EXPECT_EQ(AluReadLine(buffer, sizeof buffer, file, &cut), nullptr);
  std::fclose(file);

  EXPECT_EQ(AluFindText("Philco Model 90", "model", true), 7);
  EXPECT_EQ(AluFindText("Philco Model 90", "model", false), -1);
  for (const char* text : {"Zenith", static_cast<const char*>(nullptr)}) {
    char* copy = AluCopyString(text);
    EXPECT_STREQ(copy, text == nullptr ? "" : text);
    AluFree(copy);
  }
}

// Every test starts and ends without an owner, presenter or queue.
class Messages : public ::testing::Test {
 protected:
  void SetUp() override { ResetMessages(); }
  void TearDown() override { ResetMessages(); }
};

// Early messages, captions and every button's answer are checked on the real boxes in ui_frame.
TEST_F(Messages, TextIsFormattedOnceShownWholeAndPercentSignsLaterShowAsTheyAre) {
  const std::string longText(1500, 'w');
  ShowMessage(kError, kButtonsOk, "%s", "Model 100% restored, %d tubes, %s");
  ShowMessage(kNote, kButtonsOk, "Progress %d%%", 50);
  ShowMessage(kError, kButtonsOk, "%s", longText.c_str());
  const char* none = nullptr;
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNo, none), kAnswerOk);  // nothing to show at all
  MessageRecorder recorder;
  ShowMessage(kNote, kButtonsOk, "%s", "%n%s%s");
  EXPECT_EQ(recorder.Texts(),
            (Lines{"Model 100% restored, %d tubes, %s", "Progress 50%", longText, "%n%s%s"}));
}

TEST_F(Messages, APresenterMayReportAgainWhileItShowsAMessage) {
  Lines shown;
  SetMessagePresenter([&](const Message& message) {
    shown.push_back(message.text);
    if (message.text == "outer") ShowMessage(kError, kButtonsOk, "inner");
    return kAnswerRetry;
  });
  ShowMessage(kNote, kButtonsOk, "queued");
  SetMessageOwner(&shown);
  EXPECT_EQ(MessageOwner(), &shown);
  EXPECT_EQ(ShowMessage(kError, kButtonsRetryCancel, "outer"), kAnswerRetry);
  EXPECT_EQ(shown, (Lines{"queued", "outer", "inner"}));
}

TEST(SplitLines, TooMuchTextIsCutWithAWarningAndSplitAtBlanks) {
  MessageRecorder recorder;
  // 26 words of five characters: 130 characters for 2 lines of 60.
  std::string text;
  for (int i = 0; i < 26; ++i) text += std::string(1, static_cast<char>('a' + i)) + "bcd ";
  Lines lines;
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 60), 1);
  EXPECT_EQ(recorder.Texts(), Lines{"Too much text."});
  EXPECT_EQ(recorder.messages().at(0).severity, kWarning);
  // Cut to 120 characters, then the trailing blank goes; the second line starts with the 13th word.
  EXPECT_EQ(text.size(), 119u);
  EXPECT_EQ(lines, (Lines{text.substr(0, 59), text.substr(60)}));
}

// Split at blanks, or at delimiters (the first of them found): a word as long as the line fits, a
// longer one ends the split with the lines filled before it; control characters are dropped, stale
// lines emptied, and what needs more lines than there are cut with a warning.
TEST(SplitLines, WordsFitTheirLinesAndControlCharactersAreDropped) {
  // text, delimiters (none: at blanks), lines, width, result, the lines, whether "Too much text." was said
  const std::tuple<std::string, const char*, int, int, int, Lines, bool> cases[] = {
      {"Superhetro dyne", nullptr, 2, 10, 1, {"Superhetro", "dyne"}, false},
      {"AM Superheterodyne", nullptr, 2, 10, 0, {"AM", ""}, false},
      {"abcdefghi abcdefghi ", nullptr, 2, 10, 1, {"abcdefghi", "abcdefghi"}, false},
      {std::string("Line\r\none\t \xe9t\xe9\x01") + '\0' + "!   ",
       nullptr,
       2,
       20,
       1,
       {"Lineone \xe9t\xe9!", ""},
       false},
      {"a,b,,c", ",", 4, 10, 1, {"a", "b", "", "c"}, false},
      {"a;b,c", ";,", 3, 10, 1, {"a", "b,c", ""}, false},
      {"abcdefghijkl,m", ",", 5, 5, 1, {"abcd", "efgh", "ijkl", "m", ""}, false},  // four characters a line
      {"one,two,three", ",", 2, 5, 1, {"one", "two"}, true},
  };
  for (auto [text, delimiters, count, width, result, expected, warned] : cases) {
    SCOPED_TRACE(text + " in " + std::to_string(count) + " lines of " + std::to_string(width));
    MessageRecorder recorder;
    Lines lines = {"stale", "stale", "stale", "stale", "stale"};
    EXPECT_EQ(delimiters != nullptr ? AluSplitUpDelimitedMultiline(text, lines, count, width, delimiters)
                                    : AluSplitUpMultiline(text, lines, count, width),
              result);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(recorder.Texts(), warned ? Lines{"Too much text."} : Lines{});
  }
}

// Bytes that a text-mode copy or a copy stopping at a zero byte would change.
std::string BinaryBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>("\r\n\0\x1a\xff"[i % 5] + i / 5);
  return bytes;
}

TEST(Files, AFileExistsOnlyWhenItHoldsAByte) {
  TempDir dir;
  EXPECT_FALSE(AluFileExists(dir / "missing.dat"));
  WriteFile(dir / "empty.dat", "");
  EXPECT_FALSE(AluFileExists(dir / "empty.dat"));
  WriteFile(dir / "one.dat", "x");
  EXPECT_TRUE(AluFileExists(dir / "one.dat"));
  EXPECT_FALSE(AluFileExists(dir.path().string()));  // a directory is not a file
}

TEST(Files, DirectoriesAreMadeUpToTheFileName) {
  TempDir dir;
  const std::string root = dir.path().string();
  EXPECT_EQ(AluCreateDirectoriesFor(root + "\\pictures\\zenith\\h500.jpg"), 1);
  EXPECT_TRUE(fs::is_directory(dir.path() / "pictures" / "zenith"));
  EXPECT_FALSE(fs::exists(dir.path() / "pictures" / "zenith" / "h500.jpg"));
  EXPECT_EQ(AluCreateDirectoriesFor(root + "/pictures/zenith/other.jpg"), 1);  // already there
  EXPECT_EQ(AluCreateDirectoriesFor("radios.dat"), 0);                         // no directory part
  WriteFile(dir / "blocked", "a file where a directory should go");
  EXPECT_EQ(AluCreateDirectoriesFor(root + "/blocked/inner/x.jpg"), 0);
}

TEST(Files, CopiesAreExactWhateverTheSizeAndMakeTheTargetDirectories) {
  TempDir dir;
  for (std::size_t size : {0, 1, 1023, 1024, 1025, 65536, 200001}) {
    const std::string bytes = BinaryBytes(size);
    WriteFile(dir / "source.bin", bytes);
    WriteFile(dir / "target.bin", std::string(300000, 'T'));  // a longer old target is replaced
    EXPECT_EQ(AluCopyFile(dir / "source.bin", dir / "target.bin"), 1) << size;
    EXPECT_EQ(ReadFile(dir / "target.bin"), bytes) << size;
  }
  EXPECT_EQ(AluCopyFile(dir / "source.bin", dir.path().string() + "\\pictures\\zenith\\h500.jpg"), 1);
  EXPECT_EQ(ReadFile(dir / "pictures/zenith/h500.jpg"), BinaryBytes(200001));
  // Into the directory that is there, whatever its case, and without a part file left.
  fs::create_directory(dir.path() / "Backups");
  EXPECT_EQ(AluCopyFile(dir / "source.bin", dir.path().string() + "\\backups\\h500.bak"), 1);
  EXPECT_EQ(ReadFile(dir / "Backups/h500.bak"), BinaryBytes(200001));
  EXPECT_FALSE(fs::exists(dir.path() / "backups"));
  EXPECT_FALSE(fs::exists(dir.path() / "Backups/h500.bak.part"));
}

TEST(Files, AFailedCopyLeavesNoTargetBehindAndCopyingOntoItselfIsHarmless) {
  TempDir dir;
  WriteFile(dir / "radios.bak", "the only backup");
  EXPECT_EQ(AluCopyFile(dir / "missing.dat", dir / "radios.bak"), 0);
  EXPECT_EQ(ReadFile(dir / "radios.bak"), "the only backup");

  // A directory opens on this system but cannot be read: the new target must not survive.
  fs::create_directory(dir.path() / "folder");
  EXPECT_EQ(AluCopyFile(dir / "folder", dir / "new.bak"), 0);
  EXPECT_FALSE(fs::exists(dir.path() / "new.bak"));
  EXPECT_EQ(AluCopyFile(dir / "folder", dir / "radios.bak"), 0);
  EXPECT_EQ(ReadFile(dir / "radios.bak"), "the only backup") << "an unreadable source wiped the old copy";

  WriteFile(dir / "radios.dat", "collection");
  EXPECT_EQ(AluCopyFile(dir / "radios.dat", dir / "radios.dat"), 1);
  EXPECT_EQ(ReadFile(dir / "radios.dat"), "collection");
  EXPECT_EQ(AluCopyFile(dir / "radios.dat", dir.path().string() + "\\RADIOS.DAT"), 1);
  EXPECT_EQ(ReadFile(dir / "radios.dat"), "collection");
}

// Where the drive, directory, file name and extension begin (-1: none).
TEST(PathParts, DriveDirectoryFileNameAndExtension) {
  using Parts = std::tuple<int, int, int, int>;
  const std::pair<const char*, Parts> cases[] = {
      {"c:\\radios\\pictures\\x.jpg", {0, 2, 19, 20}},
      {"x", {-1, 0, 0, -1}},
      {".bmp", {-1, 0, 0, -1}},  // a leading dot is not an extension
      {"\\x.jpg", {-1, 0, 0, 2}},
      {"pics/zenith\\h500.tar.gz", {-1, 0, 12, 20}},  // both separators, the last dot
      {"radios.old\\catalogue", {-1, 0, 11, -1}},     // a dot in a directory is not one
  };
  for (const auto& [path, expected] : cases) {
    const PathParts p = AluSplitPath(path);
    EXPECT_EQ(Parts(p.drive, p.directory, p.fileName, p.extension), expected) << path;
  }
}

TEST(PathParts, FileTypesComeFromTheExtensionInAnyCase) {
  EXPECT_EQ(AluFileType("PHOTO.JPEG"), kFileJpeg);
  EXPECT_EQ(AluFileType("dial.BMP"), kFileBitmap);
  EXPECT_EQ(AluFileType("help\\index.htm"), AluFileType("help/INDEX.HTML"));
  EXPECT_EQ(AluFileType("help/INDEX.HTML"), kFileWebPage);
  for (const char* other : {"readme", "photo.jpgx", "photo.jp", "pics.jpg\\photo", ".bmp", "photo."}) {
    EXPECT_EQ(AluFileType(other), kFileOther) << other;
  }
}

TEST(PathParts, ReplacingTheExtensionNeedsOneOnBothSides) {
  EXPECT_EQ(AluReplaceExtension("x.bak", "c:\\data\\radios.dat"), "c:\\data\\radios.bak");
  EXPECT_EQ(AluReplaceExtension("old\\backup.tar.gz", "radios.v2.dat"), "radios.v2.gz");
  EXPECT_EQ(AluReplaceExtension("x.bak", "radios"), std::nullopt);
  EXPECT_EQ(AluReplaceExtension("bak", "radios.dat"), std::nullopt);
  EXPECT_EQ(AluReplaceExtension("x.bak", "data.v2\\radios"), std::nullopt);
}

TEST(StoredPaths, BackslashesBecomeSlashesAndCaseDifferencesAreResolved) {
  EXPECT_EQ(AluNativePath("pictures\\zenith\\h500.jpg"), "pictures/zenith/h500.jpg");

  TempDir dir;
  std::filesystem::create_directories(dir.path() / "Pictures" / "Zenith");
  const std::string actual = dir / "Pictures/Zenith/H500.JPG";
  WriteFile(actual, "jpeg");
  const std::string root = dir.path().string();

  EXPECT_EQ(AluResolvePath(root + "\\Pictures\\Zenith\\H500.JPG"), actual);
  EXPECT_EQ(AluResolvePath(root + "\\pictures\\ZENITH\\h500.jpg"), actual);
  EXPECT_TRUE(AluFileExists(root + "\\pictures\\ZENITH\\h500.jpg")) << "a stored name is not found on disk";

  // An exact match wins over one that differs only in case.
  WriteFile(dir / "Pictures/Zenith/h500.jpg", "other");
  EXPECT_EQ(AluResolvePath(root + "\\Pictures\\Zenith\\h500.jpg"), dir / "Pictures/Zenith/h500.jpg");

  // Nothing matching: the plain mapping, so that the caller's failure names the stored path.
  EXPECT_EQ(AluResolvePath(root + "\\pictures\\philco\\h500.jpg"), root + "/pictures/philco/h500.jpg");
}

}  // namespace
}  // namespace korvel
