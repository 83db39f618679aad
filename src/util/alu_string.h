// Owned texts and the small text functions used for names, lookups and messages.
#pragma once

#include <string>

namespace korvel {

// An owned copy from AluMalloc, released with AluFree; no text gives a copy of the empty text.
// On allocation failure: reported, and nullptr.
char* AluCopyString(const char* text);
// The same without any report.
char* AluCopyStringQuiet(const char* text);

// printf-style formatting into one buffer of 1024 characters per thread, overwritten by the next
// call; longer results are cut. No format gives nullptr.
const char* AluFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The capitalised form, in place: in every run of letters the first letter becomes upper case and
// the others lower case; anything else ends a run and is kept. In valid UTF-8 text accented and
// other non-ASCII letters belong to their words ("über ölçer" becomes "Über Ölçer"); in other text
// only A-Z/a-z are letters.
void AluCapitalizeWords(char* text);
void AluCapitalizeWords(std::string& text);

// Lower case in place, except between a quote character (" or ') and the next same quote.
void AluLowerOutsideQuotes(char* text);
void AluLowerOutsideQuotes(std::string& text);

// Position of the first occurrence of the pattern in the text, or -1.
int AluFindText(const std::string& text, const std::string& pattern, bool ignoreCase);

}  // namespace korvel
