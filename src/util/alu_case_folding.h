// Case folding for searching: texts that differ only in the case of their letters, accented ones
// included ("ÉBÈNE", "ébène"), fold to the same text.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

// Appends the text's full Unicode case folding ("Straße" gives "strasse") as UTF-8. A stored text
// that is not valid UTF-8 is read as Windows-1252 first, as the program shows it.
void AluAppendFolded(std::string_view stored, std::string& out);
std::string AluFoldCase(std::string_view stored);

}  // namespace korvel
