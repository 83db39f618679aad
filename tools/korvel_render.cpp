// korvel-render: korvel-tool's render command. Drawing needs Qt, which every other command of the
// tool does without, so it lives in a program of its own that korvel-tool runs with its arguments;
// the data commands then start without loading the GUI libraries.
#include <cstdio>
#include <string>
#include <vector>

#include "render_command.h"

namespace {

int Usage(std::FILE* out) {
  std::fputs(
      "usage: korvel-render render DIR VIEW OUT.png [--radio ID] [--size WxH]\n"
      "  draws a view as the program shows it: description (default: the first radio), cost-value,\n"
      "  history, sales-profit, distribution:FIELD, inventory-tube or inventory-transistor.\n"
      "  korvel-tool render runs it; DIR is the data directory that holds radata.dat.\n",
      out);
  return out == stderr ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") return Usage(stdout);
  }
  if (argc < 3 || std::string(argv[1]) != "render") return Usage(stderr);
  return korvel::tool::RenderCommand(argv[2], std::vector<std::string>(argv + 3, argv + argc));
}
