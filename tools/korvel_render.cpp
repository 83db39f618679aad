// korvel-render: korvel-tool's render command. Drawing needs Qt, which every other command of the
// tool does without, so it lives in a program of its own that korvel-tool runs with its arguments;
// the data commands then start without loading the GUI libraries.
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue_command.h"
#include "render_command.h"

namespace {

int Usage(std::FILE* out) {
  std::fputs(
      "usage: korvel-render render DIR VIEW OUT.png [--radio ID] [--size WxH]\n"
      "       korvel-render catalogue DIR OUT.pdf [STEP...]\n"
      "  draws a view as the program shows it: description (default: the first radio), cost-value,\n"
      "  history, sales-profit, distribution:FIELD, inventory-tube or inventory-transistor.\n"
      "  The catalogue: File > Print Catalogue's document for the selection as a PDF.\n"
      "  korvel-tool render and catalogue run it; DIR is the data directory that holds radata.dat.\n",
      out);
  return out == stderr ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") return Usage(stdout);
  }
  if (argc < 3) return Usage(stderr);
  const std::string command = argv[1];
  const std::vector<std::string> arguments(argv + 3, argv + argc);
  if (command == "render") return korvel::tool::RenderCommand(argv[2], arguments);
  if (command == "catalogue") return korvel::tool::CatalogueCommand(argv[2], arguments);
  return Usage(stderr);
}
