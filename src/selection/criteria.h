// Testing radios against criteria and changing the current selection by them.
#pragma once

#include <functional>

#include "selection/selection.h"

namespace korvel {

// Whether the radio passes the criterion's test (field, relation, value); reads nothing else.
bool RadioMatches(const RadioRecord& radio, const Criterion& criterion);

// The same test, prepared once for a walk over many radios.
class CriterionTest {
 public:
  explicit CriterionTest(const Criterion& criterion);
  bool operator()(const RadioRecord& radio) const;

 private:
  const Criterion& criterion_;
  std::string tube_;  // the Tube value in upper case
};

// Changes the current selection by the criterion's action; actions 6-11 work the stack.
void ApplyCriterion(const Criterion& criterion, const Collection& collection, SelectionState& state);

enum class Evaluation { kFresh, kKeep };

// Rebuilds (fresh) or narrows (keep: first cut down to the members `keep` accepts) the current
// selection from the four rows and the filter macro.
void EvaluateParameters(const SelectionParameters& parameters, Evaluation mode, const Collection& collection,
                        SelectionState& state, const std::function<bool(const RadioRecord*)>& keep = nullptr);

// View > Changes: the radios added and changed since the data file was loaded.
void SelectChanges(const Collection& collection, SelectionState& state);

// The line that lists a member in the selection dialog.
std::string MemberText(const Collection& collection, const RadioRecord& radio);

}  // namespace korvel
