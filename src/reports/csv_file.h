// A selection as comma-separated values, for spreadsheets: one row per radio with every field of
// the record, table entries as their texts.
#pragma once

#include <span>
#include <string>

#include "collection/collection.h"

namespace korvel {

inline constexpr const char* kCsvFileName = "radios.csv";

// A header row, then one row per radio in selection order. Fields are quoted as RFC 4180 asks
// (rows end in CR LF), and texts are UTF-8: stored texts that are not are read as Windows-1252.
std::string RadioCsvText(const Collection& collection, const RadioList& selection);

// The header row's column names, in column order (importing matches them).
std::span<const char* const> RadioCsvColumns();

}  // namespace korvel
