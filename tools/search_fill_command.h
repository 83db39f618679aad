// korvel-tool search-fill: the radio notebook's tube rows for one radio after "Search/Fill".
#pragma once

#include <string>
#include <vector>

namespace korvel::tool {

// search-fill DIR ID. Gives the tool's exit status.
int SearchFillCommand(const std::string& directory, const std::vector<std::string>& arguments);

}  // namespace korvel::tool
