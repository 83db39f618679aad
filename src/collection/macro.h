// Selection macros as the collection keeps them: a name and a list of steps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

// One step: a criterion of the selection language with its operation. The meaning of the
// numbers belongs to the selection engine; the collection only keeps and stores them.
struct MacroStep {
  std::int32_t operation = 0;
  std::int32_t field = 0;
  std::int32_t relation = 0;
  std::int32_t number = 0;
  std::string text;
  bool hasText = false;
};

struct SelectionMacro {
  std::string name;
  std::vector<MacroStep> steps;
};

}  // namespace korvel
