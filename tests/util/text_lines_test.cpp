#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "util/alu_text.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using Lines = std::vector<std::string>;

// A temporary file holding the bytes, positioned at its start.
std::FILE* FileWith(const std::string& bytes) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  return file;
}

TEST(ReadLine, LineEndsGoAndALineTooLongIsCutUpToTheNextLine) {
  std::FILE* file = FileWith("abcdefghij\r\nexactly\r\nfull!!!\n\n\r\nlast");
  char buffer[8];
  bool cut = false;
  ASSERT_NE(AluReadLine(buffer, sizeof buffer, file, &cut), nullptr);
  EXPECT_STREQ(buffer, "abcdefg");
  EXPECT_TRUE(cut);
  // Seven characters fill the buffer exactly; a line end left over is not a cut.
  for (const char* expected : {"exactly", "full!!!", "", "", "last"}) {
    ASSERT_EQ(AluReadLine(buffer, sizeof buffer, file, &cut), buffer) << expected;
    EXPECT_STREQ(buffer, expected);
    EXPECT_FALSE(cut) << expected;
  }
  EXPECT_EQ(AluReadLine(buffer, sizeof buffer, file, &cut), nullptr);
  std::fclose(file);
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

  // Exactly as much as fits is no warning.
  recorder.Clear();
  std::string full = "abcdefghi abcdefghi ";
  EXPECT_EQ(AluSplitUpMultiline(full, lines, 2, 10), 1);
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_EQ(lines, (Lines{"abcdefghi", "abcdefghi"}));
}

TEST(SplitLines, WordsMustFitAndControlCharactersAreDropped) {
  MessageRecorder recorder;
  Lines lines;
  // A word exactly as long as the line fits.
  std::string text = "Superhetro dyne";
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 10), 1);
  EXPECT_EQ(lines, (Lines{"Superhetro", "dyne"}));

  // One character more does not: the lines filled before it stay.
  text = "AM Superheterodyne";
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 10), 0);
  EXPECT_EQ(lines, (Lines{"AM", ""}));

  // Stale lines are emptied; bytes above 127 are not control characters.
  lines = {"stale", "stale", "stale", "stale"};
  text = std::string("Line\r\none\t \xe9t\xe9\x01") + '\0' + "!   ";
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 20), 1);
  EXPECT_EQ(lines, (Lines{"Lineone \xe9t\xe9!", ""}));
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(SplitLines, DelimitedSplitUsesTheFirstDelimiterAndCutsLongLines) {
  MessageRecorder recorder;
  Lines lines;
  std::string text = "a,b,,c";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 4, 10, ","), 1);
  EXPECT_EQ(lines, (Lines{"a", "b", "", "c"}));

  text = "a;b,c";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 3, 10, ";,"), 1);
  EXPECT_EQ(lines, (Lines{"a", "b,c", ""}));

  // Width 5 keeps four characters a line; a cut line goes on right after the cut.
  text = "abcdefghijkl,m";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 5, 5, ","), 1);
  EXPECT_EQ(lines, (Lines{"abcd", "efgh", "ijkl", "m", ""}));
  EXPECT_TRUE(recorder.messages().empty());

  // Cut to ten characters, and what would need a third line is dropped.
  text = "one,two,three";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 2, 5, ","), 1);
  EXPECT_EQ(recorder.Texts(), Lines{"Too much text."});
  EXPECT_EQ(lines, (Lines{"one", "two"}));
}

}  // namespace
}  // namespace korvel
