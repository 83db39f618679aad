// korvel-tool import: a spreadsheet's rows added to a collection as File > Import CSV adds them.
#pragma once

#include <string>
#include <vector>

namespace korvel::tool {

// import DIR FILE.csv [--dry-run] [--skip-faulty]. Gives the tool's exit status.
int ImportCommand(const std::string& directory, const std::vector<std::string>& arguments);

}  // namespace korvel::tool
