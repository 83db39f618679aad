// korvel-tool render: a view of the program drawn into a PNG file by the program's own drawing code.
#pragma once

#include <string>
#include <vector>

namespace korvel::tool {

// render DIR VIEW OUT.png [--radio ID] [--size WxH]. Gives the tool's exit status.
int RenderCommand(const std::string& directory, const std::vector<std::string>& arguments);

}  // namespace korvel::tool
