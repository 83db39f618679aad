// korvel-tool catalogue: File > Print Catalogue's document for a selection, as a PDF file.
#pragma once

#include <string>
#include <vector>

namespace korvel::tool {

// catalogue DIR OUT.pdf [STEP...]. Gives the tool's exit status.
int CatalogueCommand(const std::string& directory, const std::vector<std::string>& arguments);

}  // namespace korvel::tool
