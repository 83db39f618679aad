// Edit > Table Insert: a new entry in one of the lookup tables, every radio's references and the
// open radio notebook following it.
#pragma once

#include "app/program_state.h"
#include "app/radio_notebook.h"

namespace korvel {

// Runs "Insert Table Item" and inserts the entry. True when the collection changed.
bool CommandTableInsert(ProgramState& state, RadioNotebook& notebook, void* parent);

}  // namespace korvel
