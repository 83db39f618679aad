// The dialog library: field-bound dialogs and notebooks, independent of any widget toolkit.
#pragma once

#include "dal/dal_dialog.h"
#include "dal/dal_fields.h"
#include "dal/dal_host.h"
#include "dal/dal_lists.h"
#include "dal/dal_notebook.h"
#include "dal/dal_script.h"
#include "dal/dal_types.h"
