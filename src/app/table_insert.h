// Edit > Table Insert: a new entry in one of the lookup tables, every radio's references and the
// open radio notebook following it.
#pragma once

#include "app/program_state.h"
#include "app/radio_notebook.h"

namespace korvel {

// Where an entry went: the table's kind and the entry's position, or -1 for nothing inserted.
struct TableInsertion {
  int kind = -1;
  int position = -1;
};

// Runs "Insert Table Item" and inserts the entry; the radios, the open notebook and every criterion
// that holds a position of the table follow it.
TableInsertion CommandTableInsert(ProgramState& state, RadioNotebook& notebook, void* parent);

}  // namespace korvel
