// Collection texts as they go into a web page: shown by the display rule, and never as markup.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

// The display form of a stored text (valid UTF-8 as it is, anything else read as Windows-1252)
// with &, <, > and " written as entities, so that a model such as "<b>5&6</b>" reads as text.
std::string WebText(std::string_view stored);

// A stored name as part of a link or an image address: its display form (UTF-8) with every byte
// but letters, digits, "-", ".", "_", "~" and "/" percent-encoded, so that "#", "?", "%", blanks and
// accents reach the file of that name. A backslash, the collection's separator, becomes "/". The
// result needs no quoting in an attribute.
std::string WebUrl(std::string_view stored);

}  // namespace korvel
