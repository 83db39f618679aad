// Dates: texts 'ddMmmyyyy' or 'ddMmmyy' (19yy) in records, numbers yyyymmdd for comparisons.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

// The date number year*10000 + month*100 + day, or 0 when the text is not a date. A text of 7 or
// 9 characters gets its month letters rewritten in place to one capital and two small letters,
// whether or not it then turns out to be a date. 29 February is never a date; day 00 passes.
int AluParseDate(std::string& text);
int AluParseDate(char* text);
// The same number, leaving the text as it is.
int AluDateNumber(std::string_view text);

// The date text 'ddMmmyyyy' of a date number, or an empty text when the number is not valid
// (year 0-9999, month 1-12, day 1-31; the day is not checked against the month).
std::string AluFormatDate(int date);

}  // namespace korvel
