#include "draw/font.h"

#include "util/alu_encoding.h"

namespace korvel::draw {

int CharacterCount(std::string_view text) {
  if (!AluIsUtf8(text)) return static_cast<int>(text.size());
  int count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;  // continuation bytes add nothing
  }
  return count;
}

}  // namespace korvel::draw
