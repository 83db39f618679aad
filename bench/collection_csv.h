// The radios of a collection as one CSV table (a header row, then a row per radio), the same
// records a general database is given to import when Korvel's load is compared with it.
#pragma once

#include <string>

#include "collection/collection.h"

namespace korvel::bench {

bool WriteRadiosCsv(const std::string& path, const Collection& collection);

}  // namespace korvel::bench
