// Field operations: the index, conversions between controls and variables, enable rules,
// notifications and rebinding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dal/dal_host.h"
#include "dal/dal_types.h"

namespace korvel {

// Sets each field's dialog and builds the index by control id. Two fields with one control id:
// Error "Field %d used more than once in dialog %d.", false, and the dialog stays unindexed.
bool DalInitFieldInfo(DalDialog& dialog);

// The field bound to a control id, or nullptr.
DalFieldInfo* DalFindField(int controlId, const DalDialog& dialog);

// The control of a field or of an id in an open dialog, or nullptr.
DalControl* DalFieldControl(const DalFieldInfo& field);
DalControl* DalFindControl(const DalDialog& dialog, int controlId);

// Shows the variable in the field's control / converts the control's content into the variable.
// False when the control refuses, there is no selection, a date is malformed, or the variable
// does not suit the field. A number that does not scan leaves the variable as it was.
bool DalSetField(DalFieldInfo& field, const DalVariable& variable);
bool DalSetField(DalFieldInfo& field);
bool DalReadField(DalFieldInfo& field, const DalVariable& variable);
bool DalReadField(DalFieldInfo& field);

// Date text: trailing blanks are dropped and the month is written as one capital and two small
// letters. Blank: false without a message. Not a date: Warning
// "Date must be of the form 'ddMmmyy' or 'ddMmmyyyy'." and false.
bool DalCheckDate(std::string& text);

// Enables or disables the control by the field's rule and gives whether the field is enabled;
// a field without a rule is enabled and its control left alone.
bool DalApplyEnableRule(DalFieldInfo& field);
void DalEnableField(DalFieldInfo& field, bool on);

// Switches the field's change notifications and gives the previous state.
bool DalSetFieldNotify(DalFieldInfo& field, bool on);

// Binds the field to other items and a variable (the flags are added) and shows the value.
void DalRebindField(DalFieldInfo& field, const std::vector<std::string>* items, std::uint32_t flags,
                    const DalVariable& variable);
// Empties the combo box, empties the text the field was bound to when it held one, drops the
// conversion flags, then DalRebindField.
void DalResetComboField(DalFieldInfo& field, const std::vector<std::string>* items, std::uint32_t flags,
                        const DalVariable& variable);

// Whether the field is bound to a variable at all.
bool DalHasVariable(const DalVariable& variable);

}  // namespace korvel
