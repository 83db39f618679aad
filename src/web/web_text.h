// Collection texts as they go into a web page: shown by the display rule, and never as markup.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

// The display form of a stored text (valid UTF-8 as it is, anything else read as Windows-1252)
// with &, <, > and " written as entities, so that a model such as "<b>5&6</b>" reads as text.
std::string WebText(std::string_view stored);

// As WebText, for an attribute value written without quotes: blanks and other white space
// become %XX, which would otherwise end the value.
std::string WebUnquotedUrl(std::string_view stored);

}  // namespace korvel
