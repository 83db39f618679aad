// korvel-tool publish: File > Publish for Web from a script.
#pragma once

#include <string>
#include <vector>

namespace korvel::tool {

// publish DIR ROOT [--html H] [--pictures P] [--snapshots S] [--list-name L] [--descriptions]
// [STEP...]. Gives the tool's exit status.
int PublishCommand(const std::string& directory, const std::vector<std::string>& arguments);

}  // namespace korvel::tool
