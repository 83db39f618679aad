// Texts are stored as bytes; collections made on Windows hold Windows-1252. Shown anywhere that
// needs UTF-8 (pages, JSON, widgets), a text that is valid UTF-8 stays as it is and anything else
// is read as Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

bool AluIsUtf8(std::string_view text);
std::string AluDisplayUtf8(std::string_view text);
// Appends the code point in UTF-8.
void AluAppendUtf8(std::string& out, char32_t c);

}  // namespace korvel
