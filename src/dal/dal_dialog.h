// Running dialogs: filling them, reading them back and the changes the user makes meanwhile.
#pragma once

#include "dal/dal_host.h"
#include "dal/dal_types.h"

namespace korvel {

// Runs the dialog through the host (or the next queued DalScript), modal unless its mode has
// kDalModeless. Gives 1 when it ended with OK, 0 with Cancel, and -1 when it could not be run:
// a faulty table, no host or window, the dialog already open, or the run ended otherwise.
int DalRunDialog(DalDialog& dialog, void* parent);

// Shows the items of list fields and the variables of enabled fields, or calls the fields' fill
// callbacks; false when a fill callback failed.
bool DalFillDialog(DalDialog& dialog, bool fillLists, bool setValues);

// Reads every enabled field back into its variable (or calls its read callback); false when a
// field failed, which does not stop the others.
bool DalReadDialog(DalDialog& dialog);

// An event of an open dialog's control. OK reads the dialog back and ends it with 1, whatever
// the fields did; Cancel ends it with 0. Otherwise, an event that changes a field calls its change
// callback (while its notifications are on), applies its enable rule and checks a date field's
// text, so that a malformed date is reported when the field is left.
void DalNotify(DalDialog& dialog, int controlId, DalEvent event);

}  // namespace korvel
