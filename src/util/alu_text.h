// Reading text lines and splitting a user's text into fixed-width lines.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace korvel {

// Reads one line of at most size-1 characters into the buffer and removes every CR and LF at its
// end; nullptr at the end of the file. The rest of a longer line is skipped, so the next call
// starts on the next line, and `cut` (when given) says that it happened.
char* AluReadLine(char* buffer, int size, std::FILE* file, bool* cut = nullptr);

// Splits the text into `count` lines of at most `width` characters, breaking at blanks. A text
// longer than count*width is cut (in place) after the warning "Too much text.". Control
// characters are removed. Gives 1, or 0 when a word does not fit a line (earlier lines stay).
int AluSplitUpMultiline(std::string& text, std::vector<std::string>& lines, int count, int width);

// Splits the text at the first character of `delimiters` into at most `count` lines, each cut to
// width-1 characters. Gives 1 (0 for an empty delimiter string).
int AluSplitUpDelimitedMultiline(std::string& text, std::vector<std::string>& lines, int count, int width,
                                 const std::string& delimiters);

}  // namespace korvel
