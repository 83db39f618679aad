// The plain-text list of a selection (File > List writes it to list.txt).
#pragma once

#include <string>

#include "collection/collection.h"

namespace korvel {

inline constexpr const char* kListFileName = "list.txt";

// Four lines and an empty line per radio, in selection order, then the number of radios.
std::string RadioListText(const Collection& collection, const RadioList& selection);

}  // namespace korvel
