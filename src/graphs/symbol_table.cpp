#include "graphs/symbol_table.h"

#include <new>

#include "util/message.h"

namespace korvel::graphs {

std::unique_ptr<SymbolTable> CreateSymbolTable() {
  try {
    return std::make_unique<SymbolTable>();
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'CreateSymbolTable'.");
    return nullptr;
  }
}

Symbol* LookupSymbol(std::string_view name, SymbolTable& table) {
  for (Symbol& symbol : table.symbols) {
    if (symbol.name == name) return &symbol;
  }
  try {
    table.symbols.push_front(Symbol{std::string(name), {}});
    return &table.symbols.front();
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'LookupSymbol'.");
    return nullptr;
  }
}

}  // namespace korvel::graphs
