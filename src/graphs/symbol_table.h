// Symbol tables of the plotting library: names with a value each, as the graph's x variable is
// given.
#pragma once

#include <forward_list>
#include <memory>
#include <string>
#include <string_view>

#include "graphs/plot_value.h"

namespace korvel::graphs {

struct Symbol {
  std::string name;
  ValueRef value;  // none until set; setting a new one releases the old
};

// New symbols go to the front; symbols never move, so a graph may point at one.
struct SymbolTable {
  std::forward_list<Symbol> symbols;
};

// An empty table; none when memory runs out (reported).
std::unique_ptr<SymbolTable> CreateSymbolTable();

// The symbol of exactly that name, made (without a value) at the front when it is not there yet.
// None when memory runs out (reported).
Symbol* LookupSymbol(std::string_view name, SymbolTable& table);

}  // namespace korvel::graphs
