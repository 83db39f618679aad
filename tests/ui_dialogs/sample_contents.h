// Entries like those the commands fill in, so that the rendered dialogs show real contents.
#pragma once

#include <string>
#include <vector>

#include "dal/dal_host.h"

namespace korvel {

void FillSample(int templateId, DalWindow& window);
// The selection dialog's text lines for three radios.
std::vector<std::string> SampleRadioLines();

}  // namespace korvel
